// The computer players: once per turn, before movement, derived totals are brought up to date and
// each computer-played nation shares out its theatre supply pools.
#pragma once

namespace kvt {

// SidePlayed holds the nation in hand while it runs and is given back afterwards.
void RunComputerPlayers();

}  // namespace kvt
