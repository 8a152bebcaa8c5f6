// The corps movement step: terrain and hexside costs, taking ground, the neutral state, contact,
// disruption and rallying, choosing a step, and the reactions to friends and enemies nearby.
#include <gtest/gtest.h>

#include "engine/movement/corps_movement.h"
#include "engine/world/random.h"
#include "engine/world/record_queries.h"
#include "tests/engine/movement_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::DrawRanges;
using testing::MovementWorld;
using testing::ScriptedFrontend;

class CorpsStep : public MovementWorld {
protected:
    void SetUp() override {
        MovementWorld::SetUp();
        FillMap(1, kUnion, 0);
        GameRec->Nations[1].Human = 1;
    }

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
        const int french = AddBrigade(k, kBrigadeInfantry, 60, 2, 5);
        GameRec->Brigades[french].Nation = 3;  // serving in a Union corps: it marches with it
        SCOPED_TRACE(c.what);
        const bool shown = MoveCorpsStep(k);
        EXPECT_EQ(At(k), c.steps ? P(10, 11) : P(10, 10));
        // The corps' and both brigades' fatigue, the allowance, whether the step shows, the route.
        EXPECT_EQ((std::vector<int>{C(k).Fatigue, GameRec->Brigades[b].Fatigue, GameRec->Brigades[french].Fatigue,
                                    C(k).MarchAllowance, shown, C(k).Route[1], C(k).Route[2]}),
                  (std::vector<int>{c.fatigue, c.fatigue, c.fatigue, c.allowance, c.steps, 0, 4}));
        // What the playback and the next step read: the step done, steps taken, route index, and
        // for a step taken its start, the entrenchment left and the direction.
        EXPECT_EQ((std::vector<int>{C(k).StepDone[1], C(k).StepsTaken, C(k).RouteIndex}),
                  (std::vector<int>{c.steps ? 4 : 0, c.steps ? 1 : 0, c.steps ? 2 : 1}));
        if (c.steps) {
            EXPECT_EQ(P(C(k).StartX, C(k).StartY), P(10, 10));
            EXPECT_EQ((std::vector<int>{C(k).Entrenchment, C(k).StepDirection}), (std::vector<int>{0, 4}));
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
        if (enemy) {
            EXPECT_EQ(C(enemy).ContactCode, 1) << c.what;
        }
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
        const int city = AddCity("Town", 30, 30, 0), taken = AddCity("Taken", 31, 30, side);
        const int outside = AddCity("Outside", 40, 40, side);
        GameRec->Cities[city].State = GameRec->Cities[taken].State = 20;
        GameRec->Cities[outside].State = 21;
        // One garrison brigade in each city.
        for (int c : {city, taken, outside}) {
            TBrigadeRec& b = GameRec->Brigades[c];
            b.Nation = GameRec->Cities[c].Nation;
            b.AttachKind = kAttachGarrison;
            b.AttachIndex = static_cast<U8>(c);
        }
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
        EXPECT_EQ((std::pair<int, int>(GameRec->Cities[city].Owner, GameRec->Cities[city].Nation)), (std::pair<int, int>(other, other)));
        EXPECT_EQ((std::pair<int, int>(GameRec->Cities[taken].Owner, GameRec->Cities[taken].Nation)), (std::pair<int, int>(other, other)))
            << "a city a side had taken in the state joins with the state";
        EXPECT_EQ((std::pair<int, int>(GameRec->Cities[outside].Owner, GameRec->Cities[outside].Nation)), (std::pair<int, int>(side, side)));
        for (int c : {city, taken, outside})
            EXPECT_EQ(GameRec->Brigades[c].Nation, c == outside ? side : other) << "the garrison of " << GameRec->Cities[c].Name.str();
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

TEST_F(CorpsStep, CavalryCountsOnlyTheBrigadesServingTheirOwnCorpsOnItsHex) {
    // Two cavalry brigades hold against the four on the hex; five more brigades counted as the
    // enemy's would send the cavalry off.
    enum Distractor { kNone, kEnemyNextDoor, kGarrisonNumberedLikeTheEnemy, kAlliedInTheEnemyCorps, kFreeSlotOnTheHex };
    for (const Distractor d : {kNone, kEnemyNextDoor, kGarrisonNumberedLikeTheEnemy, kAlliedInTheEnemyCorps, kFreeSlotOnTheHex}) {
        SCOPED_TRACE(static_cast<int>(d));
        SetUp();
        GameRec->MoveStep = 2;
        const int cavalry = Marcher(1, 10, 10, {4, 4});
        C(cavalry).Kind = 2;
        for (int i = 0; i < 2; ++i) AddBrigade(cavalry, kBrigadeCavalry, 50);
        const int enemy = AddCorps(2, 10, 10);
        for (int i = 0; i < 4; ++i) AddBrigade(enemy, kBrigadeInfantry, 80);
        const int other = d == kEnemyNextDoor ? AddCorps(2, 11, 10) : d == kFreeSlotOnTheHex ? AddCorps(2, 10, 10) : enemy;
        if (d == kFreeSlotOnTheHex) C(other).Unused = 1;
        for (int i = 0; d != kNone && i < 5; ++i) {
            TBrigadeRec& b = GameRec->Brigades[AddBrigade(other, kBrigadeInfantry, 80)];
            if (d == kGarrisonNumberedLikeTheEnemy) b.AttachKind = kAttachGarrison;
            if (d == kAlliedInTheEnemyCorps) b.Nation = kNationBritain;
        }
        MoveCorpsStep(cavalry);
        EXPECT_EQ(At(cavalry), P(10, 10)) << "strong enough to stay in contact";
        EXPECT_EQ(C(cavalry).ContactCode, 1);
    }
}

TEST_F(CorpsStep, CorpsMarchesToAFriendInContact) {
    struct Case { const char* what; bool sameArmy; int weather; int friendY, draw; bool marches; };
    const Case cases[] = {
        {"same army within 5", true, 0, 13, 19, true},
        {"same army at the edge of 5: 9 + 25 < 35", true, 0, 15, 9, true},
        {"same army 6 away", true, 0, 16, 0, false},
        {"another army: range 1", false, 0, 13, 19, false},
        {"snow halves the range", true, 5, 13, 19, false},
    };
    for (const Case& c : cases) {
        SetUp();
        GameRec->TheatreWeather[1] = static_cast<std::uint16_t>(c.weather);
        const int a = AddArmy(1, 0, AddLeader(1, 40, 40));
        const int k = Marcher(1, 10, 10, {1, 1, 1}, AddLeader(1, 30, 40));
        C(k).Army = static_cast<U8>(a);
        const int friendCorps = AddCorps(1, 10, c.friendY);
        C(friendCorps).ContactCode = 1;
        C(friendCorps).Army = c.sameArmy ? static_cast<U8>(a) : 0;
        // Out of range no draw is made. In range: the draw plus 5 a hex under 35 sends it; it then
        // searches its way to the friend twice, for the reaction and for its new orders.
        const int search = c.marches ? LandSearchDraws(10, 10, 10, c.friendY, 9, kUnion, kRuleAnyHex) : 0;
        EXPECT_EQ(DrawRanges(c.marches ? Join({{c.draw}, Repeat(2 * search, 99)}) : std::vector<int>{}, [&] { MoveCorpsStep(k); }),
                  c.marches ? Join({{20}, Repeat(2 * search, 100)}) : std::vector<int>{}) << c.what;
        if (!c.marches) {
            EXPECT_EQ(At(k), P(10, 9)) << c.what << ": keeps to its route";
            continue;
        }
        EXPECT_EQ(At(k), P(10, 11)) << c.what;
        EXPECT_EQ(P(C(k).DestX, C(k).DestY), P(10, c.friendY)) << c.what;
        EXPECT_EQ(C(k).OrderMode, kOrderAdvance) << c.what;
        EXPECT_EQ(C(k).MarchAllowance, 100 + 20 / 2 + 30 / 6 - 4) << c.what;
    }
}

TEST_F(CorpsStep, AdvancingCorpsStrikesAnEnemyItCanBeat) {
    // The striker: 100 men and 30 guns, two hexes from the enemy. Its own count is its men and guns,
    // plus the men of every fit corps of its side not withdrawing within 2 hexes of the enemy, the
    // striker among them; against it stand the men of the fit enemy corps there.
    struct Case {
        const char* what;
        bool human;
        int enemyMen, enemyGuns;
        int friendMen, friendGuns, friendOrder, friendX, friendY;  // friendMen 0: no friend
        bool disruptedEnemyNear;
        bool strikes;
    };
    const Case cases[] = {
        {"itself counted twice: 230 against 230", false, 230, 0, 0, 0, 0, 0, 0, false, true},
        {"its guns only once: 230 against 231", false, 231, 0, 0, 0, 0, 0, 0, false, false},
        {"the enemy's guns do not count", false, 200, 100, 0, 0, 0, 0, 0, false, true},
        {"a friend's men count", false, 280, 0, 50, 100, kOrderDefend, 11, 12, false, true},
        {"a friend's guns do not", false, 281, 0, 50, 100, kOrderDefend, 11, 12, false, false},
        {"a withdrawing friend does not count", false, 240, 0, 50, 0, kOrderWithdraw, 11, 12, false, false},
        {"a friend far from the enemy does not count", false, 240, 0, 50, 0, kOrderDefend, 10, 7, false, false},
        {"a disrupted enemy does not count", false, 200, 0, 0, 0, 0, 0, 0, true, true},
        {"a person's corps always strikes", true, 900, 0, 0, 0, 0, 0, 0, false, true},
    };
    for (const Case& c : cases) {
        SetUp();
        FillMap(1, kConfederacy, 0);
        GameRec->Nations[2].Human = c.human ? 1 : 0;
        const int depot = AddCity("Depot", 5, 5, kConfederacy, 2);
        const int k = Marcher(2, 10, 10, {1, 1});
        C(k).OrderMode = kOrderAdvance;
        C(k).SupplyCity = static_cast<U8>(depot);
        C(k).Artillery = 30;
        const int enemy = AddCorps(1, 10, 12);
        C(enemy).Strength = static_cast<std::uint16_t>(c.enemyMen);
        C(enemy).Artillery = static_cast<std::uint16_t>(c.enemyGuns);
        if (c.friendMen != 0) {
            const int f = AddCorps(2, c.friendX, c.friendY);
            C(f).Strength = static_cast<std::uint16_t>(c.friendMen);
            C(f).Artillery = static_cast<std::uint16_t>(c.friendGuns);
            C(f).OrderMode = static_cast<U8>(c.friendOrder);
        }
        if (c.disruptedEnemyNear) C(AddCorps(1, 11, 13)).Disruption = 2;
        MoveCorpsStep(k);
        EXPECT_EQ(At(k), c.strikes ? P(10, 11) : P(10, 9)) << c.what;
        EXPECT_EQ(C(k).MarchAllowance, c.strikes ? 100 + 30 / 6 - 4 : 96) << c.what;
        if (c.strikes) {
            EXPECT_EQ(std::vector<int>(C(k).Route.begin() + 1, C(k).Route.end()), std::vector<int>(8, kRouteChooseStep))
                << c.what << ": it picks its own way from here";
        }
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
    // Disrupted, in an army based at (20,20): a corps that exists is sent home before it stops;
    // a free slot or a corps without a nation is left as it is.
    struct Case { const char* what; int orderMode, routeIndex, unused, nation; bool sentHome; };
    const Case cases[] = {
        {"embarked", kOrderEmbarked, 1, 0, 1, true}, {"moving by rail", kOrderRail, 1, 0, 1, true},
        {"no step left", kOrderDefend, kRouteFinished, 0, 1, true}, {"free slot", kOrderDefend, 1, 1, 1, false},
        {"no nation", kOrderDefend, 1, 0, 0, false},
    };
    for (const Case& c : cases) {
        SetUp();
        const int k = Marcher(1, 10, 10, {4});
        C(k).Army = static_cast<U8>(AddArmy(1, AddCity("Base", 20, 20, kUnion, 2), AddLeader(1, 30)));
        C(k).Disruption = 3;
        C(k).OrderMode = static_cast<U8>(c.orderMode);
        C(k).RouteIndex = static_cast<U8>(c.routeIndex);
        C(k).Unused = static_cast<U8>(c.unused);
        C(k).Nation = static_cast<U8>(c.nation);
        C(k).StepDirection = 3;
        EXPECT_FALSE(MoveCorpsStep(k)) << c.what;
        EXPECT_EQ(At(k), P(10, 10)) << c.what;
        EXPECT_EQ(C(k).StepDirection, 3) << c.what;
        EXPECT_EQ(P(C(k).DestX, C(k).DestY), c.sentHome ? P(20, 20) : P(10, 54)) << c.what;
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

TEST_F(CorpsStep, ABarredHexsideEndsTheStepOnlyAfterItHasBegun) {
    // Both banks barred south of (10,10). The step's first effects stand; the corps stays put.
    struct Case {
        const char* what;
        int disruption;
        std::vector<int> route;
        std::vector<int> draws;  // scripted; each is logged as its range
        std::vector<int> logged;
        int expectedDisruption, supplyType;
    };
    const Case cases[] = {
        {"an orderly corps on its planned route", 0, {4, 4}, {}, {}, 0, 0},
        // A disrupted corps pays no hexside penalty when it chooses, so it tries the barred side.
        {"a disrupted corps choosing its way", 2, {kRouteChooseStep}, {99}, {50}, 1, 2},
    };
    for (const Case& c : cases) {
        SetUp();
        Hex(10, 11).SetHexside(1, 3);
        const int k = Marcher(1, 10, 10, c.route);
        C(k).DestY = 14;
        C(k).Disruption = static_cast<U8>(c.disruption);
        C(k).Fatigue = 5;
        const int b = AddBrigade(k, kBrigadeInfantry, 80, 2, 5);
        EXPECT_EQ(DrawRanges(c.draws, [&] { EXPECT_FALSE(MoveCorpsStep(k)) << c.what; }), c.logged) << c.what;
        EXPECT_EQ(At(k), P(10, 10)) << c.what;
        EXPECT_EQ(C(k).StepDirection, 4) << c.what << ": the step was begun southward";
        EXPECT_EQ(C(k).Disruption, c.expectedDisruption) << c.what;
        EXPECT_EQ(C(k).SupplyType, c.supplyType) << c.what;
        EXPECT_EQ(C(k).Fatigue, 4) << c.what << ": a step not taken rests";
        EXPECT_EQ(GameRec->Brigades[b].Fatigue, 4) << c.what;
        EXPECT_EQ(C(k).MarchAllowance, 100) << c.what;
        EXPECT_EQ(C(k).Route[1], 0) << c.what;
        EXPECT_EQ(C(k).RouteIndex, 1) << c.what;
        EXPECT_EQ(C(k).StepsTaken, 0) << c.what;
    }
}

TEST_F(CorpsStep, ACorpsThatShakesOffItsLastDisruptionOnAStepCountsAsOrderly) {
    struct Case {
        const char* what;
        int disruption;
        bool enemyCity;  // else a hex of a state the enemy owns
        int fatigue, allowance, expectedDisruption;
    };
    const Case cases[] = {
        {"disruption 1: pays the enemy state's toll", 1, false, 7, 90, 0},
        {"disruption 2: still disrupted, no toll", 2, false, 6, 90, 1},
        {"disruption 1: stopped by the enemy's city", 1, true, 6, 0, 0},
        {"disruption 2: passes the enemy's city", 2, true, 6, 97, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        if (c.enemyCity) {
            AddCity("Fort", 10, 11, kConfederacy);
            Hex(10, 11).SetControlSide(kConfederacy);
        } else {
            Hex(10, 11).SetState(9);
            GameRec->States[9].Owner = kConfederacy;
        }
        const int k = Marcher(1, 10, 10, {4, 4});
        C(k).Disruption = static_cast<U8>(c.disruption);
        C(k).Fatigue = 5;
        EXPECT_EQ(DrawRanges({}, [&] { EXPECT_TRUE(MoveCorpsStep(k)) << c.what; }), std::vector<int>{})
            << c.what << ": a city hex and own ground draw nothing";
        EXPECT_EQ(At(k), P(10, 11)) << c.what;
        EXPECT_EQ(C(k).Disruption, c.expectedDisruption) << c.what;
        EXPECT_EQ(C(k).SupplyType, 2) << c.what;
        EXPECT_EQ(C(k).Fatigue, c.fatigue) << c.what;
        EXPECT_EQ(C(k).MarchAllowance, c.allowance) << c.what;
    }
}

TEST_F(CorpsStep, APersonsCorpsNearTheEnemyFallsBackOrHolds) {
    // An enemy corps two hexes south; the corps' supply city lies far to the north-west.
    struct Case {
        const char* what;
        int orderMode, supplySource;
        bool hasSupplyCity, onCityHex;
        THexPos destination, end;
    };
    const Case cases[] = {
        {"withdrawing: heads for its supply city", kOrderWithdraw, 2, true, false, {5, 5}, {10, 11}},
        {"withdrawing without a supply city: keeps its orders", kOrderWithdraw, 2, false, false, {10, 54}, {10, 11}},
        {"defending off a city, fed by land: stops", kOrderDefend, 2, true, false, {10, 54}, {10, 10}},
        {"defending, fed by a port: marches on", kOrderDefend, 1, true, false, {10, 54}, {10, 11}},
        {"defending on a city hex: marches on", kOrderDefend, 2, true, true, {10, 54}, {10, 11}},
    };
    for (const Case& c : cases) {
        SetUp();
        const int depot = AddCity("Depot", 5, 5, kUnion, c.supplySource);
        if (c.onCityHex) AddCity("Town", 10, 10, kUnion);
        const int k = Marcher(1, 10, 10, {4, 4});
        C(k).OrderMode = static_cast<U8>(c.orderMode);
        if (c.hasSupplyCity) C(k).SupplyCity = static_cast<U8>(depot);
        AddCorps(2, 10, 12);
        MoveCorpsStep(k);
        EXPECT_EQ(P(C(k).DestX, C(k).DestY), c.destination) << c.what;
        EXPECT_EQ(At(k), c.end) << c.what;
        EXPECT_EQ(C(k).OrderMode, c.orderMode) << c.what;
        if (c.end == P(10, 10)) {
            EXPECT_EQ(std::vector<int>(C(k).Route.begin(), C(k).Route.end()), std::vector<int>(9, 0)) << c.what;
        }
    }
}

TEST_F(CorpsStep, WithdrawingCavalrySlipsOutOfContact) {
    // One brigade each: the cavalry is not outnumbered three to one, so only its orders decide.
    struct Case { const char* what; int kind, orderMode; bool slips; };
    const Case cases[] = {
        {"withdrawing cavalry picks its own way out", 2, kOrderWithdraw, true},
        {"defending cavalry stays in contact", 2, kOrderDefend, false},
        {"withdrawing infantry stays in contact", 0, kOrderWithdraw, false},
    };
    for (const Case& c : cases) {
        SetUp();
        GameRec->MoveStep = 2;
        const int k = Marcher(1, 10, 10, {4, 4});
        C(k).Kind = static_cast<U8>(c.kind);
        C(k).OrderMode = static_cast<U8>(c.orderMode);
        AddBrigade(k, kBrigadeCavalry, 50);
        AddBrigade(AddCorps(2, 10, 10), kBrigadeInfantry, 80);
        EXPECT_EQ(DrawRanges(c.slips ? std::vector<int>{99} : std::vector<int>{}, [&] { MoveCorpsStep(k); }),
                  c.slips ? std::vector<int>{50} : std::vector<int>{}) << c.what;
        EXPECT_EQ(At(k), c.slips ? P(10, 11) : P(10, 10)) << c.what;
        EXPECT_EQ(C(k).ContactCode, c.slips ? 0 : 1) << c.what;
    }
}

TEST_F(CorpsStep, DisruptedCorpsHeadsForItsArmysBaseOrANewSupplyCity) {
    struct Case {
        const char* what;
        bool inArmy, armyHasBase, onDestination, engaged;
        THexPos destination;
        int supplyCity;  // 0 none, 1 Near
    };
    const Case cases[] = {
        {"in an army: its base", true, true, false, true, {20, 20}, 0},
        {"in an army without a base: its orders stand", true, false, false, true, {10, 54}, 0},
        {"alone, engaged, on its destination: the nearest supply city", false, false, true, true, {14, 10}, 1},
        {"alone, not engaged: stays", false, false, true, false, {10, 10}, 0},
        {"alone, still marching: its orders stand", false, false, false, true, {10, 54}, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        const int base = AddCity("Base", 20, 20, kUnion, 2);
        const int near = AddCity("Near", 14, 10, kUnion, 2);
        AddCity("Far", 30, 10, kUnion, 2);
        const int k = Marcher(1, 10, 10, {});
        C(k).Disruption = 3;
        C(k).Opponent = c.engaged ? 5 : 0;
        if (c.onDestination) C(k).DestY = 10;
        if (c.inArmy) C(k).Army = static_cast<U8>(AddArmy(1, c.armyHasBase ? base : 0, AddLeader(1, 30)));
        MoveCorpsStep(k);
        EXPECT_EQ(P(C(k).DestX, C(k).DestY), c.destination) << c.what;
        EXPECT_EQ(C(k).SupplyCity, c.supplyCity == 1 ? near : 0) << c.what;
        EXPECT_EQ(At(k), P(10, 10)) << c.what << ": no route this turn";
    }
}

TEST_F(CorpsStep, EngagedLeadersGainInitiativeAndChoosingLeadersExperience) {
    struct Case {
        const char* what;
        std::vector<int> route;
        int opponent, corpsInitiative, experience;
        std::vector<int> draws, logged;
        int expectedCorpsInitiative, initiativeGain, expectedExperience;
    };
    const Case cases[] = {
        {"engaged, draw below its initiative", {4}, 5, 30, 9, {29}, {200}, 31, 1, 9},
        {"engaged, draw at its initiative", {4}, 5, 30, 9, {30}, {200}, 30, 0, 9},
        {"engaged, initiative already 55", {4}, 5, 55, 9, {0}, {200}, 55, 0, 9},
        {"not engaged: no draw", {4}, 0, 30, 9, {}, {}, 30, 0, 9},
        {"choosing, draw below 15", {kRouteChooseStep}, 0, 30, 5, {14}, {50}, 30, 0, 6},
        {"choosing, draw at 15", {kRouteChooseStep}, 0, 30, 5, {15}, {50}, 30, 0, 5},
        {"choosing, experience already 6: no draw", {kRouteChooseStep}, 0, 30, 6, {}, {}, 30, 0, 6},
    };
    for (const Case& c : cases) {
        SetUp();
        const int chief = AddLeader(1, 40);
        const int leader = AddLeader(1, 30);
        GameRec->Leaders[leader].Experience = static_cast<U8>(c.experience);
        const int k = Marcher(1, 10, 10, c.route, leader);
        C(k).Army = static_cast<U8>(AddArmy(1, 0, chief));
        C(k).Opponent = static_cast<U8>(c.opponent);
        C(k).LeaderInitiative = static_cast<U8>(c.corpsInitiative);
        EXPECT_EQ(DrawRanges(c.draws, [&] { MoveCorpsStep(k); }), c.logged) << c.what;
        EXPECT_EQ(At(k), P(10, 11)) << c.what;
        EXPECT_EQ(C(k).LeaderInitiative, c.expectedCorpsInitiative) << c.what;
        EXPECT_EQ(GameRec->Leaders[leader].Initiative, 30 + c.initiativeGain) << c.what;
        EXPECT_EQ(GameRec->Leaders[chief].Initiative, 40 + c.initiativeGain) << c.what;
        EXPECT_EQ(GameRec->Leaders[leader].Experience, c.expectedExperience) << c.what;
    }
}

TEST_F(CorpsStep, DrawsOfAStepComeInTheirOrder) {
    // Each scripted draw is chosen to change nothing but the rule it belongs to.
    struct Case {
        const char* what;
        int moveStep, disruption, opponent;
        std::vector<int> route;
        bool enemyGroundSouth, friendInContact;
        std::vector<int> draws, logged;
    };
    const Case cases[] = {
        // Rally (10 < drill 50), experience, ground taken (99: full cost again), initiative.
        {"disrupted and engaged, rallying and choosing its way onto enemy ground", 2, 2, 5, {kRouteChooseStep},
         true, false, {10, 99, 99, 99}, {70, 50, 100, 200}},
        {"in order on its planned route onto enemy ground", 1, 0, 0, {4}, true, false, {99}, {100}},
        // A friend of its army in contact 3 hexes off is tried (Random(20) + 15 is never below 15).
        {"passing a friend in contact it cannot reach", 1, 0, 0, {4}, false, true, {0}, {20}},
    };
    for (const Case& c : cases) {
        SetUp();
        GameRec->MoveStep = static_cast<U8>(c.moveStep);
        const int chief = AddLeader(1, 40, 0);
        const int k = Marcher(1, 10, 10, c.route, AddLeader(1, 30, 40, 50));
        C(k).DestY = 14;
        C(k).Disruption = static_cast<U8>(c.disruption);
        C(k).Opponent = static_cast<U8>(c.opponent);
        if (c.enemyGroundSouth) {
            for (int d = 1; d <= 6; ++d) {
                int x = 10, y = 10;
                StepHexAt(x, y, d);
                Hex(x, y).SetControlSide(kConfederacy);
            }
        }
        if (c.friendInContact) {
            GameRec->Leaders[C(k).Leader].Tactics = 0;
            const int a = AddArmy(1, 0, chief);
            C(k).Army = static_cast<U8>(a);
            const int f = AddCorps(1, 13, 10);
            C(f).Army = static_cast<U8>(a);
            C(f).ContactCode = 1;
        }
        EXPECT_EQ(DrawRanges(c.draws, [&] { EXPECT_TRUE(MoveCorpsStep(k)) << c.what; }), c.logged) << c.what;
        EXPECT_EQ(At(k), P(10, 11)) << c.what;
    }
}

TEST_F(CorpsStep, BrigadesJoiningOrLeavingBetweenStepsTireOnlyWithTheCorpsTheyServe) {
    // Open ground on own soil: a step tires by 1, a step not taken rests by 1.
    const int k = Marcher(1, 10, 10, {4, 4, 4});
    const int other = Marcher(1, 20, 10, {});
    C(k).Fatigue = 5;
    const int stays = AddBrigade(k, kBrigadeInfantry, 80, 2, 5);
    const int leaves = AddBrigade(k, kBrigadeInfantry, 80, 2, 5);
    const int transferred = AddBrigade(k, kBrigadeCavalry, 50, 2, 5);
    const int joins = AddBrigade(other, kBrigadeInfantry, 80, 2, 20);
    GameRec->MoveStep = 1;
    MoveCorpsStep(k);
    ASSERT_EQ(At(k), P(10, 11));
    // Between the steps one brigade goes to a garrison, one to the other corps, one comes from it.
    GameRec->Brigades[leaves].AttachKind = kAttachGarrison;
    GameRec->Brigades[transferred].AttachIndex = static_cast<U8>(other);
    GameRec->Brigades[joins].AttachIndex = static_cast<U8>(k);
    GameRec->MoveStep = 2;
    MoveCorpsStep(k);
    ASSERT_EQ(At(k), P(10, 12));
    MoveCorpsStep(other);  // no route: it rests
    EXPECT_EQ((std::vector<int>{GameRec->Brigades[stays].Fatigue, GameRec->Brigades[leaves].Fatigue,
                                GameRec->Brigades[transferred].Fatigue, GameRec->Brigades[joins].Fatigue}),
              (std::vector<int>{7, 6, 5, 21}));
}

// A corps pass holds the corps' hexes: asked from the held copy, with the corps changed on a step
// refreshed, "an enemy on this hex" and "the corps near this hex" answer as the records do.
TEST_F(CorpsStep, HeldCorpsHexesAnswerAsTheRecords) {
    struct Case {
        const char* what;
        void (*change)(TCorpsRec& stepper);
    };
    const Case cases[] = {
        {"nothing changed", [](TCorpsRec&) {}},
        {"the Union corps steps onto the grey corps' hex", [](TCorpsRec& k) { k.HexX = 11; }},
        {"the Union corps steps out of reach", [](TCorpsRec& k) { k.HexY = 14; }},
        {"the Union corps ends", [](TCorpsRec& k) { k.Unused = kCorpsFreed; }},
        {"the Union corps crosses two columns", [](TCorpsRec& k) { k.HexX = 12; }},
    };
    for (const Case& c : cases) {
        SetUp();
        const int blue = AddCorps(1, 10, 10);
        AddCorps(2, 11, 10);
        AddCorps(2, 40, 30);
        C(AddCorps(2, 10, 11)).Unused = kCorpsFreed;
        AddCorps(1, 13, 12);
        AddCorps(2, 2, 1);
        // Who asks, where, and who stands within 0 to 3 columns and rows of (11, 11) and of a hex
        // at the map's corner.
        const auto answers = [] {
            std::vector<int> a;
            for (int x = 8; x <= 14; ++x)
                for (int y = 8; y <= 15; ++y)
                    for (int side : {0, int{kUnion}, int{kConfederacy}}) a.push_back(EnemyCorpsOn(x, y, side) ? 1 : 0);
            for (int centre : {11, 1})
                for (int reach : {0, 1, 2, 3}) {
                    std::array<std::uint8_t, kCorpsCount> near{};
                    const int n = CorpsNear(centre, centre, reach, near);
                    a.insert(a.end(), near.begin(), near.begin() + n);
                    a.push_back(-1);
                }
            return a;
        };
        HoldCorpsSpots();
        c.change(C(blue));
        RefreshCorpsSpot(blue);
        const std::vector<int> held = answers();
        ReleaseCorpsSpots();
        EXPECT_EQ(held, answers()) << c.what;
        EXPECT_TRUE(EnemyCorpsOn(11, 10, kUnion)) << c.what;
        EXPECT_EQ(EnemyCorpsOn(11, 10, kConfederacy), C(blue).HexX == 11 && CorpsInUse(C(blue))) << c.what;
        EXPECT_FALSE(EnemyCorpsOn(10, 11, kUnion)) << c.what << ": a freed slot stands nowhere";
    }
}

}  // namespace
}  // namespace kvt
