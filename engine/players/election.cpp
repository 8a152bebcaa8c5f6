// The 1864 election: the count, its result, and the wait on the person while it is shown.
#include "engine/players/election.h"

#include "engine/players/politics_words.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"

namespace kvt {

namespace {

bool HasFillPoint(int state) {
    for (const TElectionFillPoint& p : ElectionFillPoints())
        if (p.state == state) return true;
    return false;
}

bool Votes(const TStateRec& st, int s) { return st.Owner == kUnion && st.PoliticalValue > 0 && HasFillPoint(s); }

}  // namespace

const std::vector<TElectionFillPoint>& ElectionFillPoints() {
    static const std::vector<TElectionFillPoint> points = {
        {1, 76, 94},   {2, 57, 190},  {3, 340, 102}, {4, 357, 144}, {5, 390, 113},  {6, 400, 170},
        {7, 445, 120}, {8, 435, 170}, {9, 470, 167}, {10, 530, 140}, {11, 550, 116}, {12, 580, 100},
        {13, 566, 90}, {14, 595, 70}, {15, 580, 115}, {16, 586, 122}, {17, 577, 124}, {18, 560, 152},
        {19, 370, 200}, {20, 450, 200}, {32, 540, 162}, {33, 555, 169},
    };
    return points;
}

std::optional<TElectionStep> TElectionCount::Next() {
    if (finished_) return std::nullopt;
    TGameRec& g = *GameRec;
    for (; nextState_ <= kStateCount; ++nextState_) {
        const int s = nextState_;
        const TStateRec& st = g.States[s];
        if (!Votes(st, s)) continue;
        ++nextState_;
        int roll = Random(500);
        roll += Random(500);
        roll += Random(500);
        roll += Random(500);
        roll /= 2;
        TElectionStep step;
        step.state = s;
        step.firstCandidate = st.Loyalty + 1000 - g.Nations[kNationConfederacy].Will > roll;
        (step.firstCandidate ? first_ : second_) += st.PoliticalValue;
        step.firstTotal = first_;
        step.secondTotal = second_;
        return step;
    }
    ApplyResult();
    return std::nullopt;
}

void TElectionCount::RunThrough() {
    while (Next()) {
    }
}

void TElectionCount::ApplyResult() {
    finished_ = true;
    if (FirstCandidateWon()) return;
    TGameRec& g = *GameRec;
    for (TStateRec& st : g.States) {
        if (st.Owner != kUnion) continue;
        AddClamped(st.Loyalty, 10, 100);
        AddClamped(st.EventCooldown, 100);
    }
    AddClamped(g.Nations[kNationConfederacy].Will, second_);
    AddClamped(g.Nations[kNationUnion].Will, -second_);
    // An attitude left at 0 brings the power in with its announcement at the next month's turn.
    for (int power : {kNationFrance, kNationBritain}) {
        TNationRec& p = g.Nations[power];
        if (p.Attitude > 0 && p.Side != kConfederacy) p.Attitude = static_cast<std::int16_t>(p.Attitude > 25 ? p.Attitude - 25 : 0);
    }
    g.EndMonth = 1;
    g.EndYear = 1865;
}

void ShowElection() {
    if (GameStatus != 0) return;
    TElectionCount count;
    CurrentFrontend().ShowElection(count);
    count.RunThrough();
}

}  // namespace kvt
