// Plays N turns of a start point or saved game with the computer on both sides and nobody at the
// screen, printing one line per turn: the turn, the date after it and the checksum of the game, and
// with --report the state of the war (cities, hexes, supply). Two runs with the same seed print the
// same lines.
//
//   kvt_headless_runner GAME.kvt TURNS [--seed N] [--report]
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "engine/core/headless_turns.h"
#include "engine/core/text_table.h"

int main(int argc, char** argv) {
    unsigned long long seed = 1;
    bool report = false, sound = argc >= 3;
    for (int i = 3; i < argc && sound; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seed" && i + 1 < argc) seed = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--report") report = true;
        else sound = false;
    }
    if (!sound) {
        std::cerr << "usage: " << argv[0] << " GAME.kvt TURNS [--seed N] [--report]\n";
        return 2;
    }
    const int turns = std::atoi(argv[2]);
    // The texts lie beside the game; notices read them, the game's state never does.
    std::filesystem::path folder = std::filesystem::path(argv[1]).parent_path();
    if (folder.empty()) folder = ".";
    kvt::TextTable.LoadFromFile((folder / "KVT_ENG.TXT").string());
    std::string error;
    const int status = kvt::RunHeadlessGame(argv[1], turns, seed, std::cout, &error, report);
    if (!error.empty()) std::cerr << error << '\n';
    return status;
}
