// Edges, marks and focus rectangles, pixel by pixel so they look the same at every size.
#include "gui/platform/edges.h"

#include <array>

namespace kvt::gui {
namespace {

void Line(QPainter& p, int x1, int y1, int x2, int y2, TColor c) {
    p.setPen(ToQColor(c));
    p.drawLine(x1, y1, x2, y2);
}

// One ring: top and left in tl, bottom and right in br; Windows-style half-open rectangle.
void Ring(QPainter& p, const QRect& r, std::uint32_t sides, TColor tl, TColor br) {
    if (r.width() <= 0 || r.height() <= 0) return;
    const int l = r.left(), t = r.top(), rr = r.left() + r.width() - 1, b = r.top() + r.height() - 1;
    if (sides & BF_TOP) Line(p, l, t, rr, t, tl);
    if (sides & BF_LEFT) Line(p, l, t, l, b, tl);
    if (sides & BF_BOTTOM) Line(p, l, b, rr, b, br);
    if (sides & BF_RIGHT) Line(p, rr, t, rr, b, br);
}

QRect Shrink(const QRect& r, std::uint32_t sides) {
    return r.adjusted((sides & BF_LEFT) ? 1 : 0, (sides & BF_TOP) ? 1 : 0, (sides & BF_RIGHT) ? -1 : 0,
                      (sides & BF_BOTTOM) ? -1 : 0);
}

void Pixel(QPainter& p, int x, int y, TColor c) {
    p.setPen(ToQColor(c));
    p.drawPoint(x, y);
}

// 12 x 12 radio mark: O outer ring, I inner ring, w interior.
constexpr std::array<const char*, 12> kRadioMap = {
    "....OOOO....", "..OOIIIIOO..", ".OIIwwwwIIO.", ".OIwwwwwwIO.", "OIwwwwwwwwIO", "OIwwwwwwwwIO",
    "OIwwwwwwwwIO", "OIwwwwwwwwIO", ".OIwwwwwwIO.", ".OIIwwwwIIO.", "..OOIIIIOO..", "....OOOO....",
};
constexpr std::array<const char*, 4> kRadioDot = {".XX.", "XXXX", "XXXX", ".XX."};

void DrawRadio(QPainter& p, const QRect& r, std::uint32_t state) {
    const bool inactive = state & DFCS_INACTIVE;
    const bool pushed = state & DFCS_PUSHED;
    const bool flat = state & DFCS_FLAT;
    // In the 13-pixel cell of a check item the mark stands one pixel in from the left and level
    // with the top, where the flat rings are laid over it.
    const int x0 = r.left() + (r.width() - 11) / 2, y0 = r.top() + (r.height() - 12) / 2;
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const char k = kRadioMap[static_cast<std::size_t>(y)][x];
            const bool topLeft = x + y <= 10;
            TColor c;
            if (k == 'O')
                c = flat ? clBtnShadow : (topLeft ? clBtnShadow : clBtnHighlight);
            else if (k == 'I')
                c = flat ? ((inactive || pushed) ? clBtnFace : clWindow) : (topLeft ? cl3DDkShadow : cl3DLight);
            else if (k == 'w')
                c = (inactive || pushed) ? clBtnFace : clWindow;
            else
                continue;
            Pixel(p, x0 + x, y0 + y, c);
        }
    }
    if (state & DFCS_CHECKED) {
        const TColor dot = inactive ? clBtnShadow : clWindowText;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                if (kRadioDot[static_cast<std::size_t>(y)][x] == 'X') Pixel(p, x0 + 4 + x, y0 + 4 + y, dot);
    }
}

void DrawCheck(QPainter& p, const QRect& r, std::uint32_t state) {
    const bool inactive = state & DFCS_INACTIVE;
    const bool pushed = state & DFCS_PUSHED;
    const bool grayed = (state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED);
    QRect box(r.left(), r.top() + (r.height() - 13) / 2, 13, 13);
    if (state & DFCS_FLAT) {
        Ring(p, box, BF_RECT, clBtnShadow, clBtnShadow);
        box = Shrink(box, BF_RECT);
    } else {
        DrawEdge(p, box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    FillRect(p, box, (inactive || pushed || grayed) ? clBtnFace : clWindow);
    if (!(state & DFCS_CHECKED)) return;
    const TColor mark = (inactive || grayed) ? clBtnShadow : clWindowText;
    // The tick: seven columns three pixels deep, lowest at the third column.
    static constexpr std::array<int, 7> kTop = {5, 6, 7, 6, 5, 4, 3};
    for (int i = 0; i < 7; ++i) {
        const int top = box.top() + kTop[static_cast<std::size_t>(i)] - 2;
        Line(p, box.left() + 1 + i, top, box.left() + 1 + i, top + 2, mark);
    }
}

}  // namespace

void FillRect(QPainter& painter, const QRect& rect, TColor color) {
    if (rect.width() <= 0 || rect.height() <= 0 || color == clNone) return;
    painter.fillRect(rect, ToQColor(color));
}

void DrawEdge(QPainter& painter, QRect& rect, std::uint32_t edge, std::uint32_t flags) {
    const std::uint32_t sides = flags & BF_RECT;
    QRect r = rect;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const bool flat = flags & BF_FLAT;
    // Outer ring.
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        if (flat)
            Ring(painter, r, sides, clBtnShadow, clBtnShadow);
        else if (edge & BDR_RAISEDOUTER)
            Ring(painter, r, sides, cl3DLight, cl3DDkShadow);
        else
            Ring(painter, r, sides, clBtnShadow, clBtnHighlight);
        r = Shrink(r, sides);
    }
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        if (flat)
            Ring(painter, r, sides, clBtnFace, clBtnFace);
        else if (edge & BDR_RAISEDINNER)
            Ring(painter, r, sides, clBtnHighlight, clBtnShadow);
        else
            Ring(painter, r, sides, cl3DDkShadow, cl3DLight);
        r = Shrink(r, sides);
    }
    if (flags & BF_MIDDLE) FillRect(painter, r, clBtnFace);
    painter.restore();
    if (flags & BF_ADJUST) rect = r;
}

void DrawFrameControl(QPainter& painter, const QRect& rect, std::uint32_t type, std::uint32_t state) {
    if (type != DFC_BUTTON) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (state & DFCS_BUTTONPUSH) {
        QRect r = rect;
        FillRect(painter, r, clBtnFace);
        DrawEdge(painter, r, (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    } else if (state & DFCS_BUTTONRADIO) {
        DrawRadio(painter, rect, state);
    } else {
        DrawCheck(painter, rect, state);
    }
    painter.restore();
}

void DrawFocusRect(QPainter& painter, const QRect& rect) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(Qt::white);
    const int l = rect.left(), t = rect.top(), r = rect.left() + rect.width() - 1, b = rect.top() + rect.height() - 1;
    // One walk round the outline so that corners are inverted once.
    int i = 0;
    for (int x = l; x <= r; ++x, ++i)
        if (i % 2 == 0) painter.drawPoint(x, t);
    for (int y = t + 1; y <= b; ++y, ++i)
        if (i % 2 == 0) painter.drawPoint(r, y);
    if (b > t)
        for (int x = r - 1; x >= l; --x, ++i)
            if (i % 2 == 0) painter.drawPoint(x, b);
    if (r > l)
        for (int y = b - 1; y > t; --y, ++i)
            if (i % 2 == 0) painter.drawPoint(l, y);
    painter.restore();
}

}  // namespace kvt::gui
