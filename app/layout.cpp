// The window's fixed layout: every control with the properties it is created with.

#include "icon.h"
#include "static_texts.h"
#include "volunde.h"

#include "platform/classic_palette.h"
#include "platform/colors.h"
#include "platform/twips.h"
#include "platform/window_placement.h"

#include <algorithm>
#include <vector>

using platform::RGB;
using platform::ToPixels;

namespace {

constexpr int ClientWidth = 7635;
constexpr int ClientHeight = 6360;

struct Placed {
    QWidget* control;
    int tabIndex;
};

// Positions and sizes in twips from the top left corner of the client area.
QWidget* Place(QWidget* control, int left, int top, int width, int height, bool visible = true)
{
    control->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
    control->setVisible(visible);
    return control;
}

} // namespace

void Volunde::CreateControls()
{
    setWindowTitle(texts::WindowCaption());
    setWindowIcon(HamburgerIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(ToPixels(ClientWidth), ToPixels(ClientHeight));
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(16); // 12 points at 96 dots per inch
    setFont(font);
    // One palette pinned for the window, whatever the desktop's scheme: a classroom needs the
    // teacher's screen to look like every pupil's, and the drawing needs black ink on white.
    QPalette colours = platform::ClassicPalette();
    colours.setColor(QPalette::Window, QColor(RGB(192, 192, 255)));
    setPalette(colours);
    setAutoFillBackground(true);

    std::vector<Placed> tabOrder;
    auto add = [&](QWidget* control, int tabIndex) { tabOrder.push_back({control, tabIndex}); };

    Command1.set(1,
                 new platform::CommandButton(QStringLiteral("Триъгълницци"), RGB(0, 192, 0), this));
    add(Place(&Command1(1), 5760, 3600, 1695, 375), 14);
    for (int i = 3; i >= 0; --i)
        List2.set(i, new platform::ListBox(this));
    add(Place(&List2(3), 4680, 360, 1335, 630, false), 13);
    add(Place(&List2(2), 3360, 360, 1335, 630, false), 12);
    add(Place(&List2(1), 1440, 360, 1335, 630, false), 11);
    add(Place(&List2(0), 120, 360, 1335, 630, false), 10);
    Command1.set(2, new platform::CommandButton(QStringLiteral("Чисти"), RGB(255, 0, 0), this));
    add(Place(&Command1(2), 6600, 0, 855, 375), 7);
    Command1.set(0,
                 new platform::CommandButton(QStringLiteral("Трапеци"), RGB(128, 255, 128), this));
    add(Place(&Command1(0), 3840, 3600, 1455, 375), 6);
    List1.set(1, new platform::ListBox(this));
    add(Place(&List1(1), 2400, 3600, 1215, 345), 5);
    List1.set(0, new platform::ListBox(this));
    add(Place(&List1(0), 600, 3600, 1095, 345), 4);
    QPalette white = Picture1.palette();
    white.setColor(QPalette::Window, QColor(RGB(255, 255, 255)));
    Picture1.setPalette(white);
    add(Place(&Picture1, 120, 480, 7365, 3000), 3);
    Text1.set(1, new platform::TextBox(this));
    Text1(1).setText(texts::Aphorism());
    add(Place(&Text1(1), 600, 4680, 6735, 1815, false), 1);
    Text1.set(0, new platform::TextBox(this));
    Text1(0).setText(texts::HelpText());
    add(Place(&Text1(0), 120, 4080, 7335, 2175), 0);
    const QRgb labelColour = RGB(255, 192, 128);
    Label1.set(2, new platform::Label(QStringLiteral("Y"), labelColour, this));
    Place(&Label1(2), 1920, 3600, 495, 375);
    Label1.set(1, new platform::Label(QStringLiteral("X"), labelColour, this));
    Place(&Label1(1), 120, 3600, 495, 375);
    Label1.set(
        0, new platform::Label(QStringLiteral("Геометрия - лице на N-ъгълник, метод на трапеци"),
                               labelColour, this));
    Place(&Label1(0), 840, 0, 5415, 375);
    // Labels lie beneath the other controls where they touch them.
    for (int i = 0; i < Label1.size(); ++i)
        Label1(i).lower();

    // Names and descriptions for screen readers, for every control that takes the focus.
    auto describe = [](QWidget& control, const QString& name, const QString& description) {
        control.setAccessibleName(name);
        control.setAccessibleDescription(description);
    };
    describe(Text1(0), QStringLiteral("Отчет"),
             QStringLiteral("Помощен текст, а след изчисление – отчет за лицето"));
    // The surface's description tells its state; the handlers keep it up to date.
    Picture1.setAccessibleName(QStringLiteral("Поле за чертане"));
    describe(List1(0), QStringLiteral("Координати X"),
             QStringLiteral("Координатите X на върховете, в туипове"));
    describe(List1(1), QStringLiteral("Координати Y"),
             QStringLiteral("Координатите Y на върховете, в туипове"));
    describe(Command1(0), QStringLiteral("Трапеци"),
             QStringLiteral("Изчислява лицето по метода на трапеците"));
    describe(Command1(1), QStringLiteral("Триъгълници"),
             QStringLiteral("Изчислява лицето чрез триъгълници с общ връх"));
    describe(Command1(2), QStringLiteral("Чисти"),
             QStringLiteral("Изчиства многоъгълника и отчета"));

    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const Placed& a, const Placed& b) { return a.tabIndex < b.tabIndex; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].control, tabOrder[i].control);
    Text1(0).setFocus();

    platform::CentreOnScreen(*this);
    platform::KeepSizeOnEveryScreen(*this);
}
