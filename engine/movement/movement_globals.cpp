// The movement rules' globals back to the state of a fresh program.
#include "engine/movement/movement_globals.h"

#include "engine/movement/corps_movement.h"
#include "engine/movement/path_search.h"
#include "engine/movement/selection.h"

namespace kvt {

void ResetMovementGlobals() {
    ResetSelectionList();
    ResetPathSearch();
    ResetCorpsMovementGlobals();
}

}  // namespace kvt
