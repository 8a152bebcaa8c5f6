// Drawing routines shared by every owner-drawn control: gradients, a transparent-colour blit,
// 3-D and flat frames in fifteen border styles, styled text, small arrows, side lines, alpha
// blending, colour conversion between RGB and hue-lightness-saturation (0..252 each), the
// grab-zone hit test of resizable panels and flat scroll bars. Colours may be system colours.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>

#include "gui/platform/colors.h"
#include "gui/ui/published_enums.h"

namespace kvt::gui {

enum TElBkGndType {
    bgtTileBitmap,
    bgtStretchBitmap,
    bgtColorFill,
    bgtCenterBitmap,
    bgtHorzGradient,
    bgtVertGradient,
    bgtTopLeftBitmap
};

enum TElBorderSide : std::uint8_t { ebsLeft = 1, ebsRight = 2, ebsTop = 4, ebsBottom = 8 };
using TElBorderSides = std::uint8_t;
constexpr TElBorderSides kAllBorderSides = ebsLeft | ebsRight | ebsTop | ebsBottom;

// The DrawEdge side flags (BF_LEFT, ...) of the chosen border sides.
std::uint32_t EdgeSides(TElBorderSides sides);

enum TElFlatBorderType {
    fbtFlat,
    fbtSunken,
    fbtSunkenInner,
    fbtSunkenOuter,
    fbtRaised,
    fbtRaisedInner,
    fbtRaisedOuter,
    fbtBump,
    fbtBigBump,
    fbtEtched,
    fbtFramed,
    fbtLine,
    fbtLineBorder,
    fbtNone,
    fbtColorLineBorder
};

constexpr int HLSMAX = 252;
constexpr int RGBMAX = 255;

// a x b / c rounded half away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

// Steps bands from start to end colour; steps <= 0 paints nothing; equal colours or a single
// step fill plainly.
void GradientFillRect(QPainter& p, const QRect& rect, TColor startColor, TColor endColor, int steps, bool vertical);
// The same bands over gradientRect, painted where they meet clipRect moved by origin, and drawn
// back at clipRect's place. Equal colours fill gradientRect itself, unclipped and unmoved.
void GradientFillRectClipped(QPainter& p, const QRect& clipRect, const QRect& gradientRect, bool vertical, int steps,
                             TColor startColor, TColor endColor, QPoint origin);
// Copies source of the bitmap to (x, y), leaving the transparent colour's pixels unpainted.
void DrawTransparentBitmap(QPainter& p, const QImage& bitmap, int x, int y, const QRect& source,
                           TColor transparentColor);
// One cell of a glyph strip (source) at dest's top-left: the colour of the cell's bottom-left
// pixel is transparent; a cell whose corner lies outside the strip draws nothing.
void DrawGlyphCell(QPainter& p, const QImage& strip, const QRect& dest, const QRect& source);
// Text in the painter's pen colour, plain, shadowed (copy at +2,+2) or raised (copy at -1,-1).
void DrawStyledText(QPainter& p, const QRect& rect, const QString& text, TElTextDrawType type, std::uint32_t flags);
void FillSolidRect(QPainter& p, const QRect& rect, TColor color);
void FillSolidRect(QPainter& p, int x, int y, int width, int height, TColor color);
void Draw3dRect(QPainter& p, int x, int y, int width, int height, TColor topLeft, TColor bottomRight);
void Draw3dRings(QPainter& p, const QRect& rect, TColor a, TColor b, TColor c, TColor d);
void DrawSpinButtonFrame(QPainter& p, const QRect& rect, bool raised, bool pressed);
void DrawThumbFrame(QPainter& p, const QRect& rect, bool pressed);
void DrawDoubleFrame(QPainter& p, const QRect& rect, TColor outerTopLeft, TColor outerBottomRight,
                     TColor innerTopLeft, TColor innerBottomRight, bool single);
// Button edges derived from the face colour.
void DrawButtonFace3D(QPainter& p, const QRect& rect, bool deep, bool pressed, TColor faceColor, bool flat);
void DrawButtonFace3DColors(QPainter& p, const QRect& rect, bool deep, TColor shadow, TColor face, TColor darkShadow,
                            TColor highlight, bool flat, bool pressed);
// One-pixel lines on the chosen sides; answers the rectangle inside what was drawn.
QRect DrawSideLines(QPainter& p, const QRect& rect, TColor topLeftColor, TElBorderSides sides,
                    TColor bottomRightColor);
void DrawFlatFrame(QPainter& p, const QRect& rect, TColor color, TElBorderSides sides, bool deep);
void DrawFlatFrameAll(QPainter& p, const QRect& rect, TColor color, bool deep);
void DrawButtonFrame(QPainter& p, const QRect& rect, TColor bkColor, TElFlatBorderType borderType,
                     TElBorderSides sides, TColor lineColor);
// Direction 0 left, 1 up, 2 right, 3 down: a 7-pixel-based triangle centred in the rectangle.
void DrawArrow(QPainter& p, int direction, const QRect& rect, bool enabled, TColor color);
void AlphaFillRect(QImage& image, const QRect& rect, TColor color, int alpha);

// Packed like a colour: hue in the low byte, lightness in the second, saturation in the third.
TColor ColorToHLS(TColor color);
TColor HLSToColor(TColor hls);
constexpr int HueOf(TColor hls) { return static_cast<int>(hls & 0xFF); }
constexpr int LightnessOf(TColor hls) { return static_cast<int>((hls >> 8) & 0xFF); }
constexpr int SaturationOf(TColor hls) { return static_cast<int>((hls >> 16) & 0xFF); }
constexpr TColor MakeHLS(int h, int l, int s) { return RGBColor(h, l, s); }

constexpr int HTNOWHERE = 0, HTCLIENT = 1, HTLEFT = 10, HTRIGHT = 11, HTTOP = 12, HTTOPLEFT = 13, HTTOPRIGHT = 14,
              HTBOTTOM = 15, HTBOTTOMLEFT = 16, HTBOTTOMRIGHT = 17;
int GrabHitTest(const QRect& rect, QPoint point, int grabSize, int cornerSize);

// Flat scroll bars over a window's own ones: the geometry, then the drawing.
struct TElScrollInfo {
    int Min = 0, Max = 0, Page = 0, Pos = 0, TrackPos = 0;
};
constexpr int kScrollArrowSize = 16;  // width of a vertical bar, height of a horizontal one
struct TElFlatScrollGeometry {
    QRect Horizontal;  // empty when not drawn
    QRect Vertical;
};
// which: 1 horizontal only, 2 vertical only, 3 both. window is the outer size, client the inner.
TElFlatScrollGeometry FlatScrollBarRects(QSize window, QSize client, int border, bool horzShown, bool vertShown,
                                         int which);
// The thumb's start (from the bar's start) and length; length 0 when nothing is drawn.
void FlatScrollThumb(int barLength, const TElScrollInfo& info, bool tracking, bool ownControl, int& start,
                     int& length);
void DrawFlatScrollBar(QPainter& p, const QRect& bar, bool vertical, const TElScrollInfo& info, bool pressed,
                       bool tracking, bool ownControl, bool enabled);

// The first child control of parent with a native handle equal to handle.
QWidget* FindControlByHandle(QWidget* parent, WId handle);

inline int GetRedOf(TColor c) { return RedOf(ColorToRGB(c)); }
inline int GetGreenOf(TColor c) { return GreenOf(ColorToRGB(c)); }
inline int GetBlueOf(TColor c) { return BlueOf(ColorToRGB(c)); }

}  // namespace kvt::gui
