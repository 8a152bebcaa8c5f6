// The scripted test frontend.
#include "tests/support/scripted_frontend.h"

#include <gtest/gtest.h>

#include "engine/core/notice.h"

namespace kvt::testing {

ScriptedFrontend::ScriptedFrontend() { InstallFrontend(this); }

ScriptedFrontend::~ScriptedFrontend() {
    InstallFrontend(nullptr);
    EXPECT_TRUE(expected_.empty()) << "expected waits that never came: " << expected_.size() << ", first "
                                   << (expected_.empty() ? std::string() : expected_.front().what);
}

void ScriptedFrontend::ExpectNotice(int kind, int answer) { expected_.push_back({"notice", kind, answer}); }
void ScriptedFrontend::ExpectInformationBox() { expected_.push_back({"info", 0, 0}); }

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
    out = {what, kind, 0};
    return allowAny_;
}

void ScriptedFrontend::ShowNotice(int kind) {
    log.push_back("notice " + std::to_string(kind));
    Expectation e;
    if (!Take("notice", kind, e)) return;
    if (e.answer != 0) EventNotice.Answer = static_cast<std::uint16_t>(e.answer);
    else if (allowAny_ && FirstOfferedChoice() != 0) EventNotice.Answer = static_cast<std::uint16_t>(FirstOfferedChoice());
}

void ScriptedFrontend::InformationBox(const std::string& text) {
    log.push_back("info: " + text);
    messages.push_back(text);
    Expectation e;
    Take("info", 0, e);
}

}  // namespace kvt::testing
