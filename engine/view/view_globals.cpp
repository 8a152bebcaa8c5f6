// The view rules' globals back to the state of a fresh program.
#include "engine/view/view_globals.h"

#include "engine/view/map_input.h"
#include "engine/view/turn_menus.h"

namespace kvt {

void ResetViewGlobals() {
    ResetTurnMenus();
    ResetMapInput();
}

}  // namespace kvt
