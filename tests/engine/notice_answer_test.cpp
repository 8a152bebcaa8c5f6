// The answer of a notice closed without touching its choices, and the timer around a notice.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/core/frontend.h"
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

// Nobody at the screen (the automatic frontend, or a scripted one told to take any wait) must
// answer exactly as a person who only presses the first button of the kind's dialog.
TEST_F(NoticeAnswer, AnUnattendedNoticeIsAnsweredAsItsDialogAnswersUntouched) {
    enum Layout { Plain, Choice, Buttons };
    struct KindCase { int kind; Layout layout; };
    const KindCase kinds[] = {
        {0, Choice},  {3, Choice},  {4, Plain},   {6, Plain},   {7, Plain},   {9, Plain},   {10, Plain},
        {11, Plain},  {14, Choice}, {15, Plain},  {17, Choice}, {18, Plain},  {19, Plain},  {20, Plain},
        {21, Plain},  {22, Choice}, {23, Choice}, {24, Plain},  {25, Buttons},
    };
    // The raiser leaves 9 in the answer word; a dialog that writes no answer keeps it.
    struct OfferCase { const char* name; std::vector<int> offered; int plain, choice, buttons; };
    const OfferCase offers[] = {
        {"choices 2 and 4 offered", {2, 4}, 9, 2, 1},
        {"choices 1 and 3 offered", {1, 3}, 9, 1, 1},
        {"no choice offered", {}, 9, 9, 1},
    };
    for (bool automatic : {true, false}) {
        for (const KindCase& k : kinds) {
            for (const OfferCase& o : offers) {
                SCOPED_TRACE(std::string(automatic ? "automatic, " : "scripted, ") + "kind " +
                             std::to_string(k.kind) + ", " + o.name);
                ClearEventNotice();
                EventNotice.Kind = static_cast<std::uint16_t>(k.kind);
                EventNotice.Answer = 9;
                for (int c : o.offered) OfferChoice(c, "choice " + std::to_string(c));
                AutomaticFrontend automaticFrontend;
                std::optional<ScriptedFrontend> scripted;
                if (automatic) {
                    InstallFrontend(&automaticFrontend);
                } else {
                    scripted.emplace();
                    scripted->AllowAnyWaits(true);
                }
                ShowEventNotice();
                const int expected = k.layout == Plain ? o.plain : k.layout == Choice ? o.choice : o.buttons;
                EXPECT_EQ(EventNotice.Answer, expected);
                if (automatic) {
                    EXPECT_EQ(automaticFrontend.notices, 1);
                    InstallFrontend(nullptr);
                } else {
                    EXPECT_EQ(scripted->notices.size(), 1u);
                }
            }
        }
    }
}

}  // namespace
}  // namespace kvt
