// The computer players' fixed plans and landings by sea, driven through the states, cities and
// corps they watch on small synthetic worlds. The plans draw nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/forces/fleet_records.h"
#include "engine/movement/corps_movement.h"
#include "engine/players/amphibious_landings.h"
#include "engine/players/computer_players.h"
#include "engine/players/confederate_plans.h"
#include "engine/players/union_plans.h"
#include "tests/engine/movement_world.h"

namespace kvt {
namespace {

using testing::DrawRanges;
using Ints = std::vector<int>;

class PlanWorld : public testing::MovementWorld {
protected:
    void TearDown() override {
        EXPECT_EQ(CheckedAccessFaults(), 0u);
        MovementWorld::TearDown();
    }
    // A city at its scenario index: held by `owner` (side and nation), in a state and theatre.
    static TCityRec& Place(int c, int x, int y, int owner, int state, int theatre = 1) {
        TCityRec& r = GameRec->Cities[c];
        r.HexX = static_cast<U8>(x), r.HexY = static_cast<U8>(y);
        r.Owner = r.Nation = r.OriginalOwner = static_cast<U8>(owner);
        r.State = static_cast<U8>(state), r.Theatre = static_cast<U8>(theatre);
        Hex(x, y).SetTerrain(kTerrainCity);
        return r;
    }
    static TCityRec& City(int c) { return GameRec->Cities[c]; }
    static TStateRec& St(int s) { return GameRec->States[s]; }
    static TArmyRec& Army(int a) { return GameRec->Armies[a]; }
    static Ints Dest(int k) { return {C(k).DestX, C(k).DestY}; }
    static Ints Hex(const TCityRec& c) { return {c.HexX, c.HexY}; }
    using MovementWorld::Hex;
    int Corps(int nation, int x, int y, int homeState = 0, int tag = 0) {
        const int k = AddCorps(nation, x, y);
        C(k).HomeState = static_cast<U8>(homeState);
        C(k).PlanTag = static_cast<std::uint16_t>(tag);
        return k;
    }
    int ArmyAt(int nation, int base, int tag = 0) {
        const int a = AddArmy(nation, base, AddLeader(nation, 30));
        Army(a).PlanTag = static_cast<std::uint16_t>(tag);
        Army(a).CorpsCount = 2;
        return a;
    }
    // The orders a player reads on a corps: mode, march and destination.
    static Ints Orders(int k) { return {C(k).OrderMode, C(k).March, C(k).DestX, C(k).DestY}; }
    // A counter-attack's orders on the target: cautious at stance 1, normal at 2. Stance 0 is none:
    // the corps keeps the orders it was raised with.
    static Ints Struck(int k, int stance, const TCityRec& target) {
        if (stance == 0) return {kOrderDefend, 1, C(k).HexX, C(k).HexY};
        return {stance, stance - 1, target.HexX, target.HexY};
    }
    // What a plan leaves on an army: tag, stance, objective and second target.
    static Ints ArmyPlan(int a) { return {Army(a).PlanTag, Army(a).Stance, Army(a).Objective, Army(a).SupplyBase}; }
    // An enemy city of theatre 1, in a state no plan watches, scored for the counter-attacks.
    static TCityRec& EnemyTarget(int c, int x, int y, int score) {
        TCityRec& r = Place(c, x, y, kConfederacy, kUnwatchedState);
        StoreCityScore(r, score);
        return r;
    }
    static constexpr int kUnwatchedState = 30;
    // Runs a plan for a plan slot starting in `state`, pinning that it draws nothing.
    static int Run(void (*plan)(), int slot, int state) {
        GameRec->Plans[slot].PlanState = static_cast<U8>(state);
        EXPECT_TRUE(DrawRanges({}, plan).empty());
        return GameRec->Plans[slot].PlanState;
    }
};

class UnionPlans : public PlanWorld {};

TEST_F(UnionPlans, TheCapitalPlanAlarmsGathersCorpsAwaitsItsArmyAndStrikesByTheEnemysStrength) {
    // enemy: strength in Maryland, Pennsylvania and the District. stance: the counter-attack's,
    // 0 for none; tag: the plan's striking corps' tag afterwards.
    struct Case {
        const char* what;
        int state, homeCorps;
        Ints enemy;
        bool defended, army;
        int virginia, next, alarm, stance, tag;
    };
    const Case cases[] = {
        {"four corps of the region: alarms, every turn", 1, 4, {1, 0, 0}, false, false, 2, 1, 1, 0, 1},
        {"five: garrisons next", 1, 5, {1, 0, 0}, false, false, 2, 2, 0, 0, 1},
        {"no army at Washington: the plan waits", 2, 0, {1, 0, 0}, false, false, 2, 2, 1, 0, 1},
        {"the army at Washington, in the last slot, takes it up", 2, 0, {1, 0, 0}, false, true, 2, 3, 1, 0, 1},
        {"Washington stronger than the enemy near it, no alarm: let go", 3, 0, {0, 0, 0}, true, false, 2, 0, 0, 0, 0},
        {"51 in Maryland: the army and the corps strike", 3, 0, {51, 0, 0}, false, true, 2, 3, 0, 2, 1},
        {"50 in Maryland: cautiously", 3, 0, {50, 0, 0}, false, true, 2, 3, 0, 1, 1},
        {"6 in Pennsylvania", 3, 0, {0, 6, 0}, false, true, 2, 3, 0, 2, 1},
        {"5 in Pennsylvania", 3, 0, {0, 5, 0}, false, true, 2, 3, 0, 1, 1},
        {"6 in the District", 3, 0, {1, 0, 6}, false, true, 2, 3, 0, 2, 1},
        {"5 in the District", 3, 0, {1, 0, 5}, false, true, 2, 3, 0, 1, 1},
        {"Virginia not the Confederacy's: the plan rests", 3, 0, {51, 0, 0}, false, true, 1, 0, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int states[] = {0, 0, 32, 10, 0, 0, 10, 0, 0, 0, 32, 34, 34, 0, 32};
        for (int city : {2, 3, 6, 10, 11, 12, 14}) Place(city, 20 + 2 * city, 30, kUnion, states[city]);
        St(32).EnemyStrength = static_cast<std::uint16_t>(c.enemy[0]);
        St(10).EnemyStrength = static_cast<std::uint16_t>(c.enemy[1]);
        St(34).EnemyStrength = static_cast<std::uint16_t>(c.enemy[2]);
        St(22).ControlSide = static_cast<U8>(c.virginia);
        for (int i = 0; i < c.homeCorps; ++i) Corps(kNationUnion, 60, 50, 32);
        // By Baltimore a corps of an army (another city's) and, a hex farther, a free one.
        const int armyCorps = Corps(kNationUnion, 24, 31), free = Corps(kNationUnion, 24, 32);
        C(armyCorps).Army = static_cast<U8>(ArmyAt(kNationUnion, 6));
        // The plan's corps far from the capital, and its best target: 100 less 5 hexes.
        const int striker = Corps(kNationUnion, 20, 45, 0, 1);
        const TCityRec& target = EnemyTarget(20, 20, 50, 100);
        armies_ = kArmyCount - 1;  // the army at Washington takes the last slot
        const int capitalArmy = c.army ? ArmyAt(kNationUnion, 11, c.state == 3 ? 1 : 0) : 0;
        if (c.defended) Corps(kNationUnion, 42, 30);
        EXPECT_EQ(Run(UsaPlan1, 1, c.state), c.next);
        EXPECT_EQ(City(10).Status, c.alarm);
        EXPECT_EQ(C(armyCorps).PlanTag, 0) << "an army's corps is the army's";
        if (c.state == 2) EXPECT_EQ((Ints{C(free).PlanTag, C(free).SupplyCity}), (Ints{1, 2}));
        if (capitalArmy != 0) {
            EXPECT_EQ((Ints{Army(capitalArmy).PlanTag, Army(capitalArmy).Stance}),
                      (Ints{1, c.state == 2 ? 1 : c.stance}));
        }
        EXPECT_EQ(C(striker).PlanTag, c.tag);
        EXPECT_EQ(Orders(striker), Struck(striker, c.stance, target));
    }
}

TEST_F(UnionPlans, MissouriIsMannedFromItsLastPostAndStruckBackForWhileTheEnemyIsInIt) {
    // St. Louis, Jefferson City and Springfield down one column, a free corps by St. Louis and in
    // some rows one by Springfield. The plan's striker weighs two enemy cities: 100 five hexes
    // off (50) and 15 one hex off (5).
    struct Case { const char* what; int state, control, enemy; bool bySpringfield; int next, stance, tag; };
    const Case cases[] = {
        {"Missouri not the Union's: its corps let go", 0, 2, 0, false, 0, 0, 0},
        {"the Union's: awake", 0, 1, 0, false, 2, 0, 3},
        {"an enemy in the state and a corps for the last post", 2, 1, 3, true, 3, 0, 3},
        {"nobody for the last post", 2, 1, 3, false, 2, 0, 3},
        {"no enemy in the state", 2, 1, 0, true, 0, 0, 3},
        {"a small enemy: a cautious counter-attack", 3, 2, 3, false, 3, 1, 3},
        {"more than five: a normal one", 3, 2, 6, false, 3, 2, 3},
        {"the state the Union's and clear", 3, 1, 0, false, 0, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        St(19).ControlSide = static_cast<U8>(c.control), St(19).EnemyStrength = static_cast<std::uint16_t>(c.enemy);
        for (int city : {55, 56, 76}) Place(city, 30, city == 55 ? 10 : city == 56 ? 22 : 40, kUnion, 19);
        const int byStLouis = Corps(kNationUnion, 30, 12);
        const int bySpringfield = c.bySpringfield ? Corps(kNationUnion, 30, 42) : 0;
        const int striker = Corps(kNationUnion, 20, 20, 0, 3);
        const TCityRec& target = EnemyTarget(60, 20, 25, 100);
        EnemyTarget(61, 20, 21, 15);
        EXPECT_EQ(Run(UsaPlan3, 3, c.state), c.next);
        EXPECT_EQ(C(striker).PlanTag, c.tag);
        EXPECT_EQ(Orders(striker), Struck(striker, c.stance, target));
        if (c.state != 2) continue;
        EXPECT_EQ((Ints{City(55).Status, City(56).Status, City(76).Status}), (Ints{1, 1, 0}))
            << "Springfield calls for no garrison";
        EXPECT_EQ((Ints{C(byStLouis).PlanTag, C(byStLouis).SupplyCity, C(byStLouis).DestY}), (Ints{3, 55, 10}));
        if (bySpringfield != 0) {
            EXPECT_EQ((Ints{C(bySpringfield).PlanTag, C(bySpringfield).SupplyCity, C(bySpringfield).DestY}),
                      (Ints{3, 76, 40}));
        }
    }
}

TEST_F(UnionPlans, TheKentuckyPlanTagsTheArmiesOfOhioAndIsCalledOffWhenTheNorthIsThreatened) {
    // Two armies based at Columbus, Ohio; Frankfort (7) and Bowling Green (5) in Kentucky. first and
    // second: each army's tag, stance, objective and second target afterwards.
    struct Case {
        const char* what;
        int state, kentucky, foreign, kentuckyEnemy, ohioEnemy;
        bool ownNear;
        int next;
        Ints first, second;
    };
    const Case cases[] = {
        {"Kentucky open: awake", 0, 2, 0, 5, 0, false, 2, {4, 0, 0, 0}, {4, 0, 0, 0}},
        {"a Union Kentucky with one city still to retake: let go", 0, 1, 1, 5, 0, false, 0, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"an enemy in Ohio: let go", 0, 2, 0, 5, 1, false, 0, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"the armies of Ohio take it up, stronger at home", 2, 2, 0, 5, 0, true, 3, {4, 2, 0, 0}, {4, 2, 0, 0}},
        {"not stronger at home", 2, 2, 0, 5, 0, false, 3, {4, 1, 0, 0}, {4, 1, 0, 0}},
        {"called off: Kentucky the Union's and clear", 2, 1, 0, 0, 0, false, 0, {4, 1, 0, 0}, {4, 1, 0, 0}},
        {"on the march: Frankfort first, the state's best two next", 3, 2, 0, 5, 0, false, 3, {4, 2, 43, 43},
         {4, 2, 43, 42}},
        {"called off on the march: an enemy in Ohio", 3, 2, 0, 5, 1, false, 0, {4, 0, 0, 0}, {4, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TStateRec& kentucky = St(20);
        kentucky.ControlSide = static_cast<U8>(c.kentucky), kentucky.ForeignHeld = static_cast<U8>(c.foreign);
        kentucky.EnemyStrength = static_cast<std::uint16_t>(c.kentuckyEnemy);
        St(9).EnemyStrength = static_cast<std::uint16_t>(c.ohioEnemy);
        Place(80, 40, 10, kUnion, 9);
        Place(43, 40, 20, kConfederacy, 20).Value = 7;
        Place(42, 36, 24, kConfederacy, 20).Value = 5;
        if (c.ownNear) Corps(kNationUnion, 40, 12);
        const int tag = c.state == 2 ? 0 : 4;
        const int first = ArmyAt(kNationUnion, 80, tag), second = ArmyAt(kNationUnion, 80, tag);
        EXPECT_EQ(Run(UsaPlan4, 4, c.state), c.next);
        EXPECT_EQ(ArmyPlan(first), c.first);
        EXPECT_EQ(ArmyPlan(second), c.second);
    }
}

TEST_F(UnionPlans, TheRichmondPlanTakesUpTheArmyAtWashingtonSendsACorpsToFrederickAndMarchesOnManassas) {
    // The plan's corps 4 hexes from Washington, a free corps 2 from Frederick, Manassas the enemy's.
    // plan: the army at Washington's tag, stance, objective and second target afterwards.
    struct Case { const char* what; int state, virginia; bool army, outnumbered; int next; Ints plan; int tag; };
    const Case cases[] = {
        {"Virginia the Union's: let go", 0, 1, true, false, 0, {0, 0, 0, 0}, 0},
        {"not: awake", 0, 2, true, false, 2, {5, 0, 0, 0}, 5},
        {"the army at Washington, stronger there", 2, 2, true, false, 3, {5, 2, 11, 12}, 5},
        {"outnumbered there", 2, 2, true, true, 3, {5, 1, 11, 12}, 5},
        {"no army at Washington: the plan waits", 2, 2, false, false, 2, {}, 5},
        {"on Richmond, the corps on Manassas", 3, 2, true, false, 3, {5, 2, 17, 16}, 5},
        {"no army left: back to tagging one", 3, 2, false, false, 2, {}, 5},
        {"Virginia the Union's on the march", 3, 1, true, false, 0, {5, 0, 0, 0}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        St(22).ControlSide = static_cast<U8>(c.virginia);
        Place(11, 30, 44, kUnion, 34);
        Place(14, 40, 40, kUnion, 32);
        const TCityRec& manassas = Place(13, 30, 30, kConfederacy, 22);
        const int k = Corps(kNationUnion, 30, 40, 0, 5);
        const int free = Corps(kNationUnion, 40, 42);
        if (c.outnumbered) C(Corps(kNationConfederacy, 30, 47)).Strength = 200;
        const int a = c.army ? ArmyAt(kNationUnion, 11, c.state == 2 ? 0 : 5) : 0;
        EXPECT_EQ(Run(UsaPlan5, 5, c.state), c.next);
        if (a != 0) EXPECT_EQ(ArmyPlan(a), c.plan);
        EXPECT_EQ(C(k).PlanTag, c.tag);
        const bool marches = c.state == 3 && c.virginia != kUnion;
        EXPECT_EQ(Orders(k), marches ? (Ints{2, 1, manassas.HexX, manassas.HexY}) : (Ints{1, 1, 30, 40}));
        // Frederick's corps: tag, supply city, mode, march and destination row.
        EXPECT_EQ((Ints{C(free).PlanTag, C(free).SupplyCity, C(free).OrderMode, C(free).March, C(free).DestY}),
                  c.state == 2 ? (Ints{5, 14, 1, 2, 40}) : (Ints{0, 0, 1, 1, 42}));
    }
}

TEST_F(UnionPlans, TheRiverPlanTagsTheWesternArmiesNearMemphisAndWalksThemDownTheRiver) {
    // One army `distance` hexes east of Memphis (0: at Memphis). army: its tag, stance, objective
    // and second target afterwards.
    struct Case {
        const char* what;
        int state, distance, corps, theatre, tag;
        bool riverHeld;
        int next;
        Ints army;
    };
    const Case cases[] = {
        {"Louisiana and Mississippi the Union's: its armies let go", 0, 0, 2, kWest, 6, true, 0, {0, 0, 0, 0}},
        {"either the enemy's: awake", 0, 0, 2, kWest, 6, false, 2, {6, 0, 0, 0}},
        {"an army at Memphis", 2, 0, 2, kWest, 0, false, 3, {6, 1, 50, 50}},
        {"one of three corps 11 hexes off", 2, 11, 3, kMississippi, 0, false, 3, {6, 1, 50, 50}},
        {"of two: tagged, but the plan rests", 2, 11, 2, kWest, 0, false, 0, {6, 1, 50, 50}},
        {"12 hexes off: left alone", 2, 12, 3, kWest, 0, false, 0, {0, 0, 0, 0}},
        {"of the seaboard: left alone", 2, 0, 3, kSeaboard, 0, false, 0, {0, 0, 0, 0}},
        {"taken over from the Missouri plan", 2, 0, 2, kWest, 3, false, 3, {6, 1, 50, 50}},
        {"another plan's army is left to it", 2, 0, 2, kWest, 4, false, 0, {4, 0, 0, 0}},
        {"the river the Union's: tagged, then stopped", 2, 0, 2, kWest, 0, true, 0, {6, 1, 50, 50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        for (int s : {6, 9}) St(s).ControlSide = kUnion;
        for (int s : {25, 26}) St(s).ControlSide = c.riverHeld ? kUnion : kConfederacy;
        Place(50, 20, 30, kConfederacy, 25, kWest);
        if (c.distance != 0) Place(70, 20 + c.distance, 30, kUnion, 25, kWest);
        const int a = ArmyAt(kNationUnion, c.distance == 0 ? 50 : 70, c.tag);
        Army(a).Theatre = static_cast<U8>(c.theatre), Army(a).CorpsCount = static_cast<U8>(c.corps);
        EXPECT_EQ(Run(UsaPlan6, 6, c.state), c.next);
        EXPECT_EQ(ArmyPlan(a), c.army);
    }
    // On the march each army takes the next city down the river not yet the Union's, the last of
    // one pass winning.
    SetUp();
    for (int s : {6, 9}) St(s).ControlSide = kUnion;
    for (int s : {25, 26}) St(s).ControlSide = kConfederacy;
    for (int c : {50, 79, 68, 66}) Place(c, c - 30, 30, kUnion, 25);
    for (int c : {67, 65}) Place(c, c - 30, 30, kConfederacy, 25);
    const int first = ArmyAt(kNationUnion, 50, 6), second = ArmyAt(kNationUnion, 50, 6);
    EXPECT_EQ(Run(UsaPlan6, 6, 3), 3);
    EXPECT_EQ((Ints{Army(first).Objective, Army(second).Objective, Army(first).Stance}), (Ints{67, 65, 2}));
}

TEST_F(UnionPlans, TheOhioValleyAndTennesseePlansGatherCorpsStrikeBackAndTagTheWesternArmies) {
    // Plan 2 with Kentucky lost: alarms until a corps of Indiana or Ohio exists, then the valley's
    // points (two garrisons, and an untagged corps drawing on Evansville) start the counter-attack,
    // in earnest while Kentucky is lost or Illinois or Ohio hold more than 1.
    struct Valley {
        const char* what;
        int state;
        bool homeCorps;
        int kentucky, ohio;
        bool supplied;
        int next, alarm, stance, tag;
    };
    const Valley valley[] = {
        {"Kentucky lost: awake", 0, false, 2, 0, false, 1, 0, 0, 2},
        {"Kentucky not lost, Ohio all but clear: let go", 0, false, 1, 1, false, 0, 0, 0, 0},
        {"no corps of the valley's states", 1, false, 2, 0, false, 1, 1, 0, 2},
        {"one", 1, true, 2, 0, false, 2, 0, 0, 2},
        {"quiet again", 1, true, 1, 0, false, 0, 0, 0, 2},
        {"two garrisons only", 2, false, 2, 0, false, 2, 0, 0, 2},
        {"and an army's corps supplied from Evansville", 2, false, 2, 0, true, 3, 0, 0, 2},
        {"Kentucky lost: the plan's corps strike", 3, false, 2, 0, false, 3, 0, 2, 2},
        {"1 in Ohio: cautiously", 3, false, 1, 1, false, 3, 0, 1, 2},
        {"2 in Ohio", 3, false, 1, 2, false, 3, 0, 2, 2},
        {"quiet: the plan rests", 3, false, 1, 0, false, 0, 0, 0, 2},
    };
    for (const Valley& c : valley) {
        SCOPED_TRACE(c.what);
        SetUp();
        St(20).ControlSide = static_cast<U8>(c.kentucky);
        St(9).EnemyStrength = static_cast<std::uint16_t>(c.ohio);
        Place(38, 30, 10, kUnion, 8).Garrison = 1;
        Place(80, 40, 10, kUnion, 9).Garrison = 1;
        Place(40, 40, 14, kUnion, 9);
        Place(81, 30, 14, kUnion, 8);
        if (c.homeCorps) Corps(kNationUnion, 70, 50, 9);
        const int free = Corps(kNationUnion, 41, 14);
        if (c.supplied) {
            const int k = Corps(kNationUnion, 30, 14);
            C(k).SupplyCity = 81, C(k).Army = 1;
        }
        const int striker = Corps(kNationUnion, 60, 40, 0, 2);
        const TCityRec& target = EnemyTarget(20, 60, 45, 100);
        EXPECT_EQ(Run(UsaPlan2, 2, c.state), c.next);
        EXPECT_EQ(City(40).Status, c.alarm);
        if (c.state == 2) {
            EXPECT_EQ((Ints{C(free).PlanTag, C(free).SupplyCity, C(free).DestX}), (Ints{2, 40, 40}));
        }
        EXPECT_EQ(C(striker).PlanTag, c.tag);
        EXPECT_EQ(Orders(striker), Struck(striker, c.stance, target));
    }
    // Plan 7: the free western armies take Nashville, then more are tagged until their corps match
    // the Tennessee cities held by others; the first keeps Nashville, the next the state's best.
    for (int state : {0, 2, 3}) {
        SCOPED_TRACE(state);
        SetUp();
        St(21).ControlSide = kConfederacy, St(21).ForeignHeld = 3;
        for (int s : {6, 9}) St(s).ControlSide = kUnion;
        Place(81, 30, 30, kUnion, 8, kWest);
        Place(46, 30, 40, kConfederacy, 21, kWest).Value = 5;
        Place(48, 34, 40, kConfederacy, 21, kWest).Value = 9;
        const int first = ArmyAt(kNationUnion, 81, state == 3 ? 7 : 0), next = ArmyAt(kNationUnion, 81);
        for (int a : {first, next}) Army(a).Theatre = kWest;
        if (state != 3) Army(next).Theatre = kSeaboard;
        EXPECT_EQ(Run(UsaPlan7, 7, state), state == 0 ? 2 : 3);
        if (state == 0) continue;
        EXPECT_EQ((Ints{Army(first).PlanTag, Army(first).Objective, Army(first).SupplyBase}), (Ints{7, 46, 83}));
        EXPECT_EQ((Ints{Army(next).PlanTag, Army(next).Objective, Army(next).SupplyBase}),
                  (state == 3 ? Ints{7, 48, 46} : Ints{0, 0, 0}));
    }
}

class ConfederatePlans : public PlanWorld {
protected:
    void SetUp() override {
        PlanWorld::SetUp();
        St(21).ControlSide = St(22).ControlSide = kConfederacy;
    }
};

TEST_F(ConfederatePlans, TennesseeWakesForKentuckyOrAThreatNeedsTwoCorpsOfItsOwnAndEndsOnceTheStateIsLost) {
    // Nashville held, Fort Donelson and Murfreesboro the enemy's; the first corps of Tennessee
    // starts on the plan, 7 hexes from Fort Donelson. lost: Tennessee the Union's with two cities
    // held by others. corps: that corps' tag, mode, supply city and destination afterwards; city:
    // Nashville's tag and alarm and Memphis's alarm.
    struct Case {
        const char* what;
        int state, kentucky;
        bool threat;
        int corps;
        bool lost;
        int next;
        Ints corpsOrders, city;
    };
    const Case cases[] = {
        {"Tennessee held, Kentucky not: awake", 0, 0, false, 1, false, 1, {12, 1, 0, 30, 30}, {12, 0, 0}},
        {"Kentucky held too: let go", 0, 2, false, 1, false, 0, {0, 1, 0, 30, 30}, {0, 0, 0}},
        {"an enemy outnumbering it at Fort Donelson: awake", 0, 2, true, 1, false, 1, {12, 1, 0, 30, 30}, {12, 0, 0}},
        {"one corps of Tennessee: alarms, every turn", 1, 0, false, 1, false, 1, {12, 1, 46, 36, 28}, {12, 1, 1}},
        {"two: on the march", 1, 0, false, 2, false, 3, {12, 1, 46, 36, 28}, {12, 0, 0}},
        {"two, but the state lost: the plan ends", 1, 0, false, 2, true, 0, {12, 1, 46, 36, 28}, {12, 0, 0}},
        {"on the march, at the last lost city", 3, 0, false, 1, false, 3, {12, 2, 0, 38, 30}, {12, 0, 0}},
        {"the state lost: the plan ends", 3, 0, false, 1, true, 0, {12, 2, 0, 38, 30}, {12, 0, 0}},
        {"waiting, whatever the state", 2, 0, false, 1, true, 2, {12, 1, 0, 30, 30}, {12, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        St(20).ControlSide = static_cast<U8>(c.kentucky);
        if (c.lost) St(21).ControlSide = kUnion, St(21).ForeignHeld = 2;
        Place(46, 36, 28, kConfederacy, 21).PlanTag = 12;
        for (int city : {47, 48}) Place(city, city - 10, 30, kUnion, 21);
        const int k = Corps(kNationConfederacy, 30, 30, 21, 12);
        if (c.corps == 2) Corps(kNationConfederacy, 31, 30, 21);
        if (c.threat) C(Corps(kNationUnion, 37, 32)).Strength = 300;
        EXPECT_EQ(Run(CsaPlan12, 12, c.state), c.next);
        EXPECT_EQ((Ints{C(k).PlanTag, C(k).OrderMode, C(k).SupplyCity, C(k).DestX, C(k).DestY}), c.corpsOrders);
        EXPECT_EQ((Ints{City(46).PlanTag, City(46).Status, City(50).Status}), c.city);
    }
}

TEST_F(ConfederatePlans, TennesseesArmiesMarchIntoKentuckyWhileItIsNotTheirs) {
    struct Case { const char* what; int state; bool kentucky; int tag, next; Ints army; };
    const Case cases[] = {
        // army: tag, stance, objective, second target
        {"Kentucky open: awake", 0, false, 0, 2, {0, 0, 0, 0}},
        {"Kentucky theirs: the army let go", 0, true, 10, 0, {0, 0, 0, 0}},
        {"the army at Nashville, stronger there", 2, false, 0, 3, {10, 2, 0, 0}},
        {"on the march", 3, false, 10, 3, {10, 2, 43, 42}},
        {"no army left", 3, false, 0, 2, {0, 0, 0, 0}},
        {"Kentucky taken", 3, true, 10, 0, {10, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        St(20).ControlSide = c.kentucky ? kConfederacy : kUnion;
        Place(46, 30, 40, kConfederacy, 21);
        const int a = ArmyAt(kNationConfederacy, 46, c.tag);
        Corps(kNationConfederacy, 30, 41);
        EXPECT_EQ(Run(CsaPlan10, 10, c.state), c.next);
        EXPECT_EQ((Ints{Army(a).PlanTag, Army(a).Stance, Army(a).Objective, Army(a).SupplyBase}), c.army);
    }
}

TEST_F(ConfederatePlans, VirginiaWakesForAnEnemyNearRichmondAndItsArmyOrNearestCorpsMansItsCities) {
    // Richmond, and a second Virginian city 20 hexes off with the army of Virginia based there and a
    // free corps beside it; an enemy 2 hexes from Richmond in most rows. army: its tag and stance;
    // guard: that corps' tag, supply city and mode; city: the second city's tag.
    struct Case {
        const char* what;
        int state, virginia;
        bool enemyNear, richmondHeld, armyCorps;
        int next;
        Ints army, guard;
        int city;
    };
    const Case cases[] = {
        {"an enemy near Richmond: awake", 0, 2, true, true, false, 3, {13, 0}, {13, 0, 1}, 13},
        {"none: let go", 0, 2, false, true, false, 0, {0, 0}, {0, 0, 1}, 0},
        {"Virginia lost: let go", 0, 1, true, true, false, 0, {0, 0}, {0, 0, 1}, 0},
        {"Richmond lost: the army with corps answers for the city", 3, 2, true, false, true, 3, {13, 1}, {0, 0, 1}, 13},
        {"an army without corps: the nearest corps is sent", 3, 2, true, false, false, 3, {13, 1}, {13, 19, 1}, 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TStateRec& virginia = St(22);
        virginia.ControlSide = static_cast<U8>(c.virginia), virginia.ForeignHeld = 1, virginia.EnemyStrength = 100;
        Place(17, 40, 20, c.richmondHeld ? kConfederacy : kUnion, 22);
        Place(19, 20, 30, kConfederacy, 22).PlanTag = 13;
        const int tag = c.state == 0 ? 13 : 0;
        const int a = ArmyAt(kNationConfederacy, 19, tag);
        if (c.armyCorps) C(Corps(kNationConfederacy, 20, 31)).Army = static_cast<U8>(a);
        const int guard = Corps(kNationConfederacy, 21, 30, 0, tag);
        if (c.enemyNear) Corps(kNationUnion, 40, 22);
        EXPECT_EQ(Run(CsaPlan13, 13, c.state), c.next);
        EXPECT_EQ((Ints{Army(a).PlanTag, Army(a).Stance}), c.army);
        EXPECT_EQ((Ints{C(guard).PlanTag, C(guard).SupplyCity, C(guard).OrderMode}), c.guard);
        EXPECT_EQ(City(19).PlanTag, c.city);
    }
    // With Richmond held the first army of Virginia takes it as objective, or the best-valued
    // Virginian city not its side's; Fort Monroe must be worth four times the best met before it.
    struct Objective { int fortMonroe; bool army; int objective; };
    for (const Objective& c : {Objective{41, true, 23}, Objective{40, true, 30}, Objective{41, false, 0}}) {
        SCOPED_TRACE(c.fortMonroe);
        SetUp();
        Place(17, 40, 20, kConfederacy, 22);
        Place(19, 38, 22, kConfederacy, 22);
        Place(13, 45, 20, kUnion, 22).Value = 10;
        Place(23, 46, 22, kUnion, 22).Value = static_cast<U8>(c.fortMonroe);
        Place(30, 47, 24, kUnion, 22).Value = 11;
        const int a = c.army ? ArmyAt(kNationConfederacy, 19) : 0;
        const int guard = Corps(kNationConfederacy, 41, 21);
        Run(CsaPlan13, 13, 3);
        if (a) EXPECT_EQ((Ints{Army(a).PlanTag, Army(a).Objective, Army(a).SupplyBase}), (Ints{13, c.objective, 17}));
        EXPECT_EQ((Ints{C(guard).PlanTag, C(guard).SupplyCity, City(19).PlanTag}), (Ints{13, 17, 13}));
    }
}

TEST_F(ConfederatePlans, TheRiverPlanCallsForItsStatesCorpsMansItsCitiesAndStrikesAtLostOnes) {
    // Memphis, Little Rock, New Orleans, Vicksburg and Jackson held; a free corps two hexes from
    // Memphis in some rows; the plan's striker far off and an army it once tagged. held: Arkansas
    // the Confederacy's (Mississippi and Louisiana are not). alarms: Memphis, Little Rock and
    // Vicksburg; tag: the striker's and Little Rock's tag afterwards.
    struct Case {
        const char* what;
        int state;
        bool held;
        int homeCorps;
        bool littleRock, byMemphis;
        int next;
        Ints alarms;
        int tag;
    };
    const Case cases[] = {
        {"the three states lost: its corps and cities let go", 0, false, 0, false, false, 0, {0, 0, 0}, 0},
        {"one held: awake", 0, true, 0, false, false, 1, {0, 0, 0}, 11},
        {"one corps of the three states: alarms, every turn", 1, true, 1, false, false, 1, {1, 1, 1}, 11},
        {"two: manning next", 1, true, 2, false, false, 2, {0, 0, 0}, 11},
        {"Memphis manned and Little Rock garrisoned", 2, true, 0, true, true, 3, {0, 0, 1}, 11},
        {"Memphis manned alone", 2, true, 0, false, true, 2, {0, 1, 1}, 11},
        {"Little Rock garrisoned alone", 2, true, 0, true, false, 2, {0, 0, 1}, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        St(24).ControlSide = c.held ? kConfederacy : kUnion;
        for (int s : {25, 26}) St(s).ControlSide = kUnion;
        Place(50, 27, 32, kConfederacy, 21);
        Place(51, 21, 33, kConfederacy, 24).Garrison = c.littleRock;
        Place(65, 27, 49, kConfederacy, 26, 3);
        Place(67, 33, 41, kConfederacy, 25);
        Place(68, 27, 41, kConfederacy, 25);
        City(51).PlanTag = 11;
        for (int i = 0; i < c.homeCorps; ++i) Corps(kNationConfederacy, 60, 10, 24);
        const int byMemphis = c.byMemphis ? Corps(kNationConfederacy, 27, 30) : 0;
        const int striker = Corps(kNationConfederacy, 60, 20, 0, 11);
        const int army = ArmyAt(kNationConfederacy, 50, 11);
        EXPECT_EQ(Run(CsaPlan11, 11, c.state), c.next);
        EXPECT_EQ((Ints{City(50).Status, City(51).Status, City(67).Status}), c.alarms);
        EXPECT_EQ((Ints{C(striker).PlanTag, City(51).PlanTag}), (Ints{c.tag, c.tag}));
        EXPECT_EQ(Army(army).PlanTag, 11) << "the plan claims no army and lets none go";
        if (byMemphis != 0) {
            EXPECT_EQ((Ints{C(byMemphis).PlanTag, C(byMemphis).SupplyCity, C(byMemphis).DestX, C(byMemphis).DestY}),
                      (Ints{11, 50, 27, 32}));
        }
    }
    // Striking back: with nothing held and garrisoned it ends; otherwise its corps march on the
    // lost city.
    for (bool held : {false, true}) {
        SCOPED_TRACE(held);
        SetUp();
        Place(51, 21, 33, kConfederacy, 24).Garrison = held;
        Place(50, 27, 32, kConfederacy, 21);
        Place(68, 27, 41, kConfederacy, 25);
        Place(65, 27, 49, kUnion, 26, 3);
        const int k = Corps(kNationConfederacy, 27, 20, 0, 11);
        C(Corps(kNationUnion, 27, 49)).Strength = 100;
        EXPECT_EQ(Run(CsaPlan11, 11, 3), held ? 3 : 0);
        EXPECT_EQ(Dest(k), held ? Hex(City(65)) : (Ints{27, 20}));
        EXPECT_EQ(C(k).OrderMode, held ? 2 : 1) << "the enemy outnumbers them there";
    }
}

TEST_F(ConfederatePlans, ALostPortDrawsTheNearestFreeCorpsAndRailStationsKeepThePlanAlive) {
    struct Case { const char* what; int theatre, distance; bool inArmy, sent; };
    const Case cases[] = {{"same theatre, 15 hexes", 1, 15, false, true},
                          {"another theatre, 11 hexes (22)", 2, 11, false, false},
                          {"in an army", 1, 5, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TCityRec& port = Place(29, 40, 40, kUnion, 28);
        port.OriginalOwner = kNationConfederacy, port.Port = 1;
        const int k = Corps(kNationConfederacy, 40, 40 - c.distance);
        C(k).Region = static_cast<U8>(c.theatre);
        C(k).Army = c.inArmy;
        EXPECT_EQ(Run(CsaPlan14, 14, 2), 0) << "no port held and garrisoned";
        EXPECT_EQ(C(k).PlanTag, c.sent ? 14 : 0);
        if (c.sent) EXPECT_EQ((Ints{C(k).OrderMode, C(k).DestY}), (Ints{2, 40}));
    }
    // In state 0 the plan counts home rail stations held, ports or not.
    Place(58, 42, 36, kConfederacy, 29).RailLink = 1;
    EXPECT_EQ(Run(CsaPlan14, 14, 0), 2);
    City(58).Owner = kUnion;
    City(58).PlanTag = 14;
    EXPECT_EQ(Run(CsaPlan14, 14, 0), 0);
    EXPECT_EQ(City(58).PlanTag, 0);
}

class AmphibiousLandings : public PlanWorld {
protected:
    void SetUp() override {
        PlanWorld::SetUp();
        Place(home, 40, 30, kUnion, 11).Port = 1;
        Place(31, 60, 30, kConfederacy, 29).Port = 1;
        City(31).Value = 20;
        Nation().TheatreSupplies[1] = 100;
        TFleetRec& f = Fleet();
        f = TFleetRec{};
        f.Owner = kNationUnion, f.Side = kUnion, f.WaterType = kWaterOcean, f.Transports = 2;
        f.HomePort = static_cast<U8>(home), f.HexX = 40, f.HexY = 30, f.Supplies = 6;
    }
    void TearDown() override {
        // No corps is left embarked without a fleet in service carrying it.
        for (int k = 1; k <= kCorpsCount; ++k) {
            if (!CorpsInUse(C(k)) || C(k).OrderMode != kOrderEmbarked) continue;
            int carriers = 0;
            for (const TFleetRec& f : GameRec->Fleets) carriers += f.BuildCounter == 0 && f.Cargo == k;
            EXPECT_EQ(carriers, 1) << "corps " << k << " stranded at sea on land";
        }
        PlanWorld::TearDown();
    }
    static TFleetRec& Fleet() { return GameRec->Fleets[1]; }
    static TNationRec& Nation() { return GameRec->Nations[1]; }
    int Gunner(int x, int y, int supplyCity) {
        const int k = Corps(kNationUnion, x, y);
        C(k).ArtilleryCount = 1, C(k).SupplyCity = static_cast<U8>(supplyCity);
        return k;
    }
    // The fleet's mission, cargo and destination, and the theatre pool it may draw on.
    static Ints FleetOrders() {
        return {Fleet().Mission, Fleet().Cargo, Fleet().DestX, Fleet().DestY, Nation().TheatreSupplies[1]};
    }
    static constexpr int home = 20;
};

TEST_F(AmphibiousLandings, PortsAreRatedAndAFleetMustBeProvisionedForTheVoyage) {
    // A port already the target of a loaded fleet is worth nothing more, except to France.
    for (int n : {kNationUnion, kNationFrance}) {
        SCOPED_TRACE(n);
        SetUp();
        GameRec->Nations[3].Side = kConfederacy;
        if (n == kNationFrance) City(31).Owner = City(31).Nation = kNationUnion;
        TFleetRec& loaded = GameRec->Fleets[2];
        loaded.Owner = static_cast<U8>(n), loaded.Cargo = 9, loaded.TargetCity = 31;
        PlanAmphibiousLanding(n);
        EXPECT_EQ(CityScore(City(31)), n == kNationFrance ? 30 : 0);
    }
    // Two transports carry 6 supplies' worth; the theatre pool may make up the rest.
    struct Case { int supplies, pool, fleet; };
    for (const Case& c : {Case{6, 0, 1}, Case{5, 0, 0}, Case{5, 1, 1}}) {
        SCOPED_TRACE(::testing::Message() << c.supplies << " + " << c.pool);
        SetUp();
        Fleet().TransportTag = 9, Fleet().Supplies = static_cast<std::uint16_t>(c.supplies);
        Nation().TheatreSupplies[1] = static_cast<std::uint16_t>(c.pool);
        EXPECT_EQ(FindTransportFleet(kNationUnion, 31), c.fleet);
    }
}

TEST_F(AmphibiousLandings, TheCorpsBoardsAtTheFleetOrWaitsAshoreOrMarchesToIt) {
    struct Case { const char* what; int x, y, supply, sx, sy, port; Ints corps, fleet; };
    const Case cases[] = {
        // corps: mode, march, destination, supply city, home state; fleet: as FleetOrders. Boarding
        // at once pays the voyage from the pool: (0 + 20 hexes) x 2 ships x 3 / 10.
        {"at the fleet", 40, 30, home, 0, 0, 1, {4, 1, 40, 30, home, 0}, {6, 1, 60, 30, 88}},
        {"far off, by a port: fetched", 40, 41, 21, 40, 41, 1, {0, 1, 40, 41, 21, 0}, {2, 0, 40, 41, 100}},
        {"on its supply city: waits", 40, 35, 21, 40, 35, 0, {0, 1, 40, 35, 21, 0}, {6, 1, 0, 0, 100}},
        {"marches to the fleet", 40, 35, 21, 44, 44, 0, {0, 2, 40, 30, home, 7}, {6, 1, 0, 0, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        Hex(40, 30).SetState(7);
        if (c.supply != home) Place(c.supply, c.sx, c.sy, kUnion, 11).Port = static_cast<U8>(c.port);
        const int k = Gunner(c.x, c.y, c.supply);
        const int planned = Gunner(41, 30, home);  // another plan's gunner keeps its tag
        C(planned).PlanTag = 12;
        PlanAmphibiousLanding(kNationUnion);
        EXPECT_EQ((Ints{C(k).OrderMode, C(k).March, C(k).DestX, C(k).DestY, C(k).SupplyCity, C(k).HomeState}), c.corps);
        EXPECT_EQ(FleetOrders(), c.fleet);
        EXPECT_EQ((Ints{C(k).PlanTag, C(planned).PlanTag}), (Ints{9, 12}));
    }
}

TEST_F(AmphibiousLandings, AfterMovementACorpsAlongsideAtRestIsTakenAboard) {
    struct Case { const char* what; int y, mode; bool gone; Ints corps, fleet; };
    const Case cases[] = {
        // corps mode and hex; fleet mission, cargo, destination
        {"alongside at rest", 31, 0, false, {4, 40, 30}, {6, 1, 40, 30, 100}},
        {"two hexes off", 32, 0, false, {0, 40, 32}, {2, 0, 40, 30, 100}},
        {"alongside, advancing", 31, 2, false, {2, 40, 31}, {2, 0, 40, 30, 100}},
        {"a cargo naming a free slot", 31, 0, true, {0, 40, 31}, {6, 0, 60, 30, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int k = Corps(kNationUnion, 40, c.y);
        C(k).OrderMode = static_cast<U8>(c.mode), C(k).Unused = c.gone;
        Fleet().Cargo = static_cast<U8>(k), Fleet().Mission = kMissionAmphibious, Fleet().TargetCity = 31;
        Fleet().DestX = 60, Fleet().DestY = 30;
        EmbarkAssignedCorps();
        EXPECT_EQ((Ints{C(k).OrderMode, C(k).HexX, C(k).HexY}), c.corps);
        EXPECT_EQ(FleetOrders(), c.fleet);
    }
}

}  // namespace
}  // namespace kvt
