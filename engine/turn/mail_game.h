// Loading and saving through the file dialogs, and the passing of a mail game between its two
// players: a turn is handed over by the save of the player who moved it, and the receiver loads
// it to watch it played back before giving the next orders.
//   game kind 2 (set up) --hand-over--> 3 (orders) --execute--> 4 (executed) --hand-over--> 4
//   (awaiting playback) --playback--> 3 (orders) ...
#pragma once

#include "engine/world/game_files.h"

namespace kvt {

// The Open dialog, the load, the data marks of a loaded game, for a mail game awaiting playback
// the playback offer, and for two persons at one computer the side choice. Answers whether a game
// was loaded: a cancelled dialog or a refused file leaves the game in play untouched.
bool LoadGameDialog(LoadTime when = LoadTime::InPlay);

// The "Load Game" menu command; cancelling it keeps the game in play.
void LoadGameMenu();

// The Save dialog; in a mail game, the hand-over of a moved turn to the opponent.
void SaveGameDialog();

}  // namespace kvt
