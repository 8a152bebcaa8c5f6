// The army overview, force status, city production, transfers, state statistics and general
// conditions on the 1861 start point, played by hand (rows, spin parts, switches), then the record
// compared.
#include <gtest/gtest.h>

#include <QProgressBar>

#include <cstring>

#include "engine/orders/force_status.h"
#include "engine/orders/general_conditions.h"
#include "engine/world/globals.h"
#include "gui/dialogs/command/city_production_dialog.h"
#include "gui/dialogs/command/state_statistics_dialog.h"
#include "gui/dialogs/command/transfers_dialog.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/main/side_dialogs.h"
#include "gui/ui/spin_button.h"
#include "tests/gui/dialog_test_support.h"
#include "tests/gui/gui_support.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using gui::GameText;
using gui::TElAdvancedListBox;
using testing::Click;
using testing::ClickRow;
using testing::Control;
using testing::List;
using testing::RowStarting;

constexpr int kWashington = 11, kPhiladelphia = 3, kGettysburg = 8, kBanks = 10;

class EconomyDialogs : public testing::StartPointDialogTest {
protected:
    void SetUp() override {
        StartPointDialogTest::SetUp();
        SidePlayed = kNationUnion;
    }
    static QWidget* Named(QWidget* d, const QString& name) { return Control<QWidget>(d, name); }
    static QString CaptionOf(QWidget* d, const QString& name) { return Named(d, name)->property("Caption").toString(); }
    // The label stands on the form with this text.
    static void ExpectShows(QWidget* d, const QString& name, const QString& text) {
        EXPECT_TRUE(Named(d, name)->isVisible()) << name.toStdString();
        EXPECT_EQ(CaptionOf(d, name), text) << name.toStdString();
    }
    static QString YesNo(int set) { return GameText(set != 0 ? 3 : 4); }
    // As every order dialog, and frameless and tidily laid out.
    static void ExpectCaptionsAndStaysOpen(QWidget* d, const std::vector<std::pair<QString, QString>>& captions) {
        testing::ExpectCaptionsAndStaysOpen(d, captions);
        EXPECT_TRUE(d->windowFlags() & Qt::FramelessWindowHint);
        testing::ExpectTidyLayout(d);
    }
    static void Spin(QWidget* d, const QString& name, bool up) {
        auto* spin = Control<gui::TElSpinButton>(d, name);
        ASSERT_TRUE(spin->isVisible() && spin->isEnabled()) << name.toStdString();
        testing::Press(spin, up);
    }
    static U16& Supplies(int nation, int theatre) { return GameRec->Nations[nation].TheatreSupplies[theatre]; }
};

TEST_F(EconomyDialogs, TheArmyOverviewOpensACorpsOverTheRecentredMap) {
    testing::ScriptedFrontend fe;
    testing::WhenModalShows([&](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), GameText(601));
        ExpectCaptionsAndStaysOpen(d, {{"Label1", GameText(602)}, {"Button1", GameText(66)}});
        TElAdvancedListBox* list = List(d, "ListBox1");
        const int row = RowStarting(list, QStringLiteral("N.P. Banks, "));
        EXPECT_TRUE(list->Items()[row].endsWith(QStringLiteral(", Baltimore, Md.")));
        testing::SaveScreenshot(d, QStringLiteral("army_overview"));
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}) {  // any button opens
            SCOPED_TRACE(button);
            SelectedCorps = 0;
            list->SetItemIndex(row == 0 ? 1 : 0);
            bool ordersShown = false;
            testing::WhenModalShows([&](QWidget* orders) {
                ordersShown = orders->windowTitle() == QStringLiteral("Corps and Division Orders");
                EXPECT_TRUE(d->isVisible()) << "the overview stays open under the orders";
                EXPECT_EQ(list->ItemIndex(), row) << "the row shown chosen is the corps opened";
                Click(testing::Button(orders, 2));
            });
            ClickRow(list, row, button);
            EXPECT_TRUE(ordersShown);
            EXPECT_EQ(SelectedCorps, kBanks);
        }
        testing::SaveScreenshot(d, QStringLiteral("army_overview_after_presses"));
        Click(testing::Button(d, 1));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::ArmyOverview));
    const TCorpsRec& banks = GameRec->Corps[kBanks];
    // The view's origin goes to the corps, as far east as the map's edge lets it (column 41).
    EXPECT_EQ((std::array<int, 4>{SelectedCorps, ViewColumn, ViewRow, fe.repaints}),
              (std::array<int, 4>{kBanks, 41, banks.HexY, 3}));
    EXPECT_LT(banks.HexX - ViewColumn, ViewColumns) << "the corps is in view";
}

TEST_F(EconomyDialogs, TheForceStatusMovesTheCapitalOnlyOnOk) {
    testing::ScriptedFrontend fe;
    fe.ExpectConfirmBox(false);
    fe.ExpectConfirmBox(true);
    fe.ExpectInformationBox();
    testing::WhenModalShows([&](QWidget* d) {
        std::vector<std::pair<QString, QString>> captions = {{"Label69", "Union " + GameText(396) + " : Washington"},
            {"Label70", "Confederate " + GameText(396) + " : Richmond"}, {"Label29", "Muskets"}, {"Label49", "Available"},
            {"Label60", "Under construction"}, {"Label71", "Selecting a new capital incurs a loss of prestige"},
            {"Button1", GameText(66)}};
        // Every figure the engine gives stands on the form: a label missing from it would be skipped unseen.
        for (const auto& [n, text] : OpenForceStatus().labels)
            captions.push_back({QStringLiteral("Label%1").arg(n), QString::fromStdString(text)});
        ExpectCaptionsAndStaysOpen(d, captions);
        TElAdvancedListBox* list = List(d, "ListBox1");
        EXPECT_EQ(list->Items()[list->ItemIndex()], QStringLiteral("Washington"));
        testing::SaveScreenshot(d, QStringLiteral("force_status"));
        const int philadelphia = RowStarting(list, QStringLiteral("Philadelphia"));
        ClickRow(list, philadelphia);
        EXPECT_EQ(list->Items()[list->ItemIndex()], QStringLiteral("Washington")) << "Cancel keeps the capital";
        ClickRow(list, philadelphia);
        EXPECT_EQ(CaptionOf(d, "Label69"), "Union " + GameText(396) + " : Philadelphia");
        EXPECT_EQ(list->Items()[list->ItemIndex()], QStringLiteral("Philadelphia")) << "the new capital's row is chosen";
        Click(testing::Button(d, 1));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::ForceStatus));
    EXPECT_EQ(fe.messages.back(), Text(172) + "Philadelphia");
    EXPECT_EQ((std::array<int, 4>{GameRec->Nations[1].Capital, GameRec->Nations[1].Will, GameRec->Cities[kWashington].Value,
                                  GameRec->Cities[kPhiladelphia].Value}),
              (std::array<int, 4>{kPhiladelphia, 800 - 25, 20, 20}));
}

TEST_F(EconomyDialogs, CityProductionIsPlayedSpinnerBySpinner) {
    const int noDepot = kGettysburg;
    GameRec->Cities[noDepot].SupplySource = 0;
    ASSERT_EQ(GameRec->Cities[noDepot].Theatre, kSeaboard);
    const TCityRec washington = GameRec->Cities[kWashington];
    testing::WhenModalShows([&](QWidget* d) {
        std::vector<std::pair<QString, QString>> captions = {{"StateCaption", GameText(289)}, {"FortCaption", GameText(290)},
            {"DepotCaption", GameText(291)}, {"RailCaption", GameText(292)}, {"RiverCaption", GameText(293)}, {"PortCaption", GameText(294)},
            {"CapacityCaption", GameText(263)}, {"ProducedCaption", GameText(264)}, {"IroncladCaption", GameText(265)},
            {"WoodenCaption", GameText(266)}, {"WoodenNote", GameText(624)}, {"SuppliesCaption", GameText(625)},
            {"StateValue", "Washington D.C."}, {"PortValue", GameText(3)}, {"IroncladValue", "1"},
            {"ProductionValue6", "4"}, {"SuppliesValue", "9000"}, {"Button1", GameText(66)}};
        ExpectCaptionsAndStaysOpen(d, captions);
        // Every figure of the city shown, as the record holds it.
        auto expectCityFigures = [&](const TCityRec& c, bool yards) {
            ExpectShows(d, "FortValue", QString::number(c.Fortifications));
            ExpectShows(d, "RailValue", YesNo(c.RailLink));
            ExpectShows(d, "RiverValue", YesNo(c.RiverLink));
            ExpectShows(d, "IroncladValue", yards ? QString::number(c.IroncladYards) : QStringLiteral("-"));
            ExpectShows(d, "WoodenValue", yards ? QString::number(c.WoodenYards) : QStringLiteral("-"));
            EXPECT_EQ(Named(d, "UpDown9")->isEnabled() && Named(d, "UpDown10")->isEnabled(), yards);
        };
        ASSERT_TRUE(washington.Port && washington.Fortifications == 2 && washington.WoodenYards == 2);
        expectCityFigures(washington, true);
        TElAdvancedListBox* list = List(d, "FactoryLst");
        EXPECT_EQ(list->Items()[list->ItemIndex()], QStringLiteral("Washington,D.C."));
        testing::SaveScreenshot(d, QStringLiteral("city_production"));
        // Every spinner up then down: each order ends where it was, a little poorer.
        for (int n = 1; n <= 10; ++n) {
            Spin(d, QStringLiteral("UpDown%1").arg(n), true);
            Spin(d, QStringLiteral("UpDown%1").arg(n), false);
        }
        EXPECT_EQ(CaptionOf(d, "SuppliesValue"), QStringLiteral("8403"));
        ClickRow(list, RowStarting(list, QString::fromStdString(GameRec->Cities[noDepot].Name.str() + ",")));
        EXPECT_EQ(CaptionOf(d, "DepotValue"), GameText(198));
        const TCityRec& gettysburg = GameRec->Cities[noDepot];
        ASSERT_EQ(gettysburg.Port + gettysburg.RiverLink, 0);
        ExpectShows(d, "PortValue", GameText(4));
        expectCityFigures(gettysburg, false);
        for (int n = 1; n <= 8; ++n)
            EXPECT_EQ(Named(d, QStringLiteral("UpDown%1").arg(n))->isVisible(), n == 1 || n == 5) << n;
        Spin(d, QStringLiteral("UpDown5"), true);
        EXPECT_EQ(CaptionOf(d, "ProductionValue5"), QStringLiteral("50"));
        testing::ExpectTidyLayout(d);
        testing::SaveScreenshot(d, QStringLiteral("city_production_no_depot"));
        // The handlers by their own names: a second shotgun step, cut again.
        auto* form = qobject_cast<gui::TCtyProdn*>(d);
        form->UpDown5UpClick();
        form->UpDown5DownClick();
        Click(testing::Button(d, 1));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::CityProduction));
    const TCityRec& w = GameRec->Cities[kWashington];
    EXPECT_EQ(std::memcmp(&w, &washington, sizeof w), 0) << "orders and yards back where they were";
    // Shotguns cost the Union 1 + 4.
    EXPECT_EQ((std::array<int, 2>{GameRec->Cities[noDepot].Production[5], Supplies(1, kSeaboard)}),
              (std::array<int, 2>{1, 8403 - 5 - 5 + 5 / 2}));
}

TEST_F(EconomyDialogs, TransfersMoveLotsUntilTheRailIsUsedUp) {
    SidePlayed = kNationConfederacy;  // the side with cotton to move
    TNationRec& n = GameRec->Nations[2];
    ASSERT_EQ(n.RailCapacity, 6);
    testing::WhenModalShows([&](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), GameText(408));
        std::vector<std::pair<QString, QString>> captions = {{"RailCapacityLabel", GameText(412)},
            {"RailUsedLabel", GameText(413)}, {"RailCapacityValue", "6"}, {"StockValue2", "2000"}, {"Button1", GameText(66)}};
        for (int i = 1; i <= 6; ++i) {
            captions.push_back({QStringLiteral("RouteLabel%1").arg(i), GameText(631 + i)});
            captions.push_back({QStringLiteral("StockLabel%1").arg(i), GameText(413 + i)});
            captions.push_back({QStringLiteral("RadioButton%1").arg(i), GameText(i % 2 == 1 ? 180 : 181)});
            EXPECT_EQ(testing::Radio(d, i)->GetChecked(), i % 2 == 1) << "supplies checked at opening";
            EXPECT_EQ(testing::Radio(d, i)->parentWidget(), Named(d, QStringLiteral("NewRadBox%1").arg((i + 1) / 2)));
        }
        ExpectCaptionsAndStaysOpen(d, captions);
        testing::SaveScreenshot(d, QStringLiteral("transfers"));
        ExpectShows(d, "RailUsedValue", QString::number(n.RailUsed));
        const int usedBefore = n.RailUsed;
        Spin(d, QStringLiteral("UpDown1"), true);   // West -> Seaboard supplies
        ExpectShows(d, "RailUsedValue", QString::number(usedBefore + 1));
        Spin(d, QStringLiteral("UpDown1"), false);  // and back
        Click(testing::Radio(d, 4));
        Spin(d, QStringLiteral("UpDown2"), true);   // Mississippi -> Seaboard cotton
        Spin(d, QStringLiteral("UpDown2"), false);  // Seaboard -> Mississippi cotton
        Click(testing::Radio(d, 6));
        Spin(d, QStringLiteral("UpDown3"), true);   // Mississippi -> West cotton
        Click(testing::Radio(d, 5));
        Spin(d, QStringLiteral("UpDown3"), false);  // West -> Mississippi supplies
        for (int pair = 1; pair <= 3; ++pair) EXPECT_FALSE(Named(d, QStringLiteral("UpDown%1").arg(pair))->isEnabled());
        ExpectShows(d, "RailUsedValue", QString::number(n.RailUsed));
        EXPECT_EQ(n.RailUsed, n.RailCapacity) << "every unit used";
        Click(testing::Radio(d, 3));
        Click(testing::Radio(d, 2));
        Click(testing::Radio(d, 1));
        Spin(d, QStringLiteral("UpDown4"), true);
        EXPECT_EQ(CaptionOf(d, "RailCapacityValue"), QStringLiteral("7"));
        // The handlers by their own names: the first pair switched to cotton, one lot West -> Seaboard.
        auto* form = qobject_cast<gui::TTransfers*>(d);
        form->RadioButton2Click();
        form->UpDown1UpClick();
        Click(testing::Button(d, 1));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::Transfers));
    // The rail was bought from the Seaboard's 5000 supplies (the fullest).
    EXPECT_EQ((std::array<int, 8>{n.TheatreSupplies[1], n.TheatreSupplies[2], n.TheatreSupplies[3], n.TheatreCotton[1],
                                  n.TheatreCotton[2], n.TheatreCotton[3], n.RailCapacity, n.RailUsed}),
              (std::array<int, 8>{4900, 3900, 3100, 2100, 2000, 2900, 7, 7}));
}

TEST_F(EconomyDialogs, StateStatisticsShowOffMapProductionAndTakeOrders) {
    constexpr int kNewYork = 11;
    GameRec->States[kNewYork].StateCasualties = 37, GameRec->States[kNewYork].Recruits = 123;
    const TStateRec before = GameRec->States[kNewYork];
    testing::WhenModalShows([&](QWidget* d) {
        ExpectCaptionsAndStaysOpen(d, {{"ListCaption", GameText(395)}, {"SuppliesCaption", GameText(402)},
            {"SupportCaption", GameText(405)}, {"ProductionCaption", GameText(626)}, {"CapacityCaption", GameText(407)},
            {"TheatreSuppliesCaption", GameText(406)}, {"CapitalLabel", GameText(396)}, {"Button1", GameText(66)}});
        EXPECT_FALSE(Named(d, "TheatreSuppliesValue")->isVisible()) << "until a state is chosen";
        TElAdvancedListBox* list = List(d, "StatusBox");
        ClickRow(list, RowStarting(list, QStringLiteral("Pennsylvania")));
        EXPECT_EQ(CaptionOf(d, "CapitalLabel"), QStringLiteral("Harrisburg"));
        for (int n = 1; n <= 8; ++n) EXPECT_FALSE(Named(d, QStringLiteral("UpDown%1").arg(n))->isVisible()) << n;
        ClickRow(list, RowStarting(list, QStringLiteral("New York")));
        EXPECT_EQ(CaptionOf(d, "CapacityValue2"), QStringLiteral("1500"));
        EXPECT_EQ(CaptionOf(d, "SupportValue"), GameText(630));
        EXPECT_EQ(CaptionOf(d, "TheatreSuppliesValue"), QStringLiteral("9000"));
        ExpectShows(d, "RecruitsCaption", GameText(403));
        ExpectShows(d, "CasualtiesCaption", GameText(404));
        ExpectShows(d, "RecruitsValue", QStringLiteral("6150"));
        ExpectShows(d, "CasualtiesValue", QStringLiteral("1850"));
        testing::ExpectTidyLayout(d);
        testing::SaveScreenshot(d, QStringLiteral("state_statistics"));
        for (int n = 1; n <= 8; ++n) {
            Spin(d, QStringLiteral("UpDown%1").arg(n), true);
            Spin(d, QStringLiteral("UpDown%1").arg(n), false);
        }
        // UpDown5 stands on the Muskets row, UpDown1 on the Shotguns row.
        Spin(d, QStringLiteral("UpDown5"), true);
        EXPECT_EQ(CaptionOf(d, "CapacityValue1"), QStringLiteral("50"));
        Spin(d, QStringLiteral("UpDown1"), true);
        EXPECT_EQ(CaptionOf(d, "CapacityValue5"), QStringLiteral("50"));
        // The handlers by their own names: UpDown1 orders Shotguns.
        auto* form = qobject_cast<gui::TStatStat*>(d);
        form->UpDown1UpClick();
        EXPECT_EQ(CaptionOf(d, "CapacityValue5"), QStringLiteral("100"));
        form->UpDown1DownClick();
        Click(testing::Button(d, 1));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::StateStatistics));
    const TStateRec& ny = GameRec->States[kNewYork];
    EXPECT_EQ((std::array<int, 4>{ny.WeaponCapacity[1], ny.WeaponCapacity[5], ny.WeaponCapacity[2], Supplies(1, kSeaboard)}),
              (std::array<int, 4>{before.WeaponCapacity[1] + 1, before.WeaponCapacity[5] + 1, before.WeaponCapacity[2],
                                  9000 - 147 - 5 - 5 - 5 + 5 / 2}));
}

// Every Confederate state has its capital on the map, so no state sets the captions from the texts.
TEST_F(EconomyDialogs, StateStatisticsWithoutOffMapStatesKeepTheFormsCaptions) {
    SidePlayed = kNationConfederacy;
    const std::vector<std::pair<QString, QString>> ownCaptions = {{"ListCaption", "States"}, {"SuppliesCaption", "Supplies"},
        {"RecruitsCaption", "Total Recruits"}, {"CasualtiesCaption", "Total Casualties"}, {"SupportCaption", "Political Support"},
        {"TheatreSuppliesCaption", "Supplies in theatre"}};
    testing::WhenModalShows([&](QWidget* d) {
        TElAdvancedListBox* list = List(d, "StatusBox");
        ASSERT_EQ(list->Items().Count(), 11);
        EXPECT_EQ(CaptionOf(d, "CapitalLabel"), QStringLiteral("Nashville"));
        ExpectCaptionsAndStaysOpen(d, ownCaptions);
        testing::SaveScreenshot(d, QStringLiteral("state_statistics_confederacy"));
        for (int row = 0; row < list->Items().Count(); ++row) {
            ClickRow(list, row);
            EXPECT_FALSE(Named(d, "ProductionCaption")->isVisible()) << row;
        }
        ExpectCaptionsAndStaysOpen(d, ownCaptions);
        Click(testing::Button(d, 1));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::StateStatistics));
}

TEST_F(EconomyDialogs, GeneralConditionsShowTheGaugesAndWeather) {
    GameRec->TheatreWeather[2] = 5;
    const TGeneralConditions g = ReadGeneralConditions();
    testing::WhenModalShows([&](QWidget* d) {
        ExpectCaptionsAndStaysOpen(d, {{"InternationalCaption", GameText(267)}, {"USAPrestigeCaption", GameText(268)},
            {"CSAPrestigeCaption", GameText(269)}, {"InterveneCaption", "European intervention"},
            {"SeaboardCaption", GameText(270)}, {"WestCaption", GameText(271)}, {"MississippiCaption", GameText(272)},
            {"WestWeather", GameText(84)}, {"Button1", GameText(66)}});
        const std::pair<const char*, int> gauges[] = {{"InternationalGuage", g.international}, {"USAPrestigeGuage", g.unionPrestige},
            {"CSAPrestigeGuage", g.confederatePrestige}, {"InterveneGuage", g.intervention}};
        for (const auto& [name, value] : gauges) EXPECT_EQ(Control<QProgressBar>(d, name)->value(), value) << name;
        EXPECT_EQ(g.international, 80) << "the Confederacy's will of 800";
        testing::SaveScreenshot(d, QStringLiteral("general_conditions"));
        Click(testing::Button(d, 1));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::GeneralConditions));
}

}  // namespace
}  // namespace kvt
