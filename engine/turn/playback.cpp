// Playback ticks and the replay of the turn's battles.
#include "engine/turn/playback.h"

#include <cstring>

#include "engine/combat/battle_history.h"
#include "engine/combat/battle_replay.h"
#include "engine/combat/naval_combat.h"
#include "engine/turn/movement_ticks.h"
#include "engine/view/turn_menus.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"

namespace kvt {

namespace {

// The game as received, put back when the movement has been shown. Replaying a naval engagement
// would otherwise lower a fleet's supplies a second time, and the two players' copies of the game
// would drift apart.
TGameRec receivedGame;
TMapGrid receivedMap;
// A second start would take the half-shown turn as the game received.
bool running = false;

constexpr int kPatrol = 4;

// The history as the load read it with the record and map, under their lock: the file may since
// have been saved over by another program, or be gone. A game whose history could not be read is
// never played back.
void ReplayBattles() {
    // The history holds this turn's records only, from its first line.
    BattleLogLine = 0;
    for (int k = 1; k <= GameRec->BattlesThisTurn; ++k) {
        // A line that opens no record counts a battle off where it stands.
        if (BattleLogLine >= BattleLog.size() || BattleLog[BattleLogLine] != "Battle") continue;
        ShowReplayCombatResolution();
        ShowReplayBattleResults();
        if (!StepPastBattleRecord()) break;
    }
}

}  // namespace

void StartPlayback() {
    if (running || !MenuItemEnabled(MenuItem::Playback1)) return;
    running = true;
    TGameRec& g = *GameRec;
    Frontend& fe = CurrentFrontend();
    fe.SetCursor(CursorKind::Hourglass);
    SidePlayed = 0;
    std::memcpy(static_cast<void*>(&receivedGame), GameRec, sizeof(TGameRec));
    std::memcpy(static_cast<void*>(&receivedMap), MapGrid, sizeof(TMapGrid));
    for (TCorpsRec& c : g.Corps)
        if (c.StepsTaken >= 1) {
            c.HexX = static_cast<U8>(c.StartX);
            c.HexY = static_cast<U8>(c.StartY);
        }
    for (TFleetRec& f : g.Fleets) {
        f.HexX = static_cast<U8>(f.StartX);
        f.HexY = static_cast<U8>(f.StartY);
    }
    fe.Repaint();
    g.GameKind = 4;
    DisableTurnMenus();
    StartMovementPasses();
    SetTimer1Enabled(true);
}

void PlaybackTick() {
    TGameRec& g = *GameRec;
    const int step = g.MoveStep;
    if (FleetPassDue) {
        int f = SelectedFleet;
        TFleetRec& fleet = g.Fleets[f];
        HexCursor = {fleet.HexX, fleet.HexY};
        const int direction = step <= 20 ? fleet.StepDone[step] : 0;
        if (direction != 0 && fleet.Owner != 0) {
            StepHex(direction);
            fleet.HexX = static_cast<U8>(HexCursor.X);
            fleet.HexY = static_cast<U8>(HexCursor.Y);
            if (FleetMovesShown) ShowMovedUnitAt(MovedUnit::Fleet, f, fleet.HexX, fleet.HexY);
            if (fleet.Mission >= kPatrol) {
                SetTimer1Enabled(false);
                ReplayFleetCombat(f);
                SetTimer1Enabled(true);
            }
        }
        for (;;) {
            ++f;
            if (f > kFleetCount) break;
            const TFleetRec& next = g.Fleets[f];
            if (next.BuildCounter == 0 && next.StepDone[step] != 0) break;
        }
        if (f <= kFleetCount) {
            SelectedFleet = static_cast<std::uint16_t>(f);
        } else {
            // Shown, not played: no spotting, and no hex control or headquarters in steps 1 to 9.
            SelectedFleet = 1;
            FleetPassDue = 0;
            EndFleetPassStep({MenuItem::Execute1, MenuItem::Playback1, MenuItem::Speedbutton2, MenuItem::SpeedButton1});
        }
    } else {
        int c = SelectedCorps;
        TCorpsRec& corps = g.Corps[c];
        if (CorpsInUse(corps) && corps.Leader != 0 && corps.Nation != 0) {
            HexCursor = {corps.HexX, corps.HexY};
            const int direction = step <= 9 ? corps.StepDone[step] : 0;
            if (direction != 0 && corps.Leader <= kLeaderCount) {
                StepHex(direction);
                corps.HexX = static_cast<U8>(HexCursor.X);
                corps.HexY = static_cast<U8>(HexCursor.Y);
                ShowMovedUnitAt(MovedUnit::Corps, c, corps.HexX, corps.HexY);
            }
        }
        for (;;) {
            ++c;
            if (c > kCorpsCount) break;
            const TCorpsRec& next = g.Corps[c];
            if (CorpsInUse(next) && next.StepDone[step] != 0) break;
        }
        if (c <= kCorpsCount) SelectedCorps = static_cast<std::uint16_t>(c);
        else EndCorpsPass();
    }
}

void FinishPlayback() {
    // The delay may be changed while the turn is shown; that choice is the player's, not the turn's.
    const auto speed = GameRec->MoveSpeed;
    std::memcpy(static_cast<void*>(GameRec), &receivedGame, sizeof(TGameRec));
    GameRec->MoveSpeed = speed;
    std::memcpy(static_cast<void*>(MapGrid), &receivedMap, sizeof(TMapGrid));
    running = false;
    ReplayBattles();
    SetMenuItem(MenuItem::Playback1, false);
    GameRec->GameKind = 3;
    SetTurnProgressGauge(300);
}

void ResetPlayback() { running = false; }

}  // namespace kvt
