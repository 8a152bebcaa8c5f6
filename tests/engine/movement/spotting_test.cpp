// Spotting of corps and fleets, contact on a shared hex, corps lost or released, army headquarters
// following their corps, and the choice of a supply city.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "engine/forces/brigade_rules.h"
#include "engine/movement/corps_movement.h"
#include "engine/movement/spotting.h"
#include "engine/movement/supply_cities.h"
#include "tests/engine/movement_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::MovementWorld;
using testing::ScriptedFrontend;

class Spotting : public MovementWorld {
protected:
    void SetUp() override {
        MovementWorld::SetUp();
        FillMap(1, kUnion, 0);
        GameRec->Nations[3].Side = kConfederacy;  // France at war on the Confederate side
    }

    int AddFleet(int side, int x, int y, int waterType, int mission = 2) {
        for (int f = 1; f <= kFleetCount; ++f) {
            TFleetRec& r = GameRec->Fleets[f];
            if (r.BuildCounter != kFleetGone) continue;
            r = TFleetRec{};
            r.Side = static_cast<U8>(side);
            r.Owner = static_cast<U8>(side);
            r.HexX = static_cast<U8>(x);
            r.HexY = static_cast<U8>(y);
            r.WaterType = static_cast<U8>(waterType);
            r.Mission = static_cast<U8>(mission);
            return f;
        }
        return 0;
    }
};

TEST_F(Spotting, EnemiesSeeEachOtherByRangeAndWeather) {
    struct Case { const char* what; int distance, weather, kind, fatigue; int level; };
    const Case cases[] = {
        {"adjacent in clear weather", 1, 0, 0, 0, 4},
        {"four apart", 4, 0, 0, 0, 1},
        {"at the edge of sight", 5, 0, 0, 0, 0},
        {"rain shortens sight", 1, 3, 0, 0, 3},
        {"storm shortens sight more", 2, 7, 0, 0, 1},
        {"cavalry sees farther", 5, 0, 2, 0, 1},
        {"tired eyes see less", 1, 0, 0, 9, 3},
    };
    for (const Case& c : cases) {
        SetUp();
        GameRec->TheatreWeather[1] = static_cast<std::uint16_t>(c.weather);
        const int spotter = AddCorps(1, 10, 10);
        C(spotter).Kind = static_cast<U8>(c.kind);
        C(spotter).Fatigue = static_cast<U8>(c.fatigue);
        const int target = AddCorps(2, 10, 10 + c.distance);
        C(target).Region = 2;  // its own sight stays short: theatre 2 has a blizzard
        GameRec->TheatreWeather[2] = 8;
        C(target).FatigueLimit = 0;
        C(target).Fatigue = 5;
        UpdateSpotting();
        EXPECT_EQ(C(target).Visibility, c.level) << c.what;
    }
}

TEST_F(Spotting, NearestSpotterDecidesAndAlliesAreNoEnemies) {
    const int near = AddCorps(1, 10, 11);
    const int target = AddCorps(2, 10, 10);
    const int far = AddCorps(1, 10, 14);  // later in index order, farther away
    const int french = AddCorps(3, 10, 10);
    UpdateSpotting();
    EXPECT_EQ(C(target).Visibility, 4) << "a farther spotter must not lower what a nearer one saw";
    EXPECT_EQ(C(near).Visibility, 4);
    EXPECT_EQ(C(far).Visibility, 1);
    EXPECT_EQ(C(target).ContactCode, 0) << "Confederate and French corps on one hex are allies";
    EXPECT_EQ(C(french).ContactCode, 0);
    EXPECT_EQ(C(french).Visibility, 4) << "the French corps is seen like any enemy";
}

TEST_F(Spotting, EnemiesOnOneHexCountEachOtherFromBothSides) {
    // Each spotter counts each enemy on its hex for both of them: two enemies alone give 2 each.
    struct Case { const char* what; int enemies; int ownContact, enemyContact; };
    const Case cases[] = {
        {"one enemy", 1, 2, 2},
        {"two enemies", 2, 4, 2},
        {"three enemies: at most 4", 3, 4, 2},
    };
    for (const Case& c : cases) {
        SetUp();
        GameRec->MoveStep = 3;
        const int a = AddCorps(1, 10, 10);
        std::vector<int> enemies;
        for (int i = 0; i < c.enemies; ++i) enemies.push_back(AddCorps(2, 10, 10));
        UpdateSpotting();
        EXPECT_EQ(C(a).ContactCode, c.ownContact) << c.what;
        EXPECT_EQ(C(a).Losses, 3) << c.what << ": the step of the first contact";
        for (int e : enemies) {
            EXPECT_EQ(C(e).ContactCode, c.enemyContact) << c.what;
            EXPECT_EQ(C(e).Losses, 3) << c.what;
        }
    }
    SetUp();
    const int aboard = AddCorps(1, 20, 20);
    const int enemyPort = AddCorps(2, 20, 20);
    C(aboard).OrderMode = kOrderEmbarked;
    AddFleet(1, 20, 20, 1);
    GameRec->Fleets[1].BuildCounter = 0;
    GameRec->Fleets[1].Cargo = static_cast<U8>(aboard);
    const int alone = AddCorps(1, 40, 40);
    C(alone).ContactCode = 3;
    UpdateSpotting();
    EXPECT_EQ(C(aboard).ContactCode, 0) << "an embarked corps meets nobody";
    EXPECT_EQ(C(enemyPort).ContactCode, 0);
    EXPECT_EQ(C(enemyPort).Losses, 0);
    EXPECT_EQ(C(alone).ContactCode, 0) << "contact ends when no enemy shares the hex";
    EXPECT_FALSE(C(aboard).Unused);
}

TEST_F(Spotting, CorpsFreedOrLostThisPassNeitherSeeNorMeet) {
    struct Case { const char* what; bool lostAtSea; };
    const Case cases[] = {{"spent", false}, {"lost at sea", true}};
    for (const Case& c : cases) {
        SetUp();
        const int k = AddCorps(1, 10, 10);
        if (c.lostAtSea) C(k).OrderMode = kOrderEmbarked;  // no fleet carries it
        else C(k).Strength = 0;
        const int onHex = AddCorps(2, 10, 10);
        const int next = AddCorps(2, 10, 11);
        UpdateSpotting();
        EXPECT_TRUE(C(k).Unused) << c.what;
        EXPECT_EQ(C(onHex).ContactCode, 0) << c.what;
        EXPECT_EQ(C(next).Visibility, 0) << c.what;
    }
}

TEST_F(Spotting, CitiesWatchTheirSurroundingsAndStopEnemies) {
    const int city = AddCity("Fort", 20, 20, kUnion);
    GameRec->Cities[city].Garrison = 3;
    const int onCity = AddCorps(2, 20, 20);
    const int nextTo = AddCorps(2, 20, 21);
    const int farAway = AddCorps(2, 40, 40);
    GameRec->States[5].ControlSide = kUnion;
    C(farAway).HomeState = 5;  // raised in a state the enemy now holds
    UpdateSpotting();
    EXPECT_EQ(C(onCity).ContactCode, 4);
    EXPECT_EQ(C(onCity).Visibility, 2);
    EXPECT_EQ(C(nextTo).Visibility, 1);
    EXPECT_GT(C(farAway).Visibility, 0);
}

TEST_F(Spotting, CorpsFromAStateTheEnemyHoldsIsBetrayedOncePerCity) {
    // Every city record whose owner is not the corps' side, in use or not, betrays it once.
    struct Case { const char* what; int homeControl; int unionCities, confederateCities; int visibility; };
    const Case cases[] = {
        {"no city in use: all records", kUnion, 0, 0, kCityCount},
        {"its own side's cities keep quiet", kUnion, 3, 2, kCityCount - 2},
        {"home state held by its own side", kConfederacy, 3, 2, 0},
        {"home state held by nobody", 0, 3, 2, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        for (int i = 0; i < c.unionCities; ++i) AddCity("U", 5, 5 + i, kUnion);
        for (int i = 0; i < c.confederateCities; ++i) AddCity("C", 5, 20 + i, kConfederacy);
        GameRec->States[5].ControlSide = static_cast<U8>(c.homeControl);
        const int k = AddCorps(2, 60, 50);  // out of every city's sight
        C(k).HomeState = 5;
        UpdateSpotting();
        EXPECT_EQ(C(k).Visibility, c.visibility) << c.what;
    }
}

TEST_F(Spotting, SpentCorpsLeaveTheirBrigadesToTheirCityOrDisband) {
    const int depot = AddCity("Depot", 5, 5, kUnion, 2);
    const int withCity = AddCorps(1, 10, 10);
    C(withCity).SupplyCity = static_cast<U8>(depot);
    C(withCity).LineCount = 1;
    const int guns1 = AddBrigade(withCity, kBrigadeArtillery, 16);
    const int withoutCity = AddCorps(1, 12, 12);
    const int guns2 = AddBrigade(withoutCity, kBrigadeArtillery, 16);
    const int lostDepot = AddCity("Taken", 7, 7, kConfederacy, 2);
    const int cutOff = AddCorps(1, 14, 14);
    C(cutOff).SupplyCity = static_cast<U8>(lostDepot);
    const int guns3 = AddBrigade(cutOff, kBrigadeArtillery, 16);
    for (int c : {withCity, withoutCity, cutOff}) C(c).Strength = 0;
    UpdateSpotting();
    EXPECT_TRUE(C(withCity).Unused);
    EXPECT_TRUE(C(withoutCity).Unused);
    EXPECT_EQ(GameRec->Brigades[guns1].AttachKind, kAttachGarrison);
    EXPECT_EQ(GameRec->Brigades[guns1].AttachIndex, depot);
    EXPECT_EQ(GameRec->Brigades[guns2].AttachKind, kAttachFree) << "no city takes them: they disband";
    EXPECT_EQ(GameRec->Brigades[guns3].AttachKind, kAttachFree) << "the enemy's garrison never takes them";
    EXPECT_EQ(GameRec->Cities[lostDepot].Garrison, 0);
    RecalcCorpsFromBrigades();
    EXPECT_EQ(GameRec->Cities[depot].Garrison, 1);
}

TEST_F(Spotting, EmbarkedCorpsGoesDownWithItsFleet) {
    const int k = AddCorps(1, 30, 30);
    C(k).OrderMode = kOrderEmbarked;
    C(k).Army = 2;
    const int leader = C(k).Leader;
    const int b = AddBrigade(k, kBrigadeInfantry, 80);
    const int french = AddBrigade(k, kBrigadeInfantry, 60);
    GameRec->Brigades[french].Nation = 3;
    const int f = AddFleet(1, 30, 30, 1);
    GameRec->Fleets[f].BuildCounter = 0;
    GameRec->Fleets[f].Cargo = static_cast<U8>(k);
    UpdateSpotting();
    EXPECT_FALSE(C(k).Unused) << "still aboard an active fleet";

    GameRec->Fleets[f].BuildCounter = kFleetGone;  // sunk
    UpdateSpotting();
    // The slot is cleared whole (its steps kept for the playback): nothing embarked is left in it.
    TCorpsRec cleared;
    std::memset(static_cast<void*>(&cleared), 0, sizeof cleared);
    cleared.Route = C(k).Route;
    cleared.StepDone = C(k).StepDone;
    cleared.Unused = 1;
    EXPECT_EQ(std::memcmp(&C(k), &cleared, sizeof cleared), 0);
    EXPECT_EQ(GameRec->Leaders[leader].Status, kLeaderKilled);
    EXPECT_EQ(GameRec->Brigades[b].AttachKind, kAttachFree);
    EXPECT_EQ(GameRec->Brigades[french].AttachKind, kAttachFree) << "every brigade aboard went down";
    EXPECT_EQ(GameRec->Casualties[1], 80u) << "the drowned count as casualties of their own nations";
    EXPECT_EQ(GameRec->Casualties[3], 60u);
    EXPECT_EQ(GameRec->States[1].StateCasualties, 140);
}

TEST_F(Spotting, FleetsAreSeenByEnemyFleetsAndPortsAndSeeCorpsAshore) {
    struct Case { const char* what; int distance, waterType, mission, weather; bool enemyCity; int spotted; };
    const Case cases[] = {
        {"ocean fleets adjacent", 1, 1, 2, 0, false, 2},
        {"one ocean, one Confederate transport", 1, 0, 2, 0, false, 1},
        {"a patrol sees sharper", 1, 1, 4, 0, false, 3},
        {"bad weather", 1, 1, 2, 3, false, 1},
        {"an enemy port nearby", 5, 1, 2, 0, true, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        GameRec->TheatreWeather[1] = static_cast<std::uint16_t>(c.weather);
        const int port = AddCity("Port", 10, 1, kUnion);
        const int mine = AddFleet(2, 10, 10, c.waterType);
        GameRec->Fleets[mine].BuildCounter = 0;
        GameRec->Fleets[mine].HomePort = static_cast<U8>(port);
        const int theirs = AddFleet(1, 10, 10 + c.distance, 1, c.mission);
        GameRec->Fleets[theirs].BuildCounter = 0;
        if (c.enemyCity) AddCity("Harbour", 11, 11, kUnion);
        UpdateSpotting();
        EXPECT_EQ(GameRec->Fleets[mine].Spotted, c.spotted) << c.what;
    }
    SetUp();
    const int f = AddFleet(2, 10, 10, 1);
    GameRec->Fleets[f].BuildCounter = 0;
    const int ashore = AddCorps(1, 10, 11);
    const int ally = AddCorps(3, 10, 11);
    UpdateSpotting();
    EXPECT_EQ(C(ashore).Visibility, 1);
    EXPECT_EQ(C(ally).Visibility, 0) << "a Confederate fleet does not spot French troops";
}

TEST_F(Spotting, APassAfterAnyChangeLeavesWhatTheFullRescanLeaves) {
    // A Union corps shares its hex with one Confederate corps and sees another two hexes off, in a
    // Confederate city; a Union fleet lies off the coast. After one pass the world changes once: the
    // next pass must leave what the whole-map reading leaves, and each change alters that reading.
    int blue = 0, grey = 0, near = 0, city = 0, fleet = 0, scout = 0, rider = 0;
    auto build = [&] {
        SetUp();
        GameRec->MoveStep = 2;
        blue = AddCorps(1, 10, 10);
        near = AddCorps(2, 10, 10);
        grey = AddCorps(2, 10, 12);
        city = AddCity("Port", 10, 12, kConfederacy);
        fleet = AddFleet(1, 12, 16, 1);
        GameRec->Fleets[fleet].BuildCounter = 0;
    };
    auto aboard = [&] {
        C(blue).OrderMode = kOrderEmbarked;
        GameRec->Fleets[fleet].HexX = 10;
        GameRec->Fleets[fleet].HexY = 10;
        GameRec->Fleets[fleet].Cargo = static_cast<U8>(blue);
    };
    struct Case {
        const char* what;
        std::function<void()> before, change;
    };
    const Case cases[] = {
        {"a corps marches", [] {}, [&] { C(grey).HexY = 11; }},
        {"a corps marches four columns off a spotter that stays", [] {}, [&] { C(grey).HexX = 14; C(grey).HexY = 10; }},
        {"a scout far from the armies marches into an enemy town",
         [&] { scout = AddCorps(1, 30, 30); AddCity("Town", 30, 33, kConfederacy); }, [&] { C(scout).HexY = 33; }},
        // Each spotter that stays must still measure the enemies that moved, whichever side moved first.
        {"corps of both sides march up to spotters that stay", [&] { rider = AddCorps(1, 14, 14); },
         [&] { C(grey).HexY = 11; C(rider).HexX = 10; C(rider).HexY = 9; }},
        {"a spotter tires", [] {}, [&] { C(blue).Fatigue = 9; }},
        {"the weather closes in", [] {}, [&] { GameRec->TheatreWeather[1] = 7; }},
        {"a corps changes sides", [] {}, [&] { C(near).Side = kUnion; }},
        {"a corps loses its nation and spots no more", [] {}, [&] { C(grey).Nation = 0; }},
        {"a corps goes aboard: nobody meets it", [] {}, aboard},
        {"a corps' fleet sinks and the corps with it", aboard, [&] { GameRec->Fleets[fleet].BuildCounter = kFleetGone; }},
        {"a corps is worn to nothing", [] {}, [&] { C(near).Strength = 0; }},
        {"the city changes hands", [] {}, [&] { GameRec->Cities[city].Owner = kUnion; }},
        {"the city is garrisoned", [] {}, [&] { GameRec->Cities[city].Garrison = 1; }},
        {"the fleet sails off", [] {}, [&] { GameRec->Fleets[fleet].HexX = 11; GameRec->Fleets[fleet].HexY = 14; }},
        // A fleet sees corps ashore a hex off: the first and the last column it looks along.
        {"the fleet sails up a column west of a corps", [] {}, [&] { GameRec->Fleets[fleet].HexX = 9; GameRec->Fleets[fleet].HexY = 12; }},
        {"the fleet sails up a column east of a corps", [] {}, [&] { GameRec->Fleets[fleet].HexX = 11; GameRec->Fleets[fleet].HexY = 12; }},
        {"a fleet watching a city is laid up and sights nothing",
         [&] { GameRec->Fleets[fleet].HexX = 11; GameRec->Fleets[fleet].HexY = 14; },
         [&] { GameRec->Fleets[fleet].BuildCounter = 3; }},
        {"the city the fleet watches changes hands",
         [&] { GameRec->Fleets[fleet].HexX = 11; GameRec->Fleets[fleet].HexY = 14; },
         [&] { GameRec->Cities[city].Owner = kUnion; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        build();
        c.before();
        UpdateSpotting();
        const TGameRec unchanged = *GameRec;
        UpdateSpottingFullRescan();
        const TGameRec unchangedRescanned = *GameRec;
        *GameRec = unchanged;
        c.change();
        const TGameRec changed = *GameRec;
        UpdateSpottingFullRescan();
        const TGameRec rescanned = *GameRec;
        *GameRec = changed;
        UpdateSpotting();
        EXPECT_EQ(std::memcmp(GameRec, &rescanned, sizeof rescanned), 0);
        EXPECT_NE(std::memcmp(&unchangedRescanned, &rescanned, sizeof rescanned), 0) << "the change alters nothing";
    }
    // Nothing changes: contact on the shared hex grows pass by pass, as the rescan has it.
    build();
    for (int pass = 1; pass <= 3; ++pass) {
        const TGameRec before = *GameRec;
        UpdateSpottingFullRescan();
        const TGameRec rescanned = *GameRec;
        *GameRec = before;
        UpdateSpotting();
        EXPECT_EQ(std::memcmp(GameRec, &rescanned, sizeof rescanned), 0) << "pass " << pass;
    }
    EXPECT_EQ(C(blue).ContactCode, 4);
    EXPECT_EQ(C(grey).Visibility, 3);
}

class Headquarters : public Spotting {
protected:
    void SetUp() override {
        Spotting::SetUp();
        GameRec->Nations[1].Human = 0;
    }
};

TEST_F(Headquarters, PersonsArmyMovesToItsOrderedCityWhenHeld) {
    GameRec->Nations[1].Human = 1;
    for (int owner : {kUnion, kConfederacy}) {
        SetUp();
        GameRec->Nations[1].Human = 1;
        const int base = AddCity("Base", 10, 10, kUnion, 2);
        const int target = AddCity("Target", 20, 10, owner, 2);
        const int a = AddArmy(1, base, AddLeader(1, 40));
        GameRec->Armies[a].CorpsCount = 1;
        GameRec->Armies[a].SupplyBase = static_cast<U8>(target);
        C(AddCorps(1, 10, 10)).Army = static_cast<U8>(a);
        ScriptedFrontend frontend;
        MoveArmyHeadquarters();
        EXPECT_EQ(GameRec->Armies[a].BaseCity, owner == kUnion ? target : base);
    }
}

TEST_F(Headquarters, ComputerArmyFollowsItsCorps) {
    const int oldBase = AddCity("Old", 10, 10, kUnion, 2);
    const int nearCorps = AddCity("Near", 30, 10, kUnion, 2);
    const int objective = AddCity("Goal", 36, 10, kUnion, 2);
    const int a = AddArmy(1, oldBase, AddLeader(1, 40));
    GameRec->Armies[a].CorpsCount = 2;
    GameRec->Armies[a].Objective = static_cast<U8>(objective);
    for (int x : {31, 32}) C(AddCorps(1, x, 10)).Army = static_cast<U8>(a);
    AddCorps(2, 37, 10);  // an enemy next to the objective makes it a poor seat
    MoveArmyHeadquarters();
    EXPECT_EQ(GameRec->Armies[a].BaseCity, nearCorps);
    EXPECT_EQ(GameRec->Armies[a].SupplyBase, 0) << "the objective was held, so no second target was set";
}

TEST_F(Headquarters, ComputerArmyScoresEveryCityItCouldSitIn) {
    // The army's objective lies at (20,20); A east and B west of it are its candidate cities (A first
    // on ties; bDistance 0: no B).
    // Score: d x d, d the distance to the objective with the city's own rules; lowest below 2500.
    struct Case {
        const char* what;
        int aDistance, bDistance;
        bool aCapital, aOtherTheatre;
        int armiesAtA;        // other armies based at A
        int enemyFromA;       // 0: none; else an enemy corps this far east of A
        int ownCorpsFromA;    // 0: none; else a corps of the army this far from A, on B
        char winner;          // 'A', 'B' or '-' (stays at its base)
    };
    const Case cases[] = {
        {"the nearer city", 3, 2, false, false, 0, 0, 0, 'B'},
        {"a capital from 3 hexes on counts 2 nearer", 4, 3, true, false, 0, 0, 0, 'A'},
        {"a capital closer in counts as it stands", 2, 1, true, false, 0, 0, 0, 'B'},
        {"a city of another theatre counts 1 farther", 2, 2, false, true, 0, 0, 0, 'B'},
        {"another army's seat counts 5 farther: a tie keeps the first", 1, 6, false, false, 1, 0, 0, 'A'},
        {"another army's seat counts 5 farther", 1, 5, false, false, 1, 0, 0, 'B'},
        {"two other armies' seat", 1, 10, false, false, 2, 0, 0, 'B'},
        {"an enemy next to a city costs 1000", 1, 5, false, false, 0, 1, 0, 'B'},
        {"an enemy two hexes off costs nothing", 1, 5, false, false, 0, 2, 0, 'A'},
        {"the army's own corps pull the seat toward them", 1, 2, false, false, 0, 0, 3, 'B'},
        {"a score of 2500 never wins", 50, 0, false, false, 0, 0, 0, '-'},
        {"2401 does", 49, 0, false, false, 0, 0, 0, 'A'},
        {"a capital 51 hexes off counts 49 and wins", 51, 0, true, false, 0, 0, 0, 'A'},
    };
    for (const Case& c : cases) {
        SetUp();
        const int base = AddCity("Base", 70, 52, kUnion, 0);  // no source: never a candidate
        const int goal = AddCity("Goal", 20, 20, kUnion, 0);
        const int a = AddCity("A", 20 + c.aDistance, 20, kUnion, 2);
        const int b = c.bDistance != 0 ? AddCity("B", 20 - c.bDistance, 20, kUnion, 2) : 0;
        ASSERT_EQ(HexDistance(20, 20, 20 + c.aDistance, 20), c.aDistance) << c.what;
        if (c.aCapital) GameRec->Nations[1].Capital = static_cast<U8>(a);
        if (c.aOtherTheatre) GameRec->Cities[a].Theatre = 2;
        const int army = AddArmy(1, base, AddLeader(1, 40));
        GameRec->Armies[army].CorpsCount = 1;
        GameRec->Armies[army].Objective = static_cast<U8>(goal);
        for (int i = 0; i < c.armiesAtA; ++i) AddArmy(1, a, AddLeader(1, 40));  // no corps: they stay
        if (c.enemyFromA != 0) AddCorps(2, 20 + c.aDistance + c.enemyFromA, 20);
        if (c.ownCorpsFromA != 0) {
            // B lies next to the objective on the other side; the corps stands on B.
            C(AddCorps(1, 20 - c.bDistance, 20)).Army = static_cast<U8>(army);
        }
        MoveArmyHeadquarters();
        const int expected = c.winner == 'A' ? a : c.winner == 'B' ? b : base;
        EXPECT_EQ(GameRec->Armies[army].BaseCity, expected) << c.what;
    }
}

TEST_F(Headquarters, OverrunHeadquartersMovesToTheNearestSafeCityOrTheArmyIsLost) {
    for (bool refuge : {true, false}) {
        SetUp();
        ScriptedFrontend frontend;
        GameRec->Nations[1].Will = 30;
        const int base = AddCity("Base", 10, 10, kConfederacy, 2);  // just taken by the enemy
        const int safe = refuge ? AddCity("Safe", 16, 10, kUnion, 2) : 0;
        const int chief = AddLeader(1, 40, 0, 0, "Meade");
        const int a = AddArmy(1, base, chief);
        GameRec->Armies[a].Name = "Potomac";
        GameRec->Armies[a].CorpsCount = 1;
        const int k = AddCorps(1, 12, 10);
        C(k).Army = static_cast<U8>(a);
        AddCorps(2, 10, 10);
        if (!refuge) frontend.ExpectNotice(0);
        MoveArmyHeadquarters();
        if (refuge) {
            EXPECT_EQ(GameRec->Armies[a].BaseCity, safe);
            EXPECT_EQ(GameRec->Armies[a].SupplyBase, safe);
            continue;
        }
        EXPECT_EQ(GameRec->Armies[a].BaseCity, 0);
        EXPECT_EQ(GameRec->Armies[a].Nation, 0);
        EXPECT_EQ(C(k).Army, 0);
        EXPECT_EQ(GameRec->Leaders[chief].Status, kLeaderCaptured);
        EXPECT_EQ(GameRec->Nations[1].Will, 26);
        ASSERT_EQ(frontend.notices.size(), 1u);
        EXPECT_EQ(frontend.notices[0].lines[1], "T0Potomac");
        EXPECT_EQ(frontend.notices[0].lines[2], "T77Meade");
        EXPECT_EQ(frontend.notices[0].lines[3], "T110Base");
        EXPECT_EQ(frontend.notices[0].lines[4], "T455");
    }
}

TEST_F(Headquarters, ArmiesSitWhereScoringEveryCityPutsThemPassAfterPass) {
    // Cities on a coarse grid (so that scores often tie), three armies with their corps and enemy
    // corps among the cities, all placed by a fixed seed; between passes some of the corps march,
    // some objectives change and, in some cases, cities change hands or armies without corps move
    // their seats. Every pass must seat every army, ties and overrun seats included, where scoring
    // every city against every corps seats it: an army whose own corps stood still must still notice
    // enemies arriving at or leaving its seats and another army settling on or leaving a city.
    struct Case {
        const char* what;
        bool ownMarch, enemiesMarch, citiesTurn, idleSeatsMove;
        int minMoves;
    };
    const Case cases[] = {
        {"every corps marches", true, true, false, false, 50},
        {"only the enemy marches", false, true, false, false, 10},
        {"only the armies' corps march", true, false, false, false, 30},
        {"the corps stand while cities change hands", false, false, true, false, 10},
        {"the corps stand while armies without corps move their seats", false, false, false, true, 10},
    };
    std::mt19937 draw(1861);
    auto pick = [&](int n) { return static_cast<int>(draw() % static_cast<unsigned>(n)); };
    for (const Case& c : cases) {
        int compared = 0, moves = 0;
        for (int world = 0; world < 25; ++world) {
            SetUp();
            ScriptedFrontend frontend;
            // An army whose seats all fell is lost with a notice.
            frontend.AllowAnyWaits(c.citiesTurn);
            std::vector<int> cities;
            for (int i = 0; i < 30; ++i) cities.push_back(AddCity("C", 4 + 4 * pick(15), 4 + 4 * pick(11), kUnion, 1 + pick(3)));
            GameRec->Nations[1].Capital = static_cast<U8>(cities[pick(30)]);
            GameRec->Cities[cities[pick(30)]].Theatre = 2;
            std::vector<int> armies, own, enemies;
            for (int i = 0; i < 3; ++i) {
                const int a = AddArmy(1, cities[pick(30)], AddLeader(1, 40));
                GameRec->Armies[a].CorpsCount = 1;
                GameRec->Armies[a].Objective = static_cast<U8>(cities[pick(30)]);
                GameRec->Armies[a].Theatre = static_cast<U8>(1 + pick(2));
                armies.push_back(a);
                for (int n = pick(5); n > 0; --n) {
                    const int k = AddCorps(1, 2 + pick(64), 2 + pick(48));
                    C(k).Army = static_cast<U8>(a);
                    own.push_back(k);
                }
            }
            // Armies without corps keep their seats but count against other armies sitting there.
            std::vector<int> idle;
            for (int i = 0; i < 2; ++i) idle.push_back(AddArmy(1, cities[pick(30)], AddLeader(1, 40)));
            for (int i = 0; i < 6; ++i) {
                const int city = cities[pick(30)];
                enemies.push_back(AddCorps(2, GameRec->Cities[city].HexX + pick(3) - 1, GameRec->Cities[city].HexY));
            }
            for (int pass = 1; pass <= 6; ++pass) {
                const TGameRec before = *GameRec;
                MoveArmyHeadquartersFullRescan();
                const TGameRec rescanned = *GameRec;
                *GameRec = before;
                MoveArmyHeadquarters();
                EXPECT_EQ(std::memcmp(GameRec, &rescanned, sizeof rescanned), 0) << c.what << ", world " << world << ", pass " << pass;
                for (int a : armies) moves += GameRec->Armies[a].BaseCity != before.Armies[a].BaseCity;
                ++compared;
                auto march = [&](const std::vector<int>& corps, int reach) {
                    for (int k : corps) {
                        C(k).HexX = static_cast<U8>(std::clamp(C(k).HexX + pick(2 * reach + 1) - reach, 1, 70));
                        C(k).HexY = static_cast<U8>(std::clamp(C(k).HexY + pick(2 * reach + 1) - reach, 1, 50));
                    }
                };
                if (c.ownMarch) march(own, 4);
                // Enemies step about the cities, onto and off the hexes next to them.
                if (c.enemiesMarch) march(enemies, c.ownMarch ? 4 : 2);
                if (c.citiesTurn)
                    for (int i = 0; i < 4; ++i) {
                        TCityRec& city = GameRec->Cities[cities[pick(30)]];
                        city.Owner = static_cast<U8>(city.Owner == kUnion ? kConfederacy : kUnion);
                    }
                if (c.idleSeatsMove) {
                    // Both onto another army's seat, or anywhere.
                    const int seat = GameRec->Armies[armies[pick(3)]].BaseCity;
                    const bool onSeat = pick(2) == 0;
                    for (int a : idle) GameRec->Armies[a].BaseCity = static_cast<U8>(onSeat ? seat : cities[pick(30)]);
                }
                for (int a : armies)
                    if (!c.idleSeatsMove && pick(2) == 0) GameRec->Armies[a].Objective = static_cast<U8>(cities[pick(30)]);
            }
        }
        EXPECT_EQ(compared, 150) << c.what;
        EXPECT_GT(moves, c.minMoves) << c.what << ": the seats hardly moved, the passes proved little";
    }
}

TEST_F(Headquarters, AnArmyRaisedAtTheSeatPushesTheArmyOnAtTheNextPass) {
    // A lies 1 hex from the objective, B 3: the army sits at A until another army's seat there
    // counts A 5 farther (6 x 6 against 3 x 3).
    for (bool raised : {false, true}) {
        SetUp();
        const int base = AddCity("Base", 70, 52, kUnion, 0);
        const int goal = AddCity("Goal", 20, 20, kUnion, 0);
        const int a = AddCity("A", 21, 20, kUnion, 2);
        const int b = AddCity("B", 17, 20, kUnion, 2);
        const int army = AddArmy(1, base, AddLeader(1, 40));
        GameRec->Armies[army].CorpsCount = 1;
        GameRec->Armies[army].Objective = static_cast<U8>(goal);
        MoveArmyHeadquarters();
        ASSERT_EQ(GameRec->Armies[army].BaseCity, a);
        if (raised) AddArmy(1, a, AddLeader(1, 40));  // no corps yet: it stays at A
        MoveArmyHeadquarters();
        EXPECT_EQ(GameRec->Armies[army].BaseCity, raised ? b : a) << (raised ? "raised" : "none raised");
    }
}

TEST_F(Headquarters, ScoresBeyondSixteenBitsNeverWrapIntoAWinner) {
    // Thirty corps of the army 47 hexes from the only refuge score 66,279 there: a 16-bit sum
    // would wrap to 743 and seat the army in a city far from all its troops.
    ScriptedFrontend frontend;
    const int base = AddCity("Base", 8, 5, kConfederacy, 2);
    AddCity("Faraway", 5, 5, kUnion, 2);
    const int a = AddArmy(1, base, AddLeader(1, 40));
    GameRec->Armies[a].CorpsCount = 30;
    for (int i = 0; i < 30; ++i) C(AddCorps(1, 52, 5)).Army = static_cast<U8>(a);
    AddCorps(2, 8, 5);
    frontend.ExpectNotice(0);
    MoveArmyHeadquarters();
    EXPECT_EQ(GameRec->Armies[a].Nation, 0) << "no city scores below the limit: the army is lost";
}

TEST_F(Headquarters, SupplyCityChoice) {
    GameRec->Nations[1].Side = kUnion;
    const int k = AddCorps(1, 10, 10);
    C(k).HomeState = 4;
    struct City { int x, y, owner, source, state; bool enemyOn; };
    struct Case { const char* what; std::vector<City> cities; int expected; };
    const Case cases[] = {
        {"nearest source", {{14, 10, 1, 2, 4, false}, {12, 10, 1, 2, 4, false}}, 2},
        {"ties keep the first", {{13, 10, 1, 2, 4, false}, {7, 10, 1, 2, 4, false}}, 1},
        {"enemy on a depot costs 15", {{12, 10, 1, 2, 4, true}, {20, 10, 1, 2, 4, false}}, 2},
        {"not on a port source", {{12, 10, 1, 1, 4, true}, {20, 10, 1, 2, 4, false}}, 1},
        {"another state costs 2", {{12, 10, 1, 2, 9, false}, {13, 10, 1, 2, 4, false}}, 2},
        {"enemy cities and non-sources never", {{11, 10, 2, 2, 4, false}, {11, 11, 1, 0, 4, false}}, 0},
        {"too far", {{60, 40, 1, 2, 4, false}}, 0},
    };
    for (const Case& c : cases) {
        for (TCityRec& city : GameRec->Cities) city = TCityRec{};
        for (int i = 1; i <= kCorpsCount; ++i)
            if (i != k) C(i).Unused = 1;
        corps_ = k;
        int index = 0;
        for (const City& city : c.cities) {
            TCityRec& r = GameRec->Cities[++index];
            r.HexX = static_cast<U8>(city.x);
            r.HexY = static_cast<U8>(city.y);
            r.Owner = static_cast<U8>(city.owner);
            r.SupplySource = static_cast<U8>(city.source);
            r.State = static_cast<U8>(city.state);
            if (city.enemyOn) AddCorps(2, city.x, city.y);
        }
        EXPECT_EQ(ChooseSupplyCity(k, 1), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace kvt
