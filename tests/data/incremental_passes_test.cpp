// The passes that recount only what changed since their last run (hex control, spotting, army
// headquarters, the force tallies and recount, the upkeep, the command clean-up, the brigades each
// corps holds, conquests and city unrest, the corps pass's held brigade lists and corps hexes, the
// fleet pass's held fleets at sea and the interception checks it leaves out, the armies'
// operations, the corps outside armies, the recount closing the battles) or pass by searches that
// cannot succeed (supply sources) against the whole-map rescans they replace: seeded campaigns of
// every start point are played step by step, and after the pre-movement phase and every movement
// tick both are run from the same world and must leave the same record, map and random draws.
#include "tests/data/incremental_passes.h"

namespace kvt {
namespace {

TEST_F(IncrementalPasses, EveryStepOfSeededCampaignsLeavesWhatTheFullRescansLeave) {
    struct Case {
        const char* year;
        std::uint64_t seed;
        int turns;
    };
    const Case cases[] = {{"1861", 1, kTurnsPlayed}, {"1861", 7, kTurnsPlayed}, {"1862", 3, kTurnsPlayed},
                          {"1863", 5, kTurnsPlayed}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.year) + " seed " + std::to_string(c.seed));
        EXPECT_GT(PlayComparing(c.year, c.seed, c.turns), 100 * c.turns) << "the turns were not played";
    }
    EXPECT_GT(battlesCompared, 0) << "no battle was closed both ways";
}

}  // namespace
}  // namespace kvt
