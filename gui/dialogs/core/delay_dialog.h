// The movement delay: five speeds, each recorded in the game and given to the movement timer
// through SetMovementDelay.
#pragma once

namespace kvt::gui {

void ShowDelayDialog();

}  // namespace kvt::gui
