// Whole-turn land movement for the movement tests and benchmark, on a start point.
#pragma once

namespace kvt::testing {

// Orders every corps in use to march on the nearest city the other side holds (alternately
// advancing and defending), so that a start point whose corps stand on their destinations moves.
void OrderEveryCorpsForward();

// The land movement of one turn as the turn cycle drives it: planning and spotting, then the
// movement ticks up to the end of the corps pass of step 9 (the fleet-only steps 10 to 19 and the
// post-movement phase are left out).
void RunLandMovementTurn();

}  // namespace kvt::testing
