// The end-of-game dialog: both sides' tallies and the verdicts, Continue or End Game.
#pragma once

#include "engine/core/frontend.h"
#include "engine/core/turn_end.h"

namespace kvt::gui {

PostMortemChoice ShowPostMortemDialog(const TPostMortem& tallies);

}  // namespace kvt::gui
