#include "classic_palette.h"

#include <iterator>

namespace platform {

QPalette ClassicPalette()
{
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    const QColor face(212, 208, 200);
    const QColor grey(128, 128, 128);
    const QColor navy(0, 0, 128);
    struct Role {
        QPalette::ColorRole role;
        QColor colour;
    };
    const Role roles[] = {
        {QPalette::WindowText, black},
        {QPalette::Button, face},
        {QPalette::Light, white},
        {QPalette::Midlight, QColor(233, 231, 227)},
        {QPalette::Dark, grey},
        {QPalette::Mid, QColor(160, 160, 160)},
        {QPalette::Text, black},
        {QPalette::BrightText, white},
        {QPalette::ButtonText, black},
        {QPalette::Base, white},
        {QPalette::Window, face},
        {QPalette::Shadow, black},
        {QPalette::Highlight, navy},
        {QPalette::HighlightedText, white},
        {QPalette::Link, QColor(0, 0, 255)},
        {QPalette::LinkVisited, QColor(128, 0, 128)},
        {QPalette::AlternateBase, white},
        {QPalette::NoRole, black},
        {QPalette::ToolTipBase, QColor(255, 255, 225)},
        {QPalette::ToolTipText, black},
        {QPalette::PlaceholderText, grey},
    };
    static_assert(std::size(roles) == QPalette::NColorRoles);
    QPalette palette;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (const Role& r : roles)
            palette.setColor(group, r.role, r.colour);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, grey);
    return palette;
}

} // namespace platform
