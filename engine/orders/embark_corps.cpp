// The embark dialog's rows and boarding.
#include "engine/orders/embark_corps.h"

#include "engine/forces/brigade_rules.h"
#include "engine/world/globals.h"
#include "engine/world/record_access.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

bool FleetIndex(int fleet) { return Arr1<TFleetRec, kFleetCount>::InRange(fleet) && FleetInUse(G().Fleets[fleet]); }
bool CorpsIndex(int corps) { return Arr1<TCorpsRec, kCorpsCount>::InRange(corps) && CorpsInUse(G().Corps[corps]); }

constexpr U8 kDefendMode = 1;

}  // namespace

int TransportCapacity(const TFleetRec& fleet) { return fleet.Transports * 300 + fleet.DamagedTransports * 100; }

int CorpsTransportNeed(const TCorpsRec& corps) { return corps.Artillery * 50 + corps.Strength * 10; }

bool CarriedByAnotherFleet(int corps, int fleet) {
    for (int f = 1; f <= kFleetCount; ++f)
        if (f != fleet && FleetInUse(G().Fleets[f]) && G().Fleets[f].Cargo == corps) return true;
    return false;
}

std::vector<int> CorpsFitForFleet(int fleet) {
    std::vector<int> fit;
    if (!FleetIndex(fleet)) return fit;
    const TFleetRec& f = G().Fleets[fleet];
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& c = G().Corps[k];
        if (CorpsInUse(c) && c.Nation == SidePlayed && c.HexX == f.HexX && c.HexY == f.HexY &&
            CorpsTransportNeed(c) <= TransportCapacity(f) && !CarriedByAnotherFleet(k, fleet))
            fit.push_back(k);
    }
    return fit;
}

int PortOfFleet(int fleet) {
    if (!FleetIndex(fleet)) return 0;
    const TFleetRec& f = G().Fleets[fleet];
    int port = 0;
    for (int c = 1; c <= kCityCount; ++c)
        if (G().Cities[c].HexX == f.HexX && G().Cities[c].HexY == f.HexY) port = c;
    return port;
}

TEmbarkChoice::TEmbarkChoice(int fleet) : fleet_(fleet) {
    RecalcCorpsFromBrigades();
    if (PortOfFleet(fleet) == 0) return;
    for (int k : CorpsFitForFleet(fleet)) {
        const TCorpsRec& c = G().Corps[k];
        rows_.push_back({G().Leaders[c.Leader].Name.str() + ", " + Text(319) + std::to_string(CorpsTransportNeed(c)), k});
    }
}

std::string TEmbarkChoice::CapacityText() const {
    return PortOfFleet(fleet_) == 0 ? std::string() : std::to_string(TransportCapacity(G().Fleets[fleet_]));
}

void TEmbarkChoice::ChooseRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || !FleetIndex(fleet_)) return;
    const int corps = rows_[static_cast<std::size_t>(row)].index;
    TFleetRec& f = G().Fleets[fleet_];
    if (f.Cargo == corps) return;
    if (CorpsIndex(f.Cargo)) {
        const auto known = modeBeforeBoarding_.find(f.Cargo);
        G().Corps[f.Cargo].OrderMode = known != modeBeforeBoarding_.end() ? known->second : kDefendMode;
    }
    TCorpsRec& c = G().Corps[corps];
    // A corps already marked embarked (carried by nobody) has no orders of its own to go back to.
    modeBeforeBoarding_[corps] = c.OrderMode == kCorpsEmbarked ? kDefendMode : c.OrderMode;
    f.Cargo = static_cast<U8>(corps);
    c.OrderMode = kCorpsEmbarked;
}

}  // namespace kvt
