// The new fleet dialog's ports, capacities and the order.
#include "engine/orders/new_fleet.h"

#include <algorithm>

#include "engine/forces/fleet_lookup.h"
#include "engine/orders/merge_fleets.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/record_access.h"
#include "engine/world/stocks.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

bool KindInRange(int kind) { return kind >= kBuildOceanIronclads && kind <= kBuildRiverIronclads + 2; }
bool RiverKind(int kind) { return kind >= kBuildRiverIronclads; }
int ClassOfKind(int kind) { return (kind - 1) % 3; }

}  // namespace

TShipCosts ShipCosts(int kind) {
    static constexpr TShipCosts kCosts[] = {
        {0, 0, 0}, {2, 200, 24}, {4, 10, 12}, {3, 10, 8}, {2, 200, 24}, {4, 10, 10}, {3, 10, 6},
    };
    return KindInRange(kind) ? kCosts[kind] : kCosts[0];
}

std::string TNewFleetOrder::ManpowerText() {
    if (SidePlayed == 0 || SidePlayed > kNationCount) return "0";
    return std::to_string(G().Nations[SidePlayed].NavalManpower * 50);
}

void TNewFleetOrder::ChooseWater(int water) {
    water_ = water == kBuildForRivers ? kBuildForRivers : kBuildForOcean;
    for (bool& e : classEnabled_) e = true;
}

void TNewFleetOrder::ChooseClass(int shipClass) {
    if (shipClass < 0 || shipClass > 2) return;
    shipClass_ = shipClass;
    waterEnabled_ = false;
    for (int k = 0; k < 3; ++k) classEnabled_[k] = k == shipClass;
    // Derived, not counted up per click: a second click on a class must not change what is built.
    kind_ = (water_ == kBuildForRivers ? kBuildRiverIronclads : kBuildOceanIronclads) + shipClass;
    ports_.clear();
    const int other = SidePlayed == kUnion ? kConfederacy : kUnion;
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = G().Cities[c];
        const bool portOfWater = (water_ == kBuildForRivers ? city.RiverLink : city.Port) != 0;
        const int yard = shipClass == 0 ? city.IroncladYards : city.WoodenYards;
        if (city.Nation == SidePlayed && city.OriginalOwner != other && portOfWater && yard != 0)
            ports_.push_back({CityRowText(c), c});
    }
}

int TNewFleetOrder::BuildCapacity(int port) const {
    if (!Arr1<TCityRec, kCityCount>::InRange(port) || port == 0 || shipClass_ < 0) return 0;
    const TCityRec& city = G().Cities[port];
    int used = 0;
    for (const TFleetRec& f : G().Fleets)
        // Only records in use: a freed record (255) still holds the ships it had.
        if (f.HomePort == port && f.BuildCounter != 0 && FleetInUse(f))
            used += shipClass_ == 0 ? f.Ironclads : f.Wooden + f.Transports;
    return std::max(0, (shipClass_ == 0 ? city.IroncladYards : city.WoodenYards) - used);
}

int TNewFleetOrder::ChoosePort(int row) {
    if (row < 0 || row >= static_cast<int>(ports_.size())) return 0;
    port_ = ports_[static_cast<std::size_t>(row)].index;
    limit_ = BuildCapacity(port_);
    return limit_;
}

int TNewFleetOrder::Build(int ships) {
    ships = std::min(ships, limit_);
    if (ships <= 0 || port_ == 0 || !KindInRange(kind_) || SidePlayed == 0 || SidePlayed > kNationCount) return 0;
    Frontend& fe = CurrentFrontend();
    const int fleet = FindNationFleetAt(0, 0, 0, kFleetLookupFreeSlot);
    if (fleet == 0) {
        fe.InformationBox("Cannot build fleet, data full.");
        return 0;
    }
    const TShipCosts cost = ShipCosts(kind_);
    TNationRec& nation = G().Nations[SidePlayed];
    const TCityRec& port = G().Cities[port_];
    const int t = port.Theatre >= 1 && port.Theatre <= kTheatreCount ? port.Theatre : 0;
    bool short_ = false;
    if (nation.NavalManpower < cost.men * ships) {
        fe.InformationBox(Text(525));
        short_ = true;
    }
    if (t == 0 || nation.TheatreSupplies[t] < cost.supplies * ships) {
        fe.InformationBox("Insufficient supplies available");
        short_ = true;
    }
    if (short_) return 0;
    TakeStock(nation.NavalManpower, cost.men * ships, StockRule::Dialog);
    TakeStock(nation.TheatreSupplies[t], cost.supplies * ships, StockRule::Dialog);

    // A freed record keeps its number, tag and steps; left in place they would count its stale
    // number as taken and hide the new fleet from the fleet lookups.
    TFleetRec& f = G().Fleets[fleet];
    f = TFleetRec{};
    f.HexX = port.HexX;
    f.HexY = port.HexY;
    f.Owner = static_cast<U8>(SidePlayed);
    f.Side = nation.Side;
    f.Mission = 1;
    f.HomePort = static_cast<U8>(port_);
    const int shipClass = ClassOfKind(kind_);
    (shipClass == 0 ? f.Ironclads : shipClass == 1 ? f.Wooden : f.Transports) = static_cast<U8>(ships);
    f.WaterType = RiverKind(kind_) ? 2 : (shipClass == 2 && SidePlayed == kConfederacy ? 0 : 1);
    f.BuildCounter = static_cast<U8>(cost.buildCounter);
    f.FleetNumber = static_cast<U8>(LowestFreeFleetNumber(SidePlayed));
    return fleet;
}

}  // namespace kvt
