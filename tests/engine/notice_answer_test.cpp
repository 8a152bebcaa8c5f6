// The answer of a notice closed without touching its choices, and the timer around a notice.
#include <gtest/gtest.h>

#include "engine/core/globals.h"
#include "engine/core/notice.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

class NoticeAnswer : public testing::EngineTest {};

TEST_F(NoticeAnswer, AQuestionClosedUntouchedAnswersItsFirstOfferedChoice) {
    struct Case { const char* name; int kind; std::vector<int> offered; int answer; };
    const Case cases[] = {
        {"standard notice, choices 1 and 2", 0, {1, 2}, 1},
        {"standard notice without choice 1", 0, {3, 5}, 3},
        {"city fall without choice 1", 3, {2}, 2},
        {"rebellion", 14, {4, 6}, 4},
        {"no choice offered", 0, {}, 0},
        {"a plain notice shows no choices", 15, {2}, 0},
    };
    for (const Case& c : cases) {
        ClearEventNotice();
        EventNotice.Kind = static_cast<std::uint16_t>(c.kind);
        for (int k : c.offered) OfferChoice(k, "choice " + std::to_string(k));
        ScriptedFrontend fe;
        fe.ExpectNotice(c.kind);  // the person presses the button and nothing else
        ShowEventNotice();
        EXPECT_EQ(EventNotice.Answer, c.answer) << c.name;
    }
}

TEST_F(NoticeAnswer, TheTimerIsRestoredAsItWasAndAKindWithoutDialogShowsNothing) {
    for (bool running : {false, true}) {
        for (int kind : {0, 12}) {
            SetTimer1Enabled(running);
            ClearEventNotice();
            EventNotice.Kind = static_cast<std::uint16_t>(kind);
            ScriptedFrontend fe;
            if (kind == 0) fe.ExpectNotice(0);
            ShowEventNotice();
            EXPECT_EQ(Timer1Enabled(), running) << "kind " << kind;
            EXPECT_EQ(fe.log.size(), kind == 0 ? 1u : 0u);
        }
    }
}

}  // namespace
}  // namespace kvt
