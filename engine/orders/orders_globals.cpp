// The orders rules' globals back to the state of a fresh program.
#include "engine/orders/orders_globals.h"

#include "engine/orders/corps_orders.h"

namespace kvt {

void ResetOrdersGlobals() {
    ResetCorpsOrdersGlobals();
}

}  // namespace kvt
