// Leader casualties: the odds of a fall by intensity, wounds and deaths, the falling chance, and
// the successors a person is offered for a corps or an army.
#include <gtest/gtest.h>

#include "engine/combat/leader_casualties.h"
#include "tests/engine/battle_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::BattleWorld;
using testing::DrawRanges;
using testing::ScriptedFrontend;

class LeaderCasualty : public BattleWorld {};

TEST_F(LeaderCasualty, ACorpsCommanderFallsByTheIntensityAndTheFallingChance) {
    // The computer's corps with nobody to spare keeps its fallen commander.
    struct Case {
        const char* what;
        int intensity, chance, status;
        std::vector<int> draws, ranges;
        int expectStatus, expectChance, expectPolitical;
    };
    const Case cases[] = {
        {"a skirmish puts nobody at risk", 1, 70, 0, {}, {}, 0, 70, 0},
        {"at 5 a fall needs 500 and 1000 below the chance", 5, 70, 0, {99, 69, 70}, {100, 500, 1000}, 0, 70, 0},
        {"wounded for d turns, the chance falls", 5, 70, 0, {19, 69, 69, 9}, {100, 500, 1000, 25}, 210, 60, 1},
        {"d of 25 kills", 3, 70, 0, {99, 0, 0, 24}, {100, 900, 1200, 25}, 255, 60, 0},
        {"the chance stops at 10", 5, 10, 0, {99, 0, 0, 0}, {100, 500, 1000, 25}, 201, 10, 0},
        {"a killed commander left in command stays killed", 5, 70, 255, {99, 0, 0}, {100, 500, 1000}, 255, 70, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int k = Force(2, 10);
        TLeaderRec& l = GameRec->Leaders[C(k).Leader];
        l.Status = static_cast<U8>(c.status);
        CombatWords.BattleIntensity = static_cast<std::uint16_t>(c.intensity);
        CombatWords.LeaderLossChance = static_cast<std::uint16_t>(c.chance);
        ScriptedFrontend fe;
        EXPECT_EQ(DrawRanges(c.draws, [&] { CheckCorpsLeaderCasualty(k); }), c.ranges);
        EXPECT_EQ(l.Status, c.expectStatus);
        EXPECT_EQ(CombatWords.LeaderLossChance, c.expectChance);
        EXPECT_EQ(l.Political, c.expectPolitical);
        EXPECT_EQ(C(k).Leader, 1);
    }
}

TEST_F(LeaderCasualty, AnArmyCommanderFallsOnThreeDrawsAndASuccessorIsPromotedOrTheArmyLost) {
    enum Outcome { kKept, kAppointed, kPromoted, kDissolved };
    struct Case {
        const char* what;
        int human;
        std::vector<int> draws, ranges;
        int answer;  // the line the person clicks, -1 none
        Outcome outcome;
    };
    const Case cases[] = {
        {"the third draw spares him", 0, {0, 0, 100}, {250, 250, 1500}, 0, kKept},
        // The computer scores its three eligible men (one draw each): the rank-3 man rated 9 wins.
        {"the computer appoints its best man", 0, {0, 0, 99, 0, 0, 0, 0}, {250, 250, 1500, 25, 50, 50, 50}, 0, kAppointed},
        {"a person promotes a corps leader", 1, {0, 0, 99, 0}, {250, 250, 1500, 25}, 0, kPromoted},
        {"no choice dissolves the army", 1, {0, 0, 99, 0}, {250, 250, 1500, 25}, -1, kDissolved},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        GameRec->Nations[1].Human = static_cast<U8>(c.human);
        const int k = Force(1, 10);
        const int chief = AddLeader(1, 30, 0, 0, "Chief");
        const int a = AddArmy(1, 1, chief);
        C(k).Army = static_cast<U8>(a);
        struct Man { int rank, status; };
        int men[3] = {};
        int i = 0;
        for (const Man& m : {Man{3, 100}, Man{5, 50}, Man{2, 200}}) {
            men[i] = AddLeader(1, 52, 0, 0, "Man" + std::to_string(i));
            GameRec->Leaders[men[i]].Rank = static_cast<U8>(m.rank);
            GameRec->Leaders[men[i]].Status = static_cast<U8>(m.status);
            GameRec->Leaders[men[i]].Rating = 9;
            ++i;
        }
        CombatWords.BattleIntensity = 5;
        CombatWords.LeaderLossChance = 70;
        ScriptedFrontend fe;
        if (c.outcome != kKept) fe.ExpectNotice(0);
        if (c.human) fe.ExpectLeaderSuccessor(c.answer);
        EXPECT_EQ(DrawRanges(c.draws, [&] { CheckArmyLeaderCasualty(a); }), c.ranges);
        EXPECT_EQ(GameRec->Leaders[chief].Status, c.outcome == kKept ? 0 : 201);
        EXPECT_EQ(CombatWords.LeaderLossChance, 70) << "an army commander's fall does not lower the chance";
        const TLeaderRec& s = GameRec->Leaders[men[0]];
        switch (c.outcome) {
            case kKept: EXPECT_EQ(GameRec->Armies[a].Leader, chief); break;
            case kAppointed:
                EXPECT_EQ(GameRec->Armies[a].Leader, men[0]);
                EXPECT_EQ(s.Rank, 3);
                break;
            case kPromoted:
                // Only men of rank 3 and up free for a command are offered: not a rank-5 man still to come.
                ASSERT_EQ(fe.successorViews.size(), 1u);
                ASSERT_EQ(fe.successorViews[0].lines.size(), 1u);
                EXPECT_EQ(fe.successorViews[0].lines[0].text, "Man0T580");
                EXPECT_EQ(GameRec->Armies[a].Leader, men[0]);
                EXPECT_EQ(s.Status, 0);
                EXPECT_EQ(s.Rank, 5);
                EXPECT_EQ(s.Rating, 7);
                EXPECT_EQ(s.Initiative, 41);
                EXPECT_EQ(s.Political, -10);
                break;
            case kDissolved:
                EXPECT_EQ(GameRec->Armies[a].Nation, 0);
                EXPECT_EQ(C(k).Army, 0);
                break;
        }
    }
}

TEST_F(LeaderCasualty, ACandidatesRatingsShowAsWordsOrUnknownUntilHeHasSeenEnough) {
    const int k = Force(1, 10);
    const int man = AddLeader(1, 45, 30, 10, "Man");
    TLeaderRec& l = GameRec->Leaders[man];
    l.Status = kLeaderAvailable;
    l.Rank = 1;
    l.Rating = 8;
    for (int experience : {0, 9, 10}) {
        l.Experience = static_cast<U8>(experience);
        const TSuccessorLine line = CorpsSuccessorView(k).lines.at(0);
        EXPECT_EQ(line.text, "ManT580");
        EXPECT_EQ(line.initiative, experience < 4 ? "T558" : "T556");
        EXPECT_EQ(line.rating, experience < 10 ? "T563" : "T562");
        EXPECT_EQ(line.drill, experience < 6 ? "T548" : "T545");
        EXPECT_EQ(line.tactics, experience < 8 ? "T552" : "T550");
    }
}

}  // namespace
}  // namespace kvt
