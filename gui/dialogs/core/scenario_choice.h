// The scenario choice at start-up: the answer (1..3 a start point, 4 a saved game, 0 none) is left
// in EventNotice.Answer.
#pragma once

namespace kvt::gui {

void ShowScenarioChoice();

}  // namespace kvt::gui
