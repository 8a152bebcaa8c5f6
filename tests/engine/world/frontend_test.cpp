// The frontend switch: the installed frontend answers, else the default every program sets (the
// automatic frontend), and with neither the program ends rather than leave a wait unanswered.
#include <gtest/gtest.h>

#include <string>

#include "engine/turn/automatic_frontend.h"
#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "tests/support/engine_fixture.h"

namespace kvt {
namespace {

class FrontendSwitch : public testing::EngineTest {
protected:
    void TearDown() override {
        InstallFrontend(nullptr);
        InstallAutomaticFrontendAsDefault();
        EngineTest::TearDown();
    }
};

TEST_F(FrontendSwitch, WithNoneInstalledTheRulesGetTheAutomaticFrontendsAnswers) {
    auto* automatic = dynamic_cast<AutomaticFrontend*>(&CurrentFrontend());
    ASSERT_NE(automatic, nullptr) << "the test program's default is the automatic frontend";
    const int before = automatic->messages;
    EXPECT_FALSE(LoadGameImages("no such game.kvt", LoadTime::StartUp));
    EXPECT_EQ(automatic->messages, before + 1) << "the load's message went to the default";
    EXPECT_NE(automatic->lastMessage.find("Please choose another game."), std::string::npos) << automatic->lastMessage;
}

TEST_F(FrontendSwitch, TheInstalledFrontendAnswersAndPuttingItBackLeavesTheDefault) {
    Frontend* automatic = &CurrentFrontend();
    AutomaticFrontend window, test, other;
    enum Op { Install, SetDefault, AutomaticDefault };
    struct Step { const char* what; Op op; Frontend* frontend; Frontend* answering; };
    const Step steps[] = {
        {"a window installed", Install, &window, &window},
        {"a test's over it", Install, &test, &test},
        {"put back", Install, nullptr, automatic},
        {"another default", SetDefault, &other, &other},
        {"a window over the other default", Install, &window, &window},
        {"put back to the other default", Install, nullptr, &other},
        {"the automatic default again", AutomaticDefault, nullptr, automatic},
    };
    for (const Step& s : steps) {
        if (s.op == Install) InstallFrontend(s.frontend);
        else if (s.op == SetDefault) SetDefaultFrontend(s.frontend);
        else InstallAutomaticFrontendAsDefault();
        EXPECT_EQ(&CurrentFrontend(), s.answering) << s.what;
    }
}

TEST(FrontendSwitchDeathTest, WithNeitherInstalledNorDefaultTheProgramEndsNamingTheFix) {
    EXPECT_DEATH(
        {
            InstallFrontend(nullptr);
            SetDefaultFrontend(nullptr);
            CurrentFrontend().Repaint();
        },
        "no frontend installed.*InstallAutomaticFrontendAsDefault");
}

}  // namespace
}  // namespace kvt
