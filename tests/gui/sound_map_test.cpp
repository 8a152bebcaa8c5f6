// Sound events from the per-user event layout (or a settings file) to a player that records what
// would have played, also as a button's sounds.
#include <gtest/gtest.h>

#include <QTest>

#include <filesystem>
#include <memory>

#include "gui/ui/formats/registry_standin.h"
#include "gui/ui/graphic_button.h"
#include "gui/ui/sound_map.h"
#include "gui/ui/sound_player.h"
#include "tests/gui/control_fixture.h"
#include "tests/gui/gui_support.h"
#include "tests/support/engine_fixture.h"

namespace kvt::gui {
namespace {

using kvt::testing::RecordingPlayer;

class SoundMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        kvt::ui::SetRegistryFile(kvt::testing::TempFolder("sound") + "/registry.txt");
        previous_ = InstallSoundPlayer(&player_);
    }
    void TearDown() override {
        InstallSoundPlayer(previous_);
        kvt::ui::SetRegistryFile(kvt::testing::TempFolder("sound-unused") + "/none.txt");
    }
    // Writes an event the way the per-user layout keeps it.
    void Register(const std::string& app, const std::string& event, const std::string& file, int disabled = -1) {
        kvt::ui::TRegistry reg(kvt::ui::TRegRootType::rrtHKEY_CURRENT_USER);
        const std::string key = "\\AppEvents\\Schemes\\Apps\\" + app + "\\" + event;
        ASSERT_TRUE(reg.OpenKey(key + "\\.current", true));
        reg.WriteString("", file);
        if (disabled >= 0) {
            ASSERT_TRUE(reg.OpenKey(key, false));
            reg.WriteDWord("Disabled", static_cast<uint32_t>(disabled));
        }
    }
    RecordingPlayer player_;
    TSoundPlayer* previous_ = nullptr;
};

TEST_F(SoundMapTest, EventsPlayTheirFilesUnlessSilenced) {
    Register("Kvt", "Click", "  click.wav ");
    Register("Kvt", "Blank", "   ");
    Register("Kvt", "Off", "off.wav", 1);
    Register("Kvt", "On", "on.wav", 0);
    Register("Kvt", "Group\\Click", "nested.wav");
    Register("Kvt", "Fire.Volley", "volley.wav");
    Register("Other", "Click", "other.wav");
    Register("Kvt", "..\\Other\\Click", "inside.wav");  // a key literally named ".." below Kvt
    struct Case {
        const char* event;
        std::vector<std::string> played;
    } cases[] = {
        {"Click", {"click.wav"}},
        {"click", {"click.wav"}},  // names ignore case
        {"Blank", {}},
        {"Off", {}},
        {"On", {"on.wav"}},
        {"Missing", {}},
        {"", {}},
        // A name may name a nested key or hold dots; ".." walks into no other application's
        // key, and a name that no key has plays nothing.
        {"Group\\Click", {"nested.wav"}},
        {"group\\CLICK", {"nested.wav"}},
        {"Fire.Volley", {"volley.wav"}},
        {"Group", {}},
        {"..\\..\\Other\\Click", {}},
        {"..\\Other\\Click", {"inside.wav"}},  // under Kvt, never the other program's other.wav
        {"\\AppEvents\\Schemes\\Apps\\Other\\Click", {}},
        {"Group\\\\Click", {}},
        {"Click\r", {}},
        {"Cl*ck", {}},
    };
    TElSoundMap map;
    map.SetApplicationKey(QStringLiteral("Kvt"));
    for (const auto& c : cases) {
        player_.played.clear();
        map.Play(QString::fromStdString(c.event));
        EXPECT_EQ(player_.played, c.played) << c.event;
    }
    player_.played.clear();
    map.SetMute(true);
    map.Play(QStringLiteral("Click"));
    EXPECT_TRUE(player_.played.empty());
    map.SetMute(false);
    map.SetScheme(QStringLiteral("Loud"));
    map.Play(QStringLiteral("Click"));
    EXPECT_TRUE(player_.played.empty());  // no file under that scheme
}

// A button's press, release and click sounds come out of the player as the files they are mapped to.
TEST_F(SoundMapTest, AButtonsSoundEventsPlayTheirMappedFiles) {
    for (const char* event : {"Press", "Release", "Click"}) Register("Kvt", event, std::string(event) + ".wav");
    TElSoundMap map;
    map.SetApplicationKey(QStringLiteral("Kvt"));
    QWidget parent;
    auto* b = new TElGraphicButton(&parent);
    b->SetSoundMap(&map);
    b->DownSound = QStringLiteral("Press");
    b->UpSound = QStringLiteral("Release");
    b->ClickSound = QStringLiteral("Click");
    parent.show();
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(player_.played, (std::vector<std::string>{"Press.wav", "Release.wav", "Click.wav"}));
}

}  // namespace
}  // namespace kvt::gui
