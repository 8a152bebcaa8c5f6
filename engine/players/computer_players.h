// The computer players' plans for every computer-played nation.
#pragma once

namespace kvt {

void RunComputerPlayers();

}  // namespace kvt
