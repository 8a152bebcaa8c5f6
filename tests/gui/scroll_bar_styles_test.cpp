// Scroll-bar styles: the sizes derived from the settings and the settings' own rules.
#include <gtest/gtest.h>


#include <memory>

#include "gui/ui/scroll_bar_styles.h"
#include "tests/gui/control_fixture.h"

namespace kvt::gui {
namespace {

std::unique_ptr<TElScrollBar> Bar(int length, int min, int max, int page, int position) {
    auto bar = std::make_unique<TElScrollBar>();
    bar->resize(length, 16);
    bar->SetRange(min, max);
    bar->SetPage(page);
    bar->SetPosition(position);
    return bar;
}

TEST(ScrollBarStyles, ButtonsThatDoNotFitShareTheBarEqually) {
    const struct {
        int length;
        bool secondary;
        bool left, right;
        int expected;
    } cases[] = {{200, false, true, true, 16}, {30, false, true, true, 15}, {30, true, true, true, 7},
                 {10, false, true, false, 10}, {31, false, true, true, 15}, {5, false, false, false, 16}};
    for (const auto& c : cases) {
        auto bar = Bar(c.length, 0, 99, 10, 0);
        TElScrollBarStyles styles(bar.get());
        styles.SetSecondaryButtons(c.secondary);
        styles.SetShowLeftArrows(c.left);
        styles.SetShowRightArrows(c.right);
        EXPECT_EQ(styles.ButtonSize(), c.expected) << c.length << " secondary " << c.secondary;
    }
}

TEST(ScrollBarStyles, ThumbLengthFollowsThePageAndVanishesWhenItCannotFit) {
    const struct {
        int length, min, max, page, minThumb;
        int expected;
    } cases[] = {
        {232, 0, 99, 20, 4, 40},   // 200 of track, a fifth of the range
        {232, 0, 99, 0, 4, 16},    // no page: the system's thumb
        {232, 5, 5, 1, 4, 200},    // nothing to scroll: the whole track
        {232, 0, 99, 1, 30, 30},   // raised to the minimum
        {52, 0, 99, 1, 30, 0},     // the minimum no longer fits the 20-pixel track
        {232, 0, 9, 40, 4, 200},   // a page larger than the range
    };
    for (const auto& c : cases) {
        auto bar = Bar(c.length, c.min, c.max, c.page, c.min);
        bar->SetMinThumbSize(c.minThumb);
        EXPECT_EQ(bar->ThumbLength(), c.expected) << c.length << " " << c.max << " page " << c.page;
    }
}

TEST(ScrollBarStyles, ButtonSizeRefusesValuesThatCannotWork) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(200, 40));
    auto* bar = new TElScrollBar(window.get());
    bar->setGeometry(0, 0, 100, 16);
    TElScrollBarStyles styles(bar);
    styles.SetUseSystemMetrics(false);
    const struct {
        int set, expected;
    } steps[] = {{20, 20}, {0, 20}, {-4, 20}, {50, 50}, {51, 50}};
    kvt::testing::Render(window.get());
    for (const auto& s : steps) {
        styles.SetButtonSize(s.set);
        EXPECT_EQ(bar->StoredButtonSize(), s.expected) << s.set;
    }
}

}  // namespace
}  // namespace kvt::gui
