// A mail game's battle history read back: each record the engine writes gives the replay the
// captions the live dialogs showed, a cut or edited record is read no further than it goes, and a
// played-back turn shows its battles again in order.
#include <gtest/gtest.h>

#include "engine/combat/battle_dispatcher.h"
#include "engine/combat/battle_history.h"
#include "engine/turn/playback.h"
#include "engine/view/turn_menus.h"
#include "engine/world/game_files.h"
#include "tests/engine/battle_world.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/synthetic_game.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

class BattleHistoryReader : public testing::BattleWorld {};
class BattleReplay : public testing::BattleWorld {};

// Every caption the replay shows is the live one; a whole record shows them all, a cut one only
// those it still holds. A leaderless row is a marker in the record and stays hidden.
void ExpectLiveCaptions(const TReplayResultsView& replay, const TBattleResultsView& live, bool whole) {
    const std::pair<const std::optional<std::string>*, const std::string*> lines[] = {
        {&replay.initiative, &live.initiative},       {&replay.intensity, &live.intensity},
        {&replay.unionLeader, &live.unionLeader},     {&replay.unionLosses, &live.unionLosses},
        {&replay.confederateLeader, &live.confederateLeader}, {&replay.confederateLosses, &live.confederateLosses},
        {&replay.result, &live.result},               {&replay.weapons, &live.weapons}};
    for (const auto& [shown, caption] : lines) {
        if (shown->has_value()) EXPECT_EQ(**shown, *caption);
        else EXPECT_FALSE(whole) << "missing " << *caption;
    }
    for (int side = 1; side <= 2; ++side)
        for (int r = 1; r <= 10; ++r) {
            const TResultsRow& a = (side == 1 ? replay.unionRows : replay.confederateRows)[r];
            const TResultsRow& b = (side == 1 ? live.unionRows : live.confederateRows)[r];
            if (whole) EXPECT_EQ(a.shown, b.shown && !b.leader.empty()) << "side " << side << " row " << r;
            if (a.shown)
                EXPECT_EQ(a.leader + a.brigades + a.casualties + a.disruption, b.leader + b.brigades + b.casualties + b.disruption);
        }
}

void ExpectLiveHeader(const TReplayResolutionView& replay, const TCombatResolutionView& live) {
    EXPECT_EQ(std::vector<std::string>({replay.place, replay.unionHeading, replay.unionLeader, replay.confederateHeading,
                                        replay.confederateLeader, replay.terrain, replay.weather}),
              std::vector<std::string>({live.place, "Union Forces", live.unionLeader, "Confederate Forces",
                                        live.confederateLeader, live.terrain, live.weather}));
}

TEST_F(BattleHistoryReader, ReadsBackEveryCaptionOfTheRecordsTheEngineWrites) {
    const struct { const char* what; int unionCorps, confedCorps; bool leaderless, captured, noted; std::size_t lines; } cases[] = {
        {"two Union corps and one Confederate: 49 lines", 2, 1, false, false, false, 49},
        {"ten rows a side and no marker", 10, 10, false, true, false, 100},
        {"a leaderless row is hidden, the rows after keep their places", 3, 1, true, false, false, 49},
        {"text between the weather and Result lines is passed over", 1, 2, false, true, true, 51},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        GameRec->GameKind = 3;
        for (int i = 0; i < c.unionCorps; ++i) Force(1, 20);
        for (int i = 0; i < c.confedCorps; ++i) Force(2, 20);
        if (c.leaderless) C(2).Leader = 0;
        DrawIn();
        GameRec->BattleResult = c.captured ? 3 : 2;
        GunsLost[2] = c.captured ? 3 : 0;
        TCombatResolutionView header;
        header.place = "T2Town, State";
        header.unionLeader = "Lyon";
        header.terrain = "T518";
        WriteBattleHistoryHeader(header);
        if (c.noted) BattleLog.insert(BattleLog.end(), {"a note", "Union Forces"});
        ScriptedFrontend fe;
        fe.ExpectBattleResults();
        ShowBattleResults();
        ASSERT_EQ(BattleLog.size(), c.lines);
        const TBattleResultsView& live = fe.battleResults.at(0);
        EXPECT_EQ(live.weapons, c.captured ? "T668150 weapons." : " ");

        BattleLogLine = 0;
        ExpectLiveHeader(ReadBattleHeader(), header);
        EXPECT_EQ(BattleLogLine, 8);
        TReplayResultsView replay;
        ASSERT_TRUE(ReadBattleResults(replay));
        ExpectLiveCaptions(replay, live, true);
        if (c.leaderless) EXPECT_TRUE(!replay.unionRows[2].shown && replay.unionRows[3].shown);
        EXPECT_EQ(BattleLogLine, c.lines - 2) << "left on the captured-weapons line";
        EXPECT_FALSE(StepPastBattleRecord()) << "the history ends with the record";
    }
}

TEST_F(BattleHistoryReader, NeverReadsPastTheLinesItsSixteenBitIndexCanHold) {
    BattleLog = {"Battle", "Manassas", "Union Forces", "Lyon", "Confederate Forces", "Price", "T518", "T53T82"};
    BattleLog.resize(70000, "filler");
    BattleLog.push_back("Result");  // line 70008, beyond the index
    BattleLogLine = 0;
    EXPECT_EQ(ReadBattleHeader().weather, "T53T82");
    TReplayResultsView replay;
    EXPECT_FALSE(ReadBattleResults(replay));
    EXPECT_EQ(BattleLogLine, 0xFFFF);
    EXPECT_FALSE(StepPastBattleRecord());
    EXPECT_EQ(BattleLogLine, 0xFFFF) << "it stays at the end instead of wrapping to the first record";
}

TEST_F(BattleHistoryReader, ACutRecordEndsAtAnEndOfBattleOrATurnOverAndNothingBeyondIsShown) {
    const std::vector<std::string> whole = {"Battle", "Manassas", "Union Forces", "Lyon", "Confederate Forces", "Price",
                                            "T518", "T53T82"};
    const std::vector<std::string> beyond = {"Result", "Beyond T666", "Beyond T671", "T505", "Beyond Lyon", "Beyond T404",
                                             "Beyond row", "6/3", "150", "T674"};
    // The marker cuts the record after `kept` lines; the playback then goes on past it, or stops.
    const struct { const char* marker; std::size_t kept; bool goesOn; std::uint16_t lineAfter; } cases[] = {
        {"EndOfBattle", 8, true, 9}, {"EndOfBattle", 4, true, 5}, {"TurnOver", 8, false, 8}, {"TurnOver", 4, false, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.marker) + " after line " + std::to_string(c.kept));
        BattleLog.assign(whole.begin(), whole.begin() + static_cast<long>(c.kept));
        BattleLog.push_back(c.marker);
        BattleLog.insert(BattleLog.end(), beyond.begin(), beyond.end());
        ScriptedFrontend fe;
        BattleLogLine = 0;
        ShowReplayCombatResolution();
        ShowReplayBattleResults();
        ASSERT_EQ(fe.replayResolutions.size(), 1u);
        const TReplayResolutionView& v = fe.replayResolutions[0];
        std::vector<std::string> shown = {"Battle", v.place, v.unionHeading, v.unionLeader, v.confederateHeading,
                                          v.confederateLeader, v.terrain, v.weather};
        shown.resize(c.kept);
        EXPECT_EQ(shown, std::vector<std::string>(whole.begin(), whole.begin() + static_cast<long>(c.kept)));
        EXPECT_EQ(v.confederateLeader + v.terrain + v.weather, c.kept == 8 ? "PriceT518T53T82" : "");
        EXPECT_TRUE(fe.replayResults.empty()) << "no results read from past the record";
        EXPECT_EQ(StepPastBattleRecord(), c.goesOn);
        EXPECT_EQ(BattleLogLine, c.lineAfter);
    }
}

// Fights a computer-against-computer battle of a mail game, as the live dialogs show it.
void FightMailBattle(ScriptedFrontend& fe) {
    GameRec->GameKind = 3;
    fe.AllowAnyWaits(true);
    ResolveBattles();
}

TEST_F(BattleReplay, AMailBattleSavedAndLoadedShowsAgainEveryCaptionShownLive) {
    Force(1, 40, 4, 6);
    Force(1, 25);
    Force(2, 45, 6, 5);
    C(1).ContactCode = 1;
    AddCity("Town", kX + 2, kY, 1);
    ScriptedFrontend live;
    FightMailBattle(live);
    ASSERT_EQ(live.battleResults.size(), 1u);
    const std::vector<std::string> record = BattleLog;
    const std::string file = testing::TempFolder("replay") + "/mail.BTL";
    ASSERT_TRUE(SaveBattleLog(file));
    ASSERT_TRUE(LoadBattleLog(file));
    ASSERT_EQ(BattleLog, record);

    ScriptedFrontend replayed;
    BattleLogLine = 0;
    ShowReplayCombatResolution();
    ShowReplayBattleResults();
    EXPECT_EQ(replayed.log, std::vector<std::string>({"replay resolution", "replay results"}));
    ExpectLiveHeader(replayed.replayResolutions.at(0), live.combatResolutions.at(0));
    ExpectLiveCaptions(replayed.replayResults.at(0), live.battleResults.at(0), true);
    EXPECT_EQ(replayed.replayResults[0].caption + replayed.replayResults[0].okCaption, "T663T66");
    EXPECT_EQ(replayed.cursor, CursorKind::Hourglass);

    // Cut after each of its lines, alone and followed by a whole record: the cut one shows what it
    // holds and the loop stops, or goes on to the record after it.
    for (std::size_t n = 1; n <= record.size(); ++n) {
        SCOPED_TRACE("cut after line " + std::to_string(n));
        for (bool followed : {false, true}) {
            BattleLog.assign(record.begin(), record.begin() + static_cast<long>(n));
            if (followed) BattleLog.insert(BattleLog.end(), record.begin(), record.end());
            ScriptedFrontend fe;
            BattleLogLine = 0;
            ShowReplayCombatResolution();
            ShowReplayBattleResults();
            EXPECT_EQ(fe.replayResults.size(), n >= 9 ? 1u : 0u);
            if (!fe.replayResults.empty()) ExpectLiveCaptions(fe.replayResults[0], live.battleResults[0], n == record.size());
            ASSERT_EQ(StepPastBattleRecord(), followed);
            if (!followed) continue;
            EXPECT_EQ(BattleLogLine, n);
            ShowReplayCombatResolution();
            ShowReplayBattleResults();
            ExpectLiveHeader(fe.replayResolutions.at(1), live.combatResolutions[0]);
            ExpectLiveCaptions(fe.replayResults.back(), live.battleResults[0], true);
            EXPECT_FALSE(StepPastBattleRecord());
        }
    }
    EXPECT_EQ(CheckedAccessFaults(), 0u);
}

TEST_F(BattleReplay, APlayedBackMailTurnOn1861ShowsItsTwoFieldBattlesInOrder) {
    ASSERT_TRUE(testing::LoadStartPoint("1861"));
    TGameRec& g = *GameRec;
    // The first two Union corps each meet one of the first two Confederate corps where they stand.
    std::vector<int> corps[3];
    for (int k = 1; k <= kCorpsCount; ++k)
        if (CorpsInUse(C(k)) && (C(k).Nation == 1 || C(k).Nation == 2) && C(k).OrderMode < 4) corps[C(k).Nation].push_back(k);
    ASSERT_TRUE(corps[1].size() >= 2 && corps[2].size() >= 2);
    ASSERT_FALSE(C(corps[1][0]).HexX == C(corps[1][1]).HexX && C(corps[1][0]).HexY == C(corps[1][1]).HexY);
    for (int i = 0; i < 2; ++i) {
        TCorpsRec &u = C(corps[1][i]), &c = C(corps[2][i]);
        Place(corps[2][i], u.HexX, u.HexY);
        u.ContactCode = 1;
        u.Disruption = c.Disruption = 0;
    }
    g.GameKind = 3;
    g.SideToMove = 1;
    g.Nations[1].Human = g.Nations[2].Human = 1;
    g.BattlesThisTurn = 0;
    BattleLog.clear();
    ScriptedFrontend live;
    live.AllowAnyWaits(true);
    ResolveBattles();
    ASSERT_EQ(live.battleResults.size(), 2u);
    EXPECT_EQ(g.BattlesThisTurn, 2);

    // Handed over, received and played back.
    g.GameKind = 4;
    BattleLog.push_back("TurnOver");
    GameFileBase = testing::TempFolder("playback") + "/mail.";
    ASSERT_TRUE(SaveBattleLog(GameFileBase + "BTL"));
    ASSERT_TRUE(LoadBattleLog(GameFileBase + "BTL"));  // as the receiver's load reads it
    SetMenuItem(MenuItem::Playback1, true);
    ScriptedFrontend fe;
    StartPlayback();
    ASSERT_GT(testing::RunMovement(), 0);
    ASSERT_EQ(fe.replayResolutions.size(), 2u);
    ASSERT_EQ(fe.replayResults.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(live.combatResolutions[i].place);
        ExpectLiveHeader(fe.replayResolutions[i], live.combatResolutions[i]);
        ExpectLiveCaptions(fe.replayResults[i], live.battleResults[i], true);
    }
    EXPECT_NE(fe.replayResolutions[0].place, fe.replayResolutions[1].place);
    EXPECT_EQ(g.GameKind, 3);
}

}  // namespace
}  // namespace kvt
