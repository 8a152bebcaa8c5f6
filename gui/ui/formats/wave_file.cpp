// The wave file reader: walks the chunks, takes "fmt " and "data", skips the others.
#include "gui/ui/formats/wave_file.h"

namespace kvt::ui {

namespace {

uint32_t Le(const std::string& s, size_t pos, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(s[pos + i])) << (8 * i);
    return v;
}

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

}  // namespace

bool ParseWave(const std::string& bytes, TWaveSound& sound) {
    sound = TWaveSound{};
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return false;
    bool haveFormat = false, haveData = false;
    uint16_t format = 0;
    size_t pos = 12;
    while (pos + 8 <= bytes.size()) {
        const std::string id = bytes.substr(pos, 4);
        const uint32_t size = Le(bytes, pos + 4, 4);
        pos += 8;
        // A chunk that claims more than the file holds is cut to what is there only for data,
        // as recorders that were stopped leave it; any other such chunk is damage.
        const size_t available = bytes.size() - pos;
        if (id == "fmt ") {
            if (size < 16 || size > available) return false;
            format = static_cast<uint16_t>(Le(bytes, pos, 2));
            sound.channels = static_cast<uint16_t>(Le(bytes, pos + 2, 2));
            sound.sampleRate = Le(bytes, pos + 4, 4);
            sound.bitsPerSample = static_cast<uint16_t>(Le(bytes, pos + 14, 2));
            if (format == kFormatExtensible) {
                if (size < 40) return false;
                format = static_cast<uint16_t>(Le(bytes, pos + 24, 2));
            }
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) return false;
            const size_t take = size < available ? size : available;
            sound.samples.assign(bytes.begin() + static_cast<std::ptrdiff_t>(pos),
                                 bytes.begin() + static_cast<std::ptrdiff_t>(pos + take));
            haveData = true;
            break;
        } else if (size > available) {
            return false;
        }
        pos += size + (size & 1);  // chunks are padded to even sizes
    }
    if (!haveFormat || !haveData) return false;
    if (sound.channels < 1 || sound.channels > 8 || sound.sampleRate < 1000 || sound.sampleRate > 384000) return false;
    if (format == kFormatPcm) {
        if (sound.bitsPerSample != 8 && sound.bitsPerSample != 16 && sound.bitsPerSample != 24 &&
            sound.bitsPerSample != 32)
            return false;
    } else if (format == kFormatFloat) {
        if (sound.bitsPerSample != 32) return false;
        sound.isFloat = true;
    } else {
        return false;
    }
    sound.samples.resize(sound.samples.size() - sound.samples.size() % sound.FrameBytes());
    return true;
}

}  // namespace kvt::ui
