// Speed of one whole headless turn of the 1861 start point: Execute, the pre-movement phase, every
// movement tick and the post-movement phase, with the computer on both sides.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/start_point_world.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/view/turn_menus.h"

namespace {

void BM_Headless1861Turn(benchmark::State& state) {
    namespace fs = std::filesystem;
    const std::string start = std::string(KVT_GAME_DIR) + "/1861.kvt";
    if (!fs::exists(start)) {
        state.SkipWithError("1861.kvt has not been built");
        return;
    }
    // The turn writes its "Autosave" into the current folder.
    const fs::path folder = fs::temp_directory_path() / "kvt_turn_bench";
    fs::create_directories(folder);
    const fs::path previous = fs::current_path();
    fs::current_path(folder);

    kvt::AutomaticFrontend frontend;
    kvt::InstallFrontend(&frontend);
    if (!kvt::bench::LoadHeadless1861()) {
        state.SkipWithError("1861.kvt cannot be played headless");
    } else {
        kvt::bench::TKeptWorld start;
        kvt::bench::KeepWorld(start);
        for (auto _ : state) {
            state.PauseTiming();
            kvt::bench::RestoreWorld(start);
            kvt::GameStatus = 0;
            kvt::SetMenuItem(kvt::MenuItem::Execute1, true);
            state.ResumeTiming();
            if (!kvt::PlayHeadlessTurn()) state.SkipWithError("the turn did not run to its end");
        }
    }
    kvt::InstallFrontend(nullptr);
    fs::current_path(previous);
}
BENCHMARK(BM_Headless1861Turn)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
