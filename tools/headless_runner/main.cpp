// Plays a start point or saved game with the computer on both sides and nobody at the screen, to
// its end or for a number of turns (stopping early at the end), printing one line per turn: the
// turn, the date after it and the checksum of the game, with --report the state of the war
// (cities, hexes, supply), and last a summary line naming the winner. --check tests the campaign's
// invariants throughout and stops at the first one broken (exit status 3). Two runs with the same
// seed print the same lines.
//
//   kvt_headless_runner GAME.kvt end|TURNS [--seed N] [--check] [--report]
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "engine/core/headless_turns.h"
#include "engine/core/text_table.h"

int main(int argc, char** argv) {
    unsigned long long seed = 1;
    bool report = false, check = false, sound = argc >= 3;
    for (int i = 3; i < argc && sound; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seed" && i + 1 < argc) seed = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--report") report = true;
        else if (arg == "--check") check = true;
        else sound = false;
    }
    int turns = 0;
    if (sound) {
        const std::string count = argv[2];
        char* end = nullptr;
        turns = count == "end" ? kvt::kTurnsToTheEnd : static_cast<int>(std::strtol(count.c_str(), &end, 10));
        if (count != "end" && (count.empty() || *end != '\0' || turns < 0)) sound = false;
    }
    if (!sound) {
        std::cerr << "usage: " << argv[0] << " GAME.kvt end|TURNS [--seed N] [--check] [--report]\n";
        return 2;
    }
    // The texts lie beside the game; notices read them, the game's state never does.
    std::filesystem::path folder = std::filesystem::path(argv[1]).parent_path();
    if (folder.empty()) folder = ".";
    kvt::TextTable.LoadFromFile((folder / "KVT_ENG.TXT").string());
    std::string error;
    const int status = kvt::RunHeadlessGame(argv[1], turns, seed, std::cout, &error, report, check);
    if (!error.empty()) std::cerr << error << '\n';
    return status;
}
