// The event-notice service: clearing and filling the notice, pausing the movement timer around
// it, and kinds without a dialog.
#include <gtest/gtest.h>

#include <string>

#include "engine/core/frontend.h"
#include "engine/core/globals.h"
#include "engine/core/notice.h"
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

}  // namespace
}  // namespace kvt
