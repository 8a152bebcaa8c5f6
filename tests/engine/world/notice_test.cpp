// The event-notice service: clearing and filling the notice, pausing the movement timer around
// it, kinds without a dialog, the answer of a notice nobody touches, and every kind's layout.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/turn/automatic_frontend.h"
#include "engine/view/notice_layouts.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/text_table.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::EngineTest;
using testing::ScriptedFrontend;

class NoticeService : public EngineTest {};

// Notes whether the movement timer ran while the dialog was open.
class TimerWatchingFrontend : public AutomaticFrontend {
public:
    void ShowNotice(int kind) override {
        timerDuringNotice = Timer1Enabled();
        AutomaticFrontend::ShowNotice(kind);
    }
    bool timerDuringNotice = true;
};

TEST_F(NoticeService, ClearingEmptiesTheNoticeButKeepsCaptions) {
    EventNotice.Kind = 6;
    EventNotice.Answer = 3;
    for (int n = 1; n <= 4; ++n) EventNotice.SetLine(n, "line");
    OfferChoice(2, "Retreat");
    NoticeChoices[2].Spare = 9;
    ClearEventNotice();
    EXPECT_EQ(EventNotice.Kind, 0);
    EXPECT_EQ(EventNotice.Answer, 0);
    for (int n = 1; n <= 4; ++n) EXPECT_TRUE(EventNotice.Line(n).empty());
    EXPECT_EQ(NoticeChoices[2].Offered, 0);
    EXPECT_EQ(NoticeChoices[2].Spare, 0);
    EXPECT_EQ(NoticeChoices[2].Caption.str(), "Retreat") << "a caption counts only when offered";
    EXPECT_EQ(FirstOfferedChoice(), 0);
}

TEST_F(NoticeService, LongTextsAreCutToTheirRoom) {
    const std::string long50(50, 'x');
    EventNotice.SetLine(1, long50);
    OfferChoice(1, long50);
    EXPECT_EQ(EventNotice.Line(1).str(), std::string(40, 'x'));
    EXPECT_EQ(NoticeChoices[1].Caption.str(), std::string(23, 'x'));
    EventNotice.SetLine(5, "nowhere");  // no fifth line: nothing changes
    EXPECT_EQ(EventNotice.Line(1).str(), std::string(40, 'x'));
}

TEST_F(NoticeService, TimerIsPausedForTheNoticeAndRestoredAsItWas) {
    struct Case { int kind; bool timerBefore; bool shown; };
    const Case cases[] = {{0, true, true}, {19, false, true}, {12, true, false}, {13, false, false}, {16, true, false}};
    for (const Case& c : cases) {
        TimerWatchingFrontend frontend;
        InstallFrontend(&frontend);
        SetTimer1Enabled(c.timerBefore);
        RaiseEventNotice(c.kind, "news");
        EXPECT_EQ(frontend.notices, c.shown ? 1 : 0) << "kind " << c.kind;
        if (c.shown) EXPECT_FALSE(frontend.timerDuringNotice) << "kind " << c.kind;
        EXPECT_EQ(Timer1Enabled(), c.timerBefore) << "kind " << c.kind;
        InstallFrontend(nullptr);
        SetTimer1Enabled(false);
    }
}

TEST_F(NoticeService, RaisingFillsKindAndLinesAndKeepsThemForTheReader) {
    ScriptedFrontend frontend;
    frontend.ExpectNotice(18);
    RaiseEventNotice(18, "one", "two", "three", "four");
    ASSERT_EQ(frontend.notices.size(), 1u);
    EXPECT_EQ(frontend.notices[0].kind, 18);
    EXPECT_EQ(frontend.notices[0].lines[4], "four");
    EXPECT_EQ(EventNotice.Kind, 18);
    EXPECT_EQ(EventNotice.Line(3).str(), "three");
}

// Nobody at the screen (the automatic frontend, or a scripted one told to take any wait) must
// answer exactly as a person who only presses the first button of the kind's dialog.
TEST_F(NoticeService, AnUnattendedNoticeIsAnsweredAsItsDialogAnswersUntouched) {
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

TEST_F(NoticeService, EveryKindWithADialogHasALayoutThatAgreesWithTheDispatcher) {
    for (int kind = 0; kind <= 40; ++kind) {
        const TNoticeDialogLook look = NoticeLayoutOf(kind);
        EXPECT_EQ(look.layout != NoticeLayout::None, NoticeKindHasDialog(kind)) << "kind " << kind;
        EXPECT_EQ(look.layout == NoticeLayout::Choice, NoticeKindOffersChoices(kind)) << "kind " << kind;
        // Every dialog but the standard notice carries a caption of its own.
        if (look.layout != NoticeLayout::None && kind != 0) EXPECT_NE(look.captionText, 0) << "kind " << kind;
    }
}

TEST_F(NoticeService, TheForeignAffairsButtonsFollowTheOfferedAnswers) {
    TextTable.LoadFromString(std::string(477, '\n') + "Continue\n");
    struct Case {
        const char* name;
        std::vector<int> offered;
        std::vector<int> shown;
        std::string button1;
    };
    const Case cases[] = {
        {"choices 1 and 3", {1, 3}, {1, 3}, "answer 1"},
        {"nothing offered", {}, {1}, "Continue"},
        {"choice 1 missing", {2, 5}, {1, 2, 5}, "Continue"},
        {"choice 6 has no button", {1, 6}, {1}, "answer 1"},
    };
    for (const Case& c : cases) {
        ClearEventNotice();
        for (int k : c.offered) OfferChoice(k, "answer " + std::to_string(k));
        const auto buttons = ForeignAffairsButtons();
        std::vector<int> shown;
        for (int k = 1; k <= 5; ++k)
            if (buttons[k].shown) shown.push_back(k);
        EXPECT_EQ(shown, c.shown) << c.name;
        EXPECT_EQ(buttons[1].caption, c.button1) << c.name;
        for (int k = 2; k <= 5; ++k)
            if (buttons[k].shown) EXPECT_EQ(buttons[k].caption, "answer " + std::to_string(k)) << c.name;
    }
}

}  // namespace
}  // namespace kvt
