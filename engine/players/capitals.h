// A nation that has lost its capital city either moves its government to the best city it still
// holds or capitulates, handing its whole country to the other side and ending the campaign.
// Scores are in the rule's own points: 100 less the distance in hexes, plus value, forts and rail.
#pragma once

namespace kvt {

// The capital city of one of the nation's own states that its side still holds, other than the
// lost one, with the best score above 0 (the first on ties); for the Union city 3 whenever the
// Union holds it. 0 when there is none.
int ChooseNewCapital(int oldCapital, int nation);

// The government moves to city c: a notice, 100 will lost, and the neutral powers' attitudes move
// (away from a Union in flight, toward a Confederacy that holds on).
void MoveNationalCapital(int nation, int city);

// The loser's cities, states and brigades pass to the winner; its corps and fleets are freed, its
// armies dissolved; the game status becomes 3 (Union) or 2 (Confederacy); then the notice.
void NationCapitulates(int loser, int winner);

}  // namespace kvt
