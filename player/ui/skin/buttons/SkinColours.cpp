#include "player/ui/skin/buttons/SkinColours.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// The palette roles that stand for the system colours skins and buttons use.
QPalette::ColorRole RoleOf(uint32_t index) {
    switch (index) {
    case 5: // window
        return QPalette::Base;
    case 6:  // window frame
    case 21: // 3-D dark shadow
        return QPalette::Shadow;
    case 7: // menu text
    case 8: // window text
        return QPalette::Text;
    case 13: // highlight
        return QPalette::Highlight;
    case 14: // highlight text
        return QPalette::HighlightedText;
    case 16: // button shadow
        return QPalette::Dark;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 22: // 3-D light
        return QPalette::Midlight;
    case 23: // tooltip text
        return QPalette::ToolTipText;
    case 24: // tooltip background
        return QPalette::ToolTipBase;
    case 15: // button face
        return QPalette::Button;
    default:
        return QPalette::Window;
    }
}

} // namespace

QColor SkinColours::ToQColor(skincolour::Value value) {
    if (value == skincolour::kNone) {
        return {};
    }
    const auto bits = static_cast<uint32_t>(value);
    if (bits & 0x80000000u) {
        return QGuiApplication::palette().color(QPalette::Active, RoleOf(bits & 0xFFu));
    }
    return QColor(bits & 0xFFu, (bits >> 8) & 0xFFu, (bits >> 16) & 0xFFu);
}

skincolour::Value SkinColours::FromQColor(const QColor& colour) {
    return static_cast<skincolour::Value>(static_cast<uint32_t>(colour.red()) |
                                          (static_cast<uint32_t>(colour.green()) << 8) |
                                          (static_cast<uint32_t>(colour.blue()) << 16));
}
