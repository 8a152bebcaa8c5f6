// Whole headless turns: the runner's output is the same for the same game and seed.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <sstream>

#include "engine/forces/corps_records.h"
#include "engine/turn/headless_turns.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

class HeadlessTurns : public testing::TurnTest {};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

TEST_F(HeadlessTurns, TwentyTurnsTwiceWithOneSeedPrintTheSameLines) {
    testing::BuildSyntheticGame(true, true);
    GameRec->Leaders[3].Status = kLeaderToBeRemoved;  // removed with a random roll in the first turn
    ASSERT_TRUE(SaveGameFiles(Path("start")));
    std::string runs[2];
    for (std::string& run : runs) {
        std::ostringstream out;
        std::string error;
        EXPECT_EQ(RunHeadlessGame(Path("start.KVT"), 20, 77, out, &error), 0) << error;
        run = out.str();
        EXPECT_EQ(CheckedAccessFaults(), 0u);
    }
    EXPECT_EQ(runs[0], runs[1]);
    const auto lines = Lines(runs[0]);
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[20].substr(0, 8), "winner: ") << "the run ends with its summary";
    EXPECT_EQ(lines[0].substr(0, 14), "1 Apr 11 1861 ");
    EXPECT_EQ(lines[19].substr(0, 15), "20 Oct 21 1861 ");
    EXPECT_NE(lines[0], lines[1]);

    // The report follows each turn's checksum with the war's state, one readable group an area.
    std::ostringstream reported;
    ASSERT_EQ(RunHeadlessGame(Path("start.KVT"), 1, 77, reported, nullptr, true), 0);
    const std::string line = Lines(reported.str()).at(0);
    EXPECT_EQ(line.substr(0, lines[0].size() + 21), lines[0] + "  cities U 3 C 3 - 0 ") << line;
    for (const char* column : {"  hexes U ", "  corps depot ", " forage ", "  pools U "})
        EXPECT_NE(line.find(column), std::string::npos) << column << " in " << line;
}

TEST_F(HeadlessTurns, TheRunnerStopsWhenTheGameEndsAndRefusesMailGames) {
    testing::BuildSyntheticGame(false, false);
    GameRec->EndMonth = 5;
    GameRec->EndYear = 1861;
    ASSERT_TRUE(SaveGameFiles(Path("short")));
    std::ostringstream out;
    EXPECT_EQ(RunHeadlessGame(Path("short.KVT"), 20, 1, out, nullptr), 0);
    const auto lines = Lines(out.str());
    ASSERT_EQ(lines.size(), 5u) << out.str();
    EXPECT_EQ(lines[2].substr(0, 12), "3 May 1 1861");
    EXPECT_EQ(lines[3], "game over, status 1");
    EXPECT_EQ(lines[4].find("by territory  May 1 1861  cities U 3 C 3  casualties U "), 14u) << lines[4];

    GameRec->GameKind = 3;
    ASSERT_TRUE(SaveGameFiles(Path("mail")));
    std::string error;
    EXPECT_NE(RunHeadlessGame(Path("mail.KVT"), 1, 1, out, &error), 0);
    EXPECT_NE(error.find("mail game"), std::string::npos) << error;
    EXPECT_NE(RunHeadlessGame(Path("missing.KVT"), 1, 1, out, &error), 0);
    EXPECT_FALSE(error.empty());
}

TEST_F(HeadlessTurns, ACapitulationEndsTheRunWithItsStatus) {
    testing::BuildSyntheticGame(false, false);
    GameRec->Cities[2].Owner = kUnion;  // Richmond taken, and no other capital to move to
    // No Confederate corps is left to march back into it before the political phase.
    for (int k = 1; k <= kCorpsCount; ++k)
        if (CorpsInUse(GameRec->Corps[k]) && GameRec->Corps[k].Nation == kNationConfederacy) DisbandCorps(k);
    ASSERT_TRUE(SaveGameFiles(Path("fall")));
    std::ostringstream out;
    EXPECT_EQ(RunHeadlessGame(Path("fall.KVT"), 20, 1, out, nullptr), 0);
    const auto lines = Lines(out.str());
    ASSERT_EQ(lines.size(), 3u) << out.str();
    EXPECT_EQ(lines[1], "game over, status 2");
    EXPECT_EQ(lines[2].substr(0, 37), "winner: Union by capitulation  Apr 11") << lines[2];
    EXPECT_EQ(CheckedAccessFaults(), 0u);
}

TEST_F(HeadlessTurns, TheChecksNameTheFirstBrokenInvariantAndStopTheRun) {
    testing::BuildSyntheticGame(false, false);
    ASSERT_TRUE(SaveGameFiles(Path("sound")));
    int corps = 1;
    while (!CorpsInUse(GameRec->Corps[corps])) ++corps;
    GameRec->Corps[corps].PlanTag = 8;  // no plan has that number
    ASSERT_TRUE(SaveGameFiles(Path("tagged")));
    std::ostringstream out;
    std::string error;
    EXPECT_EQ(RunHeadlessGame(Path("sound.KVT"), 3, 1, out, &error, false, true), 0) << error;
    EXPECT_EQ(RunHeadlessGame(Path("tagged.KVT"), 3, 1, out, &error, false, true), 3);
    EXPECT_EQ(error, "check failed: corps " + std::to_string(corps) +
                         " has plan tag 8 (after the computer players planned)");
}

TEST_F(HeadlessTurns, AnAutosaveTheDiskRefusesEndsTheRunWithItsReason) {
    enum class Fault { WritesCutOff, NameTakenByAFolder };
    for (const Fault fault : {Fault::WritesCutOff, Fault::NameTakenByAFolder}) {
        SCOPED_TRACE(fault == Fault::WritesCutOff ? "writes cut off" : "name taken by a folder");
        testing::BuildSyntheticGame(true, true);
        ASSERT_TRUE(SaveGameFiles(Path("start")));
        std::filesystem::remove_all(Path("Autosave.KVT"));
        rlimit was{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &was), 0);
        if (fault == Fault::WritesCutOff) {
            // Files may not grow past a few bytes: the Autosave's first write fails as on a full disk.
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = was;
            small.rlim_cur = 16;
            ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        } else {
            std::filesystem::create_directory(Path("Autosave.KVT"));
        }
        std::ostringstream out;
        std::string error;
        const int status = RunHeadlessGame(Path("start.KVT"), 5, 1, out, &error);
        ::setrlimit(RLIMIT_FSIZE, &was);
        std::signal(SIGXFSZ, SIG_DFL);
        EXPECT_EQ(status, 4) << out.str();
        // The file and the system's own words for what went wrong.
        const std::string said = "The Autosave failed: the game could not be saved as \"Autosave\" in \"" +
                                 std::filesystem::current_path().string() + "\": ";
        EXPECT_EQ(error.substr(0, said.size()), said);
        if (fault == Fault::WritesCutOff) {
            EXPECT_TRUE(error.ends_with(" cannot be written in \".\" (File too large).")) << error;
        } else {
            EXPECT_EQ(error.substr(said.size()), "\"Autosave.KVT\" is not a plain file.");
        }
        const auto lines = Lines(out.str());
        ASSERT_EQ(lines.size(), 2u) << "the turn whose Autosave failed, then the summary: " << out.str();
        EXPECT_EQ(lines[0].substr(0, 14), "1 Apr 11 1861 ");
        EXPECT_EQ(lines[1].substr(0, 8), "winner: ");
    }
}

TEST_F(HeadlessTurns, ASavedGameTakesTheOpenDialogsDataMarksAndAStartPointDoesNot) {
    struct Case { const char* name; bool marked; };
    const Case cases[] = {{"saved", true}, {"1861", false}, {"1863", false}, {"1864", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::BuildSyntheticGame(false, false);
        GameRec->WeaponTable[5].FireFactor1 = 9;
        GameRec->Cities[38].RiverLink = 4;
        ASSERT_TRUE(SaveGameFiles(Path(c.name)));
        std::ostringstream out;
        std::string error;
        ASSERT_EQ(RunHeadlessGame(Path(std::string(c.name) + ".KVT"), 0, 1, out, &error), 0) << error;
        EXPECT_EQ(GameRec->WeaponTable[5].FireFactor1, c.marked ? 1 : 9);
        EXPECT_EQ(GameRec->Cities[38].RiverLink, c.marked ? 0 : 4);
        EXPECT_EQ(MapGrid->Cell(26, 19).RiverNavigable(), c.marked);
    }
}

}  // namespace
}  // namespace kvt
