// The window's frontend.
#include "gui/main/qt_frontend.h"

#include "engine/world/notice.h"
#include "gui/dialogs/combat/battle_intensity_dialog.h"
#include "gui/dialogs/combat/battle_results_dialog.h"
#include "gui/dialogs/combat/combat_resolution_dialog.h"
#include "gui/dialogs/combat/fleet_combat_dialog.h"
#include "gui/dialogs/combat/fort_assault_dialog.h"
#include "gui/dialogs/combat/leader_casualty_dialog.h"
#include "gui/dialogs/combat/replay_resolution_dialog.h"
#include "gui/dialogs/combat/replay_results_dialog.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/dialogs/core/notice_dialogs.h"
#include "gui/dialogs/core/post_mortem_dialog.h"
#include "gui/dialogs/core/scenario_choice.h"
#include "gui/dialogs/core/side_choice_dialog.h"
#include "gui/dialogs/players/election_dialog.h"
#include "gui/dialogs/players/setup_dialog.h"
#include "gui/main/kvt_sdi.h"
#include "gui/platform/cursor.h"
#include "gui/platform/file_dialogs.h"
#include "gui/platform/message_box.h"

namespace kvt::gui {

TQtFrontend::TQtFrontend(TKVTSDI& window) : window_(window) { InstallFrontend(this); }

TQtFrontend::~TQtFrontend() {
    if (&CurrentFrontend() == this) InstallFrontend(nullptr);
}

void TQtFrontend::ShowNotice(int kind) { ShowNoticeDialog(kind); }

void TQtFrontend::InformationBox(const std::string& text) {
    ShowInformationBox(&window_, QString::fromStdString(text));
}

bool TQtFrontend::ConfirmBox(const std::string& text) {
    return ShowConfirmBox(&window_, QString::fromStdString(text));
}

void TQtFrontend::WarningBox(const std::string& text) { ShowWarningBox(&window_, QString::fromStdString(text)); }

PostMortemChoice TQtFrontend::ShowPostMortem(const TPostMortem& tallies) { return ShowPostMortemDialog(tallies); }

int TQtFrontend::ShowSideChoice(bool unionEnabled, bool confederacyEnabled) {
    return ShowSideChoiceDialog(unionEnabled, confederacyEnabled);
}

int TQtFrontend::ShowScenarioChoice() {
    gui::ShowScenarioChoice();
    return EventNotice.Answer;
}

TSetupChoices TQtFrontend::ShowGameSetup() { return ShowGameSetupDialog(); }

void TQtFrontend::ShowElection(TElectionCount& count) { ShowElectionDialog(count); }

void TQtFrontend::ShowFleetCombat(const TFleetCombatView& view) { ShowFleetCombatDialog(view); }

void TQtFrontend::RunCombatResolution(TCombatResolution& dialog) { RunCombatResolutionDialog(dialog); }

int TQtFrontend::ChooseBattleIntensity(const TBattleIntensityView& view) { return ChooseBattleIntensityDialog(view); }

int TQtFrontend::ChooseLeaderSuccessor(const TLeaderSuccessorView& view) { return ChooseLeaderSuccessorDialog(view); }

void TQtFrontend::ShowBattleResults(const TBattleResultsView& results, const TBattleAnalysisView& analysis) {
    ShowBattleResultsDialog(results, analysis);
}

void TQtFrontend::RunFortAssault(::kvt::TFortAssault& dialog) { RunFortAssaultDialog(dialog); }

void TQtFrontend::ShowReplayCombatResolution(const TReplayResolutionView& view) { ShowReplayResolutionDialog(view); }

void TQtFrontend::ShowReplayBattleResults(const TReplayResultsView& view) { ShowReplayResultsDialog(view); }

std::string TQtFrontend::ChooseOpenFile() {
    return ExecuteOpenDialog(&window_, QString::fromLatin1(kOpenFilter)).toStdString();
}

std::string TQtFrontend::ChooseSaveFile() {
    return ExecuteSaveDialog(&window_, QString::fromLatin1(kSaveFilter)).toStdString();
}

void TQtFrontend::Repaint() { window_.FormPaint(); }

void TQtFrontend::DrawCorps(int corps) { window_.DrawMovedCorps(corps); }

void TQtFrontend::DrawFleet(int fleet) { window_.DrawMovedFleet(fleet); }

void TQtFrontend::DrawBattleMarker(int column, int row) { window_.DrawBattleMarker(column, row); }

void TQtFrontend::SetCursor(CursorKind kind) {
    SetScreenCursor(kind == CursorKind::Hourglass ? crHourGlass : crDefault);
}

void TQtFrontend::Timer1Changed(bool enabled) { window_.Timer1Changed(enabled); }

void TQtFrontend::Timer1IntervalChanged(int milliseconds) { window_.Timer1IntervalChanged(milliseconds); }

void TQtFrontend::MenusChanged(const TTurnMenus& menus) { window_.MenusChanged(menus); }

void TQtFrontend::ShowTurnProgress(int value) { window_.ShowTurnProgress(value); }

void TQtFrontend::ShowWeatherGauges(int seaboard, int west, int mississippi) {
    window_.ShowWeatherGauges(seaboard, west, mississippi);
}

void TQtFrontend::ShowDate(const std::string& text) { window_.ShowDate(QString::fromStdString(text)); }

void TQtFrontend::SetIdPanelText(const std::string& text) { window_.SetIdPanelText(ToQString(text)); }

void TQtFrontend::SetIdPanelTextColour(std::uint32_t rgb) { window_.SetIdPanelTextColour(rgb); }

}  // namespace kvt::gui
