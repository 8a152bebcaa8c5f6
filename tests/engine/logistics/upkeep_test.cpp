// Ship building, naval build planning, the end-of-turn upkeep and the computer's new armies and corps.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "engine/forces/command_slots.h"
#include "engine/forces/corps_records.h"
#include "engine/forces/fleet_records.h"
#include "engine/forces/force_recount.h"
#include "engine/forces/forming.h"
#include "engine/logistics/naval_planning.h"
#include "engine/logistics/ship_building.h"
#include "engine/logistics/upkeep.h"
#include "engine/world/text_table.h"
#include "tests/engine/home_front_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::HomeFrontTest;
using ShipBuilding = HomeFrontTest;
using NavalPlanning = HomeFrontTest;
using Forming = HomeFrontTest;

constexpr int kBaltimore = 3, kAlexandria = 5;

TEST_F(ShipBuilding, OrdersAreCutToRecruitsThenYardsThenSupplies) {
    struct Case { int recruits, supplies, ironYards, woodYards, i, w, t; std::array<int, 3> built; int suppliesAfter, recruitsAfter; };
    const Case cases[] = {
        {50, 10000, 20, 20, 15, 15, 15, {5, 5, 5}, 8945, 5},  // every kind ordered gives up one ship a pass
        {200, 10000, 0, 2, 5, -5, 5, {0, 2, 2}, 9978, 186},   // no iron yard, two wooden ones
        {200, 450, 6, 8, 3, 8, 6, {2, 5, 0}, 0, 176},          // 450 buys 2 ironclads, the rest 5 wooden ships
        // 100 recruits cut 15 of each to 11 (99) before the yards: 2 ironclads, where 1 would be left
        // had the 2 yards cut the order first.
        {100, 10000, 2, 20, 15, 15, 15, {2, 8, 6}, 10000 - 400 - 80 - 6, 100 - 4 - 32 - 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.recruits);
        SetUp();
        G().Cities[kBaltimore].IroncladYards = c.ironYards, G().Cities[kBaltimore].WoodenYards = c.woodYards;
        G().Nations[1].NavalManpower = c.recruits, G().Nations[1].TheatreSupplies[1] = c.supplies;
        const TShipsBuilt built = BuildShipsAtCity(1, kBaltimore, kWaterOcean, c.i, c.w, c.t);
        const std::array<int, 3> ships = {G().Fleets[built.fleet[kShipIronclads]].Ironclads, G().Fleets[built.fleet[kShipWooden]].Wooden,
                                          G().Fleets[built.fleet[kShipTransports]].Transports};
        EXPECT_EQ(ships, c.built);
        EXPECT_TRUE(G().Nations[1].TheatreSupplies[1] == c.suppliesAfter && G().Nations[1].NavalManpower == c.recruitsAfter);
    }
    EXPECT_EQ(SelectedFleet, 0) << "the selection is the player's, not the builder's";
}

TEST_F(ShipBuilding, ANewFleetTakesTheLowestFreeNumberAndItsBuildingTime) {
    TGameRec& g = G();
    g.Fleets[100].TransportTag = 9;  // left by the record's former fleet
    CreateFleetAtCity(100, 1, kBaltimore, 3, kShipTransports, kWaterRiver);
    CreateFleetAtCity(99, 1, kBaltimore, 2, kShipIronclads, kWaterOcean);
    const TFleetRec& river = g.Fleets[100];
    EXPECT_TRUE(river.FleetNumber == 2 && river.BuildCounter == 6 && river.TransportTag == 0 && river.HexX == g.Cities[kBaltimore].HexX);
    EXPECT_TRUE(g.Fleets[99].FleetNumber == 3 && g.Fleets[99].BuildCounter == 24);
    FreeFleet(100);
    CreateFleetAtCity(98, 1, kBaltimore, 4, kShipWooden, kWaterOcean);
    EXPECT_TRUE(g.Fleets[98].FleetNumber == 2 && g.Fleets[98].BuildCounter == 12) << "a freed number is taken again";
    g.Nations[2].NavalManpower = 100, g.Nations[2].TheatreSupplies[1] = 100, g.Cities[6].WoodenYards = 4;
    const TFleetRec& runners = g.Fleets[BuildShipsAtCity(2, 6, kWaterOcean, 0, 0, 4).fleet[kShipTransports]];
    EXPECT_TRUE(runners.WaterType == kWaterCottonTransports && runners.BuildCounter == 8) << "Confederate runners";
}

TEST_F(NavalPlanning, DeficitsAgainstTheEnemysFleetsBecomeShipsLaidDown) {
    // Ships laid down by class: ocean ironclads, ocean wooden, river ironclads, river wooden, transports.
    struct Case { const char* what; int recruits, ironclads, wooden, counter; std::array<int, 5> laid; };
    const Case cases[] = {
        {"no enemy ships: 4, 8, 4, 6 and 12 less its own", 1000, 0, 4, 0, {4, 4, 4, 6, 12}},
        {"a deficit of 1 ironclad or 2 wooden ships orders none", 1000, 3, 6, 0, {0, 0, 4, 6, 12}},
        {"19 recruits order nothing", 19, 0, 4, 0, {0, 0, 0, 0, 0}},
        {"a fleet of 24 turns to go is not counted", 1000, 4, 4, 24, {4, 8, 4, 6, 12}},
        {"one of 23 is", 1000, 4, 4, 23, {0, 4, 4, 6, 12}},
        {"nor one of 25", 1000, 4, 4, 25, {4, 8, 4, 6, 12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TGameRec& g = G();
        FreeFleet(2);
        g.Fleets[1].Ironclads = c.ironclads, g.Fleets[1].Wooden = c.wooden, g.Fleets[1].BuildCounter = c.counter;
        g.Nations[1].NavalManpower = c.recruits;
        for (U16& s : g.Nations[1].TheatreSupplies) s = 60000;
        g.Cities[kBaltimore].Port = g.Cities[1].RiverLink = 1;
        for (int port : {kBaltimore, 1}) g.Cities[port].IroncladYards = g.Cities[port].WoodenYards = 10;
        PlanNavalBuilds(1);
        std::array<int, 5> laid{};
        for (const TFleetRec& f : g.Fleets) {
            if (f.Owner != 1 || f.HomePort == 0 || !FleetInUse(f)) continue;
            const bool river = f.WaterType == kWaterRiver;
            laid[river ? 2 : 0] += f.Ironclads;
            laid[river ? 3 : 1] += f.Wooden;
            laid[4] += f.Transports;
        }
        EXPECT_EQ(laid, c.laid);
    }
}

TEST_F(NavalPlanning, YardsAreAddedOnlyAtAPortTheDrawsChose) {
    // No enemy ships: 4 ocean ironclads, 8 wooden ships and 12 transports wanted, 4 river ironclads.
    // Baltimore is the ocean port, Washington and city 7 the river ports (Washington's 3 wooden yards
    // are all the river needs); 19 sailors order no ships. Yards: Baltimore's ironclad and wooden
    // yards, Washington's and city 7's ironclad yards.
    struct Case { const char* what; std::vector<int> draws; std::array<int, 4> yards; int supplies; };
    const Case cases[] = {
        {"each step builds at the port it drew", {50, 50, 10, 90, 50}, {3, 14, 1, 0}, 10000 - 3 * 500 - 14 * 250 - 500},
        {"no port drew for the wooden yards: none, not even at the ironclads' port", {50, 0, 10, 90, 50}, {3, 0, 1, 0},
         10000 - 3 * 500 - 500},
        {"a river port's second draw is the one to beat", {50, 50, 60, 5, 50, 70}, {3, 14, 0, 1}, 10000 - 3 * 500 - 14 * 250 - 500},
        {"no river port drew", {50, 50, 0, 0}, {3, 14, 0, 0}, 10000 - 3 * 500 - 14 * 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TGameRec& g = G();
        FreeFleet(1), FreeFleet(2);
        g.Nations[1].NavalManpower = 19, g.Nations[1].TheatreSupplies[1] = 10000;
        g.Cities[kBaltimore].Port = 1;
        g.Cities[1].RiverLink = City(7, 1, 1).RiverLink = 1;
        g.Cities[1].WoodenYards = 3;
        EXPECT_EQ(testing::DrawRanges(c.draws, [] { PlanNavalBuilds(1); }), std::vector<int>(c.draws.size(), 100));
        const TCityRec& baltimore = g.Cities[kBaltimore];
        EXPECT_EQ((std::array<int, 4>{baltimore.IroncladYards, baltimore.WoodenYards, g.Cities[1].IroncladYards, g.Cities[7].IroncladYards}),
                  c.yards);
        EXPECT_EQ(g.Nations[1].TheatreSupplies[1], c.supplies);
    }
}

TEST_F(NavalPlanning, SailorsAreCountedBeforeEveryPassSoOrdersStopOnceFewerThan20Remain) {
    // The Union's 8 wooden ships afloat leave 12 transports and 4 ironclads wanted at sea, where
    // Baltimore has 6 wooden and 2 ironclad yards. A pass draws the ocean (0), then Baltimore (50).
    struct Case { int recruits; std::vector<int> draws; int transports, ironclads, left; };
    const Case cases[] = {
        {30, {0, 50}, 6, 2, 8},          // the first pass leaves 30 - 18 - 4
        {48, {0, 50, 0, 50}, 12, 4, 4},  // 26 after the first pass, 4 after the second
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.recruits);
        SetUp();
        TGameRec& g = G();
        FreeFleet(2);
        g.Fleets[1].Wooden = 8;
        g.Nations[1].NavalManpower = c.recruits, g.Nations[1].TheatreSupplies[1] = 60000;
        TCityRec& baltimore = g.Cities[kBaltimore];
        baltimore.Port = 1, baltimore.WoodenYards = 6, baltimore.IroncladYards = 2;
        EXPECT_EQ(testing::DrawRanges(c.draws, [] { PlanNavalBuilds(1); }), std::vector<int>(c.draws.size(), 100));
        int transports = 0, ironclads = 0;
        for (const TFleetRec& f : g.Fleets) {
            if (!FleetInUse(f) || f.HomePort != kBaltimore) continue;
            transports += f.Transports;
            ironclads += f.Ironclads;
        }
        EXPECT_EQ((std::array<int, 3>{transports, ironclads, g.Nations[1].NavalManpower}), (std::array<int, 3>{c.transports, c.ironclads, c.left}));
    }
}

TEST_F(NavalPlanning, EarlyInTheMonthShortOfSailorsTheNavyTakesAShareFromTheInfantry) {
    struct Case { int day, recruits, infantry, naval; std::array<int, 2> after; };
    const Case cases[] = {
        {1, 29, 50, 9, {49, 10}}, {11, 29, 50, 9, {50, 9}}, {1, 30, 50, 9, {50, 9}},
        {1, 29, 0, 9, {0, 9}},  // no infantry share is left to give
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "day " << c.day << " recruits " << c.recruits << " infantry " << c.infantry);
        SetUp();
        TNationRec& n = G().Nations[1];
        G().Day = c.day, n.NavalManpower = c.recruits, n.RecruitPercent[1] = c.infantry, n.RecruitPercent[4] = c.naval;
        n.ShipTotals[kShipsOceanWooden] = 7;
        PlanNavalBuilds(1);
        EXPECT_EQ((std::array<int, 2>{n.RecruitPercent[1], n.RecruitPercent[4]}), c.after);
        EXPECT_EQ(n.ShipTotals[kShipsOceanWooden], 7) << "the record's totals are the recount's";
    }
}

class Upkeep : public HomeFrontTest {
protected:
    void SetUp() override {
        HomeFrontTest::SetUp();
        AllowDrawsPastScript();
        for (TNationRec& n : G().Nations) n.RailCapacity = 10;
    }
    static int NewCorpsOf(int nation, int kind) {
        int n = 0;
        for (int k = 5; k <= kCorpsCount; ++k) n += CorpsInUse(G().Corps[k]) && G().Corps[k].Nation == nation && G().Corps[k].Kind == kind;
        return n;
    }
};

TEST_F(Upkeep, BrigadesAreRefilledFromTheirStatesAboveTheDaysSupplyReserve) {
    struct Case { int nation, day, supplies, pool, strength, after, quality; };
    const Case cases[] = {
        {1, 1, 400, 5, 79, 80, 1},  // 79 takes 1 above four turns' need of 100
        {1, 1, 399, 5, 79, 79, 2},  {1, 21, 100, 5, 79, 80, 1}, {1, 21, 99, 5, 79, 79, 2},
        {1, 1, 400, 0, 79, 79, 2},  // a short pool changes nothing
        {2, 1, 400, 5, 79, 80, 2},  // a Confederate never loses quality
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "nation " << c.nation << " day " << c.day << " supplies " << c.supplies << " pool " << c.pool);
        SetUp();
        TNationRec& n = G().Nations[c.nation];
        G().Day = c.day;
        n.TheatreLoad[1] = 100, n.TheatreSupplies[1] = c.supplies, n.WeaponPool[1] = 10;
        TBrigadeRec& b = G().Brigades[c.nation == 1 ? 2 : 8];
        b.Strength = c.strength;
        TStateRec& home = G().States[b.HomeState];
        home.InfantryPool = c.pool;
        ComputerSideUpkeep();
        EXPECT_TRUE(b.Strength == c.after && b.Quality == c.quality && home.InfantryPool == c.pool - (c.after - c.strength));
        EXPECT_EQ(n.WeaponPool[1], 10 - (c.after - c.strength)) << "the men come with the brigade's muskets";
    }
}

TEST_F(Upkeep, CorpsShedAndTakeGarrisonBrigadesKeepingEveryCountTrue) {
    // Corps 1 holds two infantry brigades of 80; Baltimore may hold one more as its garrison.
    struct Case { const char* what; int limit, supplyCity; bool baltimoreHeld; int lines, strength, washington, baltimore; };
    const Case cases[] = {
        {"one beyond a limit of 1 garrisons the supply city", 1, 1, false, 1, 80, 1, 0},
        {"under its limit a corps takes its supply city's garrison", 6, kBaltimore, true, 3, 240, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TCorpsRec& corps = G().Corps[1];
        corps.BrigadeLimit = c.limit, corps.SupplyCity = c.supplyCity, corps.LineCount = 2, corps.Strength = 160;
        if (c.baltimoreHeld) Brigade(20, 1, kBrigadeInfantry, 80, kAttachGarrison, kBaltimore, 3);
        G().Cities[kBaltimore].Garrison = c.baltimoreHeld;
        ComputerSideUpkeep();
        EXPECT_TRUE(corps.LineCount == c.lines && corps.Strength == c.strength);
        EXPECT_TRUE(G().Cities[1].Garrison == c.washington && G().Cities[kBaltimore].Garrison == c.baltimore);
    }
    // The capital asks for waiting infantry of its own theatre, wherever it lies.
    SetUp();
    G().Cities[1].Theatre = 2, G().States[3].Theatre = 2;
    for (int k : {1, 2}) G().Corps[k].LineCount = 6;
    for (int k : {3, 4}) G().Corps[k].HexY = 50;
    const TBrigadeRec &west = Brigade(20, 1, kBrigadeInfantry, 80, kAttachWaiting, 0, 3),
                      &east = Brigade(21, 1, kBrigadeInfantry, 80, kAttachWaiting, 0, 1);
    ComputerSideUpkeep();
    EXPECT_TRUE(west.AttachKind == kAttachGarrison && west.AttachIndex == 1 && east.AttachKind == kAttachWaiting);
}

TEST_F(Upkeep, ShipsInTheirHomePortAreRepairedAsFarAsTheSuppliesPay) {
    // 3 damaged ironclads at 50 each, 5 wooden ships at 10, 4 transports at 1, on a refit.
    struct Case { int supplies, yards; std::array<int, 3> sound; int left, mission; };
    const Case cases[] = {
        {250, 1, {3, 9, 4}, 46, kMissionNothing},
        {130, 1, {2, 7, 0}, 0, kMissionRefit},
        {250, 0, {0, 4, 0}, 250, kMissionNothing},  // a port without yards repairs nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.supplies << " supplies, yards " << c.yards);
        SetUp();
        TFleetRec& f = G().Fleets[1];
        f.HomePort = kBaltimore, f.HexX = G().Cities[kBaltimore].HexX, f.HexY = G().Cities[kBaltimore].HexY;
        f.Mission = kMissionRefit, f.DamagedIronclads = 3, f.DamagedWooden = 5, f.DamagedTransports = 4;
        G().Cities[kBaltimore].IroncladYards = G().Cities[kBaltimore].WoodenYards = c.yards;
        G().Nations[1].TheatreSupplies[1] = c.supplies;
        ComputerSideUpkeep();
        EXPECT_EQ((std::array<int, 3>{f.Ironclads, f.Wooden, f.Transports}), c.sound);
        EXPECT_TRUE(G().Nations[1].TheatreSupplies[1] == c.left && f.Mission == c.mission);
    }
}

TEST_F(Upkeep, AFleetWhosePortFellIsLostEvenForAPersonAndTheRestAreBuiltInPort) {
    TGameRec& g = G();
    g.Nations[1].Human = 1;
    auto building = [&](int f, int port, int counter) -> const TFleetRec& {
        g.Fleets[f] = {};
        g.Fleets[f].Owner = g.Fleets[f].Side = 1, g.Fleets[f].Wooden = 4;
        g.Fleets[f].BuildCounter = counter, g.Fleets[f].HomePort = port;
        return g.Fleets[f];
    };
    const TFleetRec &lost = building(50, kBaltimore, 5), &ready = building(51, 1, 1), &waiting = building(52, 1, 3);
    g.Cities[kBaltimore].Owner = 2;
    testing::ScriptedFrontend fe;
    fe.ExpectNotice(15);
    ScriptRandomDraws({89, 90});
    ComputerSideUpkeep();
    ASSERT_EQ(fe.notices.size(), 1u) << "the ready notice shows nothing";
    EXPECT_TRUE(fe.notices[0].lines[1] == "text 151" && fe.notices[0].lines[2] == "Baltimoretext 155");
    EXPECT_TRUE(lost.BuildCounter == kFleetGone && lost.Owner + lost.Wooden == 0);
    EXPECT_TRUE(ready.BuildCounter == 0 && ready.HexX == g.Cities[1].HexX && ready.StartY == g.Cities[1].HexY) << "on its port";
    EXPECT_EQ(waiting.BuildCounter, 3) << "a draw of 90 holds the work back a turn";
}

TEST_F(Upkeep, AGarrisonBeyondWhatItsCityWantsFormsCorpsAndDivisions) {
    // The capital keeps Status + 8 brigades, 2 more with no enemy within 3 hexes, the Confederacy
    // half of that; elsewhere a city's mark above 200 is cleared first.
    struct Case { int nation, city, garrison, status; bool enemyNear; int corps, divisions; };
    const Case cases[] = {
        {1, 1, 10, 0, false, 0, 0}, {1, 1, 11, 0, false, 1, 0}, {1, 1, 8, 0, true, 0, 0}, {1, 1, 9, 0, true, 1, 0},
        {2, 2, 5, 0, false, 0, 0},  {2, 2, 6, 0, false, 1, 0},  {1, kBaltimore, 2, 201, false, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "city " << c.city << " garrison " << c.garrison << " enemy " << c.enemyNear);
        SetUp();
        TCityRec& city = G().Cities[c.city];
        for (int i = 0; i < c.garrison; ++i) Brigade(20 + i, c.nation, kBrigadeInfantry, 80, kAttachGarrison, c.city, city.State);
        city.Garrison = c.garrison, city.Status = c.status;
        TCorpsRec& enemy = G().Corps[c.nation == 1 ? 3 : 1];
        enemy.HexX = city.HexX, enemy.HexY = city.HexY + (c.enemyNear ? 2 : 20);
        ComputerSideUpkeep();
        EXPECT_TRUE(NewCorpsOf(c.nation, 0) == c.corps && NewCorpsOf(c.nation, 1) == c.divisions);
        EXPECT_LE(city.Status, 1);
        int left = 0;
        for (const TBrigadeRec& b : G().Brigades) left += b.AttachKind == kAttachGarrison && b.AttachIndex == c.city;
        EXPECT_EQ(city.Garrison, left) << "the count follows every brigade taken";
    }
}

TEST_F(Upkeep, FortsRiseWhereWantedBelowTwiceTheYearsOfWarAtACostThatNeverFallsBelow50) {
    // Alexandria is a port: it wants a fort below level 2 or below its harbour guns.
    struct Case { int year, supplies, fort, guns, fortAfter, gunsAfter, after; };
    const Case cases[] = {
        {1862, 5000, 0, 0, 1, 1, 5000 - 275}, {1866, 5000, 0, 0, 1, 1, 5000 - 50}, {1862, 2000, 0, 0, 0, 0, 2000},
        {1865, 5000, 9, 10, 10, 10, 5000 - 50},  // the last year of the war allows a tenth level
        {1864, 5000, 8, 10, 8, 10, 5000},        // twice four years is reached
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.year << " fort " << c.fort);
        SetUp();
        G().Year = c.year, G().EnemyVisibility = 3, G().Nations[1].TheatreSupplies[1] = c.supplies;
        TCityRec& port = G().Cities[kAlexandria];
        port.Port = 1, port.Fortifications = c.fort, port.CoastalGuns = c.guns;
        testing::ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        ComputerSideUpkeep();
        const bool built = c.fortAfter > c.fort;
        EXPECT_TRUE(port.Fortifications == c.fortAfter && port.FortifiedThisTurn == built && G().Nations[1].TheatreSupplies[1] == c.after);
        EXPECT_EQ(port.CoastalGuns, c.gunsAfter) << "a harbour gun comes free while more than 2000 are left";
        EXPECT_EQ(fe.notices.size() == 1 && fe.notices[0].lines[2] == "text 687Alexandria", built);
    }
}

TEST_F(Upkeep, CorpsStandingTogetherFormANamedArmyAndAFailedCandidateLeavesNoMarks) {
    TGameRec& g = G();
    auto corps = [&](int k, int y, int lines, int home) {
        TCorpsRec& c = g.Corps[k];
        c.Unused = 0, c.Nation = c.Side = 1, c.Region = 1, c.OrderMode = 1, c.SupplyCity = 1;
        c.HexX = 40, c.HexY = y, c.LineCount = lines, c.HomeState = home;
    };
    auto world = [&] {
        // Corps 1 fails (its state has 1 brigade) after marking far corps 5; corps 2 then forms an army with 1.
        corps(1, 21, 1, 1), corps(2, 30, 3, 3), corps(5, 12, 1, 3);
        g.Corps[5].Leader = 3, g.Cities[1].SupplySource = 2, g.States[3].CapitalCity = kBaltimore, g.Nations[1].CorpsInTheatre[1] = 2;
        g.Leaders[6].Rank = 5, g.Leaders[6].Political = 100, g.Leaders[6].Rating = 9;
    };
    world();
    // Pool names score 1 for the nation, 11 with the theatre, 21 with the state too.
    auto& pool = g.ArmyNamePool[1];
    pool[1].Name = "of the West", pool[1].RegionKey = 1, pool[1].MatchKey1 = 2;
    pool[2].Name = "of the Potomac", pool[2].RegionKey = 1, pool[2].MatchKey1 = 1, pool[2].MatchKey2 = 3;
    pool[3].Name = "of Kentucky", pool[3].RegionKey = 2, pool[3].MatchKey1 = 1, pool[3].MatchKey2 = 3;
    testing::ScriptedFrontend fe;
    fe.AllowAnyWaits(true);
    ComputerSideUpkeep();
    const int a = g.Corps[2].Army;
    ASSERT_TRUE(a >= 1 && a <= kArmyCount);
    EXPECT_EQ(g.Corps[1].Army, a);
    EXPECT_EQ(g.Corps[5].Army, 0) << "marked for corps 1's army that never formed";
    EXPECT_TRUE(g.Armies[a].Leader == 6 && g.Armies[a].BaseCity == 1 && g.Nations[1].ArmyTally == 1 && pool[2].Used == 2);
    EXPECT_EQ(g.Armies[a].CorpsCount, 1) << "the corps it gathered are counted by the next recount";
    ASSERT_FALSE(fe.notices.empty());
    const auto& lines = fe.notices.back().lines;
    EXPECT_TRUE(lines[1] == "text 0of the Potomac" && lines[2] == "text 21 Leader 6" && lines[3] == "text 105 Washington");
    // With every name of the nation given, entry 1 is given again; France's armies are all one.
    pool[1].Used = 2;
    for (int nation : {1, 3}) {
        const int next = AllocateArmySlot(nation);
        g.Armies[next].BaseCity = 1;
        FormArmyWithPoolName(nation, next, 3);
        EXPECT_EQ(g.Armies[next].Name.str(), nation == 1 ? "of the West" : "the Americas");
    }
    // No army gathers on a supply city no route joins (code 4); with no army record free, corps 2's
    // own commander, picked for the army, is left free.
    for (bool noRecord : {false, true}) {
        SetUp();
        world();
        if (noRecord) for (TArmyRec& army : g.Armies) army.Nation = 2;
        else g.Cities[1].SupplySource = 4;
        g.Leaders[6].Nation = 2, g.Leaders[2].Political = 100;
        ComputerSideUpkeep();
        EXPECT_TRUE(g.Corps[2].Army == 0 && g.Nations[1].ArmyTally == 0) << noRecord;
        EXPECT_EQ(g.Leaders[2].Status, noRecord ? kLeaderAvailable : kLeaderActive);
    }
}

TEST_F(Upkeep, AnArmyIsNamedForTheStateOfMostBrigadesWhoseCapitalItsSideHoldsTheFirstOnATie) {
    // Corps 2 (3 brigades of Maryland) gathers corps 1 (1 of Columbia, which has no capital); each
    // pool name fits one state exactly.
    struct Case { const char* what; int baltimoreSide, virginiaCapital; const char* name; };
    const Case cases[] = {
        {"Maryland has the most brigades", 1, 0, "of Maryland"},
        {"Maryland's capital lost: Virginia and Ohio have none, Virginia comes first", 2, kAlexandria, "of Virginia"},
        {"Maryland's capital lost: Ohio alone, with none", 2, 0, "of the Ohio"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TGameRec& g = G();
        for (int k : {1, 2}) {
            TCorpsRec& corps = g.Corps[k];
            corps.HexX = 40, corps.HexY = static_cast<U8>(k == 1 ? 21 : 30), corps.SupplyCity = 1;
            corps.LineCount = static_cast<U8>(k == 1 ? 1 : 3), corps.HomeState = static_cast<U8>(k == 1 ? 1 : 3);
        }
        g.Cities[1].SupplySource = 2, g.Nations[1].CorpsInTheatre[1] = 2;
        g.Leaders[6].Rank = 5, g.Leaders[6].Political = 100, g.Leaders[6].Rating = 9;
        State(4, 1).CapitalCity = 7;
        City(7, 1, 4);
        g.States[3].CapitalCity = kBaltimore, g.Cities[kBaltimore].Owner = static_cast<U8>(c.baltimoreSide);
        g.States[2].CapitalCity = static_cast<U8>(c.virginiaCapital);
        const std::array<std::pair<const char*, int>, 3> names = {{{"of Maryland", 3}, {"of Virginia", 2}, {"of the Ohio", 4}}};
        for (int e = 1; e <= 3; ++e) {
            TArmyNameRec& entry = g.ArmyNamePool[1][e];
            entry.Name = names[e - 1].first, entry.RegionKey = 1, entry.MatchKey1 = 1;
            entry.MatchKey2 = static_cast<U8>(names[e - 1].second);
        }
        testing::ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        ComputerSideUpkeep();
        const int a = g.Corps[2].Army;
        ASSERT_TRUE(a >= 1 && a <= kArmyCount);
        EXPECT_EQ(g.Corps[1].Army, a);
        EXPECT_EQ(g.Armies[a].Name.str(), c.name);
    }
}

TEST_F(Upkeep, MusketsAreReplacedWhileTheEnemyIsNoWorseArmed) {
    struct Case { int unionRifles; bool confederatesInCorps; int rearmed; };
    // Equal shares; a better-armed enemy; an enemy without line brigades counts a share of 0.
    for (const Case& c : {Case{0, true, 4}, Case{2, true, 0}, Case{2, false, 2}}) {
        SetUp();
        G().Nations[1].WeaponPool[2] = 1000;
        for (int b : {3, 6}) G().Brigades[b].Weapon = c.unionRifles != 0 ? 3 : 1;
        for (int b = 7; b <= 12 && !c.confederatesInCorps; ++b) G().Brigades[b].AttachKind = kAttachWaiting;
        ComputerSideUpkeep();
        int rearmed = 0;
        for (int b = 1; b <= 6; ++b) rearmed += G().Brigades[b].Weapon == 2;
        EXPECT_EQ(rearmed, c.rearmed) << c.unionRifles << c.confederatesInCorps;
        EXPECT_EQ(G().Nations[1].WeaponPool[2], 1000 - 80 * c.rearmed);
    }
}

TEST_F(Upkeep, NewCorpsStopAt31AndBrigadesOfWipedRecordsWaitForTheRecount) {
    TGameRec& g = G();
    g.Nations[1].CorpsTally = 30;
    int i = 20;
    for (int type : {2, 2, 2, 2, 2, 2, 2, 2, 1, 1, 3, 3, 3}) Brigade(i++, 1, type, type == 1 ? 16 : 80, kAttachWaiting, 1, 1);
    g.Corps[6].Unused = 0, g.Corps[6].HexX = 3, g.Corps[6].Leader = 9;  // a record of no nation
    g.Leaders[9].Status = kLeaderActive;
    const TBrigadeRec &ofNoNation = Brigade(40, 1, kBrigadeInfantry, 80, kAttachCorps, 6, 1),
                      &ofFreed = Brigade(41, 2, kBrigadeCavalry, 50, kAttachCorps, 7, 2);  // record 7 is free
    // The Seaboard is shortest of corps; the commander's draws are of 50.
    const std::vector<int> ranges = testing::DrawRanges({0, 14, 14}, ComputerSideUpkeep);
    const auto repeat = std::find_if(ranges.begin() + 3, ranges.end(), [](int r) { return r != 50; });
    EXPECT_TRUE(repeat != ranges.end() && *repeat == 100) << "the repeat is drawn for before the count stops it";
    EXPECT_TRUE(g.Nations[1].CorpsTally == 31 && g.Nations[1].CorpsInTheatre[1] == 1);
    EXPECT_EQ(NewCorpsOf(1, 0) + NewCorpsOf(1, 1) + NewCorpsOf(1, 2), 1) << "the cavalry waits: no 32nd formation";
    EXPECT_TRUE(g.Corps[6].Unused != 0 && g.Corps[6].HexX == 0 && g.Corps[6].Leader == 0) << "wiped";
    EXPECT_EQ(g.Leaders[9].Status, kLeaderAvailable) << "its commander is free for another command";
    for (const TBrigadeRec* b : {&ofNoNation, &ofFreed})
        EXPECT_TRUE(BrigadeInUse(*b) && b->AttachKind == kAttachCorps) << "kept, still naming the wiped record";
    RecountForces();
    for (const TBrigadeRec* b : {&ofNoNation, &ofFreed})
        EXPECT_TRUE(BrigadeInUse(*b) && b->AttachKind == kAttachWaiting && b->AttachIndex == 0) << "waiting for a new corps";
}

TEST_F(Upkeep, EveryFreeSlotLeavesTheTurnClearedMarkedFreedAndCarriedByNoFleet) {
    // Slots left half wiped by other steps, and one wiped on an earlier turn, read afterwards as the
    // plain sweep over every slot leaves them.
    struct Case { const char* what; int slot; void (*arrange)(TGameRec&, int); };
    const Case cases[] = {
        {"a free slot still naming its commander and hex", 100,
         [](TGameRec& g, int k) { g.Corps[k].Leader = 9, g.Corps[k].HexX = 30, g.Corps[k].Strength = 4000; }},
        {"a destroyed slot is marked as merely freed", 101, [](TGameRec& g, int k) { g.Corps[k].Unused = 255; }},
        {"a wiped slot a fleet still carries", 102, [](TGameRec& g, int k) { g.Fleets[90].Cargo = static_cast<U8>(k); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TGameRec& g = G();
        for (int k : {100, 101, 102}) {
            FreeCorpsRecord(k);
            g.Corps[k].Route[1] = 3, g.Corps[k].StepDone[2] = 1;  // a route a later plan still reads
        }
        c.arrange(g, c.slot);
        const TGameRec before = g;
        ComputerSideUpkeepFullRescan();
        const TGameRec plain = g;
        g = before;
        ComputerSideUpkeep();
        const TCorpsRec& k = g.Corps[c.slot];
        EXPECT_TRUE(k.Unused == kCorpsFreed && k.Leader == 0 && k.HexX == 0 && k.Strength == 0);
        EXPECT_TRUE(k.Route[1] == 3 && k.StepDone[2] == 1) << "the route outlives the wipe";
        EXPECT_EQ(g.Fleets[90].Cargo, 0);
        EXPECT_EQ(std::memcmp(&g, &plain, sizeof g), 0) << "the saved record differs from the plain sweep's";
    }
}

TEST_F(Upkeep, EachCorpsAndDivisionFormedCountsInItsTheatre) {
    // A battery, 9 infantry and 2 cavalry of Ohio (the West) wait; city 7 is the Union's one city
    // there. One round forms a corps of the battery and 6 infantry, a division of the 3 infantry
    // left and a cavalry division. Corps 1 and 2 are full.
    TGameRec& g = G();
    g.Nations[1].CorpsTally = 10;
    for (int k : {1, 2}) g.Corps[k].LineCount = 6;
    State(4, 1, 2);
    City(7, 1, 4, 2);
    int i = 20;
    for (int type : {1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3}) Brigade(i++, 1, type, type == 1 ? 16 : 50, kAttachWaiting, 0, 4);
    // The West scores lowest: 0 against 14 and 14.
    testing::DrawRanges({14, 0, 14}, ComputerSideUpkeep);
    EXPECT_EQ((std::array<int, 3>{NewCorpsOf(1, 0), NewCorpsOf(1, 1), NewCorpsOf(1, 2)}), (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(g.Nations[1].CorpsInTheatre[2], 3) << "one for each formed, not one for the round";
    EXPECT_EQ(g.Nations[1].CorpsTally, 13);
}

TEST_F(Upkeep, AStateCityOrTheatreOfNoneLeavesWhatNamesItAsItIs) {
    // Each case names none (0) where a step reads through it; nothing may be done or written for it.
    struct Case { const char* what; void (*arrange)(TGameRec&); bool (*leftAlone)(const TGameRec&); };
    const Case cases[] = {
        {"a brigade whose home state lies in no theatre is not refilled",
         [](TGameRec& g) { g.States[1].Theatre = 0, g.States[1].InfantryPool = 5, g.Brigades[2].Strength = 79; },
         [](const TGameRec& g) { return g.Brigades[2].Strength == 79 && g.States[1].InfantryPool == 5; }},
        {"a waiting brigade of no home state joins no corps",
         [](TGameRec&) { Brigade(20, 1, kBrigadeInfantry, 80, kAttachWaiting, 0, 0); },
         [](const TGameRec& g) { return g.Brigades[20].AttachKind == kAttachWaiting && g.Corps[1].LineCount + g.Corps[2].LineCount == 0; }},
        {"a threatened city of no theatre takes no brigade of no theatre",
         [](TGameRec& g) {
             g.Cities[kBaltimore].Theatre = 0, g.Corps[3].HexX = 44, g.Corps[3].HexY = 20;
             Brigade(20, 1, kBrigadeInfantry, 80, kAttachWaiting, 0, 0);
         },
         [](const TGameRec& g) { return g.Brigades[20].AttachKind == kAttachWaiting && g.Cities[kBaltimore].Garrison == 0; }},
        {"a corps supplied from no city takes no garrison of no city",
         [](TGameRec& g) {
             g.Corps[1].SupplyCity = 0, g.Corps[1].ArtilleryCount = 1;
             Brigade(20, 1, kBrigadeInfantry, 80, kAttachGarrison, 0, 1);
         },
         [](const TGameRec& g) { return g.Brigades[20].AttachKind == kAttachGarrison && g.Corps[1].LineCount == 0; }},
        {"a corps of no theatre is not filled",
         [](TGameRec& g) {
             g.Corps[1].Region = 0, g.Corps[2].OrderMode = 4;
             Brigade(20, 1, kBrigadeArtillery, 16, kAttachWaiting, 0, 1);
         },
         [](const TGameRec& g) { return g.Brigades[20].AttachKind == kAttachWaiting && g.Corps[1].ArtilleryCount == 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.arrange(G());
        ComputerSideUpkeep();
        EXPECT_TRUE(c.leftAlone(G()));
        EXPECT_EQ(CheckedAccessFaults(), 0u);
    }
}

TEST_F(Upkeep, BrigadeNoticesNameTheBrigadeAndWhatBefellItWhereItsSideIsWatched) {
    // Brigade 41 of Maryland; Leader 1 heads corps 1.
    struct Line { int type, kind, index, amount, notice; const char* line1; const char* line2; };
    const Line lines[] = {
        {kBrigadeArtillery, kBrigadeRefilled, 0, 3, 23, "41st Maryland text 366", "6text 225"},
        {kBrigadeInfantry, kBrigadeRefilled, 0, 3, 23, "41st Maryland text 364", "150text 226"},
        {kBrigadeCavalry, kBrigadeGarrisoned, kBaltimore, 0, 22, "41st Maryland text 365", "text 227Baltimore"},
        {kBrigadeInfantry, kBrigadeJoinedCorps, 1, 0, 22, "41st Maryland text 364", "text 228Leader 1"},
    };
    G().EnemyVisibility = 3;
    testing::ScriptedFrontend fe;
    for (const Line& c : lines) {
        SCOPED_TRACE(c.line2);
        Brigade(41, 1, c.type, 16, kAttachCorps, 1, 3);
        fe.ExpectNotice(c.notice);
        ReportBrigadeEvent(1, c.index, 41, c.amount, c.kind);
        ASSERT_FALSE(fe.notices.empty());
        EXPECT_EQ(fe.notices.back().lines[1], c.line1);
        EXPECT_EQ(fe.notices.back().lines[2], c.line2);
    }
    // Everything watched, or a person's nation while a side is; never unwatched, nor a brigade of no state.
    struct Watch { int visibility, human, home; bool shown; };
    const Watch watches[] = {{3, 0, 3, true},  {1, 1, 3, true},  {2, 1, 3, true},  {1, 0, 3, false},
                             {2, 0, 3, false}, {0, 1, 3, false}, {3, 0, 0, false}, {3, 0, 38, false}};
    for (const Watch& w : watches) {
        SCOPED_TRACE(::testing::Message() << "watched " << w.visibility << " person " << w.human << " home " << w.home);
        G().EnemyVisibility = static_cast<std::uint16_t>(w.visibility), G().Nations[1].Human = static_cast<U8>(w.human);
        Brigade(41, 1, kBrigadeInfantry, 80, kAttachCorps, 1, w.home);
        const std::size_t before = fe.notices.size();
        if (w.shown) fe.ExpectNotice(22);
        ReportBrigadeEvent(1, 1, 41, 0, kBrigadeJoinedCorps);
        EXPECT_EQ(fe.notices.size() - before, w.shown ? 1u : 0u);
    }
}

TEST_F(Upkeep, WithManyCorpsDivisionsUnderProvenLeadersBecomeCorpsSizedByTheirCommander) {
    struct Case { int initiative, prestige, rank, kind, limit, rankAfter; };
    const Case cases[] = {
        {84, 0, 3, 0, 11, 3},   // 84 div 12 + 4: a corps may hold more than ten brigades
        {132, 0, 3, 0, 15, 3},
        {60, 0, 1, 0, 9, 3},    // a junior man rises to corps command
        {60, -1, 3, 0, 9, 3},   // rank makes up for bad press
        {60, -1, 2, 1, 4, 2},   // neither: he keeps his division
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "initiative " << c.initiative << " prestige " << c.prestige << " rank " << c.rank);
        SetUp();
        G().Nations[1].CorpsTally = 26;
        TCorpsRec& division = G().Corps[1];
        division.Kind = 1, division.BrigadeLimit = 4;
        TLeaderRec& l = G().Leaders[division.Leader];
        l.Initiative = static_cast<U8>(c.initiative), l.Political = static_cast<I8>(c.prestige), l.Rank = static_cast<U8>(c.rank);
        ComputerSideUpkeep();
        EXPECT_EQ((std::array<int, 3>{division.Kind, division.BrigadeLimit, l.Rank}), (std::array<int, 3>{c.kind, c.limit, c.rankAfter}));
    }
}

TEST_F(Forming, ACorpsTakesArtilleryUpToHalfItsLimitAndOnlyForTheComputer) {
    struct Case { int human, theatre, artillery, lines; };
    // The computer's corps; a city of theatre 4; a person's nation.
    for (const Case& c : {Case{0, 1, 3, 6}, Case{0, 4, 0, 0}, Case{1, 1, 0, 0}}) {
        SCOPED_TRACE(::testing::Message() << c.human << c.theatre);
        SetUp();
        G().Nations[1].Human = c.human, G().Cities[1].Theatre = c.theatre;
        for (int i = 20; i < 33; ++i) Brigade(i, 1, i < 25 ? kBrigadeArtillery : kBrigadeInfantry, i < 25 ? 16 : 80, kAttachWaiting, 1, 1);
        const int k = FormCorpsFromWaitingBrigades(0, 1, 1, 2);
        EXPECT_EQ(k != 0, c.lines != 0);
        EXPECT_TRUE(!CorpsInUse(G().Corps[5]) || k == 5) << "a slot taken and not used is freed";
        EXPECT_TRUE(G().Corps[k].ArtilleryCount == c.artillery && G().Corps[k].LineCount == c.lines);
    }
    // France takes its city's garrison with its waiting brigades, and counts it out.
    G().Leaders[20].Nation = 3, G().Leaders[20].Status = kLeaderAvailable, G().Leaders[20].Rank = 3;
    City(7, 3, 37).Garrison = 2;
    for (int b : {40, 41}) Brigade(b, 3, kBrigadeInfantry, 80, kAttachGarrison, 7, 37);
    Brigade(42, 3, kBrigadeInfantry, 80, kAttachWaiting, 0, 37);
    EXPECT_TRUE(G().Corps[FormCorpsFromWaitingBrigades(0, 7, 3, 2)].LineCount == 3 && G().Cities[7].Garrison == 0);
}

TEST_F(Forming, ANewCorpsFillsToItsCommandersCapacityAboveTheServingCapOfTen) {
    // Corps: rating div 20 + 4 (the Confederacy div 11); divisions: div 30 + 2 (div 20).
    struct Case { int nation, kind, rating, lines; };
    const Case cases[] = {{1, 0, 100, 9}, {1, 0, 200, 14}, {2, 0, 200, 22}, {1, 1, 255, 10}, {2, 1, 255, 14}, {2, 2, 255, 14}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "nation " << c.nation << " kind " << c.kind << " rating " << c.rating);
        SetUp();
        for (TLeaderRec& l : G().Leaders)
            if (l.Nation == c.nation) l.Initiative = static_cast<U8>(c.rating);
        const int type = c.kind == 2 ? kBrigadeCavalry : kBrigadeInfantry;
        for (int i = 20; i < 50; ++i) Brigade(i, c.nation, type, 50, kAttachWaiting, 0, c.nation);
        const int k = FormCorpsFromWaitingBrigades(c.kind, c.nation, c.nation, 2);
        ASSERT_NE(k, 0);
        const TCorpsRec& corps = G().Corps[k];
        EXPECT_EQ((std::vector<int>{corps.LineCount, corps.BrigadeLimit, corps.Strength}),
                  (std::vector<int>{c.lines, c.lines, 50 * c.lines}));
        int attached = 0;
        for (const TBrigadeRec& b : G().Brigades) attached += b.AttachKind == kAttachCorps && b.AttachIndex == k;
        EXPECT_EQ(attached, c.lines);
    }
}

TEST_F(Forming, EveryWaitingBrigadeOfTheNationServesAndTheNoticeNamesTheCommander) {
    // An empty brigade and one with no home state are taken like the rest, in index order.
    G().EnemyVisibility = 1;
    Brigade(20, 1, kBrigadeInfantry, 0, kAttachWaiting, 0, 1);
    Brigade(21, 1, kBrigadeInfantry, 80, kAttachWaiting, 0, 0);
    for (int i = 22; i < 30; ++i) Brigade(i, 1, kBrigadeInfantry, 80, kAttachWaiting, 0, 1);
    testing::ScriptedFrontend fe;
    fe.ExpectNotice(21);
    const int k = FormCorpsFromWaitingBrigades(0, kBaltimore, 1, 2);
    ASSERT_NE(k, 0);
    const TCorpsRec& corps = G().Corps[k];
    EXPECT_TRUE(corps.LineCount == 6 && corps.Strength == 5 * 80) << corps.LineCount << " " << corps.Strength;
    for (int b : {20, 21}) EXPECT_TRUE(G().Brigades[b].AttachKind == kAttachCorps && G().Brigades[b].AttachIndex == k) << b;
    EXPECT_EQ(G().Brigades[26].AttachKind, kAttachWaiting) << "the sixth line brigade fills the corps";
    ASSERT_EQ(fe.notices.size(), 1u);
    const auto& lines = fe.notices[0].lines;
    EXPECT_EQ(lines[1], "Union text 368");
    EXPECT_EQ(lines[2], "text 21 " + G().Leaders[corps.Leader].Name.str());
    EXPECT_EQ(lines[3], "text 105 Baltimore");

    // The texts are shown as the table has them: the game's text 21 ends in a blank of its own, so
    // two stand before the name; text 105 ends in none.
    std::string texts;
    for (int n = 0; n < 800; ++n)
        texts += (n == 21 ? std::string("commanded by ") : n == 105 ? std::string("based at") : "text " + std::to_string(n)) + "\n";
    TextTable.LoadFromString(texts);
    for (int i = 30; i < 36; ++i) Brigade(i, 1, kBrigadeInfantry, 80, kAttachWaiting, 0, 1);
    fe.ExpectNotice(21);
    const int second = FormCorpsFromWaitingBrigades(0, kBaltimore, 1, 2);
    ASSERT_NE(second, 0);
    ASSERT_EQ(fe.notices.size(), 2u);
    EXPECT_EQ(fe.notices[1].lines[2], "commanded by  " + G().Leaders[G().Corps[second].Leader].Name.str());
    EXPECT_EQ(fe.notices[1].lines[3], "based at Baltimore");
}

}  // namespace
}  // namespace kvt
