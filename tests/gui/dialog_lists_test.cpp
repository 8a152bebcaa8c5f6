// The lists of the side's dialogs on the 1861 start point: each shows the dialog's paper or face
// through the rows it has not chosen and the room below them; the corps to embark, the partner of
// a merge and the choice at a clicked hex keep a white list.
#include <gtest/gtest.h>

#include <QImage>

#include <optional>
#include <vector>

#include "engine/forces/fleet_records.h"
#include "engine/movement/selection.h"
#include "engine/world/globals.h"
#include "gui/dialogs/command/merge_fleets_dialog.h"
#include "gui/main/side_dialogs.h"
#include "gui/platform/colors.h"
#include "gui/platform/form.h"
#include "tests/gui/dialog_test_support.h"
#include "tests/gui/gui_support.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using gui::TElAdvancedListBox;

class DialogLists : public testing::StartPointDialogTest {
protected:
    void SetUp() override {
        StartPointDialogTest::SetUp();
        SidePlayed = kUnion;
        SelectedCorps = 10;  // N.P. Banks, in Baltimore
        SelectedArmy = 1;
        SelectedCity = 2;  // Baltimore
        SelectedFleet = 1;
        frontend.emplace();
    }
    void TearDown() override {
        frontend.reset();
        DialogTest::TearDown();
    }
    std::optional<testing::ScriptedFrontend> frontend;
};

// For each list of the dialog (a hidden one shown for the look): the pixels of its rows' left
// margin and of the room below the rows, left out the chosen rows and the caret's, beside what the
// dialog shows there without the list. Answers, per list, how many of them differ and how many are
// the list's own white.
struct TListLook {
    QString name;
    int compared = 0, differing = 0, white = 0;
};

std::vector<TListLook> LookOfLists(QWidget* d) {
    std::vector<TListLook> looks;
    for (TElAdvancedListBox* list : d->findChildren<TElAdvancedListBox*>()) {
        const bool shown = list->isVisible();
        list->show();
        const QImage with = d->grab().toImage();
        list->hide();
        const QImage without = d->grab().toImage();
        list->setVisible(shown);
        TListLook look{list->objectName()};
        const QRect client = list->ClientRect();
        for (int y = client.top(); y <= client.bottom(); ++y) {
            const int row = list->ItemAtPos(QPoint(client.left(), y));
            if (row >= 0 && (list->Selected(row) || row == list->ItemIndex())) continue;
            const QPoint at = list->mapTo(d, QPoint(client.left(), y));
            ++look.compared;
            if (with.pixel(at) != without.pixel(at)) ++look.differing;
            if (QColor(with.pixel(at)) == gui::ToQColor(gui::clWindow)) ++look.white;
        }
        looks.push_back(look);
    }
    return looks;
}

void ExpectListsShowTheDialog(QWidget* d, int lists) {
    const std::vector<TListLook> looks = LookOfLists(d);
    EXPECT_EQ(static_cast<int>(looks.size()), lists) << d->windowTitle().toStdString();
    for (const TListLook& l : looks) {
        SCOPED_TRACE(d->windowTitle().toStdString() + " " + l.name.toStdString());
        EXPECT_GT(l.compared, 0);
        EXPECT_EQ(l.differing, 0) << "the list covers the dialog";
    }
}

TEST_F(DialogLists, EveryListButTheChoiceAtAHexShowsItsDialogThroughTheRowsNotChosen) {
    struct Case {
        gui::TSideDialog dialog;
        int lists;
    };
    const Case cases[] = {
        {gui::TSideDialog::ForceStatus, 1},     {gui::TSideDialog::CityProduction, 1},
        {gui::TSideDialog::StateStatistics, 1}, {gui::TSideDialog::LeaderOrders, 1},
        {gui::TSideDialog::ArmyOverview, 1},    {gui::TSideDialog::NavalOverview, 1},
        {gui::TSideDialog::NewBrigades, 2},     {gui::TSideDialog::NewArmy, 3},
        {gui::TSideDialog::NewCorps, 3},        {gui::TSideDialog::NewFleet, 1},
        {gui::TSideDialog::CorpsOrders, 5},     {gui::TSideDialog::ArmyOrders, 3},
        {gui::TSideDialog::CityOrders, 1},      {gui::TSideDialog::FleetOrders, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.dialog));
        bool checked = false;
        testing::WhenModalShows([&](QWidget* d) {
            ExpectListsShowTheDialog(d, c.lists);
            checked = true;
            static_cast<gui::TForm*>(d)->SetModalResult(gui::mrOk);
        });
        EXPECT_TRUE(gui::OpenSideDialog(c.dialog));
        EXPECT_TRUE(checked);
    }
}

// The window system's plain list: its own white behind the rows, where the dialog is not white.
void ExpectTheListIsWhite(QWidget* d) {
    const std::vector<TListLook> looks = LookOfLists(d);
    ASSERT_EQ(looks.size(), 1u) << d->windowTitle().toStdString();
    SCOPED_TRACE(d->windowTitle().toStdString());
    EXPECT_GT(looks[0].compared, 0);
    EXPECT_EQ(looks[0].white, looks[0].compared);
    EXPECT_EQ(looks[0].differing, looks[0].compared) << "the dialog's face is not white";
}

TEST_F(DialogLists, TheCorpsToEmbarkThePartnerOfAMergeAndTheChoiceAtAHexKeepAWhiteList) {
    SelectedFleet = 4;  // amphibious at Washington, where D. Tyler's corps boards first
    GameRec->Fleets[4].Transports = 7, GameRec->Fleets[4].Mission = kMissionAmphibious;
    int dialogs = 0;
    testing::WhenModalShows([&](QWidget* embark) {
        ExpectTheListIsWhite(embark);
        ++dialogs;
        testing::WhenModalShows([&](QWidget* orders) {
            ++dialogs;
            static_cast<gui::TForm*>(orders)->SetModalResult(gui::mrOk);
        });
        static_cast<gui::TForm*>(embark)->SetModalResult(gui::mrOk);
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::FleetOrders));
    EXPECT_EQ(dialogs, 2);

    gui::TMergeLst merge(1, TTransferMode::Merge);
    testing::WhenModalShows([&](QWidget* d) {
        ExpectTheListIsWhite(d);
        ++dialogs;
        static_cast<gui::TForm*>(d)->SetModalResult(gui::mrOk);
    });
    merge.ShowModal();
    EXPECT_EQ(dialogs, 3);

    SidePlayed = kConfederacy;
    ClickedHex = {61, 19};  // Manassas: the city, an army and two corps
    CollectAllAtClickedHex();
    testing::WhenModalShows([&](QWidget* d) {
        ExpectTheListIsWhite(d);
        ++dialogs;
        static_cast<gui::TForm*>(d)->SetModalResult(gui::mrOk);
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::Selection));
    EXPECT_EQ(dialogs, 4);
}

}  // namespace
}  // namespace kvt
