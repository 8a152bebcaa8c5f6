// Settings toggles, the command check and Quit.
#include "engine/view/main_menu.h"

#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {
constexpr int kEverythingShown = 3;
}  // namespace

bool ToggleHiddenEnemy() {
    TGameRec& g = *GameRec;
    g.EnemyVisibility = g.EnemyVisibility == kEverythingShown ? SidePlayed : kEverythingShown;
    return HiddenEnemyChecked();
}

bool HiddenEnemyChecked() { return GameRec->EnemyVisibility != kEverythingShown; }

bool ToggleHexGrid() { return HexGridShown = !HexGridShown; }

bool ToggleFleetMoves() { return FleetMovesShown = !FleetMovesShown; }

void SetMovementDelay(int button) {
    static constexpr int intervals[] = {0, 100, 200, 300, 600, 1000};
    if (button < 1 || button > 5) return;
    GameRec->MoveSpeed = button;
    SetTimer1Interval(intervals[button]);
}

void CheckCommands() {
    const TGameRec& g = *GameRec;
    bool reported = false;
    for (int l = 1; l <= kLeaderCount; ++l) {
        const TLeaderRec& leader = g.Leaders[l];
        if (leader.Nation != SidePlayed) continue;
        int commands = 0;
        for (const TArmyRec& a : g.Armies)
            if (ArmyInUse(a) && a.Leader == l) ++commands;
        for (const TCorpsRec& c : g.Corps)
            if (CorpsInUse(c) && c.Leader == l) ++commands;
        if (commands > 1) {
            RaiseEventNotice(0, leader.Name.str(), "as assigned to", "too many commands.");
            reported = true;
        }
    }
    if (!reported) RaiseEventNotice(0, "No command problems", "to report.");
}

bool ConfirmQuit() {
    ClearEventNotice();
    EventNotice.SetLine(1, Text(463));
    OfferChoice(1, Text(3));
    OfferChoice(2, Text(4));
    ShowEventNotice();
    if (EventNotice.Answer != 1) return false;
    GameStatus = 1;
    return true;
}

}  // namespace kvt
