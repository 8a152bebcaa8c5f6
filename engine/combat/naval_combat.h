// Naval combat: every fleet of both sides at the arriving fleet's hex, and a fortified enemy port
// when the arriving fleet attacks it, fire at each other; hits damage and sink ships and batter the
// port; sunk fleets are freed and reported. Shown in the naval combat dialog through the Frontend.
// The playback variant shows an engagement again as the forces now stand and changes nothing.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace kvt {

// What the naval combat dialog shows. Sides are indexed 1 and 2; classes 0 ironclads, 1 wooden
// warships, 2 transports. An empty caption keeps the dialog's own default.
struct TFleetCombatView {
    std::string title;
    std::array<std::string, 3> sideCaption;  // the nation of the side's last fleet gathered
    std::array<std::string, 3> fleetList;    // "12, 10, "
    std::array<std::string, 3> portForces;   // "F-G" on the side holding the port
    std::array<std::array<int, 3>, 3> startShips{};
    std::array<std::array<int, 3>, 3> sunkShips{};
    std::array<int, 3> portHits{};            // fortification points the side's port lost
    // Set when a corps went down with its transports: the three lines under the table.
    bool corpsDrowned = false;
    std::string drownedLines[3];              // "Troops under the command of", "<leader>'s corps", "went down..."
};

void ResolveFleetCombat(int fleet);

// The fleets afloat on a mission of moving or beyond, in index order, and the fortified cities,
// held through a fleet pass: nothing in the pass launches a fleet, raises a mission or builds a
// fort, so engagements and interceptions look over these alone. `FleetsAtSea(side)`: those of a
// warring side by their owner's nation (0: all). Not held, it answers every fleet slot.
void HoldFleetsAtSea();
void ReleaseFleetsAtSea();
std::span<const std::uint8_t> FleetsAtSea(int side = 0);
void ReplayFleetCombat(int fleet);

}  // namespace kvt
