// The movement of a turn, one unit per tick of the movement timer: in steps 1 to 9 a fleet pass and
// then a corps pass, in steps 10 to 19 a fleet pass only; reaching step 20 ends the movement and
// runs the post-movement phase. A playback of a mail game's turn runs on the same ticks.
// A tick never allocates and never waits; notices and naval combat stop the timer around them.
#pragma once

#include <string>

namespace kvt {

// One tick of the movement timer. Does nothing while the timer is stopped.
void MovementTick();

// A unit the movement shows after its step.
enum class MovedUnit { Corps, Fleet };

// The unit panel's caption for a unit shown after its move.
std::string MovedUnitCaption(MovedUnit kind, int index);

// Moves the view so that the unit's hex lies 8 columns right of and 4 rows below its corner,
// repaints, draws the unit and names it in the unit panel.
void ShowMovedUnitAt(MovedUnit kind, int index, int column, int row);

// What follows the last tick of a movement (a turn's or a playback's): menus back, the side to
// play, selections cleared.
void FinishMovement();

}  // namespace kvt
