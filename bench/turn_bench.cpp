// Speed of one whole headless turn of the 1861 start point: Execute, the pre-movement phase, every
// movement tick and the post-movement phase, with the computer on both sides.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "engine/core/frontend.h"
#include "engine/core/game_files.h"
#include "engine/core/globals.h"
#include "engine/core/headless_turns.h"
#include "engine/core/random.h"
#include "engine/core/text_table.h"
#include "engine/core/turn_menus.h"

namespace {

void BM_Headless1861Turn(benchmark::State& state) {
    namespace fs = std::filesystem;
    const std::string start = std::string(KVT_GAME_DIR) + "/1861.kvt";
    if (!fs::exists(start)) {
        state.SkipWithError("1861.kvt has not been built");
        return;
    }
    kvt::TextTable.LoadFromFile(std::string(KVT_GAME_DIR) + "/KVT_ENG.TXT");
    // The turn writes its "Autosave" into the current folder.
    const fs::path folder = fs::temp_directory_path() / "kvt_turn_bench";
    fs::create_directories(folder);
    const fs::path previous = fs::current_path();
    fs::current_path(folder);

    kvt::AutomaticFrontend frontend;
    kvt::InstallFrontend(&frontend);
    kvt::ResetEngineGlobals();
    kvt::UseClockForRandomize(false);
    kvt::SetRandomSeed(1861);
    std::string error;
    if (!kvt::ReadGameImages(start, *kvt::GameRec, *kvt::MapGrid, &error) || !kvt::HandGameToComputer()) {
        state.SkipWithError("1861.kvt cannot be played headless");
    } else {
        kvt::BringGameIntoPlay(start);
        auto rec = std::make_unique<kvt::TGameRec>(*kvt::GameRec);
        auto map = std::make_unique<kvt::TMapGrid>(*kvt::MapGrid);
        for (auto _ : state) {
            state.PauseTiming();
            std::memcpy(static_cast<void*>(kvt::GameRec), rec.get(), sizeof(kvt::TGameRec));
            std::memcpy(static_cast<void*>(kvt::MapGrid), map.get(), sizeof(kvt::TMapGrid));
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

BENCHMARK_MAIN();
