// The movement ticks of a live turn and the end of the movement.
#include "engine/turn/movement_ticks.h"

#include "engine/combat/naval_combat.h"
#include "engine/forces/corps_records.h"
#include "engine/forces/fleet_records.h"
#include "engine/logistics/fleet_movement.h"
#include "engine/logistics/hex_control.h"
#include "engine/movement/corps_movement.h"
#include "engine/movement/spotting.h"
#include "engine/turn/playback.h"
#include "engine/turn/side_choice.h"
#include "engine/turn/turn_end.h"
#include "engine/view/map_view_rules.h"
#include "engine/view/turn_menus.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/record_queries.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

const std::string kEmpty;

bool FleetMayMove(const TFleetRec& f) { return f.BuildCounter == 0 && f.Owner != 0 && f.DestX != 0 && f.DestY != 0; }

void EndFleetPass() {
    ReleaseFleetsAtSea();
    SelectedFleet = 1;
    FleetPassDue = 0;
    UpdateSpotting();
    if (GameRec->MoveStep < 10) {
        UpdateHexControl();
        MoveArmyHeadquarters();
    }
    EndFleetPassStep({MenuItem::Execute1, MenuItem::SpeedButton1});
}

void FleetPass() {
    TGameRec& g = *GameRec;
    int f = SelectedFleet;
    if (f == 1) HoldFleetsAtSea();
    TFleetRec& fleet = g.Fleets[f];
    const int step = g.MoveStep;
    if (FleetMayMove(fleet)) {
        const int x = fleet.HexX, y = fleet.HexY;
        const bool enemyNear = CheckFleetInterception(f);
        if (fleet.DestX == x && fleet.DestY == y) {
            if (fleet.Mission >= kMissionPatrol) FightWithTimerHeld(f);
        } else {
            const bool visible = FleetMovementStep(f, !enemyNear);
            if (fleet.PlannedStep[step] != 0) {
                // A fleet sunk in a fight on its step keeps its route but is no longer there to draw.
                const bool afloat = fleet.BuildCounter == 0;
                if (FleetMovesShown && visible && afloat) ShowMovedUnitAt(MovedUnit::Fleet, f, HexCursor.X, HexCursor.Y);
                if (fleet.Mission >= kMissionAmphibious) FightWithTimerHeld(f);
            }
        }
    }
    for (;;) {
        ++f;
        if (f > kFleetCount) break;
        const TFleetRec& next = g.Fleets[f];
        HexCursor = {next.HexX, next.HexY};
        if (FleetMayMove(next) && next.Mission != 0) break;
    }
    if (f > kFleetCount) EndFleetPass();
    else SelectedFleet = static_cast<std::uint16_t>(f);
    CurrentFrontend().SetIdPanelText(kEmpty);
}

void CorpsPass() {
    TGameRec& g = *GameRec;
    int c = SelectedCorps;
    const int step = g.MoveStep;
    // Nothing but the steps themselves touches brigades until the pass ends.
    if (c == 1) {
        HoldCorpsBrigadeLists();
        HoldCorpsSpots();
    }
    TCorpsRec& corps = g.Corps[c];
    if (CorpsInUse(corps) && corps.Leader != 0 && corps.Nation != 0) {
        HexCursor = {corps.HexX, corps.HexY};
        const bool visible = MoveCorpsStep(c);
        if (corps.StepDone[step] != 0 && corps.Leader >= 1 && corps.Leader <= kLeaderCount &&
            (visible || g.EnemyVisibility == 3))
            ShowMovedUnitAt(MovedUnit::Corps, c, corps.HexX, corps.HexY);
    }
    for (;;) {
        ++c;
        if (c > kCorpsCount) break;
        const TCorpsRec& next = g.Corps[c];
        if (CorpsInUse(next) && next.Route[step] != 0) break;
    }
    if (c > kCorpsCount) EndCorpsPass();
    else SelectedCorps = static_cast<std::uint16_t>(c);
    CurrentFrontend().SetIdPanelText(kEmpty);
}

void EndTurnMovement() {
    TGameRec& g = *GameRec;
    PostMovementPhase();
    if (g.GameKind == 3) {
        g.GameKind = 4;
        MailTurnExecuted = true;
        SetMenuItems({MenuItem::Execute1, MenuItem::SpeedButton1}, false);
        CurrentFrontend().InformationBox(Text(728));
    }
}

}  // namespace

void StartMovementPasses() {
    // A pass left unfinished by another game must not lend this one its fleets.
    ReleaseFleetsAtSea();
    SelectedFleet = 1;
    SelectedCorps = 1;
    FleetPassDue = 1;
    MovementEnded = 0;
    GameRec->MoveStep = 1;
}

void EndCorpsPass() {
    TGameRec& g = *GameRec;
    ReleaseCorpsBrigadeLists();
    ReleaseCorpsSpots();
    SelectedCorps = 1;
    FleetPassDue = 1;
    if (g.MoveStep <= 9) {
        UpdateHexControl();
        g.MoveStep = static_cast<U8>(g.MoveStep + 1);
    }
}

void EndFleetPassStep(std::initializer_list<MenuItem> itemsOff) {
    TGameRec& g = *GameRec;
    if (g.MoveStep > 9) {
        UpdateHexControl();
        FleetPassDue = 1;
        g.MoveStep = static_cast<U8>(g.MoveStep + 1);
    }
    SetTurnProgressGauge(TurnProgressGauge + 10);
    if (g.MoveStep >= 20) {
        SetTimer1Enabled(false);
        SetMenuItems(itemsOff, false);
        MovementEnded = 1;
    }
}

void ShowMovedUnitAt(MovedUnit kind, int index, int column, int row) {
    ViewColumn = static_cast<std::uint16_t>(column >= 9 ? column - 8 : 1);
    ViewRow = static_cast<std::uint16_t>(row >= 5 ? row - 4 : 1);
    Frontend& fe = CurrentFrontend();
    fe.Repaint();
    if (kind == MovedUnit::Corps) fe.DrawCorps(index);
    else fe.DrawFleet(index);
    if (fe.ShowsUnitPanel()) fe.SetIdPanelText(MovedUnitCaption(kind, index));
}

void FinishMovement() {
    Frontend& fe = CurrentFrontend();
    // Armies that lost their headquarters this turn free their slots for new armies.
    ReleaseBaselessArmies();
    fe.SetCursor(CursorKind::Arrow);
    if (GameStatus == 0) {
        EnableTurnMenus();
        ChooseSideToPlay();
        ClearSelections();
        fe.Repaint();
        MovementEnded = 0;
    }
    fe.Repaint();
}

void MovementTick() {
    if (!Timer1Enabled()) return;
    if (GameRec->GameKind == 4) {
        PlaybackTick();
        if (MovementEnded) {
            FinishPlayback();
            FinishMovement();
        }
        return;
    }
    if (FleetPassDue) FleetPass();
    else CorpsPass();
    if (MovementEnded) {
        EndTurnMovement();
        FinishMovement();
    }
}

}  // namespace kvt
