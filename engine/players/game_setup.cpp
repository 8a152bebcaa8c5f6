// The setup dialog is a wait on the person; what it writes into the record is the dialog's.
#include "engine/players/game_setup.h"

#include "engine/core/frontend.h"

namespace kvt {

void ShowGameSetup() { CurrentFrontend().ShowGameSetup(); }

}  // namespace kvt
