// Naval combat with scripted draws: which guns fire how often and hit how easily, where the hits
// fall, what a sunk fleet takes down with it, and the replay that changes nothing.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/combat/naval_combat.h"
#include "engine/core/corps_movement.h"
#include "tests/engine/naval_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;
using testing::Ships;

class NavalCombat : public testing::NavalWorld {
protected:
    std::vector<int> Misses(int n) { return Repeat(n, 199); }
};

TEST_F(NavalCombat, EveryGunFiresItsShotsAndHitsBelowItsRowsMark) {
    struct Case { const char* name; Ships unionShips; int guns; int shots; int mark; };
    const Case cases[] = {
        {"intact ironclad", {1, 0, 0, 0, 0, 0}, 0, 8, 100}, {"damaged ironclad", {0, 0, 0, 1, 0, 0}, 0, 4, 50},
        {"intact wooden", {0, 1, 0, 0, 0, 0}, 0, 2, 65},    {"damaged wooden", {0, 0, 0, 0, 1, 0}, 0, 1, 30},
        {"intact transport", {0, 0, 1, 0, 0, 0}, 0, 1, 2},  {"damaged transport", {0, 0, 0, 0, 0, 1}, 0, 1, 2},
        {"coastal gun", {0, 0, 0, 0, 0, 0}, 1, 8, 125},
    };
    for (const Case& c : cases)
        for (const bool hit : {true, false}) {
            SetUp();
            SCOPED_TRACE(std::string(c.name) + (hit ? ", hit" : ", miss"));
            AddPort(1, 30, 30, 1, c.guns);
            AddFleet(1, 30, 30, kMissionMove, c.unionShips);
            const int raider = AddFleet(2, 30, 30, kMissionAttackPort, {0, 1, 0, 0, 0, 0});
            std::vector<int> script = Join({{hit ? c.mark - 1 : c.mark}, Misses(c.shots - 1), Misses(2)});
            if (hit) script.push_back(41);  // the hit damages the raider's wooden warship
            ScriptedFrontend fe;
            fe.AllowAnyWaits(true);
            const std::vector<int> ranges = testing::DrawRanges(script, [&] { ResolveFleetCombat(raider); });
            EXPECT_EQ(std::count(ranges.begin(), ranges.end(), 200), c.shots + 2);
            EXPECT_EQ(F(raider).DamagedWooden, hit ? 1 : 0);
            EXPECT_EQ(fe.fleetCombats.size(), 1u);
        }
}

TEST_F(NavalCombat, HitsDamageAndSinkShipsClassByClassPassAfterPass) {
    struct Case { const char* name; int owner, water; Ships ships; int hits; std::vector<int> draws; Ships after; bool sunk; };
    const Case cases[] = {
        {"an ironclad is damaged by the first draw above 80", 2, 1, {1, 0, 0, 0, 0, 0}, 3, {80, 81, 65}, {0, 0, 0, 1, 0, 0}, false},
        {"a damaged ironclad sinks above 65", 2, 1, {0, 0, 0, 1, 0, 0}, 1, {66}, {}, true},
        {"wooden: damaged above 40, sunk above 20, in one pass", 2, 1, {0, 1, 0, 0, 0, 0}, 2, {41, 21}, {}, true},
        {"cotton transports are damaged only above 75", 2, 0, {0, 0, 1, 0, 0, 0}, 1, {75}, {0, 0, 1, 0, 0, 0}, false},
        {"other transports above 20", 2, 1, {0, 0, 1, 0, 0, 0}, 1, {21}, {0, 0, 0, 0, 0, 1}, false},
        {"damaged transports sink without a draw, one a pass", 2, 1, {0, 0, 0, 0, 0, 2}, 1, {}, {}, true},
        {"a French ship counts for France", 3, 1, {0, 0, 0, 1, 0, 0}, 1, {66}, {}, true},
        {"a British river ship counts on the rivers", 4, 2, {0, 0, 0, 1, 0, 0}, 1, {66}, {}, true},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        GameRec->Nations[3].Side = GameRec->Nations[4].Side = kConfederacy;
        const int patrol = AddFleet(1, 30, 30, kMissionPatrol, {1, 0, 0, 0, 0, 0});
        const int target = AddFleet(c.owner, 30, 30, kMissionMove, c.ships, c.water);
        const Ships& s = c.ships;
        const int returnFire = 8 * s[0] + 2 * s[1] + s[2] + 4 * s[3] + s[4] + s[5];
        ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        ScriptRandomDraws(Join({Repeat(c.hits, 0), Misses(8 - c.hits), Misses(returnFire), c.draws}));
        ResolveFleetCombat(patrol);
        EXPECT_EQ(ScriptedDrawsLeft(), 0u);
        const U16& tally = c.water == 2 ? GameRec->RiverShipsSunk[c.owner] : GameRec->OceanShipsSunk[c.owner];
        EXPECT_EQ(tally, c.sunk ? s[0] + s[1] + s[2] + s[3] + s[4] + s[5] : 0);
        if (c.sunk) {
            EXPECT_EQ(F(target).BuildCounter, kFleetGone);
            EXPECT_EQ(fe.messages, (std::vector<std::string>{"T" + std::to_string(584 + c.owner) + "2 sunk"}));
        } else {
            EXPECT_EQ(testing::NavalWorld::CountsOf(F(target)), c.after);
        }
    }
}

TEST_F(NavalCombat, ACorpsAboardASunkFleetDrownsAtSeaAndGoesAshoreInPort) {
    struct Case { const char* name; int mission; bool inPort; bool drowns; int orderMode; };
    const Case cases[] = {
        {"landing fleet at sea", kMissionAmphibious, false, true, 0},
        {"landing fleet in port", kMissionAmphibious, true, false, kOrderAdvance},
        {"patrol carrying a corps at sea", kMissionPatrol, false, true, 0},
        {"patrol carrying a corps in port", kMissionPatrol, true, false, kOrderDefend},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        const int landing = AddPort(1, 20, 20);
        if (c.inPort) AddPort(1, 30, 30);
        const int k = AddCorps(1, 30, 30);
        C(k).OrderMode = kOrderEmbarked;
        C(k).HomeState = 3;
        AddBrigade(k, kBrigadeInfantry, 80, 2, 0, 3);
        AddBrigade(k, kBrigadeArtillery, 16, 2, 0, 3);
        const int leader = C(k).Leader;
        const int carrier = AddFleet(1, 30, 30, c.mission, {0, 0, 0, 0, 0, 1});
        F(carrier).Cargo = static_cast<U8>(k);
        F(carrier).TargetCity = static_cast<U8>(landing);
        const int raider = AddFleet(2, 30, 30, kMissionPatrol, {0, 1, 0, 0, 0, 0});
        ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        ScriptRandomDraws({199, 0, 199});
        ResolveFleetCombat(raider);
        EXPECT_EQ(F(carrier).BuildCounter, kFleetGone);
        ASSERT_EQ(fe.fleetCombats.size(), 1u);
        EXPECT_EQ(fe.fleetCombats[0].corpsDrowned, c.drowns);
        if (c.drowns) {
            EXPECT_NE(C(k).Unused, 0);
            EXPECT_EQ(GameRec->Leaders[leader].Status, kLeaderKilled);
            EXPECT_EQ(GameRec->Casualties[1], 96u) << "every man aboard counts as lost";
            EXPECT_EQ(GameRec->States[3].StateCasualties, 96);
            EXPECT_EQ(fe.fleetCombats[0].drownedLines[1], GameRec->Leaders[leader].Name.str() + "T453");
        } else {
            EXPECT_EQ(C(k).Unused, 0);
            EXPECT_EQ(C(k).OrderMode, c.orderMode);
            EXPECT_EQ(GameRec->Casualties[1], 0u);
        }
        if (c.mission == kMissionAmphibious && !c.drowns) EXPECT_EQ(C(k).SupplyCity, landing);
    }
}

TEST_F(NavalCombat, OnlyEnemiesAtWarFightAndEachCostsTheArrivingFleetASupply) {
    struct Case { const char* name; int friends, atRest, enemies; bool runnerInItsPort, neutralPort, enemyPort; int fights, supplies; };
    const Case cases[] = {
        {"alone", 0, 0, 0, false, false, false, 0, 20},
        {"among friends and enemies at rest or refitting", 1, 2, 0, false, false, false, 0, 20},
        {"an enemy cotton runner lying in its home port", 0, 0, 0, true, false, false, 0, 20},
        {"a neutral port calls the fight off", 0, 0, 1, false, true, false, 0, 19},
        {"two enemy fleets and their port", 0, 0, 2, false, false, true, 1, 17},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        if (c.neutralPort) AddPort(3, 30, 30, 2, 1);
        if (c.enemyPort) AddPort(2, 30, 30, 1, 0);
        else if (c.runnerInItsPort) AddPort(2, 30, 30);
        const int attacker = AddFleet(1, 30, 30, kMissionAttackPort, {10, 0, 0, 0, 0, 0});
        F(attacker).Supplies = 20;
        for (int i = 0; i < c.friends; ++i) AddFleet(1, 30, 30, kMissionMove, {0, 1, 0, 0, 0, 0});
        for (int i = 0; i < c.atRest; ++i) AddFleet(2, 30, 30, i, {0, 1, 0, 0, 0, 0});
        for (int i = 0; i < c.enemies; ++i) AddFleet(2, 30, 30, kMissionMove, {0, 0, 1, 0, 0, 0});
        int runner = 0;
        if (c.runnerInItsPort) {
            runner = AddFleet(2, 30, 30, kMissionCottonRun, {0, 0, 2, 0, 0, 0}, 0);
            F(runner).HomePort = 1;
        }
        ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        ResolveFleetCombat(attacker);
        EXPECT_EQ(static_cast<int>(fe.fleetCombats.size()), c.fights);
        EXPECT_EQ(F(attacker).Supplies, c.supplies);
        for (const TFleetRec& f : GameRec->Fleets) {
            EXPECT_EQ(f.Engaged, 0) << "no fleet keeps the mark of the fight, a cotton runner left out included";
            EXPECT_NE(f.Spotted, kSpottedEngaged);
        }
        if (c.fights == 0) EXPECT_EQ(F(attacker).PathIndex, 1) << "nothing happened";
    }
}

TEST_F(NavalCombat, AnAttackOnAPortTurnsHomeWhenThePortIsSilencedOrSuppliesRunLow) {
    struct Case { const char* name; int supplies; int portDraw; int mission; };
    const Case cases[] = {{"port silenced", 50, 61, kMissionMove}, {"port holds, supplies low", 9, 60, kMissionMove},
                          {"port holds, supplies enough", 50, 60, kMissionAttackPort}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        const int port = AddPort(2, 30, 30, 1, 2);
        const int home = AddPort(1, 10, 10);
        const int attacker = AddFleet(1, 30, 30, kMissionAttackPort, {1, 0, 0, 0, 0, 0});
        F(attacker).Supplies = static_cast<std::uint16_t>(c.supplies + 1);  // one goes to the port met
        F(attacker).HomePort = static_cast<U8>(home);
        F(attacker).TargetCity = static_cast<U8>(port);
        ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        // The ironclad hits once; the port's 16 shots miss; the hit goes to the port first.
        ScriptRandomDraws(Join({{0}, Misses(7), Misses(16), {c.portDraw}}));
        ResolveFleetCombat(attacker);
        const bool silenced = c.portDraw > 60;
        EXPECT_EQ(GameRec->Cities[port].Fortifications, silenced ? 0 : 1);
        EXPECT_EQ(GameRec->Cities[port].CoastalGuns, silenced ? 1 : 2);
        EXPECT_EQ(fe.fleetCombats.at(0).portHits[2], silenced ? 1 : 0);
        EXPECT_EQ(fe.fleetCombats.at(0).portForces[2], "1-2");
        EXPECT_EQ(F(attacker).Mission, c.mission);
        EXPECT_EQ(F(attacker).TargetCity, c.mission == kMissionMove ? home : port);
    }
}

TEST_F(NavalCombat, TwelveSunkFleetsAreAllReportedAndTheirSlotsFreed) {
    for (int i = 0; i < 12; ++i) AddFleet(1, 30, 30, kMissionMove, {0, 0, 0, 0, 0, 1});
    const int raider = AddFleet(2, 30, 30, kMissionPatrol, {1, 0, 0, 0, 0, 0});
    ScriptedFrontend fe;
    fe.AllowAnyWaits(true);
    // One hit is enough: damaged transports sink without spending it.
    ScriptRandomDraws(Join({Misses(12), {0}, Misses(7)}));
    ResolveFleetCombat(raider);
    ASSERT_EQ(fe.messages.size(), 12u);
    for (int f = 1; f <= 12; ++f) {
        EXPECT_EQ(fe.messages[f - 1], "T585" + std::to_string(f) + " sunk");
        EXPECT_EQ(F(f).BuildCounter, kFleetGone);
        EXPECT_EQ(F(f).FleetNumber, 0);
    }
    EXPECT_EQ(fe.log.front(), "fleet combat") << "the dialog first, then the messages";
}

TEST_F(NavalCombat, AReplayShowsTheForcesAsTheyStandAndChangesNothing) {
    AddPort(2, 30, 30, 3, 2);
    const int attacker = AddFleet(1, 30, 30, kMissionAttackPort, {2, 0, 0, 0, 0, 0});
    F(attacker).Supplies = 40;
    AddFleet(2, 30, 30, kMissionMove, {0, 3, 1, 0, 1, 0});
    AddFleet(1, 30, 30, kMissionMove, {0, 0, 4, 0, 0, 0});
    TGameRec before;
    std::memcpy(static_cast<void*>(&before), GameRec, sizeof before);
    ScriptedFrontend fe;
    fe.ExpectFleetCombat();
    const std::vector<int> ranges = testing::DrawRanges({}, [&] { ReplayFleetCombat(attacker); });
    EXPECT_TRUE(ranges.empty());
    EXPECT_EQ(std::memcmp(&before, GameRec, sizeof before), 0);
    const TFleetCombatView& v = fe.fleetCombats.at(0);
    EXPECT_EQ(v.fleetList[1], "3, ") << "the arriving fleet itself is not shown";
    EXPECT_EQ(v.startShips[1], (std::array<int, 3>{0, 0, 4}));
    EXPECT_EQ(v.startShips[2], (std::array<int, 3>{0, 4, 1}));
    EXPECT_EQ(v.portForces[2], "3-2");
    EXPECT_EQ(v.title, "T491Port1");
}

}  // namespace
}  // namespace kvt
