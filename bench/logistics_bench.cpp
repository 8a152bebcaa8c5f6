// Speed of the logistics rules on the 1861 start point as a load brings it into play, with the
// computer on both sides.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "engine/core/frontend.h"
#include "engine/core/game_files.h"
#include "engine/core/globals.h"
#include "engine/core/headless_turns.h"
#include "engine/core/random.h"
#include "engine/logistics/force_recount.h"

namespace {

// Loads the 1861 start point into the engine; false (with the state marked skipped) when it is missing.
bool Load1861(benchmark::State& state, kvt::AutomaticFrontend& frontend) {
    const std::string start = std::string(KVT_GAME_DIR) + "/1861.kvt";
    if (!std::filesystem::exists(start)) {
        state.SkipWithError("1861.kvt has not been built");
        return false;
    }
    kvt::InstallFrontend(&frontend);
    kvt::ResetEngineGlobals();
    kvt::UseClockForRandomize(false);
    kvt::SetRandomSeed(1861);
    std::string error;
    if (!kvt::ReadGameImages(start, *kvt::GameRec, *kvt::MapGrid, &error) || !kvt::HandGameToComputer()) {
        state.SkipWithError("1861.kvt cannot be loaded");
        return false;
    }
    kvt::BringGameIntoPlay(start);
    return true;
}

// The recount changes nothing on a record it has just counted, so every pass does the same work.
void BM_RecountForces1861(benchmark::State& state) {
    kvt::AutomaticFrontend frontend;
    if (Load1861(state, frontend))
        for (auto _ : state) kvt::RecountForces();
    kvt::InstallFrontend(nullptr);
}
BENCHMARK(BM_RecountForces1861)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
