// Ship building, naval build planning, the end-of-turn upkeep and the computer's new armies and corps.
#include <gtest/gtest.h>

#include <array>

#include "engine/core/notice.h"
#include "engine/logistics/fleet_records.h"
#include "engine/logistics/naval_planning.h"
#include "engine/logistics/ship_building.h"
#include "engine/logistics/upkeep.h"
#include "engine/players/command_slots.h"
#include "engine/players/forming.h"
#include "tests/engine/home_front_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::HomeFrontTest;

constexpr int kBaltimore = 3, kAlexandria = 5;

class ShipBuilding : public HomeFrontTest {};

TEST_F(ShipBuilding, OrdersAreCutToRecruitsThenYardsThenSupplies) {
    struct Case { const char* what; int recruits, supplies, ironYards, woodYards, i, w, t; std::array<int, 3> built; int suppliesAfter, recruitsAfter; };
    const Case cases[] = {
        {"15 of each on 50 recruits: one of each a pass", 50, 10000, 20, 20, 15, 15, 15, {5, 5, 5}, 8945, 5},
        {"no iron yard, two wooden yards", 200, 10000, 0, 2, 5, -5, 5, {0, 2, 2}, 9978, 186},
        {"450 buys 2 ironclads, the 50 left 5 wooden ships", 200, 450, 6, 8, 3, 8, 6, {2, 5, 0}, 0, 176},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TCityRec& port = G().Cities[kBaltimore];
        port.IroncladYards = static_cast<U8>(c.ironYards);
        port.WoodenYards = static_cast<U8>(c.woodYards);
        G().Nations[1].NavalManpower = static_cast<std::uint16_t>(c.recruits);
        G().Nations[1].TheatreSupplies[1] = static_cast<std::uint16_t>(c.supplies);
        const TShipsBuilt built = BuildShipsAtCity(1, kBaltimore, kWaterOcean, c.i, c.w, c.t);
        EXPECT_EQ(G().Fleets[built.fleet[kShipIronclads]].Ironclads, c.built[0]);
        EXPECT_EQ(G().Fleets[built.fleet[kShipWooden]].Wooden, c.built[1]);
        EXPECT_EQ(G().Fleets[built.fleet[kShipTransports]].Transports, c.built[2]);
        EXPECT_EQ(G().Nations[1].TheatreSupplies[1], c.suppliesAfter);
        EXPECT_EQ(G().Nations[1].NavalManpower, c.recruitsAfter);
    }
    EXPECT_EQ(SelectedFleet, 0) << "the selection is the player's, not the builder's";
}

TEST_F(ShipBuilding, ANewFleetTakesTheLowestFreeNumberAndItsBuildingTime) {
    TGameRec& g = G();
    g.Fleets[100].TransportTag = 9;  // left by the record's former fleet
    CreateFleetAtCity(100, 1, kBaltimore, 3, kShipTransports, kWaterRiver);
    CreateFleetAtCity(99, 1, kBaltimore, 2, kShipIronclads, kWaterOcean);
    EXPECT_EQ(g.Fleets[100].FleetNumber, 2) << "Union fleet 1 is at sea";
    EXPECT_EQ(g.Fleets[100].BuildCounter, 6);
    EXPECT_EQ(g.Fleets[100].TransportTag, 0);
    EXPECT_EQ(g.Fleets[100].HexX, g.Cities[kBaltimore].HexX);
    EXPECT_EQ(g.Fleets[100].HomePort, kBaltimore);
    EXPECT_EQ(g.Fleets[99].FleetNumber, 3);
    EXPECT_EQ(g.Fleets[99].BuildCounter, 24);
    FreeFleet(100);
    CreateFleetAtCity(98, 1, kBaltimore, 4, kShipWooden, kWaterOcean);
    EXPECT_EQ(g.Fleets[98].FleetNumber, 2) << "a freed number is taken again";
    EXPECT_EQ(g.Fleets[98].BuildCounter, 12);
    g.Nations[2].NavalManpower = 100;
    g.Nations[2].TheatreSupplies[1] = 100;
    g.Cities[6].WoodenYards = 4;
    const int runners = BuildShipsAtCity(2, 6, kWaterOcean, 0, 0, 4).fleet[kShipTransports];
    EXPECT_EQ(g.Fleets[runners].WaterType, kWaterCottonTransports) << "Confederate transports run the blockade";
    EXPECT_EQ(g.Fleets[runners].BuildCounter, 8);
}

class NavalPlanning : public HomeFrontTest {
protected:
    // Ships the Union laid down, by class: ocean ironclads, ocean wooden, river ironclads, river wooden, transports.
    static std::array<int, 5> LaidDown() {
        std::array<int, 5> s{};
        for (const TFleetRec& f : G().Fleets) {
            if (f.Owner != 1 || f.BuildCounter == 0 || !FleetInUse(f) || f.HomePort == 0) continue;
            const bool river = f.WaterType == kWaterRiver;
            s[river ? 2 : 0] += f.Ironclads;
            s[river ? 3 : 1] += f.Wooden;
            s[4] += f.Transports;
        }
        return s;
    }
};

TEST_F(NavalPlanning, DeficitsAgainstTheEnemysFleetsBecomeShipsLaidDown) {
    struct Case { const char* what; int recruits, ironclads, wooden, counter; std::array<int, 5> laid; };
    const Case cases[] = {
        {"no enemy ships: 4, 8, 4, 6 and 12 transports less what it has", 1000, 0, 4, 0, {4, 4, 4, 6, 12}},
        {"a deficit of 1 ironclad or 2 wooden ships orders none", 1000, 3, 6, 0, {0, 0, 4, 6, 12}},
        {"19 recruits order nothing", 19, 0, 4, 0, {0, 0, 0, 0, 0}},
        {"a fleet of 24 turns to go is not counted", 1000, 4, 4, 24, {4, 8, 4, 6, 12}},
        {"one of 23 is", 1000, 4, 4, 23, {0, 4, 4, 6, 12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TGameRec& g = G();
        FreeFleet(2);
        TFleetRec& own = g.Fleets[1];
        own.Ironclads = static_cast<U8>(c.ironclads);
        own.Wooden = static_cast<U8>(c.wooden);
        own.BuildCounter = static_cast<U8>(c.counter);
        own.HomePort = 0;
        g.Nations[1].NavalManpower = static_cast<std::uint16_t>(c.recruits);
        for (U16& s : g.Nations[1].TheatreSupplies) s = 60000;
        g.Cities[kBaltimore].Port = g.Cities[1].RiverLink = 1;
        for (int port : {kBaltimore, 1}) g.Cities[port].IroncladYards = g.Cities[port].WoodenYards = 10;
        PlanNavalBuilds(1);
        EXPECT_EQ(LaidDown(), c.laid);
    }
}

class Upkeep : public HomeFrontTest {
protected:
    void SetUp() override {
        HomeFrontTest::SetUp();
        AllowDrawsPastScript();
        for (TNationRec& n : G().Nations) n.RailCapacity = 10;
    }
    static int NewCorpsOf(int nation, int kind = -1) {
        int n = 0;
        for (int k = 5; k <= kCorpsCount; ++k) {
            const TCorpsRec& c = G().Corps[k];
            n += CorpsInUse(c) && c.Nation == nation && (kind < 0 || c.Kind == kind);
        }
        return n;
    }
};

TEST_F(Upkeep, BrigadesAreRefilledFromTheirStatesAboveTheDaysSupplyReserve) {
    struct Case { const char* what; int nation, day, supplies, pool, strength; int after, quality; };
    const Case cases[] = {
        {"79 takes 1 on day 1 above four turns' need", 1, 1, 400, 5, 79, 80, 1},
        {"day 1 keeps four turns back", 1, 1, 399, 5, 79, 79, 2},
        {"day 11 three", 1, 11, 300, 5, 79, 80, 1},
        {"day 21 one", 1, 21, 100, 5, 79, 80, 1},
        {"day 21 short of one", 1, 21, 99, 5, 79, 79, 2},
        {"a short pool changes nothing", 1, 1, 400, 0, 79, 79, 2},
        {"80 needs nothing", 1, 1, 400, 5, 80, 80, 2},
        {"a Confederate never loses quality", 2, 1, 400, 5, 79, 80, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TGameRec& g = G();
        g.Day = static_cast<U8>(c.day);
        TNationRec& n = g.Nations[c.nation];
        n.TheatreLoad[1] = 100;
        n.TheatreSupplies[1] = static_cast<std::uint16_t>(c.supplies);
        n.WeaponPool[1] = 10;
        TBrigadeRec& b = g.Brigades[c.nation == 1 ? 2 : 8];
        b.Strength = static_cast<U8>(c.strength);
        TStateRec& home = g.States[b.HomeState];
        home.InfantryPool = static_cast<std::uint16_t>(c.pool);
        ComputerSideUpkeep();
        EXPECT_EQ(b.Strength, c.after);
        EXPECT_EQ(b.Quality, c.quality);
        const int refilled = c.after - c.strength;
        EXPECT_EQ(home.InfantryPool, c.pool - refilled);
        EXPECT_EQ(n.WeaponPool[1], 10 - refilled) << "the men come with the brigade's muskets";
    }
}

TEST_F(Upkeep, AFleetWhosePortFellIsLostEvenForAPersonAndTheRestAreBuiltInPort) {
    TGameRec& g = G();
    g.Nations[1].Human = 1;
    auto building = [&](int f, int port, int counter) -> TFleetRec& {
        TFleetRec& r = g.Fleets[f];
        r = {};
        r.Owner = r.Side = 1;
        r.BuildCounter = static_cast<U8>(counter);
        r.HomePort = static_cast<U8>(port);
        r.Wooden = 4;
        return r;
    };
    const TFleetRec& lost = building(50, kBaltimore, 5);
    const TFleetRec& ready = building(51, 1, 1);
    const TFleetRec& waiting = building(52, 1, 3);
    g.Cities[kBaltimore].Owner = 2;
    testing::ScriptedFrontend fe;
    fe.ExpectNotice(15);
    ScriptRandomDraws({89, 90});
    ComputerSideUpkeep();
    ASSERT_EQ(fe.notices.size(), 1u) << "the ready notice shows nothing";
    EXPECT_EQ(fe.notices[0].lines[1], "text 151");
    EXPECT_EQ(fe.notices[0].lines[2], "Baltimoretext 155");
    EXPECT_EQ(lost.BuildCounter, kFleetGone);
    EXPECT_EQ(lost.Owner + lost.Wooden, 0);
    EXPECT_EQ(ready.BuildCounter, 0);
    EXPECT_TRUE(ready.HexX == g.Cities[1].HexX && ready.StartY == g.Cities[1].HexY) << "put on its port";
    EXPECT_EQ(waiting.BuildCounter, 3) << "a draw of 90 holds the work back a turn";
}

TEST_F(Upkeep, AGarrisonBeyondWhatItsCityWantsFormsCorpsAndDivisions) {
    // The capital keeps Status + 8 brigades, + 2 more with no enemy within 3 hexes; the
    // Confederacy half of that. Elsewhere a city's mark above 200 is cleared first.
    struct Case { int nation, city, garrison, status; bool enemyNear; int corps, divisions; };
    const Case cases[] = {
        {1, 1, 10, 0, false, 0, 0}, {1, 1, 11, 0, false, 1, 0}, {1, 1, 8, 0, true, 0, 0}, {1, 1, 9, 0, true, 1, 0},
        {2, 2, 5, 0, false, 0, 0},  {2, 2, 6, 0, false, 1, 0},  {1, kBaltimore, 2, 201, false, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "nation " << c.nation << " city " << c.city << " garrison " << c.garrison);
        SetUp();
        TGameRec& g = G();
        TCityRec& city = g.Cities[c.city];
        for (int i = 0; i < c.garrison; ++i) Brigade(20 + i, c.nation, kBrigadeInfantry, 80, kAttachGarrison, c.city, city.State);
        city.Garrison = static_cast<std::uint16_t>(c.garrison);
        city.Status = static_cast<U8>(c.status);
        TCorpsRec& enemy = g.Corps[c.nation == 1 ? 3 : 1];
        enemy.HexX = city.HexX;
        enemy.HexY = static_cast<U8>(city.HexY + (c.enemyNear ? 2 : 20));
        ComputerSideUpkeep();
        EXPECT_EQ(NewCorpsOf(c.nation, 0), c.corps);
        EXPECT_EQ(NewCorpsOf(c.nation, 1), c.divisions);
        if (c.status > 200) EXPECT_EQ(city.Status, 0);
        int left = 0;
        for (const TBrigadeRec& b : g.Brigades) left += b.AttachKind == kAttachGarrison && b.AttachIndex == c.city;
        EXPECT_EQ(city.Garrison, left) << "the count follows every brigade taken";
    }
}

TEST_F(Upkeep, FortsRiseWhereWantedAtACostThatNeverFallsBelow50) {
    struct Case { int year, supplies; int fort, suppliesAfter; };
    const Case cases[] = {{1862, 5000, 1, 5000 - 275}, {1866, 5000, 1, 5000 - 50}, {1862, 2000, 0, 2000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        SetUp();
        TGameRec& g = G();
        g.Year = static_cast<std::uint16_t>(c.year);
        g.EnemyVisibility = 3;
        TCityRec& port = g.Cities[kAlexandria];
        port.Port = 1;
        g.Nations[1].TheatreSupplies[1] = static_cast<std::uint16_t>(c.supplies);
        testing::ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        ComputerSideUpkeep();
        EXPECT_EQ(port.Fortifications, c.fort);
        EXPECT_EQ(port.FortifiedThisTurn, c.fort);
        EXPECT_EQ(g.Nations[1].TheatreSupplies[1], c.suppliesAfter);
        EXPECT_EQ(port.CoastalGuns, c.fort) << "a harbour gun comes free while more than 2000 are left";
        ASSERT_EQ(fe.notices.size(), static_cast<std::size_t>(c.fort));
        if (c.fort) EXPECT_EQ(fe.notices[0].lines[2], "text 687Alexandria");
    }
}

TEST_F(Upkeep, CorpsStandingTogetherFormANamedArmyAndAFailedCandidateLeavesNoMarks) {
    TGameRec& g = G();
    auto corps = [&](int k, int x, int y, int lines, int home) {
        TCorpsRec& c = g.Corps[k];
        c.Unused = 0;
        c.Nation = c.Side = 1;
        c.Region = 1;
        c.OrderMode = 1;
        c.HexX = static_cast<U8>(x);
        c.HexY = static_cast<U8>(y);
        c.LineCount = static_cast<U8>(lines);
        c.HomeState = static_cast<U8>(home);
        c.SupplyCity = 1;
    };
    // Corps 1 fails (its state has 1 brigade) and marks far corps 5; corps 2 then forms an army with 1.
    corps(1, 40, 21, 1, 1);
    corps(2, 40, 30, 3, 3);
    corps(5, 40, 12, 1, 3);
    g.Corps[5].Leader = 3;
    g.Cities[1].SupplySource = 2;
    g.States[3].CapitalCity = kBaltimore;
    g.Nations[1].CorpsInTheatre[1] = 2;
    g.Leaders[6].Rank = 5;
    g.Leaders[6].Political = 100;
    g.Leaders[6].Rating = 9;
    auto& pool = g.ArmyNamePool[1];
    pool[1].Name = "of the West";
    pool[1].RegionKey = 1, pool[1].MatchKey1 = 2;
    pool[2].Name = "of the Potomac";
    pool[2].RegionKey = 1, pool[2].MatchKey1 = 1, pool[2].MatchKey2 = 3;
    testing::ScriptedFrontend fe;
    fe.AllowAnyWaits(true);
    ComputerSideUpkeep();
    const int a = g.Corps[2].Army;
    ASSERT_TRUE(a >= 1 && a <= kArmyCount);
    EXPECT_EQ(g.Corps[1].Army, a);
    EXPECT_EQ(g.Corps[5].Army, 0) << "marked for corps 1's army that never formed";
    EXPECT_EQ(g.Armies[a].Name.str(), "of the Potomac");
    EXPECT_EQ(g.Armies[a].Leader, 6);
    EXPECT_EQ(g.Armies[a].BaseCity, 1);
    EXPECT_EQ(pool[2].Used, 2);
    EXPECT_EQ(g.Nations[1].ArmyTally, 1);
    ASSERT_FALSE(fe.notices.empty());
    EXPECT_EQ(fe.notices.back().kind, 20);
    EXPECT_EQ(fe.notices.back().lines[1], "text 0of the Potomac");
    EXPECT_EQ(fe.notices.back().lines[3], "text 105 Washington");
    for (const TCorpsRec& c : g.Corps) EXPECT_NE(c.Army, 100);
}

TEST_F(Upkeep, MusketsAreReplacedWhileTheEnemyIsNoWorseArmed) {
    struct Case { const char* what; int unionRifles, confederateWeapon; bool confederatesInCorps; int rearmed; };
    const Case cases[] = {
        {"equal shares", 0, 1, true, 4},
        {"the enemy better armed", 2, 1, true, 0},
        {"an enemy without line brigades counts a share of 0", 2, 1, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TGameRec& g = G();
        g.Nations[1].WeaponPool[2] = 1000;
        for (int b : {3, 6}) g.Brigades[b].Weapon = static_cast<U8>(c.unionRifles != 0 ? 3 : 1);
        for (int b = 7; b <= 12; ++b) {
            g.Brigades[b].Weapon = static_cast<U8>(c.confederateWeapon);
            if (!c.confederatesInCorps) g.Brigades[b].AttachKind = kAttachWaiting;
        }
        ComputerSideUpkeep();
        int rearmed = 0;
        for (int b = 1; b <= 6; ++b) rearmed += g.Brigades[b].Weapon == 2;
        EXPECT_EQ(rearmed, c.rearmed);
        EXPECT_EQ(g.Nations[1].WeaponPool[2], 1000 - 80 * c.rearmed);
    }
}

TEST_F(Upkeep, NewCorpsStopAt31AndWipedRecordsTakeTheirBrigades) {
    TGameRec& g = G();
    g.Nations[1].CorpsTally = 30;
    int i = 20;
    for (int type : {2, 2, 2, 2, 2, 2, 2, 2, 1, 1, 3, 3, 3}) Brigade(i++, 1, type, type == 1 ? 16 : 80, kAttachWaiting, 1, 1);
    TCorpsRec& orphan = g.Corps[6];
    orphan.Unused = 0;
    orphan.HexX = 3;
    Brigade(40, 0, kBrigadeInfantry, 80, kAttachCorps, 6, 1);
    ScriptRandomDraws({0, 14, 14});  // the Seaboard is shortest of corps
    ComputerSideUpkeep();
    EXPECT_EQ(g.Nations[1].CorpsTally, 31);
    EXPECT_EQ(g.Nations[1].CorpsInTheatre[1], 1);
    EXPECT_EQ(NewCorpsOf(1), 1) << "the cavalry waits: no 32nd formation";
    EXPECT_TRUE(orphan.Unused != 0 && orphan.HexX == 0) << "a corps of no nation is wiped";
    EXPECT_FALSE(BrigadeInUse(g.Brigades[40]));
}

class Forming : public HomeFrontTest {};

TEST_F(Forming, ACorpsTakesArtilleryUpToHalfItsLimitAndOnlyForTheComputer) {
    struct Case { const char* what; int human, theatre; int artillery, lines; };
    const Case cases[] = {{"the computer's corps", 0, 1, 3, 6}, {"a city of theatre 4", 0, 4, 0, 0}, {"a person's nation", 1, 1, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TGameRec& g = G();
        g.Nations[1].Human = static_cast<U8>(c.human);
        g.Cities[1].Theatre = static_cast<U8>(c.theatre);
        for (int i = 20; i < 33; ++i) Brigade(i, 1, i < 25 ? kBrigadeArtillery : kBrigadeInfantry, i < 25 ? 16 : 80, kAttachWaiting, 1, 1);
        const int k = FormCorpsFromWaitingBrigades(0, 1, 1, 2);
        EXPECT_EQ(k != 0, c.lines != 0);
        EXPECT_TRUE(!CorpsInUse(g.Corps[5]) || k == 5) << "a slot taken and not used is freed";
        if (k == 0) continue;
        EXPECT_EQ(g.Corps[k].ArtilleryCount, c.artillery);
        EXPECT_EQ(g.Corps[k].LineCount, c.lines);
        EXPECT_EQ(g.Corps[k].Strength, 6 * 80 + 3);
    }
}

TEST_F(Forming, FranceTakesItsGarrisonAndCountsItOut) {
    TGameRec& g = G();
    g.Leaders[20].Nation = 3;
    g.Leaders[20].Status = kLeaderAvailable;
    g.Leaders[20].Rank = 3;
    City(7, 3, 37).Garrison = 2;
    Brigade(20, 3, kBrigadeInfantry, 80, kAttachGarrison, 7, 37);
    Brigade(21, 3, kBrigadeInfantry, 80, kAttachGarrison, 7, 37);
    Brigade(22, 3, kBrigadeInfantry, 80, kAttachWaiting, 0, 37);
    const int k = FormCorpsFromWaitingBrigades(0, 7, 3, 2);
    ASSERT_NE(k, 0);
    EXPECT_EQ(g.Corps[k].LineCount, 3);
    EXPECT_EQ(g.Cities[7].Garrison, 0);
}

TEST_F(Forming, ArmiesAreNamedFromTheirSidesPoolByNationTheatreAndState) {
    TGameRec& g = G();
    auto& pool = g.ArmyNamePool[1];
    const struct { const char* name; int nation, theatre, state; } entries[] = {
        {"First", 1, 2, 0}, {"Second", 1, 1, 9}, {"Third", 1, 1, 3}, {"Fourth", 2, 1, 3}};
    for (int k = 0; k < 4; ++k) {
        pool[k + 1].Name = entries[k].name;
        pool[k + 1].RegionKey = static_cast<U8>(entries[k].nation);
        pool[k + 1].MatchKey1 = static_cast<U8>(entries[k].theatre);
        pool[k + 1].MatchKey2 = static_cast<U8>(entries[k].state);
    }
    testing::ScriptedFrontend fe;
    fe.AllowAnyWaits(true);
    const struct { int nation, state; const char* name; } armies[] = {
        {1, 3, "Third"}, {1, 3, "Second"}, {1, 1, "First"}, {1, 1, "First"}, {3, 1, "the Americas"}};
    for (const auto& want : armies) {
        const int a = AllocateArmySlot(want.nation);
        g.Armies[a].BaseCity = 1;
        g.Armies[a].Leader = 1;
        FormArmyWithPoolName(want.nation, a, want.state);
        EXPECT_EQ(g.Armies[a].Name.str(), want.name);
    }
    ASSERT_EQ(fe.notices.size(), 5u);
    EXPECT_EQ(fe.notices[0].lines[2], "text 21Leader 1");
    EXPECT_EQ(fe.notices[0].lines[3], "text 105 Washington");
}

}  // namespace
}  // namespace kvt
