// Record fields changed by a delta stop at the limits of their width instead of wrapping.
#pragma once

#include <limits>

#include "engine/world/record_types.h"

namespace kvt {

// Adds delta to a record field, stopping at the limits of its width instead of wrapping.
template <typename T>
T Saturated(long long v) {
    if (v < static_cast<long long>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    if (v > static_cast<long long>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    return static_cast<T>(v);
}
inline void Bump(std::uint8_t& field, long long delta) { field = Saturated<std::uint8_t>(field + delta); }
inline void Bump(std::int8_t& field, long long delta) { field = Saturated<std::int8_t>(field + delta); }
template <typename T>
void Bump(LeInt<T>& field, long long delta) {
    field = Saturated<T>(static_cast<long long>(field.get()) + delta);
}

}  // namespace kvt
