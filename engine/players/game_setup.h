// The new-game setup, shown when a start point comes into play at its start date.
#pragma once

namespace kvt {

void ShowGameSetup();

}  // namespace kvt
