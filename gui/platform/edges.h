// The 3-D edges, check and radio marks and focus rectangle that owner-drawn controls paint,
// in the colours of the fixed system table.
#pragma once

#include <QPainter>
#include <QRect>

#include <cstdint>

#include "gui/platform/colors.h"

namespace kvt::gui {

constexpr std::uint32_t BDR_RAISEDOUTER = 0x1;
constexpr std::uint32_t BDR_SUNKENOUTER = 0x2;
constexpr std::uint32_t BDR_RAISEDINNER = 0x4;
constexpr std::uint32_t BDR_SUNKENINNER = 0x8;
constexpr std::uint32_t EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr std::uint32_t EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr std::uint32_t EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr std::uint32_t EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

constexpr std::uint32_t BF_LEFT = 0x1;
constexpr std::uint32_t BF_TOP = 0x2;
constexpr std::uint32_t BF_RIGHT = 0x4;
constexpr std::uint32_t BF_BOTTOM = 0x8;
constexpr std::uint32_t BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr std::uint32_t BF_MIDDLE = 0x800;
constexpr std::uint32_t BF_ADJUST = 0x2000;
constexpr std::uint32_t BF_FLAT = 0x4000;

// Draws up to two one-pixel rings (outer, then inner) on the chosen sides; with BF_ADJUST the
// rectangle shrinks by what was drawn.
void DrawEdge(QPainter& painter, QRect& rect, std::uint32_t edge, std::uint32_t flags);

constexpr std::uint32_t DFC_BUTTON = 4;
constexpr std::uint32_t DFCS_BUTTONCHECK = 0x0;
constexpr std::uint32_t DFCS_BUTTONRADIO = 0x4;
constexpr std::uint32_t DFCS_BUTTON3STATE = 0x8;
constexpr std::uint32_t DFCS_BUTTONPUSH = 0x10;
constexpr std::uint32_t DFCS_INACTIVE = 0x100;
constexpr std::uint32_t DFCS_PUSHED = 0x200;
constexpr std::uint32_t DFCS_CHECKED = 0x400;
constexpr std::uint32_t DFCS_FLAT = 0x4000;

// Check box, radio button and push button faces (only DFC_BUTTON is known).
void DrawFrameControl(QPainter& painter, const QRect& rect, std::uint32_t type, std::uint32_t state);

// The dotted focus rectangle, drawn by inverting every other pixel of its outline.
void DrawFocusRect(QPainter& painter, const QRect& rect);

// A rectangle given by its edges (right and bottom exclusive), as the controls compute them.
inline QRect RectLTRB(int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); }
// Fills with a system or plain colour; an empty or inverted rectangle paints nothing.
void FillRect(QPainter& painter, const QRect& rect, TColor color);

}  // namespace kvt::gui
