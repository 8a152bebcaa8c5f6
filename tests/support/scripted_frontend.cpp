// The scripted test frontend.
#include "tests/support/scripted_frontend.h"

#include <gtest/gtest.h>

#include "engine/turn/movement_ticks.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"

namespace kvt::testing {

ScriptedFrontend::ScriptedFrontend() { InstallFrontend(this); }

ScriptedFrontend::~ScriptedFrontend() {
    InstallFrontend(nullptr);
    EXPECT_TRUE(expected_.empty()) << "expected waits that never came: " << expected_.size() << ", first "
                                   << (expected_.empty() ? std::string() : expected_.front().what);
}

void ScriptedFrontend::ExpectNotice(int kind, int answer) { expected_.push_back({"notice", kind, answer, {}, {}}); }
void ScriptedFrontend::ExpectInformationBox() { expected_.push_back({"info", 0, 0, {}, {}}); }
void ScriptedFrontend::ExpectConfirmBox(bool ok) { expected_.push_back({"confirm", 0, ok ? 1 : 0, {}, {}}); }
void ScriptedFrontend::ExpectWarningBox() { expected_.push_back({"warning", 0, 0, {}, {}}); }
void ScriptedFrontend::ExpectPostMortem(PostMortemChoice choice) {
    expected_.push_back({"post mortem", 0, choice == PostMortemChoice::Continue ? 1 : 2, {}, {}});
}
void ScriptedFrontend::ExpectSideChoice(int side) { expected_.push_back({"side choice", 0, side, {}, {}}); }
void ScriptedFrontend::ExpectScenarioChoice(int answer) {
    expected_.push_back({"scenario choice", 0, answer, {}, {}});
}
void ScriptedFrontend::ExpectGameSetup(const TSetupChoices& choices) {
    expected_.push_back({"setup", 0, 0, {}, choices});
}
void ScriptedFrontend::ExpectFleetCombat() { expected_.push_back({"fleet combat", 0, 0, {}, {}}); }
void ScriptedFrontend::ExpectElection() { expected_.push_back({"election", 0, 0, {}, {}}); }
void ScriptedFrontend::ExpectCombatResolution(std::function<void(TCombatResolution&)> press) {
    expected_.push_back({"combat resolution", 0, 0, {}, {}, std::move(press)});
}
void ScriptedFrontend::ExpectBattleIntensity(int answer) { expected_.push_back({"intensity", 0, answer, {}, {}, {}}); }
void ScriptedFrontend::ExpectLeaderSuccessor(int line) { expected_.push_back({"successor", 0, line, {}, {}, {}}); }
void ScriptedFrontend::ExpectBattleResults() { expected_.push_back({"battle results", 0, 0, {}, {}, {}}); }
void ScriptedFrontend::ExpectFortAssault() { expected_.push_back({"fort assault", 0, 0, {}, {}, {}}); }
void ScriptedFrontend::ExpectOpenFile(const std::string& name) { expected_.push_back({"open", 0, 0, name, {}}); }
void ScriptedFrontend::ExpectSaveFile(const std::string& name) { expected_.push_back({"save", 0, 0, name, {}}); }

bool ScriptedFrontend::Take(const std::string& what, int kind, Expectation& out) {
    waitCursors.emplace_back(what, cursor);
    const bool box = what == "notice" || what == "info" || what == "confirm" || what == "warning";
    // Allowed notices and boxes leave the queued waits for the dialogs they are meant for.
    const bool queuedFor = !expected_.empty() && expected_.front().what == what;
    if (allowAny_ && box && !queuedFor) {
        out = {what, kind, 0, {}, {}};
        return true;
    }
    if (!expected_.empty()) {
        out = expected_.front();
        expected_.pop_front();
        if (out.what != what || (what == "notice" && out.kind != kind)) {
            ADD_FAILURE() << "expected " << out.what << " " << out.kind << " but got " << what << " " << kind;
            return false;
        }
        return true;
    }
    if (!allowAny_) ADD_FAILURE() << "unexpected wait: " << what << " " << kind;
    out = {what, kind, 0, {}, {}};
    return allowAny_;
}

void ScriptedFrontend::ShowNotice(int kind) {
    log.push_back("notice " + std::to_string(kind));
    ShownNotice shown;
    shown.kind = kind;
    for (int n = 1; n <= 4; ++n) shown.lines[n] = EventNotice.Line(n).str();
    notices.push_back(shown);
    Expectation e;
    if (!Take("notice", kind, e)) return;
    if (e.answer != 0) EventNotice.Answer = static_cast<std::uint16_t>(e.answer);
    else AnswerNoticeUntouched(kind);
}

void ScriptedFrontend::InformationBox(const std::string& text) {
    log.push_back("info: " + text);
    messages.push_back(text);
    Expectation e;
    Take("info", 0, e);
}

bool ScriptedFrontend::ConfirmBox(const std::string& text) {
    log.push_back("confirm: " + text);
    messages.push_back(text);
    Expectation e;
    Take("confirm", 0, e);
    return e.answer == 1;
}

void ScriptedFrontend::WarningBox(const std::string& text) {
    log.push_back("warning: " + text);
    messages.push_back(text);
    Expectation e;
    Take("warning", 0, e);
}

PostMortemChoice ScriptedFrontend::ShowPostMortem(const TPostMortem&) {
    log.push_back("post mortem");
    Expectation e;
    Take("post mortem", 0, e);
    return e.answer == 1 ? PostMortemChoice::Continue : PostMortemChoice::EndGame;
}

int ScriptedFrontend::ShowSideChoice(bool unionEnabled, bool confederacyEnabled) {
    log.push_back("side choice");
    sideChoiceOffers.emplace_back(unionEnabled, confederacyEnabled);
    Expectation e;
    Take("side choice", 0, e);
    return e.answer;
}

int ScriptedFrontend::ShowScenarioChoice() {
    log.push_back("scenario choice");
    Expectation e;
    Take("scenario choice", 0, e);
    return e.answer;
}

TSetupChoices ScriptedFrontend::ShowGameSetup() {
    log.push_back("setup");
    Expectation e;
    Take("setup", 0, e);
    return e.setup;
}

void ScriptedFrontend::ShowElection(TElectionCount& count) {
    log.push_back("election");
    Expectation e;
    Take("election", 0, e);
    count.RunThrough();
}

void ScriptedFrontend::ShowFleetCombat(const TFleetCombatView& view) {
    log.push_back("fleet combat");
    fleetCombats.push_back(view);
    Expectation e;
    Take("fleet combat", 0, e);
}

void ScriptedFrontend::RunCombatResolution(TCombatResolution& dialog) {
    log.push_back("combat resolution");
    combatResolutions.push_back(dialog.view);
    Expectation e;
    if (Take("combat resolution", 0, e)) e.press ? e.press(dialog) : dialog.RunUnattended();
}

// Unscripted, the person closes the intensity dialog untouched (Skirmish) and takes the first
// candidate (the corps dialog would open again until a line is chosen).
int ScriptedFrontend::ChooseBattleIntensity(const TBattleIntensityView& view) {
    intensityViews.push_back(view);
    Expectation e;
    const int answer = Take("intensity", 0, e) && e.answer != 0 ? e.answer : 1;
    log.push_back("intensity " + std::to_string(answer));
    return answer;
}

int ScriptedFrontend::ChooseLeaderSuccessor(const TLeaderSuccessorView& view) {
    successorViews.push_back(view);
    Expectation e;
    const int line = Take("successor", 0, e) ? e.answer : 0;
    log.push_back("successor " + std::to_string(line));
    return line;
}

void ScriptedFrontend::ShowBattleResults(const TBattleResultsView& results, const TBattleAnalysisView&) {
    log.push_back("battle results");
    battleResults.push_back(results);
    Expectation e;
    Take("battle results", 0, e);
}

void ScriptedFrontend::RunFortAssault(TFortAssault& dialog) {
    log.push_back("fort assault");
    Expectation e;
    Take("fort assault", 0, e);
    dialog.RunUnattended();
    fortAssaults.push_back(dialog.view);
}

void ScriptedFrontend::ShowReplayCombatResolution(const TReplayResolutionView& view) {
    log.push_back("replay resolution");
    replayResolutions.push_back(view);
}

void ScriptedFrontend::ShowReplayBattleResults(const TReplayResultsView& view) {
    log.push_back("replay results");
    replayResults.push_back(view);
}

void ScriptedFrontend::DrawBattleMarker(int column, int row) {
    log.push_back("battle marker " + std::to_string(column) + " " + std::to_string(row));
    battleMarkers.push_back({column, row, ViewColumn, ViewRow});
}

std::string ScriptedFrontend::ChooseOpenFile() {
    log.push_back("open");
    Expectation e;
    Take("open", 0, e);
    return e.text;
}

std::string ScriptedFrontend::ChooseSaveFile() {
    log.push_back("save");
    Expectation e;
    Take("save", 0, e);
    return e.text;
}

void ScriptedFrontend::DrawCorps(int corps) {
    log.push_back("draw corps " + std::to_string(corps));
    const TCorpsRec& c = GameRec->Corps[corps];
    shown.push_back({MovedUnit::Corps, corps, c.HexX, c.HexY, ViewColumn, ViewRow, MovedUnitCaption(MovedUnit::Corps, corps)});
}

void ScriptedFrontend::DrawFleet(int fleet) {
    log.push_back("draw fleet " + std::to_string(fleet));
    const TFleetRec& f = GameRec->Fleets[fleet];
    shown.push_back({MovedUnit::Fleet, fleet, f.HexX, f.HexY, ViewColumn, ViewRow, MovedUnitCaption(MovedUnit::Fleet, fleet)});
}

}  // namespace kvt::testing
