// The force recount, the force tally near a city and the choice of leaders, on the synthetic game
// with the computer on both sides.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "engine/core/globals.h"
#include "engine/logistics/force_recount.h"
#include "engine/players/force_tally.h"
#include "engine/players/leader_choice.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/synthetic_game.h"

namespace kvt {
namespace {

class Forces : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        testing::BuildSyntheticGame(false, false);
    }
    // Synthetic corps k holds artillery brigade 3k-2 and infantry brigades 3k-1 and 3k; 0 frees one.
    static void SetMen(int k, int first, int second) {
        GameRec->Brigades[3 * k - 1].Strength = static_cast<U8>(first);
        GameRec->Brigades[3 * k].Strength = static_cast<U8>(second);
    }
    static void Place(int k, int x, int y) {
        GameRec->Corps[k].HexX = static_cast<U8>(x);
        GameRec->Corps[k].HexY = static_cast<U8>(y);
    }
};
using ForceRecount = Forces;
using ForceTally = Forces;
using LeaderChoice = Forces;

TEST_F(ForceRecount, CapacityAndReadinessFollowTheCommanderAndTheMen) {
    struct Case { int kind, initiative, first, second, capacity, readiness; };
    const Case cases[] = {{0, 60, 36, 0, 9, 1}, {1, 60, 36, 0, 3, 1}, {0, 40, 200, 200, 7, 7}, {2, 0, 255, 255, 2, 10}};
    for (const Case& c : cases) {
        SetUp();
        GameRec->Corps[1].Kind = static_cast<U8>(c.kind);
        GameRec->Leaders[1].Initiative = static_cast<U8>(c.initiative);
        SetMen(1, c.first, c.second);
        RecountForces();
        EXPECT_EQ(GameRec->Corps[1].BrigadeLimit, c.capacity) << c.initiative << " kind " << c.kind;
        EXPECT_EQ(GameRec->Corps[1].FatigueLimit, c.readiness) << c.first + c.second << " men";
    }
}

TEST_F(ForceRecount, CorpsWithoutMenLeaderOrHexAreDisbanded) {
    struct Case { const char* name; void (*cut)(TGameRec&); int leaderStatus; bool brigadesWait; };
    const Case cases[] = {
        {"no commander", [](TGameRec& g) { g.Corps[1].Leader = 0; }, 0, true},
        {"no hex", [](TGameRec& g) { g.Corps[1].HexY = 0; }, kLeaderRemoved, true},
        {"no men, leader killed", [](TGameRec& g) {
             for (int b = 1; b <= 3; ++b) g.Brigades[b].Strength = 0;
             g.Leaders[1].Status = kLeaderKilled;
         }, kLeaderKilled, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.cut(*GameRec);
        RecountForces();
        const TGameRec& g = *GameRec;
        EXPECT_FALSE(CorpsInUse(g.Corps[1]));
        EXPECT_EQ(g.Corps[1].Leader, 0) << "a freed record names nobody";
        EXPECT_EQ(g.Leaders[1].Status, c.leaderStatus) << "a killed man stays dead";
        for (int b = 1; b <= 3; ++b) {
            EXPECT_EQ(g.Brigades[b].AttachKind, c.brigadesWait ? kAttachWaiting : kAttachFree);
            if (c.brigadesWait) {
                EXPECT_EQ(g.Brigades[b].AttachIndex, 0) << "waiting at no city";
            }
        }
        EXPECT_EQ(g.Nations[1].CorpsTally, 1);
    }
}

TEST_F(ForceRecount, OddsReadEveryCorpsNewReadinessAndHalveDivisions) {
    // Readiness 5 each; the division's 10 counts as 5. Stale readiness would give corps 1 odds of 6 to 10.
    SetMen(1, 140, 140);
    SetMen(2, 140, 140);
    SetMen(3, 120, 120);
    GameRec->Corps[2].Kind = 1;
    GameRec->Corps[2].FatigueLimit = 1;
    GameRec->Corps[3].FatigueLimit = 10;
    Place(2, 40, 22);
    Place(3, 40, 23);
    RecountForces();
    const TGameRec& g = *GameRec;
    EXPECT_EQ(g.Corps[1].OwnNearby, 10);
    EXPECT_EQ(g.Corps[1].Opponent, 4);
    EXPECT_EQ(g.Corps[1].SizeClass, 4);
    EXPECT_EQ(g.Corps[3].SizeClass, 1) << "outnumbered more than two to one";
}

TEST_F(ForceRecount, AnArmyIsValuedByTheStrengthAroundItsBase) {
    struct Case { int first, second, enemy, value; };
    // Tallies (own + 1) / 10 + 1 against enemy / 10 + 1: 41 to 10, 2 to 52, 11 to 11, 52 to 1.
    const Case cases[] = {{200, 200, 90, 91}, {10, 0, 255, 0}, {100, 0, 100, 50}, {255, 255, 9, 100}};
    for (const Case& c : cases) {
        SetUp();
        TGameRec& g = *GameRec;
        g.Armies[1].Nation = 1;
        g.Armies[1].BaseCity = 1;
        g.Armies[1].Leader = 3;
        g.Corps[1].Army = 1;
        SetMen(1, c.first, c.second);
        SetMen(3, c.enemy, c.enemy == 255 ? 255 : 0);
        Place(2, 30, 10);
        Place(3, 40, 20);  // on the base city
        RecountForces();
        EXPECT_EQ(g.Armies[1].ArmyValue, c.value) << c.first + c.second << " against " << c.enemy;
        EXPECT_EQ(g.Armies[1].CorpsCount, 1);
        EXPECT_EQ(g.Armies[1].Readiness, g.Corps[1].FatigueLimit);
        EXPECT_EQ(g.Corps[1].LeaderInitiative, 40 + 40 / 3) << "a third of the army commander's initiative";
    }
}

TEST_F(ForceRecount, AnArmyLeftWithoutCorpsFreesItsNameAndRelievesItsCommander) {
    TGameRec& g = *GameRec;
    g.Armies[2].Name = "Army of the James";
    g.Armies[2].Nation = 2;
    g.Armies[2].BaseCity = 2;
    g.Armies[2].Leader = 9;
    g.Leaders[9].Status = kLeaderActive;
    g.ArmyNamePool[2][3].Name = "Army of the James";
    g.ArmyNamePool[2][3].Used = 2;
    g.Nations[2].ArmyTally = 4;
    RecountForces();
    EXPECT_TRUE(ArmySlotFree(g.Armies[2]));
    EXPECT_EQ(g.ArmyNamePool[2][3].Used, 0);
    EXPECT_EQ(g.Leaders[9].Status, kLeaderRemoved);
    EXPECT_EQ(g.Nations[2].ArmyTally, 0);
}

TEST_F(ForceRecount, TotalsCountShipsTroopsAndGarrisonsAndASecondRecountChangesNoByte) {
    TGameRec& g = *GameRec;
    g.Fleets[1].DamagedWooden = 1;
    g.Fleets[2].WaterType = 2;
    g.Fleets[2].Ironclads = 2;
    g.Fleets[2].DamagedIronclads = 1;
    g.Brigades[20] = {2, 2, kBrigadeInfantry, 50, 1, 2, 2, 1, kAttachGarrison, 0};  // Richmond's garrison
    g.Armies[1].Nation = 1;
    g.Armies[1].BaseCity = 1;
    g.Corps[2].Army = 1;
    RecountForces();
    EXPECT_EQ(g.Nations[1].ShipTotals[kShipsOceanWooden], 5);
    EXPECT_EQ(g.Nations[2].ShipTotals[kShipsRiverIronclads], 3);
    EXPECT_EQ(g.Nations[2].TheatreStrength[1], 160 + 160 + 50);
    EXPECT_EQ(g.Nations[1].CorpsInTheatre[1], 2);
    EXPECT_EQ(g.States[1].OwnStrength, 320);
    EXPECT_EQ(g.States[2].ForeignHeld, 1) << "Alexandria is held by the Union";
    auto first = std::make_unique<TGameRec>(g);
    RecountForces();
    EXPECT_EQ(std::memcmp(first.get(), &g, sizeof(TGameRec)), 0);
}

TEST_F(ForceTally, OwnMenCountWholeAndEnemiesByDistance) {
    struct Case { int city, range, own, enemy, readiness, enemyCorps, holder; };
    // Union corps 1 and 2 on Washington, Confederate corps 3 on it and corps 4 two hexes off.
    const Case cases[] = {{1, 5, 321, 160 + 160 / 3, 10, 2, 2}, {1, 1, 321, 160, 4, 1, 2}, {0, 5, 1, 0, 0, 0, 0}};
    for (const Case& c : cases) {
        SetUp();
        for (int k : {1, 2, 3}) Place(k, 40, 20);
        Place(4, 40, 22);
        GameRec->Corps[3].FatigueLimit = 4;
        GameRec->Corps[4].FatigueLimit = 6;
        GameRec->Corps[1].Strength = GameRec->Corps[2].Strength = 160;
        GameRec->Corps[3].Strength = GameRec->Corps[4].Strength = 160;
        TallyForcesNearCity(c.city, 1, c.range);
        EXPECT_EQ(OwnTally, c.own) << "range " << c.range;
        EXPECT_EQ(EnemyTally, c.enemy) << "range " << c.range;
        EXPECT_EQ(EnemyReadinessTally, c.readiness);
        EXPECT_EQ(EnemyCorpsTally, c.enemyCorps);
        EXPECT_EQ(HolderCorpsOnCity, c.holder) << "the higher-numbered holder corps";
    }
}

TEST_F(LeaderChoice, MarksFollowCommandsAndOnlyComputerOrMailGamesChoose) {
    TGameRec& g = *GameRec;
    g.Nations[1].Human = 1;
    g.Leaders[1].Status = kLeaderRemoved;  // still leads corps 1
    g.Leaders[3].Status = kLeaderActive;   // leads nothing
    g.Leaders[4].Status = kLeaderToBeRemoved;
    EXPECT_TRUE(testing::DrawRanges({}, [] { EXPECT_EQ(PickCommander(1, kCommandCorps, 0, 0), 0); }).empty());
    EXPECT_EQ(g.Leaders[1].Status, kLeaderActive);
    EXPECT_EQ(g.Leaders[3].Status, kLeaderAvailable);
    EXPECT_EQ(g.Leaders[4].Status, kLeaderToBeRemoved);
    g.GameKind = 2;
    EXPECT_EQ(testing::DrawRanges({0, 49, 0}, [] { EXPECT_EQ(PickCommander(1, kCommandCorps, 0, 0), 5); }).size(), 3u);
}

TEST_F(LeaderChoice, RankPrestigeAndTiesDecideAndTheChosenPays) {
    // Leaders 5 and 6 of the Union are the only candidates; both draw 0.
    struct Case { int wanted, rank5, status5, prestige5, rank6, status6, prestige6, chosen, prestigeAfter; };
    const Case cases[] = {
        {3, 1, 100, 9, 3, 100, 0, 6, 0},  {3, 1, 100, 11, 3, 100, 0, 5, 1},   // rank 1 for 3 loses 10
        {3, 5, 100, 39, 3, 100, 0, 6, 0}, {3, 5, 100, 41, 3, 100, 0, 5, 31},  // rank 5 for 3 loses 40
        {5, 5, 100, 0, 3, 0, 50, 5, 0},   {5, 5, 100, 0, 3, 0, 51, 6, 41},    // +55 against +15; ties to the lower index
        {5, 2, 100, 60, 3, 0, -5, 6, 0},                                      // rank 2 pushed down; negative prestige to 0
    };
    for (const Case& c : cases) {
        SetUp();
        TGameRec& g = *GameRec;
        for (int l = 1; l <= 4; ++l) g.Leaders[l].Nation = 2;
        auto set = [&](int l, int rank, int status, int prestige) {
            g.Leaders[l].Rank = static_cast<U8>(rank);
            g.Leaders[l].Status = static_cast<U8>(status);
            g.Leaders[l].Political = static_cast<I8>(prestige);
        };
        set(5, c.rank5, c.status5, c.prestige5);
        set(6, c.rank6, c.status6, c.prestige6);
        testing::DrawRanges({0, 0}, [&] { EXPECT_EQ(ChooseLeaderForCommand(1, c.wanted, 0, 0), c.chosen); });
        EXPECT_EQ(g.Leaders[c.chosen].Political, c.prestigeAfter);
        const bool promoted = c.wanted == 5 && c.chosen == 6;
        EXPECT_EQ(g.Leaders[c.chosen].Initiative, promoted ? 35 : 40) << "a corps leader promoted to an army";
        EXPECT_EQ(g.Leaders[c.chosen].Rating, promoted ? 2 : 3);
    }
}

TEST_F(LeaderChoice, ACorpsLeaderIsFreedOnlyWhenSomeoneTakesHisCorps) {
    TGameRec& g = *GameRec;
    g.Leaders[5].Initiative = 70;
    g.Leaders[5].Rating = 6;
    EXPECT_TRUE(testing::DrawRanges({}, [] { EXPECT_TRUE(ReplaceCorpsCommander(1, 3)); }).empty()) << "he led no corps";
    testing::DrawRanges({0, 0, 0, 0}, [] { EXPECT_TRUE(ReplaceCorpsCommander(1, 1)); });
    EXPECT_EQ(g.Corps[1].Leader, 5) << "the best rating wins";
    EXPECT_EQ(g.Corps[1].LeaderInitiative, 70);
    EXPECT_EQ(g.Corps[1].LeaderRating, 6);
    EXPECT_EQ(g.Leaders[5].Status, kLeaderActive);
    for (int l : {1, 3, 4, 6}) g.Leaders[l].Status = kLeaderKilled;
    EXPECT_FALSE(ReplaceCorpsCommander(1, 5));
    EXPECT_EQ(g.Corps[1].Leader, 5);
}

}  // namespace
}  // namespace kvt
