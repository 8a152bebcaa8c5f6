// The Load and Save commands and the mail-game hand-over.
#include "engine/turn/mail_game.h"

#include <string>

#include "engine/turn/game_load.h"
#include "engine/turn/game_start.h"
#include "engine/turn/side_choice.h"
#include "engine/view/turn_menus.h"
#include "engine/world/calendar.h"
#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr const char* kTurnOverLine = "TurnOver";

bool BothPersonPlayed() {
    return GameRec->Nations[kNationUnion].Human != 0 && GameRec->Nations[kNationConfederacy].Human != 0;
}

// A turn is passed on only by the player who set the game up or who has moved the turn and not yet
// passed it on: a game passed on unmoved would be played back for a turn nobody executed, and one
// passed on again after its hand-over would give the same player two turns in a row.
bool HandOverAllowed() {
    const int kind = GameRec->GameKind;
    return kind == 2 || (kind == 4 && MailTurnExecuted);
}

bool AskHandOver() {
    ClearEventNotice();
    EventNotice.SetLine(1, "Ready to end turn and");
    EventNotice.SetLine(2, "send game to opponent?");
    OfferChoice(1, Text(3));
    OfferChoice(2, Text(4));
    ShowEventNotice();
    return EventNotice.Answer == 1;
}

// The turn is the opponent's now: this screen gives no more orders and shows no side's hidden
// forces until a game is loaded or started.
void PlayNoSideAfterHandOver() {
    MailTurnHandedOver = true;
    SidePlayed = 0;
    ClearSelections();
    NoSideMenuState();
    SetSideChangeCaption();
    Frontend& fe = CurrentFrontend();
    fe.SetIdPanelText("");
    fe.Repaint();
}

}  // namespace

bool LoadGameDialog(LoadTime when) {
    Frontend& fe = CurrentFrontend();
    // Cancel is an answer: at start-up the caller offers the scenario choice again, from the menu
    // the game in play goes on.
    const std::string chosen = fe.ChooseOpenFile();
    if (chosen.empty()) return false;
    TBattleLogRead history;
    const bool loaded = LoadGameFiles(chosen, when, &history);
    fe.Repaint();
    if (!loaded) return false;
    ApplyLoadDataMarks();
    TGameRec& g = *GameRec;
    MailTurnExecuted = false;
    MailHistoryMissing.clear();
    if (g.GameKind == 4) {
        BattleLog = history.lines;
        const bool read = history.read;
        // Only the marker tells a turn handed over from the mover's own save. Without a history
        // nobody can tell, so the turn is neither played back nor passed on.
        const bool handedOver = read && !BattleLog.empty() && BattleLog.back() == kTurnOverLine;
        MailTurnExecuted = read && !handedOver;
        if (!read) {
            MailHistoryMissing = BattleLogFileFor(chosen);
            fe.InformationBox(history.error + " The turn can be neither played back nor handed over.");
        }
        else if (handedOver) fe.InformationBox(Text(727));
        SetMenuItems({MenuItem::Playback1, MenuItem::Speedbutton2}, handedOver);
        SetMenuItems({MenuItem::Execute1, MenuItem::SpeedButton1}, false);
    } else {
        SetMenuItems({MenuItem::Playback1, MenuItem::Speedbutton2}, false);
    }
    fe.SetCursor(CursorKind::Arrow);
    if (BothPersonPlayed()) {
        SelectSideToPlay();
        return true;
    }
    ClearSelections();
    fe.Repaint();
    fe.SetCursor(CursorKind::Arrow);
    return true;
}

void LoadGameMenu() {
    Frontend& fe = CurrentFrontend();
    GameStatus = 1;
    const bool loaded = LoadGameDialog();
    GameStatus = 0;
    if (!loaded) return;
    fe.ShowDate(DateText());
    // The load has offered the side choice to two persons already; a second offer would replace
    // the side they chose.
    if (!BothPersonPlayed()) {
        ClearSelections();
        fe.Repaint();
        fe.SetCursor(CursorKind::Arrow);
    }
    TGameRec& g = *GameRec;
    if (g.GameKind >= 2) SidePlayed = g.SideToMove;
    g.MoveSpeed = 5;
}

void SaveGameDialog() {
    Frontend& fe = CurrentFrontend();
    fe.SetCursor(CursorKind::Arrow);
    const std::string chosen = fe.ChooseSaveFile();
    if (chosen.empty()) return;
    // The window's dialog refuses these names itself; any other way in is refused here.
    const std::string refusal = SaveNameRefusal(chosen);
    if (!refusal.empty()) {
        fe.InformationBox(refusal);
        return;
    }
    const std::string base = SaveBaseOf(chosen);
    TGameRec& g = *GameRec;
    if (g.GameKind == 4 && !MailHistoryMissing.empty()) {
        fe.InformationBox("The battle history \"" + MailHistoryMissing +
                          "\" was missing when this game was loaded, so it cannot be saved. Put the history "
                          "beside the game and load the game again.");
        return;
    }
    if (g.GameKind < 2) {
        SaveGameFiles(base);
        return;
    }
    const std::uint16_t kindBefore = g.GameKind, sideBefore = g.SideToMove;
    const bool executedBefore = MailTurnExecuted;
    const bool handOver = HandOverAllowed() && AskHandOver();
    if (handOver) {
        // The marker ends the history only when the turn really changes hands.
        BattleLog.push_back(kTurnOverLine);
        g.GameKind = g.GameKind == 2 ? 3 : 4;
        g.SideToMove = g.SideToMove == 1 ? 2 : 1;
        MailTurnExecuted = false;
    }
    // The history is saved with the pair, beside one of another case as they are, so that a
    // handed-over game never lies on disk without the history that says so.
    const bool saved = SaveGameFiles(base, true);
    if (!saved && handOver) {
        // Nothing reached the opponent: the turn is still the mover's.
        BattleLog.pop_back();
        g.GameKind = kindBefore;
        g.SideToMove = sideBefore;
        MailTurnExecuted = executedBefore;
    }
    if (saved && handOver) PlayNoSideAfterHandOver();
}

}  // namespace kvt
