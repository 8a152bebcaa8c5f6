// The fleet orders, embark, merge and split, new fleet and naval overview dialogs played by hand
// on the 1861 start point: every control with its caption and place, and what the clicks and the
// typing leave in the game.
#include <gtest/gtest.h>

#include <QSpinBox>

#include "engine/orders/fleet_orders.h"
#include "engine/orders/order_support.h"
#include "engine/world/globals.h"
#include "gui/dialogs/command/fleet_orders_dialog.h"
#include "gui/dialogs/command/merge_fleets_dialog.h"
#include "gui/dialogs/command/naval_overview_dialog.h"
#include "gui/dialogs/command/new_fleet_dialog.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/main/side_dialogs.h"
#include "gui/platform/up_down.h"
#include "gui/ui/spin_button.h"
#include "tests/gui/dialog_test_support.h"
#include "tests/gui/gui_support.h"

namespace kvt {
namespace {

using gui::GameText;
using gui::TElAdvancedListBox;
using testing::Button;
using testing::Click;
using testing::ClickRow;
using testing::Control;
using testing::ExpectCaptionsAndStaysOpen;
using testing::Label;
using testing::List;
using testing::Radio;

class FleetDialogs : public testing::StartPointDialogTest {
protected:
    static gui::TElCheckBox* Box(QWidget* d, int k) { return Control<gui::TElCheckBox>(d, QStringLiteral("CheckBox%1").arg(k)); }
    static void Spin(QWidget* d, const char* name, bool up, int clicks = 1) {
        auto* s = Control<gui::TElSpinButton>(d, name);
        for (int k = 0; k < clicks; ++k) testing::Press(s, up);
    }
    static void Arrow(QWidget* d, int k, bool up, int clicks = 1) {
        auto* u = Control<gui::TUpDown>(d, QStringLiteral("UpDown%1").arg(k));
        for (int n = 0; n < clicks; ++n) QTest::mouseClick(u, Qt::LeftButton, {}, (up ? u->UpRect() : u->DownRect()).center());
    }
    static int RowOfCity(TElAdvancedListBox* list, int city) { return list->Items().IndexOf(QString::fromStdString(CityRowText(city))); }
    static TFleetRec& F(int f) { return GameRec->Fleets[f]; }
};

TEST_F(FleetDialogs, FleetOrdersAtHomeEmbarkAndSendTheFleetOnPatrol) {
    SidePlayed = kUnion;
    SelectedFleet = 4;  // Washington: D. Tyler's corps needs 2000
    F(4).Transports = 7, F(4).Mission = kMissionAmphibious;
    U16& supplies = GameRec->Nations[1].TheatreSupplies[GameRec->States[GameRec->Cities[11].State].Theatre];
    const int stock = supplies;
    testing::WhenModalShows([&](QWidget* embark) {  // Amphibious at home: boarding comes first
        EXPECT_EQ(embark->windowTitle(), GameText(594));
        ExpectCaptionsAndStaysOpen(embark, {{"Label1", "Transportation capacity : "}, {"Label2", "2100"}, {"Button1", "OK"}});
        ASSERT_EQ(List(embark, "ListBox1")->Items().Lines(), QStringList({"D. Tyler, " + GameText(319) + "2000"}));
        ClickRow(List(embark, "ListBox1"), 0);
        testing::SaveScreenshot(embark, QStringLiteral("embark_corps"));
        testing::WhenModalShows([&](QWidget* d) {
            ExpectCaptionsAndStaysOpen(d, {{"Label1", "Union"}, {"Label2", GameText(177) + "Washington"}, {"Label4", GameText(178) + "4"},
                {"Label5", GameText(617) + "D. Tyler"}, {"Label6", GameText(176)}, {"Label7", GameText(182) + "0/0"},
                {"Label8", GameText(183) + "3/0"}, {"Label9", GameText(184) + "7/0"}, {"Label10", GameText(142)},
                {"Label28", "50"}, {"Label11", GameText(181)}, {"Label29", "0"}, {"Label32", GameText(93)}, {"Label33", "63,19"},
                {"Label12", GameText(313)}, {"Label13", GameText(314)}, {"Label21", GameText(305)}, {"Label34", "Merge  /  Split"},
                {"Label22", GameText(315)}, {"Label24", QString::number(stock)}, {"Label26", GameText(316)},
                {"Label23", GameText(317)}, {"Label27", GameText(318)}, {"RadioButton1", "Nothing"}, {"RadioButton2", "Refit"},
                {"RadioButton3", "Move (Abort)"}, {"RadioButton4", "Cotton Run"}, {"RadioButton5", "Patrol"},
                {"RadioButton6", "Attack Port"}, {"RadioButton7", "Amphibious"}, {"OKBtn", "Done"}});
            EXPECT_TRUE(Radio(d, 7)->GetChecked());
            EXPECT_FALSE(Radio(d, 4)->isEnabled() || Box(d, 1)->isEnabled() || Box(d, 4)->isEnabled() || Label(d, 3)->isVisible());
            EXPECT_FALSE(Label(d, 30)->isVisible()) << "no cotton space on an ocean fleet";
            testing::SaveScreenshot(d, QStringLiteral("fleet_orders_home"));
            Spin(d, "UpDown1", true, 2);
            Spin(d, "UpDown1", false);
            EXPECT_EQ(Label(d, 28)->Caption(), QStringLiteral("55"));
            Click(Radio(d, 2));
            EXPECT_FALSE(Control<QWidget>(d, "UpDown1")->isEnabled()) << "a refit loads nothing";
            for (int k : {1, 5, 6}) Click(Radio(d, k));
            Click(Box(d, 1));
            ClickRow(List(d, "ListBox1"), RowOfCity(List(d, "ListBox1"), 3));
            Click(Box(d, 2));
            ClickRow(List(d, "ListBox2"), RowOfCity(List(d, "ListBox2"), 18));
            Click(Control<QWidget>(d, "OKBtn"));
        });
        Click(Button(embark, 1));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::FleetOrders));
    const TFleetRec& f = F(4);
    EXPECT_EQ(std::vector<int>({f.Mission, f.HomePort, f.TargetCity, f.Cargo, f.Supplies, supplies, GameRec->Corps[1].OrderMode}),
              std::vector<int>({kMissionAttackPort, 3, 18, 1, 55, stock - 5, 4}));
}

TEST_F(FleetDialogs, UnderWayCottonMergeAndSplit) {
    SidePlayed = kUnion;
    SelectedFleet = 1;
    F(1).HexX = 66, F(1).HexY = 22, F(1).Mission = kMissionPatrol, F(1).TargetCity = 3;
    testing::WhenModalShows([&](QWidget* d) {
        for (int k = 1; k <= 7; ++k) EXPECT_EQ(Radio(d, k)->isEnabled(), k == 3) << k;
        EXPECT_EQ(Label(d, 3)->Caption(), GameText(618) + "Philadelphia");
        testing::SaveScreenshot(d, QStringLiteral("fleet_orders_under_way"));
        Click(Radio(d, 3));
        EXPECT_EQ(Label(d, 3)->Caption(), GameText(618) + "Fort Monroe") << "sent home";
        Click(Control<QWidget>(d, "OKBtn"));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::FleetOrders));
    EXPECT_EQ(std::vector<int>({F(1).Mission, F(1).TargetCity}), std::vector<int>({kMissionMove, 23})) << "sent home";

    SidePlayed = kConfederacy;  // New Orleans: the blockade runners load cotton; Norfolk's fleet joins fleet 2
    F(6).HexX = 27, F(6).HexY = 49;
    U16& cotton = GameRec->Nations[2].TheatreCotton[GameRec->States[GameRec->Cities[65].State].Theatre];
    const int stock = cotton;
    SelectedFleet = 11;
    testing::WhenModalShows([&](QWidget* d) {
        ExpectCaptionsAndStaysOpen(d, {{"Label30", GameText(319)}, {"Label31", "600"}, {"Label25", QString::number(stock)}});
        Click(Radio(d, 4));
        Spin(d, "UpDown2", true, 3);
        Spin(d, "UpDown2", false);
        EXPECT_EQ(Label(d, 29)->Caption(), QStringLiteral("100"));
        Click(Control<QWidget>(d, "OKBtn"));
    });
    gui::OpenSideDialog(gui::TSideDialog::FleetOrders);
    EXPECT_EQ(std::vector<int>({F(11).Cotton, cotton, F(11).Mission}), std::vector<int>({100, stock - 100, 0}));

    SelectedFleet = 7;
    testing::WhenModalShows([&](QWidget* d) {
        testing::WhenModalShows([&](QWidget* merge) {
            EXPECT_EQ(merge->windowTitle(), GameText(597));
            ExpectCaptionsAndStaysOpen(merge, {{"Label7", GameText(598)}, {"Label1", GameText(182)}, {"Label2", GameText(183)},
                {"Label3", GameText(184)}, {"Label5", "3"}, {"Button1", GameText(66)}});
            EXPECT_FALSE(Control<QWidget>(merge, "UpDown2")->isEnabled()) << "no partner yet";
            ClickRow(List(merge, "ListBox1"), 0);
            Arrow(merge, 2, true);
            Arrow(merge, 2, false);
            EXPECT_EQ(Label(merge, 5)->Caption(), QStringLiteral("2"));
            testing::SaveScreenshot(merge, QStringLiteral("merge_fleets"));
            Click(Button(merge, 1));
        });
        Click(Box(d, 3));
        EXPECT_FALSE(Box(d, 3)->isEnabled() || Radio(d, 1)->isEnabled());
        Click(Control<QWidget>(d, "OKBtn"));
    });
    gui::OpenSideDialog(gui::TSideDialog::FleetOrders);
    EXPECT_EQ(std::vector<int>({F(7).Wooden, F(6).Wooden}), std::vector<int>({1, 4}));

    SelectedFleet = 6;
    testing::WhenModalShows([&](QWidget* d) {
        testing::WhenModalShows([&](QWidget* split) {
            EXPECT_EQ(split->windowTitle(), QStringLiteral("Split Fleet"));
            EXPECT_FALSE(List(split, "ListBox1")->isVisible());
            Arrow(split, 2, false, 3);
            Arrow(split, 1, true);
            Arrow(split, 3, false);
            EXPECT_EQ(std::vector<QString>({Label(split, 4)->Caption(), Label(split, 5)->Caption()}), std::vector<QString>({"0", "1"}));
            testing::SaveScreenshot(split, QStringLiteral("split_fleet"));
            Click(Button(split, 1));
        });
        Click(Box(d, 4));
        Click(Control<QWidget>(d, "OKBtn"));
    });
    gui::OpenSideDialog(gui::TSideDialog::FleetOrders);
    EXPECT_EQ(std::vector<int>({F(6).Wooden, F(kFleetCount).Wooden, F(kFleetCount).FleetNumber, F(kFleetCount).Owner}),
              std::vector<int>({3, 1, 8, 2}));
}

TEST_F(FleetDialogs, NewFleetOrderedAtAPortAndSeenInTheNavalOverview) {
    SidePlayed = kUnion;
    const int men = GameRec->Nations[1].NavalManpower;
    testing::WhenModalShows([&](QWidget* d) {
        ExpectCaptionsAndStaysOpen(d, {{"RadioButton1", "Ocean going"}, {"RadioButton2", "River going"},
            {"RadioButton3", "Ironclad warships"}, {"RadioButton4", "Wooden warships"}, {"RadioButton5", "Transports"},
            {"Label5", GameText(373)}, {"Label1", GameText(374)}, {"Label7", GameText(375)}, {"Label15", GameText(526)},
            {"Label11", GameText(528)}, {"Label12", GameText(529)}, {"Label13", GameText(530)}, {"Label10", GameText(527)},
            {"Label14", QString::number(men * 50)}, {"OKBtn", GameText(66)}});
        EXPECT_FALSE(Radio(d, 3)->isEnabled());
        Click(Radio(d, 2));
        Click(Radio(d, 1));
        Click(Radio(d, 3));
        EXPECT_FALSE(Radio(d, 2)->isEnabled() || Radio(d, 4)->isEnabled());
        auto* count = Control<QSpinBox>(d, "SpinEdit1");
        EXPECT_EQ(std::vector<int>({count->minimum(), count->maximum(), count->isEnabled()}), std::vector<int>({0, 0, 0}))
            << "no port yet";
        TElAdvancedListBox* ports = List(d, "ListBox1");
        ClickRow(ports, RowOfCity(ports, 7));
        EXPECT_EQ(Label(d, 2)->Caption(), QStringLiteral("3"));
        EXPECT_EQ(std::vector<int>({count->minimum(), count->maximum()}), std::vector<int>({0, 3})) << "up to the yard's room";
        QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(count, QStringLiteral("9"));
        EXPECT_EQ(count->value(), 0) << "a count above the room is not taken";
        for (int k = 0; k < 5; ++k) QTest::keyClick(count, Qt::Key_Up);
        EXPECT_EQ(count->value(), 3);
        testing::SaveScreenshot(d, QStringLiteral("new_fleet_at_the_room"));
        QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(count, QStringLiteral("2"));
        testing::SaveScreenshot(d, QStringLiteral("new_fleet"));
        Click(Control<QWidget>(d, "OKBtn"));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::NewFleet));
    for (int shipClass : {4, 5}) {  // the other classes, closed without a port: nothing is built
        testing::WhenModalShows([&](QWidget* d) {
            Click(Radio(d, 2));
            Click(Radio(d, shipClass));
            EXPECT_EQ(List(d, "ListBox1")->isEnabled(), List(d, "ListBox1")->Items().Count() > 0);
            Click(Control<QWidget>(d, "OKBtn"));
        });
        gui::OpenSideDialog(gui::TSideDialog::NewFleet);
    }
    const TFleetRec& f = F(kFleetCount);
    EXPECT_EQ(std::vector<int>({f.Ironclads, f.BuildCounter, f.HomePort, f.FleetNumber, GameRec->Nations[1].NavalManpower}),
              std::vector<int>({2, 24, 7, 6, men - 4}));

    testing::WhenModalShows([&](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), GameText(471));
        ExpectCaptionsAndStaysOpen(d, {{"Label1", GameText(590)}, {"Button1", "OK"}});
        TElAdvancedListBox* list = List(d, "ListBox1");
        ASSERT_EQ(list->Items().Count(), 6);
        EXPECT_EQ(list->Items()[5], GameText(1) + "6, New York, " + GameText(176) + ", 2, " + GameText(591) + ":24");
        ClickRow(list, 5);  // building: the map moves, no orders open
        testing::SaveScreenshot(d, QStringLiteral("naval_overview"));
        EXPECT_EQ(std::vector<int>({SelectedFleet, ViewColumn, ViewRow}), std::vector<int>({kFleetCount, 71, 12}));
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {  // every button picks a line
            SCOPED_TRACE(button);
            ViewColumn = ViewRow = 1;
            list->SetItemIndex(0);
            ClickRow(list, 5, button);
            EXPECT_EQ(std::vector<int>({ViewColumn, ViewRow, list->ItemIndex()}), std::vector<int>({71, 12, 5}));
        }
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            SCOPED_TRACE(button);
            bool ordersShown = false;
            testing::WhenModalShows([&](QWidget* orders) {
                ordersShown = orders->windowTitle() == QStringLiteral("Fleet Orders");
                Click(Control<QWidget>(orders, "OKBtn"));
            });
            ClickRow(list, 1, button);
            EXPECT_TRUE(ordersShown);
        }
        testing::SaveScreenshot(d, QStringLiteral("naval_overview_after_right_press"));
        Click(Button(d, 1));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::NavalOverview));
    EXPECT_EQ(SelectedFleet, 2);
}

// Each placed control where the layout puts it: "name left top [width height]", the client size
// first.
TEST_F(FleetDialogs, ControlsStandWhereTheLayoutsPlaceThem) {
    SidePlayed = kUnion;
    TFleetOrderSheet sheet(1);
    gui::TFleetOrders orders(sheet);
    gui::TMergeLst merge(1, TTransferMode::Merge);
    gui::TRaiseFleet raise;
    gui::TFleetOver overview;
    const std::pair<QWidget*, const char*> layouts[] = {
        {&orders, "- 0 0 415 422;Image1 0 0 271 329;OKBtn 78 302 107 23;CheckBox1 8 6;Label12 30 6;ListBox1 6 24 139 59;"
                  "CheckBox2 10 86;Label13 34 86;ListBox2 6 104 139 59;ElPanel1 2 328 263 93;RadioButton1 2 26;"
                  "RadioButton2 2 46;RadioButton3 2 64;RadioButton4 120 6;RadioButton5 120 26;RadioButton6 120 46;"
                  "RadioButton7 120 66;Label1 274 2;Label2 274 22;Label3 274 42;Label4 274 60;Label5 274 78;Label6 274 98;"
                  "Label7 274 118;Label8 274 138;Label9 274 160;Label10 274 182;Label28 352 182;Label11 274 206;"
                  "Label29 352 206;Label32 274 228;Label33 352 228;CheckBox3 274 258;Label34 294 258;CheckBox4 394 260;"
                  "Label22 276 286;Label24 376 286;Label26 272 316;UpDown1 382 312;Label23 274 346;Label25 366 346;"
                  "Label30 274 368;Label31 358 368;Label27 274 392;UpDown2 382 380"},
        {&merge, "- 0 0 121 168;ListBox1 0 0 121 45;Label7 2 49;Label1 0 72;Label4 81 72;UpDown1 96 66 25 22;Label2 0 98;"
                 "Label5 80 100;UpDown2 96 90 25 22;Label3 0 125;Label6 80 125;UpDown3 96 116 25 22;Button1 7 145 91 18"},
        {&raise, "- 0 0 426 328;Image1 0 54 427 273;ElPanel1 2 0 167 53;RadioButton1 4 6;RadioButton2 6 30;"
                 "ElPanel2 170 0 255 53;RadioButton3 4 4;RadioButton4 6 28;RadioButton5 148 4;Label5 20 60;"
                 "ListBox1 10 79 163 66;Label1 262 62;Label7 302 84;Label2 400 84;SpinEdit1 294 106 121 22;Label15 170 230;"
                 "Label11 12 250;Label12 12 268;Label13 10 286;Label10 48 304;Label14 182 304;OKBtn 306 284 113 37"},
        {&overview, "- 0 0 431 379;Image1 0 0 431 379;Label1 32 0;ListBox1 14 23 403 94;Button1 308 342 113 29"}};
    for (const auto& [dialog, table] : layouts)
        for (const QString& entry : QString::fromLatin1(table).split(QLatin1Char(';'))) {
            const QStringList f = entry.split(QLatin1Char(' '));
            SCOPED_TRACE(std::string(dialog->metaObject()->className()) + " " + entry.toStdString());
            QWidget* w = f[0] == QStringLiteral("-") ? dialog : Control<QWidget>(dialog, f[0]);
            if (!w) continue;
            if (w != dialog) {
                EXPECT_EQ(w->pos(), QPoint(f[1].toInt(), f[2].toInt()));
            }
            if (f.size() == 5) {
                EXPECT_EQ(w->size(), QSize(f[3].toInt(), f[4].toInt()));
            }
        }
    EXPECT_EQ(Control<TElAdvancedListBox>(&overview, "ListBox1")->ItemHeight(), 19);
    EXPECT_TRUE(Label(&overview, 1)->font().bold() && Control<QWidget>(&overview, "ListBox1")->font().bold());
}

}  // namespace
}  // namespace kvt
