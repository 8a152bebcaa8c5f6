// Ship building: a nation's supplies and naval recruits turned into new ships at one of its ports,
// within the port's yards, each batch laid down as a fleet that stays under construction for some
// turns. Costs per ship: ironclad 200 supplies and 2 recruits, wooden warship 10 and 4, transport
// 1 and 3; at most 6 ironclads, 8 wooden warships and 6 transports a call.
#pragma once

namespace kvt {

// Ship kinds of CreateFleetAtCity.
enum : int { kShipTransports = 0, kShipWooden = 1, kShipIronclads = 2 };

// Lays down fleet record f (1..100) for nation n at city c with `count` ships of the kind; water
// type 1 ocean-going, 2 river-going. Takes the lowest fleet number the nation has free. Does
// nothing for city 0 or a record out of range.
void CreateFleetAtCity(int fleet, int nation, int city, int count, int shipKind, int waterType);

// The fleets one call built, by ship kind (0 none).
struct TShipsBuilt {
    int fleet[3] = {0, 0, 0};
};

// Builds up to three fleets, one per kind, at city c: orders are first cut to the naval recruits
// (negative counts count as their size), then to the yards, the supplies and the free records.
// Leaves the fleet selection alone.
TShipsBuilt BuildShipsAtCity(int nation, int city, int waterType, int ironclads, int wooden, int transports);

}  // namespace kvt
