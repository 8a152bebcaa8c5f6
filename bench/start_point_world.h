// The benchmarks' worlds: the 1861 start point of the game folder (built with the game data) with
// both sides played by the computer, and a copy of a record and map to put back before each run,
// since most rules change the world they read. Header only: every .cpp here is its own program.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/turn/automatic_frontend.h"
#include "engine/turn/engine_reset.h"
#include "engine/turn/game_load.h"
#include "engine/turn/headless_turns.h"
#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "engine/world/text_table.h"
#include "tests/support/engine_fixture.h"

namespace kvt::bench {

// A record and map kept to start every run from.
struct TKeptWorld {
    std::unique_ptr<TGameRec> record = std::make_unique<TGameRec>();
    std::unique_ptr<TMapGrid> map = std::make_unique<TMapGrid>();
    bool loaded = false;
};

// Keeps the game in play.
inline void KeepWorld(TKeptWorld& w) {
    std::memcpy(static_cast<void*>(w.record.get()), GameRec, sizeof(TGameRec));
    std::memcpy(static_cast<void*>(w.map.get()), MapGrid, sizeof(TMapGrid));
}

// Puts the kept world back in play.
inline void RestoreWorld(const TKeptWorld& w) {
    std::memcpy(static_cast<void*>(GameRec), w.record.get(), sizeof(TGameRec));
    std::memcpy(static_cast<void*>(MapGrid), w.map.get(), sizeof(TMapGrid));
}

// The 1861 start point as the game's loader brings it into play with the generator seeded 1861
// and nobody at the screen, then handed to the computer on both sides; loaded once a program.
inline const TKeptWorld& Computer1861World() {
    static TKeptWorld world = [] {
        TKeptWorld w;
        static AutomaticFrontend frontend;
        InstallFrontend(&frontend);
        ResetEngineGlobals();
        UseClockForRandomize(false);
        SetRandomSeed(1861);
        w.loaded = testing::LoadStartPoint("1861");
        for (TNationRec& n : GameRec->Nations) n.Human = 0;
        KeepWorld(w);
        return w;
    }();
    return world;
}

// Reads the 1861 start point, hands it to the computer on both sides before it comes into play
// (as the headless runner does) with the generator seeded `seed`, and loads the game's texts. False,
// with nothing brought into play, when the start point has not been built.
inline bool LoadHeadless1861(std::uint64_t seed = 1861) {
    const std::string start = std::string(KVT_GAME_DIR) + "/1861.kvt";
    if (!std::filesystem::exists(start)) return false;
    TextTable.LoadFromFile(std::string(KVT_GAME_DIR) + "/KVT_ENG.TXT");
    ResetEngineGlobals();
    UseClockForRandomize(false);
    SetRandomSeed(seed);
    if (!ReadGameImages(start, *GameRec, *MapGrid, nullptr) || !HandGameToComputer()) return false;
    BringGameIntoPlay(start);
    return true;
}

}  // namespace kvt::bench
