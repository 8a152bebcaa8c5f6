// Shared reads of the raising dialogs.
#include "engine/orders/raising_lists.h"

#include "engine/core/globals.h"

namespace kvt {

int RaisingNation() { return SidePlayed == kUnion || SidePlayed == kConfederacy ? SidePlayed : 0; }

std::string CityEntryText(int city) {
    if (!Arr1<TCityRec, kCityCount>::InRange(city)) return {};
    const TCityRec& c = GameRec->Cities[city];
    return c.Name.str() + "," + GameRec->States[c.State].ShortName.str();
}

bool LeaderHoldsCommand(int leader, int corpsBeingRaised) {
    if (leader == 0) return false;
    for (const TArmyRec& a : GameRec->Armies)
        if (ArmyInUse(a) && a.Leader == leader) return true;
    for (int k = 1; k <= kCorpsCount; ++k)
        if (k != corpsBeingRaised && CorpsInUse(GameRec->Corps[k]) && GameRec->Corps[k].Leader == leader) return true;
    return false;
}

}  // namespace kvt
