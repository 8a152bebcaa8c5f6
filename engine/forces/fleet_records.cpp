// Fleet record services shared by naval combat, the naval turn, transport, unloading and merging.
#include "engine/forces/fleet_records.h"

#include <algorithm>
#include <limits>

#include "engine/forces/brigade_rules.h"
#include "engine/forces/corps_records.h"
#include "engine/world/corps_codes.h"
#include "engine/world/globals.h"
#include "engine/world/turn_checkpoints.h"

namespace kvt {

int FleetSpeed(const TFleetRec& f) {
    int speed = 20;
    if (f.Ironclads != 0) speed = 12;
    if (f.Wooden != 0) speed = 18;
    if (FleetDamagedCount(f) != 0) speed -= 5;
    return speed;
}

int FleetShipWeight(const TFleetRec& f) {
    return (f.Ironclads + f.DamagedIronclads) * 2 + f.Wooden + f.DamagedWooden + f.Transports + f.DamagedTransports;
}

int FleetTripExtra(const TFleetRec& f, int d, int w) {
    const int estimate = f.StepsAllowed < 11 ? d * w / 10 : d * w / f.StepsAllowed;
    return std::max(0, estimate - static_cast<int>(f.Supplies));
}

int FleetShipCount(const TFleetRec& f) {
    return f.Ironclads + f.Wooden + f.Transports + FleetDamagedCount(f);
}

int FleetDamagedCount(const TFleetRec& f) { return f.DamagedIronclads + f.DamagedWooden + f.DamagedTransports; }

bool FleetOnHex(const TFleetRec& f, int x, int y) { return f.HexX == x && f.HexY == y; }

bool FleetOnCity(const TFleetRec& f, int c) {
    if (!Arr1<TCityRec, kCityCount>::InRange(c)) return false;
    const TCityRec& city = GameRec->Cities[c];
    return FleetOnHex(f, city.HexX, city.HexY);
}

bool FleetAtDestination(const TFleetRec& f) { return FleetOnHex(f, f.DestX, f.DestY); }

int FleetCargoCorps(TFleetRec& f) {
    const int c = f.Cargo;
    if (c == 0) return 0;
    if (!Arr1<TCorpsRec, kCorpsCount>::InRange(c) || !CorpsInUse(GameRec->Corps[c])) {
        f.Cargo = 0;
        return 0;
    }
    return c;
}

void DrownCorps(int c, std::uint8_t mark) {
    if (!Arr1<TCorpsRec, kCorpsCount>::InRange(c)) return;
    PassTurnCheckpoint(TurnCheckpoint::CorpsLostAtSea, c);
    TGameRec& g = *GameRec;
    TCorpsRec& k = g.Corps[c];
    // The commander is read before the record is cleared, or the wrong man would be struck off.
    if (k.Leader != 0) g.Leaders[k.Leader].Status = kLeaderKilled;
    ForEachAttachedBrigade(c, [&g](TBrigadeRec& b) {
        if (b.Nation != 0 && Arr1<U32, kNationCount>::InRange(b.Nation)) {
            const std::uint64_t sum = static_cast<std::uint64_t>(g.Casualties[b.Nation]) + b.Strength;
            g.Casualties[b.Nation] = static_cast<std::uint32_t>(std::min<std::uint64_t>(sum, std::numeric_limits<std::uint32_t>::max()));
            if (b.HomeState != 0) {
                U16& state = g.States[b.HomeState].StateCasualties;
                state = static_cast<std::uint16_t>(std::min(65535, state + b.Strength));
            }
        }
    });
    ClearAttachedBrigades(c);
    // Cleared whole: an embarked order or a supply city left on the slot would pass to the next
    // corps raised in it.
    FreeCorpsRecord(c, mark);
}

void ReleaseFleetCargo(int fleet, int orderModeAshore) {
    TFleetRec& f = GameRec->Fleets[fleet];
    const int c = FleetCargoCorps(f);
    f.Cargo = 0;
    if (c == 0 || GameRec->Corps[c].OrderMode != kOrderEmbarked) return;
    if (MapGrid->Cell(f.HexX, f.HexY).Terrain() == kTerrainWater) {
        DrownCorps(c, kCorpsFreed);
        return;
    }
    TCorpsRec& k = GameRec->Corps[c];
    k.HexX = f.HexX;
    k.HexY = f.HexY;
    k.OrderMode = static_cast<U8>(orderModeAshore);
}

void FreeFleet(int fleet) {
    if (!Arr1<TFleetRec, kFleetCount>::InRange(fleet)) return;
    // Left aboard, the corps would stay embarked on no fleet and be lost at sea even in port.
    ReleaseFleetCargo(fleet, kOrderDefend);
    TFleetRec& f = GameRec->Fleets[fleet];
    const U8 number = f.FleetNumber;
    TFleetRec cleared{};
    cleared.FleetNumber = number;
    cleared.BuildCounter = kFleetGone;
    // The route planned and the steps sailed stay with the slot; the steps sailed feed the playback.
    cleared.PlannedStep = f.PlannedStep;
    cleared.StepDone = f.StepDone;
    cleared.StartX = f.StartX;
    cleared.StartY = f.StartY;
    f = cleared;
}

}  // namespace kvt
