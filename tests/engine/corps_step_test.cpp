// The corps movement step: terrain and hexside costs, taking ground, the neutral state, contact,
// disruption and rallying, choosing a step, and the reactions to friends and enemies nearby.
#include <gtest/gtest.h>

#include "engine/core/corps_movement.h"
#include "engine/core/random.h"
#include "tests/engine/movement_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::MovementWorld;
using testing::ScriptedFrontend;

class CorpsStep : public MovementWorld {
protected:
    void SetUp() override {
        MovementWorld::SetUp();
        FillMap(1, kUnion, 0);
        GameRec->Nations[1].Human = 1;
    }
    TCorpsRec& C(int c) { return GameRec->Corps[c]; }
    static THexPos P(int x, int y) { return {static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)}; }
    THexPos At(int c) { return P(C(c).HexX, C(c).HexY); }

    // A corps with a planned route and a full allowance, heading far away.
    int Marcher(int nation, int x, int y, std::vector<int> route, int leader = -1) {
        const int c = AddCorps(nation, x, y, leader);
        C(c).DestX = static_cast<U8>(x);
        C(c).DestY = static_cast<U8>(y >= 30 ? 1 : 54);
        C(c).MarchAllowance = 100;
        C(c).LeaderInitiative = 30;
        for (std::size_t e = 0; e < route.size(); ++e) C(c).Route[static_cast<int>(e) + 1] = static_cast<U8>(route[e]);
        return c;
    }
};

TEST_F(CorpsStep, TerrainAndHexsidesSetTheCostOfAStep) {
    struct Case {
        const char* what;
        int terrain, hexside, stateOwner;
        bool steps;
        int fatigue, allowance;
    };
    const Case cases[] = {
        {"open", 1, 0, 0, true, 6, 96},          {"broken", 2, 0, 0, true, 8, 91},
        {"city", 4, 0, 0, true, 6, 97},          {"forest", 5, 0, 0, true, 9, 90},
        {"hills", 6, 0, 0, true, 8, 92},         {"marsh", 7, 0, 0, true, 7, 94},
        {"stream", 1, 1, 0, true, 8, 93},        {"river", 1, 2, 0, true, 12, 87},
        {"enemy state", 1, 0, 2, true, 7, 90},   {"own state", 1, 0, 1, true, 6, 96},
        {"water", 0, 0, 0, false, 4, 100},       {"impassable", 3, 0, 0, false, 4, 100},
        {"impassable hexside", 1, 3, 0, false, 4, 100},
    };
    for (const Case& c : cases) {
        SetUp();
        Hex(10, 11).SetTerrain(c.terrain);
        Hex(10, 11).SetHexside(1, c.hexside);
        Hex(10, 11).SetState(9);
        GameRec->States[9].Owner = static_cast<U8>(c.stateOwner);
        const int k = Marcher(1, 10, 10, {4, 4});
        C(k).Fatigue = 5;
        C(k).Entrenchment = 2;
        const int b = AddBrigade(k, kBrigadeInfantry, 80, 2, 5);
        const bool shown = MoveCorpsStep(k);
        EXPECT_EQ(At(k), c.steps ? P(10, 11) : P(10, 10)) << c.what;
        EXPECT_EQ(C(k).Fatigue, c.fatigue) << c.what;
        EXPECT_EQ(GameRec->Brigades[b].Fatigue, c.fatigue) << c.what;
        EXPECT_EQ(C(k).MarchAllowance, c.allowance) << c.what;
        EXPECT_EQ(shown, c.steps) << c.what;
        EXPECT_EQ(C(k).Route[1], 0) << c.what;
        EXPECT_EQ(C(k).Route[2], 4) << c.what;
        if (c.steps) {
            EXPECT_EQ(C(k).StepDone[1], 4) << c.what;
            EXPECT_EQ(C(k).StepsTaken, 1) << c.what;
            EXPECT_EQ(P(C(k).StartX, C(k).StartY), P(10, 10)) << c.what;
            EXPECT_EQ(C(k).Entrenchment, 0) << c.what;
            EXPECT_EQ(C(k).RouteIndex, 2) << c.what;
            EXPECT_EQ(C(k).StepDirection, 4) << c.what;
        } else {
            EXPECT_EQ(C(k).RouteIndex, 1) << c.what;
            EXPECT_EQ(C(k).StepsTaken, 0) << c.what;
        }
    }
}

TEST_F(CorpsStep, ShortAllowanceStopsTheCorpsUntilNextTurn) {
    const int k = Marcher(1, 10, 10, {4, 4, 4, 4});
    C(k).MarchAllowance = 5;
    for (int step = 1; step <= 3; ++step) {
        GameRec->MoveStep = static_cast<U8>(step);
        MoveCorpsStep(k);
    }
    EXPECT_EQ(At(k), P(10, 11)) << "one step of 4 leaves 1, short of the next 5";
    EXPECT_EQ(C(k).MarchAllowance, 1);
    EXPECT_EQ(std::vector<int>(C(k).Route.begin(), C(k).Route.end()), (std::vector<int>{0, 0, 4, 4, 0, 0, 0, 0, 0}));
    PlanCorpsMoves();
    EXPECT_EQ(std::vector<int>(C(k).Route.begin(), C(k).Route.end()), (std::vector<int>{4, 4, 0, 0, 0, 0, 0, 0, 0}))
        << "the rest of the route is resumed next turn";
}

TEST_F(CorpsStep, EnteringHostileGroundTakesItUnlessTheEnemyHoldsIt) {
    struct Case { const char* what; int draw; bool enemyThere; int allowance, control, contact; };
    const Case cases[] = {
        {"quick march over it", 10, false, 95, kUnion, 0},
        {"slow march over it", 60, false, 92, kUnion, 0},
        {"the enemy stands there", 60, true, 92, kConfederacy, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        Hex(10, 11).SetControlSide(kConfederacy);
        const int k = Marcher(1, 10, 10, {4}, AddLeader(1, 30, 40));
        int enemy = 0;
        if (c.enemyThere) {
            enemy = AddCorps(2, 10, 11);
            // Aboard a fleet it provokes no reaction before the step, yet it is met on the hex.
            GameRec->Corps[enemy].OrderMode = kOrderEmbarked;
        }
        ScriptRandomDraws({c.draw});
        MoveCorpsStep(k);
        EXPECT_EQ(At(k), P(10, 11)) << c.what;
        EXPECT_EQ(C(k).MarchAllowance, c.allowance) << c.what;
        EXPECT_EQ(Hex(10, 11).ControlSide(), c.control) << c.what;
        EXPECT_EQ(C(k).ContactCode, c.contact) << c.what;
        if (enemy) EXPECT_EQ(C(enemy).ContactCode, 1) << c.what;
    }
}

TEST_F(CorpsStep, FirstCorpsIntoTheNeutralStateHandsItToTheEnemy) {
    for (int side : {kUnion, kConfederacy}) {
        SetUp();
        ScriptedFrontend frontend;
        GameRec->Nations[2].Human = 1;
        FillMap(1, 0, 0);
        for (auto [x, y] : {std::pair{10, 11}, {10, 12}, {11, 12}, {30, 30}}) Hex(x, y).SetState(20);
        GameRec->States[20].Name = "Border";
        const int city = AddCity("Town", 30, 30, 0);
        GameRec->Cities[city].State = 20;
        const int first = Marcher(side, 10, 10, {4});
        const int second = Marcher(side, 9, 12, {3});
        frontend.ExpectNotice(18);
        ScriptRandomDraws({99, 99});
        MoveCorpsStep(first);
        MoveCorpsStep(second);
        const int other = side == kUnion ? kConfederacy : kUnion;
        EXPECT_EQ(GameRec->States[20].Owner, other);
        EXPECT_EQ(GameRec->States[20].Controller, other);
        EXPECT_EQ(GameRec->States[20].ControlSide, other);
        EXPECT_EQ(GameRec->Cities[city].Owner, other);
        EXPECT_EQ(Hex(30, 30).ControlSide(), other);
        EXPECT_EQ(Hex(10, 11).ControlSide(), side) << "the hex entered is the corps' own";
        EXPECT_EQ(Hex(10, 12).ControlSide(), side) << "the second corps finds the state at war";
        EXPECT_EQ(Hex(11, 12).ControlSide(), other);
        ASSERT_EQ(frontend.notices.size(), 1u);
        EXPECT_EQ(frontend.notices[0].lines[1], "BorderT731");
        EXPECT_EQ(frontend.notices[0].lines[2], side == kUnion ? "the Confederacy." : "the Union.");
    }
}

TEST_F(CorpsStep, EnemiesMeetingOnAHexStayThere) {
    const int a = Marcher(1, 10, 10, {3, 3, 3});
    const int b = Marcher(2, 11, 12, {1, 1, 1});
    for (int step = 1; step <= 3; ++step) {
        GameRec->MoveStep = static_cast<U8>(step);
        MoveCorpsStep(a);
        MoveCorpsStep(b);
    }
    EXPECT_EQ(At(a), P(11, 11));
    EXPECT_EQ(At(b), P(11, 11));
    for (int c : {a, b}) {
        EXPECT_EQ(C(c).ContactCode, 1);
        EXPECT_EQ(C(c).Losses, 2) << "the step of their first contact";
        EXPECT_EQ(std::vector<int>(C(c).Route.begin(), C(c).Route.end()), std::vector<int>(9, 0));
    }
}

TEST_F(CorpsStep, DisruptedCorpsLosesDisruptionAsItMovesAndMayRally) {
    struct Case {
        const char* what;
        int moveStep, disruption, rallyDraw;  // -1: no rally draw
        bool enemyAdjacent;
        int expectedDisruption;
        bool moves;
        int fatigue, allowance;
    };
    const Case cases[] = {
        {"first step: no rally", 1, 3, -1, false, 2, true, 1, 96},
        {"rallies and moves", 2, 3, 10, false, 1, true, 3, 91},
        {"fails to rally", 2, 3, 60, false, 2, true, 1, 96},
        {"rallies fully and holds", 2, 1, 10, false, 0, false, 1, 95},
        {"no rally next to the enemy", 2, 3, -1, true, 2, true, 1, 96},
    };
    for (const Case& c : cases) {
        SetUp();
        GameRec->MoveStep = static_cast<U8>(c.moveStep);
        const int k = Marcher(1, 10, 10, {1}, AddLeader(1, 30, 0, 50));
        C(k).Disruption = static_cast<U8>(c.disruption);
        if (c.enemyAdjacent) {
            const int e = AddCorps(2, 10, 11);
            C(e).Disruption = 1;
        }
        if (c.rallyDraw >= 0) ScriptRandomDraws({c.rallyDraw});
        MoveCorpsStep(k);
        ScriptRandomDraws({});
        EXPECT_EQ(C(k).Disruption, c.expectedDisruption) << c.what;
        EXPECT_EQ(At(k), c.moves ? P(10, 9) : P(10, 10)) << c.what;
        EXPECT_EQ(C(k).Fatigue, c.fatigue) << c.what;
        EXPECT_EQ(C(k).MarchAllowance, c.allowance) << c.what;
        if (c.moves) EXPECT_EQ(C(k).SupplyType, 2) << c.what;
        else EXPECT_EQ(C(k).OrderMode, kOrderDefend) << c.what;
    }
}

TEST_F(CorpsStep, EnemyCityStopsAnOrderlyCorps) {
    for (bool disrupted : {false, true}) {
        SetUp();
        AddCity("Fort", 10, 11, kConfederacy);
        Hex(10, 11).SetControlSide(kConfederacy);
        const int k = Marcher(1, 10, 10, {4, 4});
        C(k).Disruption = disrupted ? 3 : 0;
        MoveCorpsStep(k);
        EXPECT_EQ(At(k), P(10, 11));
        EXPECT_EQ(C(k).MarchAllowance, disrupted ? 97 : 0);
    }
}

TEST_F(CorpsStep, TheWatchingSideSeesOnlyWhatItMay) {
    struct Case { int visibility, humanOwn, humanOther; bool shown; };
    const Case cases[] = {{0, 1, 0, true}, {0, 1, 1, false}, {0, 0, 1, false}, {0, 0, 0, true}, {2, 0, 1, true}};
    for (const Case& c : cases) {
        SetUp();
        GameRec->Nations[1].Human = static_cast<U8>(c.humanOwn);
        GameRec->Nations[2].Human = static_cast<U8>(c.humanOther);
        const int k = Marcher(1, 10, 10, {4});
        C(k).Visibility = static_cast<U8>(c.visibility);
        EXPECT_EQ(MoveCorpsStep(k), c.shown) << c.visibility << c.humanOwn << c.humanOther;
        EXPECT_EQ(At(k), P(10, 11));
    }
}

TEST_F(CorpsStep, CorpsChoosingItsStepHeadsForItsTarget) {
    struct Case { const char* what; bool wallSouth, hostileAround, engaged; THexPos expected; };
    const Case cases[] = {
        {"straight toward the destination", false, false, false, {10, 11}},
        {"around an impassable hexside, first best direction", true, false, false, {11, 11}},
        {"a withdrawing engaged corps keeps its entrenched ground", false, true, true, {10, 10}},
    };
    for (const Case& c : cases) {
        SetUp();
        const int k = Marcher(1, 10, 10, {kRouteChooseStep});
        C(k).DestY = 14;
        if (c.wallSouth) Hex(10, 11).SetHexside(1, 3);
        if (c.hostileAround)
            for (int d = 1; d <= 6; ++d) {
                int x = 10, y = 10;
                StepHexAt(x, y, d);
                Hex(x, y).SetTerrain(5);
                Hex(x, y).SetControlSide(kConfederacy);
            }
        if (c.engaged) {
            C(k).Opponent = 9;
            C(k).OrderMode = kOrderWithdraw;
            C(k).Entrenchment = 3;
        }
        MoveCorpsStep(k);
        EXPECT_EQ(At(k), c.expected) << c.what;
    }
}

TEST_F(CorpsStep, CavalryAvoidsASuperiorEnemyOnItsHex) {
    for (int ownBrigades : {1, 2}) {
        SetUp();
        GameRec->MoveStep = 2;
        const int cavalry = Marcher(1, 10, 10, {4, 4});
        C(cavalry).Kind = 2;
        for (int i = 0; i < ownBrigades; ++i) AddBrigade(cavalry, kBrigadeCavalry, 50);
        const int enemy = AddCorps(2, 10, 10);
        for (int i = 0; i < 4; ++i) AddBrigade(enemy, kBrigadeInfantry, 80);
        MoveCorpsStep(cavalry);
        if (ownBrigades == 1) {
            EXPECT_NE(At(cavalry), P(10, 10)) << "a third of the enemy's brigades or fewer: it slips away";
            EXPECT_EQ(C(cavalry).ContactCode, 0);
        } else {
            EXPECT_EQ(At(cavalry), P(10, 10)) << "strong enough to stay in contact";
            EXPECT_EQ(C(cavalry).ContactCode, 1);
        }
    }
}

TEST_F(CorpsStep, CorpsMarchesToAFriendInContact) {
    struct Case { const char* what; bool sameArmy; int weather; bool marches; };
    const Case cases[] = {
        {"same army within 5", true, 0, true},
        {"another army: range 1", false, 0, false},
        {"snow halves the range", true, 5, false},
    };
    for (const Case& c : cases) {
        SetUp();
        GameRec->TheatreWeather[1] = static_cast<std::uint16_t>(c.weather);
        const int a = AddArmy(1, 0, AddLeader(1, 40, 40));
        const int k = Marcher(1, 10, 10, {1, 1, 1}, AddLeader(1, 30, 40));
        C(k).Army = static_cast<U8>(a);
        const int friendCorps = AddCorps(1, 10, 13);
        C(friendCorps).ContactCode = 1;
        C(friendCorps).Army = c.sameArmy ? static_cast<U8>(a) : 0;
        if (c.marches) ScriptRandomDraws({19});  // 19 + 15 < 35: it goes
        MoveCorpsStep(k);
        ScriptRandomDraws({});
        if (!c.marches) {
            EXPECT_EQ(At(k), P(10, 9)) << c.what << ": keeps to its route";
            continue;
        }
        EXPECT_EQ(At(k), P(10, 11)) << c.what;
        EXPECT_EQ(P(C(k).DestX, C(k).DestY), P(10, 13)) << c.what;
        EXPECT_EQ(C(k).OrderMode, kOrderAdvance) << c.what;
        EXPECT_EQ(C(k).MarchAllowance, 100 + 20 / 2 + 30 / 6 - 4) << c.what;
    }
}

TEST_F(CorpsStep, ComputerCorpsStrikesAnEnemyItCanBeat) {
    struct Case { const char* what; bool human; int enemyStrength; THexPos expected; int allowance; };
    const Case cases[] = {
        {"stronger: strikes", false, 50, {10, 11}, 101},
        {"weaker: keeps its route", false, 300, {10, 9}, 96},
        {"a person's corps always strikes", true, 300, {10, 11}, 101},
    };
    for (const Case& c : cases) {
        SetUp();
        FillMap(1, kConfederacy, 0);
        GameRec->Nations[2].Human = c.human ? 1 : 0;
        const int depot = AddCity("Depot", 5, 5, kConfederacy, 2);
        const int k = Marcher(2, 10, 10, {1, 1});
        C(k).OrderMode = kOrderAdvance;
        C(k).SupplyCity = static_cast<U8>(depot);
        const int enemy = AddCorps(1, 10, 12);
        C(enemy).Strength = static_cast<std::uint16_t>(c.enemyStrength);
        MoveCorpsStep(k);
        EXPECT_EQ(At(k), c.expected) << c.what;
        EXPECT_EQ(C(k).MarchAllowance, c.allowance) << c.what;
    }
}

TEST_F(CorpsStep, DefendingComputerCorpsHoldsWhereItExpectsTheEnemy) {
    struct Case { const char* what; int enemyRoute, enemyAllowance; bool holds; };
    const Case cases[] = {
        {"the enemy's next step lands on it", 1, 20, true},
        {"the enemy has no direction for this step", 0, 20, false},
        {"the enemy's step is its own choice", kRouteChooseStep, 20, false},
        {"the enemy is too spent to step", 1, 5, false},
    };
    for (const Case& c : cases) {
        SetUp();
        FillMap(1, kConfederacy, 0);
        const int depot = AddCity("Depot", 5, 5, kConfederacy, 3);
        const int k = Marcher(2, 10, 11, {1, 1});
        C(k).SupplyCity = static_cast<U8>(depot);
        const int enemy = AddCorps(1, 10, 12);
        C(enemy).Route[1] = static_cast<U8>(c.enemyRoute);
        C(enemy).MarchAllowance = static_cast<std::uint16_t>(c.enemyAllowance);
        MoveCorpsStep(k);
        EXPECT_EQ(At(k), c.holds ? P(10, 11) : P(10, 10)) << c.what;
    }
}

TEST_F(CorpsStep, CorpsThatCannotStepReturnAtOnce) {
    struct Case { const char* what; int orderMode, routeIndex, unused, nation; };
    const Case cases[] = {
        {"embarked", kOrderEmbarked, 1, 0, 1}, {"moving by rail", kOrderRail, 1, 0, 1},
        {"no step left", kOrderDefend, kRouteFinished, 0, 1}, {"free slot", kOrderDefend, 1, 1, 1},
        {"no nation", kOrderDefend, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        const int k = Marcher(1, 10, 10, {4});
        C(k).OrderMode = static_cast<U8>(c.orderMode);
        C(k).RouteIndex = static_cast<U8>(c.routeIndex);
        C(k).Unused = static_cast<U8>(c.unused);
        C(k).Nation = static_cast<U8>(c.nation);
        C(k).StepDirection = 3;
        EXPECT_FALSE(MoveCorpsStep(k)) << c.what;
        EXPECT_EQ(At(k), P(10, 10)) << c.what;
        EXPECT_EQ(C(k).StepDirection, 3) << c.what;
    }
    SetUp();
    const int spent = Marcher(1, 10, 10, {4});
    C(spent).Strength = 0;
    const int leader = C(spent).Leader;
    EXPECT_FALSE(MoveCorpsStep(spent));
    EXPECT_TRUE(C(spent).Unused);
    EXPECT_EQ(GameRec->Leaders[leader].Status, kLeaderAvailable);
    EXPECT_EQ(CheckedAccessFaults(), 0u);
}

}  // namespace
}  // namespace kvt
