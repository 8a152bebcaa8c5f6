// The 1864 election, held in the post-movement phase of the first turn of November 1864. The Union
// states vote one by one on the electoral map: the first candidate (the Administration) wins a state
// while its loyalty plus 1000 less the Confederate will beats a roll of 0..998. A win of the second
// candidate costs the Union will, brings the powers nearer to war and ends the campaign in January 1865.
#pragma once

#include <optional>
#include <vector>

namespace kvt {

// Where the electoral map picture (640 x 400) shows a voting state: the point its region is filled
// from. States without one never vote.
struct TElectionFillPoint {
    int state;
    int x, y;
};
const std::vector<TElectionFillPoint>& ElectionFillPoints();

// One state counted: who carried it and the running totals of votes.
struct TElectionStep {
    int state = 0;
    bool firstCandidate = true;
    int firstTotal = 0;
    int secondTotal = 0;
};

// The count, state by state. The frontend steps it (the dialog with a pause between states);
// whatever it leaves uncounted is counted by ShowElection. The result is applied once, when the
// last state has been counted.
class TElectionCount {
public:
    // Counts the next voting state (four draws of 500); none once every state is counted.
    std::optional<TElectionStep> Next();
    // Counts every state left.
    void RunThrough();
    bool Finished() const { return finished_; }
    int FirstTotal() const { return first_; }
    int SecondTotal() const { return second_; }
    // The first candidate wins ties.
    bool FirstCandidateWon() const { return first_ >= second_; }

private:
    void ApplyResult();
    int nextState_ = 1;
    int first_ = 0;
    int second_ = 0;
    bool finished_ = false;
};

// Holds the election through the frontend and finishes the count it left; nothing once the game
// has ended (a capitulation in the same turn).
void ShowElection();

}  // namespace kvt
