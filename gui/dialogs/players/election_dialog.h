// The 1864 election.
#pragma once

namespace kvt::gui {

void ShowElectionDialog();

}  // namespace kvt::gui
