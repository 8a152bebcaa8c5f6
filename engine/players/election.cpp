// The election dialog is a wait on the person.
#include "engine/players/election.h"

#include "engine/core/frontend.h"

namespace kvt {

void ShowElection() { CurrentFrontend().ShowElection(); }

}  // namespace kvt
