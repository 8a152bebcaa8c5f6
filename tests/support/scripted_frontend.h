// A frontend for tests: answers waits from a queue the test fills, records every call, and fails
// the test on a wait it did not expect.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/combat/battle_replay.h"
#include "engine/combat/battle_results.h"
#include "engine/combat/battle_setup.h"
#include "engine/combat/fort_assault.h"
#include "engine/combat/leader_casualties.h"
#include "engine/combat/naval_combat.h"
#include "engine/players/election.h"
#include "engine/players/game_setup.h"
#include "engine/turn/movement_ticks.h"
#include "engine/turn/turn_end.h"
#include "engine/view/turn_menus.h"
#include "engine/world/frontend.h"

namespace kvt::testing {

class ScriptedFrontend : public Frontend {
public:
    ScriptedFrontend();
    ~ScriptedFrontend() override;

    // The next notice must be of this kind; the answer is written into EventNotice (0: the
    // person only presses the first button, and the dialog answers as it does then).
    void ExpectNotice(int kind, int answer = 0);
    // The next information box; its text is recorded.
    void ExpectInformationBox();
    // The next confirmation box, answered OK (true) or Cancel; its text is recorded.
    void ExpectConfirmBox(bool ok);
    // The next warning box; its text is recorded.
    void ExpectWarningBox();
    void ExpectPostMortem(PostMortemChoice choice);
    void ExpectSideChoice(int side);
    void ExpectScenarioChoice(int answer);
    // The setup dialog, answered with these choices.
    void ExpectGameSetup(const TSetupChoices& choices = {});
    // The election dialog, which counts every state.
    void ExpectElection();
    // The naval combat dialog; its view is recorded in fleetCombats.
    void ExpectFleetCombat();
    // The battle dialogs, views recorded below: the combat resolution (`press` plays the person's
    // clicks; by default the enabled intensity buttons, then Execute), the intensity (answered with
    // an option 1..5), the leader casualty (a line from 0, -1 none), the results, and the assault
    // (Execute, then OK; its view as it closed).
    void ExpectCombatResolution(std::function<void(TCombatResolution&)> press = {});
    void ExpectBattleIntensity(int answer);
    void ExpectLeaderSuccessor(int line);
    void ExpectBattleResults();
    void ExpectFortAssault();
    void ExpectOpenFile(const std::string& name);
    void ExpectSaveFile(const std::string& name);
    // Accept any number of notices and boxes without expectations, each answered as a person
    // pressing only the first button would; the waits queued for dialogs stay queued meanwhile.
    void AllowAnyWaits(bool on) { allowAny_ = on; }

    void ShowNotice(int kind) override;
    void InformationBox(const std::string& text) override;
    bool ConfirmBox(const std::string& text) override;
    void WarningBox(const std::string& text) override;
    PostMortemChoice ShowPostMortem(const TPostMortem& tallies) override;
    int ShowSideChoice(bool unionEnabled, bool confederacyEnabled) override;
    int ShowScenarioChoice() override;
    void ShowFleetCombat(const TFleetCombatView& view) override;
    TSetupChoices ShowGameSetup() override;
    void ShowElection(TElectionCount& count) override;
    void RunCombatResolution(TCombatResolution& dialog) override;
    int ChooseBattleIntensity(const TBattleIntensityView& view) override;
    int ChooseLeaderSuccessor(const TLeaderSuccessorView& view) override;
    void ShowBattleResults(const TBattleResultsView& results, const TBattleAnalysisView& analysis) override;
    void RunFortAssault(TFortAssault& dialog) override;
    // A playback's replays ask nothing: each is recorded without an expectation.
    void ShowReplayCombatResolution(const TReplayResolutionView& view) override;
    void ShowReplayBattleResults(const TReplayResultsView& view) override;
    std::string ChooseOpenFile() override;
    std::string ChooseSaveFile() override;

    void Repaint() override { ++repaints; }
    void SetCursor(CursorKind kind) override { cursor = kind; }
    void DrawCorps(int corps) override;
    void DrawFleet(int fleet) override;
    void DrawBattleMarker(int column, int row) override;
    void Timer1Changed(bool enabled) override { timerChanges.push_back(enabled); }
    void MenusChanged(const TTurnMenus& m) override { menus = m; }
    void ShowTurnProgress(int value) override { gauge.push_back(value); }
    void ShowWeatherGauges(int a, int b, int c) override { weatherGauges = {a, b, c}; }
    void ShowDate(const std::string& text) override { dates.push_back(text); }
    void SetIdPanelText(const std::string& text) override { idPanel = text; }
    void SetIdPanelTextColour(std::uint32_t rgb) override { idPanelColours.push_back(rgb); }

    // Every corps and fleet drawn after a move.
    struct Shown {
        MovedUnit kind;
        int index;
        int column, row;        // the unit's hex when shown
        int viewColumn, viewRow;
        std::string caption;
    };

    // Everything that happened, in order, as short texts ("notice 3", "info: ...").
    std::vector<std::string> log;
    // Every notice shown, with its kind and lines 1..4 as they stood when it opened.
    struct ShownNotice {
        int kind = 0;
        std::string lines[5];
    };
    std::vector<ShownNotice> notices;
    std::vector<std::string> messages;
    std::vector<bool> timerChanges;
    std::vector<int> gauge;
    std::vector<std::string> dates;
    std::vector<Shown> shown;
    std::vector<int> weatherGauges;
    std::vector<std::pair<bool, bool>> sideChoiceOffers;
    std::vector<TFleetCombatView> fleetCombats;
    std::vector<TCombatResolutionView> combatResolutions;
    std::vector<TBattleIntensityView> intensityViews;
    std::vector<TLeaderSuccessorView> successorViews;
    std::vector<TBattleResultsView> battleResults;
    std::vector<TFortAssaultView> fortAssaults;
    std::vector<TReplayResolutionView> replayResolutions;
    std::vector<TReplayResultsView> replayResults;
    struct Marker { int column, row, viewColumn, viewRow; };  // with the view origin then
    std::vector<Marker> battleMarkers;
    TTurnMenus menus;
    std::string idPanel;
    // Every text colour a selection gave the unit panel, in order.
    std::vector<std::uint32_t> idPanelColours;
    CursorKind cursor = CursorKind::Arrow;
    // Every wait with the pointer it opened under, in order.
    std::vector<std::pair<std::string, CursorKind>> waitCursors;
    int repaints = 0;

private:
    struct Expectation {
        std::string what;
        int kind = 0;
        int answer = 0;
        std::string text;
        TSetupChoices setup;
        std::function<void(TCombatResolution&)> press;
    };
    bool Take(const std::string& what, int kind, Expectation& out);
    std::deque<Expectation> expected_;
    bool allowAny_ = false;
};

}  // namespace kvt::testing
