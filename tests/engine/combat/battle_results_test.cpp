// After a field battle: the corps update, the results and what they book into the war, the
// analysis figures and the history record of a mail game.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "engine/combat/battle_analysis.h"
#include "engine/combat/battle_history.h"
#include "engine/combat/battle_results.h"
#include "engine/combat/field_battle.h"
#include "engine/forces/brigade_rules.h"
#include "engine/world/random.h"
#include "tests/engine/battle_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::BattleWorld;
using testing::DrawRanges;
using testing::ScriptedFrontend;

class BattleResults : public BattleWorld {};
class BattleAnalysis : public BattleWorld {};
class BattleHistoryWriter : public BattleWorld {};

TEST_F(BattleResults, LossesBecomeDisruptionThatWorksAndVictoryWorkDown) {
    // A corps of 10 (no brigades, a leader of no tactics): 1 lost makes 5, 3 lost 15 (capped).
    const struct { const char* what; int losses, works, fatigue, result, disruption, fatigueAfter, worksAfter, condition; } cases[] = {
        {"3 lost of 10: 15", 3, 0, 0, 3, 15, 15, 0, 0},
        {"works of 4 bring it to 11", 3, 4, 0, 3, 11, 11, 0, 0},
        {"a winner at 11 ends at 1", 3, 4, 0, 2, 1, 26, 4, 0},
        {"works equal to it leave 1", 1, 5, 0, 3, 1, 1, 0, 8},
        {"a winner tired 7 at 5 ends tired 21", 1, 0, 7, 2, 0, 21, 0, 0},
        {"no decision: tired by it, works lost", 1, 2, 0, 0, 3, 3, 0, 4},
        {"indecisive: 3 more fatigue, works kept", 1, 2, 0, 1, 3, 6, 2, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int k = AddCorps(1, kX, kY);
        Place(Force(2, 10), 40, 10);
        GameRec->Brigades[1].Quality = 12;  // anywhere on the map, cut to 10
        C(k).Strength = 10;
        C(k).Entrenchment = static_cast<U8>(c.works);
        C(k).Fatigue = static_cast<U8>(c.fatigue);
        BattleCorpsLosses[k] = c.losses;
        GameRec->BattleResult = static_cast<std::uint16_t>(c.result);
        EXPECT_EQ(DrawRanges({99}, [&] { UpdateCorpsAfterBattle(k); }), std::vector<int>{100});
        const TLeaderRec& l = GameRec->Leaders[C(k).Leader];
        EXPECT_EQ(std::vector<int>({C(k).Disruption, C(k).Fatigue, C(k).Entrenchment, C(k).Condition, l.Political, l.Experience,
                                    GameRec->Brigades[1].Quality}),
                  std::vector<int>({c.disruption, c.fatigueAfter, c.worksAfter, c.condition, -c.disruption, 5, 10}));
    }
}

TEST_F(BattleResults, HomeWorksGroundNationAndLeadershipWorkDisruptionDown) {
    // A beaten Union corps of 10 that lost 2 starts at 10. The hex lies in state `state` (map byte
    // 2) and is held by the Confederacy, whose bit must not stand for a state: state 2 would calm it.
    const struct { const char* what; int result, works, state, owner, control, recovery, kind, tactics, chief, draw, disruption; } cases[] = {
        {"a hex of no state changes nothing", 3, -1, 0, 0, 0, 0, 0, 0, -1, 99, 10},
        {"its side's city works of 6 take 2", 3, 6, 0, 0, 0, 0, 0, 0, -1, 99, 8},
        {"a winner in its side's city is steady", 2, 0, 0, 0, 0, 0, 0, 0, -1, 99, 0},
        {"its side's state calms it", 3, -1, 5, 1, 1, 0, 0, 0, -1, 99, 9},
        {"a state its side does not control troubles it", 3, -1, 5, 2, 2, 0, 0, 0, -1, 99, 11},
        {"calmed to 0 it is not troubled", 3, 27, 5, 1, 2, 0, 0, 0, -1, 99, 0},
        {"the nation's recovery of 4 takes 4", 3, -1, 0, 0, 0, 4, 0, 0, -1, 99, 6},
        {"a recovery as large takes nothing", 3, -1, 0, 0, 0, 10, 0, 0, -1, 99, 10},
        {"a cavalry division halves it", 3, -1, 0, 0, 0, 0, 2, 0, -1, 99, 5},
        {"a leader rallies it below his tactics", 3, -1, 0, 0, 0, 0, 0, 40, -1, 39, 5},
        {"but not at them", 3, -1, 0, 0, 0, 0, 0, 40, -1, 40, 10},
        {"an army's chief adds half again", 3, -1, 0, 0, 0, 0, 0, 20, 20, 59, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int k = AddCorps(1, kX, kY, AddLeader(1, 30, c.tactics));
        C(k).Strength = 10;
        C(k).Kind = static_cast<U8>(c.kind);
        BattleCorpsLosses[k] = 2;
        if (c.chief >= 0) C(k).Army = static_cast<U8>(AddArmy(1, 1, AddLeader(1, 30, c.chief)));
        if (c.works >= 0) GameRec->Cities[AddCity("Home", kX, kY, 1)].Fortifications = static_cast<U8>(c.works);
        Hex(kX, kY).SetControlSide(2);
        Hex(kX, kY).SetState(c.state);
        GameRec->States[2].Owner = GameRec->States[2].ControlSide = 1;
        GameRec->States[5].Owner = static_cast<U8>(c.owner);
        GameRec->States[5].ControlSide = static_cast<U8>(c.control);
        GameRec->Nations[1].Recovery = static_cast<U8>(c.recovery);
        GameRec->BattleResult = static_cast<std::uint16_t>(c.result);
        EXPECT_EQ(DrawRanges({c.draw}, [&] { UpdateCorpsAfterBattle(k); }), std::vector<int>{100});
        EXPECT_EQ(static_cast<int>(C(k).Disruption), c.disruption);
    }
}

TEST_F(BattleResults, UpdatesOverTheListedBrigadesLeaveWhatTheSweepsLeave) {
    // Three corps with brigades interleaved, all at the quality cap, one cleared after the listing,
    // and an outsider above the cap: each battle is updated by sweeps of all brigades and by the
    // lists, capping only what the previous update drilled, and must end the same.
    struct TEnd {
        std::vector<int> quality, fatigue, corps;
        bool operator==(const TEnd&) const = default;
    };
    bool drilledPastTheCap = false;
    for (const int result : {1, 2, 3})
        for (int seed = 1; seed <= 4; ++seed) {
            SCOPED_TRACE(::testing::Message() << "result " << result << " seed " << seed);
            SetUp();
            const int u = Force(1, 10, 3), v = Force(1, 8), e = Force(2, 12, 4);
            for (int n = 0; n < 4; ++n)
                for (const int k : {u, e, v}) AddBrigade(k, n % 2 ? kBrigadeArtillery : kBrigadeInfantry, 5 + n, 10, 21 * (n % 2));
            const int cleared = AddBrigade(v, kBrigadeInfantry, 6, 10);
            const int outsider = AddBrigade(Place(Force(2, 3), 40, 10), kBrigadeInfantry, 4, 12);
            RecalcCorpsFromBrigades();
            GameRec->BattleResult = static_cast<std::uint16_t>(result);
            for (const int k : {u, v, e}) BattleCorpsLosses[k] = 1 + k % 3;
            TCorpsBrigades listed;
            listed.List();
            ClearBrigade(cleared);
            const auto before = std::make_unique<TGameRec>(*GameRec);
            auto end = [&] {
                TEnd t;
                for (const TBrigadeRec& b : GameRec->Brigades) {
                    t.quality.push_back(b.Quality);
                    t.fatigue.push_back(b.Fatigue);
                }
                for (const int k : {u, v, e})
                    t.corps.insert(t.corps.end(), {C(k).Strength, C(k).Artillery, C(k).LineCount, C(k).Fatigue, C(k).Disruption});
                return t;
            };
            SetRandomSeed(seed);
            for (const int k : {u, v, e}) UpdateCorpsAfterBattle(k);
            const TEnd swept = end();
            *GameRec = *before;
            SetRandomSeed(seed);
            UpdateCorpsAfterBattle(u);
            UpdateCorpsAfterBattle(v, listed.Of(v), listed.Of(u));
            UpdateCorpsAfterBattle(e, listed.Of(e), listed.Of(v));
            EXPECT_TRUE(end() == swept);
            EXPECT_EQ(GameRec->Brigades[outsider].Quality, 10);
            for (const int q : swept.quality) drilledPastTheCap = drilledPastTheCap || q > 10;
        }
    EXPECT_TRUE(drilledPastTheCap) << "the last corps updated keeps a brigade drilled past the cap";
}

TEST_F(BattleResults, RowsAttitudesCapturedGunsAndTheWarsTallies) {
    const struct { int unionCorps, confedCorps, result, france, britain, franceAfter, britainAfter; const char* weapons; } cases[] = {
        {12, 3, 2, 99, 100, 101, 100, " "},                // warmed by half the Confederate rows
        {1, 1, 3, 50, 2, 48, 2, "T668154 weapons."},       // cooled by the Union rows; 3 x 50 + 2 x 2 taken
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
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
        // The Confederates' own guns lost are not theirs to capture back.
        const int gun = AddBrigade(corps_, kBrigadeArtillery, 10);
        GameRec->Brigades[gun].Weapon = 6;
        WithDraws({0}, 0, [&] { ApplyBrigadeLosses(3, gun, 2); });
        ScriptedFrontend fe;
        fe.ExpectBattleResults();
        ShowBattleResults();
        const TBattleResultsView& v = fe.battleResults.at(0);
        EXPECT_EQ(v.initiative + "|" + v.intensity + "|" + v.unionLosses + "|" + v.result, std::string("Confederate T666|T672|T404 2000|") +
                                                                                             (c.result == 2 ? "T64" : "T65"));
        EXPECT_EQ(v.unionRows[1].disruption + v.confederateRows[1].disruption, "T676T677");
        // Rows 1..9 hold the first nine corps, row 10 the last; losses are counted past a byte.
        const TResultsRow& last = v.unionRows[std::min(c.unionCorps, 10)];
        EXPECT_EQ(last.leader + " " + last.brigades + " " + last.casualties,
                  GameRec->Leaders[C(unionCorps.back()).Leader].Name.str() + " 1/0 15000");
        EXPECT_EQ(v.unionRow, std::min(c.unionCorps + 1, 10));
        EXPECT_EQ(std::vector<int>({GameRec->Nations[3].Attitude, GameRec->Nations[4].Attitude}), std::vector<int>({c.franceAfter, c.britainAfter}));
        EXPECT_EQ(v.weapons, c.weapons);
        EXPECT_EQ(v.weaponsShown, c.result == 3);
        const TNationRec& confed = GameRec->Nations[2];
        EXPECT_EQ(confed.WeaponPool[2] + confed.WeaponPool[7], c.result == 3 ? 5 : 0);
        EXPECT_EQ(std::vector<long>({GameRec->Casualties[1], GameRec->Casualties[2], GameRec->MilitaryPoints[1], GameRec->MilitaryPoints[2]}),
                  std::vector<long>({40, 62, 3, 2}));  // the 2 guns lost count by their brigade too
    }
}

TEST_F(BattleResults, UnseenResultsBookWhatShownResultsBook) {
    // The attitudes follow the row counts, the captured guns the stocks; the engagement counts are
    // cut to each corps' brigades whether or not anyone reads the rows.
    const struct { int unionCorps, confedCorps, result; } cases[] = {{12, 3, 2}, {2, 11, 3}, {10, 1, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        auto fight = [&](bool shown) {
            SetUp();
            for (int i = 0; i < c.unionCorps; ++i) Force(1, 20);
            for (int i = 0; i < c.confedCorps; ++i) Force(2, 20, 1);
            DrawIn();
            for (int k = 1; k <= c.unionCorps + c.confedCorps; ++k) CorpsExtraEngagements[k] = static_cast<std::uint8_t>(k);
            GameRec->Nations[3].Attitude = 60;
            GameRec->Nations[4].Attitude = 30;
            GameRec->BattleResult = static_cast<std::uint16_t>(c.result);
            GameRec->BattleLosses(1) = 45;
            GameRec->BattleLosses(2) = 70;
            GunsLost[3] = 4;
            std::optional<ScriptedFrontend> fe;
            if (shown) fe.emplace().ExpectBattleResults();
            ShowBattleResults();
            if (shown) EXPECT_EQ(fe->battleResults.size(), 1u);
            std::vector<long> booked = {GameRec->Nations[3].Attitude, GameRec->Nations[4].Attitude, GameRec->Nations[2].WeaponPool[3],
                                        GameRec->Casualties[1], GameRec->Casualties[2], GameRec->MilitaryPoints[1], GameRec->MilitaryPoints[2]};
            booked.insert(booked.end(), CorpsExtraEngagements.begin(), CorpsExtraEngagements.end());
            return booked;
        };
        const std::vector<long> shown = fight(true);
        EXPECT_EQ(fight(false), shown);
        EXPECT_NE(shown[0] * 100 + shown[1], 6030) << "the outcome moves an attitude";
        EXPECT_LT(shown[7 + 5], 5) << "a corps' count is cut to its brigades";
    }
}

TEST_F(BattleAnalysis, ExpectedCasualtiesFrictionAndConditionFromTheBattleTable) {
    // Pair 12 at 3 and intensity 3; every factor not named is 1.
    const struct { int f0, f1, f3, f8; long long base, expected, friction; } cases[] = {
        {40, 1, 1, 3, 95, 37, 47},     // the worked example
        {40, 100, 1, 3, 95, -94, -120},  // strong fatigue expects a negative toll
        {40, 1, 0, 3, 81, 34, 43},     // a table with no ground value
    };
    const int k = AddCorps(1, kX, kY);
    PreBattleStrength[k] = 40;
    PreBattleGuns[k] = 6;
    PreBattleCohesion[k] = 9;
    C(k).Condition = 4;
    C(k).Disruption = 15;  // condition 4 and disruption 15 count 19 toward the final average
    for (const auto& c : cases) {
        for (auto& pair : BattleFactors) pair = {0, 1, 1};
        BattleFactors[0][1] = static_cast<std::uint16_t>(c.f0);
        BattleFactors[1][1] = static_cast<std::uint16_t>(c.f1);
        BattleFactors[3][1] = static_cast<std::uint16_t>(c.f3);
        BattleFactors[8][1] = static_cast<std::uint16_t>(c.f8);
        BattleFactors[12][1] = 3;
        const TBattleAnalysisView v = kvt::BattleAnalysis(3);
        const TAnalysisColumn& u = v.side[1];
        EXPECT_EQ(std::vector<long long>({u.figures.base, u.figures.expected, u.figures.friction}),
                  std::vector<long long>({c.base, c.expected, c.friction}));
        EXPECT_EQ(u.value[1] + "|" + u.value[8] + "|" + u.value[11] + "|" + u.value[12] + "|" + u.value[13],
                  "2000, 6|" + std::to_string(c.expected) + "|9|-10|19");
        EXPECT_EQ(v.side[2].value[1] + "|" + v.side[2].value[13] + "|" + v.result, "0, 0|0|T63") << "an empty side";
    }
}

TEST_F(BattleHistoryWriter, AMailGamesRecordHoldsTheShownCaptionsRowByRow) {
    const struct { const char* what; int gameKind, unionCorps, confedCorps; bool leaderlessFirst; std::size_t lines; } cases[] = {
        {"two Union corps and one Confederate", 3, 2, 1, false, 49},
        {"ten rows are forty lines and no marker", 3, 1, 10, false, 73},
        {"a leaderless row is one marker", 3, 2, 1, true, 46},
        {"a face-to-face game records nothing", 0, 2, 1, false, 0},
    };
    for (const auto& c : cases) {
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
        EXPECT_EQ(BattleLog[0] + "|" + BattleLog[1] + "|" + BattleLog[8] + "|" + BattleLog[11] + "|" + BattleLog[14],
                  std::string("Battle|T2Town, State|Result|T505|") + (c.leaderlessFirst ? "EndOfUnion" : "Leader1"));
        EXPECT_EQ(BattleLog[c.lines - 2] + BattleLog.back(), " EndOfBattle") << "no weapons captured: a single blank";
        EXPECT_EQ(std::count(BattleLog.begin(), BattleLog.end(), "EndOfConfed"), c.confedCorps == 10 ? 0 : 9);
    }
}

}  // namespace
}  // namespace kvt
