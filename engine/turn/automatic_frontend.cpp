// The automatic frontend's answers: the default of every wait, as a person pressing the first
// button would give it.
#include "engine/turn/automatic_frontend.h"

#include "engine/combat/battle_setup.h"
#include "engine/combat/fort_assault.h"
#include "engine/players/election.h"
#include "engine/players/game_setup.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"

namespace kvt {

void AutomaticFrontend::ShowNotice(int kind) {
    ++notices;
    // Nobody reads it: answer as a person pressing the first button would.
    AnswerNoticeUntouched(kind);
}

void AutomaticFrontend::InformationBox(const std::string& text) {
    ++messages;
    lastMessage = text;
}

bool AutomaticFrontend::ConfirmBox(const std::string& text) {
    ++messages;
    lastMessage = text;
    return false;
}

void AutomaticFrontend::WarningBox(const std::string& text) {
    ++messages;
    lastMessage = text;
}

PostMortemChoice AutomaticFrontend::ShowPostMortem(const TPostMortem&) { return PostMortemChoice::EndGame; }

int AutomaticFrontend::ShowSideChoice(bool unionEnabled, bool confederacyEnabled) {
    if (unionEnabled) return 1;
    if (confederacyEnabled) return 2;
    return 0;
}

int AutomaticFrontend::ShowScenarioChoice() { return 1; }

void AutomaticFrontend::ShowFleetCombat(const TFleetCombatView&) { ++fleetCombats; }
TSetupChoices AutomaticFrontend::ShowGameSetup() {
    TSetupChoices choices;
    choices.unionPerson = GameRec->Nations[kNationUnion].Human != 0;
    choices.confederatePerson = GameRec->Nations[kNationConfederacy].Human != 0;
    return choices;
}

void AutomaticFrontend::ShowElection(TElectionCount& count) { count.RunThrough(); }

void AutomaticFrontend::RunCombatResolution(TCombatResolution& dialog) {
    ++fieldBattles;
    dialog.RunUnattended();
}
int AutomaticFrontend::ChooseBattleIntensity(const TBattleIntensityView&) { return 1; }
int AutomaticFrontend::ChooseLeaderSuccessor(const TLeaderSuccessorView&) { return 0; }
void AutomaticFrontend::ShowBattleResults(const TBattleResultsView&, const TBattleAnalysisView&) {}
void AutomaticFrontend::RunFortAssault(TFortAssault& dialog) {
    ++assaults;
    dialog.RunUnattended();
}

void AutomaticFrontend::ShowReplayCombatResolution(const TReplayResolutionView&) {}
void AutomaticFrontend::ShowReplayBattleResults(const TReplayResultsView&) {}

std::string AutomaticFrontend::ChooseOpenFile() { return std::string(kAutosaveName) + ".KVT"; }
std::string AutomaticFrontend::ChooseSaveFile() { return std::string(kAutosaveName) + ".KVT"; }

void InstallAutomaticFrontendAsDefault() {
    // Never destroyed: a window or test frontend put back while the program ends still finds it.
    static AutomaticFrontend* const standIn = new AutomaticFrontend;
    SetDefaultFrontend(standIn);
}

}  // namespace kvt
