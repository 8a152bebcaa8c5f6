// Text drawing with the flags the controls pass (centre, single line, ellipsis, measuring, and
// "&" marking the accelerator letter). Line breaks may be CR LF, as captions store them.
#pragma once

#include <QPainter>
#include <QRect>
#include <QString>

#include <cstdint>

namespace kvt::gui {

constexpr std::uint32_t DT_TOP = 0x0;
constexpr std::uint32_t DT_LEFT = 0x0;
constexpr std::uint32_t DT_CENTER = 0x1;
constexpr std::uint32_t DT_RIGHT = 0x2;
constexpr std::uint32_t DT_VCENTER = 0x4;
constexpr std::uint32_t DT_BOTTOM = 0x8;
constexpr std::uint32_t DT_WORDBREAK = 0x10;
constexpr std::uint32_t DT_SINGLELINE = 0x20;
constexpr std::uint32_t DT_EXPANDTABS = 0x40;
constexpr std::uint32_t DT_NOCLIP = 0x100;
constexpr std::uint32_t DT_CALCRECT = 0x400;
constexpr std::uint32_t DT_NOPREFIX = 0x800;
constexpr std::uint32_t DT_END_ELLIPSIS = 0x8000;
constexpr std::uint32_t DT_HIDEPREFIX = 0x100000;

// Draws the text in the painter's pen colour and font; with DT_CALCRECT it only measures and
// sets the right and bottom of rect. Vertical placement applies to single lines only. Returns the
// height of the text.
int DrawText(QPainter& painter, const QString& text, QRect& rect, std::uint32_t flags);
// The same measurement without a painter.
QRect MeasureText(const QFont& font, const QString& text, const QRect& bounds, std::uint32_t flags);

// The accelerator letter of a caption: the character after a single "&" ("&&" is a literal "&"),
// or a null character when there is none.
QChar AcceleratorOf(const QString& caption);
// Whether a key character is the caption's accelerator, ignoring case.
bool IsAccel(QChar key, const QString& caption);

}  // namespace kvt::gui
