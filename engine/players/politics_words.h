// Saturating changes of the political words (will, attitude, loyalty, ratings): a rule pushing a
// word past its range stops at the range's end instead of wrapping round to the other extreme.
#pragma once

#include <algorithm>
#include <cstdint>

#include "engine/world/record_types.h"

namespace kvt {

// Adds delta to a signed word, kept within -32768..32767.
inline void AddClamped(I16& word, int delta) {
    word = static_cast<std::int16_t>(std::clamp(word + delta, -32768, 32767));
}

// Adds delta to a word, kept within 0..65535.
inline void AddClamped(U16& word, int delta) {
    word = static_cast<std::uint16_t>(std::clamp(word + delta, 0, 65535));
}

// Adds delta to a byte, kept within 0..cap.
inline void AddClamped(U8& byte, int delta, int cap = 255) {
    byte = static_cast<U8>(std::clamp(byte + delta, 0, cap));
}

}  // namespace kvt
