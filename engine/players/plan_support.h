// What the fixed plans of both sides share: their slots, the watched states and cities, and the
// plain orders they give. Plans read and write the record only.
#pragma once

#include "engine/world/game_record.h"
#include "engine/world/globals.h"

namespace kvt::plans {

inline TGameRec& G() { return *GameRec; }
inline TPlanRec& Slot(int plan) { return G().Plans[plan]; }
inline TStateRec& State(int s) { return G().States[s]; }
inline TCityRec& City(int c) { return G().Cities[c]; }

// City alarm raised by a plan: the city calls for a garrison.
constexpr U8 kCityAlarm = 1;
inline void Alarm(int c) { City(c).Status = kCityAlarm; }
inline bool Garrisoned(int c) { return City(c).Garrison != 0; }

// A corps a plan may count or order: in use and in good order.
inline bool Ready(const TCorpsRec& k) { return CorpsInUse(k) && k.Disruption == 0; }

inline void AimAt(TCorpsRec& k, int c) {
    k.DestX = City(c).HexX;
    k.DestY = City(c).HexY;
}

inline void Order(TCorpsRec& k, int c, int mode, int march) {
    AimAt(k, c);
    k.OrderMode = static_cast<U8>(mode);
    k.March = static_cast<U8>(march);
}

// An army in use of the nation.
inline bool ArmyOf(const TArmyRec& a, int nation) { return ArmyInUse(a) && a.Nation == nation; }

inline void SetTargets(TArmyRec& a, int stance, int objective, int second) {
    a.Stance = static_cast<U8>(stance);
    a.Objective = static_cast<U8>(objective);
    a.SupplyBase = static_cast<U8>(second);
}

}  // namespace kvt::plans
