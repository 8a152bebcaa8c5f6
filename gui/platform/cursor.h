// The screen cursor of the program: one application-wide override, changed in place, so that
// nested "hourglass ... arrow" pairs from dialogs inside a turn never stack up.
#pragma once

namespace kvt::gui {

enum TCursor { crDefault = 0, crArrow = -2, crSizeNS = -7, crSizeWE = -9, crHourGlass = -11 };

TCursor ScreenCursor();
// crDefault removes the override; any other cursor replaces it (or installs it).
void SetScreenCursor(TCursor cursor);

}  // namespace kvt::gui
