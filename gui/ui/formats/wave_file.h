// Reads a RIFF wave file into its format and sample bytes, for the sound map's player. Accepts
// integer PCM of 8, 16, 24 or 32 bits and 32-bit float, one to eight channels; checks every chunk
// size against what the file holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvt::ui {

struct TWaveSound {
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;
    bool isFloat = false;
    std::vector<uint8_t> samples;  // interleaved frames, little-endian

    size_t FrameBytes() const { return static_cast<size_t>(channels) * (bitsPerSample / 8); }
};

// False for anything that is not a wave file we can play.
bool ParseWave(const std::string& bytes, TWaveSound& sound);

}  // namespace kvt::ui
