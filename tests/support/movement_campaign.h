// A synthetic campaign for whole-turn movement tests and benchmarks (used until, and beside, the
// real start points): a varied map, two sides' cities, armies, corps and brigades.
#pragma once

#include <cstdint>

namespace kvt::testing {

// Fills the game record and map with a campaign drawn from the seed; both sides computer-played.
void BuildSyntheticCampaign(std::uint64_t seed);

// Orders every corps in use to march on the nearest city the other side holds (alternately
// advancing and defending), so that a start point whose corps stand on their destinations moves.
void OrderEveryCorpsForward();

// The land movement of one turn as the turn cycle drives it: planning, spotting, then nine steps
// of headquarters moves, a corps pass and spotting (fleets and hex control are other areas').
void RunLandMovementTurn();

}  // namespace kvt::testing
