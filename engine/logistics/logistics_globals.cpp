// The logistics rules' globals back to the state of a fresh program.
#include "engine/logistics/logistics_globals.h"

#include "engine/logistics/draft.h"

namespace kvt {

void ResetLogisticsGlobals() {
    ResetDraftTallies();
}

}  // namespace kvt
