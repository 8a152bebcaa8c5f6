// The naval rules around movement: the turn step that settles missions and plans routes, the
// computer sides' naval orders and the transport of corps, unloading and disbanding, and the
// merging of small computer fleets.
#include <gtest/gtest.h>

#include "engine/combat/naval_combat.h"
#include "engine/forces/fleet_lookup.h"
#include "engine/logistics/fleet_consolidation.h"
#include "engine/logistics/fleet_transport.h"
#include "engine/logistics/fleet_unloading.h"
#include "engine/logistics/naval_turn.h"
#include "engine/movement/corps_movement.h"
#include "tests/engine/naval_world.h"

namespace kvt {
namespace {

using testing::Ships;
class NavalTurn : public testing::NavalWorld {
protected:
    static U16& Pool(int nation, int theatre) { return GameRec->Nations[nation].TheatreSupplies[theatre]; }
    static std::vector<std::string> Lines(const testing::ScriptedFrontend::ShownNotice& n) { return {n.lines + 1, n.lines + 5}; }
};
using FleetTransport = NavalTurn;
using FleetDisband = NavalTurn;
using FleetConsolidation = NavalTurn;

TEST_F(NavalTurn, CargoAtRestIsUnloadedWithinItsLimitsAndLostBeyond) {
    struct Case { int supplies, cotton, pool, poolAfter, cottonAfter; };
    for (const Case& c : {Case{5000, 3000, 1000, 6000, 3000}, Case{12000, 0, 1000, 1000, 0}, Case{5000, 0, 50000, 50000, 0}}) {
        SetUp();
        SCOPED_TRACE(::testing::Message() << c.supplies << " aboard, " << c.pool << " in the pool");
        const int f = AddFleet(2, 10, 10, kMissionNothing, {0, 0, 2, 0, 0, 0});
        F(f).HomePort = static_cast<U8>(AddPort(2, 10, 10, 0, 0, 2));
        F(f).Supplies = static_cast<std::uint16_t>(c.supplies);
        F(f).Cotton = static_cast<std::uint16_t>(c.cotton);
        Pool(2, 2) = static_cast<std::uint16_t>(c.pool);
        NavalTurnStep();
        EXPECT_EQ(Pool(2, 2), c.poolAfter);
        EXPECT_EQ(GameRec->Nations[2].TheatreCotton[2], c.cottonAfter);
        EXPECT_EQ(F(f).Supplies + F(f).Cotton, 0);
    }
}

TEST_F(NavalTurn, RoutesArePlannedAtTheFleetsSpeedForTheirFirstTwentySteps) {
    struct Case { Ships ships; bool reachable; int speed; };
    const Case cases[] = {{{0, 0, 3, 0, 0, 0}, true, 20}, {{2, 0, 0, 0, 0, 0}, true, 12}, {{1, 1, 0, 0, 0, 0}, true, 18},
                          {{1, 1, 0, 0, 1, 0}, true, 13}, {{1, 1, 0, 0, 0, 0}, false, 0}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(::testing::Message() << "speed " << c.speed);
        const int target = AddPort(1, 45, 27);
        for (int d = 1; d <= 6 && !c.reachable; ++d) {
            int x = 45, y = 27;
            StepHexAt(x, y, d);
            Hex(x, y).SetTerrain(1);
        }
        const int f = AddFleet(1, 5, 27, kMissionMove, c.ships);  // a voyage of 40 hexes
        F(f).HomePort = F(f).TargetCity = static_cast<U8>(target);
        F(f).Supplies = 100;
        F(f).PathIndex = 9;  // left from an earlier turn
        F(f).StepsAllowed = 15;
        AllowDrawsPastScript();
        NavalTurnStep();
        EXPECT_EQ(F(f).StepsAllowed, c.speed);
        EXPECT_EQ(F(f).PathIndex, 1);
        for (int k = 1; k <= 20; ++k) { EXPECT_EQ(F(f).PlannedStep[k] != 0, c.reachable) << "step " << k; }
    }
}

TEST_F(NavalTurn, GunboatsAfterACorpsPatrolWhileARouteLeadsThereAndAreFreeForHomeOnArrivalOrWithoutOne) {
    struct Case { const char* name; int destX; bool navigable; int mission, steps; };
    const Case cases[] = {{"under way on a river they can sail", 16, true, kMissionPatrol, 18},
                          {"arrived", 10, true, kMissionNothing, 0},
                          {"a river hex they cannot sail", 16, false, kMissionNothing, 0}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        for (int x = 5; x <= 16; ++x)
            for (int y = 8; y <= 12; ++y) Hex(x, y).SetRiverNavigable(true);
        Hex(16, 10).SetRiver(true);
        Hex(16, 10).SetRiverNavigable(c.navigable);
        const int f = AddFleet(2, 10, 10, kMissionPatrol, {0, 2, 0, 0, 0, 0}, kWaterRiver);
        F(f).HomePort = static_cast<U8>(AddPort(2, 5, 10));
        F(f).DestX = static_cast<U8>(c.destX);  // the corps' hex; no city to aim at
        AllowDrawsPastScript();
        NavalTurnStep();
        EXPECT_EQ(F(f).Mission, c.mission);
        EXPECT_EQ(F(f).StepsAllowed, c.steps);
        ReturnFleetsHome(2);
        EXPECT_EQ(F(f).Mission, c.mission == kMissionNothing ? kMissionMove : kMissionPatrol) << "idle away from home";
    }
}

TEST_F(NavalTurn, APatrolOnStationTurnsBackToItsCityAndAGunboatKeepsItsCorpsHex) {
    for (const bool namesCity : {true, false}) {
        SetUp();
        SCOPED_TRACE(namesCity ? "a patrol drawn off by an enemy it met" : "a gunboat naming no city");
        const int city = AddPort(2, 22, 20);
        const int f = AddFleet(1, 20, 20, kMissionPatrol, {0, 2, 0, 0, 0, 0});
        F(f).TargetCity = static_cast<U8>(namesCity ? city : 0);
        AllowDrawsPastScript();
        FleetArrives(f, true);
        EXPECT_TRUE(F(f).DestX == (namesCity ? 22 : 20) && F(f).DestY == 20);
    }
}

TEST_F(NavalTurn, AComputerFleetWhoseBaseFellSeeksAnotherPortOrIsScuttledThereWithItsCorpsPutAshore) {
    struct Case { bool human, otherPort; };
    for (const Case& c : {Case{true, true}, Case{false, true}, Case{false, false}}) {
        SetUp();
        SCOPED_TRACE(c.human ? "a person's fleet stays as ordered" : c.otherPort ? "rebased" : "scuttled");
        GameRec->Nations[2].Human = c.human;
        const int base = AddPort(1, 20, 20);  // taken by the Union
        const int other = c.otherPort ? AddPort(2, 24, 20) : 0;
        const int f = AddFleet(2, 20, 20, kMissionNothing, {0, 2, 1, 0, 0, 0});
        F(f).HomePort = static_cast<U8>(base);
        const int k = Embark(f, 2);
        NavalTurnStep();
        EXPECT_EQ(F(f).HomePort, c.otherPort && !c.human ? other : c.otherPort ? base : 0);
        EXPECT_EQ(F(f).BuildCounter, c.otherPort ? 0 : kFleetGone);
        EXPECT_EQ(C(k).OrderMode, c.otherPort ? 4 : kOrderDefend);
        EXPECT_EQ(C(k).Unused, 0);
        if (!c.otherPort) { EXPECT_EQ(Lines(fe->notices.at(0)), (std::vector<std::string>{"T152", "Port1", "T155", "1"})); }
    }
}

TEST_F(NavalTurn, ShutInCottonRunnersSeekThePortLeastWatchedByWarshipsHostileToTheirBasesNation) {
    // The nearer port lies 4 hexes off, the farther 8; an ironclad lying there adds 10. Two ironclads
    // shut the base in, which scores 20 when it is still the runners' own.
    struct Case { const char* what; int baseNation, watcher; bool nearer; };
    const Case cases[] = {
        {"its own base: Union warships at the nearer port", 2, 1, false},
        {"a fallen base: Union warships are no enemies of the Union's port", 1, 1, true},
        {"a fallen base: Confederate warships are", 1, 2, false},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.what);
        const int base = AddPort(c.baseNation, 20, 20);
        const int runner = AddFleet(2, 20, 20, kMissionCottonRun, {0, 0, 2, 0, 0, 0}, kWaterCottonTransports);
        F(runner).HomePort = F(runner).TargetCity = static_cast<U8>(base);
        const int nearer = AddPort(2, 24, 20), farther = AddPort(2, 28, 20);
        F(AddFleet(c.baseNation == 1 ? 2 : 1, 20, 20, kMissionPatrol, {2, 0, 0, 0, 0, 0})).TargetCity = static_cast<U8>(base);
        F(AddFleet(c.watcher, 24, 20, kMissionPatrol, {1, 0, 0, 0, 0, 0})).TargetCity = static_cast<U8>(nearer);
        AllowDrawsPastScript();
        NavalTurnStep();
        EXPECT_EQ(F(runner).HomePort, c.nearer ? nearer : farther);
        EXPECT_EQ(F(runner).TargetCity, F(runner).HomePort);
        EXPECT_EQ(F(runner).Mission, kMissionCottonRun) << "a blockaded runner stays a runner";
    }
}

TEST_F(NavalTurn, AMoveHomeUnloadsOnceAndOnlyARefitRepairs) {
    const int home = AddPort(1, 10, 10);
    GameRec->Cities[home].WoodenYards = 2;
    const int f = AddFleet(1, 10, 10, kMissionMove, {0, 2, 0, 0, 1, 0});
    F(f).HomePort = F(f).TargetCity = static_cast<U8>(home);
    F(f).Supplies = 300;
    const int idle = AddFleet(1, 30, 30, kMissionMove, {0, 0, 1, 0, 0, 1});  // a move without a target
    for (int turn = 1; turn <= 2; ++turn) {
        NavalTurnStep();
        EXPECT_EQ(Pool(1, 1), 300) << "booked once, the fleet's supplies cleared";
        EXPECT_EQ(CountsOf(F(f)), (turn == 1 ? Ships{0, 2, 0, 0, 1, 0} : Ships{0, 3, 0, 0, 0, 0}));
        EXPECT_EQ(F(f).Mission, turn == 1 ? kMissionRefit : kMissionNothing);
    }
    EXPECT_EQ(F(idle).Mission, kMissionNothing);
    EXPECT_EQ(F(idle).DamagedTransports, 1);
}

TEST_F(NavalTurn, ACottonRunnerTradesItsCottonForSuppliesAndSailsHome) {
    const int buyer = AddPort(4, 40, 10), home = AddPort(2, 10, 10, 0, 0, 2);
    Pool(4, 1) = 2500;
    const int runner = AddFleet(2, 40, 10, kMissionCottonRun, {0, 0, 4, 0, 0, 0}, 0);
    F(runner).HomePort = static_cast<U8>(home);
    F(runner).TargetCity = static_cast<U8>(buyer);
    F(runner).Cotton = 3000;
    AllowDrawsPastScript();
    NavalTurnStep();
    EXPECT_EQ(Pool(4, 1), 1000) << "2500 less 3000, raised to 1000";
    EXPECT_TRUE(F(runner).Supplies == 3000 && F(runner).Cotton == 0 && F(runner).TargetCity == home);
    EXPECT_EQ(F(runner).StepsAllowed, 20) << "planned home at once";
}

TEST_F(FleetTransport, CottonRunsSailToABuyerAtPeaceWithTheConfederacy) {
    struct Case { int britain, france, theatre, target; };
    for (const Case& c : {Case{0, 0, 1, 86}, Case{0, 0, 3, 85}, Case{2, 0, 1, 0}, Case{2, 0, 3, 85}, Case{2, 2, 3, 0}}) {
        SetUp();
        SCOPED_TRACE(::testing::Message() << "Britain " << c.britain << ", France " << c.france << ", theatre " << c.theatre);
        GameRec->Nations[4].Side = static_cast<U8>(c.britain);
        GameRec->Nations[3].Side = static_cast<U8>(c.france);
        GameRec->Cities[85].HexX = 5;
        GameRec->Cities[86].HexX = 6;
        GameRec->Cities[85].HexY = GameRec->Cities[86].HexY = 54;
        const int f = AddFleet(2, 5, 2, kMissionNothing, {0, 0, 4, 0, 0, 0}, 0);
        F(f).HomePort = static_cast<U8>(AddPort(2, 5, 2, 0, 0, c.theatre));
        GameRec->Nations[2].TheatreCotton[c.theatre] = 3000;
        Pool(2, c.theatre) = 100;
        SendCottonRuns(2, c.theatre);
        EXPECT_EQ(F(f).TargetCity, c.target);
        EXPECT_EQ(F(f).Mission, c.target ? kMissionCottonRun : kMissionNothing);
        EXPECT_EQ(F(f).Cotton, c.target ? 1000 : 0) << "4 transports carry 250 each";
        EXPECT_EQ(GameRec->Nations[2].TheatreCotton[c.theatre], c.target ? 2000 : 3000);
        // 4 transports sailing 52 hexes from the port at speed 20 need 10; the lookup gave them 8.
        EXPECT_EQ(Pool(2, c.theatre), c.target ? 98 : 100);
        EXPECT_EQ(F(f).Supplies, c.target ? 2 : 0);
    }
}

TEST_F(FleetTransport, APatrolTargetWeakerThanTheFleetIsAttacked) {
    struct Case { int fortifications, ironclads, mission; };
    for (const Case& c : {Case{3, 3, kMissionAttackPort}, Case{10, 3, kMissionPatrol}, Case{3, 0, kMissionPatrol}}) {
        SetUp();
        SCOPED_TRACE(::testing::Message() << c.fortifications << " fortifications, " << c.ironclads << " ironclads");
        const int target = AddPort(2, 30, 10, c.fortifications);
        GameRec->Cities[target].ScoreValue = 5;
        const int f = AddFleet(1, 10, 10, kMissionNothing, {c.ironclads, 10 - 2 * c.ironclads, 0, 0, 0, 0});  // weight 10
        F(f).HomePort = static_cast<U8>(AddPort(1, 10, 10));
        Pool(1, 1) = 1000;
        AssignNavalPatrols(1, 1);
        EXPECT_TRUE(F(f).Mission == c.mission && F(f).TargetCity == target && GameRec->Cities[target].ScoreValue == 0);
        // The lookup gave the fleet 2 a ship; the pool paid the rest of the 20 the trip needs.
        EXPECT_EQ(F(f).Supplies, 20);
        EXPECT_EQ(Pool(1, 1), 1000 - (20 - 2 * (10 - c.ironclads)));
    }
}

TEST_F(FleetTransport, IroncladsAnswerASpottedPatrolOfACityButNotAGunboatAfterACorps) {
    for (const bool namesCity : {true, false}) {
        SetUp();
        SCOPED_TRACE(namesCity ? "a patrol of a city" : "a gunboat naming no city");
        const int home = AddPort(1, 10, 10), watched = AddPort(1, 30, 10);
        const int raider = AddFleet(2, 25, 10, kMissionPatrol, {0, 2, 0, 0, 0, 0});
        F(raider).HomePort = static_cast<U8>(AddPort(2, 40, 10));
        F(raider).TargetCity = static_cast<U8>(namesCity ? watched : 0);
        F(raider).Spotted = 1;
        const int h = AddFleet(1, 10, 10, kMissionNothing, {2, 0, 0, 0, 0, 0});  // in port: its trip costs nothing
        F(h).HomePort = static_cast<U8>(home);
        AssignNavalPatrols(1, 2);  // no warships based in theatre 2 to send on patrol of their own
        EXPECT_EQ(F(h).Mission, namesCity ? kMissionPatrol : kMissionNothing);
        EXPECT_EQ(F(h).TargetCity, namesCity ? watched : 0);
    }
}

TEST_F(FleetTransport, RiverFleetsAreSentOnlyWhereTheirRiverLeads) {
    struct Case { const char* name; bool answer, sameRiver; };
    const Case cases[] = {{"a fortified port up its river is attacked", false, true},
                          {"one up another river is left alone", false, false},
                          {"an enemy patrol of a city on its river is answered", true, true},
                          {"one on another river is not", true, false}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        for (int x = 5; x <= 40; ++x) {  // two rivers that never meet
            Hex(x, 10).SetRiverNavigable(true);
            Hex(x, 30).SetRiverNavigable(true);
        }
        const int y = c.sameRiver ? 10 : 30;
        const int f = AddFleet(1, 10, 10, kMissionNothing, {2, 0, 0, 0, 0, 0}, kWaterRiver);
        F(f).HomePort = static_cast<U8>(AddPort(1, 10, 10));
        int target = 0;
        if (c.answer) {
            target = AddPort(1, 30, y);
            const int raider = AddFleet(2, 35, y, kMissionPatrol, {0, 2, 0, 0, 0, 0}, kWaterRiver);
            F(raider).TargetCity = static_cast<U8>(target);
            F(raider).HomePort = static_cast<U8>(AddPort(2, 40, y));
            F(raider).Spotted = 1;
            AssignNavalPatrols(1, 2);
        } else {
            target = AddPort(2, 30, y, 2);
            GameRec->Cities[target].RiverLink = 1;
            FleetTransportStep();
        }
        EXPECT_EQ(F(f).Mission, !c.sameRiver ? kMissionNothing : c.answer ? kMissionPatrol : kMissionAttackPort);
        EXPECT_EQ(F(f).TargetCity, c.sameRiver ? target : 0);
    }
}

TEST_F(FleetTransport, ARiverAttackGoesForThePortWhoseFortsAndBasedEnemyShipsWeighMost) {
    // The near port has 1 fort (worth 2), the far one 3 (worth 4); ships based on the near port
    // add 10 an ironclad, 5 a wooden ship and 20 a transport, damaged or not, when not the attacker's.
    struct Case { const char* name; int owner; Ships ships; bool nearChosen; };
    const Case cases[] = {{"no ships based there", 0, {0, 0, 0, 0, 0, 0}, false},
                          {"a damaged wooden ship of the enemy", 2, {0, 0, 0, 0, 1, 0}, true},
                          {"a transport of the enemy", 2, {0, 0, 1, 0, 0, 0}, true},
                          {"ships of the attacker's own side", 1, {4, 4, 4, 4, 4, 4}, false}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        for (int x = 5; x <= 40; ++x) Hex(x, 10).SetRiverNavigable(true);
        const int f = AddFleet(1, 10, 10, kMissionNothing, {2, 0, 0, 0, 0, 0}, kWaterRiver);
        F(f).HomePort = static_cast<U8>(AddPort(1, 10, 10));
        const int nearPort = AddPort(2, 20, 10, 1);
        const int farPort = AddPort(2, 30, 10, 3);
        GameRec->Cities[nearPort].RiverLink = GameRec->Cities[farPort].RiverLink = 1;
        if (c.owner != 0) {
            const int based = AddFleet(c.owner, 50, 40, kMissionNothing, c.ships);
            F(based).HomePort = static_cast<U8>(nearPort);
        }
        FleetTransportStep();
        EXPECT_EQ(F(f).Mission, kMissionAttackPort);
        EXPECT_EQ(F(f).TargetCity, c.nearChosen ? nearPort : farPort);
    }
}

TEST_F(FleetTransport, EachGunboatGoesAfterOneEnemyCorpsOnARiverWithinTenHexes) {
    // Two idle gunboats, each in its own port; the last one found is sent first.
    struct Case { const char* name; int firstX, secondX; int nearGunboatAfter, farGunboatAfter; };
    const Case cases[] = {{"two corps near: one gunboat each", 15, 18, 1, 2},
                          {"the first out of reach leaves the gunboat for the second", 35, 15, 2, 0}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        const int farBoat = AddFleet(1, 10, 10, kMissionNothing, {0, 1, 0, 0, 0, 0}, kWaterRiver);
        F(farBoat).HomePort = static_cast<U8>(AddPort(1, 10, 10));
        const int nearBoat = AddFleet(1, 12, 10, kMissionNothing, {0, 1, 0, 0, 0, 0}, kWaterRiver);
        F(nearBoat).HomePort = static_cast<U8>(AddPort(1, 12, 10));
        const int corps[] = {AddCorps(2, c.firstX, 10), AddCorps(2, c.secondX, 10)};
        for (const int k : corps) {
            C(k).Region = 1;
            Hex(C(k).HexX, C(k).HexY).SetRiver(true);
        }
        FleetTransportStep();
        // Which corps (1 the first, 2 the second, 0 none) each gunboat now patrols after.
        const auto chased = [&](int f) {
            if (F(f).Mission != kMissionPatrol) return 0;
            for (int i = 0; i < 2; ++i)
                if (F(f).DestX == C(corps[i]).HexX && F(f).DestY == C(corps[i]).HexY) return i + 1;
            return -1;
        };
        EXPECT_EQ(chased(nearBoat), c.nearGunboatAfter);
        EXPECT_EQ(chased(farBoat), c.farGunboatAfter);
    }
}

TEST_F(FleetTransport, ALandingEmbarksItsCorpsOrIsCalledOffWhenTheCorpsMarchedAway) {
    struct Case { const char* name; bool onHex; int orderMode, transports; bool onTarget; };
    const Case cases[] = {{"boards", true, kOrderDefend, 2, false}, {"already aboard", true, 4, 2, false},
                          {"landed on the target, stays ashore", true, kOrderAdvance, 2, true},
                          {"marched away: home", false, kOrderDefend, 2, false},
                          {"marched away, no transports: target kept", false, kOrderDefend, 0, false}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        GameRec->Nations[1].Human = 1;
        const int home = AddPort(1, 10, 10), target = AddPort(2, 40, 10), x = c.onTarget ? 40 : 20;
        const int f = AddFleet(1, x, 10, kMissionAmphibious, {0, 1, c.transports, 0, 0, 0});
        F(f).HomePort = static_cast<U8>(home);
        F(f).TargetCity = static_cast<U8>(target);
        F(f).Supplies = 100;
        const int k = Embark(f, 1);
        C(k).OrderMode = static_cast<U8>(c.orderMode);
        if (!c.onHex) C(k).HexY = 5;
        FleetTransportStep();
        const bool boards = c.onHex && !c.onTarget, homeward = !c.onHex && c.transports != 0;
        EXPECT_EQ(F(f).Mission, c.onHex ? kMissionAmphibious : kMissionNothing);
        EXPECT_EQ(F(f).Cargo, k) << "the corps stays assigned to the fleet";
        EXPECT_EQ(fe->notices.size(), boards && c.orderMode != 4 ? 1u : 0u);
        EXPECT_EQ(C(k).OrderMode, boards ? 4 : c.orderMode);
        EXPECT_EQ(F(f).TargetCity, homeward ? 0 : target);
        EXPECT_EQ(F(f).DestX, homeward ? 10 : boards ? 40 : x);
    }
}

TEST_F(FleetTransport, ACorpsAboardAnIdleFleetLandsAtHomeAndIsLostOnlyAtSeaWithNoHullLeft) {
    struct Case { bool inPort; int transports, damaged; bool lost; };
    for (const Case& c : {Case{true, 0, 0, false}, Case{false, 1, 0, false}, Case{false, 0, 1, false}, Case{false, 0, 0, true}}) {
        SetUp();
        SCOPED_TRACE(::testing::Message() << (c.inPort ? "in port" : "at sea") << ", transports " << c.transports << "/" << c.damaged);
        GameRec->Nations[1].Human = 1;
        const int f = AddFleet(1, 20, 20, kMissionNothing, {0, 1, c.transports, 0, 0, c.damaged});
        // In its home port; at sea only a fleet without a home is not called home first.
        F(f).HomePort = static_cast<U8>(c.inPort ? AddPort(1, 20, 20) : 0);
        const int k = Embark(f, 1), leader = C(k).Leader;
        FleetTransportStep();
        EXPECT_EQ(F(f).Cargo, 0);
        EXPECT_EQ(C(k).Unused, c.lost ? kCorpsFreed : 0) << "the saved free flag of a corps lost with the hold";
        EXPECT_EQ(C(k).OrderMode, c.lost ? 0 : kOrderDefend) << "a lost corps leaves a cleared slot";
        EXPECT_EQ(GameRec->Leaders[leader].Status == kLeaderKilled, c.lost) << "the commander is read before the corps is cleared";
        EXPECT_EQ(GameRec->Casualties[1], c.lost ? 80u : 0u);
    }
}

TEST_F(FleetTransport, ACargoNamingAFreedCorpsIsClearedAndTheOldRecordIsNeitherLandedNorDrowned) {
    // The slot of a corps that surrendered aboard is marked free but not cleared: it still reads
    // embarked, with its commander and its brigade.
    struct Case { const char* name; int mission; Ships ships; void (*settle)(int fleet); };
    const Case cases[] = {
        {"put ashore from an idle fleet", kMissionNothing, {0, 1, 0, 0, 0, 0}, [](int) { FleetTransportStep(); }},
        {"landed on arrival", kMissionAmphibious, {0, 0, 2, 0, 0, 0}, [](int) { NavalTurnStep(); }},
        {"the fleet disbanded", kMissionNothing, {}, [](int) { DisbandEmptyFleets(); }},
        {"the fleet sunk in battle", kMissionAmphibious, {}, [](int f) { ResolveFleetCombat(f); }},
    };
    AllowDrawsPastScript();
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        GameRec->Nations[1].Human = 1;
        const int f = AddFleet(1, 20, 20, c.mission, c.ships);
        F(f).TargetCity = static_cast<U8>(AddPort(1, 20, 20));
        const int k = Embark(f, 1), leader = C(k).Leader;
        C(k).Unused = kCorpsDestroyed;
        const int enemy = AddFleet(2, 20, 20, kMissionPatrol, {1, 0, 0, 0, 0, 0});
        c.settle(enemy);
        EXPECT_EQ(F(f).Cargo, 0);
        EXPECT_TRUE(C(k).OrderMode == 4 && C(k).Unused == kCorpsDestroyed);
        EXPECT_TRUE(GameRec->Casualties[1] == 0 && GameRec->Leaders[leader].Status == kLeaderActive);
    }
}

TEST_F(FleetDisband, FleetsSettleAfterMovementWithTheSuppliesNoticeAndWithoutThePatrolRule) {
    const int home = AddPort(2, 10, 10, 0, 0, 2);
    const int runner = AddFleet(2, 10, 10, kMissionCottonRun, {0, 0, 4, 0, 0, 0}, 0);
    F(runner).HomePort = F(runner).TargetCity = static_cast<U8>(home);
    F(runner).Supplies = 3000;
    const int patrol = AddFleet(1, 40, 10, kMissionPatrol, {0, 2, 0, 0, 0, 0});
    F(patrol).TargetCity = static_cast<U8>(AddPort(4, 40, 10));
    GameRec->Cities[86] = GameRec->Cities[F(patrol).TargetCity];  // the patrol lies off the British port
    UnloadFleetsAfterMovement();  // draws nothing for Britain's temper
    EXPECT_EQ(Pool(2, 2), 3000);
    EXPECT_TRUE(F(runner).Supplies == 0 && F(runner).Mission == kMissionRefit);
    EXPECT_EQ(fe->notices.at(0).kind, 17);
    EXPECT_EQ(Lines(fe->notices.at(0)), (std::vector<std::string>{"T152", "Port1", "T156", ""}));
}

TEST_F(FleetDisband, EmptyFleetsAreFreedUnlessLongInTheBuildingAndACorpsAboardGoesAshoreInPortAndDownAtSea) {
    const int building24 = AddFleet(1, 10, 10, kMissionNothing, {}), building25 = AddFleet(1, 10, 10, kMissionNothing, {});
    F(building24).BuildCounter = 24;
    F(building25).BuildCounter = 25;
    AddPort(1, 10, 10);
    const int emptied = AddFleet(1, 10, 10, kMissionNothing, {}), emptiedAtSea = AddFleet(1, 30, 30, kMissionNothing, {});
    const int k = Embark(emptied, 1), lost = Embark(emptiedAtSea, 1), leader = C(lost).Leader;
    DisbandEmptyFleets();
    EXPECT_EQ(F(building24).BuildCounter, kFleetGone);
    EXPECT_EQ(F(building25).BuildCounter, 25);
    EXPECT_TRUE(F(emptied).BuildCounter == kFleetGone && F(emptiedAtSea).BuildCounter == kFleetGone);
    EXPECT_TRUE(C(k).OrderMode == kOrderDefend && C(k).Unused == 0) << "in port the corps walks ashore";
    EXPECT_EQ(C(lost).Unused, kCorpsFreed) << "at sea it drowns";
    EXPECT_TRUE(GameRec->Casualties[1] == 80 && GameRec->Leaders[leader].Status == kLeaderKilled);
}

TEST_F(FleetDisband, SeaControlWeighsTheWarringSidesWarshipsAndLookupsTopUpSupplies) {
    struct Case { const char* name; bool unionPort; int enemy, ironclads, seaControl; };
    const Case cases[] = {{"command of the sea", true, 2, 0, 4}, {"a neutral's ironclads change nothing", true, 3, 5, 4},
                          {"the Confederacy's ironclads outweigh", true, 2, 5, 1}, {"no sea port", false, 2, 0, 0}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        if (c.unionPort) AddPort(1, 10, 10);
        AddFleet(1, 10, 10, kMissionNothing, {3, 3, 0, 0, 0, 0});
        AddFleet(1, 10, 10, kMissionNothing, {0, 0, 4, 0, 0, 0});
        AddFleet(c.enemy, 30, 30, kMissionNothing, {c.ironclads, 0, 0, 0, 0, 0});
        DisbandEmptyFleets();
        EXPECT_EQ(GameRec->Nations[1].SeaControl, c.seaControl);
        EXPECT_EQ(GameRec->Nations[1].ShipTotals[kShipsOceanIronclads] + GameRec->Nations[1].ShipTotals[kShipsOceanTransports], 7);
        EXPECT_EQ(GameRec->Nations[2].SeaControl, 0) << "the Confederacy holds no sea port";
    }
    // Every warship fleet the lookup examines is topped up to two supplies a ship, fit or not.
    EXPECT_EQ(FindNationFleetAt(1, 2, kWaterOcean, kFleetLookupWarships), 0);
    EXPECT_TRUE(F(1).Supplies == 12 && F(2).Supplies == 8);
}

TEST_F(FleetConsolidation, SmallIdleFleetsOfAComputerSideAbsorbTheirNeighbours) {
    struct Case { const char* name; Ships small, other; int water, mission; bool human, merged; int otherSupplies = 40, otherCotton = 0; };
    const Case cases[] = {
        {"a lone ironclad takes in ironclads", {1, 0, 0, 0, 0, 0}, {0, 0, 0, 5, 0, 0}, 1, 0, false, true},
        {"three wooden warships take in more", {0, 3, 0, 0, 0, 0}, {0, 9, 0, 0, 0, 0}, 1, 1, false, true},
        {"four wooden warships stand alone", {0, 4, 0, 0, 0, 0}, {0, 9, 0, 0, 0, 0}, 1, 0, false, false},
        {"ocean and river fleets never merge", {0, 0, 2, 0, 0, 0}, {0, 0, 2, 0, 0, 0}, 2, 0, false, false},
        {"a fleet under way is left alone", {0, 0, 2, 0, 0, 0}, {0, 0, 2, 0, 0, 0}, 1, 2, false, false},
        {"a person's fleets are left alone", {0, 0, 2, 0, 0, 0}, {0, 0, 2, 0, 0, 0}, 1, 0, true, false},
        {"no count passes 255", {0, 0, 2, 0, 0, 0}, {0, 0, 254, 0, 0, 0}, 1, 0, false, false},
        {"supplies up to 65,535 merge", {0, 0, 2, 0, 0, 0}, {0, 0, 2, 0, 0, 0}, 1, 0, false, true, 65505},
        {"supplies past 65,535 stay apart", {0, 0, 2, 0, 0, 0}, {0, 0, 2, 0, 0, 0}, 1, 0, false, false, 65506},
        {"cotton past 65,535 stays apart", {0, 0, 2, 0, 0, 0}, {0, 0, 2, 0, 0, 0}, 1, 0, false, false, 40, 65526},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        GameRec->Nations[2].Human = c.human;
        const int f = AddFleet(2, 10, 10, kMissionNothing, c.small), g = AddFleet(2, 10, 10, c.mission, c.other, c.water);
        F(f).Supplies = 30;
        F(f).Cotton = 10;
        F(g).Supplies = static_cast<std::uint16_t>(c.otherSupplies);
        F(g).Cotton = static_cast<std::uint16_t>(c.otherCotton);
        ConsolidateComputerFleets();
        EXPECT_EQ(F(g).BuildCounter == kFleetGone, c.merged);
        Ships sum;
        for (int i = 0; i < 6; ++i) sum[i] = c.small[i] + (c.merged ? c.other[i] : 0);
        EXPECT_EQ(CountsOf(F(f)), sum);
        EXPECT_EQ(F(f).Supplies, c.merged ? 30 + c.otherSupplies : 30);
        EXPECT_EQ(F(f).Cotton, c.merged ? 10 + c.otherCotton : 10);
    }
}

TEST_F(FleetConsolidation, TheAbsorberCarriesTheCorpsOnUnlessItCarriesOneItself) {
    for (const bool bothCarry : {false, true}) {
        SetUp();
        SCOPED_TRACE(bothCarry ? "both carry a corps" : "the absorbed fleet carries a corps");
        const int f = AddFleet(2, 10, 10, kMissionNothing, {0, 0, 2, 0, 0, 0}), g = AddFleet(2, 10, 10, kMissionNothing, {0, 0, 3, 0, 0, 0});
        const int carried = Embark(g, 2);
        if (bothCarry) Embark(f, 2);
        ConsolidateComputerFleets();
        EXPECT_EQ(F(g).BuildCounter == kFleetGone, !bothCarry);
        EXPECT_EQ(bothCarry ? F(g).Cargo : F(f).Cargo, carried);
        EXPECT_EQ(C(carried).OrderMode, 4);
    }
}

}  // namespace
}  // namespace kvt
