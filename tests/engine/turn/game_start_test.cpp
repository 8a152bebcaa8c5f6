// The first game of a run: the scenario choice, the start points, the Open dialog behind "Saved
// game", and the way back to the choice when nothing could be loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "engine/turn/engine_reset.h"
#include "engine/turn/game_start.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "tests/support/save_in_child.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

class GameStart : public testing::TurnTest {
protected:
    // Writes the synthetic game as a start point of the folder, dated `day`.
    void WriteStartPoint(const std::string& base, int day, bool unionPerson, bool confederatePerson) {
        testing::BuildSyntheticGame(unionPerson, confederatePerson);
        GameRec->Day = static_cast<U8>(day);
        ASSERT_TRUE(SaveGameFiles(base));
    }
    void NewRun() {
        ResetEngineGlobals();
        testing::UseNumberedTexts();
    }
};

TEST_F(GameStart, EachStartPointIsLoadedByItsChoice) {
    WriteStartPoint("1861", 1, true, false);
    WriteStartPoint("1862", 11, true, false);
    WriteStartPoint("1863", 21, true, false);
    struct Case { int answer; const char* base; int day; };
    for (const Case& c : {Case{1, "1861.", 1}, Case{2, "1862.", 11}, Case{3, "1863.", 21}}) {
        NewRun();
        ScriptedFrontend fe;
        fe.ExpectScenarioChoice(c.answer);
        StartUpGame();
        EXPECT_EQ(GameFileBase, c.base);
        EXPECT_EQ(GameRec->Day, c.day);
        EXPECT_EQ(GameStatus, 0);
        EXPECT_EQ(SidePlayed, 1);
        EXPECT_EQ(fe.dates.back(), "Apr " + std::to_string(c.day) + " 1861");
        EXPECT_FALSE(fe.menus[MenuItem::Playback1]);
    }
}

TEST_F(GameStart, NothingLoadedLeadsBackToTheScenarioChoice) {
    WriteStartPoint("1861", 1, true, false);
    WriteStartPoint("saved", 11, true, false);
    std::ofstream("broken.kvt") << "not a game";
    NewRun();
    ScriptedFrontend fe;
    fe.ExpectScenarioChoice(4);  // saved game, but the Open dialog is cancelled
    fe.ExpectOpenFile("");
    fe.ExpectScenarioChoice(2);  // a start point that is not there
    fe.ExpectInformationBox();
    fe.ExpectScenarioChoice(0);  // no choice: the Open dialog, and a file that is refused
    fe.ExpectOpenFile("broken.kvt");
    fe.ExpectInformationBox();
    fe.ExpectScenarioChoice(4);
    fe.ExpectOpenFile("saved.KVT");
    StartUpGame();
    EXPECT_EQ(GameFileBase, "saved.");
    EXPECT_EQ(GameRec->Day, 11);
    EXPECT_EQ(GameStatus, 0);
    EXPECT_NE(fe.messages[0].find("1862.kvt"), std::string::npos) << fe.messages[0];
    EXPECT_NE(fe.messages[1].find("broken.kvt"), std::string::npos) << fe.messages[1];
    // No game is in play yet: the message sends the player back to the choice.
    for (const std::string& m : fe.messages) {
        EXPECT_EQ(m.find("in play"), std::string::npos) << m;
        EXPECT_NE(m.find("choose another game"), std::string::npos) << m;
    }
}

TEST_F(GameStart, TwoPersonsChooseTheirSideOnceWhateverTheyLoad) {
    WriteStartPoint("1861", 1, true, true);
    WriteStartPoint("both", 11, true, true);
    for (int answer : {1, 4}) {
        SCOPED_TRACE(answer);
        NewRun();
        ScriptedFrontend fe;
        fe.ExpectScenarioChoice(answer);
        if (answer == 4) fe.ExpectOpenFile("both.KVT");
        fe.ExpectSideChoice(2);
        StartUpGame();
        EXPECT_EQ(SidePlayed, 2);
        EXPECT_EQ(fe.sideChoiceOffers.size(), 1u);
        EXPECT_EQ(fe.menus.sideChangeCaption, "text 466");
    }
}

TEST_F(GameStart, TheDefaultStartPointFillsTheRecordOrNamesTheMissingFile) {
    std::string why;
    EXPECT_FALSE(ReadDefaultStartPoint(&why));
    EXPECT_NE(why.find("1861.kvt"), std::string::npos) << why;
    WriteStartPoint("1861", 21, false, true);
    ResetEngineGlobals();
    ASSERT_TRUE(ReadDefaultStartPoint(&why)) << why;
    EXPECT_EQ(GameRec->Day, 21);
    EXPECT_EQ(MapGrid->Cell(50, 10).Terrain(), 0) << "the map waits for the game chosen";
    EXPECT_EQ(GameFileBase, "") << "nothing is in play yet";
}

TEST_F(GameStart, TheDefaultStartPointIsTakenOnlyWholeAndSound) {
    struct Case { const char* name; std::uintmax_t mapBytes; int month; const char* named; };
    const Case cases[] = {
        {"its map is missing", 0, 4, "1861.KVM\" of this game cannot be opened"},
        {"its map is cut short", 12000, 4, "1861.KVM\" of this game holds 12000 bytes"},
        {"its record is whole but damaged", kMapGridSize, 13, "1861.KVT\" is damaged: The date has month 13"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteStartPoint("1861", 21, false, true);
        if (c.month != GameRec->Month) {
            GameRec->Month = static_cast<std::uint16_t>(c.month);
            ASSERT_TRUE(SaveGameFiles("1861"));
        }
        if (c.mapBytes == 0) std::filesystem::remove("1861.KVM");
        else std::filesystem::resize_file("1861.KVM", c.mapBytes);
        NewRun();
        std::string why;
        EXPECT_FALSE(ReadDefaultStartPoint(&why));
        EXPECT_NE(why.find(c.named), std::string::npos) << why;
        EXPECT_EQ(GameRec->Day, 0) << "the record keeps what it held";
    }
}

TEST_F(GameStart, AStartFinishesOrClearsTheSavesAStoppedProgramLeftInItsFolder) {
    WriteStartPoint("1861", 1, true, false);
    GameRec->Day = 5;
    ASSERT_TRUE(SaveGameFiles(kAutosaveName));
    ASSERT_TRUE(SaveGameFiles("mine"));
    const std::vector<char> oldMine = testing::FileBytes("mine.KVT");
    GameRec->Day = 6;
    const std::string newAutosave(reinterpret_cast<const char*>(GameRec), kGameRecSize);
    // The Autosave was stopped after its journal, "mine" with only its record written.
    ASSERT_EQ(testing::SaveKilledAtStep(kAutosaveName, 4), testing::ChildSaveEnd::Killed);
    ASSERT_EQ(testing::SaveKilledAtStep("mine", 2), testing::ChildSaveEnd::Killed);
    NewRun();
    ScriptedFrontend fe;
    fe.ExpectScenarioChoice(1);
    StartUpGame();
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(".")) names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"1861.KVT", "1861.KVM", "Autosave.KVT", "Autosave.KVM", "mine.KVT", "mine.KVM"}));
    const std::vector<char> autosave = testing::FileBytes("Autosave.KVT");
    EXPECT_TRUE(std::string(autosave.begin(), autosave.end()) == newAutosave) << "the Autosave as it was being saved";
    EXPECT_TRUE(testing::FileBytes("mine.KVT") == oldMine) << "\"mine\" as it was before";
}

}  // namespace
}  // namespace kvt
