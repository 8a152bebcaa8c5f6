// The movement of a turn, one unit per tick of the movement timer: in steps 1 to 9 a fleet pass and
// then a corps pass, in steps 10 to 19 a fleet pass only; reaching step 20 ends the movement and
// runs the post-movement phase. A playback of a mail game's turn runs on the same ticks.
// A tick never allocates and never waits; notices and naval combat stop the timer around them.
#pragma once

#include <initializer_list>
#include <string>

#include "engine/view/map_view_rules.h"
#include "engine/view/turn_menus.h"

namespace kvt {

// One tick of the movement timer. Does nothing while the timer is stopped.
void MovementTick();

// Moves the view so that the unit's hex lies 8 columns right of and 4 rows below its corner,
// repaints, draws the unit and names it in the unit panel.
void ShowMovedUnitAt(MovedUnit kind, int index, int column, int row);

// The cursors of the first step: its fleet pass comes first. A turn and a playback start alike.
void StartMovementPasses();

// After the last corps of a step the fleet pass is due; through step 9 that closes the step.
void EndCorpsPass();

// After the last fleet of a step, the part a turn and a playback share: from step 10 on, where no
// corps move, a fleet pass is a step of its own; the twentieth step stops the timer, switches
// `itemsOff` off and ends the movement.
void EndFleetPassStep(std::initializer_list<MenuItem> itemsOff);

// What follows the last tick of a movement (a turn's or a playback's): menus back, the side to
// play, selections cleared.
void FinishMovement();

}  // namespace kvt
