// Drawing utilities checked on the pixels they leave in an image.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "gui/platform/colors.h"
#include "gui/ui/canvas_utils.h"

namespace kvt::gui {
namespace {

QImage Blank(int w, int h, QColor c = Qt::magenta) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

QColor At(const QImage& img, int x, int y) { return QColor(img.pixel(x, y)); }
QColor Sys(TColor c) { return ToQColor(c); }

TEST(CanvasUtils, GradientBandsRunFromStartToEndColour) {
    QImage img = Blank(40, 10);
    {
        QPainter p(&img);
        GradientFillRect(p, QRect(0, 0, 40, 10), clBlack, RGBColor(90, 0, 30), 4, false);
    }
    // Four 10-pixel bands: 0, 1/3, 2/3 and all of the way.
    const int red[] = {0, 30, 60, 90};
    for (int band = 0; band < 4; ++band) {
        EXPECT_EQ(At(img, band * 10, 5).red(), red[band]) << band;
        EXPECT_EQ(At(img, band * 10 + 9, 0).red(), red[band]) << band;
    }
    EXPECT_EQ(At(img, 39, 9).blue(), 30);

    const struct {
        int steps;
        TColor start, end;
        QColor expected;
    } cases[] = {
        {0, clBlack, clWhite, Qt::magenta},             // no bands: nothing painted
        {-3, clBlack, clWhite, Qt::magenta},
        {1, clRed, clWhite, QColor(255, 0, 0)},         // one band has the start colour
        {0, clBtnFace, clBtnFace, Sys(clBtnFace)},      // equal colours fill whatever the steps
    };
    for (const auto& c : cases) {
        QImage one = Blank(8, 8);
        {
            QPainter p(&one);
            GradientFillRect(p, QRect(0, 0, 8, 8), c.start, c.end, c.steps, true);
        }
        EXPECT_EQ(At(one, 7, 7), c.expected) << c.steps;
        EXPECT_EQ(At(one, 0, 0), c.expected) << c.steps;
    }

    QImage clipped = Blank(20, 20);
    {
        QPainter p(&clipped);
        GradientFillRectClipped(p, QRect(0, 0, 5, 5), QRect(0, 0, 100, 100), true, 10, clBlack, clWhite,
                                QPoint(0, 90));
    }
    EXPECT_EQ(At(clipped, 2, 2), QColor(255, 255, 255));  // the last band, drawn back at the clip's place
    EXPECT_EQ(At(clipped, 10, 10), QColor(Qt::magenta));

    // One colour fills the gradient rectangle itself, wherever the clip rectangle lies.
    QImage solid = Blank(20, 20);
    {
        QPainter p(&solid);
        GradientFillRectClipped(p, QRect(0, 0, 5, 5), QRect(4, 6, 10, 8), true, 10, clRed, clRed, QPoint(0, 90));
    }
    EXPECT_EQ(At(solid, 4, 6), QColor(Qt::red));
    EXPECT_EQ(At(solid, 13, 13), QColor(Qt::red));
    EXPECT_EQ(At(solid, 2, 2), QColor(Qt::magenta));
    EXPECT_EQ(At(solid, 14, 13), QColor(Qt::magenta));
}

TEST(CanvasUtils, HlsConversionsFollowTheLibraryScale) {
    const struct {
        TColor rgb;
        int h, l, s;
    } cases[] = {
        {RGBColor(127, 127, 127), 168, 126, 0}, {RGBColor(0, 0, 0), 168, 0, 0},  {RGBColor(255, 255, 255), 168, 252, 0},
        {RGBColor(255, 0, 0), 0, 126, 252},     {RGBColor(0, 255, 0), 84, 126, 252},
        {RGBColor(0, 0, 255), 168, 126, 252},
    };
    for (const auto& c : cases) {
        const TColor hls = ColorToHLS(c.rgb);
        EXPECT_EQ(HueOf(hls), c.h) << std::hex << c.rgb;
        EXPECT_EQ(LightnessOf(hls), c.l) << std::hex << c.rgb;
        EXPECT_EQ(SaturationOf(hls), c.s) << std::hex << c.rgb;
        EXPECT_EQ(HLSToColor(hls), c.rgb) << std::hex << c.rgb;
    }
    EXPECT_EQ(ColorToHLS(clBtnFace), ColorToHLS(ColorToRGB(clBtnFace)));
    EXPECT_EQ(MulDiv(7, 3, 2), 11);
    EXPECT_EQ(MulDiv(-7, 3, 2), -11);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(CanvasUtils, ArrowsAreSixteenPixelTrianglesOrNothing) {
    const auto count = [](const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) n += QColor(img.pixel(x, y)) == QColor(Qt::black);
        return n;
    };
    for (int dir = 0; dir < 4; ++dir) {
        QImage img = Blank(13, 13);
        {
            QPainter p(&img);
            DrawArrow(p, dir, QRect(0, 0, 13, 13), true, clBlack);
        }
        EXPECT_EQ(count(img), 16) << dir;  // 7 + 5 + 3 + 1
    }
    QImage down = Blank(13, 13);
    {
        QPainter p(&down);
        DrawArrow(p, 3, QRect(0, 0, 13, 13), true, clBlack);
    }
    EXPECT_EQ(At(down, 3, 4), QColor(Qt::black));  // base row, widest
    EXPECT_EQ(At(down, 6, 7), QColor(Qt::black));  // tip below the base
    EXPECT_EQ(At(down, 5, 7), QColor(Qt::magenta));

    QImage narrow = Blank(13, 13);
    {
        QPainter p(&narrow);
        DrawArrow(p, 1, QRect(0, 0, 2, 13), true, clBlack);
        DrawArrow(p, 0, QRect(0, 0, 13, 5), true, clBlack);
    }
    EXPECT_EQ(count(narrow), 0);

    QImage disabled = Blank(13, 13);
    {
        QPainter p(&disabled);
        DrawArrow(p, 3, QRect(0, 0, 13, 13), false, clBlack);
    }
    EXPECT_EQ(At(disabled, 3, 4), Sys(clBtnShadow));
    EXPECT_EQ(At(disabled, 10, 5), Sys(clBtnHighlight));  // the engraved copy, one right and down
}

TEST(CanvasUtils, ButtonFacesAndFramesUseTheirEdgeColours) {
    const struct {
        bool deep, pressed;
        TColor outerTL, outerBR, innerTL;
    } faces[] = {
        {true, false, clBtnHighlight, cl3DDkShadow, clBtnFace},
        {false, false, clBtnHighlight, clBtnShadow, clBtnFace},
        {true, true, cl3DDkShadow, clBtnHighlight, clBtnShadow},
        {false, true, clBtnShadow, clBtnHighlight, clBtnFace},
    };
    for (const auto& f : faces) {
        QImage img = Blank(20, 10);
        {
            QPainter p(&img);
            DrawButtonFace3D(p, QRect(0, 0, 20, 10), f.deep, f.pressed, clBtnFace, false);
        }
        EXPECT_EQ(At(img, 5, 0), Sys(f.outerTL)) << f.deep << f.pressed;
        EXPECT_EQ(At(img, 19, 5), Sys(f.outerBR)) << f.deep << f.pressed;
        EXPECT_EQ(At(img, 5, 1), Sys(f.innerTL)) << f.deep << f.pressed;
        EXPECT_EQ(At(img, 5, 5), QColor(Qt::magenta));  // the face itself is the caller's
    }
    // A coloured face derives lighter and darker edges of its own hue.
    QImage red = Blank(20, 10);
    {
        QPainter p(&red);
        DrawButtonFace3D(p, QRect(0, 0, 20, 10), true, false, RGBColor(160, 40, 40), false);
    }
    EXPECT_GT(At(red, 5, 0).lightness(), QColor(160, 40, 40).lightness());
    EXPECT_LT(At(red, 19, 5).lightness(), QColor(160, 40, 40).lightness());
    EXPECT_GT(At(red, 5, 0).red(), At(red, 5, 0).green());

    QImage line = Blank(10, 10);
    {
        QPainter p(&line);
        DrawButtonFrame(p, QRect(0, 0, 10, 10), clWhite, fbtColorLineBorder, ebsLeft | ebsTop, clRed);
    }
    EXPECT_EQ(At(line, 0, 5), QColor(Qt::white));
    EXPECT_EQ(At(line, 1, 5), QColor(Qt::red));
    EXPECT_EQ(At(line, 5, 1), QColor(Qt::red));
    EXPECT_EQ(At(line, 9, 5), QColor(Qt::magenta));  // the right side was not chosen

    QImage sunken = Blank(10, 10);
    {
        QPainter p(&sunken);
        DrawButtonFrame(p, QRect(0, 0, 10, 10), clWhite, fbtSunken, kAllBorderSides, clBlack);
    }
    EXPECT_EQ(At(sunken, 5, 0), Sys(clBtnShadow));
    EXPECT_EQ(At(sunken, 5, 9), Sys(clBtnHighlight));
    EXPECT_EQ(At(sunken, 5, 1), Sys(cl3DDkShadow));
}

TEST(CanvasUtils, EveryFrameStyleDrawsItsRings) {
    // A 10 x 10 frame on all sides, background white and line red: the pixels half-way along the
    // top (rows 0 to 3), the left (column 1), the right (columns 8, 9) and the bottom (rows 8, 9).
    const QColor m(Qt::magenta), red(Qt::red), face = Sys(clBtnFace), sh = Sys(clBtnShadow), hi = Sys(clBtnHighlight),
                 dk = Sys(cl3DDkShadow), lt = Sys(cl3DLight), win = Sys(clWindow), frame = Sys(clWindowFrame);
    const struct {
        TElFlatBorderType type;
        const char* name;
        QColor top0, top1, top2, top3, left1, right8, right9, bottom8, bottom9;
    } cases[] = {
        {fbtFlat, "flat", red, red, sh, m, red, red, red, red, red},
        {fbtSunken, "sunken", sh, dk, m, m, dk, lt, hi, lt, hi},
        {fbtSunkenInner, "sunken inner", dk, face, m, m, face, face, face, face, face},
        {fbtSunkenOuter, "sunken outer", sh, face, m, m, face, face, win, face, win},
        {fbtRaised, "raised", lt, hi, red, red, hi, sh, dk, sh, dk},
        {fbtRaisedInner, "raised inner", hi, face, m, m, face, face, sh, face, sh},
        {fbtRaisedOuter, "raised outer", lt, face, m, m, face, face, sh, face, sh},
        {fbtBump, "bump", lt, sh, m, m, sh, lt, dk, lt, sh},
        {fbtBigBump, "big bump", win, sh, m, m, sh, lt, dk, win, sh},
        {fbtEtched, "etched", sh, face, m, m, hi, sh, hi, sh, hi},
        {fbtFramed, "framed", lt, face, m, m, face, lt, sh, lt, sh},
        {fbtLine, "line", red, red, m, m, red, red, red, red, frame},
        {fbtLineBorder, "line border", frame, red, m, m, red, red, frame, red, frame},
        {fbtNone, "none", red, red, m, m, red, red, red, red, red},
        {fbtColorLineBorder, "colour line border", QColor(Qt::white), red, m, m, red, red, QColor(Qt::white), red,
         QColor(Qt::white)},
    };
    for (const auto& c : cases) {
        QImage img = Blank(10, 10);
        {
            QPainter p(&img);
            DrawButtonFrame(p, QRect(0, 0, 10, 10), clWhite, c.type, kAllBorderSides, clRed);
        }
        EXPECT_EQ(At(img, 5, 0), c.top0) << c.name;
        EXPECT_EQ(At(img, 5, 1), c.top1) << c.name;
        EXPECT_EQ(At(img, 5, 2), c.top2) << c.name;
        EXPECT_EQ(At(img, 5, 3), c.top3) << c.name;
        EXPECT_EQ(At(img, 1, 5), c.left1) << c.name;
        EXPECT_EQ(At(img, 8, 5), c.right8) << c.name;
        EXPECT_EQ(At(img, 9, 5), c.right9) << c.name;
        EXPECT_EQ(At(img, 5, 8), c.bottom8) << c.name;
        EXPECT_EQ(At(img, 5, 9), c.bottom9) << c.name;
    }
}

}  // namespace
}  // namespace kvt::gui
