// The frontend that answers for nobody at the screen: headless runs, benchmarks and, as every
// program's default, whatever runs while no window or test has installed its own.
#pragma once

#include <string>

#include "engine/world/frontend.h"

namespace kvt {

// Gives the default answer to every wait and counts them; used by headless runs and benchmarks.
class AutomaticFrontend : public Frontend {
public:
    void ShowNotice(int kind) override;
    void InformationBox(const std::string& text) override;
    // Nobody reads a unit panel here.
    bool ShowsUnitPanel() const override { return false; }
    bool ShowsBattleResults() const override { return false; }
    // Nobody is there to agree: Cancel.
    bool ConfirmBox(const std::string& text) override;
    void WarningBox(const std::string& text) override;
    // Nobody is there to play on: the game ends.
    PostMortemChoice ShowPostMortem(const TPostMortem& tallies) override;
    // The first side that may be chosen.
    int ShowSideChoice(bool unionEnabled, bool confederacyEnabled) override;
    // The first start point.
    int ShowScenarioChoice() override;
    // Nobody watches: the engagement is fought all the same.
    void ShowFleetCombat(const TFleetCombatView& view) override;
    // The rows the dialog opens with, the players as the record holds them.
    TSetupChoices ShowGameSetup() override;
    // The whole count at once.
    void ShowElection(TElectionCount& count) override;
    // Presses the enabled intensity buttons, then Execute.
    void RunCombatResolution(TCombatResolution& dialog) override;
    // Skirmish.
    int ChooseBattleIntensity(const TBattleIntensityView& view) override;
    // The first candidate.
    int ChooseLeaderSuccessor(const TLeaderSuccessorView& view) override;
    void ShowBattleResults(const TBattleResultsView& results, const TBattleAnalysisView& analysis) override;
    // Execute, then OK.
    void RunFortAssault(TFortAssault& dialog) override;
    // Nobody watches a playback: no replay is shown.
    void ShowReplayCombatResolution(const TReplayResolutionView& view) override;
    void ShowReplayBattleResults(const TReplayResultsView& view) override;
    // The game saved at the last Execute; saves go under the same name.
    std::string ChooseOpenFile() override;
    std::string ChooseSaveFile() override;

    int notices = 0;
    int messages = 0;
    int fleetCombats = 0;
    int fieldBattles = 0;
    int assaults = 0;
    std::string lastMessage;
};

// Makes an automatic frontend the default (world/frontend.h): it answers every wait while no other
// frontend is installed. Every program, tool, benchmark and test program calls it first in main().
void InstallAutomaticFrontendAsDefault();

}  // namespace kvt
