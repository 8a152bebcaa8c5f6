// FNV-1a over bytes, 64 bits: the same on every build and machine, so it can name what is stored
// (a game's checksum, a game's files in a folder).
#pragma once

#include <cstddef>
#include <cstdint>

namespace kvt {

inline constexpr std::uint64_t kFnvOffsetBasis = 0xcbf29ce484222325ULL;

inline std::uint64_t Fnv1a(std::uint64_t h, const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        h ^= p[i];
        h *= 0x100000001b3ULL;
    }
    return h;
}

}  // namespace kvt
