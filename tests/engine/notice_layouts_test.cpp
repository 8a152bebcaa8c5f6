// The notice dialogs' table: every kind with a dialog has a layout that matches the dispatcher's
// view of it, and the foreign-affairs question's buttons follow the offered answers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/notice.h"
#include "engine/core/notice_layouts.h"
#include "engine/core/text_table.h"
#include "tests/support/engine_fixture.h"

namespace kvt {
namespace {

class NoticeLayouts : public testing::EngineTest {};

TEST_F(NoticeLayouts, EveryKindWithADialogHasALayoutThatAgreesWithTheDispatcher) {
    for (int kind = 0; kind <= 40; ++kind) {
        const TNoticeDialogLook look = NoticeLayoutOf(kind);
        EXPECT_EQ(look.layout != NoticeLayout::None, NoticeKindHasDialog(kind)) << "kind " << kind;
        EXPECT_EQ(look.layout == NoticeLayout::Choice, NoticeKindOffersChoices(kind)) << "kind " << kind;
        // Every dialog but the standard notice carries a caption of its own.
        if (look.layout != NoticeLayout::None && kind != 0) EXPECT_NE(look.captionText, 0) << "kind " << kind;
    }
}

TEST_F(NoticeLayouts, TheForeignAffairsButtonsFollowTheOfferedAnswers) {
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
