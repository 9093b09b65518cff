#include "classic_palette.h"

namespace platform {

namespace {

QColor ClassicColour(QPalette::ColorRole role)
{
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    const QColor face(212, 208, 200);
    const QColor grey(128, 128, 128);
    switch (role) {
    case QPalette::Button:
    case QPalette::Window:
        return face;
    case QPalette::Light:
    case QPalette::BrightText:
    case QPalette::Base:
    case QPalette::AlternateBase:
    case QPalette::HighlightedText:
        return white;
    case QPalette::Midlight:
        return QColor(233, 231, 227);
    case QPalette::Dark:
    case QPalette::PlaceholderText:
        return grey;
    case QPalette::Mid:
        return QColor(160, 160, 160);
    case QPalette::Link:
        return QColor(0, 0, 255);
    case QPalette::LinkVisited:
        return QColor(128, 0, 128);
    case QPalette::ToolTipBase:
        return QColor(255, 255, 225);
    case QPalette::Highlight:
        return QColor(0, 0, 128);
    default: // the text colours, the shadow, and any role a later Qt adds
        return black;
    }
}

} // namespace

QPalette ClassicPalette()
{
    QPalette palette;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            palette.setColor(group, static_cast<QPalette::ColorRole>(role),
                             ClassicColour(static_cast<QPalette::ColorRole>(role)));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    return palette;
}

} // namespace platform
