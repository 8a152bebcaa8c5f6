// Dialogs of the computer players and politics not written yet. Until the setup dialog exists a new
// game is a face-to-face game with the Union played by a person against the computer, so the game
// can be played meanwhile; the election is held without a dialog. Their own dialogs replace this file.
#include "engine/core/globals.h"
#include "gui/dialogs/players/election_dialog.h"
#include "gui/dialogs/players/setup_dialog.h"

namespace kvt::gui {

void ShowGameSetupDialog() {
    TGameRec& g = *GameRec;
    g.Nations[kNationUnion].Human = 1;
    g.Nations[kNationConfederacy].Human = 0;
    g.GameKind = 0;
    // The computer's side plans afresh.
    for (TPlanRec& plan : g.Plans) plan = TPlanRec{};
}

void ShowElectionDialog() {}

}  // namespace kvt::gui
