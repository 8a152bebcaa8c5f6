// The window's frontend: the engine's waits open the game's modal dialogs, and its display calls
// reach the main window's map, menus, panels, gauges and timer.
#pragma once

#include "engine/world/frontend.h"

namespace kvt::gui {

class TKVTSDI;

class TQtFrontend : public Frontend {
public:
    explicit TQtFrontend(TKVTSDI& window);
    ~TQtFrontend() override;

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
    void RunFortAssault(::kvt::TFortAssault& dialog) override;
    void ShowReplayCombatResolution(const TReplayResolutionView& view) override;
    void ShowReplayBattleResults(const TReplayResultsView& view) override;
    std::string ChooseOpenFile() override;
    std::string ChooseSaveFile() override;

    void Repaint() override;
    void DrawCorps(int corps) override;
    void DrawFleet(int fleet) override;
    void DrawBattleMarker(int column, int row) override;
    void SetCursor(CursorKind kind) override;
    void Timer1Changed(bool enabled) override;
    void Timer1IntervalChanged(int milliseconds) override;
    void MenusChanged(const TTurnMenus& menus) override;
    void ShowTurnProgress(int value) override;
    void ShowWeatherGauges(int seaboard, int west, int mississippi) override;
    void ShowDate(const std::string& text) override;
    void SetIdPanelText(const std::string& text) override;
    void SetIdPanelTextColour(std::uint32_t rgb) override;

protected:
    TKVTSDI& window_;
};

// The Open and Save dialogs' filters.
inline constexpr const char* kOpenFilter = "kvt|*.kvt|orn|*.orn";
inline constexpr const char* kSaveFilter = "kvt|*.kvt";

}  // namespace kvt::gui
