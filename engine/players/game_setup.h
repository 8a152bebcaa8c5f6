// The new-game setup, shown when a start point comes into play at its start date.
#pragma once

namespace kvt {

// The setup dialog, then what the setup does with the choices made in it.
void ShowGameSetup();

// Called once the setup dialog has written the players, the options and the kind of game: a mail
// game starts its battle history ("No History", written beside the game) with the Union to move
// and no battles; computer players start without plans unless both sides are person-played.
void FinishGameSetup();

}  // namespace kvt
