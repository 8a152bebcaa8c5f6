// A button's picture as the player sees it: which one shows, which pixels let the button through, how it greys.
#include <gtest/gtest.h>

#include "gui/ui/button_glyph.h"
#include "tests/gui/control_fixture.h"

namespace kvt::gui {
namespace {

const QColor kUnder(Qt::yellow), kGrey(Qt::darkGray);  // under the button's picture; a strip's disabled grey
const QColor kShadow = ToQColor(clBtnShadow), kHighlight = ToQColor(clBtnHighlight), kFace = ToQColor(clBtnFace);

// 8 x 8 pictures side by side, each a ground with a 4 x 4 square of ink in its middle.
QImage Strip(std::initializer_list<std::pair<QColor, QColor>> groundsAndInks) {
    QImage strip(8 * static_cast<int>(groundsAndInks.size()), 8, QImage::Format_RGB32);
    QPainter p(&strip);
    for (int i = 0; const auto& [ground, ink] : groundsAndInks) {
        p.fillRect(8 * i, 0, 8, 8, ground);
        p.fillRect(8 * i++ + 2, 2, 4, 4, ink);
    }
    return strip;
}

// How many pixels of each colour show when the glyph alone is drawn in `state` on 40 x 30 of kUnder.
void ExpectShows(TElButtonGlyph& g, int state, bool transparent, std::initializer_list<std::pair<QColor, int>> counts) {
    SCOPED_TRACE(::testing::Message() << "state " << state << ", transparent " << transparent);
    QImage out(40, 30, QImage::Format_RGB32);
    out.fill(kUnder);
    QPainter p(&out);
    g.DrawContent(p, out.rect(), QPoint(), QString(), blGlyphLeft, -1, -1, state, state, transparent, false, true,
                  false, 0, tdtNormal, clBtnFace, 0, 0, 0);
    for (const auto& [colour, n] : counts)
        EXPECT_EQ(kvt::testing::CountColor(out, out.rect(), colour), n) << colour.name().toStdString();
}

TEST(ButtonGlyph, ADisabledImageListPictureShowsItsInkEngravedAndItsGroundNot) {
    for (const TColor listMask : {clNone, clDefault}) {  // the list keeps the ground, or takes it out
        SCOPED_TRACE(::testing::Message() << "list mask " << listMask);
        TImageList list(8, 8);
        list.Add(Strip({{Qt::magenta, Qt::black}}), listMask);
        TElButtonGlyph glyph;
        glyph.SetImages(&list);
        glyph.SetUseImageList(true);
        glyph.SetImageIndex(0);
        // The square in shadow, its right and bottom edge one pixel on in highlight; the rest shows through.
        for (const bool transparent : {true, false})
            ExpectShows(glyph, kStateDisabled, transparent, {{kShadow, 16}, {kHighlight, 7},
                        {kFace, transparent ? 0 : 64 - 23}, {kUnder, transparent ? 40 * 30 - 23 : 40 * 30 - 64}});
    }
}

TEST(ButtonGlyph, AStripsPicturesLeaveOutTheirOwnCornerColourUnlessOneIsFixedAndItsDisabledOneMapsGreys) {
    const QImage strip = Strip({{Qt::magenta, Qt::black}, {Qt::magenta, kGrey}, {Qt::cyan, Qt::black}});
    TElButtonGlyph glyph, fixed, greyGround;
    glyph.SetGlyph(strip);
    for (const int state : {kStateUp, kStateDown, kStateExclusive, kStateArrowDown})
        ExpectShows(glyph, state, true, {{Qt::black, 16}, {kUnder, 40 * 30 - 16}});
    fixed.SetGlyph(strip, FromQColor(Qt::magenta));
    ExpectShows(fixed, kStateUp, true, {{Qt::black, 16}, {kUnder, 40 * 30 - 16}});
    ExpectShows(fixed, kStateDown, true, {{Qt::black, 16}, {Qt::cyan, 48}});
    // White, then grey, then the ground, mapped in turn: the grey ground ends as the face, left out.
    greyGround.SetGlyph(Strip({{kGrey, Qt::black}, {kGrey, Qt::white}}));
    ExpectShows(greyGround, kStateDisabled, true, {{kHighlight, 16}, {kUnder, 40 * 30 - 16}});
}

TEST(ButtonGlyph, TheImageListComesBeforeTheIconAndTheIconBeforeTheStrip) {
    TImageList list(8, 8);
    list.Add(Strip({{Qt::red, Qt::red}}), clNone);
    TElButtonGlyph glyph;
    glyph.SetGlyph(Strip({{Qt::magenta, Qt::green}}));
    glyph.SetIcon(Strip({{Qt::blue, Qt::blue}}));
    glyph.SetUseImageList(true);
    // The list with no image chosen, or no list, gives way to the icon, then to the strip.
    const struct { TImageList* images; int index; bool icon; QColor colour; int pixels; } steps[] = {
        {&list, 0, true, Qt::red, 64}, {&list, -1, true, Qt::blue, 64}, {nullptr, 0, true, Qt::blue, 64},
        {nullptr, 0, false, Qt::green, 16}, {&list, 0, false, Qt::red, 64}};
    for (const auto& s : steps) {
        SCOPED_TRACE(::testing::Message() << "step " << &s - steps);
        glyph.SetImages(s.images);
        glyph.SetImageIndex(s.index);
        glyph.SetUseIcon(s.icon);
        ExpectShows(glyph, kStateUp, true, {{s.colour, s.pixels}, {kUnder, 40 * 30 - s.pixels}});
    }
}

}  // namespace
}  // namespace kvt::gui
