// Loading and saving through the file dialogs, and the passing of a mail game between its two
// players: a turn is handed over by the save of the player who moved it, and the receiver loads
// it to watch it played back before giving the next orders.
//   game kind 2 (set up) --hand-over--> 3 (orders) --execute--> 4 (executed) --hand-over--> 4
//   (awaiting playback) --playback--> 3 (orders) ...
#pragma once

namespace kvt {

// The Open dialog until a file is chosen (while a load is in progress), the load, the data marks
// of a loaded game and, for a mail game awaiting playback, the playback offer.
void LoadGameDialog();

// The "Load Game" menu command.
void LoadGameMenu();

// The Save dialog; in a mail game, the hand-over of a moved turn to the opponent.
void SaveGameDialog();

}  // namespace kvt
