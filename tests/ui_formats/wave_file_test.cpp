// Wave files the sound map's player accepts and refuses.
#include <gtest/gtest.h>

#include "gui/ui/formats/wave_file.h"

namespace kvt::ui {
namespace {

std::string Le(uint32_t v, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

std::string Wave(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits, const std::string& data,
                 uint32_t dataSize, const std::string& extra = "") {
    std::string fmt = Le(format, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * channels * bits / 8, 4) +
                      Le(channels * bits / 8, 2) + Le(bits, 2);
    std::string body = "WAVE" + extra + "fmt " + Le(static_cast<uint32_t>(fmt.size()), 4) + fmt + "data" +
                       Le(dataSize, 4) + data;
    return "RIFF" + Le(static_cast<uint32_t>(body.size()), 4) + body;
}

TEST(WaveFile, ReadsPlayableFormatsAndRefusesTheRest) {
    const std::string four(4, '\x7F');
    struct Case {
        const char* what;
        std::string bytes;
        bool ok;
        size_t sampleBytes;
    } cases[] = {
        {"16-bit stereo", Wave(1, 2, 44100, 16, four, 4), true, 4},
        {"8-bit mono with an odd chunk before", Wave(1, 1, 8000, 8, "abc", 3, "junk" + Le(1, 4) + "x" + std::string(1, '\0')), true, 3},
        {"float", Wave(3, 1, 48000, 32, four + four, 8), true, 8},
        {"data cut short by a stopped recording", Wave(1, 1, 22050, 16, four, 4000), true, 4},
        {"half a frame dropped", Wave(1, 2, 22050, 16, "abcdef", 6), true, 4},
        {"compressed", Wave(2, 1, 22050, 4, four, 4), false, 0},
        {"no channels", Wave(1, 0, 22050, 16, four, 4), false, 0},
        {"odd bit depth", Wave(1, 1, 22050, 12, four, 4), false, 0},
        {"absurd rate", Wave(1, 1, 5, 16, four, 4), false, 0},
        {"not RIFF", "RIFX" + Wave(1, 1, 8000, 8, "a", 1).substr(4), false, 0},
        {"chunk beyond the file", Wave(1, 1, 8000, 8, "a", 1, "junk" + Le(99999, 4)), false, 0},
        {"no data", Wave(1, 1, 8000, 8, "", 0).substr(0, 36), false, 0},
    };
    for (const auto& c : cases) {
        TWaveSound sound;
        EXPECT_EQ(ParseWave(c.bytes, sound), c.ok) << c.what;
        if (c.ok) {
            EXPECT_EQ(sound.samples.size(), c.sampleBytes) << c.what;
        }
    }
    TWaveSound sound;
    ASSERT_TRUE(ParseWave(Wave(3, 2, 48000, 32, std::string(16, '\0'), 16), sound));
    EXPECT_TRUE(sound.isFloat);
    EXPECT_EQ(sound.channels, 2);
    EXPECT_EQ(sound.sampleRate, 48000u);
    EXPECT_EQ(sound.FrameBytes(), 8u);
}

}  // namespace
}  // namespace kvt::ui
