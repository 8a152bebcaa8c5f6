// The sound card player on an ALSA device that needs no sound card: "file:" writes what it is
// given to a file, through the null device, so it never waits.
#include <gtest/gtest.h>

#include <string>

#include "gui/ui/formats/text_utils.h"
#include "gui/ui/sound_player.h"
#include "tests/support/engine_fixture.h"

namespace kvt::gui {
namespace {

std::string Le(uint32_t v, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

// An 8-bit mono wave at 8 kHz holding these samples.
std::string Wave(const std::string& samples) {
    const std::string fmt = Le(1, 2) + Le(1, 2) + Le(8000, 4) + Le(8000, 4) + Le(1, 2) + Le(8, 2);
    const std::string body =
        "WAVE" + std::string("fmt ") + Le(16, 4) + fmt + "data" + Le(static_cast<uint32_t>(samples.size()), 4) + samples;
    return "RIFF" + Le(static_cast<uint32_t>(body.size()), 4) + body;
}

std::string Samples(size_t n, int step) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += static_cast<char>((i * step) & 0xFF);
    return s;
}

TEST(AlsaSoundPlayer, WritesEachSoundsSamplesToTheDeviceInFull) {
    const std::string dir = kvt::testing::TempFolder("alsa");
    const std::string out = dir + "/played.raw";
    const std::string first = Samples(20000, 3), second = Samples(5000, 7);
    ASSERT_TRUE(kvt::ui::WriteFileReplacing(dir + "/first.wav", Wave(first)));
    ASSERT_TRUE(kvt::ui::WriteFileReplacing(dir + "/second.wav", Wave(second)));
    ASSERT_TRUE(kvt::ui::WriteFileReplacing(dir + "/broken.wav", "RIFF"));
    TAlsaSoundPlayer player("file:'" + out + "',raw");
    struct Case {
        const char* file;
        std::string played;  // what the device holds afterwards
    } cases[] = {
        {"first.wav", first},
        {"second.wav", second},
        {"missing.wav", second},  // nothing to play: the device is not even opened
        {"broken.wav", second},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        player.PlayAsync(dir + "/" + c.file);
        player.WaitForEnd();
        std::string played;
        ASSERT_TRUE(kvt::ui::ReadWholeFile(out, played));
        EXPECT_EQ(played.size(), c.played.size());
        EXPECT_TRUE(played == c.played);
    }
}

}  // namespace
}  // namespace kvt::gui
