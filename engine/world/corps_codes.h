// The codes a corps record carries: its orders, what it does this turn, its route's markers and
// the marks of a freed slot.
#pragma once

#include <cstdint>

namespace kvt {

// Corps OrderMode values.
enum : std::uint8_t {
    kOrderWithdraw = 0, kOrderDefend = 1, kOrderAdvance = 2, kOrderPlan = 3, kOrderEmbarked = 4, kOrderRail = 5
};
// Corps Activity values: what the corps does this turn.
enum : std::uint8_t {
    kActivityMarch = 0, kActivityDisrupted = 1, kActivityResting = 2, kActivityRailed = 3,
    kActivityRailMoving = 4, kActivityDugIn = 5, kActivityTraining = 6, kActivityEmbarked = 7,
    kActivityFought = 8, kActivityStepping = 9
};
// Route entries are directions 1..6; 7 lets the corps choose its step itself.
constexpr std::uint8_t kRouteChooseStep = 7;
constexpr int kRouteLength = 9;
// RouteIndex of a corps with no step left this turn (after a rail move).
constexpr std::uint8_t kRouteFinished = 10;
// Corps Unused values: a freed slot and a corps destroyed (surrendered, lost at sea).
constexpr std::uint8_t kCorpsFreed = 1;
constexpr std::uint8_t kCorpsDestroyed = 255;

}  // namespace kvt
