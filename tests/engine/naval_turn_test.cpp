// The naval rules around movement: the turn step that settles missions and plans routes, the
// computer sides' naval orders and the transport of corps, unloading and disbanding after and
// before movement, and the merging of small computer fleets.
#include <gtest/gtest.h>

#include "engine/core/corps_movement.h"
#include "engine/logistics/fleet_consolidation.h"
#include "engine/logistics/fleet_lookup.h"
#include "engine/logistics/fleet_transport.h"
#include "engine/logistics/fleet_unloading.h"
#include "engine/logistics/naval_turn.h"
#include "tests/engine/naval_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;
using testing::Ships;

class NavalTurn : public testing::NavalWorld {
protected:
    static U16& Pool(int nation, int theatre) { return GameRec->Nations[nation].TheatreSupplies[theatre]; }
    // A corps of the nation aboard fleet f.
    int Embark(int f, int nation) {
        const int k = AddCorps(nation, F(f).HexX, F(f).HexY);
        AddBrigade(k, kBrigadeInfantry, 80);
        C(k).OrderMode = kOrderEmbarked;
        F(f).Cargo = static_cast<U8>(k);
        return k;
    }
};
using FleetTransport = NavalTurn;
using FleetDisband = NavalTurn;
using FleetConsolidation = NavalTurn;

TEST_F(NavalTurn, CargoAtRestIsUnloadedWithinItsLimitsAndLostBeyond) {
    struct Case { int supplies, cotton, pool, poolAfter, cottonAfter; };
    const Case cases[] = {{5000, 3000, 1000, 6000, 3000}, {12000, 0, 1000, 1000, 0}, {5000, 0, 50000, 50000, 0}, {9999, 0, 49999, 59998, 0}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.supplies);
        const int home = AddPort(2, 10, 10, 0, 0, 2);
        const int f = AddFleet(2, 10, 10, kMissionNothing, {0, 0, 2, 0, 0, 0});
        F(f).HomePort = static_cast<U8>(home);
        F(f).Supplies = static_cast<std::uint16_t>(c.supplies);
        F(f).Cotton = static_cast<std::uint16_t>(c.cotton);
        Pool(2, 2) = static_cast<std::uint16_t>(c.pool);
        NavalTurnStep();
        EXPECT_EQ(Pool(2, 2), c.poolAfter);
        EXPECT_EQ(GameRec->Nations[2].TheatreCotton[2], c.cottonAfter);
        EXPECT_EQ(F(f).Supplies, 0);
        EXPECT_EQ(F(f).Cotton, 0);
    }
}

TEST_F(NavalTurn, RoutesArePlannedAtTheFleetsSpeedForItsFirstTwentySteps) {
    struct Case { const char* name; Ships ships; bool reachable; int speed; };
    const Case cases[] = {
        {"transports, a voyage of 40 hexes", {0, 0, 3, 0, 0, 0}, true, 20},
        {"ironclads", {2, 0, 0, 0, 0, 0}, true, 12},
        {"ironclads and wooden warships", {1, 1, 0, 0, 0, 0}, true, 18},
        {"one ship damaged", {1, 1, 0, 0, 1, 0}, true, 13},
        {"no way by sea", {1, 1, 0, 0, 0, 0}, false, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        const int target = AddPort(1, 45, 27);
        if (!c.reachable)
            for (int d = 1; d <= 6; ++d) {
                int x = 45, y = 27;
                StepHexAt(x, y, d);
                Hex(x, y).SetTerrain(1);
            }
        const int f = AddFleet(1, 5, 27, kMissionMove, c.ships);
        F(f).HomePort = F(f).TargetCity = static_cast<U8>(target);
        F(f).Supplies = 100;
        F(f).PathIndex = 9;  // left from an earlier turn
        F(f).StepsAllowed = 15;
        AllowDrawsPastScript();
        NavalTurnStep();
        EXPECT_EQ(F(f).StepsAllowed, c.speed);
        EXPECT_EQ(F(f).PathIndex, 1);
        for (int k = 1; k <= 20; ++k) EXPECT_EQ(F(f).PlannedStep[k] != 0, c.reachable) << "step " << k;
    }
}

TEST_F(NavalTurn, AComputerFleetWhoseBaseFellSeeksAnotherPortOrIsScuttledThere) {
    struct Case { const char* name; bool human, otherPort; };
    const Case cases[] = {{"a person's fleet stays as ordered", true, true},
                          {"rebased to the nearest port of its own", false, true},
                          {"scuttled with no port left, its corps put ashore", false, false}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        GameRec->Nations[2].Human = c.human ? 1 : 0;
        const int base = AddPort(1, 20, 20);  // taken by the Union
        GameRec->Cities[base].Name = "Norfolk";
        const int other = c.otherPort ? AddPort(2, 24, 20) : 0;
        const int f = AddFleet(2, 20, 20, kMissionNothing, {0, 2, 1, 0, 0, 0});
        F(f).HomePort = static_cast<U8>(base);
        const int k = Embark(f, 2);
        ScriptedFrontend fe;
        if (!c.otherPort) fe.ExpectNotice(15);
        NavalTurnStep();
        if (c.otherPort) {
            EXPECT_EQ(F(f).HomePort, c.human ? base : other);
            EXPECT_EQ(F(f).Mission, c.human ? kMissionNothing : kMissionMove);
        } else {
            EXPECT_EQ(F(f).BuildCounter, kFleetGone);
            EXPECT_EQ(C(k).OrderMode, kOrderDefend);
            EXPECT_EQ(C(k).Unused, 0);
            ASSERT_EQ(fe.notices.size(), 1u);
            const auto& n = fe.notices[0];
            EXPECT_EQ(std::vector<std::string>(n.lines + 1, n.lines + 5),
                      (std::vector<std::string>{"T152", "Norfolk", "T155", std::to_string(f)}));
        }
    }
}

TEST_F(NavalTurn, AMoveHomeUnloadsOnceAndARefitRepairsOnlyARefit) {
    const int home = AddPort(1, 10, 10);
    GameRec->Cities[home].WoodenYards = 2;
    const int f = AddFleet(1, 10, 10, kMissionMove, {0, 2, 0, 0, 1, 0});
    F(f).HomePort = F(f).TargetCity = static_cast<U8>(home);
    F(f).Supplies = 300;
    const int idle = AddFleet(1, 30, 30, kMissionMove, {0, 0, 1, 0, 0, 1});  // a move without a target
    NavalTurnStep();
    EXPECT_EQ(Pool(1, 1), 300);
    EXPECT_EQ(F(f).Supplies, 0) << "unloaded and cleared";
    EXPECT_EQ(F(f).Mission, kMissionRefit);
    EXPECT_EQ(F(idle).Mission, kMissionNothing);
    EXPECT_EQ(F(idle).DamagedTransports, 1) << "only a refit repairs";
    NavalTurnStep();
    EXPECT_EQ(Pool(1, 1), 300) << "booked once";
    EXPECT_EQ(testing::NavalWorld::CountsOf(F(f)), (Ships{0, 3, 0, 0, 0, 0}));
    EXPECT_EQ(F(f).Mission, kMissionNothing);
}

TEST_F(FleetTransport, CottonRunsSailToABuyerAtPeaceWithTheConfederacy) {
    struct Case { int britain, france, theatre, target; };
    const Case cases[] = {{0, 0, 1, 86}, {0, 0, 3, 85}, {2, 0, 1, 0}, {2, 0, 3, 85}, {2, 2, 3, 0}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(::testing::Message() << "Britain " << c.britain << ", France " << c.france << ", theatre " << c.theatre);
        GameRec->Nations[4].Side = static_cast<U8>(c.britain);
        GameRec->Nations[3].Side = static_cast<U8>(c.france);
        for (int buyer : {85, 86}) {
            GameRec->Cities[buyer].HexX = static_cast<U8>(buyer - 80);
            GameRec->Cities[buyer].HexY = 50;
        }
        const int port = AddPort(2, 5, 10, 0, 0, c.theatre);
        const int f = AddFleet(2, 5, 10, kMissionNothing, {0, 0, 4, 0, 0, 0}, 0);
        F(f).HomePort = static_cast<U8>(port);
        GameRec->Nations[2].TheatreCotton[c.theatre] = 3000;
        Pool(2, c.theatre) = 100;
        SendCottonRuns(2, c.theatre);
        EXPECT_EQ(F(f).TargetCity, c.target);
        EXPECT_EQ(F(f).Cotton, c.target ? 1000 : 0);
        EXPECT_EQ(GameRec->Nations[2].TheatreCotton[c.theatre], c.target ? 2000 : 3000);
        if (c.target) {
            // 4 transports on a voyage of 40 hexes at speed 20 need 8, and the lookup gave them 8.
            EXPECT_EQ(F(f).Supplies, 0);
            EXPECT_EQ(F(f).Mission, kMissionCottonRun);
        }
    }
}

TEST_F(FleetTransport, APatrolTargetWeakerThanTheFleetIsAttacked) {
    struct Case { int fortifications, ironclads, mission; };
    const Case cases[] = {{3, 3, kMissionAttackPort}, {10, 3, kMissionPatrol}, {3, 0, kMissionPatrol}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(::testing::Message() << c.fortifications << " fortifications, " << c.ironclads << " ironclads");
        const int home = AddPort(1, 10, 10);
        const int target = AddPort(2, 30, 10, c.fortifications);
        GameRec->Cities[target].ScoreValue = 5;
        const int f = AddFleet(1, 10, 10, kMissionNothing, {c.ironclads, 10 - 2 * c.ironclads, 0, 0, 0, 0});
        F(f).HomePort = static_cast<U8>(home);
        Pool(1, 1) = 1000;
        AssignNavalPatrols(1, 1);
        EXPECT_EQ(F(f).Mission, c.mission);
        EXPECT_EQ(F(f).TargetCity, target);
        EXPECT_EQ(GameRec->Cities[target].ScoreValue, 0);
        // A trip of 20 hexes at weight 10 takes 20 supplies; the lookup already gave the fleet 2 a ship.
        EXPECT_EQ(F(f).Supplies + Pool(1, 1), 1000 + 2 * (10 - c.ironclads));
    }
}

TEST_F(FleetTransport, ALandingEmbarksItsCorpsOrIsCalledOffWhenTheCorpsMarchedAway) {
    struct Case { const char* name; bool onHex; int orderMode; int transports; bool onTarget; bool notice; int mission; };
    const Case cases[] = {
        {"the corps boards", true, kOrderDefend, 2, false, true, kMissionAmphibious},
        {"already aboard", true, kOrderEmbarked, 2, false, false, kMissionAmphibious},
        {"landed on its target, it stays ashore", true, kOrderAdvance, 2, true, false, kMissionAmphibious},
        {"marched away: home", false, kOrderDefend, 2, false, false, kMissionNothing},
        {"marched away, no transports: target kept", false, kOrderDefend, 0, false, false, kMissionNothing},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        GameRec->Nations[1].Human = 1;
        const int home = AddPort(1, 10, 10);
        const int target = AddPort(2, 40, 10);
        const int x = c.onTarget ? 40 : 20;
        const int f = AddFleet(1, x, 10, kMissionAmphibious, {0, 1, c.transports, 0, 0, 0});
        F(f).HomePort = static_cast<U8>(home);
        F(f).TargetCity = static_cast<U8>(target);
        F(f).Supplies = 100;
        const int k = AddCorps(1, c.onHex ? x : 5, c.onHex ? 10 : 5);
        C(k).OrderMode = static_cast<U8>(c.orderMode);
        F(f).Cargo = static_cast<U8>(k);
        ScriptedFrontend fe;
        if (c.notice) fe.ExpectNotice(9);
        FleetTransportStep();
        EXPECT_EQ(F(f).Mission, c.mission);
        EXPECT_EQ(F(f).Cargo, k) << "the corps stays assigned to the fleet";
        if (c.notice) EXPECT_EQ(fe.notices.at(0).lines[3], "T157");
        if (c.onHex) EXPECT_EQ(C(k).OrderMode, c.onTarget ? kOrderAdvance : kOrderEmbarked);
        const bool homeward = !c.onHex && c.transports != 0;
        EXPECT_EQ(F(f).TargetCity, homeward ? 0 : target);
        EXPECT_EQ(F(f).DestX, homeward ? 10 : c.onHex && !c.onTarget ? 40 : x);
    }
}

TEST_F(FleetTransport, ACorpsAboardAnIdleFleetLandsAtHomeAndIsLostOnlyAtSeaWithNoHullLeft) {
    struct Case { const char* name; bool inPort; int transports, damaged; bool lost; };
    const Case cases[] = {{"in port without transports", true, 0, 0, false}, {"at sea with a transport", false, 1, 0, false},
                          {"at sea with a damaged transport", false, 0, 1, false}, {"at sea with none", false, 0, 0, true}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        GameRec->Nations[1].Human = 1;
        // In its home port; at sea only a fleet without a home is not called home first.
        const int home = c.inPort ? AddPort(1, 20, 20) : 0;
        const int f = AddFleet(1, 20, 20, kMissionNothing, {0, 1, c.transports, 0, 0, c.damaged});
        F(f).HomePort = static_cast<U8>(home);
        const int k = Embark(f, 1);
        const int leader = C(k).Leader;
        FleetTransportStep();
        EXPECT_EQ(F(f).Cargo, 0);
        EXPECT_EQ(C(k).Unused != 0, c.lost);
        EXPECT_EQ(GameRec->Leaders[leader].Status == kLeaderKilled, c.lost) << "the commander is read before the corps is cleared";
        EXPECT_EQ(GameRec->Casualties[1], c.lost ? 80u : 0u);
        if (!c.lost) EXPECT_EQ(C(k).OrderMode, kOrderDefend);
    }
}

TEST_F(NavalTurn, ACottonRunnerTradesItsCottonForSuppliesAndSailsHome) {
    const int buyer = AddPort(4, 40, 10);
    const int home = AddPort(2, 10, 10, 0, 0, 2);
    Pool(4, 1) = 2500;
    const int runner = AddFleet(2, 40, 10, kMissionCottonRun, {0, 0, 4, 0, 0, 0}, 0);
    F(runner).HomePort = static_cast<U8>(home);
    F(runner).TargetCity = static_cast<U8>(buyer);
    F(runner).Cotton = 3000;
    AllowDrawsPastScript();
    NavalTurnStep();
    EXPECT_EQ(Pool(4, 1), 1000) << "2500 less 3000, raised to 1000";
    EXPECT_EQ(F(runner).Supplies, 3000);
    EXPECT_EQ(F(runner).Cotton, 0);
    EXPECT_EQ(F(runner).TargetCity, home);
    EXPECT_EQ(P(F(runner).DestX, F(runner).DestY), P(10, 10));
    EXPECT_EQ(F(runner).StepsAllowed, 20) << "planned home at once";
}

TEST_F(FleetDisband, FleetsSettleAfterMovementWithoutThePatrolRule) {
    const int home = AddPort(2, 10, 10, 0, 0, 2);
    GameRec->Cities[home].Name = "Mobile";
    const int runner = AddFleet(2, 10, 10, kMissionCottonRun, {0, 0, 4, 0, 0, 0}, 0);
    F(runner).HomePort = F(runner).TargetCity = static_cast<U8>(home);
    F(runner).Supplies = 3000;
    const int patrol = AddFleet(1, 40, 10, kMissionPatrol, {0, 2, 0, 0, 0, 0});
    F(patrol).TargetCity = static_cast<U8>(AddPort(4, 40, 10));
    GameRec->Cities[86] = GameRec->Cities[F(patrol).TargetCity];  // the patrol lies off the British port
    ScriptedFrontend fe;
    fe.ExpectNotice(17);
    UnloadFleetsAfterMovement();  // no draw for Britain's temper after movement
    EXPECT_EQ(Pool(2, 2), 3000);
    EXPECT_EQ(F(runner).Supplies, 0);
    EXPECT_EQ(F(runner).Mission, kMissionRefit);
    EXPECT_EQ(std::vector<std::string>(fe.notices.at(0).lines + 1, fe.notices.at(0).lines + 4),
              (std::vector<std::string>{"T152", "Mobile", "T156"}));
}

TEST_F(FleetDisband, EmptyFleetsAreFreedUnlessLongInTheBuildingAndACorpsAboardGoesAshore) {
    const int port = AddPort(1, 10, 10);
    const int building24 = AddFleet(1, 10, 10, kMissionNothing, {});
    F(building24).BuildCounter = 24;
    const int building25 = AddFleet(1, 10, 10, kMissionNothing, {});
    F(building25).BuildCounter = 25;
    const int emptied = AddFleet(1, 10, 10, kMissionNothing, {});
    F(emptied).HomePort = static_cast<U8>(port);
    const int k = Embark(emptied, 1);
    DisbandEmptyFleets();
    EXPECT_EQ(F(building24).BuildCounter, kFleetGone);
    EXPECT_EQ(F(building25).BuildCounter, 25);
    EXPECT_EQ(F(emptied).BuildCounter, kFleetGone);
    EXPECT_EQ(C(k).OrderMode, kOrderDefend) << "in port the corps walks ashore";
    EXPECT_EQ(C(k).Unused, 0);
}

TEST_F(FleetDisband, SeaControlWeighsTheWarringSidesWarshipsAndLookupsTopUpSupplies) {
    struct Case { const char* name; bool unionPort; int enemyOwner, enemyIronclads; int seaControl; };
    const Case cases[] = {{"command of the sea", true, 2, 0, 4}, {"a neutral ironclad fleet changes nothing", true, 3, 5, 4},
                          {"the Confederacy's ironclads outweigh", true, 2, 5, 1}, {"no sea port", false, 2, 0, 0}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        if (c.unionPort) AddPort(1, 10, 10);
        AddFleet(1, 10, 10, kMissionNothing, {3, 3, 0, 0, 0, 0});
        AddFleet(1, 10, 10, kMissionNothing, {0, 0, 4, 0, 0, 0});
        AddFleet(c.enemyOwner, 30, 30, kMissionNothing, {c.enemyIronclads, 0, 0, 0, 0, 0});
        DisbandEmptyFleets();
        EXPECT_EQ(GameRec->Nations[1].SeaControl, c.seaControl);
        EXPECT_EQ(GameRec->Nations[1].ShipTotals[kShipsOceanIronclads], 3);
        EXPECT_EQ(GameRec->Nations[1].ShipTotals[kShipsOceanTransports], 4);
        EXPECT_EQ(GameRec->Nations[2].SeaControl, 0) << "the Confederacy holds no sea port";
    }
    // Every warship fleet the lookup examines is topped up to two supplies a ship.
    EXPECT_EQ(FindNationFleetAt(1, 2, kWaterOcean, kFleetLookupWarships), 0);
    EXPECT_EQ(F(1).Supplies, 12);
    EXPECT_EQ(F(2).Supplies, 8);
}

TEST_F(FleetConsolidation, SmallIdleFleetsOfAComputerSideAbsorbTheirNeighbours) {
    struct Case { const char* name; Ships small, other; int otherWater, otherMission; bool human, merged; };
    const Case cases[] = {
        {"a lone ironclad takes in ironclads", {1, 0, 0, 0, 0, 0}, {0, 0, 0, 5, 0, 0}, 1, 0, false, true},
        {"three wooden warships take in more", {0, 3, 0, 0, 0, 0}, {0, 9, 0, 0, 0, 0}, 1, 1, false, true},
        {"four wooden warships stand alone", {0, 4, 0, 0, 0, 0}, {0, 9, 0, 0, 0, 0}, 1, 0, false, false},
        {"ocean and river fleets never merge", {0, 0, 2, 0, 0, 0}, {0, 0, 2, 0, 0, 0}, 2, 0, false, false},
        {"a fleet under way is left alone", {0, 0, 2, 0, 0, 0}, {0, 0, 2, 0, 0, 0}, 1, 2, false, false},
        {"a person's fleets are left alone", {0, 0, 2, 0, 0, 0}, {0, 0, 2, 0, 0, 0}, 1, 0, true, false},
        {"no count passes 255", {0, 0, 2, 0, 0, 0}, {0, 0, 254, 0, 0, 0}, 1, 0, false, false},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        GameRec->Nations[2].Human = c.human ? 1 : 0;
        const int f = AddFleet(2, 10, 10, kMissionNothing, c.small);
        const int g = AddFleet(2, 10, 10, c.otherMission, c.other, c.otherWater);
        F(f).Supplies = 30;
        F(g).Supplies = 40;
        ConsolidateComputerFleets();
        EXPECT_EQ(F(g).BuildCounter == kFleetGone, c.merged);
        if (c.merged) {
            Ships sum;
            for (int i = 0; i < 6; ++i) sum[i] = c.small[i] + c.other[i];
            EXPECT_EQ(testing::NavalWorld::CountsOf(F(f)), sum);
            EXPECT_EQ(F(f).Supplies, 70);
            EXPECT_EQ(F(g).FleetNumber, g) << "the number stays with the slot";
        }
    }
}

TEST_F(FleetConsolidation, TheAbsorberCarriesTheCorpsOnUnlessItCarriesOneItself) {
    for (const bool bothCarry : {false, true}) {
        SetUp();
        SCOPED_TRACE(bothCarry ? "both carry a corps" : "the absorbed fleet carries a corps");
        const int f = AddFleet(2, 10, 10, kMissionNothing, {0, 0, 2, 0, 0, 0});
        const int g = AddFleet(2, 10, 10, kMissionNothing, {0, 0, 3, 0, 0, 0});
        const int carried = Embark(g, 2);
        if (bothCarry) Embark(f, 2);
        ConsolidateComputerFleets();
        EXPECT_EQ(F(g).BuildCounter == kFleetGone, !bothCarry);
        EXPECT_EQ(C(carried).OrderMode, kOrderEmbarked);
        EXPECT_EQ(bothCarry ? F(g).Cargo : F(f).Cargo, carried);
    }
}

}  // namespace
}  // namespace kvt
