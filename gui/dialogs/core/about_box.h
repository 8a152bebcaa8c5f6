// The about box of the Game menu.
#pragma once

namespace kvt::gui {

void ShowAbout();

}  // namespace kvt::gui
