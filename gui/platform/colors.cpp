// The fixed table of system colours: a plain grey 3-D scheme chosen once for the game.
#include "gui/platform/colors.h"

#include <array>

namespace kvt::gui {
namespace {

constexpr std::array<TColor, 31> kSystemColors = {
    RGBColor(212, 208, 200),  // 0 scroll bar
    RGBColor(58, 110, 165),   // 1 desktop
    RGBColor(10, 36, 106),    // 2 active caption
    RGBColor(128, 128, 128),  // 3 inactive caption
    RGBColor(212, 208, 200),  // 4 menu
    RGBColor(255, 255, 255),  // 5 window
    RGBColor(0, 0, 0),        // 6 window frame
    RGBColor(0, 0, 0),        // 7 menu text
    RGBColor(0, 0, 0),        // 8 window text
    RGBColor(255, 255, 255),  // 9 caption text
    RGBColor(212, 208, 200),  // 10 active border
    RGBColor(212, 208, 200),  // 11 inactive border
    RGBColor(128, 128, 128),  // 12 application work space
    RGBColor(10, 36, 106),    // 13 highlight
    RGBColor(255, 255, 255),  // 14 highlighted text
    RGBColor(212, 208, 200),  // 15 button face
    RGBColor(128, 128, 128),  // 16 button shadow
    RGBColor(128, 128, 128),  // 17 grey text
    RGBColor(0, 0, 0),        // 18 button text
    RGBColor(212, 208, 200),  // 19 inactive caption text
    RGBColor(255, 255, 255),  // 20 button highlight
    RGBColor(64, 64, 64),     // 21 3-D dark shadow
    RGBColor(212, 208, 200),  // 22 3-D light
    RGBColor(0, 0, 0),        // 23 tooltip text
    RGBColor(255, 255, 225),  // 24 tooltip background
    RGBColor(181, 181, 181),  // 25 unused
    RGBColor(0, 0, 128),      // 26 hot-tracked item
    RGBColor(166, 202, 240),  // 27 active caption gradient
    RGBColor(192, 192, 192),  // 28 inactive caption gradient
    RGBColor(49, 106, 197),   // 29 menu highlight
    RGBColor(236, 233, 216),  // 30 menu bar
};

}  // namespace

TColor GetSysColor(int index) {
    if (index < 0 || index >= static_cast<int>(kSystemColors.size())) return clBlack;
    return kSystemColors[static_cast<std::size_t>(index)];
}

TColor ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFFu;
}

QColor ToQColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

TColor FromQColor(const QColor& color) { return RGBColor(color.red(), color.green(), color.blue()); }

QPalette SystemPalette() {
    QPalette p;
    const auto set = [&p](QPalette::ColorRole role, TColor c) { p.setColor(role, ToQColor(c)); };
    set(QPalette::Window, clBtnFace);
    set(QPalette::WindowText, clWindowText);
    set(QPalette::Base, clWindow);
    set(QPalette::AlternateBase, clBtnFace);
    set(QPalette::ToolTipBase, clInfoBk);
    set(QPalette::ToolTipText, clInfoText);
    set(QPalette::Text, clWindowText);
    set(QPalette::Button, clBtnFace);
    set(QPalette::ButtonText, clBtnText);
    set(QPalette::Light, clBtnHighlight);
    set(QPalette::Midlight, cl3DLight);
    set(QPalette::Mid, clBtnShadow);
    set(QPalette::Dark, clBtnShadow);
    set(QPalette::Shadow, cl3DDkShadow);
    set(QPalette::Highlight, clHighlight);
    set(QPalette::HighlightedText, clHighlightText);
    set(QPalette::BrightText, clWhite);
    p.setColor(QPalette::Disabled, QPalette::WindowText, ToQColor(clGrayText));
    p.setColor(QPalette::Disabled, QPalette::Text, ToQColor(clGrayText));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, ToQColor(clGrayText));
    return p;
}

}  // namespace kvt::gui
