// Test entry: a QApplication for the widget tests and a pinned locale, so that results do not
// depend on the machine. TEST_LOCALE (a locale name such as bg_BG) runs the same tests under
// another locale.

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QLocale::setDefault(QLocale(qEnvironmentVariable("TEST_LOCALE", QStringLiteral("C"))));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
