// A frontend for tests: answers waits from a queue the test fills, records every call, and fails
// the test on a wait it did not expect.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "engine/core/frontend.h"

namespace kvt::testing {

class ScriptedFrontend : public Frontend {
public:
    ScriptedFrontend();
    ~ScriptedFrontend() override;

    // The next notice must be of this kind; the answer is written into EventNotice
    // (0 leaves the answer the raiser set, as a dialog without choices does).
    void ExpectNotice(int kind, int answer = 0);
    // The next information box; its text is recorded.
    void ExpectInformationBox();
    // Accept any number of notices and boxes without expectations (answers: first offered choice).
    void AllowAnyWaits(bool on) { allowAny_ = on; }

    void ShowNotice(int kind) override;
    void InformationBox(const std::string& text) override;
    void Repaint() override { ++repaints; }
    void Timer1Changed(bool enabled) override { timerChanges.push_back(enabled); }

    // Everything that happened, in order, as short texts ("notice 3", "info: ...").
    std::vector<std::string> log;
    std::vector<std::string> messages;
    std::vector<bool> timerChanges;
    int repaints = 0;

    bool AllExpectationsMet() const { return expected_.empty(); }

private:
    struct Expectation {
        std::string what;
        int kind = 0;
        int answer = 0;
    };
    bool Take(const std::string& what, int kind, Expectation& out);
    std::deque<Expectation> expected_;
    bool allowAny_ = false;
};

}  // namespace kvt::testing
