// Who gives orders next: the side played after a load or a turn, and the side choice of two
// persons sharing one computer. In a mail game the side is always the side to move.
#pragma once

namespace kvt {

// Sets SidePlayed as after a load or a turn (the side to move in a mail game; otherwise the one
// person-played side, 0 for none, unchanged for two), the side menus and the side item's caption.
void ChooseSideToPlay();

// The side-choice dialog; the side chosen is left in SidePlayed.
void ShowSideChoice();

// The side menu item: the side choice, the menus of the side chosen, selections cleared.
void SelectSideToPlay();

}  // namespace kvt
