// The side choice of two persons at one computer: a button for each person-played side.
#pragma once

namespace kvt::gui {

// Answers the side chosen, 1 Union or 2 Confederacy.
int ShowSideChoiceDialog(bool unionEnabled, bool confederacyEnabled);

}  // namespace kvt::gui
