// Plays a start point or saved game with the computer on both sides and nobody at the screen, to
// its end or for a number of turns (stopping early at the end), printing one line per turn: the
// turn, the date after it and the checksum of the game, with --report the state of the war
// (cities, hexes, supply), and last a summary line naming the winner. --check tests the campaign's
// invariants throughout and stops at the first one broken (exit status 3). A turn whose Autosave
// cannot be written in the current folder ends the run (exit status 4). Two runs with the same
// seed print the same lines.
//
//   kvt_headless_runner GAME.kvt end|TURNS [--seed N] [--check] [--report]
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "engine/turn/automatic_frontend.h"
#include "engine/turn/headless_turns.h"
#include "engine/world/text_table.h"

namespace {

// The whole text as a number of the type: no sign, blank or other character, and not past its
// range, where a plain conversion would wrap it round or stop at the first stray letter.
template <class Number>
bool ReadWholeNumber(const std::string& text, Number& value) {
    if (text.empty() || text[0] == '-') return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
    kvt::InstallAutomaticFrontendAsDefault();
    std::uint64_t seed = 1;
    bool report = false, check = false, sound = argc >= 3;
    for (int i = 3; i < argc && sound; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seed" && i + 1 < argc) sound = ReadWholeNumber(argv[++i], seed);
        else if (arg == "--report") report = true;
        else if (arg == "--check") check = true;
        else sound = false;
    }
    int turns = kvt::kTurnsToTheEnd;
    if (sound && std::string(argv[2]) != "end") sound = ReadWholeNumber(argv[2], turns);
    if (!sound) {
        std::cerr << "usage: " << argv[0] << " GAME.kvt end|TURNS [--seed N] [--check] [--report]\n";
        return 2;
    }
    // The texts lie beside the game; notices read them, the game's state never does.
    std::filesystem::path folder = std::filesystem::path(argv[1]).parent_path();
    if (folder.empty()) folder = ".";
    std::string error;
    // Without its texts a run still plays the same game, so a wrong file is named and passed over.
    if (!kvt::TextTable.LoadFromFile((folder / "KVT_ENG.TXT").string(), &error)) std::cerr << error << '\n';
    error.clear();
    const int status = kvt::RunHeadlessGame(argv[1], turns, seed, std::cout, &error, report, check);
    if (!error.empty()) std::cerr << error << '\n';
    return status;
}
