// Fleet consolidation of the computer sides before they plan.
#include "engine/logistics/fleet_consolidation.h"

#include "engine/forces/fleet_records.h"
#include "engine/world/globals.h"

namespace kvt {

namespace {

bool Idle(const TFleetRec& f, int nation) {
    return f.BuildCounter == 0 && f.Owner == nation && (f.Mission == kMissionNothing || f.Mission == kMissionRefit);
}

// Which fleets a small fleet takes in: a lone ironclad any ironclads, a few wooden warships or
// transports any more of their kind.
bool Absorbs(const TFleetRec& f, const TFleetRec& g) {
    const int ironclads = f.Ironclads + f.DamagedIronclads;
    const int wooden = f.Wooden + f.DamagedWooden;
    const int transports = f.Transports + f.DamagedTransports;
    return (ironclads == 1 && g.Ironclads + g.DamagedIronclads != 0) ||
           (wooden >= 1 && wooden <= 3 && g.Wooden + g.DamagedWooden != 0) ||
           (transports >= 1 && transports <= 3 && g.Transports + g.DamagedTransports != 0);
}

}  // namespace

bool MergeFleetInto(int target, int source) {
    if (!Arr1<TFleetRec, kFleetCount>::InRange(target) || !Arr1<TFleetRec, kFleetCount>::InRange(source) ||
        target == source)
        return false;
    TFleetRec& t = GameRec->Fleets[target];
    TFleetRec& s = GameRec->Fleets[source];
    U8* const to[] = {&t.Ironclads, &t.Wooden, &t.Transports, &t.DamagedIronclads, &t.DamagedWooden, &t.DamagedTransports};
    const U8 from[] = {s.Ironclads, s.Wooden, s.Transports, s.DamagedIronclads, s.DamagedWooden, s.DamagedTransports};
    for (int k = 0; k < 6; ++k)
        if (*to[k] + from[k] > 255) return false;
    if (t.Supplies + s.Supplies > 65535 || t.Cotton + s.Cotton > 65535) return false;
    const int sourceCargo = FleetCargoCorps(s);
    if (sourceCargo != 0 && FleetCargoCorps(t) != 0) return false;
    for (int k = 0; k < 6; ++k) *to[k] = static_cast<U8>(*to[k] + from[k]);
    t.Supplies = static_cast<std::uint16_t>(t.Supplies + s.Supplies);
    t.Cotton = static_cast<std::uint16_t>(t.Cotton + s.Cotton);
    // The absorber carries the corps on: freed with the source it would be stranded at sea.
    if (sourceCargo != 0) {
        t.Cargo = static_cast<U8>(sourceCargo);
        s.Cargo = 0;
    }
    return true;
}

void ConsolidateComputerFleets() {
    TGameRec& g = *GameRec;
    for (int n = 1; n <= kNationCount; ++n) {
        if (g.Nations[n].Human != 0) continue;
        for (int f = 1; f <= kFleetCount; ++f) {
            const TFleetRec& fleet = g.Fleets[f];
            if (!Idle(fleet, n)) continue;
            for (int other = 1; other <= kFleetCount; ++other) {
                const TFleetRec& candidate = g.Fleets[other];
                if (other == f || !Idle(candidate, n) || !FleetOnHex(candidate, fleet.HexX, fleet.HexY) ||
                    candidate.WaterType != fleet.WaterType || !Absorbs(fleet, candidate))
                    continue;
                if (!MergeFleetInto(f, other)) continue;
                FreeFleet(other);
                break;
            }
        }
    }
}

}  // namespace kvt
