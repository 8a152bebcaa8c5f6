// The 1864 election: how a state votes, what a win of the second candidate changes, and that the
// count runs once, whatever the frontend left of it.
#include <gtest/gtest.h>

#include "engine/players/election.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/turn/turn_end.h"
#include "engine/world/globals.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

class Election : public testing::TurnTest {
protected:
    // 1 November 1864; states 1 and 3 vote; 21-31 and 34-37 are the Union's too but have no place on
    // the map.
    void SetUp() override {
        TurnTest::SetUp();
        TGameRec& g = *GameRec;
        g.Month = 11;
        g.Year = 1864;
        for (int s : {1, 3}) Votes(s, 60, 10, kUnion);
        for (int s = 21; s <= 37; ++s)
            if (s != 32 && s != 33) Votes(s, 60, 10, kUnion);
    }
    static void Votes(int state, int loyalty, int value, int owner = kUnion) {
        TStateRec& st = GameRec->States[state];
        st.Loyalty = static_cast<U8>(loyalty);
        st.PoliticalValue = static_cast<U8>(value);
        st.Owner = static_cast<U8>(owner);
    }
};

// Counts one state and leaves the rest to the engine.
class OneStateShown : public AutomaticFrontend {
public:
    void ShowElection(TElectionCount& count) override { steps.push_back(*count.Next()); }
    std::vector<TElectionStep> steps;
};

TEST_F(Election, AStateVotesForTheFirstCandidateWhileLoyaltyAndWillBeatTheRoll) {
    struct Case { int loyalty, will; std::vector<int> draws; bool first; };
    const Case cases[] = {
        {100, 0, {499, 499, 499, 499}, true},  // 1100 beats the highest roll, 998
        {60, 1000, {29, 30, 30, 30}, true},    // roll 59 < 60
        {60, 1000, {30, 30, 30, 30}, false},   // roll 60
    };
    for (const Case& c : cases) {
        Votes(1, c.loyalty, 10);
        Votes(3, 50, 0);
        GameRec->Nations[kNationConfederacy].Will = static_cast<std::int16_t>(c.will);
        TElectionCount count;
        std::optional<TElectionStep> step;
        EXPECT_EQ(testing::DrawRanges(c.draws, [&] { step = count.Next(); }), std::vector<int>(4, 500));
        ASSERT_TRUE(step);
        EXPECT_EQ(step->state, 1);
        EXPECT_EQ(step->firstCandidate, c.first) << c.loyalty << " " << c.will;
        EXPECT_EQ(c.first ? step->firstTotal : step->secondTotal, 10);
        EXPECT_FALSE(count.Next()) << "states 21-31 and 34-37 never vote";
    }
}

TEST_F(Election, ASecondCandidatesWinMovesWillAttitudesAndTheEndDate) {
    struct Case { int firstValue, france; bool secondWins; };
    const Case cases[] = {{10, 60, false}, {9, 60, true}, {9, 10, true}};  // a tie is the first's
    for (const Case& c : cases) {
        SetUp();
        TGameRec& g = *GameRec;
        Votes(1, 95, c.firstValue);
        g.States[1].EventCooldown = 65500;
        g.Nations[kNationFrance].Attitude = static_cast<std::int16_t>(c.france);
        g.Nations[kNationBritain].Side = kConfederacy;  // at war: its attitude no longer moves
        TElectionCount count;
        // State 1 rolls 0 (first candidate), state 3 rolls 998 (second).
        testing::DrawRanges({0, 0, 0, 0, 499, 499, 499, 499}, [&] { count.RunThrough(); });
        EXPECT_EQ(count.FirstCandidateWon(), !c.secondWins) << c.firstValue << " " << c.france;
        EXPECT_EQ(g.Nations[kNationConfederacy].Will, c.secondWins ? 510 : 500);
        EXPECT_EQ(g.Nations[kNationUnion].Will, c.secondWins ? 490 : 500);
        EXPECT_EQ(g.States[1].Loyalty, c.secondWins ? 100 : 95) << "loyalty stops at 100";
        EXPECT_EQ(g.States[2].Loyalty, 60) << "a Confederate state";
        EXPECT_EQ(g.States[1].EventCooldown, c.secondWins ? 65535 : 65500);
        EXPECT_EQ(g.Nations[kNationFrance].Attitude, c.secondWins ? std::max(c.france - 25, 0) : c.france);
        EXPECT_EQ(g.Nations[kNationBritain].Attitude, 60);
        g.Month = 12;
        EXPECT_FALSE(CampaignEndReached());
        g.Month = 1;
        g.Year = 1865;
        EXPECT_EQ(CampaignEndReached(), c.secondWins) << "the campaign ends on the January 1865 turn";
    }
}

TEST_F(Election, EachElectionCountsEveryStateOnceWhateverTheFrontendLeft) {
    GameRec->Nations[kNationConfederacy].Will = 2000;  // every state to the second candidate
    OneStateShown fe;
    InstallFrontend(&fe);
    EXPECT_EQ(testing::DrawRanges({}, [] { ShowElection(); }).size(), 8u);
    ASSERT_EQ(fe.steps.size(), 1u);
    EXPECT_EQ(GameRec->Nations[kNationUnion].Will, 480) << "the result applied once";
    GameStatus = 2;
    EXPECT_TRUE(testing::DrawRanges({}, [] { ShowElection(); }).empty()) << "the war is over";
    EXPECT_EQ(fe.steps.size(), 1u);
    InstallFrontend(nullptr);
}

TEST_F(Election, ACapitulationOnTheElectionTurnHoldsNoElection) {
    GameRec->Cities[2].Owner = kUnion;  // Richmond falls, with nowhere to go
    testing::ScriptedFrontend fe;
    fe.ExpectNotice(0);
    fe.ExpectPostMortem(PostMortemChoice::EndGame);
    PostMovementPhase();
    EXPECT_EQ(GameStatus, 2) << "the game ends with the capitulation's status";
}

}  // namespace
}  // namespace kvt
