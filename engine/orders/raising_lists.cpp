// Shared reads of the raising dialogs.
#include "engine/orders/raising_lists.h"

#include "engine/world/globals.h"

namespace kvt {

int RaisingNation() { return SidePlayed == kUnion || SidePlayed == kConfederacy ? SidePlayed : 0; }

}  // namespace kvt
