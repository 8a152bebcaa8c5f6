// The view rules' own globals (the turn's menus, the map input), cleared as one.
#pragma once

namespace kvt {

void ResetViewGlobals();

}  // namespace kvt
