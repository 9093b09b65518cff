// Test entry: a pinned locale, so that results do not depend on the machine, and for the widget
// tests a QApplication (offscreen unless a display platform is set). TEST_LOCALE (a locale name
// such as bg_BG) runs the same tests under another locale.

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#ifdef TEST_WITH_WIDGETS
#include <QApplication>
#endif

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // A private runtime folder, so that Qt has nothing to warn about on the test output: CTest
    // reads the list of tests from it.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
#ifdef TEST_WITH_WIDGETS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
#endif
    QLocale::setDefault(QLocale(qEnvironmentVariable("TEST_LOCALE", QStringLiteral("C"))));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
