// What the headless runner's --report adds to each turn's line: readable columns about the state of
// the war, one group per area, each built by its own function. Reads the game; never changes it.
#pragma once

#include <array>
#include <string>

#include "engine/world/game_record.h"

namespace kvt {

// Territory and supply of the game in play. Index 0 of the side arrays counts what no side holds;
// supply types are 0 depot, 1 encamped, 2 foraging; pools[n][t] is nation n's (Union 1, Confederacy 2)
// supply pool of theatre t.
struct TTerritoryFigures {
    std::array<int, 3> cities{};
    std::array<int, 3> hexes{};  // hexes of a state, by the side controlling them
    std::array<int, 3> corpsBySupply{};
    std::array<std::array<int, kTheatreCount + 1>, 3> pools{};
};
TTerritoryFigures CountTerritory();

// "cities U 41 C 37 - 8  hexes U 1720 C 1380 - 510  corps depot 30 camp 2 forage 9
//  pools U 3000/2000/1500 C 1200/900/800"
std::string TerritoryReportColumns();

// Every area's columns, in the order the runner prints them.
std::string TurnReportColumns();

}  // namespace kvt
