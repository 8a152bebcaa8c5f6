// The economy and overview dialogs' rules: the army overview and force status, city production,
// supply and cotton transfers, state statistics and the general conditions, as a person uses them.
#include <gtest/gtest.h>

#include <map>

#include "engine/orders/city_production.h"
#include "engine/orders/force_overview.h"
#include "engine/orders/force_status.h"
#include "engine/orders/general_conditions.h"
#include "engine/orders/state_statistics.h"
#include "engine/orders/transfers.h"
#include "engine/world/stocks.h"
#include "tests/engine/movement_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

// The Union played; Maryland ("Md", Seaboard) holds the capital "Port" at (10, 10). Muskets cost the
// Union 6 + 4 = 10 supplies a step.
class EconomyWorld : public testing::MovementWorld {
protected:
    void SetUp() override {
        MovementWorld::SetUp();
        SidePlayed = kNationUnion;
        TStateRec& md = GameRec->States[1];
        md.Name = "Maryland";
        md.ShortName = "Md";
        md.Theatre = kSeaboard;
        md.Controller = kNationUnion;
        port = AddCity("Port", 10, 10, kNationUnion, 2);
        GameRec->Cities[port].State = 1;
        GameRec->Nations[1].Capital = static_cast<U8>(port);
        GameRec->WeaponTable[1].Price[1] = 6;
    }
    static U16& Supplies(int theatre = kSeaboard) { return GameRec->Nations[1].TheatreSupplies[theatre]; }
    int port = 0;
};

using ForceOverview = EconomyWorld;
using ForceStatus = EconomyWorld;
using CityProduction = EconomyWorld;
using Transfers = EconomyWorld;
using StateStatistics = EconomyWorld;
using GeneralConditions = EconomyWorld;

TEST_F(ForceOverview, RowsGiveCommanderMenGunsNeedAndWhereabouts) {
    struct Case { int side, x, supplyType; const char* row; };
    const Case cases[] = {
        {1, 10, 0, "Leader1, 5000, 12, 72/ T246, Port, Md"},
        {1, 13, 1, "Leader1, 5000, 12, 36/ T246, 45T52Port, Md"},  // encamped, three hexes east
        {2, 10, 2, "Leader1, 5000, 12, 18/ T246, Port, Md"},       // foraging Confederates
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.row);
        SetUp();
        SidePlayed = static_cast<std::uint16_t>(k.side);
        const int c = AddCorps(k.side, k.x, 10);
        TCorpsRec& r = C(c);
        r.LineCount = 4;
        r.ArtilleryCount = 2;
        r.SupplyPriority = 2;
        r.SupplyType = static_cast<U8>(k.supplyType);
        r.Artillery = 6;
        AddCorps(k.side, 10, 10, 0);  // no commander: not listed
        AddCorps(3 - k.side, 10, 10);
        const TForceOverview o = OpenForceOverview();
        ASSERT_EQ(o.rows.size(), 1u);
        EXPECT_EQ(o.rows[0].text, k.row);
        EXPECT_EQ(o.rows[0].index, c);
    }
    // With no city on the map nothing is said of the whereabouts.
    GameRec->Cities[port].HexX = 0;
    EXPECT_EQ(CorpsWhereabouts(1), "");
}

TEST_F(ForceOverview, PressSelectsTheCorpsAndMovesTheViewToIt) {
    const int c = AddCorps(1, 30, 20);
    ScriptedFrontend fe;
    const TForceOverview o = OpenForceOverview();
    EXPECT_FALSE(PressOverviewRow(o, 1)) << "below the last row";
    ASSERT_TRUE(PressOverviewRow(o, 0));
    EXPECT_EQ((std::array<int, 4>{SelectedCorps, ViewColumn, ViewRow, fe.repaints}), (std::array<int, 4>{c, 29, 20, 1}));
    // Its orders disbanded it while the overview stayed open: the row opens nothing.
    SelectedCorps = 0;
    C(c).Unused = 1;
    EXPECT_FALSE(PressOverviewRow(o, 0));
    EXPECT_EQ(SelectedCorps, 0);
}

TEST_F(ForceStatus, FiguresOfTheSidePlayed) {
    const int c = AddCorps(1, 10, 10);
    const int musket = AddBrigade(c, kBrigadeInfantry, 60);
    GameRec->Brigades[musket].Weapon = 1;
    GameRec->Brigades[AddBrigade(c, kBrigadeArtillery, 8)].Weapon = 7;
    GameRec->Brigades[AddBrigade(c, kBrigadeInfantry, 40)].Weapon = 1;
    TNationRec& n = GameRec->Nations[1];
    n.TheatreStrength[2] = 30;
    n.ShipTotals[kShipsOceanIronclads] = 4;
    n.WeaponPool[6] = 9;
    GameRec->Cities[port].Production[1] = 3;
    GameRec->Cities[port].IroncladYards = 2;
    TStateRec& offMap = GameRec->States[2];
    offMap.Controller = kNationUnion;
    offMap.WeaponCapacity[1] = 5;
    GameRec->States[1].CapitalCity = static_cast<U8>(port);
    GameRec->States[1].WeaponCapacity[1] = 50;  // a state with a capital makes nothing off the map
    TFleetRec& building = GameRec->Fleets[1];
    building = TFleetRec{};
    building.BuildCounter = 12;
    building.Owner = kNationUnion;
    building.Ironclads = 1;
    building.Wooden = 2;
    building.Transports = 3;
    GameRec->Cities[AddCity("Capitol", 20, 20, 2)].Name = "Richmond";
    GameRec->Nations[2].Capital = 2;

    const TForceStatusView v = OpenForceStatus();
    std::map<int, std::string> shown(v.labels.begin(), v.labels.end());
    const std::pair<int, const char*> expected[] = {
        {1, "T320"}, {7, "T326 muskets"}, {14, "T678 Whitworths"}, {69, "Union T396 : Port"},
        {70, "Confederate T396 : Richmond"}, {16, "1500"}, {18, "4"}, {30, "0"}, {21, "5000"}, {22, "0"},
        {27, "16"}, {28, "0"}, {46, "18"}, {51, "400"}, {63, "2"}, {64, "0"}, {65, "1"}, {66, "5"}};
    for (const auto& [label, text] : expected) EXPECT_EQ(shown[label], text) << "Label" << label;
    EXPECT_EQ(shown.count(29), 0u) << "the weapon names keep the form's captions";
}

TEST_F(ForceStatus, MovingTheCapitalCostsTheOldCapitalsValue) {
    GameRec->Cities[port].OriginalOwner = kNationUnion;
    GameRec->Cities[port].Value = 25;
    const int town = AddCity("Town", 20, 10, kNationUnion);
    GameRec->Cities[town].OriginalOwner = kNationUnion;
    GameRec->Cities[town].Value = 5;
    const int hamlet = AddCity("Hamlet", 30, 10, kNationUnion);
    GameRec->Cities[hamlet].OriginalOwner = kNationUnion;
    GameRec->Cities[hamlet].Value = 4;  // too small to be listed
    GameRec->Nations[1].Will = 800;
    ScriptedFrontend fe;
    TForceStatusView v = OpenForceStatus();
    ASSERT_EQ(v.capitals.size(), 2u);
    EXPECT_EQ(v.capitalRow, 0);
    fe.ExpectConfirmBox(false);
    EXPECT_FALSE(ChooseCapital(v, 1));
    fe.ExpectConfirmBox(true);
    EXPECT_FALSE(ChooseCapital(v, 0)) << "the capital itself";
    fe.ExpectConfirmBox(true);
    fe.ExpectInformationBox();
    ASSERT_TRUE(ChooseCapital(v, 1));
    EXPECT_EQ(fe.messages.back(), "T172Town");
    EXPECT_EQ((std::array<int, 4>{GameRec->Nations[1].Capital, GameRec->Nations[1].Will, GameRec->Cities[port].Value,
                                  GameRec->Cities[town].Value}),
              (std::array<int, 4>{town, 775, 20, 10}));
    // Without a capital nothing is charged; a value stops at 255 rather than wrapping.
    GameRec->Nations[1].Capital = 0;
    GameRec->Cities[port].Value = 253;
    v = OpenForceStatus();
    fe.ExpectConfirmBox(true);
    fe.ExpectInformationBox();
    ASSERT_TRUE(ChooseCapital(v, 0));
    EXPECT_EQ((std::array<int, 3>{GameRec->Nations[1].Will, GameRec->Cities[port].Value, GameRec->Cities[town].Value}),
              (std::array<int, 3>{775, 255, 10}));
}

TEST_F(ForceStatus, ABrokenCapitalIndexCostsNothingAndAnOldCapitalsValueStopsAt0) {
    struct Case { bool brokenIndex; int portValue; const char* label; int will, portAfter; };
    const Case cases[] = {
        {true, 25, "Union T396 : ", 800, 25},      // no seat to name, pay for or take value from
        {false, 3, "Union T396 : Port", 797, 0},  // a capital worth 3 pays 3 and is left with nothing
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.label);
        SetUp();
        TCityRec& old = GameRec->Cities[port];
        old.OriginalOwner = kNationUnion;
        old.Value = static_cast<U8>(k.portValue);
        const int town = AddCity("Town", 20, 10, kNationUnion);
        GameRec->Cities[town].OriginalOwner = kNationUnion;
        GameRec->Cities[town].Value = 5;
        TNationRec& n = GameRec->Nations[1];
        n.Will = 800;
        n.Capital = static_cast<U8>(k.brokenIndex ? 200 : port);
        const TForceStatusView v = OpenForceStatus();
        std::map<int, std::string> shown(v.labels.begin(), v.labels.end());
        EXPECT_EQ(shown[69], k.label);
        EXPECT_EQ(v.capitalRow, -1) << "no row of the list is the capital";
        ASSERT_FALSE(v.capitals.empty());
        ScriptedFrontend fe;
        fe.ExpectConfirmBox(true);
        fe.ExpectInformationBox();
        ASSERT_TRUE(ChooseCapital(v, static_cast<int>(v.capitals.size()) - 1));
        EXPECT_EQ((std::array<int, 4>{n.Capital, n.Will, old.Value, GameRec->Cities[town].Value}),
                  (std::array<int, 4>{town, k.will, k.portAfter, 10}));
        EXPECT_EQ(CheckedAccessFaults(), 0u);
    }
}

TEST_F(CityProduction, ACityOfAStateThatIsNoneOrPastTheStatesNamesNoState) {
    for (int state : {0, 38, 200}) {
        SCOPED_TRACE(state);
        SetUp();
        GameRec->Cities[port].State = static_cast<U8>(state);
        const TCityProduction p;
        ASSERT_EQ(p.Rows().size(), 1u);
        EXPECT_EQ(p.Rows()[0].text, "Port,");
        EXPECT_EQ(p.City(), port);
        EXPECT_EQ(p.View().state, "");
        EXPECT_EQ(CheckedAccessFaults(), 0u);
    }
}

TEST_F(CityProduction, OrdersArePaidFromTheTheatreAndRefundedByHalf) {
    SetStockLedger(true);
    ClearStockLedger();
    U16& muskets = GameRec->Cities[port].Production[1];
    Supplies() = 10;
    TCityProduction p;
    EXPECT_EQ(p.SelectedRow(), 0);
    EXPECT_FALSE(p.StepProduction(1, true)) << "supplies equal to the cost";
    Supplies() = 100;
    ASSERT_TRUE(p.StepProduction(1, true));
    EXPECT_EQ(p.View().production[0], "50");
    ASSERT_TRUE(p.StepProduction(1, false));
    EXPECT_FALSE(p.StepProduction(1, false)) << "nothing left to cut";
    EXPECT_EQ((std::array<int, 2>{muskets, Supplies()}), (std::array<int, 2>{0, 100 - (10 - 10 / 2)}));
    EXPECT_EQ(p.View().supplies, "95");
    // The words stop at their caps: a full order is not bought, a refund fills the theatre to the top.
    muskets = kStockCap;
    EXPECT_FALSE(p.StepProduction(1, true));
    Supplies() = kStockCap - 2;
    ASSERT_TRUE(p.StepProduction(1, false));
    EXPECT_EQ(Supplies(), kStockCap);
    for (const TStockEntry& e : StockLedger()) EXPECT_EQ(e.rule, StockRule::Dialog);
    SetStockLedger(false);
}

TEST_F(CityProduction, DepotPortAndTheatreDecideTheSpinners) {
    struct Case { int depot, port, river, theatre; const char* spinners; const char* portText; const char* yards; };
    const Case cases[] = {
        {2, 1, 0, 1, "1111111111", "T3", "0"},
        {0, 1, 0, 1, "1000100011", "T3", "0"},   // no depot: muskets and shotguns only
        {1, 0, 1, 1, "1111111111", "T3", "0"},   // a river city has port facilities
        {3, 0, 0, 1, "1111111111", "T4", "-"},   // shown, but the yard spinners are disabled
        {2, 1, 0, 4, "0000000000", "T3", "0"},   // no theatre to pay from
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.spinners);
        TCityRec& c = GameRec->Cities[port];
        c.SupplySource = static_cast<U8>(k.depot);
        c.Port = static_cast<U8>(k.port);
        c.RiverLink = static_cast<U8>(k.river);
        c.Theatre = static_cast<U8>(k.theatre);
        TCityProduction p;
        std::string spinners;
        for (bool s : p.View().spinnerShown) spinners += s ? '1' : '0';
        EXPECT_EQ(spinners, k.spinners);
        EXPECT_EQ(p.View().portFacilities, k.portText);
        EXPECT_EQ(p.View().woodenYards, k.yards);
        EXPECT_EQ(p.View().yardsEnabled, k.port + k.river > 0 && k.theatre <= 3);
    }
    // Choosing a city with a depot shows every spinner again.
    const int depot = AddCity("Depot", 20, 20, kNationUnion, 1);
    GameRec->Cities[port].Theatre = kSeaboard;
    GameRec->Cities[port].SupplySource = 0;
    TCityProduction p;
    EXPECT_FALSE(p.View().spinnerShown[1]);
    p.ChooseRow(1);
    EXPECT_EQ(p.City(), depot);
    EXPECT_TRUE(p.View().spinnerShown[1]);
}

TEST_F(CityProduction, AnEnemyHeldCapitalIsNotShown) {
    for (int capital : {port, 0, 200}) {
        SCOPED_TRACE(capital);
        GameRec->Nations[1].Capital = static_cast<U8>(capital);
        GameRec->Cities[port].Nation = kNationConfederacy;
        Supplies() = 1000;
        TCityProduction p;
        EXPECT_EQ(p.City(), 0);
        EXPECT_EQ(p.SelectedRow(), -1);
        EXPECT_FALSE(p.StepProduction(1, true));
        EXPECT_FALSE(p.StepYards(true, true));
        EXPECT_EQ(Supplies(), 1000);
    }
}

TEST_F(CityProduction, YardsAreBoughtAboveTheirPrice) {
    TCityRec& c = GameRec->Cities[port];
    c.Port = 1;
    struct Case { bool ironclads, up; int supplies, yards; bool done; int suppliesAfter, yardsAfter; };
    const Case cases[] = {
        {true, true, 500, 0, false, 500, 0},  {true, true, 501, 0, true, 1, 1},
        {true, false, 0, 1, true, 200, 0},    {true, false, 0, 0, false, 0, 0},
        {false, true, 251, 3, true, 1, 4},    {false, false, 0, 3, true, 100, 2},
        {true, true, 9000, 255, false, 9000, 255},  // no yard past the byte
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message() << k.ironclads << k.up << k.supplies);
        U8& yards = k.ironclads ? c.IroncladYards : c.WoodenYards;
        yards = static_cast<U8>(k.yards);
        Supplies() = static_cast<std::uint16_t>(k.supplies);
        TCityProduction p;
        EXPECT_EQ(p.StepYards(k.ironclads, k.up), k.done);
        EXPECT_EQ((std::array<int, 2>{Supplies(), yards}), (std::array<int, 2>{k.suppliesAfter, k.yardsAfter}));
    }
}

TEST_F(Transfers, EachMoveUsesARailUnitWhileCapacityExceedsUse) {
    TNationRec& n = GameRec->Nations[1];
    n.RailCapacity = 3;
    n.RailUsed = 2;
    n.TheatreSupplies[kWest] = 1000;
    n.TheatreSupplies[kSeaboard] = 50;
    TTransferOrders t;
    ASSERT_TRUE(t.Move(1, true));
    EXPECT_EQ((std::array<int, 3>{n.TheatreSupplies[kWest], n.TheatreSupplies[kSeaboard], n.RailUsed}),
              (std::array<int, 3>{900, 150, 3}));
    EXPECT_FALSE(t.View().movesEnabled);
    EXPECT_FALSE(t.Move(1, true)) << "capacity equal to use";
    ASSERT_TRUE(t.BuyRailCapacity());
    EXPECT_EQ((std::array<int, 2>{n.RailCapacity, n.TheatreSupplies[kWest]}), (std::array<int, 2>{4, 800}));
    EXPECT_TRUE(t.View().movesEnabled);
}

TEST_F(Transfers, LotsOfAHundredOfTheChosenGoods) {
    TNationRec& n = GameRec->Nations[1];
    struct Case { int pair; bool up; bool cotton; int from, to, fromBefore, toBefore; bool done; };
    const Case cases[] = {
        {1, false, false, kSeaboard, kWest, 100, 0, true},
        {1, false, false, kSeaboard, kWest, 99, 0, false},
        {2, true, true, kMississippi, kSeaboard, 300, 0, true},
        {3, false, false, kWest, kMississippi, 500, kStockCap - 99, false},  // the target cannot take it
        {3, true, false, kMississippi, kWest, 500, kStockCap - 100, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message() << k.pair << k.up << k.fromBefore);
        n.RailCapacity = 8;
        n.RailUsed = 0;
        n.TheatreSupplies = n.TheatreCotton = {};
        auto& goods = k.cotton ? n.TheatreCotton : n.TheatreSupplies;
        goods[k.from] = static_cast<std::uint16_t>(k.fromBefore);
        goods[k.to] = static_cast<std::uint16_t>(k.toBefore);
        TTransferOrders t;
        if (k.cotton) t.SetGoods(k.pair, TGoods::Cotton);
        EXPECT_EQ(t.Move(k.pair, k.up), k.done);
        const int moved = k.done ? kTransferLot : 0;
        EXPECT_EQ((std::array<int, 3>{goods[k.from], goods[k.to], n.RailUsed}),
                  (std::array<int, 3>{k.fromBefore - moved, k.toBefore + moved, k.done ? 1 : 0}));
    }
}

TEST_F(Transfers, RailCapacityIsBoughtFromTheFullestTheatre) {
    TNationRec& n = GameRec->Nations[1];
    n.TheatreSupplies = {};
    n.TheatreSupplies[kWest] = n.TheatreSupplies[kMississippi] = 99;
    TTransferOrders t;
    EXPECT_FALSE(t.BuyRailCapacity());
    n.TheatreSupplies[kWest] = n.TheatreSupplies[kMississippi] = 400;
    ASSERT_TRUE(t.BuyRailCapacity());
    EXPECT_EQ((std::array<int, 3>{n.TheatreSupplies[kWest], n.TheatreSupplies[kMississippi], n.RailCapacity}),
              (std::array<int, 3>{300, 400, 1}));
    n.RailCapacity = 255;
    EXPECT_FALSE(t.BuyRailCapacity());
    EXPECT_EQ(n.TheatreSupplies[kMississippi], 400);
}

TEST_F(StateStatistics, StatesShowTheirFiguresAndOffMapProduction) {
    const std::pair<int, const char*> bands[] = {{20, "T627"}, {21, "T628"}, {59, "T629"}, {60, "T630"},
                                                 {100, "T631"}, {150, "T631"}};
    for (const auto& [loyalty, text] : bands) EXPECT_EQ(LoyaltyText(loyalty), text) << loyalty;
    GameRec->States[1].CapitalCity = static_cast<U8>(port);
    GameRec->States[1].Recruits = 7;
    TStateRec& offMap = GameRec->States[3];
    offMap.Name = "Maine";
    offMap.Controller = kNationUnion;
    offMap.Theatre = kWest;
    offMap.WeaponCapacity[6] = 4;
    Supplies(kWest) = 600;
    TStateStatistics s;
    ASSERT_EQ(s.Rows().size(), 2u);
    EXPECT_EQ((std::array<std::string, 2>{s.View().capital, s.View().recruits}), (std::array<std::string, 2>{"Port", "350"}));
    EXPECT_FALSE(s.View().productionShown || s.View().spinnersShown || s.View().theatreSuppliesShown);
    EXPECT_FALSE(s.StepCapacity(1, true));
    s.ChooseRow(1);
    EXPECT_EQ((std::array<std::string, 3>{s.View().capital, s.View().capacity[5], s.View().theatreSupplies}),
              (std::array<std::string, 3>{"T396", "8", "600"}));
    EXPECT_TRUE(s.View().productionShown && s.View().spinnersShown && s.View().theatreSuppliesShown);
    offMap.Theatre = 0;
    s.ChooseRow(1);
    EXPECT_TRUE(s.View().productionShown);
    EXPECT_FALSE(s.View().spinnersShown) << "no theatre to pay from";
    EXPECT_FALSE(s.StepCapacity(1, true));
    // A side that controls no state gets no row and no state.
    SidePlayed = kNationConfederacy;
    EXPECT_EQ(TStateStatistics().State(), 0);
}

TEST_F(StateStatistics, CaptionsComeFromTheTextsOnceAStateWithoutACapitalIsShown) {
    GameRec->States[1].CapitalCity = static_cast<U8>(port);
    TStateRec& offMap = GameRec->States[3];
    offMap.Name = "Maine";
    offMap.Controller = kNationUnion;
    offMap.Theatre = kWest;
    TStateStatistics s;
    ASSERT_EQ(s.Rows().size(), 2u);
    EXPECT_FALSE(s.View().textCaptions) << "opened on a state with a capital: the form's own captions";
    // Rows chosen in turn (0 has a capital, 1 has none) and whether the texts stand after each.
    const std::pair<int, bool> steps[] = {{0, false}, {1, true}, {0, true}};
    for (const auto& [row, texts] : steps) {
        s.ChooseRow(row);
        EXPECT_EQ(s.View().textCaptions, texts) << "row " << row;
    }
    GameRec->States[1].Controller = 0;
    EXPECT_TRUE(TStateStatistics().View().textCaptions) << "opened on a state without a capital";
}

TEST_F(StateStatistics, ACapitalPastTheCitiesOrAStateThatDoesNotExistShowsAndWritesNothing) {
    TStateRec& md = GameRec->States[1];
    md.CapitalCity = 200;
    md.WeaponCapacity[1] = 2;
    Supplies() = 1000;
    TStateStatistics s;
    ASSERT_EQ(s.State(), 1);
    EXPECT_EQ(s.View().capital, "") << "no city to name";
    EXPECT_FALSE(s.View().productionShown || s.View().spinnersShown);
    EXPECT_FALSE(s.StepCapacity(1, true));
    const TStateStatisticsView shown = s.View();
    for (int state : {0, 38, 200}) {
        s.FillStateStatistics(state);
        EXPECT_EQ(s.State(), 1) << state;
        EXPECT_EQ(s.View().capital + s.View().recruits + s.View().support, shown.capital + shown.recruits + shown.support);
    }
    s.ChooseRow(1);
    EXPECT_EQ(s.State(), 1) << "below the last row";
    EXPECT_EQ((std::array<int, 2>{md.WeaponCapacity[1], Supplies()}), (std::array<int, 2>{2, 1000}));
    EXPECT_EQ(CheckedAccessFaults(), 0u);
}

TEST_F(StateStatistics, CapacityStepsFollowTheSpinnersWeapons) {
    EXPECT_EQ((std::array<int, 3>{StateSpinnerKind(5), StateSpinnerKind(1), StateSpinnerKind(3)}),
              (std::array<int, 3>{1, 5, 3}));
    GameRec->WeaponTable[5].Price[1] = 2;
    TStateRec& md = GameRec->States[1];
    Supplies() = 10;
    TStateStatistics s;
    EXPECT_FALSE(s.StepCapacity(StateSpinnerKind(5), true)) << "supplies equal to the cost";
    Supplies() = 100;
    ASSERT_TRUE(s.StepCapacity(StateSpinnerKind(5), true));
    ASSERT_TRUE(s.StepCapacity(StateSpinnerKind(1), true));
    EXPECT_EQ((std::array<int, 3>{md.WeaponCapacity[1], md.WeaponCapacity[5], Supplies()}), (std::array<int, 3>{1, 1, 84}));
    EXPECT_EQ(s.View().capacity[4], "50");
    ASSERT_TRUE(s.StepCapacity(1, false));
    EXPECT_EQ((std::array<int, 2>{md.WeaponCapacity[1], Supplies()}), (std::array<int, 2>{0, 89}));
}

TEST_F(GeneralConditions, GaugesStayWithinTheirScale) {
    struct Case { int attitude, will, unionLoyalty, states; std::array<int, 4> gauges; };
    const Case cases[] = {
        {0, 555, 60, 1, {55, 60, 0, 100}},
        {150, -35, 90, 2, {0, 75, 0, 0}},      // two states: (60 + 90) div 2
        {-20, 1500, 255, 1, {100, 100, 0, 100}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.attitude);
        GameRec->Nations[kNationBritain].Attitude = static_cast<std::int16_t>(k.attitude);
        GameRec->Nations[kNationConfederacy].Will = static_cast<std::int16_t>(k.will);
        GameRec->States[1].Loyalty = 60;
        GameRec->States[2].Loyalty = static_cast<U8>(k.unionLoyalty);
        GameRec->States[2].Controller = static_cast<U8>(k.states == 2 ? kNationUnion : 0);
        if (k.states == 1) GameRec->States[1].Loyalty = static_cast<U8>(k.unionLoyalty);
        const TGeneralConditions g = ReadGeneralConditions();
        EXPECT_EQ((std::array<int, 4>{g.international, g.unionPrestige, g.confederatePrestige, g.intervention}), k.gauges);
    }
    const std::pair<int, const char*> weather[] = {{1, "T87"}, {2, "T82"}, {4, "T83"}, {5, "T84"}, {6, "T85"},
                                                   {7, "T86"}, {9, "T87"}};
    for (const auto& [code, text] : weather) EXPECT_EQ(WeatherText(code), text) << code;
}

}  // namespace
}  // namespace kvt
