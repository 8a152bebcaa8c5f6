// Fleet lookup for the naval rules, the computer players and the fleet dialogs.
#include "engine/forces/fleet_lookup.h"

#include <algorithm>

#include "engine/world/globals.h"

namespace kvt {

int FindNationFleetAt(int nation, int place, int waterType, int mode) {
    TGameRec& g = *GameRec;
    int found = 0;
    if (mode == kFleetLookupFreeSlot) {
        for (int f = 1; f <= kFleetCount; ++f)
            if (!FleetInUse(g.Fleets[f])) found = f;
        return found;
    }
    if (!Arr1<TNationRec, kNationCount>::InRange(nation)) return 0;
    const int side = g.Nations[nation].Side;
    for (int f = 1; f <= kFleetCount; ++f) {
        TFleetRec& fleet = g.Fleets[f];
        if (fleet.BuildCounter != 0 || fleet.Side != side || fleet.TransportTag != 0 || fleet.WaterType != waterType)
            continue;
        const int ships = fleet.Ironclads + fleet.DamagedIronclads + fleet.Wooden + fleet.DamagedWooden + fleet.Transports;
        if (fleet.Supplies < 2 * ships) fleet.Supplies = static_cast<std::uint16_t>(std::min(2 * ships, 65535));
        const int homeTheatre = g.Cities[fleet.HomePort].Theatre;
        bool fits = false;
        if (mode == kFleetLookupTransport)
            fits = fleet.Transports != 0 && fleet.Mission == 0 &&
                   (waterType == 0 ? fleet.HomePort == place : homeTheatre == place);
        else if (mode == kFleetLookupWarships)
            fits = fleet.Ironclads + fleet.Wooden != 0 && fleet.Mission == 0 && homeTheatre == place;
        if (fits) found = f;
    }
    return found;
}

}  // namespace kvt
