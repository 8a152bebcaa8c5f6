// The computer-player driver: the derived totals every plan reads, then the nations one by one.
#include "engine/players/computer_players.h"

#include <cstdint>

#include "engine/core/globals.h"
#include "engine/logistics/city_unrest.h"
#include "engine/logistics/force_recount.h"
#include "engine/logistics/supply_sources.h"

namespace kvt {

void RunComputerPlayers() {
    TGameRec& g = *GameRec;
    RecountForces();
    UpdateSupplySources();
    UpdateCorpsCondition();
    const std::uint16_t played = SidePlayed;
    for (int n = 1; n <= kNationCount; ++n) {
        // The plans read the nation in hand from here.
        SidePlayed = static_cast<std::uint16_t>(n);
        if (g.Nations[n].Human == 0) {
            // The leader reshuffle comes first here once the computer plans exist.
            AllocateTheatreSupplies(n);
        }
        // Still to come, for every nation: the city scores; for a person's nation the return of
        // disordered corps to supply; for a computer nation its plan driver.
    }
    SidePlayed = played;
}

}  // namespace kvt
