// Scroll-bar styles: the sizes derived from the settings and the settings' own rules.
#include <gtest/gtest.h>

#include <QPainter>
#include <QVariant>

#include <iterator>
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

TEST(ScrollBarStyles, EveryPublishedPropertyStartsAtItsDefaultAndReachesTheBar) {
    auto bar = Bar(220, 0, 99, 20, 40);
    TElScrollBarStyles styles(bar.get());
    kvt::testing::SolidImageForm form;
    // In streaming order; some writes read back otherwise: with the system's metrics the system's
    // width and button size win, and a fixed thumb reads as the system's thumb.
    const struct {
        const char* name;
        QVariant byDefault, written, readBack;
    } props[] = {
        {"ActiveFlat", false, true, true},
        {"BlendBackground", true, false, false},
        {"Color", uint(clBtnFace), uint(clSilver), uint(clSilver)},
        {"Flat", true, false, false},
        {"MinThumbSize", 4, 9, 9},
        {"NoDisableButtons", false, true, true},
        {"NoSunkenThumb", false, true, true},
        {"OwnerDraw", false, true, true},
        {"SecondaryButtons", false, true, true},
        {"SecondBtnKind", int(sbkOpposite), int(sbkCustom), int(sbkCustom)},
        {"ShowLeftArrows", true, false, false},
        {"ShowRightArrows", true, false, false},
        {"ShowTrackHint", false, true, true},
        {"ThumbSize", 0, 12, 12},
        {"ThumbMode", int(etmAuto), int(etmFixed), int(etmFixed)},
        {"Width", 16, 20, 16},
        {"ButtonSize", 16, 10, 16},
        {"UseSystemMetrics", true, false, false},
        {"ArrowColor", uint(clBtnText), uint(clNavy), uint(clNavy)},
        {"ArrowHotTrackColor", uint(clHighlight), uint(clRed), uint(clRed)},
        {"DrawFrames", true, false, false},
        {"DrawArrowFrames", true, true, true},
        {"DrawBars", true, false, false},
        {"BarOffset", 2u, 5u, 5u},
        {"BarColor", uint(clBtnShadow), uint(clBlue), uint(clBlue)},
        {"ThinFrames", false, true, true},
        {"HintColor", uint(clInfoBk), uint(clYellow), uint(clYellow)},
        {"HintTextColor", uint(clInfoText), uint(clRed), uint(clRed)},
        {"SystemBkColor", true, false, false},
        {"ImageForm", QVariant::fromValue<TElImageFormLink*>(nullptr), QVariant::fromValue<TElImageFormLink*>(&form),
         QVariant::fromValue<TElImageFormLink*>(&form)},
        {"UseXPThemes", true, false, false},
    };
    const QMetaObject* meta = styles.metaObject();
    EXPECT_EQ(meta->propertyCount() - meta->propertyOffset(), static_cast<int>(std::size(props)));
    for (const auto& p : props) EXPECT_EQ(styles.property(p.name), p.byDefault) << p.name;
    for (const auto& p : props) {
        EXPECT_TRUE(styles.setProperty(p.name, p.written)) << p.name;
        EXPECT_EQ(styles.property(p.name), p.readBack) << p.name;
    }
    // The writes went to the scroll bar itself.
    EXPECT_EQ(bar->BarColor, clBlue);
    EXPECT_EQ(bar->Color(), clSilver);
    EXPECT_EQ(bar->ImageForm(), &form);
    EXPECT_FALSE(bar->UseSystemMetrics());
    EXPECT_FALSE(bar->UseXPThemes());
    EXPECT_EQ(bar->ThumbMode(), etmFixed);
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

TEST(ScrollBarStyles, ThumbTravelsFromTheFirstButtonToTheLast) {
    const struct {
        int position, expected;
    } cases[] = {{0, 16}, {40, 16 + 80}, {80, 16 + 160}, {99, 16 + 160}};
    for (const auto& c : cases) {
        auto bar = Bar(232, 0, 99, 20, c.position);
        EXPECT_EQ(bar->ThumbPosition(), c.expected) << c.position;
    }
}

TEST(ScrollBarStyles, APageCoveringTheWholeRangeLeavesTheThumbAtTheStart) {
    for (const int page : {100, 101, 5000}) {
        auto bar = Bar(232, 0, 99, page, 50);
        bar->SetThumbMode(etmFixed);
        bar->SetThumbSize(20);
        TElScrollBarStyles styles(bar.get());
        styles.SetUseSystemMetrics(false);
        bar->UpdateThumb();
        EXPECT_EQ(bar->ThumbPosition(), 16) << page;
        styles.SetShowLeftArrows(false);
        EXPECT_EQ(bar->ThumbPosition(), 0) << page;
    }
}

TEST(ScrollBarStyles, FramesOffTurnsArrowFramesOffForGood) {
    auto bar = Bar(100, 0, 9, 1, 0);
    TElScrollBarStyles styles(bar.get());
    EXPECT_TRUE(styles.DrawArrowFrames());
    styles.SetDrawFrames(false);
    EXPECT_FALSE(styles.DrawArrowFrames());
    styles.SetDrawFrames(true);
    EXPECT_TRUE(styles.DrawFrames());
    EXPECT_FALSE(styles.DrawArrowFrames());
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

TEST(ScrollBarStyles, SystemMetricsDecideSizesAndTellTheOwner) {
    auto bar = Bar(200, 0, 99, 10, 0);
    TElScrollBarStyles styles(bar.get());
    int told = 0;
    QObject::connect(&styles, &TElScrollBarStyles::OnChange, [&](TElScrollBarStyles*) { ++told; });
    styles.SetWidth(30);
    EXPECT_EQ(styles.Width(), 16) << "the system's thickness wins while system metrics are used";
    styles.SetUseSystemMetrics(false);
    styles.SetWidth(30);
    EXPECT_EQ(styles.Width(), 30);
    EXPECT_EQ(told, 3);
    styles.SetThumbMode(etmFixed);
    EXPECT_EQ(styles.ThumbSize(), 0);
    styles.SetThumbSize(24);
    EXPECT_EQ(styles.ThumbSize(), 24);
    EXPECT_EQ(bar->ThumbLength(), 24);
    styles.SetUseSystemMetrics(true);
    EXPECT_EQ(styles.ThumbSize(), TElScrollBar::kSystemThumbSize);
}

TEST(ScrollBarStyles, AssignCopiesTheSharedSettings) {
    auto a = Bar(200, 0, 99, 10, 0), b = Bar(200, 0, 99, 10, 0);
    TElScrollBarStyles from(a.get()), to(b.get());
    from.SetActiveFlat(true);
    from.SetFlat(false);
    from.SetMinThumbSize(9);
    from.SetSecondaryButtons(true);
    from.SetSecondBtnKind(sbkPage);
    from.SetThumbMode(etmFixed);
    from.SetUseSystemMetrics(false);
    from.SetThumbSize(33);
    from.SetArrowColor(clRed);
    to.Assign(from);
    EXPECT_TRUE(to.ActiveFlat());
    EXPECT_FALSE(to.Flat());
    EXPECT_EQ(to.MinThumbSize(), 9);
    EXPECT_TRUE(to.SecondaryButtons());
    EXPECT_EQ(to.SecondBtnKind(), sbkPage);
    EXPECT_EQ(to.ThumbMode(), etmFixed);
    EXPECT_EQ(b->StoredThumbSize(), 33);
    EXPECT_EQ(to.ArrowColor(), clBtnText) << "arrow colours are not among the shared settings";
}

}  // namespace
}  // namespace kvt::gui
