// Plays N turns of a start point or saved game with the computer on both sides and nobody at the
// screen, printing one line per turn: the turn, the date after it and the checksum of the game.
// Two runs with the same seed print the same lines.
//
//   kvt_headless_runner GAME.kvt TURNS [--seed N]
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "engine/core/headless_turns.h"
#include "engine/core/text_table.h"

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 5 && std::string(argv[3]) == "--seed")) {
        std::cerr << "usage: " << argv[0] << " GAME.kvt TURNS [--seed N]\n";
        return 2;
    }
    const int turns = std::atoi(argv[2]);
    const unsigned long long seed = argc == 5 ? std::strtoull(argv[4], nullptr, 10) : 1;
    // The texts lie beside the game; notices read them, the game's state never does.
    std::filesystem::path folder = std::filesystem::path(argv[1]).parent_path();
    if (folder.empty()) folder = ".";
    kvt::TextTable.LoadFromFile((folder / "KVT_ENG.TXT").string());
    std::string error;
    const int status = kvt::RunHeadlessGame(argv[1], turns, seed, std::cout, &error);
    if (!error.empty()) std::cerr << error << '\n';
    return status;
}
