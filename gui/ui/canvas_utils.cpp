// Drawing routines of the control library.
#include "gui/ui/canvas_utils.h"

#include <algorithm>
#include <cstdlib>

#include "gui/platform/edges.h"
#include "gui/platform/text_draw.h"
#include "gui/ui/library_tools.h"

namespace kvt::gui {
namespace {

void Fill(QPainter& p, int l, int t, int r, int b, TColor c) { FillRect(p, RectLTRB(l, t, r, b), c); }

// The outline of a rectangle, one pixel wide.
void Frame(QPainter& p, int l, int t, int r, int b, TColor c) {
    if (r <= l || b <= t) return;
    Fill(p, l, t, r, t + 1, c);
    Fill(p, l, b - 1, r, b, c);
    Fill(p, l, t, l + 1, b, c);
    Fill(p, r - 1, t, r, b, c);
}

int Right(const QRect& r) { return r.left() + r.width(); }
int Bottom(const QRect& r) { return r.top() + r.height(); }

int HueToRGB(int m1, int m2, int h) {
    if (h < 0) h += HLSMAX;
    if (h > HLSMAX) h -= HLSMAX;
    if (h < HLSMAX / 6) return m1 + ((m2 - m1) * h + HLSMAX / 12) / (HLSMAX / 6);
    if (h < HLSMAX / 2) return m2;
    if (h < HLSMAX * 2 / 3) return m1 + ((m2 - m1) * (HLSMAX * 2 / 3 - h) + HLSMAX / 12) / (HLSMAX / 6);
    return m1;
}

TColor WithLightness(TColor hls, int lightness) {
    return HLSToColor(MakeHLS(HueOf(hls), std::min(239, lightness), SaturationOf(hls)));
}

}  // namespace

std::uint32_t EdgeSides(TElBorderSides sides) {
    std::uint32_t f = 0;
    if (sides & ebsLeft) f |= BF_LEFT;
    if (sides & ebsTop) f |= BF_TOP;
    if (sides & ebsRight) f |= BF_RIGHT;
    if (sides & ebsBottom) f |= BF_BOTTOM;
    return f;
}

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    long long num = static_cast<long long>(a) * b;
    long long den = c;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const long long q = num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
    return static_cast<int>(q);
}

void GradientFillRect(QPainter& p, const QRect& rect, TColor startColor, TColor endColor, int steps, bool vertical) {
    GradientFillRectClipped(p, rect, rect, vertical, steps, startColor, endColor, QPoint(0, 0));
}

void GradientFillRectClipped(QPainter& p, const QRect& clipRect, const QRect& gradientRect, bool vertical, int steps,
                             TColor startColor, TColor endColor, QPoint origin) {
    const TColor s = ColorToRGB(startColor), e = ColorToRGB(endColor);
    const QRect clip = clipRect.translated(origin);
    const auto paint = [&](const QRect& band, TColor c) {
        const QRect part = band.intersected(clip);
        if (!part.isEmpty()) FillRect(p, part.translated(-origin), c);
    };
    if (s == e) {
        FillRect(p, gradientRect, s);  // one colour: the whole gradient rectangle, whatever ClipRect says
        return;
    }
    if (steps <= 0) return;
    if (steps == 1) {  // one band has the start colour; the colour step would divide by zero
        paint(gradientRect, s);
        return;
    }
    const int dr = RedOf(e) - RedOf(s), dg = GreenOf(e) - GreenOf(s), db = BlueOf(e) - BlueOf(s);
    const int length = vertical ? gradientRect.height() : gradientRect.width();
    const int start = vertical ? gradientRect.top() : gradientRect.left();
    for (int i = 0; i < steps; ++i) {
        const int a = start + MulDiv(i, length, steps);
        const int b = start + MulDiv(i + 1, length, steps);
        const TColor c = RGBColor(RedOf(s) + MulDiv(i, dr, steps - 1), GreenOf(s) + MulDiv(i, dg, steps - 1),
                                  BlueOf(s) + MulDiv(i, db, steps - 1));
        const QRect band = vertical ? RectLTRB(gradientRect.left(), a, Right(gradientRect), b)
                                    : RectLTRB(a, gradientRect.top(), b, Bottom(gradientRect));
        paint(band, c);
    }
}

void DrawTransparentBitmap(QPainter& p, const QImage& bitmap, int x, int y, const QRect& source,
                           TColor transparentColor) {
    const QRect src = source.intersected(bitmap.rect());
    if (src.isEmpty()) return;
    QImage piece = bitmap.copy(src).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ToQColor(transparentColor).rgb() & 0x00FFFFFFu;
    for (int yy = 0; yy < piece.height(); ++yy) {
        auto* line = reinterpret_cast<QRgb*>(piece.scanLine(yy));
        for (int xx = 0; xx < piece.width(); ++xx)
            if ((line[xx] & 0x00FFFFFFu) == key) line[xx] = 0;
    }
    p.drawImage(x + (src.left() - source.left()), y + (src.top() - source.top()), piece);
}

void DrawGlyphCell(QPainter& p, const QImage& strip, const QRect& dest, const QRect& source) {
    const QPoint corner(source.left(), source.top() + source.height() - 1);
    if (!strip.valid(corner)) return;
    DrawTransparentBitmap(p, strip, dest.left(), dest.top(), source, FromQColor(QColor(strip.pixel(corner))));
}

void DrawStyledText(QPainter& p, const QRect& rect, const QString& text, TElTextDrawType type, std::uint32_t flags) {
    const QPen saved = p.pen();
    QRect r = rect;
    if (type == tdtShadowed) {
        QRect s = rect.translated(2, 2);
        p.setPen(ToQColor(clBtnShadow));
        DrawText(p, text, s, flags);
    } else if (type == tdtRaised) {
        QRect s = rect.translated(-1, -1);
        p.setPen(ToQColor(clBtnHighlight));
        DrawText(p, text, s, flags);
    }
    p.setPen(saved);
    DrawText(p, text, r, flags);
}

void FillSolidRect(QPainter& p, const QRect& rect, TColor color) { FillRect(p, rect, color); }

void FillSolidRect(QPainter& p, int x, int y, int width, int height, TColor color) {
    FillRect(p, QRect(x, y, width, height), color);
}

void Draw3dRect(QPainter& p, int x, int y, int w, int h, TColor topLeft, TColor bottomRight) {
    if (w <= 0 || h <= 0) return;
    FillSolidRect(p, x, y, w - 1, 1, topLeft);
    FillSolidRect(p, x, y, 1, h - 1, topLeft);
    FillSolidRect(p, x + w - 1, y, 1, h, bottomRight);
    FillSolidRect(p, x, y + h - 1, w, 1, bottomRight);
}

void Draw3dRings(QPainter& p, const QRect& r, TColor a, TColor b, TColor c, TColor d) {
    Draw3dRect(p, r.left(), r.top(), r.width(), r.height(), a, d);
    Draw3dRect(p, r.left() + 1, r.top() + 1, r.width() - 2, r.height() - 2, b, c);
}

void DrawSpinButtonFrame(QPainter& p, const QRect& r, bool raised, bool pressed) {
    if (pressed)
        Draw3dRings(p, r, cl3DDkShadow, clBtnFace, clBtnShadow, clBtnHighlight);
    else if (raised)
        Draw3dRings(p, r, clBtnHighlight, clBtnShadow, clBtnFace, cl3DDkShadow);
    else
        Draw3dRings(p, r, clBtnHighlight, clBtnFace, clBtnFace, clBtnShadow);
}

void DrawThumbFrame(QPainter& p, const QRect& r, bool pressed) {
    if (pressed)
        Draw3dRings(p, r, clBtnFace, clBtnShadow, clBtnHighlight, cl3DDkShadow);
    else
        Draw3dRings(p, r, clBtnHighlight, clBtnFace, clBtnFace, clBtnShadow);
}

void DrawDoubleFrame(QPainter& p, const QRect& r, TColor otl, TColor obr, TColor itl, TColor ibr, bool single) {
    Draw3dRect(p, r.left(), r.top(), r.width(), r.height(), otl, obr);
    if (!single) Draw3dRect(p, r.left() + 1, r.top() + 1, r.width() - 2, r.height() - 2, itl, ibr);
}

void DrawButtonFace3DColors(QPainter& p, const QRect& r, bool deep, TColor shadow, TColor face, TColor darkShadow,
                            TColor highlight, bool flat, bool pressed) {
    if (pressed)
        DrawDoubleFrame(p, r, darkShadow, highlight, shadow, face, flat);
    else if (deep)
        DrawDoubleFrame(p, r, highlight, darkShadow, face, shadow, flat);
    else
        DrawDoubleFrame(p, r, highlight, shadow, face, face, flat);
}

void DrawButtonFace3D(QPainter& p, const QRect& r, bool deep, bool pressed, TColor faceColor, bool flat) {
    TColor highlight = clBtnHighlight, dark = cl3DDkShadow, face = clBtnFace, shadow = clBtnShadow;
    if (faceColor != clBtnFace) {
        const TColor hls = ColorToHLS(faceColor);
        const int l = LightnessOf(hls);
        face = faceColor;
        if (l != 0) {
            highlight = WithLightness(hls, l + l / 3);
            dark = WithLightness(hls, l - l / 2);
            shadow = WithLightness(hls, l - l / 3);
        }
    }
    if (pressed && deep)
        DrawDoubleFrame(p, r, dark, highlight, shadow, face, flat);
    else if (pressed)
        DrawDoubleFrame(p, r, shadow, highlight, face, face, flat);
    else if (deep)
        DrawDoubleFrame(p, r, highlight, dark, face, shadow, flat);
    else
        DrawDoubleFrame(p, r, highlight, shadow, face, face, flat);
}

QRect DrawSideLines(QPainter& p, const QRect& rect, TColor tl, TElBorderSides sides, TColor br) {
    const int l = rect.left(), t = rect.top(), r = Right(rect), b = Bottom(rect);
    if (sides & ebsLeft) Fill(p, l, t, l + 1, b, tl);
    if (sides & ebsTop) Fill(p, l, t, r, t + 1, tl);
    if (sides & ebsRight) Fill(p, r - 1, t, r, b, br);
    if (sides & ebsBottom) Fill(p, l, b - 1, r, b, br);
    return RectLTRB(l + ((sides & ebsLeft) ? 1 : 0), t + ((sides & ebsTop) ? 1 : 0), r - ((sides & ebsRight) ? 1 : 0),
                    b - ((sides & ebsBottom) ? 1 : 0));
}

void DrawFlatFrame(QPainter& p, const QRect& rect, TColor color, TElBorderSides sides, bool deep) {
    QRect r = DrawSideLines(p, rect, color, sides, color);
    r = DrawSideLines(p, r, color, sides, color);
    r = DrawSideLines(p, r, clBtnShadow, sides, clBtnHighlight);
    if (deep) DrawSideLines(p, r, clBtnText, sides, cl3DLight);
}

void DrawFlatFrameAll(QPainter& p, const QRect& rect, TColor color, bool deep) {
    DrawFlatFrame(p, rect, color, kAllBorderSides, deep);
}

void DrawButtonFrame(QPainter& p, const QRect& rect, TColor bkColor, TElFlatBorderType type, TElBorderSides sides,
                     TColor lineColor) {
    const bool sl = sides & ebsLeft, st = sides & ebsTop, sr = sides & ebsRight, sb = sides & ebsBottom;
    switch (type) {
        case fbtFlat:
            DrawFlatFrame(p, rect, lineColor, sides, false);
            return;
        case fbtLine:
        case fbtLineBorder:
        case fbtNone: {
            QRect r = DrawSideLines(p, rect, lineColor, sides, lineColor);
            DrawSideLines(p, r, lineColor, sides, lineColor);
            if (type == fbtLine && sb) Fill(p, rect.left(), Bottom(rect) - 1, Right(rect), Bottom(rect), clWindowFrame);
            if (type == fbtLineBorder) DrawSideLines(p, rect, clWindowFrame, sides, clWindowFrame);
            return;
        }
        case fbtColorLineBorder: {
            const QRect r = DrawSideLines(p, rect, bkColor, sides, bkColor);
            DrawSideLines(p, r, lineColor, sides, lineColor);
            return;
        }
        default:
            break;
    }
    std::uint32_t edge = EDGE_SUNKEN;
    switch (type) {
        case fbtSunken: edge = EDGE_SUNKEN; break;
        case fbtSunkenInner: edge = BDR_SUNKENINNER; break;
        case fbtSunkenOuter: edge = BDR_SUNKENOUTER; break;
        case fbtRaised: edge = EDGE_RAISED; break;
        case fbtRaisedInner: edge = BDR_RAISEDINNER; break;
        case fbtRaisedOuter: edge = BDR_RAISEDOUTER; break;
        case fbtBump:
        case fbtBigBump:
        case fbtFramed: edge = EDGE_BUMP; break;
        case fbtEtched: edge = EDGE_ETCHED; break;
        default: break;
    }
    QRect a = rect;
    DrawEdge(p, a, edge, EdgeSides(sides) | BF_ADJUST);
    const int L = a.left(), T = a.top(), R = Right(a), B = Bottom(a);
    switch (type) {
        case fbtSunkenInner:
            if (sl) Frame(p, L, T, L + 1, B, clBtnFace);
            if (st) Frame(p, L, T, R, T + 1, clBtnFace);
            if (sr) Fill(p, R - 1, T, R, B, clBtnFace);
            if (sb) Fill(p, L, B - 1, R, B, clBtnFace);
            if (sr) Fill(p, R, T - 1, R + 1, B + 1, clBtnFace);
            if (sb) Fill(p, L - 1, B, R + 1, B + 1, clBtnFace);
            break;
        case fbtSunkenOuter:
            if (sl) Frame(p, L, T, L + 1, B - 1, clBtnFace);
            if (st) Frame(p, L, T, R - 1, T + 1, clBtnFace);
            if (sr) Fill(p, R - 1, T, R, B, clBtnFace);
            if (sb) Fill(p, L, B - 1, R, B, clBtnFace);
            if (sr) Fill(p, R, T - 1, R + 1, B + 1, clWindow);
            if (sb) Fill(p, L - 1, B, R + 1, B + 1, clWindow);
            break;
        case fbtRaisedInner:
            if (sl) Frame(p, L, T, L + 1, B, clBtnFace);
            if (st) Frame(p, L, T, R, T + 1, clBtnFace);
            if (sr) Fill(p, R - 1, T, R, B, clBtnFace);
            if (sb) Fill(p, L, B - 1, R, B, clBtnFace);
            break;
        case fbtRaisedOuter:
            if (sl) Fill(p, L, T, L + 1, B, clBtnFace);
            if (st) Fill(p, L, T, R, T + 1, clBtnFace);
            if (sr) Fill(p, R - 1, T, R, B, clBtnFace);
            if (sb) Fill(p, L, B - 1, R, B, clBtnFace);
            if (sr) Fill(p, R, T - 1, R + 1, B + 1, clBtnShadow);
            if (sb) Fill(p, L - 1, B, R + 1, B + 1, clBtnShadow);
            break;
        case fbtBump:
        case fbtBigBump:
            if (sl) Fill(p, L - 1, T - 1, L, B, clBtnShadow);
            if (st) Fill(p, L, T - 1, R, T, clBtnShadow);
            if (sr) Fill(p, R + 2, T - 2, R + 1, B + 2, clBtnShadow);  // inverted: paints nothing
            if (sb) Fill(p, L - 2, B + 1, R + 2, B + 2, clBtnShadow);
            if (type == fbtBigBump) {
                if (sl) Fill(p, L - 2, T - 2, L - 1, B + 1, clWindow);
                if (st) Fill(p, L - 2, T - 2, R + 1, T - 1, clWindow);
                if (sr) Fill(p, R + 1, T - 2, R, B + 1, clWindow);  // inverted: paints nothing
                if (sb) Fill(p, L - 2, B, R + 1, B + 1, clWindow);
            }
            break;
        case fbtEtched:
            if (sl && st)
                Fill(p, L - 1, T - 1, R, T, clBtnFace);
            else if (st)
                Fill(p, L, T - 1, R, T, clBtnFace);
            break;
        case fbtFramed:
            if (sl) Frame(p, L - 1, T, L, B, clBtnFace);
            if (st) Frame(p, L - 2, T - 1, R + 1, T, clBtnFace);
            if (sr) Frame(p, R + 1, T - 2, R + 2, B + 2, clBtnShadow);
            if (sb) Frame(p, L - 2, B + 1, R + 2, B + 2, clBtnShadow);
            break;
        case fbtRaised: {
            QRect r = DrawSideLines(p, a, lineColor, sides, lineColor);
            r = DrawSideLines(p, r, lineColor, sides, lineColor);
            DrawSideLines(p, r, clBtnShadow, sides, clBtnHighlight);
            break;
        }
        default:
            break;
    }
}

void DrawArrow(QPainter& p, int direction, const QRect& rect, bool enabled, TColor color) {
    const bool horizontal = direction == 0 || direction == 2;
    if (horizontal ? (rect.width() < 3 || rect.height() < 6) : (rect.width() < 6 || rect.height() < 3)) return;
    const auto draw = [&](int dx, int dy, TColor c) {
        const int cx = rect.left() + rect.width() / 2 + dx;
        const int cy = rect.top() + rect.height() / 2 + dy;
        for (int k = 0; k < 4; ++k) {
            const int half = 3 - k;
            switch (direction) {
                case 0: Fill(p, cx - 2 + 3 - k, cy - half, cx - 2 + 4 - k, cy + half + 1, c); break;
                case 1: Fill(p, cx - half, cy - 2 + 3 - k, cx + half + 1, cy - 2 + 4 - k, c); break;
                case 2: Fill(p, cx - 2 + k, cy - half, cx - 1 + k, cy + half + 1, c); break;
                default: Fill(p, cx - half, cy - 2 + k, cx + half + 1, cy - 1 + k, c); break;
            }
        }
    };
    if (enabled) {
        draw(0, 0, color);
    } else {
        draw(1, 1, clBtnHighlight);
        draw(0, 0, clBtnShadow);
    }
}

void AlphaFillRect(QImage& image, const QRect& rect, TColor color, int alpha) {
    const QRect r = rect.intersected(image.rect());
    const TColor c = ColorToRGB(color);
    const int a = std::clamp(alpha, 0, 255);
    for (int y = r.top(); y < r.top() + r.height(); ++y) {
        for (int x = r.left(); x < r.left() + r.width(); ++x) {
            const QRgb old = image.pixel(x, y);
            const auto mix = [a](int o, int n) { return ((256 - a) * o + a * n) / 256; };
            image.setPixel(x, y, qRgb(mix(qRed(old), RedOf(c)), mix(qGreen(old), GreenOf(c)), mix(qBlue(old), BlueOf(c))));
        }
    }
}

TColor ColorToHLS(TColor color) {
    const TColor rgb = ColorToRGB(color);
    const int r = RedOf(rgb), g = GreenOf(rgb), b = BlueOf(rgb);
    const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
    const int l = ((mx + mn) * HLSMAX + RGBMAX) / (2 * RGBMAX);
    if (mx == mn) return MakeHLS(HLSMAX * 2 / 3, l, 0);
    int s;
    if (l <= HLSMAX / 2)
        s = ((mx - mn) * HLSMAX + (mx + mn) / 2) / (mx + mn);
    else
        s = ((mx - mn) * HLSMAX + (2 * RGBMAX - mx - mn) / 2) / (2 * RGBMAX - mx - mn);
    const int dr = ((mx - r) * (HLSMAX / 6) + (mx - mn) / 2) / (mx - mn);
    const int dg = ((mx - g) * (HLSMAX / 6) + (mx - mn) / 2) / (mx - mn);
    const int db = ((mx - b) * (HLSMAX / 6) + (mx - mn) / 2) / (mx - mn);
    int h;
    if (r == mx)
        h = db - dg;
    else if (g == mx)
        h = HLSMAX / 3 + dr - db;
    else
        h = HLSMAX * 2 / 3 + dg - dr;
    if (h < 0) h += HLSMAX;
    if (h > HLSMAX) h -= HLSMAX;
    return MakeHLS(h, l, s);
}

TColor HLSToColor(TColor hls) {
    const int h = HueOf(hls), l = LightnessOf(hls), s = SaturationOf(hls);
    if (s == 0) {
        const int grey = l * RGBMAX / HLSMAX;
        return RGBColor(grey, grey, grey);
    }
    const int m2 = l <= HLSMAX / 2 ? ((HLSMAX + s) * l + HLSMAX / 2) / HLSMAX : l + s - (l * s + HLSMAX / 2) / HLSMAX;
    const int m1 = 2 * l - m2;
    const auto channel = [&](int hue) {
        return std::clamp((HueToRGB(m1, m2, hue) * RGBMAX + HLSMAX / 2) / HLSMAX, 0, 255);
    };
    return RGBColor(channel(h + HLSMAX / 3), channel(h), channel(h - HLSMAX / 3));
}

int GrabHitTest(const QRect& rect, QPoint pt, int g, int c) {
    const int L = rect.left(), T = rect.top(), R = Right(rect), B = Bottom(rect);
    const int x = pt.x(), y = pt.y();
    if (x < L || x >= R || y < T || y >= B) return HTNOWHERE;
    if (x >= L && x <= L + g - 1) return y <= T + c ? HTTOPLEFT : (y < B - c - 1 ? HTLEFT : HTBOTTOMLEFT);
    if (y >= T && y <= T + g - 1) return x <= L + c ? HTTOPLEFT : (x < R - c - 1 ? HTTOP : HTTOPRIGHT);
    if (y >= B - g - 1 && y <= B - 1) return x <= L + c ? HTBOTTOMLEFT : (x < R - c - 1 ? HTBOTTOM : HTBOTTOMRIGHT);
    if (x >= R - g - 1 && x <= R - 1) return y <= T + c ? HTTOPRIGHT : (y < B - c - 1 ? HTRIGHT : HTBOTTOMRIGHT);
    return HTCLIENT;
}

TElFlatScrollGeometry FlatScrollBarRects(QSize window, QSize client, int border, bool horzShown, bool vertShown,
                                         int which) {
    TElFlatScrollGeometry g;
    const bool h = horzShown && (which & 1), v = vertShown && (which & 2);
    const int H = kScrollArrowSize, V = kScrollArrowSize, B = border;
    const int right = window.width(), bottom = window.height();
    const bool widthAllows = window.width() - client.width() >= H + B;
    const bool heightAllows = window.height() - client.height() >= V + B;
    if (h && v && widthAllows && heightAllows) {
        g.Horizontal = RectLTRB(B, bottom - B - V, right - B - H, bottom - B);
        g.Vertical = RectLTRB(right - B - H, B, right - B, bottom - B - V);
    } else if (v && widthAllows) {
        g.Vertical = RectLTRB(right - B - H, B, right - B, bottom - B);
    } else if (h && heightAllows) {
        g.Horizontal = RectLTRB(B, bottom - B - V, right - B, bottom - B);
    }
    return g;
}

void FlatScrollThumb(int barLength, const TElScrollInfo& info, bool tracking, bool ownControl, int& start,
                     int& length) {
    start = 0;
    length = 0;
    const int s = barLength < 2 * kScrollArrowSize ? barLength / 2 : kScrollArrowSize;
    const int range = info.Max - info.Min + 1;
    if (range == 0) return;
    const int track = barLength - 2 * s;
    int thumb;
    if (info.Page == 0) {
        thumb = kScrollArrowSize;
    } else {
        thumb = MulDiv(info.Page, track, range);
        thumb = std::max(thumb, WindowsVersion().IsWin98 ? kScrollArrowSize / 2 : 8);
    }
    if (thumb >= track) {
        if (!ownControl) return;
        thumb = track;
    }
    if (thumb <= 0) return;
    const int pos = tracking ? info.TrackPos : info.Pos;
    if (range != info.Page) {
        start = s + MulDiv(pos - info.Min, track - thumb, range - info.Page);
        length = thumb;
    } else {
        start = s;
        length = thumb - 1;
    }
}

void DrawFlatScrollBar(QPainter& p, const QRect& bar, bool vertical, const TElScrollInfo& info, bool pressed,
                       bool tracking, bool ownControl, bool enabled) {
    const int len = vertical ? bar.height() : bar.width();
    const int s = len < 2 * kScrollArrowSize ? len / 2 : kScrollArrowSize;
    if (!tracking) {
        if (vertical) {
            DrawThumbFrame(p, QRect(bar.left(), bar.top(), bar.width(), s), pressed);
            DrawThumbFrame(p, QRect(bar.left(), Bottom(bar) - s, bar.width(), s), pressed);
        } else {
            DrawThumbFrame(p, QRect(bar.left(), bar.top(), s, bar.height()), pressed);
            DrawThumbFrame(p, QRect(Right(bar) - s, bar.top(), s, bar.height()), pressed);
        }
    }
    if (ownControl && !enabled) return;
    int start = 0, length = 0;
    FlatScrollThumb(len, info, tracking, ownControl, start, length);
    if (length <= 0) return;
    if (vertical)
        DrawThumbFrame(p, QRect(bar.left(), bar.top() + start, bar.width(), length), false);
    else
        DrawThumbFrame(p, QRect(bar.left() + start, bar.top(), length, bar.height()), false);
}

QWidget* FindControlByHandle(QWidget* parent, WId handle) {
    if (!parent || handle == 0) return nullptr;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && w->internalWinId() != 0 && w->internalWinId() == handle) return w;
    }
    return nullptr;
}

}  // namespace kvt::gui
