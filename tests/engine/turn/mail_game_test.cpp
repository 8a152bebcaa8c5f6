// Bringing a read game into play, the Load and Save commands, the passing of a mail game between
// its players, and the playback of a received turn.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include "engine/turn/engine_reset.h"
#include "engine/turn/game_load.h"
#include "engine/turn/mail_game.h"
#include "engine/turn/playback.h"
#include "engine/turn/side_choice.h"
#include "engine/turn/turn_start.h"
#include "engine/view/main_menu.h"
#include "engine/view/map_view_rules.h"
#include "engine/view/turn_menus.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedFrontend;

class MailGame : public testing::TurnTest {
protected:
    // Writes the game in memory and its battle history as a pair of files, as a player's save does.
    void WriteGame(const std::string& base, const std::vector<std::string>& history) {
        ASSERT_TRUE(SaveGameFiles(Path(base)));
        BattleLog = history;
        ASSERT_TRUE(SaveBattleLog(Path(base + ".BTL")));
    }
    std::vector<std::string> History(const std::string& base) {
        std::vector<std::string> saved = BattleLog, lines;
        LoadBattleLog(Path(base + ".BTL"));
        lines = BattleLog;
        BattleLog = saved;
        return lines;
    }
    // A new program run: nothing in memory but what the file brings.
    void NewSession() {
        ResetEngineGlobals();
        testing::UseNumberedTexts();
    }
};

TEST_F(MailGame, AReadGameComesIntoPlayWithTheSideItsKindAndPlayersGive) {
    struct Case {
        const char* name;
        int kind;
        bool atStartDate, unionPerson, confederatePerson;
        int sidePlayedBefore, sideToMove;
        bool setup, derivedState;
        int sidePlayed, visibility;
        const char* caption;
    };
    const Case cases[] = {
        {"a start point at its start date shows the setup", 0, true, true, true, 0, 0, true, true, 1, 0, "text 465"},
        {"a face-to-face game later in the war", 0, false, true, true, 2, 0, false, true, 2, 0, "text 466"},
        {"no person-played side shows everything", 0, false, false, false, 2, 0, false, true, 0, 3, "text 464"},
        {"a mail game just set up", 2, true, true, true, 0, 1, false, true, 1, 0, "text 465"},
        {"a mail game between turns is taken as stored", 3, true, true, true, 0, 2, false, false, 2, 0, "text 466"},
        {"a mail game awaiting playback", 4, false, true, true, 0, 1, false, false, 1, 0, "text 465"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::BuildSyntheticGame(c.unionPerson, c.confederatePerson);
        GameRec->GameKind = static_cast<std::uint16_t>(c.kind);
        GameRec->SideToMove = static_cast<std::uint16_t>(c.sideToMove);
        if (c.atStartDate) GameRec->StartMonth = 4;
        GameRec->Cities[6].OriginalOwner = 7;
        SidePlayed = static_cast<std::uint16_t>(c.sidePlayedBefore);
        GameStatus = 1;
        ScriptedFrontend fe;
        // The person chooses the computer for the Confederacy.
        if (c.setup) fe.ExpectGameSetup({.confederatePerson = false});
        BringGameIntoPlay(Path("game.kvt"));
        EXPECT_EQ(GameStatus, 0);
        EXPECT_EQ(GameFileBase, Path("game."));
        EXPECT_EQ(SidePlayed, c.sidePlayed);
        EXPECT_EQ(GameRec->EnemyVisibility, c.visibility);
        EXPECT_EQ(fe.menus.sideChangeCaption, c.caption);
        EXPECT_EQ(!fe.weatherGauges.empty(), c.derivedState) << "weather gauges are set with the derived state";
        EXPECT_EQ(fe.menus[MenuItem::ForceStatus1], c.sidePlayed != 0) << "the menus of a side played";
        EXPECT_EQ(GameRec->Cities[6].OriginalOwner, 1);
    }
}

TEST_F(MailGame, ExecuteIsOfferedOnlyToAFaceToFaceGameOrAMailGameWhoseOrdersAreDue) {
    for (int kind : {0, 2, 3, 4}) {
        testing::BuildSyntheticGame(true, true);
        GameRec->GameKind = static_cast<std::uint16_t>(kind);
        GameRec->SideToMove = 1;
        ResetTurnMenus();
        ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        BringGameIntoPlay(Path("game.kvt"));
        EXPECT_EQ(fe.menus[MenuItem::Execute1], kind == 0 || kind == 3) << "kind " << kind;
        EXPECT_EQ(fe.menus[MenuItem::Hidden1], kind < 2) << "kind " << kind;
    }
}

TEST_F(MailGame, ExecuteAndHiddenEnemyFollowTheGameLoadedNotTheGamePlayedBefore) {
    struct Case { const char* name; int kindBefore, kind; bool execute, hidden; };
    const Case cases[] = {
        {"a mail game just set up after a face-to-face game", 0, 2, false, false},
        {"a mail game whose orders are due after a face-to-face game", 0, 3, true, false},
        {"a face-to-face game after a mail game just set up", 2, 0, true, true},
        {"a face-to-face game after a mail game whose orders are due", 3, 0, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (auto [base, kind] : {std::pair{"before", c.kindBefore}, {"next", c.kind}}) {
            testing::BuildSyntheticGame(true, kind >= 2);
            GameRec->GameKind = static_cast<std::uint16_t>(kind);
            GameRec->SideToMove = 1;
            WriteGame(base, {});
        }
        NewSession();
        ScriptedFrontend fe;
        fe.ExpectOpenFile(Path("before.KVT"));
        LoadGameMenu();
        ASSERT_EQ(fe.menus[MenuItem::Execute1], c.kindBefore != 2);
        ASSERT_EQ(fe.menus[MenuItem::Hidden1], c.kindBefore < 2);
        fe.ExpectOpenFile(Path("next.KVT"));
        LoadGameMenu();
        EXPECT_EQ(fe.menus[MenuItem::Execute1], c.execute);
        EXPECT_EQ(fe.menus[MenuItem::SpeedButton1], c.execute);
        EXPECT_EQ(fe.menus[MenuItem::Hidden1], c.hidden);
    }
}

TEST_F(MailGame, ACancelledOrRefusedLoadKeepsTheGameInPlay) {
    std::ofstream(Path("short.KVT")) << "not a game";
    GameRec->WeaponTable[5].FireFactor1 = 9;
    GameRec->MoveSpeed = 2;
    SidePlayed = 1;
    SelectedCorps = 2;
    const TGameRec before = *GameRec;
    for (bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancelled" : "refused");
        ScriptedFrontend fe;
        if (cancel) {
            fe.ExpectOpenFile("");
        } else {
            fe.ExpectOpenFile(Path("short.KVT"));
            fe.ExpectInformationBox();
        }
        LoadGameMenu();
        EXPECT_EQ(std::memcmp(GameRec, &before, sizeof(TGameRec)), 0);
        EXPECT_EQ(GameStatus, 0);
        EXPECT_EQ(SidePlayed, 1) << "the player goes on giving orders";
        EXPECT_EQ(SelectedCorps, 2);
        EXPECT_TRUE(fe.dates.empty());
    }
}

TEST_F(MailGame, TwoPersonsAtOneComputerChooseTheirSideOnceAfterALoad) {
    testing::BuildSyntheticGame(true, true);
    WriteGame("both", {});
    NewSession();
    ScriptedFrontend fe;
    fe.ExpectOpenFile(Path("both.KVT"));
    fe.ExpectSideChoice(2);
    LoadGameMenu();
    EXPECT_EQ(SidePlayed, 2);
    EXPECT_EQ(fe.sideChoiceOffers, (std::vector<std::pair<bool, bool>>{{true, true}}));
    EXPECT_EQ(fe.menus.sideChangeCaption, "text 466");
    EXPECT_EQ(GameRec->Nations[2].OrdersGiven, 1);
}

TEST_F(MailGame, AMailGameGoesFromSetUpToOrdersToExecutedToPlayedBack) {
    // The game as the setup left it: a mail game, the Union to move first.
    testing::BuildSyntheticGame(true, true);
    GameRec->GameKind = 2;
    GameRec->SideToMove = 1;
    WriteGame("setup", {"No History"});

    // First player: gives the first orders and hands the game over.
    NewSession();
    {
        ScriptedFrontend fe;
        fe.ExpectOpenFile(Path("setup.KVT"));
        LoadGameMenu();
        EXPECT_EQ(SidePlayed, 1);
        EXPECT_FALSE(fe.menus[MenuItem::Execute1]) << "a game just set up is not executed";
        fe.ExpectSaveFile(Path("turn1.kvt"));
        fe.ExpectNotice(0, 1);
        SaveGameDialog();
        EXPECT_EQ(EventNotice.Line(1).str(), "Ready to end turn and");
    }
    EXPECT_EQ(GameRec->GameKind, 3);
    EXPECT_EQ(GameRec->SideToMove, 2);
    EXPECT_EQ(History("turn1").back(), "TurnOver");

    // Second player: orders, Execute, and the executed turn handed back.
    NewSession();
    {
        ScriptedFrontend fe;
        fe.ExpectOpenFile(Path("turn1.KVT"));
        LoadGameMenu();
        EXPECT_EQ(GameRec->GameKind, 3);
        EXPECT_EQ(SidePlayed, 2);
        EXPECT_TRUE(fe.menus[MenuItem::Execute1]);
        BattleLog = {"Battle", "an old record", "EndOfBattle"};
        ExecuteTurn();
        EXPECT_TRUE(BattleLog.empty()) << "the history holds only the turn being executed";
        fe.ExpectInformationBox();
        ASSERT_GT(testing::RunMovement(), 0);
        EXPECT_EQ(fe.messages.back(), "text 728");
        EXPECT_EQ(GameRec->GameKind, 4);
        EXPECT_FALSE(fe.menus[MenuItem::Execute1]);
        fe.ExpectSaveFile(Path("turn2.kvt"));
        fe.ExpectNotice(0, 1);
        SaveGameDialog();
        EXPECT_EQ(GameRec->SideToMove, 1);
        fe.ExpectSaveFile(Path("again.kvt"));
        SaveGameDialog();  // no second hand-over: the turn has changed hands already
        EXPECT_EQ(GameRec->SideToMove, 1);
    }
    EXPECT_EQ(History("turn2"), std::vector<std::string>{"TurnOver"});
    EXPECT_EQ(History("again"), std::vector<std::string>{"TurnOver"}) << "one marker only";

    // First player again: the turn is played back, then the orders are his.
    NewSession();
    {
        ScriptedFrontend fe;
        fe.ExpectOpenFile(Path("turn2.KVT"));
        fe.ExpectInformationBox();
        LoadGameMenu();
        EXPECT_EQ(fe.messages.back(), "text 727");
        EXPECT_TRUE(fe.menus[MenuItem::Playback1]);
        EXPECT_TRUE(fe.menus[MenuItem::Speedbutton2]);
        EXPECT_FALSE(fe.menus[MenuItem::Execute1]);
        EXPECT_EQ(BattleLog, std::vector<std::string>{"TurnOver"});
        EXPECT_EQ(SidePlayed, 1);
        const TGameRec received = *GameRec;
        StartPlayback();
        ASSERT_GT(testing::RunMovement(), 0);
        EXPECT_EQ(GameRec->GameKind, 3);
        EXPECT_EQ(fe.gauge.back(), 300);
        EXPECT_FALSE(fe.menus[MenuItem::Playback1]);
        EXPECT_TRUE(fe.menus[MenuItem::Execute1]);
        EXPECT_EQ(SidePlayed, 1);
        TGameRec expected = received;
        expected.GameKind = 3;
        EXPECT_EQ(std::memcmp(GameRec, &expected, sizeof(TGameRec)), 0);
    }
}

TEST_F(MailGame, TheMoverWhoKeptHisExecutedTurnHandsItOverAfterAReload) {
    const std::vector<std::string> battle = {"Battle", "Bull Run", "Result", "EndOfBattle"};
    for (const auto& history : {std::vector<std::string>{}, battle}) {
        SCOPED_TRACE(history.empty() ? "a turn without battles" : "a turn with a battle");
        // The Confederate player receives the game after his playback, with the orders his.
        testing::BuildSyntheticGame(true, true);
        GameRec->GameKind = 3;
        GameRec->SideToMove = 2;
        WriteGame("orders", {"TurnOver"});

        NewSession();
        {
            ScriptedFrontend fe;
            fe.ExpectOpenFile(Path("orders.KVT"));
            LoadGameMenu();
            ExecuteTurn();
            BattleLog = history;  // what the turn's battles recorded
            fe.ExpectInformationBox();
            ASSERT_GT(testing::RunMovement(), 0);
            ASSERT_EQ(GameRec->GameKind, 4);
            fe.ExpectSaveFile(Path("kept.kvt"));
            fe.ExpectNotice(0, 2);  // not yet
            SaveGameDialog();
        }
        EXPECT_EQ(GameRec->SideToMove, 2);
        EXPECT_EQ(History("kept"), history) << "kept without the hand-over marker";

        // The same player, in a new run: his own turn is not offered for playback.
        NewSession();
        {
            ScriptedFrontend fe;
            fe.ExpectOpenFile(Path("kept.KVT"));
            LoadGameMenu();
            EXPECT_TRUE(fe.messages.empty()) << "no playback is announced";
            EXPECT_FALSE(fe.menus[MenuItem::Playback1]);
            EXPECT_FALSE(fe.menus[MenuItem::Speedbutton2]);
            EXPECT_FALSE(fe.menus[MenuItem::Execute1]);
            EXPECT_FALSE(fe.menus[MenuItem::SpeedButton1]);
            EXPECT_EQ(SidePlayed, 2);
            const TGameRec kept = *GameRec;
            StartPlayback();
            ExecuteTurn();
            EXPECT_FALSE(Timer1Enabled()) << "neither a playback nor a second execution starts";
            EXPECT_EQ(std::memcmp(GameRec, &kept, sizeof(TGameRec)), 0);
            fe.ExpectSaveFile(Path("sent.kvt"));
            fe.ExpectNotice(0, 1);
            SaveGameDialog();
            EXPECT_EQ(GameRec->GameKind, 4);
            EXPECT_EQ(GameRec->SideToMove, 1);
            fe.ExpectSaveFile(Path("sent again.kvt"));
            SaveGameDialog();  // passed on once only
            EXPECT_EQ(GameRec->SideToMove, 1);
        }
        std::vector<std::string> sent = history;
        sent.push_back("TurnOver");
        EXPECT_EQ(History("sent"), sent);
        EXPECT_EQ(History("sent again"), sent);

        // The Union player receives it and watches it played back.
        NewSession();
        {
            ScriptedFrontend fe;
            fe.ExpectOpenFile(Path("sent.KVT"));
            fe.ExpectInformationBox();
            LoadGameMenu();
            EXPECT_EQ(fe.messages, std::vector<std::string>{"text 727"});
            EXPECT_TRUE(fe.menus[MenuItem::Playback1]);
            EXPECT_FALSE(fe.menus[MenuItem::Execute1]);
            EXPECT_EQ(SidePlayed, 1);
            fe.ExpectSaveFile(Path("received.kvt"));
            SaveGameDialog();  // the receiver cannot pass back a turn he has not played
            EXPECT_EQ(GameRec->SideToMove, 1);
            StartPlayback();
            ASSERT_GT(testing::RunMovement(), 0);
            EXPECT_EQ(GameRec->GameKind, 3);
            EXPECT_TRUE(fe.menus[MenuItem::Execute1]);
            EXPECT_EQ(SidePlayed, 1);
        }
        EXPECT_EQ(History("received"), sent);
    }
}

TEST_F(MailGame, OnlyAMovedTurnIsHandedOver) {
    struct Case { const char* name; int kind; bool executedHere; bool asked; int answer; int kindAfter, sideAfter; bool marker; };
    const Case cases[] = {
        {"orders not yet executed", 3, false, false, 0, 3, 2, false},
        {"a received turn not yet played back", 4, false, false, 0, 4, 2, false},
        {"the mover keeps the game", 4, true, true, 2, 4, 2, false},
        {"the mover hands it over", 4, true, true, 1, 4, 1, true},
        {"the first orders of a new game", 2, false, true, 1, 3, 1, true},
        {"a face-to-face game has no hand-over", 0, false, false, 0, 0, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::BuildSyntheticGame(true, true);
        GameRec->GameKind = static_cast<std::uint16_t>(c.kind);
        GameRec->SideToMove = 2;
        MailTurnExecuted = c.executedHere;
        BattleLog = {"Battle", "EndOfBattle"};
        fs::remove(Path("mail.BTL"));
        ScriptedFrontend fe;
        fe.ExpectSaveFile(Path("mail.kvt"));
        if (c.asked) fe.ExpectNotice(0, c.answer);
        SaveGameDialog();
        EXPECT_EQ(GameRec->GameKind, c.kindAfter);
        EXPECT_EQ(GameRec->SideToMove, c.sideAfter);
        EXPECT_TRUE(fs::exists(Path("mail.KVT")));
        if (c.kind >= 2) {
            std::vector<std::string> expected = {"Battle", "EndOfBattle"};
            if (c.marker) expected.push_back("TurnOver");
            EXPECT_EQ(History("mail"), expected);
        } else {
            EXPECT_FALSE(fs::exists(Path("mail.BTL")));
        }
    }
}

TEST_F(MailGame, AReceivedGameWithoutItsHistoryIsNeitherPlayedBackNorHandedOver) {
    testing::BuildSyntheticGame(true, true);
    GameRec->GameKind = 4;
    GameRec->SideToMove = 1;
    ASSERT_TRUE(SaveGameFiles(Path("lost")));  // the history did not travel with it
    NewSession();
    ScriptedFrontend fe;
    fe.ExpectOpenFile(Path("lost.KVT"));
    fe.ExpectInformationBox();
    LoadGameMenu();
    ASSERT_EQ(fe.messages.size(), 1u);
    EXPECT_NE(fe.messages[0].find(Path("lost.BTL")), std::string::npos) << fe.messages[0];
    EXPECT_FALSE(fe.menus[MenuItem::Playback1]);
    // Saved with an empty history, it would come back as the mover's own unsent turn, ready to pass on.
    fe.ExpectSaveFile(Path("again.kvt"));
    fe.ExpectInformationBox();
    SaveGameDialog();
    ASSERT_EQ(fe.messages.size(), 2u);
    EXPECT_NE(fe.messages[1].find(Path("lost.BTL")), std::string::npos) << fe.messages[1];
    EXPECT_EQ(GameRec->SideToMove, 1);
    for (const char* file : {"again.KVT", "again.KVM", "again.BTL", "lost.BTL"}) EXPECT_FALSE(fs::exists(Path(file))) << file;
    // Loaded again, it is still neither played back nor handed over.
    fe.ExpectOpenFile(Path("lost.KVT"));
    fe.ExpectInformationBox();
    LoadGameMenu();
    EXPECT_FALSE(fe.menus[MenuItem::Playback1]);
    EXPECT_FALSE(MailTurnExecuted);
}

TEST_F(MailGame, AHistoryPutBackLiftsTheSaveRefusalOnlyWhenTheGameIsLoadedAgain) {
    testing::BuildSyntheticGame(true, true);
    GameRec->GameKind = 4;
    GameRec->SideToMove = 1;
    ASSERT_TRUE(SaveGameFiles(Path("lost")));
    NewSession();
    ScriptedFrontend fe;
    fe.ExpectOpenFile(Path("lost.KVT"));
    fe.ExpectInformationBox();
    LoadGameMenu();
    BattleLog = {"Battle", "EndOfBattle", "TurnOver"};
    ASSERT_TRUE(SaveBattleLog(Path("lost.BTL")));
    BattleLog.clear();
    fe.ExpectSaveFile(Path("again.kvt"));
    fe.ExpectInformationBox();
    SaveGameDialog();
    ASSERT_EQ(fe.messages.size(), 2u);
    EXPECT_NE(fe.messages[1].find("load the game again"), std::string::npos) << fe.messages[1];
    EXPECT_FALSE(fs::exists(Path("again.KVT")));
    fe.ExpectOpenFile(Path("lost.KVT"));
    fe.ExpectInformationBox();  // awaiting playback
    LoadGameMenu();
    fe.ExpectSaveFile(Path("again.kvt"));
    SaveGameDialog();
    EXPECT_TRUE(fs::exists(Path("again.KVT")));
    EXPECT_EQ(History("again"), (std::vector<std::string>{"Battle", "EndOfBattle", "TurnOver"}));
}

TEST_F(MailGame, AfterTheHandOverThisScreenPlaysNoSideUntilAGameIsLoaded) {
    struct Case { const char* name; int kind; int answer; bool handedOver; };
    const Case cases[] = {
        {"the first orders of a new game sent", 2, 1, true},
        {"an executed turn sent", 4, 1, true},
        {"an executed turn kept", 4, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::BuildSyntheticGame(true, true);
        GameRec->GameKind = static_cast<std::uint16_t>(c.kind);
        GameRec->SideToMove = 1;
        for (int k : {1, 3}) GameRec->Corps[k].Visibility = 0;  // neither side has spotted the other
        WriteGame("mine", {"No History"});  // a kind-4 history without the marker: the Union's own turn
        NewSession();
        // As a face-to-face game played earlier in the run leaves them.
        SetMenuItems({MenuItem::Execute1, MenuItem::SpeedButton1}, true);
        ScriptedFrontend fe;
        fe.ExpectOpenFile(Path("mine.KVT"));
        LoadGameMenu();
        ASSERT_EQ(SidePlayed, 1);
        SelectedCorps = 1;
        fe.ExpectSaveFile(Path("sent.kvt"));
        fe.ExpectNotice(0, c.answer);
        SaveGameDialog();
        ASSERT_EQ(GameRec->SideToMove, c.handedOver ? 2 : 1);
        const int played = c.handedOver ? 0 : 1;
        const char* caption = c.handedOver ? "text 464" : "text 465";
        EXPECT_EQ(SidePlayed, played);
        EXPECT_EQ(SelectedCorps, played == 0 ? 0 : 1);
        EXPECT_EQ(fe.menus.sideChangeCaption, caption);
        EXPECT_EQ(fe.menus[MenuItem::ForceStatus1], !c.handedOver) << "the menus of a side";
        EXPECT_FALSE(fe.menus[MenuItem::Execute1]) << "the opponent's turn is not run here";
        EXPECT_FALSE(fe.menus[MenuItem::SpeedButton1]);
        // The side menu takes up no side, least of all the opponent's.
        SelectSideToPlay();
        EXPECT_EQ(SidePlayed, played);
        EXPECT_EQ(fe.menus.sideChangeCaption, caption);
        EXPECT_EQ(fe.menus[MenuItem::ForceStatus1], !c.handedOver);
        EXPECT_FALSE(CorpsShown(3)) << "the Confederacy's unspotted corps stays hidden";
        EXPECT_EQ(CorpsShown(1), !c.handedOver) << "so does the Union's, once nobody plays it";
        // A game loaded is played as it reads.
        fe.ExpectOpenFile(Path("sent.KVT"));
        if (c.handedOver && c.kind == 4) fe.ExpectInformationBox();  // awaiting playback
        LoadGameMenu();
        EXPECT_EQ(SidePlayed, GameRec->SideToMove);
        EXPECT_EQ(fe.menus.sideChangeCaption, GameRec->SideToMove == 1 ? "text 465" : "text 466");
        EXPECT_TRUE(fe.menus[MenuItem::ForceStatus1]);
    }
}

TEST_F(MailGame, ALoadedGameShowsNoSelectionOfTheGameShownBefore) {
    for (int kind : {0, 3}) {
        SCOPED_TRACE(kind == 0 ? "face to face" : "a mail game");
        testing::BuildSyntheticGame(true, kind != 0);
        GameRec->GameKind = static_cast<std::uint16_t>(kind);
        GameRec->SideToMove = 2;
        WriteGame("other", {"TurnOver"});
        ScriptedFrontend fe;
        SelectedArmy = 1;
        fe.SetIdPanelText("Army of Virginia");  // the last selection of the game shown before
        fe.ExpectOpenFile(Path("other.KVT"));
        LoadGameMenu();
        EXPECT_EQ(SelectedArmy, 0);
        EXPECT_EQ(fe.idPanel, "");
    }
}

TEST_F(MailGame, ASaveAsksBeforeReplacingTheHistoryOfAMailGameOnly) {
    testing::BuildSyntheticGame(true, true);
    std::ofstream(Path("other.BTL")) << "Battle\n";
    GameRec->GameKind = 0;
    EXPECT_EQ(SaveWouldReplace(Path("other.kvt")), "") << "a face-to-face save writes no history";
    GameRec->GameKind = 3;
    EXPECT_EQ(SaveWouldReplace(Path("other.kvt")), Path("other.BTL"));
}

TEST_F(MailGame, AHandOverWhoseSaveFailsLeavesTheTurnWithItsMover) {
    testing::BuildSyntheticGame(true, true);
    GameRec->GameKind = 4;
    GameRec->SideToMove = 2;
    MailTurnExecuted = true;
    const std::vector<std::string> battles = {"Battle", "EndOfBattle"};
    BattleLog = battles;
    const TGameRec before = *GameRec;
    SetFileRenamer([](const char* from, const char* to) { return std::string(to).ends_with(".KVM") ? -1 : std::rename(from, to); });
    ScriptedFrontend fe;
    fe.ExpectSaveFile(Path("sent.kvt"));
    fe.ExpectNotice(0, 1);
    fe.ExpectInformationBox();
    SaveGameDialog();
    EXPECT_EQ(std::memcmp(GameRec, &before, sizeof(TGameRec)), 0) << "still the mover's turn";
    EXPECT_EQ(BattleLog, battles) << "no hand-over marker";
    EXPECT_TRUE(MailTurnExecuted);
    for (const char* file : {"sent.KVT", "sent.KVM", "sent.BTL"}) EXPECT_FALSE(fs::exists(Path(file))) << file;
}

TEST_F(MailGame, SavingOverAGameOfAnotherCaseReplacesItsHistoryToo) {
    // An older pair, once handed over, lies where the mover now keeps his executed turn.
    testing::BuildSyntheticGame(true, true);
    GameRec->GameKind = 4;
    WriteGame("game", {"Battle", "Old Fight", "EndOfBattle", "TurnOver"});
    const std::vector<std::string> kept = {"Battle", "New Fight", "EndOfBattle"};
    BattleLog = kept;
    GameRec->SideToMove = 2;
    MailTurnExecuted = true;
    {
        ScriptedFrontend fe;
        fe.ExpectSaveFile(Path("Game.kvt"));
        fe.ExpectNotice(0, 2);  // kept, not yet handed over
        SaveGameDialog();
        EXPECT_TRUE(fe.messages.empty());
    }
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"game.KVT", "game.KVM", "game.BTL"})) << "no stale history beside the save";

    NewSession();
    ScriptedFrontend fe;
    fe.ExpectOpenFile(Path("game.KVT"));
    LoadGameMenu();
    EXPECT_EQ(BattleLog, kept) << "the history saved with the game is the one read";
    EXPECT_TRUE(fe.messages.empty()) << "the mover's own turn is not announced for playback";
    EXPECT_FALSE(fe.menus[MenuItem::Playback1]);
}

TEST_F(MailGame, AGameIsReadWithTheHistoryOfItsOwnSaveWhileAnotherProgramSavesOverIt) {
    // Another copy of the program saves the game with the next turn's history while this one
    // brings the record and map it read into play.
    struct SavingElsewhere : ScriptedFrontend {
        std::string base;
        bool saved = false;
        void Repaint() override {
            ScriptedFrontend::Repaint();
            if (saved) return;
            std::fflush(nullptr);
            const pid_t child = ::fork();
            if (child == 0) {
                GameRec->SideToMove = 2;
                BattleLog = {"Battle", "Their Fight", "EndOfBattle", "TurnOver"};
                ::_exit(SaveGameFiles(base, true) ? 0 : 1);
            }
            int status = 0;
            saved = ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
    };
    testing::BuildSyntheticGame(true, true);
    GameRec->GameKind = 4;
    GameRec->SideToMove = 1;
    const std::vector<std::string> ours = {"Battle", "Our Fight", "EndOfBattle"};
    BattleLog = ours;
    ASSERT_TRUE(SaveGameFiles(Path("game"), true));

    NewSession();
    SavingElsewhere fe;
    fe.base = Path("game");
    fe.ExpectOpenFile(Path("game.KVT"));
    LoadGameMenu();
    ASSERT_TRUE(fe.saved) << "the other program saved meanwhile";
    EXPECT_EQ(GameRec->SideToMove, 1);
    EXPECT_EQ(BattleLog, ours) << "the history saved with the record and map read";
    EXPECT_EQ(History("game").back(), "TurnOver") << "the other program's save";
}

TEST_F(MailGame, SavesGoUnderTheChosenNameWithoutItsExtension) {
    struct Case { const char* chosen; const char* written; };
    const Case cases[] = {{"game.kvt", "game.KVT"}, {"plain", "plain.KVT"}, {"two.dots.kvt", "two.dots.KVT"}};
    for (const Case& c : cases) {
        ScriptedFrontend fe;
        fe.ExpectSaveFile(Path(c.chosen));
        SaveGameDialog();
        EXPECT_TRUE(fs::exists(Path(c.written))) << c.chosen;
    }
    ScriptedFrontend fe;
    fe.ExpectSaveFile("");
    SaveGameDialog();
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 6) << "a cancelled save writes nothing";
}

// --- Playback ---

class Playback : public MailGame {
protected:
    // A received game whose turn moved corps 1 three hexes south, corps 3 two north and fleet 1
    // twelve south; corps 4 was pushed back after the battles, off its recorded route.
    void SetUp() override {
        MailGame::SetUp();
        testing::BuildSyntheticGame(true, true);
        TGameRec& g = *GameRec;
        g.GameKind = 4;
        g.SideToMove = 1;
        GameFileBase = Path("mail.");
        auto moved = [](TCorpsRec& c, int sx, int sy, std::initializer_list<int> steps) {
            c.StartX = static_cast<std::uint16_t>(sx);
            c.StartY = static_cast<std::uint16_t>(sy);
            int k = 0;
            for (int d : steps) c.StepDone[++k] = static_cast<U8>(d);
            c.StepsTaken = static_cast<U8>(k);
        };
        moved(g.Corps[1], 40, 18, {4, 4, 4});  // ends at (40, 21)
        moved(g.Corps[3], 40, 31, {1, 1});     // ends at (40, 29)
        moved(g.Corps[4], 41, 31, {1});        // recorded to (41, 30), retreated to (41, 31)
        g.Corps[2].StartX = 0;                 // never moved: its stale start is never used
        for (TFleetRec& f : g.Fleets) {
            f.StartX = f.HexX;
            f.StartY = f.HexY;
        }
        TFleetRec& f = g.Fleets[1];
        f.Mission = 4;
        f.StartY = 13;
        for (int s = 1; s <= 12; ++s) f.StepDone[s] = 4;  // ends at (50, 25)
        SetMenuItem(MenuItem::Playback1, true);
    }
    struct Last { int column = 0, row = 0, count = 0; };
    static Last LastShown(const ScriptedFrontend& fe, MovedUnit kind, int index) {
        Last last;
        for (const auto& s : fe.shown)
            if (s.kind == kind && s.index == index) last = {s.column, s.row, last.count + 1};
        return last;
    }
};

TEST_F(Playback, EveryUnitWalksItsRecordedStepsAndTheGameIsLeftAsReceived) {
    const TGameRec received = *GameRec;
    const TMapGrid receivedMap = *MapGrid;
    ScriptedFrontend fe;
    StartPlayback();
    EXPECT_EQ(GameRec->Corps[1].HexY, 18) << "back at the start of the turn";
    EXPECT_EQ(GameRec->Corps[2].HexX, 42) << "a corps that did not move stays";
    ASSERT_GT(testing::RunMovement(), 0);

    const Last c1 = LastShown(fe, MovedUnit::Corps, 1), c3 = LastShown(fe, MovedUnit::Corps, 3),
               c4 = LastShown(fe, MovedUnit::Corps, 4), f1 = LastShown(fe, MovedUnit::Fleet, 1);
    EXPECT_EQ(c1.count, 3);
    EXPECT_EQ((std::pair{c1.column, c1.row}), (std::pair{40, 21}));
    EXPECT_EQ(c3.count, 2);
    EXPECT_EQ((std::pair{c3.column, c3.row}), (std::pair{40, 29}));
    EXPECT_EQ((std::pair{c4.column, c4.row}), (std::pair{41, 30})) << "shown along its recorded step";
    EXPECT_EQ(f1.count, 12);
    EXPECT_EQ((std::pair{f1.column, f1.row}), (std::pair{50, 25}));
    EXPECT_EQ(LastShown(fe, MovedUnit::Corps, 2).count, 0);
    ASSERT_FALSE(fe.shown.empty());
    EXPECT_EQ(fe.shown.front().kind, MovedUnit::Fleet) << "fleets move first in every step";
    EXPECT_EQ(fe.shown.front().caption, "Union text 11");
    // The patrol's engagements are shown again with the timer stopped around each.
    EXPECT_EQ(fe.timerChanges.size(), 2u + 2 * 12);

    TGameRec expected = received;
    expected.GameKind = 3;
    EXPECT_EQ(std::memcmp(GameRec, &expected, sizeof(TGameRec)), 0) << "playback changes nothing but the kind";
    EXPECT_EQ(std::memcmp(MapGrid, &receivedMap, sizeof(TMapGrid)), 0);
    EXPECT_EQ(GameRec->Corps[4].HexY, 31) << "every unit ends where the executed turn left it";
    EXPECT_EQ(fe.gauge.back(), 300);
    EXPECT_FALSE(Timer1Enabled());
}

TEST_F(Playback, ASecondPressWhileItRunsChangesNothing) {
    struct Case { const char* what; bool offeredAgain; };
    const Case cases[] = {
        {"the window no longer offers it", false},
        {"even a window that still offered it", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const TGameRec received = *GameRec;
        const TMapGrid receivedMap = *MapGrid;
        ScriptedFrontend fe;
        StartPlayback();
        EXPECT_FALSE(fe.menus[MenuItem::Playback1]);
        EXPECT_FALSE(fe.menus[MenuItem::Speedbutton2]);
        // Well into the turn: the patrol has fought, units stand on their mid-turn hexes.
        while (Timer1Enabled() && GameRec->Fleets[1].HexY < 19) MovementTick();
        ASSERT_TRUE(Timer1Enabled());
        const TGameRec midway = *GameRec;
        ASSERT_NE(midway.Fleets[1].HexY, received.Fleets[1].HexY);
        if (c.offeredAgain) SetMenuItems({MenuItem::Playback1, MenuItem::Speedbutton2}, true);
        StartPlayback();
        EXPECT_EQ(std::memcmp(GameRec, &midway, sizeof(TGameRec)), 0) << "the second press is refused";
        ASSERT_GT(testing::RunMovement(), 0);
        TGameRec expected = received;
        expected.GameKind = 3;
        EXPECT_EQ(std::memcmp(GameRec, &expected, sizeof(TGameRec)), 0) << "the game is the one received";
        EXPECT_EQ(std::memcmp(MapGrid, &receivedMap, sizeof(TMapGrid)), 0);
        EXPECT_EQ(GameRec->Fleets[1].HexY, 25);
        EXPECT_EQ(GameRec->Corps[1].HexY, 21);
    }
}

TEST_F(Playback, WithVisibleFleetMovesOffOnlyCorpsAreFollowed) {
    FleetMovesShown = false;
    ScriptedFrontend fe;
    StartPlayback();
    ASSERT_GT(testing::RunMovement(), 0);
    EXPECT_EQ(LastShown(fe, MovedUnit::Fleet, 1).count, 0);
    EXPECT_EQ(LastShown(fe, MovedUnit::Corps, 1).count, 3);
}

TEST_F(Playback, IsOfferedOnlyAfterLoadingAGameAwaitingIt) {
    SetMenuItem(MenuItem::Playback1, false);
    ScriptedFrontend fe;
    StartPlayback();
    EXPECT_FALSE(Timer1Enabled());
    EXPECT_EQ(GameRec->Corps[1].HexY, 21);
}

TEST_F(Playback, TheBattlesShownAreThoseOfTheHistoryLoadedWithTheGame) {
    // The history was read with the record and map, under their lock. What becomes of its file
    // before the movement has been shown (another program saves the game over, a person removes
    // it or puts a folder in its place) changes nothing of the battles shown.
    enum class Then { SavedOver, Removed, AFolder };
    for (const Then then : {Then::SavedOver, Then::Removed, Then::AFolder}) {
        SCOPED_TRACE("the file then " + std::to_string(static_cast<int>(then)));
        SetUp();
        fs::remove_all(Path("mail.BTL"));
        const std::vector<std::string> ours = {"Battle", "Manassas", "Result", "EndOfBattle", "TurnOver"};
        BattleLog = ours;
        GameRec->BattlesThisTurn = 1;
        ASSERT_TRUE(SaveGameFiles(Path("mail"), true));
        NewSession();
        ScriptedFrontend fe;
        fe.ExpectOpenFile(Path("mail.KVT"));
        fe.ExpectInformationBox();  // awaiting playback
        LoadGameMenu();
        ASSERT_TRUE(fe.menus[MenuItem::Playback1]);
        fs::remove(Path("mail.BTL"));
        if (then == Then::SavedOver) std::ofstream(Path("mail.BTL")) << "Battle\r\nBall's Bluff\r\nResult\r\nEndOfBattle\r\nTurnOver\r\n";
        if (then == Then::AFolder) fs::create_directory(Path("mail.BTL"));
        StartPlayback();
        ASSERT_GT(testing::RunMovement(), 0);
        ASSERT_EQ(fe.replayResolutions.size(), 1u);
        EXPECT_EQ(fe.replayResolutions[0].place, "Manassas");
        EXPECT_EQ(BattleLog, ours);
        EXPECT_EQ(GameRec->GameKind, 3);
        EXPECT_EQ(fe.gauge.back(), 300);
    }
}

TEST_F(Playback, TheDelayChosenWhileTheTurnIsShownStaysChosen) {
    GameRec->MoveSpeed = 5;
    const TGameRec received = *GameRec;
    ScriptedFrontend fe;
    StartPlayback();
    for (int i = 0; i < 30; ++i) MovementTick();
    SetMovementDelay(2);  // the delay dialog, in the middle of the playback
    ASSERT_GT(testing::RunMovement(), 0);
    EXPECT_EQ(GameRec->MoveSpeed, 2);
    TGameRec expected = received;
    expected.GameKind = 3;
    expected.MoveSpeed = 2;
    EXPECT_EQ(std::memcmp(GameRec, &expected, sizeof(TGameRec)), 0) << "everything else is as received";
}

TEST_F(Playback, EveryRecordedBattleOfTheTurnIsShownAgainUntilTheHandOverMarker) {
    // A whole record of a battle without corps, named for its place.
    auto record = [](const std::string& place) {
        std::vector<std::string> r = {"Battle", place, "Union Forces", "Lyon", "Confederate Forces", "Price",
                                      "Open ground", "Weather: Fair", "Result", "init", "intensity", "505", "Lyon", "loss"};
        r.insert(r.end(), 10, "EndOfUnion");
        r.insert(r.end(), {"506", "Price", "loss"});
        r.insert(r.end(), 10, "EndOfConfed");
        r.insert(r.end(), {place + " result", " ", "EndOfBattle"});
        return r;
    };
    const auto first = record("Manassas"), second = record("Ball's Bluff"), third = record("Wilson's Creek");
    auto join = [](std::initializer_list<std::vector<std::string>> parts) {
        std::vector<std::string> all;
        for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    const std::vector<std::string> turnOver = {"TurnOver"};
    const std::vector<std::string> cut(second.begin(), second.begin() + 20);
    struct Case {
        const char* name;
        std::vector<std::string> history;
        int battles;
        std::vector<std::string> shown;    // the places of the records replayed, in order
        std::vector<std::string> results;  // their result lines ("-" where a cut record lacks it)
    };
    const Case cases[] = {
        {"three battles", join({first, second, third, turnOver}), 3, {"Manassas", "Ball's Bluff", "Wilson's Creek"},
         {"Manassas result", "Ball's Bluff result", "Wilson's Creek result"}},
        {"the marker stops the replay before the count does", join({first, second, turnOver, third}), 5,
         {"Manassas", "Ball's Bluff"}, {"Manassas result", "Ball's Bluff result"}},
        {"the count stops it before the marker", join({first, second, third, turnOver}), 2, {"Manassas", "Ball's Bluff"},
         {"Manassas result", "Ball's Bluff result"}},
        {"no battle this turn", join({first, turnOver}), 0, {}, {}},
        {"the end of the history stops it", join({first, second}), 4, {"Manassas", "Ball's Bluff"},
         {"Manassas result", "Ball's Bluff result"}},
        {"a record cut short ends the history", join({first, cut}), 3, {"Manassas", "Ball's Bluff"}, {"Manassas result", "-"}},
        {"a record cut short before the next one is followed by it", join({first, cut, third}), 3,
         {"Manassas", "Ball's Bluff", "Wilson's Creek"}, {"Manassas result", "-", "Wilson's Creek result"}},
        {"a header without results", join({{first.begin(), first.begin() + 8}, third}), 2, {"Manassas", "Wilson's Creek"},
         {"Wilson's Creek result"}},
        {"a line that opens no record counts a battle off where it stands",
         join({first, {"a stray line"}, second, turnOver}), 3, {"Manassas"}, {"Manassas result"}},
        {"a history that opens with no record shows nothing", join({{"No History"}, first, turnOver}), 2, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BattleLog = c.history;  // as the load read it
        GameRec->GameKind = 4;
        GameRec->BattlesThisTurn = static_cast<std::uint16_t>(c.battles);
        SetMenuItem(MenuItem::Playback1, true);
        ScriptedFrontend fe;
        StartPlayback();
        ASSERT_GT(testing::RunMovement(), 0);
        std::vector<std::string> places, results;
        for (const TReplayResolutionView& v : fe.replayResolutions) places.push_back(v.place);
        for (const TReplayResultsView& v : fe.replayResults) results.push_back(v.result.value_or("-"));
        EXPECT_EQ(places, c.shown);
        EXPECT_EQ(results, c.results);
        EXPECT_EQ(BattleLog, c.history) << "the history is kept as loaded";
        EXPECT_EQ(GameRec->GameKind, 3);
    }
}

}  // namespace
}  // namespace kvt
