// What the dialogs that raise forces share: the side whose forces they raise. A plain read of the
// record; it changes nothing.
#pragma once

namespace kvt {

// The nation (1 or 2, its number equals the side) whose forces the dialogs raise; 0 when no side is
// played, and then nothing is listed or changed.
int RaisingNation();

}  // namespace kvt
