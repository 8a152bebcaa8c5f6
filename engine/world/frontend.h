// Every place where the rules wait on a person or show something goes through one Frontend.
// The engine never waits and never draws: the window implements this with modal dialogs, tests
// with a scripted queue of answers, and headless runs with the default answer to every wait.
#pragma once

#include <cstdint>
#include <string>

namespace kvt {

enum class CursorKind { Arrow, Hourglass };

// The two ways out of the end-of-game dialog.
enum class PostMortemChoice { Continue, EndGame };

struct TTurnMenus;
struct TPostMortem;
struct TFleetCombatView;
struct TSetupChoices;
class TElectionCount;
class TCombatResolution;
struct TBattleIntensityView;
struct TLeaderSuccessorView;
struct TBattleResultsView;
struct TBattleAnalysisView;
class TFortAssault;
struct TReplayResolutionView;
struct TReplayResultsView;

class Frontend {
public:
    virtual ~Frontend() = default;

    // --- Waits on a person ---
    // Opens the notice dialog of the given kind for EventNotice and NoticeChoices; the answer is
    // left in EventNotice.Answer. Only called for kinds that have a dialog.
    virtual void ShowNotice(int kind) = 0;
    // An information message box with an OK button.
    virtual void InformationBox(const std::string& text) = 0;
    // A warning message box with OK and Cancel; true for OK.
    virtual bool ConfirmBox(const std::string& text) = 0;
    // A warning message box with an OK button.
    virtual void WarningBox(const std::string& text) = 0;
    // The end-of-game dialog with the tallies and verdicts the engine has filled in.
    virtual PostMortemChoice ShowPostMortem(const TPostMortem& tallies) = 0;
    // The side-choice dialog with the buttons of the person-played sides enabled; returns the
    // side chosen (1 Union, 2 Confederacy), 0 when the dialog was left without a choice.
    virtual int ShowSideChoice(bool unionEnabled, bool confederacyEnabled) = 0;
    // The scenario choice at start-up: 1, 2, 3 for the 1861, 1862, 1863 start points, 4 for a
    // saved game, 0 when the dialog was left without a choice.
    virtual int ShowScenarioChoice() = 0;
    // The naval combat dialog: the forces, losses and drowned corps of one engagement.
    virtual void ShowFleetCombat(const TFleetCombatView& view) = 0;
    // The new-game setup dialog; answers the choices made in it (the engine writes them).
    virtual TSetupChoices ShowGameSetup() = 0;
    // The 1864 election dialog, stepping the count as it shows it; the engine counts whatever
    // states it leaves.
    virtual void ShowElection(TElectionCount& count) = 0;
    // The combat-resolution dialog of a field battle: it shows dialog.view and calls the handler of
    // each button the person presses (Set Union Intensity, Set Confederate Intensity, Execute);
    // Execute closes it once its handler returns.
    virtual void RunCombatResolution(TCombatResolution& dialog) = 0;
    // The intensity dialog; the option chosen, 1 (Skirmish) to 5 (All-Out).
    virtual int ChooseBattleIntensity(const TBattleIntensityView& view) = 0;
    // The leader-casualty dialog; the line clicked (from 0), or -1 when it closed without one.
    virtual int ChooseLeaderSuccessor(const TLeaderSuccessorView& view) = 0;
    // The results of a field battle; its Analysis button shows the analysis.
    virtual void ShowBattleResults(const TBattleResultsView& results, const TBattleAnalysisView& analysis) = 0;
    // The assault dialog: shows dialog.view, calls its Execute handler when pressed; OK closes it.
    virtual void RunFortAssault(TFortAssault& dialog) = 0;
    // A recorded field battle shown again in a playback: its combat resolution, then its results,
    // each until OK.
    virtual void ShowReplayCombatResolution(const TReplayResolutionView& view) = 0;
    virtual void ShowReplayBattleResults(const TReplayResultsView& view) = 0;
    // The Open and Save file dialogs; an empty name when the person cancelled.
    virtual std::string ChooseOpenFile() = 0;
    virtual std::string ChooseSaveFile() = 0;

    // --- Showing, never waiting ---
    virtual void Repaint() {}
    // Draws corps c at its hex over the repainted map (a move the watching side sees).
    virtual void DrawCorps(int /*corps*/) {}
    // Draws fleet f at its hex over the repainted map.
    virtual void DrawFleet(int /*fleet*/) {}
    // Draws the battle marker on hex (column, row) over the repainted map.
    virtual void DrawBattleMarker(int /*column*/, int /*row*/) {}
    virtual void SetCursor(CursorKind) {}
    // The engine switched the movement timer on or off.
    virtual void Timer1Changed(bool /*enabled*/) {}
    // The movement delay changed the timer's interval (milliseconds).
    virtual void Timer1IntervalChanged(int /*milliseconds*/) {}
    // The menu items and tool buttons changed; the window mirrors TurnMenus.
    virtual void MenusChanged(const TTurnMenus& /*menus*/) {}
    // The turn's progress gauge (0..300) and the three weather gauges (0..100).
    virtual void ShowTurnProgress(int /*value*/) {}
    virtual void ShowWeatherGauges(int /*seaboard*/, int /*west*/, int /*mississippi*/) {}
    // The date panel.
    virtual void ShowDate(const std::string& /*text*/) {}
    // The unit panel's text.
    virtual void SetIdPanelText(const std::string& /*text*/) {}
    // False where no unit panel is shown, so that a moved unit's caption need not be built.
    virtual bool ShowsUnitPanel() const { return true; }
    // False where battle results are never shown, so that their texts and analysis need not be built.
    virtual bool ShowsBattleResults() const { return true; }
    // The unit panel's text colour (0xRRGGBB) chosen by a selection; the repaint sets it back.
    virtual void SetIdPanelTextColour(std::uint32_t /*rgb*/) {}
};

// The frontend in use: the one installed, else the default. With neither the program ends, so a
// program sets its default first thing (every one sets the automatic frontend,
// InstallAutomaticFrontendAsDefault in turn/automatic_frontend.h).
Frontend& CurrentFrontend();
// Installs a frontend (not owned); nullptr goes back to the default.
void InstallFrontend(Frontend* frontend);
// The frontend (not owned) that answers while none is installed; nullptr leaves none.
void SetDefaultFrontend(Frontend* frontend);

}  // namespace kvt
