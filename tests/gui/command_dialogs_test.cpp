// The army orders, leader orders and selection dialogs played by hand on the 1861 start point:
// every control with its caption, and what the clicks and the typing leave in the game.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <utility>
#include <vector>

#include "engine/movement/selection.h"
#include "engine/orders/order_support.h"
#include "engine/view/map_input.h"
#include "engine/world/globals.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/main/side_dialogs.h"
#include "gui/ui/radio_group.h"
#include "tests/gui/dialog_test_support.h"
#include "tests/gui/gui_support.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using gui::GameText;
using gui::TElAdvancedListBox;
using testing::Button;
using testing::Click;
using testing::ClickRow;
using testing::ExpectCaptionsAndStaysOpen;
using testing::Label;
using testing::List;
using testing::Radio;

// Only a dialog's own button writes the orders back.
class CommandDialogs : public testing::StartPointDialogTest {
protected:
    static QWidget* Named(QWidget* d, const char* name) { return testing::Control<QWidget>(d, name); }
};

TEST_F(CommandDialogs, ArmyOrdersPlayedByHandReachEveryCorpsOfTheArmy) {
    SidePlayed = kUnion;
    SelectedArmy = 1;
    const int will = GameRec->Nations[1].Will;
    testing::ScriptedFrontend fe;  // relieving I. McDowell: the question, his friends, the cost
    fe.ExpectConfirmBox(true);
    fe.ExpectNotice(0, 1);
    fe.ExpectNotice(0);
    int base = 0, objective = 0;
    testing::WhenModalShows([&](QWidget* d) {
        ExpectCaptionsAndStaysOpen(d, {{"Label1", GameText(0) + "Virginia"}, {"Label7", "Union"}, {"Label9", GameText(250)},
            {"Label10", GameText(251)}, {"Label5", GameText(614) + "3"}, {"Label6", GameText(615) + "5"},
            {"Label2", GameText(489) + " 24000/44"}, {"Label8", GameText(99) + "12/" + GameText(534)},
            {"ElLabel1", "Combat Stance"}, {"ElPanel2", "March Mode"}, {"ElPanel3", "Supply Priority"}, {"ElPanel4", "Supply Type"},
            {"RadioButton1", "Withdraw"}, {"RadioButton2", "Defend"}, {"RadioButton3", "Advance"}, {"RadioButton12", "Training"},
            {"RadioButton4", "Cautious"}, {"RadioButton5", "Normal"}, {"RadioButton6", "Forced"}, {"RadioButton8", "Depot"},
            {"RadioButton7", "Encamped"}, {"RadioButton9", "Subsistence"}, {"RadioButton10", "Standard"},
            {"RadioButton11", "High"}, {"Button1", "OK"}});
        EXPECT_TRUE(Radio(d, 2)->GetChecked()) << "the army defends";
        auto* edit = testing::Control<QLineEdit>(d, QStringLiteral("Edit1"));
        EXPECT_EQ(edit->text(), QStringLiteral("Virginia"));
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QStringLiteral("Army of the Potomac and Rappahannock"));
        for (int k : {12, 6, 7, 11}) Click(Radio(d, k));
        ClickRow(List(d, "ListBox1"), 1);
        ClickRow(List(d, "ListBox2"), 2);
        for (int c = 1; c <= kCityCount; ++c) {
            const QString row = QString::fromStdString(CityRowText(c));
            if (row == List(d, "ListBox1")->Items()[1]) base = c;
            if (row == List(d, "ListBox2")->Items()[2]) objective = c;
        }
        ClickRow(List(d, "ListBox3"), 1);
        testing::SaveScreenshot(d, QStringLiteral("army_orders"));
        Click(Button(d, 1));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::ArmyOrders));
    const TArmyRec& a = GameRec->Armies[1];
    EXPECT_EQ(a.Name.str(), "Army of the Potomac an") << "22 characters typed are kept";
    ASSERT_NE(base * objective, 0);
    EXPECT_EQ(std::vector<int>({a.Stance, a.March, a.SupplyType, a.SupplyPriority, a.SupplyBase, a.Objective, a.Leader}),
              std::vector<int>({3, 2, 1, 2, base, objective, 1})) << "W. Scott took command";
    EXPECT_EQ(GameRec->Leaders[2].Status, kLeaderRemoved);
    EXPECT_GE(will - GameRec->Nations[1].Will, 10) << "the relieved man's friends cost will";
    for (int k = 1; k <= 3; ++k) {
        const TCorpsRec& c = GameRec->Corps[k];
        EXPECT_EQ(std::vector<int>({c.Army, c.OrderMode, c.March, c.SupplyType, c.SupplyPriority, c.SupplyCity, c.DestX}),
                  std::vector<int>({1, 1, 2, 1, 2, base, GameRec->Cities[objective].HexX})) << "corps " << k;
    }
}

TEST_F(CommandDialogs, TheArmyNameBoxTakesLatinOneLettersAndShowsThemAgain) {
    SidePlayed = kUnion;
    SelectedArmy = 1;
    // Typed one key at a time, as a keyboard with the letters sends them.
    auto type = [](QLineEdit* edit, const QString& text) {
        for (QChar ch : text) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(edit, &key);
        }
    };
    testing::WhenModalShows([&](QWidget* d) {
        auto* edit = testing::Control<QLineEdit>(d, QStringLiteral("Edit1"));
        edit->selectAll();
        type(edit, QStringLiteral("Arm\u00e9e \u2014du \u00abNord\u00bb"));
        EXPECT_EQ(edit->text(), QStringLiteral("Arm\u00e9e du \u00abNord\u00bb")) << "a dash no name can hold is refused";
        Click(Button(d, 1));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::ArmyOrders));
    EXPECT_EQ(GameRec->Armies[1].Name.str(), "Arm\xE9" "e du \xABNord\xBB");
    testing::WhenModalShows([&](QWidget* d) {
        EXPECT_EQ(testing::Control<QLineEdit>(d, QStringLiteral("Edit1"))->text(), QStringLiteral("Arm\u00e9e du \u00abNord\u00bb"));
        EXPECT_EQ(Label(d, 1)->Caption(), GameText(0) + QStringLiteral("Arm\u00e9e du \u00abNord\u00bb"));
        testing::SaveScreenshot(d, QStringLiteral("army_orders_accented_name"));
        Click(Button(d, 1));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::ArmyOrders));
    EXPECT_EQ(GameRec->Armies[1].Name.str(), "Arm\xE9" "e du \xABNord\xBB") << "reopened and closed, the name stays";
}

TEST_F(CommandDialogs, LeaderOrdersFilterPromoteAndSetAside) {
    SidePlayed = kUnion;
    const int will = GameRec->Nations[1].Will;
    int first = 0;  // the first active corps commander, out of favour: his promotion costs the nation
    for (int l = kLeaderCount; l >= 1; --l) {
        const TLeaderRec& r = GameRec->Leaders[l];
        if (r.Nation == kUnion && r.Rank == 3 && r.Status == kLeaderActive) first = l;
    }
    GameRec->Leaders[first].Political = -1;
    testing::ScriptedFrontend fe;
    fe.ExpectNotice(0);
    testing::WhenModalShows([&](QWidget* d) {
        const int labels[] = {12, 13, 14, 15, 16, 17, 18, 19, 2}, radios[] = {1, 8, 2, 3, 4, 5, 6, 7, 9};
        ExpectCaptionsAndStaysOpen(d, {{"Label12", GameText(330)}, {"Label13", GameText(331)}, {"Label14", GameText(332)},
            {"Label15", GameText(333)}, {"Label16", GameText(189)}, {"Label17", GameText(191)}, {"Label18", GameText(193)},
            {"Label19", GameText(192)}, {"Label2", "Temp Remove"}, {"BitBtn1", "Promote"}, {"Button1", "Temp Remove"},
            {"OKBtn", "Done"}});
        for (int k : radios) EXPECT_FALSE(Radio(d, k)->GetChecked()) << "nothing checked at opening";
        EXPECT_EQ(List(d, "LdrList")->Items().Count(), 4) << "the active army commanders";
        // A label chooses its filter and checks its button, the last one (Temp Remove) too.
        for (int k = 0; k < 9; ++k) {
            Click(Label(d, labels[k]));
            EXPECT_TRUE(Radio(d, radios[k])->GetChecked()) << "Label" << labels[k];
        }
        Click(Radio(d, 2));
        Click(Radio(d, 4));
        ClickRow(List(d, "LdrList"), 0);
        EXPECT_EQ(Label(d, 1)->Caption().toStdString(), GameRec->Leaders[first].Name.str());
        for (int n : {6, 7, 8, 9, 10, 11}) EXPECT_TRUE(Label(d, n)->isVisible() && !Label(d, n)->Caption().isEmpty()) << n;
        EXPECT_TRUE(Button(d, 1)->isVisible()) << "an active leader can be set aside";
        testing::SaveScreenshot(d, QStringLiteral("leader_orders"));
        Click(Named(d, "BitBtn1"));
        EXPECT_TRUE(Label(d, 20)->isVisible() && Label(d, 20)->Caption() == GameText(623)) << "the promotion cost will";
        testing::SaveScreenshot(d, QStringLiteral("leader_orders_promoted"));
        Click(Radio(d, 3));
        EXPECT_FALSE(Label(d, 20)->isVisible());
        Click(Button(d, 1));
        Click(Named(d, "OKBtn"));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::LeaderOrders));
    const TLeaderRec& l = GameRec->Leaders[first];
    EXPECT_EQ(std::vector<int>({l.Rank, l.Political, l.Status, GameRec->Nations[1].Will}),
              std::vector<int>({5, -11, kLeaderToBeRemoved, will - 2})) << "promoted, then set aside";
}

TEST_F(CommandDialogs, TheSelectionOpensArmyOrdersAndOffersAnOwnCorpsChoice) {
    SidePlayed = kConfederacy;
    ClickedHex = {61, 19};  // Manassas: the city, an army and two corps
    CollectAllAtClickedHex();
    testing::WhenModalShows([&](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), GameText(583));
        TElAdvancedListBox* list = List(d, "SelectListBox");
        EXPECT_EQ(list->Items().Lines(), QStringList({"Manassas", "the Potomac", "R.S. Ewell", "J.A. Early"}));
        auto* corps = testing::Control<gui::TElRadioGroup>(d, QStringLiteral("SelectCorpsRadioGroup"));
        EXPECT_FALSE(corps->isVisible());
        ExpectCaptionsAndStaysOpen(d, {{"Button1", "Exit"}});
        testing::SaveScreenshot(d, QStringLiteral("selection_dialog"));
        bool cityShown = false;
        testing::WhenModalShows([&](QWidget* orders) {
            cityShown = orders->findChild<gui::TElLabel*>(QStringLiteral("Label1"))->Caption() == QStringLiteral("Manassas");
            static_cast<gui::TForm*>(orders)->SetModalResult(gui::mrOk);
        });
        ClickRow(list, 0);
        EXPECT_TRUE(cityShown);
        bool armyShown = false;
        testing::WhenModalShows([&](QWidget* orders) {
            armyShown = orders->windowTitle() == QStringLiteral("Army Order");
            Click(Button(orders, 1));
        });
        ClickRow(list, 1);
        EXPECT_TRUE(armyShown);
        ClickRow(list, 2);
        ASSERT_TRUE(corps->isVisible());
        EXPECT_EQ(corps->Items().Lines(), QStringList({"Orders", "Set Objective"}));
        EXPECT_EQ(corps->ItemIndex(), 1);
        testing::SaveScreenshot(d, QStringLiteral("selection_dialog_corps"));
        const QList<gui::TElGroupButton*> items = corps->findChildren<gui::TElGroupButton*>();
        bool corpsShown = false;
        testing::WhenModalShows([&](QWidget* orders) {
            corpsShown = orders->windowTitle() == QStringLiteral("Corps and Division Orders");
            Click(Button(orders, 2));
        });
        Click(items.at(0));
        EXPECT_TRUE(corpsShown);
        Click(items.at(1));
        EXPECT_TRUE(RouteDrawing);
        testing::WhenModalShows([](QWidget* orders) { static_cast<gui::TForm*>(orders)->SetModalResult(gui::mrOk); });
        ClickRow(list, 0);
        EXPECT_FALSE(corps->isVisible()) << "the corps choice goes with another row";
        ClickRow(list, 3);
        Click(Button(d, 1));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::Selection));
    EXPECT_EQ(std::vector<int>({SelectionList.Count, SelectedCity, SelectedArmy, SelectedCorps}),
              std::vector<int>({4, 13, 5, 17}));
}

TEST_F(CommandDialogs, TheSelectionLeadsThroughCorpsOrdersAndBrigadesToANewWeapon) {
    SidePlayed = kUnion;
    constexpr int kBanks = 10, kBaltimore = 2;  // N.P. Banks' corps stands in Baltimore
    ClickedHex = {GameRec->Cities[kBaltimore].HexX, GameRec->Cities[kBaltimore].HexY};
    CollectAllAtClickedHex();
    int first = 0;  // the brigade display's first row
    for (int b = kBrigadeCount; b >= 1; --b) {
        const TBrigadeRec& r = GameRec->Brigades[b];
        if (r.AttachKind == kAttachCorps && r.AttachIndex == kBanks && r.BrigadeType != 0 && r.HomeState != 0) first = b;
    }
    ASSERT_NE(first, 0);
    TBrigadeRec& brigade = GameRec->Brigades[first];
    brigade.BrigadeType = kBrigadeInfantry;
    brigade.Weapon = 1;
    U16& muskets = GameRec->Nations[kUnion].WeaponPool[1];
    U16& springfields = GameRec->Nations[kUnion].WeaponPool[2];
    muskets = springfields = 1000;
    testing::WhenModalShows([&](QWidget* d) {
        TElAdvancedListBox* list = List(d, "SelectListBox");
        ClickRow(list, static_cast<int>(list->Items().Lines().indexOf(QStringLiteral("N.P. Banks"))));
        testing::WhenModalShows([&](QWidget* orders) {
            testing::WhenModalShows([&](QWidget* display) {
                testing::WhenModalShows([&](QWidget* weapon) {
                    Click(Radio(weapon, 2));
                    Click(Button(weapon, 1));
                });
                Click(Button(display, 1));
                EXPECT_EQ(Named(display, "WeaponLabel1")->property("Caption").toString(), QStringLiteral("Springfields"));
                Click(Button(display, 11));
            });
            Click(Button(orders, 1));
            Click(Button(orders, 2));
        });
        Click(testing::Control<gui::TElRadioGroup>(d, QStringLiteral("SelectCorpsRadioGroup"))->Button(0));  // "Orders"
        Click(Button(d, 1));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::Selection));
    EXPECT_EQ(std::vector<int>({SelectedCorps, brigade.Weapon, muskets, springfields}),
              std::vector<int>({kBanks, 2, 1000 + brigade.Strength, 1000 - brigade.Strength}));
}

}  // namespace
}  // namespace kvt
