// Taking free corps and army records for new commands.
#include "engine/forces/command_slots.h"

#include <bitset>

#include "engine/forces/corps_records.h"
#include "engine/world/globals.h"

namespace kvt {

int AllocateCorpsSlot(int nation) {
    if (nation < 1 || nation > kNationCount) return 0;
    TGameRec& g = *GameRec;
    int slot = 0;
    for (int k = 1; k <= kCorpsCount && slot == 0; ++k)
        if (!CorpsInUse(g.Corps[k])) slot = k;
    if (slot == 0) return 0;
    std::bitset<256> taken;
    for (int k = 1; k <= kCorpsCount; ++k)
        if (k != slot && CorpsInUse(g.Corps[k]) && g.Corps[k].Nation == nation) taken.set(g.Corps[k].Ordinal);
    int ordinal = 1;
    while (taken.test(ordinal)) ++ordinal;
    // Brigades may still name a record the upkeep wiped; they wait as the next recount would leave
    // them, or the new corps would take them over unasked.
    for (TBrigadeRec& b : g.Brigades)
        if (b.AttachKind == kAttachCorps && b.AttachIndex == slot) {
            b.AttachKind = kAttachWaiting;
            b.AttachIndex = 0;
        }
    TCorpsRec& c = g.Corps[slot];
    c.Unused = 0;
    c.Nation = static_cast<U8>(nation);
    c.Side = g.Nations[nation].Side;
    c.Ordinal = static_cast<U8>(ordinal);
    return slot;
}

void StationNewCorps(TCorpsRec& c, int city, int nation, int leader) {
    const TGameRec& g = *GameRec;
    const TCityRec& at = g.Cities[city];
    const TLeaderRec& l = g.Leaders[leader];
    c.HexX = c.DestX = at.HexX;
    c.HexY = c.DestY = at.HexY;
    c.OrderMode = 1;
    c.SizeClass = 2;
    c.FatigueLimit = 5;
    c.Region = at.Theatre;
    c.HomeState = at.State;
    c.SupplyType = 1;
    c.SupplyPriority = 1;
    c.SupplyCity = static_cast<U8>(city);
    c.March = 1;
    c.Condition = 10;
    c.Quality = 1;
    c.Nation = static_cast<U8>(nation);
    c.Side = g.Nations[nation].Side;
    c.Leader = static_cast<U8>(leader);
    c.LeaderInitiative = l.Initiative;
    c.LeaderRating = l.Rating;
}

int AllocateArmySlot(int nation) {
    if (nation < 1 || nation > kNationCount) return 0;
    TGameRec& g = *GameRec;
    int slot = 0;
    for (int a = 1; a <= kArmyCount && slot == 0; ++a)
        if (ArmySlotFree(g.Armies[a])) slot = a;
    if (slot == 0) return 0;
    std::bitset<256> taken;
    for (int a = 1; a <= kArmyCount; ++a)
        if (ArmyInUse(g.Armies[a]) && g.Armies[a].Nation == nation) taken.set(g.Armies[a].ArmyNumber);
    int number = 1;
    while (taken.test(number)) ++number;
    TArmyRec& army = g.Armies[slot];
    army.Nation = static_cast<U8>(nation);
    army.Side = g.Nations[nation].Side;
    army.ArmyNumber = static_cast<U8>(number);
    return slot;
}

void DissolveArmy(int a) {
    if (!Arr1<TArmyRec, kArmyCount>::InRange(a)) return;
    TGameRec& g = *GameRec;
    const TArmyRec& army = g.Armies[a];
    RelieveLeader(army.Leader);
    TNationRec& nation = g.Nations[army.Nation];
    if (nation.ArmyTally > 0) --nation.ArmyTally;
    // Only the two warring nations name their armies from the pools.
    const int n = army.Nation;
    if (n == kNationUnion || n == kNationConfederacy) {
        const std::string name = army.Name.str();
        for (TArmyNameRec& entry : g.ArmyNamePool[n])
            if (entry.Name.str() == name) {
                entry.Used = 0;
                break;
            }
    }
    DisbandArmy(a);
}

void RelieveLeader(int leader) {
    if (!Arr1<TLeaderRec, kLeaderCount>::InRange(leader)) return;
    U8& status = GameRec->Leaders[leader].Status;
    // Relieving a fallen or wounded man would bring him back at once.
    if (status == kLeaderActive || (status >= kLeaderAvailable && status <= kLeaderRemoved)) status = kLeaderRemoved;
}

}  // namespace kvt
