// A button's picture as the player sees it: which picture shows, which of its pixels are ground
// and let the button through, and what a disabled picture looks like.
#include <gtest/gtest.h>

#include <QPainter>

#include "gui/platform/image_list.h"
#include "gui/ui/button_glyph.h"

namespace kvt::gui {
namespace {

const QColor kUnder(Qt::yellow);  // what lies under the button's picture
const QColor kGrey(128, 128, 128);  // the grey a strip's disabled picture maps to the shadow colour

// An 8 x 8 picture: a ground with a 4 x 4 square of ink in its middle.
QImage Picture(QColor ground, QColor ink) {
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(ground);
    QPainter(&img).fillRect(2, 2, 4, 4, ink);
    return img;
}

// Pictures side by side, as a strip of state pictures.
QImage Strip(const std::vector<QImage>& pictures) {
    QImage strip(8 * static_cast<int>(pictures.size()), 8, QImage::Format_RGB32);
    QPainter p(&strip);
    for (std::size_t i = 0; i < pictures.size(); ++i) p.drawImage(8 * static_cast<int>(i), 0, pictures[i]);
    return strip;
}

// The glyph alone in a 40 x 30 content rectangle, without caption, drawn in state `state`:
// transparently or over the button face.
QImage Drawn(TElButtonGlyph& glyph, int state, bool transparent = true) {
    QImage out(40, 30, QImage::Format_RGB32);
    out.fill(kUnder);
    QPainter p(&out);
    glyph.DrawContent(p, out.rect(), QPoint(), QString(), blGlyphLeft, -1, -1, state, state, transparent, false, true,
                      false, 0, tdtNormal, clBtnFace, 0, 0, 0);
    return out;
}

int Count(const QImage& img, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += QColor(img.pixel(x, y)) == colour ? 1 : 0;
    return n;
}

const QColor kShadow = ToQColor(clBtnShadow), kHighlight = ToQColor(clBtnHighlight), kFace = ToQColor(clBtnFace);

TEST(ButtonGlyph, ADisabledImageListPictureShowsItsInkEngravedAndItsGroundNot) {
    const QImage picture = Picture(Qt::magenta, Qt::black);
    // Whether the list keeps the magenta ground or already took it out, and whether the picture
    // is drawn transparently or over the face, only the square is engraved.
    for (const TColor listMask : {clNone, clDefault})
        for (const bool transparent : {true, false}) {
            SCOPED_TRACE(::testing::Message() << "list mask " << listMask << ", transparent " << transparent);
            TImageList list(8, 8);
            list.Add(picture, listMask);
            TElButtonGlyph glyph;
            glyph.SetImages(&list);
            glyph.SetUseImageList(true);
            glyph.SetImageIndex(0);
            const QImage shown = Drawn(glyph, kStateUp, transparent);
            EXPECT_EQ(Count(shown, Qt::black), 16);
            EXPECT_EQ(Count(shown, Qt::magenta), listMask == clNone ? 48 : 0);

            const QImage disabled = Drawn(glyph, kStateDisabled, transparent);
            EXPECT_EQ(Count(disabled, Qt::magenta), 0);
            EXPECT_EQ(Count(disabled, Qt::black), 0);
            EXPECT_EQ(Count(disabled, kShadow), 16);    // the square in place
            EXPECT_EQ(Count(disabled, kHighlight), 7);  // its right and bottom edge, one pixel on
            EXPECT_EQ(Count(disabled, kUnder), transparent ? 40 * 30 - 23 : 40 * 30 - 64);
            EXPECT_EQ(Count(disabled, kFace), transparent ? 0 : 64 - 23);
        }
}

TEST(ButtonGlyph, EachStatePictureLeavesOutItsOwnCornerColourUnlessTheStripFixesOne) {
    const QImage strip = Strip({Picture(Qt::magenta, Qt::black), Picture(Qt::magenta, kGrey),
                                Picture(Qt::cyan, Qt::black)});
    TElButtonGlyph glyph;
    glyph.SetGlyph(strip);
    ASSERT_EQ(glyph.NumGlyphs(), 3);
    for (const int state : {kStateUp, kStateDown, kStateExclusive, kStateArrowDown}) {
        SCOPED_TRACE(state);
        const QImage shown = Drawn(glyph, state);
        EXPECT_EQ(Count(shown, Qt::black), 16);
        EXPECT_EQ(Count(shown, kUnder), 40 * 30 - 16) << "the ground of the picture shown lets the button through";
    }

    // A fixed transparent colour is the one left out of every picture.
    TElButtonGlyph fixed;
    fixed.SetGlyph(strip, FromQColor(Qt::magenta));
    EXPECT_EQ(Count(Drawn(fixed, kStateUp), kUnder), 40 * 30 - 16);
    const QImage down = Drawn(fixed, kStateDown);
    EXPECT_EQ(Count(down, Qt::cyan), 48);
    EXPECT_EQ(Count(down, Qt::black), 16);
}

TEST(ButtonGlyph, AStripsDisabledPictureMapsWhiteThenGreyThenItsGroundToTheSystemColours) {
    // The ground is the grey that also becomes the shadow colour: mapped in turn, it ends as the
    // face, which is then left out.
    const QImage strip = Strip({Picture(kGrey, Qt::black), Picture(kGrey, Qt::white)});
    TElButtonGlyph glyph;
    glyph.SetGlyph(strip);
    const QImage disabled = Drawn(glyph, kStateDisabled);
    EXPECT_EQ(Count(disabled, kHighlight), 16);
    EXPECT_EQ(Count(disabled, kShadow), 0);
    EXPECT_EQ(Count(disabled, kUnder), 40 * 30 - 16);
}

TEST(ButtonGlyph, TheImageListComesBeforeTheIconAndTheIconBeforeTheStrip) {
    TImageList list(8, 8);
    list.Add(Picture(Qt::red, Qt::red), clNone);
    QImage strip = Picture(Qt::green, Qt::green);
    strip.setPixel(0, 7, qRgb(255, 0, 255));  // the corner alone is ground
    TElButtonGlyph glyph;
    glyph.SetGlyph(strip);
    glyph.SetIcon(Picture(Qt::blue, Qt::blue));
    glyph.SetUseIcon(true);
    glyph.SetImages(&list);
    glyph.SetUseImageList(true);
    glyph.SetImageIndex(0);
    const auto shows = [&glyph](const QColor& colour, int pixels) {
        const QImage img = Drawn(glyph, kStateUp);
        EXPECT_EQ(Count(img, colour), pixels);
        EXPECT_EQ(Count(img, kUnder), 40 * 30 - pixels) << "nothing else is drawn";
    };
    shows(Qt::red, 64);

    // The list with no image chosen, or no list, gives way to the icon, then to the strip.
    glyph.SetImageIndex(-1);
    shows(Qt::blue, 64);
    glyph.SetImageIndex(0);
    glyph.SetImages(nullptr);
    shows(Qt::blue, 64);
    glyph.SetUseIcon(false);
    shows(Qt::green, 63);
    glyph.SetImages(&list);
    shows(Qt::red, 64);
}

}  // namespace
}  // namespace kvt::gui
