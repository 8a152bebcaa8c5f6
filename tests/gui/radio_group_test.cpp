// Radio groups: one button per item, ItemIndex kept equal to the checked row, clicks only from
// the player, and columns filled column by column.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "gui/ui/radio_group.h"
#include "tests/gui/control_event_checks.h"
#include "tests/gui/control_fixture.h"

namespace kvt::gui {
namespace {

using kvt::testing::Render;

const QStringList kStance = {QStringLiteral("Withdraw"), QStringLiteral("Defend"), QStringLiteral("Advance")};

struct GroupWindow {
    std::unique_ptr<QWidget> window{kvt::testing::NewPlainWindow(300, 200)};
    TElRadioGroup* group = new TElRadioGroup(window.get());
    explicit GroupWindow(const QStringList& items = kStance) {
        group->setGeometry(10, 10, 130, 80);
        group->SetCaption(QStringLiteral("Set Combat Stance"));
        group->SetItems(items);
    }
    int CheckedRow() const {
        int row = -1;
        for (int i = 0; i < group->ButtonCount(); ++i)
            if (group->Button(i)->GetChecked()) {
                EXPECT_EQ(row, -1) << "two rows checked";
                row = i;
            }
        return row;
    }
};

TEST(RadioGroup, MakesOneButtonPerItemWithItsCaption) {
    GroupWindow g;
    ASSERT_EQ(g.group->ButtonCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(g.group->Button(i)->Caption(), kStance[i]);
    EXPECT_EQ(g.group->ItemIndex(), -1);
    EXPECT_EQ(g.CheckedRow(), -1);
    g.group->Items().Add(QStringLiteral("Training"));
    ASSERT_EQ(g.group->ButtonCount(), 4);
    EXPECT_EQ(g.group->Button(3)->Caption(), QStringLiteral("Training"));
}

TEST(RadioGroup, ItemIndexIsClampedAndChecksExactlyItsRow) {
    GroupWindow g;
    const struct {
        int set;
        int expected;
    } steps[] = {{1, 1}, {5, 2}, {0, 0}, {-7, -1}, {2, 2}, {-1, -1}};
    for (const auto& s : steps) {
        g.group->SetItemIndex(s.set);
        EXPECT_EQ(g.group->ItemIndex(), s.expected) << "set " << s.set;
        EXPECT_EQ(g.CheckedRow(), s.expected) << "set " << s.set;
    }
    GroupWindow empty(QStringList{});
    empty.group->SetItemIndex(3);
    EXPECT_EQ(empty.group->ItemIndex(), -1);
}

TEST(RadioGroup, CodeSetsTheRowSilentlyAndThePlayersClickIsReportedOnce) {
    GroupWindow g;
    Render(g.window.get());
    QSignalSpy groupClicks(g.group, &TElRadioGroup::OnClick);
    g.group->SetItemIndex(1);
    g.group->SetItemIndex(1);
    g.group->SetItemIndex(2);
    EXPECT_EQ(groupClicks.count(), 0) << "the corps orders fill the group without touching the corps";

    QTest::mouseClick(g.group->Button(0), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(g.group->ItemIndex(), 0);
    EXPECT_EQ(g.CheckedRow(), 0);
    EXPECT_EQ(groupClicks.count(), 1);
    QTest::mouseClick(g.group->Button(0), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(groupClicks.count(), 2) << "a click on the chosen row is still a click";
}

TEST(RadioGroup, ArrowKeysChooseTheNextRowAsThePlayersChoice) {
    GroupWindow g;
    g.group->SetItemIndex(0);
    kvt::testing::ShowActive(g.window.get());
    g.group->Button(0)->setFocus();
    QSignalSpy groupClicks(g.group, &TElRadioGroup::OnClick);
    QTest::keyClick(g.group->Button(0), Qt::Key_Down);
    EXPECT_EQ(g.group->ItemIndex(), 1);
    EXPECT_TRUE(g.group->Button(1)->hasFocus());
    EXPECT_EQ(groupClicks.count(), 1);
}

TEST(RadioGroup, TheGroupHearsOfEachKeyPressedOnARowOnce) {
    std::vector<std::string> groupLog, rowLog;
    GroupWindow g;
    kvt::testing::ShowActive(g.window.get());
    TElGroupButton* row = g.group->Button(1);
    row->setFocus();
    kvt::testing::LogLibraryEvents(g.group, groupLog);
    kvt::testing::LogLibraryEvents(row, rowLog);
    QTest::keyClick(row, Qt::Key_A);
    EXPECT_EQ(rowLog, (std::vector<std::string>{"key down 65", "key press a", "key up 65"}));
    // Key down and key press are passed on to the group; the release is the row's alone.
    EXPECT_EQ(groupLog, (std::vector<std::string>{"key down 65", "key press a"}));
    groupLog.clear();
    QSignalSpy clicks(g.group, &TElRadioGroup::OnClick);
    QTest::keyClick(row, Qt::Key_Space);
    EXPECT_EQ(g.group->ItemIndex(), 1);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(groupLog, (std::vector<std::string>{"key down 32", "key press  "}));
}

TEST(RadioGroup, FewerItemsFreeTheSurplusButtonsAndKeepOnlyARowThatStillExists) {
    const struct {
        int chosen;
        int keep;
        int expected;
    } cases[] = {{1, 2, 1}, {2, 2, -1}, {2, 3, 2}, {0, 0, -1}, {1, 1, -1}};
    for (const auto& c : cases) {
        GroupWindow g;
        g.group->SetItemIndex(c.chosen);
        QStringList fewer;
        for (int i = 0; i < c.keep; ++i) fewer << QStringLiteral("new %1").arg(i);
        ASSERT_NO_THROW(g.group->SetItems(fewer)) << "chosen " << c.chosen << " keep " << c.keep;
        ASSERT_EQ(g.group->ButtonCount(), c.keep);
        for (int i = 0; i < c.keep; ++i) EXPECT_EQ(g.group->Button(i)->Caption(), fewer[i]);
        EXPECT_EQ(g.group->ItemIndex(), c.expected) << "chosen " << c.chosen << " keep " << c.keep;
        EXPECT_EQ(g.CheckedRow(), c.expected) << "chosen " << c.chosen << " keep " << c.keep;
    }
    GroupWindow g;
    g.group->SetItemIndex(2);
    g.group->Items().Delete(2);
    EXPECT_EQ(g.group->ItemIndex(), -1);
    g.group->SetItemIndex(5);
    EXPECT_EQ(g.group->ItemIndex(), 1);
}

TEST(RadioGroup, ColumnsAreFilledColumnByColumnWithinTheirLimits) {
    GroupWindow g(QStringList{"0", "1", "2", "3", "4", "5", "6"});
    g.group->setGeometry(10, 10, 220, 100);
    g.group->SetColumns(3);
    const int columnWidth = (220 - 10) / 3;
    const int c = g.group->CaptionHeight();
    const int rowHeight = (100 - c - 5) / 3;
    const int top = c + 1 + ((100 - c - 5) % 3) / 2;
    const struct {
        int item, column, row;
    } places[] = {{0, 0, 0}, {2, 0, 2}, {3, 1, 0}, {5, 1, 2}, {6, 2, 0}};
    for (const auto& p : places) {
        const QRect r = g.group->Button(p.item)->geometry();
        EXPECT_EQ(r, QRect(p.column * columnWidth + 8, top + p.row * rowHeight, columnWidth, rowHeight)) << p.item;
    }
    const struct {
        int set, expected;
    } limits[] = {{0, 1}, {-4, 1}, {40, 16}, {16, 16}, {2, 2}};
    for (const auto& l : limits) {
        g.group->SetColumns(l.set);
        EXPECT_EQ(g.group->Columns(), l.expected) << l.set;
    }
}

TEST(RadioGroup, ButtonsFollowTheGroupsFontColourWheneverItChanges) {
    GroupWindow g;
    // How far the farthest row's caption ink lies from the colour.
    const auto rowsInk = [&](TColor c) {
        const QImage image = Render(g.window.get());
        int worst = 0;
        for (int i = 0; i < g.group->ButtonCount(); ++i) {
            const QRect caption = g.group->Button(i)->geometry().translated(g.group->pos()).adjusted(18, 0, 0, 0);
            worst = std::max(worst, kvt::testing::InkDistance(image, caption, kvt::testing::Rgb(c)));
        }
        return worst;
    };
    g.group->SetFontColor(clMaroon);
    EXPECT_LT(rowsInk(clMaroon), 40);
    g.group->SetFontColor(clNavy);
    EXPECT_LT(rowsInk(clNavy), 40);
    EXPECT_GT(rowsInk(clMaroon), 120);
    g.group->SetItems({QStringLiteral("Depot"), QStringLiteral("Encampment")});
    EXPECT_LT(rowsInk(clNavy), 40) << "rebuilt rows keep it";
}

}  // namespace
}  // namespace kvt::gui
