// The Load and Save commands and the mail-game hand-over.
#include "engine/core/mail_game.h"

#include <filesystem>
#include <string>

#include "engine/core/calendar.h"
#include "engine/core/frontend.h"
#include "engine/core/game_files.h"
#include "engine/core/globals.h"
#include "engine/core/notice.h"
#include "engine/core/side_choice.h"
#include "engine/core/text_table.h"
#include "engine/core/turn_menus.h"

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

}  // namespace

bool LoadGameDialog(LoadTime when) {
    Frontend& fe = CurrentFrontend();
    // Cancel is an answer: at start-up the caller offers the scenario choice again, from the menu
    // the game in play goes on.
    const std::string chosen = fe.ChooseOpenFile();
    if (chosen.empty()) return false;
    const bool loaded = LoadGameFiles(chosen, when);
    fe.Repaint();
    if (!loaded) return false;
    ApplyLoadDataMarks();
    TGameRec& g = *GameRec;
    MailTurnExecuted = false;
    if (g.GameKind == 4) {
        BattleLog.clear();
        const std::string history = BattleLogFileFor(chosen);
        std::error_code ec;
        const bool read = std::filesystem::exists(history, ec) && LoadBattleLog(history);
        // The marker ends the history only once the turn has changed hands; without it the game is
        // the mover's own, saved before the hand-over, with nothing to play back. Every mail save
        // writes a history, so a missing one tells nothing and the game is taken as received.
        const bool handedOver = !read || (!BattleLog.empty() && BattleLog.back() == kTurnOverLine);
        MailTurnExecuted = !handedOver;
        if (handedOver) fe.InformationBox(Text(727));
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
    const std::string base = SaveBaseOf(chosen);
    TGameRec& g = *GameRec;
    if (g.GameKind >= 2) {
        if (HandOverAllowed() && AskHandOver()) {
            // The marker ends the history only when the turn really changes hands.
            BattleLog.push_back(kTurnOverLine);
            g.GameKind = g.GameKind == 2 ? 3 : 4;
            g.SideToMove = g.SideToMove == 1 ? 2 : 1;
            MailTurnExecuted = false;
        }
        // Beside a pair saved under another case, as the game's own files are; a new name beside
        // the old history would leave that one to be read with the game.
        const std::string history = ResolveFileCaseInsensitive(base + ".BTL");
        if (!SaveBattleLog(history)) fe.InformationBox("The battle history could not be saved as \"" + history + "\".");
    }
    SaveGameFiles(base);
}

}  // namespace kvt
