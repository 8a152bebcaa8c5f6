// Rows and costs shared by the order dialogs' rules.
#include "engine/orders/order_support.h"

#include <algorithm>

#include "engine/core/globals.h"

namespace kvt {

std::string CityRowText(int city) {
    const TCityRec& c = GameRec->Cities[city];
    return c.Name.str() + "," + GameRec->States[c.State].ShortName.str();
}

void LowerNationalWill(int nation, int amount) {
    I16& will = GameRec->Nations[nation].Will;
    will = static_cast<std::int16_t>(std::clamp<int>(will - amount, -32768, 32767));
}

}  // namespace kvt
