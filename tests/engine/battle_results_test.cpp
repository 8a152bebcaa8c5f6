// After a field battle: the corps update, the results and what they book into the war, the
// analysis figures and the history record of a mail game.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/combat/battle_analysis.h"
#include "engine/combat/battle_history.h"
#include "engine/combat/battle_results.h"
#include "tests/engine/battle_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::BattleWorld;
using testing::DrawRanges;
using testing::ScriptedFrontend;

class BattleResults : public BattleWorld {};

TEST_F(BattleResults, LossesBecomeDisruptionThatWorksAndVictoryWorkDown) {
    struct Case {
        const char* what;
        int losses, strength, entrenchment, fatigue, result;
        int disruption, fatigueAfter, entrenchmentAfter, condition;
    };
    const Case cases[] = {
        {"3 lost of 10: 15", 3, 10, 0, 0, 3, 15, 15, 0, 0},
        {"works of 4 bring it to 11", 3, 10, 4, 0, 3, 11, 11, 0, 0},
        {"a winner at 11 ends at 1", 3, 10, 4, 0, 2, 1, 26, 4, 0},
        {"works equal to it leave 1", 1, 10, 5, 0, 3, 1, 1, 0, 8},
        {"a winner tired 7 at 5 ends tired 21", 1, 10, 0, 7, 2, 0, 21, 0, 0},
        {"no decision: tired by it, works lost", 1, 10, 2, 0, 0, 3, 3, 0, 4},
        {"indecisive: 3 more fatigue, works kept", 1, 10, 2, 0, 1, 3, 6, 2, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int k = AddCorps(1, kX, kY);
        const int far = Force(2, 10);
        GameRec->Brigades[1].Quality = 12;  // anywhere on the map, cut to 10
        C(far).HexX = 40;
        C(k).Strength = static_cast<std::uint16_t>(c.strength);
        C(k).Entrenchment = static_cast<U8>(c.entrenchment);
        C(k).Fatigue = static_cast<U8>(c.fatigue);
        BattleCorpsLosses[k] = c.losses;
        GameRec->BattleResult = static_cast<std::uint16_t>(c.result);
        EXPECT_EQ(DrawRanges({99}, [&] { UpdateCorpsAfterBattle(k); }), std::vector<int>{100});
        EXPECT_EQ(C(k).Disruption, c.disruption);
        EXPECT_EQ(C(k).Fatigue, c.fatigueAfter);
        EXPECT_EQ(C(k).Entrenchment, c.entrenchmentAfter);
        EXPECT_EQ(C(k).Condition, c.condition);
        EXPECT_EQ(GameRec->Leaders[C(k).Leader].Political, -c.disruption);
        EXPECT_EQ(GameRec->Leaders[C(k).Leader].Experience, 5);
        EXPECT_EQ(GameRec->Brigades[1].Quality, 10);
        EXPECT_EQ(C(k).ContactCode, 0);
    }
}

TEST_F(BattleResults, RowsAttitudesCapturedGunsAndTheWarsTallies) {
    struct Case {
        const char* what;
        int unionCorps, confedCorps, result;
        int france, britain, franceAfter, britainAfter;
        const char* weapons;
    };
    const Case cases[] = {
        {"a Union victory warms the powers by half the Confederate rows", 12, 3, 2, 99, 100, 101, 100, " "},
        {"a Confederate victory cools them by the Union rows, and takes guns", 1, 1, 3, 50, 2, 48, 2, "T668154 weapons."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        std::vector<int> unionCorps;
        for (int i = 0; i < c.unionCorps; ++i) unionCorps.push_back(Force(1, 20));
        for (int i = 0; i < c.confedCorps; ++i) C(Force(2, 20)).Disruption = 7;
        C(unionCorps[0]).Disruption = 7;  // the first Union row reads 7 as disorganised
        BattleCorpsLosses[unionCorps.back()] = 300;
        DrawIn();
        GameRec->Nations[3].Attitude = static_cast<std::int16_t>(c.france);
        GameRec->Nations[4].Attitude = static_cast<std::int16_t>(c.britain);
        GameRec->BattleResult = static_cast<std::uint16_t>(c.result);
        GameRec->BattleLosses(1) = 40;
        GameRec->BattleLosses(2) = 60;
        GunsLost[2] = 3;
        GunsLost[7] = 2;
        InitiativeSide = 2;
        CombatWords.BattleIntensity = 4;
        ScriptedFrontend fe;
        fe.ExpectBattleResults();
        ShowBattleResults();
        const TBattleResultsView& v = fe.battleResults.at(0);
        EXPECT_EQ(v.initiative, "Confederate T666");
        EXPECT_EQ(v.intensity, "T672");
        EXPECT_EQ(v.unionLosses, "T404 2000");
        EXPECT_EQ(v.unionRows[1].disruption, "T676");
        EXPECT_EQ(v.confederateRows[1].disruption, "T677");
        EXPECT_EQ(v.unionRow, std::min(c.unionCorps + 1, 10));
        // Rows 1..9 hold the first nine, row 10 the last; losses are counted past a byte.
        const int last = std::min(c.unionCorps, 10);
        EXPECT_EQ(v.unionRows[last].leader, GameRec->Leaders[C(unionCorps.back()).Leader].Name.str());
        EXPECT_EQ(v.unionRows[last].casualties, "15000");
        EXPECT_EQ(v.unionRows[last].brigades, "1/0");
        EXPECT_EQ(GameRec->Nations[3].Attitude, c.franceAfter);
        EXPECT_EQ(GameRec->Nations[4].Attitude, c.britainAfter);
        EXPECT_EQ(v.weapons, c.weapons);
        EXPECT_EQ(v.weaponsShown, c.result == 3);
        EXPECT_EQ(GameRec->Nations[2].WeaponPool[2], c.result == 3 ? 3 : 0);
        EXPECT_EQ(GameRec->Nations[2].WeaponPool[7], c.result == 3 ? 2 : 0);
        EXPECT_EQ(v.result, c.result == 2 ? "T64" : "T65");
        EXPECT_EQ(GameRec->Casualties[1], 40u);
        EXPECT_EQ(GameRec->Casualties[2], 60u);
        EXPECT_EQ(GameRec->MilitaryPoints[1], 3);
        EXPECT_EQ(GameRec->MilitaryPoints[2], 2);
    }
}

class BattleAnalysis : public BattleWorld {};

TEST_F(BattleAnalysis, ExpectedCasualtiesFrictionAndConditionFromTheBattleTable) {
    struct Case {
        const char* what;
        int f0, f1, f3, f8;  // every other factor 1, pair 12 at 3
        long long base, expected, friction;
    };
    const Case cases[] = {
        {"the worked example", 40, 1, 1, 3, 95, 37, 47},
        {"strong fatigue expects a negative toll", 40, 100, 1, 3, 95, -94, -120},
        {"a table with no ground value", 40, 1, 0, 3, 81, 34, 43},
    };
    const int k = AddCorps(1, kX, kY);
    PreBattleStrength[k] = 40;
    PreBattleGuns[k] = 6;
    PreBattleCohesion[k] = 9;
    C(k).Condition = 4;
    C(k).Disruption = 15;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (auto& pair : BattleFactors) pair = {0, 1, 1};
        BattleFactors[0][1] = static_cast<std::uint16_t>(c.f0);
        BattleFactors[1][1] = static_cast<std::uint16_t>(c.f1);
        BattleFactors[3][1] = static_cast<std::uint16_t>(c.f3);
        BattleFactors[8][1] = static_cast<std::uint16_t>(c.f8);
        BattleFactors[12][1] = 3;
        const TBattleAnalysisView v = kvt::BattleAnalysis(3);
        const TAnalysisColumn& u = v.side[1];
        EXPECT_EQ(u.figures.base, c.base);
        EXPECT_EQ(u.figures.expected, c.expected);
        EXPECT_EQ(u.figures.friction, c.friction);
        EXPECT_EQ(u.value[8], std::to_string(c.expected));
        EXPECT_EQ(u.value[1], "2000, 6");
        // Condition 4 and disruption 15 count 19 toward the final average.
        EXPECT_EQ(u.value[11], "9");
        EXPECT_EQ(u.value[12], "-10");
        EXPECT_EQ(u.value[13], "19");
        const TAnalysisColumn& empty = v.side[2];
        EXPECT_EQ(empty.value[1], "0, 0");
        EXPECT_EQ(empty.value[13], "0");
        EXPECT_EQ(v.result, "T63");
    }
}

class BattleHistoryWriter : public BattleWorld {};

TEST_F(BattleHistoryWriter, AMailGamesRecordHoldsTheShownCaptionsRowByRow) {
    struct Case {
        const char* what;
        int gameKind, unionCorps, confedCorps;
        bool leaderlessFirst;
        std::size_t lines;
    };
    const Case cases[] = {
        {"two Union corps and one Confederate", 3, 2, 1, false, 49},
        {"ten rows are forty lines and no marker", 3, 1, 10, false, 73},
        {"a leaderless row is one marker", 3, 2, 1, true, 46},
        {"a face-to-face game records nothing", 0, 2, 1, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        GameRec->GameKind = static_cast<std::uint16_t>(c.gameKind);
        for (int i = 0; i < c.unionCorps; ++i) Force(1, 20);
        for (int i = 0; i < c.confedCorps; ++i) Force(2, 20);
        if (c.leaderlessFirst) C(1).Leader = 0;
        DrawIn();
        TCombatResolutionView header;
        header.place = "T2Town, State";
        WriteBattleHistoryHeader(header);
        ShowBattleResults();
        ASSERT_EQ(BattleLog.size(), c.lines);
        EXPECT_EQ(GameRec->BattlesThisTurn, c.lines != 0 ? 1 : 0);
        if (c.lines == 0) continue;
        EXPECT_EQ(BattleLog[0], "Battle");
        EXPECT_EQ(BattleLog[1], "T2Town, State");
        EXPECT_EQ(BattleLog[8], "Result");
        EXPECT_EQ(BattleLog[11], "T505");
        EXPECT_EQ(BattleLog[14], c.leaderlessFirst ? "EndOfUnion" : "Leader1");
        EXPECT_EQ(BattleLog[c.lines - 2], " ") << "no weapons captured: a single blank";
        EXPECT_EQ(BattleLog.back(), "EndOfBattle");
        EXPECT_EQ(std::count(BattleLog.begin(), BattleLog.end(), "EndOfConfed"), c.confedCorps == 10 ? 0 : 9);
    }
}

}  // namespace
}  // namespace kvt
