// Field battle resolution: initiative, the decision, the order of a pair's draws, the volleys, and a
// person's battle through the frontend.
#include <gtest/gtest.h>

#include "engine/combat/battle_dispatcher.h"
#include "engine/combat/battle_setup.h"
#include "engine/combat/field_battle.h"
#include "tests/engine/battle_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::BattleWorld;
using testing::DrawRanges;
using testing::ScriptedFrontend;

class FieldBattle : public BattleWorld {};

TEST_F(FieldBattle, InitiativeAndTheDecisionOnLossesAndGround) {
    // No corps fights here: the initiative draw is the only one, and the loss words decide.
    struct Case {
        const char* what;
        int unionBrigades, confedBrigades, unionRating, confedRating, unionIntensity, confedIntensity;
        std::vector<int> draws, ranges;
        int side;
        int holder, pu, pc;  // the hex's controlling side and each side's loss percentage
        int result;
    };
    const Case cases[] = {
        {"even: the Union holds below its share", 2, 2, 3, 4, 2, 3, {29}, {70}, 1, 1, 10, 12, 2},
        {"even: the Confederacy takes it from there", 2, 2, 3, 4, 2, 3, {30}, {70}, 2, 1, 19, 12, 3},
        {"the attacker needs half again the holder's loss", 2, 2, 3, 4, 2, 3, {30}, {70}, 2, 1, 18, 12, 0},
        {"three to one for the Confederacy", 1, 4, 3, 4, 2, 3, {89}, {100}, 2, 2, 12, 10, 3},
        {"three to one for the Union, its draw missed", 4, 1, 3, 4, 2, 3, {80}, {100}, 2, 2, 10, 16, 2},
        {"a range below 0 is 0 and draws nothing", 2, 2, 0, 1, 1, 2, {}, {}, 2, 0, 10, 9, 3},
        {"a skirmish decides nothing", 2, 2, 3, 3, 1, 1, {0}, {40}, 1, 1, 10, 12, 1},
        {"fewer than 5 losses decide nothing", 2, 2, 3, 4, 2, 3, {29}, {70}, 1, 1, 1, 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        GameRec->Leaders[1].Rating = static_cast<U8>(c.unionRating);
        GameRec->Leaders[2].Rating = static_cast<U8>(c.confedRating);
        CombatWords = {1, 2, static_cast<std::uint16_t>(c.unionIntensity), static_cast<std::uint16_t>(c.confedIntensity), 0, 1, 0, 70};
        BattleBrigades = {0, static_cast<std::uint16_t>(c.unionBrigades), static_cast<std::uint16_t>(c.confedBrigades)};
        BattleTroops = {0, 100, 100};
        GameRec->BattleLosses(1) = static_cast<std::uint16_t>(c.pu);
        GameRec->BattleLosses(2) = static_cast<std::uint16_t>(c.pc);
        Hex(kX, kY).SetControlSide(c.holder);
        TCombatResolution dialog;
        dialog.view.execute.enabled = true;
        EXPECT_EQ(DrawRanges(c.draws, [&] { dialog.Button1Click(); }), c.ranges);
        EXPECT_EQ(InitiativeSide, c.side);
        EXPECT_EQ(CombatWords.BattleIntensity, c.side == 1 ? c.unionIntensity : c.confedIntensity);
        EXPECT_EQ(BattleTroops[1], static_cast<std::uint32_t>(c.pu));
        EXPECT_EQ(GameRec->BattleResult, c.result);
        EXPECT_FALSE(dialog.view.execute.enabled);
    }
}

TEST_F(FieldBattle, APairWithNoBoutsTriesItsGunsOnceThenEngagesRandomIPlusITimes) {
    const int u = Force(1, 10), e = Force(2, 10);
    C(u).OrderMode = 0;  // no bouts: tactics 0 div 20 + Withdraw
    DrawIn();
    SidePlayed = 1;
    // Initiative over 10 x (3 + 3) - 20 (the Union's rule intensity is 1): the Confederacy, at 2.
    // Duel: one pick (none found); engagements Random(2) + 2 = 3, none fought; the leaders' rolls.
    const std::vector<int> opening = {39, 0, 1, 199, 199, 199, 599, 799};
    std::vector<int> script = opening;
    script.resize(200, 99);
    std::vector<int> ranges = DrawRanges(script, [] { SetUpFieldBattle(); });
    ScriptRandomDraws({});
    ranges.resize(opening.size());
    EXPECT_EQ(ranges, (std::vector<int>{40, 2, 2, 200, 200, 200, 600, 800}));
    EXPECT_EQ(CombatWords.BattleIntensity, 2);
    EXPECT_EQ(C(u).Opponent, e);
    EXPECT_EQ(SidePlayed, 1) << "the battle leaves the side played alone";
    EXPECT_EQ(C(u).OrderMode, 0);
    EXPECT_EQ(C(e).OrderMode, 0);
    EXPECT_EQ(RollFireHits(0, 65535), 1) << "every volley scores one hit, even of no shots";
}

TEST_F(FieldBattle, GunsFireThreeTimesInTenAndAHitOnGunsSparesThemAboveFortyOne) {
    const int u = Force(1, 1, 1), e = Force(2, 10, 10);
    const int foot = 1, guns = 2, enemyFoot = 3, enemyGuns = 4;
    CombatWords.BattleIntensity = 2;
    struct Case {
        const char* what;
        int firing, target;
        std::vector<int> draws, ranges;
        int targetStrength;
    };
    const Case cases[] = {
        {"guns hold their fire at 30", guns, enemyFoot, {30}, {100}, 10},
        {"guns fire below 30; a miss still hits once", guns, enemyFoot, {29, 1499, 99, 0, 0}, {100, 1500, 100, 5, 1}, 9},
        {"a hit on guns above 41 is spent", foot, enemyGuns, {1499, 42, 99}, {1500, 100, 100}, 10},
        {"a hit on guns at 41 tells", foot, enemyGuns, {1499, 41, 99, 99, 0}, {1500, 100, 100, 100, 1}, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameRec->Brigades[enemyFoot].Strength = GameRec->Brigades[enemyGuns].Strength = 10;
        EXPECT_EQ(DrawRanges(c.draws, [&] { EngageBrigades(c.firing, c.target, 0); }), c.ranges);
        EXPECT_EQ(GameRec->Brigades[c.target].Strength, c.targetStrength);
    }
    EXPECT_EQ(BattleCorpsLosses[e], 2);
    EXPECT_EQ(GameRec->BattleLosses(2), 2);
    EXPECT_EQ(BattleCorpsLosses[u], 0);
}

TEST_F(FieldBattle, APersonChoosesTheIntensityAndASuccessorThenSeesTheResults) {
    const int u = Force(1, 20), e = Force(2, 20);
    C(u).ContactCode = 1;
    C(e).ContactCode = 1;
    const int spare = AddLeader(1, 40, 0, 0, "Spare");
    GameRec->Leaders[spare].Status = kLeaderAvailable;
    GameRec->Leaders[spare].Rank = 3;
    GameRec->Leaders[C(u).Leader].Rating = 6;
    C(u).LeaderRating = 6;
    GameRec->Nations[1].Human = 1;
    ScriptedFrontend fe;
    fe.ExpectCombatResolution();
    fe.ExpectBattleIntensity(3);
    fe.ExpectNotice(0);
    fe.ExpectLeaderSuccessor(0);
    fe.ExpectBattleResults();
    // Every draw 0: every shot tells, every loss shakes, and the first loss fells the commander.
    WithDraws(0, [] { ResolveBattles(); });
    EXPECT_EQ(fe.log, (std::vector<std::string>{"battle marker 10 10", "combat resolution", "intensity 3", "notice 0",
                                                 "successor 0", "battle results"}));
    EXPECT_EQ(fe.notices[0].lines[1], "Leader1");
    EXPECT_EQ(fe.notices[0].lines[2], "T55");
    EXPECT_EQ(fe.successorViews[0].lines[0].text, "SpareT581");
    EXPECT_EQ(GameRec->Leaders[1].Status, 201);
    EXPECT_EQ(fe.battleResults[0].unionRows[1].leader, "Spare") << "the successor leads the corps";
    EXPECT_EQ(fe.combatResolutions[0].setUnionIntensity.caption, "T516");
    EXPECT_EQ(fe.battleResults[0].intensity, "T671");
}

}  // namespace
}  // namespace kvt
