// Speed of the 1861 start point with both sides played by the computer: the whole campaign played
// to its end, and the computer players' own pre-movement work (RunComputerPlayers) on the game as
// it stands at the start and after some turns of play, the record put back before each run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <memory>

#include "engine/players/computer_players.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/turn/engine_reset.h"
#include "engine/turn/game_load.h"
#include "engine/turn/headless_turns.h"
#include "engine/view/turn_menus.h"
#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "engine/world/text_table.h"

namespace {

namespace fs = std::filesystem;

struct Position {
    std::unique_ptr<kvt::TGameRec> record = std::make_unique<kvt::TGameRec>();
    std::unique_ptr<kvt::TMapGrid> map = std::make_unique<kvt::TMapGrid>();
    kvt::RandomState random{};
    bool ready = false;
};

// The folder the turns write their "Autosave" into: one in memory where the system has one, so
// that the disk's flushes are not timed.
fs::path AutosaveFolder() {
    const fs::path memory = "/dev/shm";
    const fs::path folder = (fs::is_directory(memory) ? memory : fs::temp_directory_path()) / "kvt_campaign_bench";
    fs::create_directories(folder);
    return folder;
}

// The 1861 game after `turns` headless turns, played once and kept.
const Position& GameAfter(int turns) {
    static std::map<int, Position> positions;
    Position& p = positions[turns];
    if (p.ready) return p;
    const std::string start = std::string(KVT_GAME_DIR) + "/1861.kvt";
    if (!fs::exists(start)) return p;
    kvt::TextTable.LoadFromFile(std::string(KVT_GAME_DIR) + "/KVT_ENG.TXT");
    const fs::path previous = fs::current_path();
    fs::current_path(AutosaveFolder());
    static kvt::AutomaticFrontend frontend;
    kvt::InstallFrontend(&frontend);
    kvt::ResetEngineGlobals();
    kvt::UseClockForRandomize(false);
    kvt::SetRandomSeed(1861);
    std::string error;
    if (kvt::ReadGameImages(start, *kvt::GameRec, *kvt::MapGrid, &error) && kvt::HandGameToComputer()) {
        kvt::BringGameIntoPlay(start);
        int played = 0;
        while (played < turns && kvt::PlayHeadlessTurn()) ++played;
        p.ready = played == turns;
        *p.record = *kvt::GameRec;
        *p.map = *kvt::MapGrid;
        p.random = kvt::GetRandomState();
    }
    fs::current_path(previous);
    return p;
}

void BM_ComputerPlayers1861(benchmark::State& state) {
    const Position& p = GameAfter(static_cast<int>(state.range(0)));
    if (!p.ready) return state.SkipWithError("1861.kvt has not been built or could not be played");
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(static_cast<void*>(kvt::GameRec), p.record.get(), sizeof(kvt::TGameRec));
        std::memcpy(static_cast<void*>(kvt::MapGrid), p.map.get(), sizeof(kvt::TMapGrid));
        kvt::SetRandomState(p.random);
        state.ResumeTiming();
        kvt::RunComputerPlayers();
    }
}
// Turns already played: the start, and a year and a half into the war.
BENCHMARK(BM_ComputerPlayers1861)
    ->Arg(0)
    ->Arg(30)
    ->Arg(54)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The whole campaign from the start point to its end, the same seed each time.
void BM_Campaign1861(benchmark::State& state) {
    const Position& p = GameAfter(0);
    if (!p.ready) return state.SkipWithError("1861.kvt has not been built or could not be played");
    const fs::path previous = fs::current_path();
    fs::current_path(AutosaveFolder());
    int turns = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(static_cast<void*>(kvt::GameRec), p.record.get(), sizeof(kvt::TGameRec));
        std::memcpy(static_cast<void*>(kvt::MapGrid), p.map.get(), sizeof(kvt::TMapGrid));
        kvt::SetRandomState(p.random);
        kvt::GameStatus = 0;
        kvt::SetMenuItem(kvt::MenuItem::Execute1, true);
        state.ResumeTiming();
        for (turns = 0; kvt::PlayHeadlessTurn(); ++turns) {
        }
        if (kvt::GameStatus == 0) state.SkipWithError("a turn did not run to its end");
    }
    state.counters["turns"] = turns;
    fs::current_path(previous);
}
BENCHMARK(BM_Campaign1861)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
