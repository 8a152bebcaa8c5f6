// Naval combat and interception with scripted draws: which guns fire how often and hit how easily,
// where hits fall, who fights at all, sunk fleets reported, the replay that changes nothing, and a
// patrol turning toward an enemy it meets.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/combat/naval_combat.h"
#include "engine/logistics/fleet_movement.h"
#include "engine/logistics/naval_turn.h"
#include "engine/movement/corps_movement.h"
#include "engine/turn/movement_ticks.h"
#include "tests/engine/naval_world.h"

namespace kvt {
namespace {

using testing::Ships;
using NavalCombat = testing::NavalWorld;
using FleetInterception = testing::NavalWorld;

TEST_F(NavalCombat, EveryGunFiresItsShotsAndHitsBelowItsRowsMark) {
    struct Case { Ships unionShips; int guns, shots, mark; };
    const Case cases[] = {{{1, 0, 0, 0, 0, 0}, 0, 8, 100}, {{0, 0, 0, 1, 0, 0}, 0, 4, 50}, {{0, 1, 0, 0, 0, 0}, 0, 2, 65},
                          {{0, 0, 0, 0, 1, 0}, 0, 1, 30},  {{0, 0, 1, 0, 0, 0}, 0, 1, 2},  {{0, 0, 0, 0, 0, 1}, 0, 1, 2},
                          {{}, 1, 8, 125}};
    for (const Case& c : cases)
        for (const int hit : {1, 0}) {
            SetUp();
            SCOPED_TRACE(::testing::Message() << c.shots << " shots below " << c.mark << (hit ? ", a hit" : ", a miss"));
            AddPort(1, 30, 30, 1, c.guns);
            AddFleet(1, 30, 30, kMissionMove, c.unionShips);
            const int raider = AddFleet(2, 30, 30, kMissionAttackPort, {0, 1, 0, 0, 0, 0});
            // The first shot at the mark or just under it; the others and the raider's two go wide.
            std::vector<int> script = Join({{c.mark - hit}, Misses(c.shots + 1), Repeat(hit, 41)});
            const std::vector<int> ranges = testing::DrawRanges(script, [&] { ResolveFleetCombat(raider); });
            EXPECT_EQ(std::count(ranges.begin(), ranges.end(), 200), c.shots + 2);
            EXPECT_EQ(F(raider).DamagedWooden, hit) << "the hit damages the raider's wooden warship";
        }
}

TEST_F(NavalCombat, HitsDamageAndSinkShipsClassByClassPassAfterPass) {
    struct Case { const char* name; int owner, water; Ships ships; int hits; std::vector<int> draws; Ships after; };
    const Case cases[] = {
        {"an ironclad is damaged by a draw above 80", 2, 1, {1, 0, 0, 0, 0, 0}, 3, {80, 81, 65}, {0, 0, 0, 1, 0, 0}},
        {"a damaged ironclad sinks above 65", 2, 1, {0, 0, 0, 1, 0, 0}, 1, {66}, {}},
        {"wooden: damaged above 40, sunk above 20", 2, 1, {0, 1, 0, 0, 0, 0}, 2, {41, 21}, {}},
        {"cotton transports are damaged only above 75", 2, 0, {0, 0, 1, 0, 0, 0}, 1, {75}, {0, 0, 1, 0, 0, 0}},
        {"other transports above 20", 2, 1, {0, 0, 1, 0, 0, 0}, 1, {21}, {0, 0, 0, 0, 0, 1}},
        {"damaged transports sink a pass each, with no draw", 2, 1, {0, 0, 0, 0, 0, 2}, 1, {}, {}},
        {"a French ship sunk counts for France", 3, 1, {0, 0, 0, 1, 0, 0}, 1, {66}, {}},
        {"a British river ship counts on the rivers", 4, 2, {0, 0, 0, 1, 0, 0}, 1, {66}, {}},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        GameRec->Nations[3].Side = GameRec->Nations[4].Side = kConfederacy;
        const int patrol = AddFleet(1, 30, 30, kMissionPatrol, {1, 0, 0, 0, 0, 0});
        const int target = AddFleet(c.owner, 30, 30, kMissionMove, c.ships, c.water);
        const Ships& s = c.ships;
        const int returnFire = 8 * s[0] + 2 * s[1] + s[2] + 4 * s[3] + s[4] + s[5];
        ScriptRandomDraws(Join({Repeat(c.hits, 0), Misses(8 - c.hits + returnFire), c.draws}));
        ResolveFleetCombat(patrol);
        const bool sunk = c.after == Ships{};
        const U16& tally = c.water == 2 ? GameRec->RiverShipsSunk[c.owner] : GameRec->OceanShipsSunk[c.owner];
        EXPECT_EQ(tally, sunk ? s[0] + s[1] + s[2] + s[3] + s[4] + s[5] : 0);
        EXPECT_EQ(CountsOf(F(target)), c.after);
        EXPECT_EQ(F(target).BuildCounter == kFleetGone, sunk);
        EXPECT_EQ(fe->messages, std::vector<std::string>(sunk, "T" + std::to_string(584 + c.owner) + "2 sunk"));
    }
}

TEST_F(NavalCombat, OnlyEnemiesAtWarFightAndEachCostsTheArrivingFleetASupply) {
    struct Case { const char* name; int port, friends, atRest, enemies; bool runner; int fights, supplies; };
    const Case cases[] = {
        {"alone", 0, 0, 0, 0, false, 0, 20},
        {"among friends, enemies at rest or refitting", 0, 1, 2, 0, false, 0, 20},
        {"an enemy cotton runner lying in its home port", 2, 0, 0, 0, true, 0, 20},
        {"a neutral port calls the fight off", 3, 0, 0, 1, false, 0, 19},
        {"two enemy fleets and their port", 2, 0, 0, 2, false, 1, 17},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        if (c.port) AddPort(c.port, 30, 30, c.runner ? 0 : 1, 1);
        const int attacker = AddFleet(1, 30, 30, kMissionAttackPort, {10, 0, 0, 0, 0, 0});
        F(attacker).Supplies = 20;
        for (int i = 0; i < c.friends; ++i) AddFleet(1, 30, 30, kMissionMove, {0, 1, 0, 0, 0, 0});
        for (int i = 0; i < c.atRest; ++i) AddFleet(2, 30, 30, i, {0, 1, 0, 0, 0, 0});
        for (int i = 0; i < c.enemies; ++i) AddFleet(2, 30, 30, kMissionMove, {0, 0, 1, 0, 0, 0});
        if (c.runner) F(AddFleet(2, 30, 30, kMissionCottonRun, {0, 0, 2, 0, 0, 0}, 0)).HomePort = 1;
        ResolveFleetCombat(attacker);
        EXPECT_EQ(static_cast<int>(fe->fleetCombats.size()), c.fights);
        EXPECT_EQ(F(attacker).Supplies, c.supplies);
        for (const TFleetRec& f : GameRec->Fleets)
            EXPECT_TRUE(f.Engaged == 0 && f.Spotted != kSpottedEngaged) << "no mark of the fight is left, the runner's included";
    }
}

TEST_F(NavalCombat, TheDialogListsEachSidesFleetsAndOnlyAnAttackOnThePortBringsItsGunsIn) {
    // Shots: 8 from an ironclad or the port's gun, 2 from a wooden ship; all of them miss.
    struct Case { const char* name; int mission; bool enemyFleet; int fights, shots; const char* unionList; const char* confederateList; bool portIn; };
    const Case cases[] = {
        {"a patrol passing an enemy port alone", kMissionPatrol, false, 0, 0, "", "", false},
        {"an attack on the port", kMissionAttackPort, false, 1, 16, "1, ", "", true},
        {"a patrol meeting an enemy fleet in the port", kMissionPatrol, true, 1, 12, "1, 3, ", "2, ", false},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        AddPort(2, 30, 30, 1, 1);
        const int arriving = AddFleet(1, 30, 30, c.mission, {1, 0, 0, 0, 0, 0});
        if (c.enemyFleet) {
            AddFleet(2, 30, 30, kMissionMove, {0, 1, 0, 0, 0, 0});
            AddFleet(1, 30, 30, kMissionMove, {0, 1, 0, 0, 0, 0});
        }
        ScriptRandomDraws(Misses(c.shots));
        ResolveFleetCombat(arriving);
        ASSERT_EQ(static_cast<int>(fe->fleetCombats.size()), c.fights);
        EXPECT_EQ(SelectedCity, c.portIn ? 1 : 0);
        if (c.fights == 0) continue;
        const TFleetCombatView& v = fe->fleetCombats.at(0);
        EXPECT_EQ(v.fleetList[1], c.unionList);
        EXPECT_EQ(v.fleetList[2], c.confederateList);
        EXPECT_EQ(v.sideCaption[1], "Union");
        EXPECT_EQ(v.sideCaption[2], c.enemyFleet ? "Confederate" : "");
        EXPECT_EQ(v.portForces[2], c.portIn ? "1-1" : "");
    }
}

TEST_F(NavalCombat, APortTakesHitsFirstAndAnAttackTurnsHomeWhenItIsSilencedOrSuppliesRunLow) {
    struct Case { int supplies, portDraw, mission; };
    for (const Case& c : {Case{50, 61, kMissionMove}, Case{9, 60, kMissionMove}, Case{50, 60, kMissionAttackPort}}) {
        SetUp();
        SCOPED_TRACE(::testing::Message() << c.supplies << " supplies, port draw " << c.portDraw);
        const int port = AddPort(2, 30, 30, 1, 2), home = AddPort(1, 10, 10);
        const int attacker = AddFleet(1, 30, 30, kMissionAttackPort, {1, 0, 0, 0, 0, 0});
        F(attacker).Supplies = static_cast<std::uint16_t>(c.supplies + 1);  // one goes to the port met
        F(attacker).HomePort = static_cast<U8>(home);
        F(attacker).TargetCity = static_cast<U8>(port);
        // The ironclad hits once and the port's 16 shots miss; the hit is spent on the port.
        ScriptRandomDraws(Join({{0}, Misses(23), {c.portDraw}}));
        ResolveFleetCombat(attacker);
        const bool silenced = c.portDraw > 60;
        EXPECT_EQ(GameRec->Cities[port].Fortifications, silenced ? 0 : 1);
        EXPECT_EQ(GameRec->Cities[port].CoastalGuns, silenced ? 1 : 2);
        EXPECT_EQ(fe->fleetCombats.at(0).portHits[2], silenced ? 1 : 0);
        EXPECT_EQ(fe->fleetCombats.at(0).portForces[2], "1-2");
        EXPECT_EQ(F(attacker).Mission, c.mission);
        EXPECT_EQ(F(attacker).TargetCity, c.mission == kMissionMove ? home : port);
    }
}

TEST_F(NavalCombat, TwelveSunkFleetsAreAllReportedAfterTheDialogAndTheirSlotsFreed) {
    for (int i = 0; i < 12; ++i) AddFleet(1, 30, 30, kMissionMove, {0, 0, 0, 0, 0, 1});
    // One hit sinks them all: damaged transports go down without spending it.
    ScriptRandomDraws(Join({Misses(12), {0}, Misses(7)}));
    ResolveFleetCombat(AddFleet(2, 30, 30, kMissionPatrol, {1, 0, 0, 0, 0, 0}));
    ASSERT_EQ(fe->log.size(), 13u);
    EXPECT_EQ(fe->log[0], "fleet combat");
    for (int f = 1; f <= 12; ++f) {
        EXPECT_EQ(fe->log[f], "info: T585" + std::to_string(f) + " sunk");
        EXPECT_TRUE(F(f).BuildCounter == kFleetGone && F(f).FleetNumber == 0);
    }
}

TEST_F(NavalCombat, AReplayShowsTheForcesAsTheyStandDrawingAndWritingNothing) {
    AddPort(2, 30, 30, 3, 2);
    const int attacker = AddFleet(1, 30, 30, kMissionAttackPort, {2, 0, 0, 0, 0, 0});
    F(attacker).Supplies = 40;
    AddFleet(2, 30, 30, kMissionMove, {0, 3, 1, 0, 1, 0});
    AddFleet(1, 30, 30, kMissionMove, {0, 0, 4, 0, 0, 0});
    const TGameRec before = *GameRec;
    EXPECT_TRUE(testing::DrawRanges({}, [&] { ReplayFleetCombat(attacker); }).empty());
    EXPECT_EQ(std::memcmp(&before, GameRec, sizeof before), 0);
    const TFleetCombatView& v = fe->fleetCombats.at(0);
    EXPECT_EQ(v.fleetList[1], "3, ") << "the arriving fleet itself is not shown";
    EXPECT_EQ(v.startShips[1], (std::array<int, 3>{0, 0, 4}));
    EXPECT_EQ(v.startShips[2], (std::array<int, 3>{0, 4, 1}));
    EXPECT_EQ(v.portForces[2], "3-2");
    EXPECT_EQ(v.title, "T491Port1");
}

TEST_F(FleetInterception, APatrolTurnsTowardAWarringEnemyUnderWayWithOddsFallingWithDistance) {
    struct Case { int distance, mission, nation, pathIndex, draw; bool turns; };
    const Case cases[] = {
        {0, kMissionMove, 2, 5, 1, true},       {0, kMissionMove, 2, 5, 0, false},       {1, kMissionMove, 2, 5, 31, true},
        {1, kMissionMove, 2, 5, 30, false},     {2, kMissionCottonRun, 2, 5, 61, true},  {3, kMissionPatrol, 2, 5, 91, true},
        {3, kMissionPatrol, 2, 5, 90, false},   {4, kMissionMove, 2, 5, -1, false},      {1, kMissionNothing, 2, 5, -1, false},
        {1, kMissionRefit, 2, 5, -1, false},    {1, kMissionMove, 3, 5, -1, false},      {3, kMissionMove, 2, 18, 91, true},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(::testing::Message() << "distance " << c.distance << ", mission " << c.mission << ", nation "
                                          << c.nation << ", path index " << c.pathIndex << ", draw " << c.draw);
        const int patrol = AddFleet(1, 30, 30, kMissionPatrol, {0, 2, 0, 0, 0, 0});
        F(patrol).PathIndex = static_cast<U8>(c.pathIndex);
        for (int k = 1; k <= 20; ++k) F(patrol).PlannedStep[k] = 1;
        const int enemy = AddFleet(c.nation, 30, 30 + c.distance, c.mission, {0, 1, 0, 0, 0, 0});
        F(patrol).DestX = 10;
        const std::vector<int> script = c.draw < 0 ? std::vector<int>{} : std::vector<int>{c.draw};
        bool weighed = false;
        EXPECT_EQ(testing::DrawRanges(script, [&] { weighed = CheckFleetInterception(patrol); }).size(), script.size());
        EXPECT_EQ(weighed, c.draw >= 0) << "an enemy in reach is weighed, whether or not it is chased";
        EXPECT_EQ(F(patrol).PlannedStep[c.pathIndex] != 1, c.turns) << "the rest of the route is cleared";
        EXPECT_EQ(F(patrol).PlannedStep[c.pathIndex - 1], 1) << "steps sailed stay";
        const bool chases = c.turns && c.distance > 0;
        EXPECT_EQ(P(F(patrol).DestX, F(patrol).DestY) == P(F(enemy).HexX, F(enemy).HexY), chases);
        // The route south to the enemy, ending there, fits only when the turn has the steps left.
        if (chases && c.pathIndex + c.distance < 21)
            for (int k = 0; k <= c.distance; ++k) { EXPECT_EQ(F(patrol).PlannedStep[c.pathIndex + k], k < c.distance ? 4 : 0); }
    }
}

TEST_F(FleetInterception, OnlyAPatrolWithStepsLeftChasesTheEnemyItInterceptsInTheSameTurn) {
    // Intercepted at two hexes; a patrol under way looks again on its step and finds nothing new.
    struct Case { const char* what; int pathIndex, stepsAllowed; std::vector<int> draws; int row; };
    const Case cases[] = {
        {"on its station it planned no steps and stays", 1, 0, {61}, 30},
        {"its steps spent", 12, 12, {61}, 30},
        {"under way", 1, 18, {61, 0}, 31},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.what);
        const int station = AddPort(1, 30, 30);
        const int patrol = AddFleet(1, 30, 30, kMissionPatrol, {0, 2, 0, 0, 0, 0});
        F(patrol).HomePort = F(patrol).TargetCity = static_cast<U8>(station);
        NavalTurnStep();  // on its station: no route planned
        F(patrol).PathIndex = static_cast<U8>(c.pathIndex);
        F(patrol).StepsAllowed = static_cast<U8>(c.stepsAllowed);
        AddFleet(2, 30, 32, kMissionMove, {0, 1, 0, 0, 0, 0});
        StartMovementPasses();
        SelectedFleet = static_cast<std::uint16_t>(patrol);
        SetTimer1Enabled(true);
        EXPECT_EQ(testing::DrawRanges(c.draws, [] { MovementTick(); }).size(), c.draws.size());
        EXPECT_EQ(P(F(patrol).HexX, F(patrol).HexY), P(30, c.row));
        EXPECT_EQ(P(F(patrol).DestX, F(patrol).DestY), P(30, 32)) << "it turns toward the enemy all the same";
        EXPECT_EQ(F(patrol).StepsAllowed, c.stepsAllowed);
        SetTimer1Enabled(false);
    }
}

TEST_F(FleetInterception, APatrolFightingOnItsWayIsShownWhereItSailedUnlessItWentDownAndASunkFleetKeepsItsRoute) {
    for (const bool sunk : {false, true}) {
        SetUp();
        SCOPED_TRACE(sunk ? "sunk" : "afloat");
        const int patrol = AddFleet(1, 30, 30, kMissionPatrol, {0, 0, 0, 0, 0, 1});
        F(patrol).DestY = 35;
        F(patrol).StepsAllowed = 5;
        for (int k = 1; k <= 5; ++k) F(patrol).PlannedStep[k] = 4;
        AddFleet(2, 30, 31, kMissionMove, {1, 0, 0, 0, 0, 0});
        StartMovementPasses();
        SelectedFleet = static_cast<std::uint16_t>(patrol);
        SetTimer1Enabled(true);
        // No interception before or on the step; the patrol's one shot misses, the ironclad's first
        // of eight sinks the damaged transport or goes wide.
        const std::vector<int> script = Join({{0, 0, 199, sunk ? 0 : 199}, Misses(7)});
        EXPECT_EQ(testing::DrawRanges(script, [] { MovementTick(); }), Join({{100, 100}, Repeat(9, 200)}));
        EXPECT_EQ(F(patrol).BuildCounter == kFleetGone, sunk);
        EXPECT_EQ(fe->shown.size(), sunk ? 0u : 1u) << "a fleet gone down is not drawn where it sailed";
        if (!sunk) { EXPECT_EQ(P(fe->shown.at(0).column, fe->shown.at(0).row), P(30, 31)); }
        for (int k = 1; k <= 5; ++k) { EXPECT_EQ(F(patrol).PlannedStep[k], 4) << "step " << k; }
        SetTimer1Enabled(false);
    }
}

TEST_F(FleetInterception, ACorpsAboardRidesWithItsFleetAndRestsEveryCall) {
    const int f = AddFleet(1, 30, 30, kMissionMove, {0, 0, 2, 0, 0, 0});
    const int k = Embark(f, 1);
    C(k).Entrenchment = 2;
    C(k).Fatigue = 3;
    C(k).Disruption = 1;
    GameRec->Brigades[1].Fatigue = 2;
    F(f).DestY = 40;
    F(f).StepsAllowed = 20;
    F(f).PlannedStep[1] = 4;
    for (int call = 1; call <= 2; ++call) {
        FleetMovementStep(f);  // the second call has no step planned: the corps rests all the same
        EXPECT_TRUE(At(k) == P(30, 31) && P(C(k).DestX, C(k).DestY) == P(30, 40));
        EXPECT_EQ(C(k).Entrenchment + C(k).Disruption, 0);
        EXPECT_EQ(C(k).Fatigue, 3 - call);
        EXPECT_EQ(GameRec->Brigades[1].Fatigue, 2 - call);
    }
    EXPECT_EQ(F(f).PathIndex, 3) << "an unplanned step is used up";
}

}  // namespace
}  // namespace kvt
