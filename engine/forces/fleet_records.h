// What the naval rules share about one fleet: its speed, its weight in supplies, the supplies a trip
// needs, freeing its record, and what becomes of a corps aboard a fleet that is freed or sunk.
// Plain procedures over the game record; they show nothing.
#pragma once

#include <cstdint>

#include "engine/world/game_record.h"

namespace kvt {

// Fleet missions as the record stores them.
enum : int {
    kMissionNothing = 0, kMissionRefit = 1, kMissionMove = 2, kMissionCottonRun = 3,
    kMissionPatrol = 4, kMissionAttackPort = 5, kMissionAmphibious = 6
};
// Water types: Confederate ocean transports, ocean-going, river-going.
enum : int { kWaterCottonTransports = 0, kWaterOcean = 1, kWaterRiver = 2 };
// The spotting value that marks the fleets of one naval engagement while it is fought.
constexpr std::uint8_t kSpottedEngaged = 11;

// Steps a fleet may take in a turn: 20; 12 with ironclads, 18 with wooden warships (whatever
// else it has); 5 fewer with any damaged ship.
int FleetSpeed(const TFleetRec& f);
// The fleet's weight in the supply estimates: ironclads count twice, every other ship once.
int FleetShipWeight(const TFleetRec& f);
// Supplies the fleet still needs for a trip of d hexes at weight w (0 when it holds enough).
int FleetTripExtra(const TFleetRec& f, int d, int w);
// Sound and damaged ships of all six counts.
int FleetShipCount(const TFleetRec& f);
int FleetDamagedCount(const TFleetRec& f);
bool FleetOnHex(const TFleetRec& f, int x, int y);
// The fleet stands on the hex of city c (false for no city).
bool FleetOnCity(const TFleetRec& f, int c);
bool FleetAtDestination(const TFleetRec& f);

// The corps the fleet carries when that names a corps in use; a cargo naming a free slot is
// cleared (the corps is long gone and must not be landed or drowned) and 0 answered.
int FleetCargoCorps(TFleetRec& f);

// A corps lost at sea: its brigades' men count as casualties of their nation and home state, its
// commander is killed, its brigades and its record are freed with `mark` (kCorpsDestroyed when
// sunk in a naval battle, kCorpsFreed when lost with its fleet's hold).
void DrownCorps(int corps, std::uint8_t mark);
// The corps aboard a fleet that is freed or sunk: on a land hex (a port, a river) it goes ashore
// with the given order mode, at sea it drowns. The fleet's cargo is cleared.
void ReleaseFleetCargo(int fleet, int orderModeAshore);

// Frees the fleet's record (the number stays for its label until the slot is taken again); a corps
// aboard first goes ashore or down with it.
void FreeFleet(int fleet);

}  // namespace kvt
