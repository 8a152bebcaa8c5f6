// The scripted test frontend.
#include "tests/support/scripted_frontend.h"

#include <gtest/gtest.h>

#include "engine/core/globals.h"
#include "engine/core/movement_ticks.h"
#include "engine/core/notice.h"

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
void ScriptedFrontend::ExpectOpenFile(const std::string& name) { expected_.push_back({"open", 0, 0, name, {}}); }
void ScriptedFrontend::ExpectSaveFile(const std::string& name) { expected_.push_back({"save", 0, 0, name, {}}); }

bool ScriptedFrontend::Take(const std::string& what, int kind, Expectation& out) {
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
