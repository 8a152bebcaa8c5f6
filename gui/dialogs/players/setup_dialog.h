// The new-game setup: who plays each side, the kind of game and the options, written into the record.
#pragma once

namespace kvt::gui {

void ShowGameSetupDialog();

}  // namespace kvt::gui
