// The main window under test: a game folder of its own (so autosaves and saves stay out of the
// built game folder), a frontend that scripts the dialogs that are not the window's own (scenario
// choice, setup, notices, message boxes, end of game) and helpers to click hexes.
#pragma once

#include <gtest/gtest.h>

#include <QPoint>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/main/kvt_sdi.h"
#include "gui/main/qt_frontend.h"
#include "engine/players/game_setup.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/synthetic_game.h"

namespace kvt::testing {

class TTestFrontend : public gui::TQtFrontend {
public:
    using gui::TQtFrontend::TQtFrontend;

    int ShowScenarioChoice() override;
    TSetupChoices ShowGameSetup() override;
    void ShowNotice(int kind) override;
    void InformationBox(const std::string& text) override;
    PostMortemChoice ShowPostMortem(const TPostMortem& tallies) override;
    int ShowSideChoice(bool unionEnabled, bool confederacyEnabled) override;
    void DrawCorps(int corps) override;
    // The battle dialogs open only for a test that fights by hand (battleDialogs); otherwise each
    // battle is fought as nobody at the screen would fight it.
    void RunCombatResolution(TCombatResolution& dialog) override;
    int ChooseBattleIntensity(const TBattleIntensityView& view) override;
    int ChooseLeaderSuccessor(const TLeaderSuccessorView& view) override;
    void ShowBattleResults(const TBattleResultsView& results, const TBattleAnalysisView& analysis) override;
    void RunFortAssault(TFortAssault& dialog) override;
    void ShowReplayCombatResolution(const TReplayResolutionView& view) override;
    void ShowReplayBattleResults(const TReplayResultsView& view) override;

    std::deque<int> scenarioAnswers{1};
    // What the setup answers: by default a person plays the Union against the computer.
    TSetupChoices setup{.confederatePerson = false};
    // Answers in turn; when empty, each notice is answered as its dialog closed untouched answers.
    std::deque<int> noticeAnswers;
    struct Notice {
        int kind;
        std::string lines[5];
        std::string choices[7];  // captions of the offered choices 1..6, empty where not offered
    };
    std::vector<Notice> notices;
    bool battleDialogs = false;
    int scenarioChoices = 0;
    int lastDrawnCorps = 0;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A folder holding the game files (links to the built ones), less those named.
    void MakeGameFolder(const std::vector<std::string>& leaveOut = {});
    // Creates the window with the test frontend; runs FormCreate and shows it.
    bool CreateWindow();

    // The centre of hex (c, r) in the map box for the current view, after moving the view so the
    // hex shows.
    QPoint HexCentre(int column, int row);
    // Turns of the movement timer until the turn's movement has ended (false on time-out).
    bool RunTurnToEnd(int timeoutMs = 120000);

    std::string folder;
    std::optional<CurrentFolder> inFolder;
    std::unique_ptr<gui::TKVTSDI> window;
    TTestFrontend* frontend = nullptr;
    std::function<void(TTestFrontend&)> configure;
};

}  // namespace kvt::testing
