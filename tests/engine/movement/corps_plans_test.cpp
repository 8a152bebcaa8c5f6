// Corps movement plans: routes, march allowance, rest, digging in, training, falling back,
// surrender, dissolving into a garrison and rail moves.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>

#include "engine/movement/corps_movement.h"
#include "engine/movement/path_search.h"
#include "engine/movement/spotting.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "tests/engine/movement_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::DrawRanges;
using testing::MovementWorld;
using testing::ScriptedFrontend;

class CorpsPlans : public MovementWorld {
protected:
    void SetUp() override {
        MovementWorld::SetUp();
        FillMap(1, kUnion, 0);
        GameRec->Nations[1].Human = 1;
    }
};

TEST_F(CorpsPlans, MarchAllowanceFollowsQualityMarchSupplyWeatherAndCommand) {
    struct Case {
        const char* what;
        int quality, condition, fatigue, march, kind, supplyType, weather;
        int armyLeaderInitiative, corpsInArmy;  // 0: not in an army
        bool leader;
        int expected;
        bool drawsFifteen;
    };
    // Base: 5 x 10 + 10 = 60; outside an army + 20 initiative - draw 5 = 75; a corps halves it.
    const Case cases[] = {
        {"plain corps", 5, 10, 0, 1, 0, 0, 0, 0, 0, true, 37, true},
        {"fatigue costs three a point", 5, 10, 4, 1, 0, 0, 0, 0, 0, true, 31, true},
        {"cautious halves", 5, 10, 0, 0, 0, 0, 0, 0, 0, true, 18, true},
        {"forced doubles and ignores fatigue", 5, 10, 4, 2, 0, 0, 0, 0, 0, true, 75, true},
        {"cavalry is not halved", 5, 10, 0, 1, 2, 0, 0, 0, 0, true, 75, true},
        {"encampment supply a third", 5, 10, 0, 1, 0, 1, 0, 0, 0, true, 12, true},
        {"clear weather", 5, 10, 0, 1, 0, 0, 2, 0, 0, true, 37, true},
        {"rain halves", 5, 10, 0, 1, 0, 0, 3, 0, 0, true, 18, true},
        {"storm halves", 5, 10, 0, 1, 0, 0, 6, 0, 0, true, 18, true},
        {"snow a third", 5, 10, 0, 1, 0, 0, 5, 0, 0, true, 12, true},
        {"blizzard a third", 5, 10, 0, 1, 0, 0, 8, 0, 0, true, 12, true},
        {"army within command capacity", 5, 10, 0, 1, 0, 0, 0, 40, 3, true, 45, false},
        {"army over capacity", 5, 10, 0, 1, 0, 0, 0, 8, 6, true, 22, false},
        {"army far over capacity", 5, 10, 0, 1, 0, 0, 0, 8, 12, true, 1, false},
        {"weak corps draws nothing", 1, 5, 0, 1, 0, 0, 0, 0, 0, true, 7, false},
        {"leaderless corps does not march", 5, 10, 0, 1, 0, 0, 0, 0, 0, false, 0, false},
    };
    for (const Case& c : cases) {
        SetUp();
        const int k = AddCorps(1, 10, 10);
        TCorpsRec& corps = C(k);
        corps.DestX = 15;  // marching, so nothing rests or trains
        corps.Route[1] = 3;  // a drawn route: no search
        corps.Quality = static_cast<U8>(c.quality);
        corps.Condition = static_cast<U8>(c.condition);
        corps.Fatigue = static_cast<U8>(c.fatigue);
        corps.March = static_cast<U8>(c.march);
        corps.Kind = static_cast<U8>(c.kind);
        corps.SupplyType = static_cast<U8>(c.supplyType);
        corps.LeaderInitiative = 20;
        GameRec->TheatreWeather[1] = static_cast<std::uint16_t>(c.weather);
        if (!c.leader) corps.Leader = 0;
        if (c.corpsInArmy != 0) {
            const int a = AddArmy(1, 0, AddLeader(1, c.armyLeaderInitiative));
            GameRec->Armies[a].CorpsCount = static_cast<U8>(c.corpsInArmy);
            corps.Army = static_cast<U8>(a);
        }
        EXPECT_EQ(DrawRanges(c.drawsFifteen ? std::vector<int>{5} : std::vector<int>{}, PlanCorpsMoves),
                  c.drawsFifteen ? std::vector<int>{15} : std::vector<int>{}) << c.what;
        EXPECT_EQ(corps.MarchAllowance, c.expected) << c.what;
    }
}

TEST_F(CorpsPlans, LeaderlessCorpsNeverBorrowsTheAllowanceBeforeIt) {
    const int strong = AddCorps(1, 10, 10);
    C(strong).DestX = 20;
    C(strong).Route[1] = 3;
    const int leaderless = AddCorps(1, 30, 30);
    C(leaderless).DestX = 40;
    C(leaderless).Route[1] = 3;
    C(leaderless).Leader = 0;
    C(leaderless).MarchAllowance = 99;
    PlanCorpsMoves();
    EXPECT_GT(C(strong).MarchAllowance, 0);
    EXPECT_EQ(C(leaderless).MarchAllowance, 0);
}

TEST_F(CorpsPlans, OwnStateAtPeaceLetsTheCorpsRecoverWhileMarching) {
    FillMap(1, kUnion, 7);
    GameRec->States[7].Owner = 1;
    GameRec->States[7].Controller = 1;
    const int k = AddCorps(1, 10, 10);
    C(k).DestX = 15;
    C(k).Route[1] = 3;
    C(k).Fatigue = 9;
    C(k).March = 1;
    C(k).LeaderInitiative = 0;
    const int b = AddBrigade(k, kBrigadeInfantry, 80, 2, 10);
    ScriptRandomDraws({0});
    PlanCorpsMoves();
    EXPECT_EQ(C(k).Fatigue, 3);
    EXPECT_EQ(GameRec->Brigades[b].Fatigue, 3);
    EXPECT_EQ(C(k).MarchAllowance, (60 - 9 + 0) / 2);
    EXPECT_EQ(C(k).Activity, kActivityMarch);

    GameRec->States[7].EnemyStrength = 5;  // the enemy is in the state: no recovery
    C(k).Fatigue = 9;
    ScriptRandomDraws({0});
    PlanCorpsMoves();
    EXPECT_EQ(C(k).Fatigue, 9);
}

TEST_F(CorpsPlans, TiredCorpsRestsInsteadOfMarching) {
    struct Case { const char* what; int fatigue, march, drill, armyDrill, expectedFatigue; bool rests; };
    const Case cases[] = {
        {"below the threshold marches", 10, 1, 20, -1, 10, false},
        {"above rests by drill div 5", 12, 1, 20, -1, 8, true},
        {"recovers at least 3", 12, 1, 5, -1, 9, true},
        {"army drill helps", 30, 1, 20, 40, 21, true},
        {"never below 0", 12, 1, 90, 80, 0, true},
        {"cautious rests at any fatigue", 1, 0, 20, -1, 0, true},
    };
    for (const Case& c : cases) {
        SetUp();
        const int k = AddCorps(1, 10, 10, AddLeader(1, 10, 0, c.drill));
        C(k).DestX = 30;
        C(k).Route[1] = 3;
        C(k).Fatigue = static_cast<U8>(c.fatigue);
        C(k).March = static_cast<U8>(c.march);
        const int b = AddBrigade(k, kBrigadeInfantry, 80, 2, c.fatigue);
        if (c.armyDrill >= 0) {
            const int a = AddArmy(1, 0, AddLeader(1, 40, 0, c.armyDrill));
            GameRec->Armies[a].CorpsCount = 1;
            C(k).Army = static_cast<U8>(a);
        }
        // Outside an army the allowance draws Random(15); a resting corps then drills twice.
        const bool inArmy = c.armyDrill >= 0;
        const int allowanceDraws = inArmy ? 0 : 1, drillDraws = c.rests ? 2 : 0;
        EXPECT_EQ(DrawRanges(Join({Repeat(allowanceDraws, 0), Repeat(drillDraws, 99)}), PlanCorpsMoves),
                  Join({Repeat(allowanceDraws, 15), Repeat(drillDraws, 100)})) << c.what;
        EXPECT_EQ(C(k).Fatigue, c.expectedFatigue) << c.what;
        EXPECT_EQ(GameRec->Brigades[b].Fatigue, c.expectedFatigue) << c.what;
        EXPECT_EQ(C(k).Activity, c.rests ? kActivityResting : kActivityMarch) << c.what;
        if (c.rests) EXPECT_EQ(C(k).MarchAllowance, 0) << c.what;
        else EXPECT_GT(C(k).MarchAllowance, 0) << c.what;
    }
}

TEST_F(CorpsPlans, EngagedCorpsDefendingItsPositionDigsIn) {
    const int k = AddCorps(1, 10, 10, AddLeader(1, 10, 0, 50));
    C(k).Opponent = 3;
    C(k).OrderMode = kOrderDefend;
    C(k).Entrenchment = 1;
    const int b = AddBrigade(k, kBrigadeInfantry, 80, 2, 0);
    // Allowance draw, then the two drill draws for the condition (50 and 49 against drill 50).
    ScriptRandomDraws({0, 50, 49});
    PlanCorpsMoves();
    EXPECT_EQ(C(k).Activity, kActivityDugIn);
    EXPECT_EQ(C(k).Entrenchment, 2);
    EXPECT_EQ(C(k).Fatigue, 2);
    EXPECT_EQ(GameRec->Brigades[b].Fatigue, 2);
    EXPECT_EQ(C(k).StepDirection, 7);
    EXPECT_EQ(C(k).MarchAllowance, 0);
    EXPECT_EQ(C(k).Condition, 11) << "one of the two drill draws was below the leader's drill";
}

TEST_F(CorpsPlans, ArmyCorpsTrainOnTheirDestinationAndReportGoodDrill) {
    struct Case { const char* what; bool human; int stance; bool trains; };
    const Case cases[] = {
        {"computer army", false, 1, true},
        {"person's army in training stance", true, 3, true},
        {"person's army defending", true, 1, false},
    };
    for (const Case& c : cases) {
        SetUp();
        ScriptedFrontend frontend;
        GameRec->Nations[1].Human = c.human ? 1 : 0;
        const int chief = AddLeader(1, 40, 0, 100, "Chief");
        const int a = AddArmy(1, 0, chief);
        GameRec->Armies[a].Stance = static_cast<U8>(c.stance);
        GameRec->Armies[a].CorpsCount = 1;
        const int k = AddCorps(1, 10, 10, AddLeader(1, 10, 0, 0, "Brig"));
        C(k).Army = static_cast<U8>(a);
        C(k).LineCount = 2;
        const int b1 = AddBrigade(k, kBrigadeInfantry, 80, 2);
        const int b2 = AddBrigade(k, kBrigadeInfantry, 80, 6);
        if (c.trains) {
            // Training draw below the chief's drill; b1 drills (30 > 25, 4 > 2); b2 tries (90, 1 < 6);
            // then the two condition draws (drill 0: no gain).
            ScriptRandomDraws({10, 30, 4, 90, 1, 0, 0});
            frontend.ExpectNotice(19);
        }
        PlanCorpsMoves();
        EXPECT_EQ(C(k).Activity, c.trains ? kActivityTraining : kActivityMarch) << c.what;
        if (!c.trains) continue;
        EXPECT_EQ(C(k).MarchAllowance, 0);
        EXPECT_EQ(GameRec->Brigades[b1].Quality, 3);
        EXPECT_EQ(GameRec->Brigades[b2].Quality, 6);
        EXPECT_EQ(GameRec->Leaders[chief].Experience, 1);
        ASSERT_EQ(frontend.notices.size(), 1u);
        EXPECT_EQ(frontend.notices[0].lines[1], "ChiefT148");
        EXPECT_EQ(frontend.notices[0].lines[2], "T149 Brig");
        EXPECT_EQ(frontend.notices[0].lines[3], "T150");
    }
}

TEST_F(CorpsPlans, DisruptedCorpsFallsBackTowardItsSupplyCity) {
    const int depot = AddCity("Depot", 14, 10, kUnion, 2);
    const int k = AddCorps(1, 10, 10);
    C(k).Disruption = 4;
    C(k).Opponent = 7;
    C(k).SupplyCity = static_cast<U8>(depot);
    C(k).Route[1] = 2;  // a person's route is dropped while disrupted
    // The allowance draw, the search back to the depot, then the two drill draws of a busy corps.
    const int search = LandSearchDraws(10, 10, 14, 10, 9, 1, kRuleHostileNearStart);
    EXPECT_EQ(DrawRanges(Join({{0}, Repeat(search, 99), {99, 99}}), PlanCorpsMoves),
              Join({{15}, Repeat(search, 100), {100, 100}}));
    EXPECT_EQ(C(k).Activity, kActivityDisrupted);
    EXPECT_EQ(C(k).OrderMode, kOrderWithdraw);
    EXPECT_EQ(C(k).Disruption, 4);
    EXPECT_EQ(EndOfRoute(C(k)), P(14, 10)) << "the route leads back to the depot";
    EXPECT_EQ(C(k).SupplyType, 0) << "the depot is in reach";
    EXPECT_EQ(C(k).MarchAllowance, 60 + 10) << "a disrupted corps is not halved and gets 10 more";
}

TEST_F(CorpsPlans, DisruptionWearsOffOnTheDepotOrOutOfContact) {
    struct Case { const char* what; bool opponent; bool onDepot; int disruption, expected; int orderMode; };
    const Case cases[] = {
        {"engaged, standing on its depot", true, true, 4, 3, kOrderWithdraw},
        {"out of contact", false, false, 5, 2, kOrderWithdraw},
        {"out of contact, last turn", false, false, 1, 0, kOrderWithdraw},
        {"nearly recovered out of contact", false, false, 2, 0, kOrderDefend},
    };
    for (const Case& c : cases) {
        SetUp();
        const int depot = AddCity("Depot", 14, 10, kUnion, 2);
        const int k = AddCorps(1, c.onDepot ? 14 : 10, 10);
        C(k).DestX = 30;
        C(k).Disruption = static_cast<U8>(c.disruption);
        C(k).Opponent = c.opponent ? 7 : 0;
        C(k).SupplyCity = static_cast<U8>(depot);
        ScriptRandomDraws({});
        PlanCorpsMoves();
        EXPECT_EQ(C(k).Disruption, c.expected) << c.what;
        EXPECT_EQ(C(k).OrderMode, c.orderMode) << c.what;
        EXPECT_FALSE(C(k).Unused) << c.what;
    }
}

TEST_F(CorpsPlans, CutOffCorpsIsSafeNearFriendsOrEscapesOrSurrenders) {
    // A corps falling back out of contact (disruption 4 becomes 1) and cut off from supply.
    enum Way { kNone, kFriendNear, kRail, kRiver, kLand };
    struct Case {
        const char* what;
        int nation;
        bool supplyCityHeld;  // its supply city is still its side's (else it has none)
        int enemyX, enemyY;   // an enemy corps in good order
        int friendX;          // 0: none; else a friend at (friendX, 10)
        Way escape;           // a refuge city of its side and the way to it
        bool surrenders;
    };
    const Case cases[] = {
        {"enemy nearer than its city, a friend 2 hexes away", 1, true, 10, 12, 12, kNone, false},
        {"enemy nearer than its city, the friend 3 hexes away", 1, true, 10, 12, 13, kNone, true},
        {"no enemy nearer than its city", 1, true, 10, 30, 0, kNone, false},
        {"a refuge ten hexes off by rail", 1, false, 40, 40, 0, kRail, false},
        {"a French corps rides its ally's line to a refuge", 3, false, 40, 40, 0, kRail, false},
        {"a refuge ten hexes off by river", 1, false, 40, 40, 0, kRiver, false},
        {"a refuge six hexes off across enemy ground", 1, false, 40, 40, 0, kLand, false},
        {"the enemy between it and the refuge bars enemy ground", 1, false, 10, 13, 0, kLand, true},
        {"no way to a refuge", 1, false, 40, 40, 0, kNone, true},
    };
    for (const Case& c : cases) {
        SetUp();
        ScriptedFrontend frontend;
        GameRec->Nations[3].Side = kConfederacy;  // France at war beside the Confederacy
        const int side = GameRec->Nations[c.nation].Side;
        const int k = AddCorps(c.nation, 10, 10);
        C(k).Disruption = 4;
        C(k).SupplyType = 2;
        if (c.supplyCityHeld) {
            // Held but no source: it is no refuge of its own.
            C(k).SupplyCity = static_cast<U8>(AddCity("Home", 16, 10, side, 0));
        }
        AddCorps(side == kUnion ? 2 : 1, c.enemyX, c.enemyY);
        if (c.friendX != 0) AddCorps(c.nation, c.friendX, 10);
        switch (c.escape) {
            case kRail:
                // The line is held by the corps' side, which for France is its ally's.
                for (int y = 10; y <= 20; ++y) {
                    Hex(10, y).SetRail(true);
                    Hex(10, y).SetControlSide(side);
                }
                AddCity("Refuge", 10, 20, side, 2);
                break;
            case kRiver:
                for (int y = 10; y <= 20; ++y) Hex(10, y).SetRiverNavigable(true);
                AddCity("Refuge", 10, 20, side, 2);
                break;
            case kLand:
                // Enemy ground more than 2 hexes out, across the whole way south.
                for (int x = 1; x <= kMapColumns; ++x)
                    for (int y = 13; y <= 15; ++y) Hex(x, y).SetControlSide(kConfederacy);
                AddCity("Refuge", 10, 16, side, 2);
                break;
            default:
                break;
        }
        if (c.surrenders) frontend.ExpectNotice(0);
        PlanCorpsMoves();
        EXPECT_EQ(C(k).Unused != 0, c.surrenders) << c.what;
        EXPECT_EQ(C(k).Disruption, c.surrenders ? 0 : 1) << c.what << ": a surrendered slot is cleared";
        EXPECT_EQ(frontend.notices.size(), c.surrenders ? 1u : 0u) << c.what;
    }
}

TEST_F(CorpsPlans, SurrenderNoticeAndItsPriceByKindAndNation) {
    struct Case {
        const char* what;
        int nation, kind;
        const char* line2;
        int will, france, britain;  // before: Will 20, France 50, Britain at the bound
        int britainBefore;
    };
    const Case cases[] = {
        {"Union corps", 1, 0, "T36", 17, 49, 100, 100},
        {"Confederate infantry division", 2, 1, "T37", 18, 51, 0, 0},
        {"Confederate cavalry division", 2, 2, "T38", 19, 51, 100, 99},
    };
    for (const Case& c : cases) {
        SetUp();
        ScriptedFrontend frontend;
        GameRec->Nations[c.nation].Human = 1;
        GameRec->Nations[c.nation].Will = 20;
        GameRec->Nations[3].Attitude = 50;
        GameRec->Nations[4].Attitude = static_cast<std::int16_t>(c.britainBefore);
        const int lost = AddCity("Lost", 14, 10, c.nation == 1 ? kConfederacy : kUnion, 2);
        const int k = AddCorps(c.nation, 10, 10, AddLeader(c.nation, 10, 0, 0, "Hood"));
        const int leader = C(k).Leader;
        C(k).Kind = static_cast<U8>(c.kind);
        C(k).Disruption = 4;
        C(k).Opponent = 7;
        C(k).SupplyCity = static_cast<U8>(lost);
        C(k).Artillery = 12;
        const int b = AddBrigade(k, kBrigadeInfantry, 80, 2, 0, 5);
        frontend.ExpectNotice(0);
        PlanCorpsMoves();
        SCOPED_TRACE(c.what);
        // Gone, its men and guns prisoners, its brigade freed and counted lost at home.
        EXPECT_EQ((std::vector<int>{C(k).Unused != 0, static_cast<int>(GameRec->Prisoners[c.nation]),
                                    GameRec->Brigades[b].AttachKind, GameRec->States[5].StateCasualties}),
                  (std::vector<int>{1, 112, kAttachFree, 80}));
        EXPECT_EQ((std::vector<int>{GameRec->Nations[c.nation].Will, GameRec->Nations[3].Attitude, GameRec->Nations[4].Attitude}),
                  (std::vector<int>{c.will, c.france, c.britain}));
        ASSERT_EQ(frontend.notices.size(), 1u);
        EXPECT_EQ((std::vector<std::string>{frontend.notices[0].lines[1], frontend.notices[0].lines[2], frontend.notices[0].lines[3]}),
                  (std::vector<std::string>{"HoodT35", c.line2, "T39"}));
        EXPECT_EQ(GameRec->Leaders[leader].Status, kLeaderCaptured);
        PlanCorpsMoves();  // next turn: a captured leader is not set free
        EXPECT_EQ(GameRec->Leaders[leader].Status, kLeaderCaptured);
    }
}

TEST_F(CorpsPlans, SurrenderedCorpsStillTakesItsLaterDrawsButLeavesOnlyAClearedSlot) {
    struct Case { const char* what; bool human; };
    const Case cases[] = {
        {"a person's corps: drill draws only", true},
        {"a computer's corps: its route search too", false},
    };
    for (const Case& c : cases) {
        SetUp();
        ScriptedFrontend frontend;
        GameRec->Nations[1].Human = c.human ? 1 : 0;
        const int lost = AddCity("Lost", 14, 10, kConfederacy, 2);
        const int k = AddCorps(1, 10, 10, AddLeader(1, 10, 0, 90));
        C(k).DestX = 20;
        C(k).Disruption = 4;
        C(k).Opponent = 7;
        C(k).SupplyCity = static_cast<U8>(lost);
        const int search = c.human ? 0 : LandSearchDraws(10, 10, 20, 10, 9, kUnion, kRuleAnyHex);
        // Allowance, the computer's route search, then two drill draws low enough to drill.
        frontend.ExpectNotice(0);
        EXPECT_EQ(DrawRanges(Join({{0}, Repeat(search, 99), {0, 0}}), PlanCorpsMoves),
                  Join({{15}, Repeat(search, 100), {100, 100}})) << c.what;
        TCorpsRec cleared;
        std::memset(static_cast<void*>(&cleared), 0, sizeof cleared);
        cleared.Unused = 1;
        EXPECT_EQ(std::memcmp(&C(k), &cleared, sizeof cleared), 0) << c.what << ": no order, hex or drill left for the next corps";
    }
}

TEST_F(CorpsPlans, ACorpsEndedWhereItStandsLeavesAFreeSlotAndItsLeaderFreeForOneCommand) {
    const struct { const char* what; std::function<void(int)> end; } cases[] = {
        {"absorbed into its besieged depot's garrison",
         [this](int k) { C(k).Disruption = 2; C(k).Opponent = 4; AddCorps(2, 12, 12); PlanCorpsMoves(); }},
        {"worn away, found at spotting", [](int k) { C(k).Strength = 0; UpdateSpotting(); }},
        {"worn away, found on a step", [](int k) { C(k).Strength = 0; MoveCorpsStep(k); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        ScriptedFrontend frontend;  // ends quietly
        const int depot = AddCity("Depot", 12, 12, kUnion, 1);
        const int k = AddCorps(1, 12, 12), leader = C(k).Leader;
        C(k).SupplyCity = static_cast<U8>(depot);
        const int brigades[] = {AddBrigade(k, kBrigadeArtillery, 16), AddBrigade(k, kBrigadeInfantry, 80)};
        c.end(k);
        EXPECT_TRUE(C(k).Unused);
        EXPECT_EQ(C(k).Leader, 0);
        EXPECT_EQ(C(k).Nation, 0);
        for (int b : brigades)
            EXPECT_EQ(std::pair(+GameRec->Brigades[b].AttachKind, +GameRec->Brigades[b].AttachIndex), std::pair(+kAttachGarrison, depot));
        EXPECT_EQ(GameRec->Leaders[leader].Status, kLeaderAvailable);
        // Given a new corps, he stays its active commander through the next planning.
        AddCorps(1, 20, 20, leader);
        GameRec->Leaders[leader].Status = kLeaderActive;
        PlanCorpsMoves();
        EXPECT_EQ(GameRec->Leaders[leader].Status, kLeaderActive);
    }
}

TEST_F(CorpsPlans, CorpsDissolvedIntoAGarrisonStillTakesItsLaterDrawsButLeavesOnlyAClearedSlot) {
    struct Case { const char* what; bool human; };
    const Case cases[] = {
        {"a person's corps: allowance and drill draws", true},
        {"a computer's corps: its route search too", false},
    };
    for (const Case& c : cases) {
        SetUp();
        ScriptedFrontend frontend;  // no notice: it neither surrenders nor shows anything
        GameRec->Nations[1].Human = c.human ? 1 : 0;
        const int port = AddCity("Port", 12, 12, kConfederacy, 1);
        const int leader = AddLeader(1, 10, 0, 90);
        const int k = AddCorps(1, 12, 12, leader);
        C(k).DestX = 20;
        C(k).Disruption = 2;
        C(k).Opponent = 4;
        C(k).SupplyCity = static_cast<U8>(port);
        C(k).MarchAllowance = 33;
        // The besieger, planned after it: its allowance takes the draw that follows the dissolved
        // corps' draws, (60 - draw) / 2.
        const int besieger = AddCorps(2, 12, 12);
        const int search = c.human ? 0 : LandSearchDraws(12, 12, 20, 12, 9, kUnion, kRuleAnyHex);
        // Allowance, the computer's route search, two drill draws low enough to drill, then the
        // besieger's allowance.
        EXPECT_EQ(DrawRanges(Join({{0}, Repeat(search, 99), {0, 0}, {8}}), PlanCorpsMoves),
                  Join({{15}, Repeat(search, 100), {100, 100}, {15}})) << c.what;
        EXPECT_EQ(C(besieger).MarchAllowance, (60 - 8) / 2) << c.what;
        EXPECT_TRUE(C(k).Unused) << c.what;
        EXPECT_EQ(GameRec->Cities[port].Garrison, 0) << c.what << ": it had no brigades";
        TCorpsRec cleared;
        std::memset(static_cast<void*>(&cleared), 0, sizeof cleared);
        cleared.Unused = 1;
        EXPECT_EQ(std::memcmp(&C(k), &cleared, sizeof cleared), 0) << c.what << ": the planning of its copy wrote nothing";
        EXPECT_EQ(GameRec->Leaders[leader].Status, kLeaderAvailable) << c.what << ": not captured";
        EXPECT_EQ(GameRec->Prisoners[1], 0u) << c.what;
        EXPECT_TRUE(frontend.notices.empty()) << c.what;
    }
}

TEST_F(CorpsPlans, RoutesForTheTurn) {
    GameRec->Nations[2].Human = 0;
    // A person's route that starts later is played from its first direction.
    const int late = AddCorps(1, 10, 10);
    C(late).DestX = 13;
    for (int e : {4, 5, 6}) C(late).Route[e] = 3;
    C(late).Route[7] = 7;
    // A person's corps on its destination with no route stays put.
    const int still = AddCorps(1, 20, 20);
    // A person's corps ordered elsewhere without a drawn route gets one.
    const int ordered = AddCorps(1, 30, 10);
    C(ordered).DestY = 16;
    // A computer corps always gets a fresh route.
    const int computer = AddCorps(2, 40, 10);
    C(computer).DestX = 44;
    C(computer).Route[1] = 5;
    // A free slot that still names a leader hands him back.
    const int freed = AddCorps(1, 50, 10);
    const int freedLeader = C(freed).Leader;
    C(freed).Unused = 1;

    PlanCorpsMoves();
    EXPECT_EQ(std::vector<int>(C(late).Route.begin(), C(late).Route.end()), (std::vector<int>{3, 3, 3, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(std::vector<int>(C(still).Route.begin(), C(still).Route.end()), std::vector<int>(9, 0));
    EXPECT_EQ(EndOfRoute(C(ordered)), P(30, 16));
    EXPECT_EQ(EndOfRoute(C(computer)), P(44, 10));
    for (int c : {late, still, ordered, computer}) EXPECT_EQ(C(c).RouteIndex, 1);
    EXPECT_EQ(GameRec->Leaders[freedLeader].Status, kLeaderAvailable);
    EXPECT_EQ(C(freed).Leader, 0);
    EXPECT_EQ(C(freed).HexX, 0);
}

TEST_F(CorpsPlans, RailMoveCarriesTheCorpsAtOnceAlongItsOwnLine) {
    struct Case {
        const char* what;
        int destX, destY;
        bool railToDest;
        bool staleEnd;  // an earlier search left PathEnd on the destination
        int endX, endY;
        bool arrives;
        const char* line3;
        int fatigue, expectedFatigue, expectedBrigadeFatigue;
    };
    const Case cases[] = {
        {"rides to the city", 30, 10, true, false, 30, 10, true, "T687Richmond", 9, 3, 3},
        {"no line: stays", 30, 10, false, true, 10, 10, false, "T688", 9, 3, 3},
        {"line longer than a turn: 30 hexes", 45, 10, true, false, 40, 10, false, "T688", 9, 3, 3},
        {"a fresh corps' brigades keep their fatigue", 30, 10, true, false, 30, 10, true, "T687Richmond", 0, 0, 9},
    };
    for (const Case& c : cases) {
        SetUp();
        ScriptedFrontend frontend;
        for (int x = 10; x <= 45; ++x) Hex(x, 10).SetRail(c.railToDest || x < 20);
        AddCity("Richmond", 30, 10, kUnion, 2);
        const int k = AddCorps(1, 10, 10, AddLeader(1, 10, 0, 0, "Grant"));
        C(k).OrderMode = kOrderRail;
        C(k).DestX = static_cast<U8>(c.destX);
        C(k).DestY = static_cast<U8>(c.destY);
        C(k).Fatigue = static_cast<U8>(c.fatigue);
        const int b = AddBrigade(k, kBrigadeInfantry, 80, 2, 9);
        C(k).Route[1] = 4;
        if (c.staleEnd) {
            PathEnd = {static_cast<std::uint16_t>(c.destX), static_cast<std::uint16_t>(c.destY)};
            PathResult = kPathReached;
        }
        frontend.ExpectNotice(6);
        // A rail search draws only between equal routes, and a straight line has none; the corps
        // then drills as any busy corps does.
        EXPECT_EQ(DrawRanges({99, 99}, PlanCorpsMoves), (std::vector<int>{100, 100})) << c.what;
        EXPECT_EQ(At(k), P(c.endX, c.endY)) << c.what;
        EXPECT_EQ(C(k).RouteIndex, kRouteFinished) << c.what;
        EXPECT_EQ(C(k).Activity, kActivityRailed) << c.what;
        EXPECT_EQ(C(k).OrderMode, kOrderDefend) << c.what;
        EXPECT_EQ(C(k).MarchAllowance, 0) << c.what;
        EXPECT_EQ(C(k).Fatigue, c.expectedFatigue) << c.what;
        EXPECT_EQ(GameRec->Brigades[b].Fatigue, c.expectedBrigadeFatigue) << c.what;
        EXPECT_EQ(C(k).Route[1], 0) << c.what;
        EXPECT_EQ(P(C(k).DestX, C(k).DestY), c.arrives ? P(c.destX, c.destY) : P(c.endX, c.endY))
            << c.what << ": without a city the destination becomes where it stands";
        ASSERT_EQ(frontend.notices.size(), 1u) << c.what;
        EXPECT_EQ(frontend.notices[0].lines[1], "Grant T145") << c.what;
        EXPECT_EQ(frontend.notices[0].lines[2], "T146") << c.what;
        EXPECT_EQ(frontend.notices[0].lines[3], c.line3) << c.what;
        EXPECT_EQ(P(ViewColumn, ViewRow), P(c.endX, c.endY)) << c.what;
        EXPECT_EQ(frontend.log.back(), "draw corps " + std::to_string(k)) << c.what;
    }
}

TEST_F(CorpsPlans, RailLineLongerThanOneSearchIsSearchedBackFromTheDestination) {
    // A straight line along row 10 with one siding beside it: a hex in row 9 that offers a second
    // way of equal length, so every search whose route passes it draws once between the two.
    struct Case { const char* what; int startX, destX, sidingX, endX; };
    const Case cases[] = {
        {"40 steps: the search back ends on the hex 30 steps along", 10, 50, 44, 40},
        {"65 steps: 30 steps short of the destination", 5, 70, 46, 40},
    };
    for (const Case& c : cases) {
        SetUp();
        ScriptedFrontend frontend;
        for (int x = c.startX; x <= c.destX; ++x) Hex(x, 10).SetRail(true);
        Hex(c.sidingX, 9).SetRail(true);
        const int k = AddCorps(1, c.startX, 10, AddLeader(1, 10, 0, 0, "Grant"));
        C(k).OrderMode = kOrderRail;
        C(k).DestX = static_cast<U8>(c.destX);
        C(k).Route[1] = 4;
        frontend.ExpectNotice(6);
        // The siding's draw in the search out and again in the search back, then the two drill draws.
        EXPECT_EQ(DrawRanges({99, 99, 99, 99}, PlanCorpsMoves), (std::vector<int>{100, 100, 100, 100})) << c.what;
        EXPECT_EQ(At(k), P(c.endX, 10)) << c.what;
        EXPECT_EQ(P(C(k).DestX, C(k).DestY), P(c.endX, 10)) << c.what << ": no city reached";
        EXPECT_EQ(C(k).Activity, kActivityRailed) << c.what;
        ASSERT_EQ(frontend.notices.size(), 1u) << c.what;
        EXPECT_EQ(frontend.notices[0].lines[3], "T688") << c.what;
    }
}

TEST_F(CorpsPlans, RailMoveOfAnUnwatchedSideShowsNothing) {
    ScriptedFrontend frontend;
    GameRec->Nations[2].Human = 1;  // both sides played by persons: neither watches the other
    for (int x = 10; x <= 20; ++x) Hex(x, 10).SetRail(true);
    const int k = AddCorps(1, 10, 10);
    C(k).OrderMode = kOrderRail;
    C(k).DestX = 20;
    // Without a drawn route the first pass searches one on foot; the ride then ignores it.
    const int search = LandSearchDraws(10, 10, 20, 10, 9, 1, kRuleAnyHex);
    ScriptRandomDraws(Join({Repeat(search, 99), {0, 0}}));
    PlanCorpsMoves();
    EXPECT_EQ(At(k), P(20, 10));
    EXPECT_TRUE(frontend.notices.empty());
}

TEST_F(CorpsPlans, NearestEnemyDistanceOfACity) {
    const int city = AddCity("Here", 20, 20, kUnion);
    const int enemy = AddCorps(2, 23, 20);
    AddCorps(1, 21, 20);  // own corps do not count
    GameRec->Nations[3].Side = kUnion;
    AddCorps(3, 20, 20);  // nor do allies of the own side
    struct Case { int city, nation, expected; };
    const Case cases[] = {{0, 1, 100}, {city, 1, 3}, {city, 2, 0}};
    for (const Case& c : cases) {
        NearestEnemyCorpsDistance(c.city, c.nation);
        EXPECT_EQ(NearestEnemyDistance, c.expected) << "city " << c.city << " nation " << c.nation;
    }
    GameRec->Corps[enemy].Unused = 1;
    NearestEnemyCorpsDistance(city, 1);
    EXPECT_EQ(NearestEnemyDistance, 100);
}

TEST_F(CorpsPlans, EmbarkedCorpsIsPlannedLikeAnyOtherButStaysAboard) {
    // Quality 5, condition 10: allowance 60 before the march rules; the allowance draw is 0.
    struct Case {
        const char* what;
        int disruption, opponent, fatigue;
        int activity, allowance, expectedDisruption, expectedFatigue;
        bool searchesHome;
    };
    const Case cases[] = {
        {"in good order: the march rules set its allowance", 0, 0, 0, kActivityEmbarked, 30, 0, 0, false},
        {"tired: rests aboard", 0, 0, 12, kActivityResting, 0, 0, 9, false},
        {"last turn of disruption: halved, then in order", 1, 0, 0, kActivityEmbarked, 30, 0, 0, false},
        {"disrupted out of contact recovers", 2, 0, 0, kActivityDisrupted, 0, 0, 0, false},
        {"disrupted in contact falls back toward its depot", 3, 7, 0, kActivityDisrupted, 70, 3, 0, true},
    };
    for (const Case& c : cases) {
        SetUp();
        const int depot = AddCity("Depot", 14, 10, kUnion, 2);
        const int k = AddCorps(1, 10, 10);
        C(k).OrderMode = kOrderEmbarked;
        C(k).Disruption = static_cast<U8>(c.disruption);
        C(k).Opponent = static_cast<U8>(c.opponent);
        C(k).Fatigue = static_cast<U8>(c.fatigue);
        C(k).SupplyCity = static_cast<U8>(depot);
        const int search = c.searchesHome ? LandSearchDraws(10, 10, 14, 10, 9, 1, kRuleHostileNearStart) : 0;
        EXPECT_EQ(DrawRanges(Join({{0}, Repeat(search, 99), {99, 99}}), PlanCorpsMoves),
                  Join({{15}, Repeat(search, 100), {100, 100}})) << c.what;
        EXPECT_EQ(C(k).OrderMode, kOrderEmbarked) << c.what << ": never set ashore by the plans";
        EXPECT_EQ(C(k).Activity, c.activity) << c.what;
        EXPECT_EQ(C(k).MarchAllowance, c.allowance) << c.what;
        EXPECT_EQ(C(k).Disruption, c.expectedDisruption) << c.what;
        EXPECT_EQ(C(k).Fatigue, c.expectedFatigue) << c.what;
        if (c.searchesHome) {
            EXPECT_EQ(EndOfRoute(C(k)), P(14, 10)) << c.what;
        }
        EXPECT_FALSE(MoveCorpsStep(k)) << c.what;
        EXPECT_EQ(At(k), P(10, 10)) << c.what << ": still aboard";
    }
}

TEST_F(CorpsPlans, GoodDrillIsReportedAndRaisesTheChiefsExperienceUpToSixteen) {
    // Brigades of quality 2: draws 30 then 7 drill one; a draw of 10 leaves it as it was.
    struct Case {
        const char* what;
        int lineCount, chiefDrill, trainingDraw;
        std::vector<int> brigadeDraws;  // for each of the four brigades: {30, 7} drills, {10} does not
        int drilled, experienceBefore;
        bool notice;
        int experienceAfter;
    };
    const std::vector<int> drills{30, 7}, stays{10};
    const Case cases[] = {
        {"half of four drilled", 4, 100, 10, Join({drills, drills, stays, stays}), 2, 15, true, 16},
        {"one of four is too few", 4, 100, 10, Join({drills, stays, stays, stays}), 1, 15, false, 15},
        {"half of five, rounded down", 5, 100, 10, Join({drills, drills, stays, stays}), 2, 10, true, 11},
        {"experience stops at sixteen", 4, 100, 10, Join({drills, drills, drills, stays}), 3, 16, true, 16},
        {"a training draw at the chief's drill drills nobody", 4, 20, 20, {}, 0, 15, false, 15},
    };
    for (const Case& c : cases) {
        SetUp();
        ScriptedFrontend frontend;
        GameRec->Nations[1].Human = 0;
        const int chief = AddLeader(1, 40, 0, c.chiefDrill, "Chief");
        GameRec->Leaders[chief].Experience = static_cast<U8>(c.experienceBefore);
        const int a = AddArmy(1, 0, chief);
        GameRec->Armies[a].CorpsCount = 1;
        const int k = AddCorps(1, 10, 10, AddLeader(1, 10, 0, 0, "Brig"));
        C(k).Army = static_cast<U8>(a);
        C(k).LineCount = static_cast<U8>(c.lineCount);
        std::vector<int> brigades;
        for (int i = 0; i < 4; ++i) brigades.push_back(AddBrigade(k, kBrigadeInfantry, 80, 2));
        if (c.notice) frontend.ExpectNotice(19);
        std::vector<int> drawn{150};
        for (int v : c.brigadeDraws) drawn.push_back(v == 7 ? 8 : 100);
        EXPECT_EQ(DrawRanges(Join({{c.trainingDraw}, c.brigadeDraws, {99, 99}}), PlanCorpsMoves),
                  Join({drawn, {100, 100}})) << c.what;
        int raised = 0;
        for (int b : brigades) raised += GameRec->Brigades[b].Quality == 3 ? 1 : 0;
        EXPECT_EQ(raised, c.drilled) << c.what;
        EXPECT_EQ(C(k).Activity, kActivityTraining) << c.what;
        EXPECT_EQ(frontend.notices.size(), c.notice ? 1u : 0u) << c.what;
        EXPECT_EQ(GameRec->Leaders[chief].Experience, c.experienceAfter) << c.what;
    }
}

TEST_F(CorpsPlans, EveryAttachedBrigadeSharesItsCorpsRestAndFate) {
    // A French brigade serving in a Union corps beside a Union one.
    struct Case {
        const char* what;
        bool surrenders, absorbed;
        int unionAttach, frenchAttach;  // attachment afterwards
        int unionFatigue, frenchFatigue;
    };
    const Case cases[] = {
        {"rest lowers both", false, false, kAttachCorps, kAttachCorps, 9, 9},
        {"surrender frees both", true, false, kAttachFree, kAttachFree, 0, 0},
        {"the garrison takes allied brigades too, none is left on the freed slot", false, true, kAttachGarrison, kAttachGarrison, 12, 12},
    };
    for (const Case& c : cases) {
        SetUp();
        ScriptedFrontend frontend;
        GameRec->Nations[3].Side = kUnion;
        const int k = AddCorps(1, 12, 12);
        C(k).Fatigue = 12;
        if (c.surrenders) {
            C(k).Disruption = 4;
            C(k).Opponent = 7;
            C(k).SupplyCity = static_cast<U8>(AddCity("Lost", 14, 10, kConfederacy, 2));
            frontend.ExpectNotice(0);
        }
        if (c.absorbed) {
            C(k).Disruption = 2;
            C(k).Opponent = 4;
            C(k).SupplyCity = static_cast<U8>(AddCity("Port", 12, 12, kUnion, 1));
            AddCorps(2, 12, 12);
        }
        const int city = C(k).SupplyCity;
        const int own = AddBrigade(k, kBrigadeInfantry, 80, 2, 12, 5);
        const int french = AddBrigade(k, kBrigadeInfantry, 60, 2, 12, 6);
        GameRec->Brigades[french].Nation = 3;
        PlanCorpsMoves();
        EXPECT_EQ(GameRec->Brigades[own].AttachKind, c.unionAttach) << c.what;
        EXPECT_EQ(GameRec->Brigades[french].AttachKind, c.frenchAttach) << c.what;
        EXPECT_EQ(GameRec->Brigades[own].Fatigue, c.unionFatigue) << c.what;
        EXPECT_EQ(GameRec->Brigades[french].Fatigue, c.frenchFatigue) << c.what;
        if (c.surrenders) {
            EXPECT_EQ(GameRec->States[6].StateCasualties, 60) << c.what;
        }
        if (c.absorbed) {
            EXPECT_EQ(GameRec->Brigades[french].AttachIndex, city) << c.what;
            EXPECT_EQ(GameRec->Cities[city].Garrison, 2) << c.what;
        }
    }
}

}  // namespace
}  // namespace kvt
