// Pieces (corps, cities) sorted by the column they stand in, for sweeps that look only at the
// pieces within reach: a hex distance is never less than the column or the row difference.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace kvt {

// A piece's hex and side.
struct TPlace {
    int x, y, side;
};

// In index order within each column (any byte), with their hexes and sides side by side, so a
// sweep reads a record only for a piece within reach.
template <int kMax>
struct TByColumn {
    std::array<std::uint8_t, 257> start{};
    std::array<std::uint8_t, kMax> index{}, x{}, y{}, side{};

    template <typename Place, typename Counted>
    void Sort(int count, Place place, Counted counted) {
        start.fill(0);
        int last = 0;
        for (int i = 1; i <= count; ++i)
            if (counted(i)) {
                ++start[place(i).x + 1];
                last = std::max(last, place(i).x);
            }
        // Past the last piece's column every start is the whole count.
        for (int c = 1; c <= last + 1; ++c) start[c] = static_cast<std::uint8_t>(start[c] + start[c - 1]);
        std::fill(start.begin() + last + 2, start.end(), start[last + 1]);
        std::array<std::uint8_t, 257> at = start;
        for (int i = 1; i <= count; ++i) {
            if (!counted(i)) continue;
            const TPlace p = place(i);
            const int slot = at[p.x]++;
            index[slot] = static_cast<std::uint8_t>(i);
            x[slot] = static_cast<std::uint8_t>(p.x);
            y[slot] = static_cast<std::uint8_t>(p.y);
            side[slot] = static_cast<std::uint8_t>(p.side);
        }
    }
    // Calls f(index, x, y, side) for every piece within `reach` columns and rows of (x0, y0).
    template <typename F>
    void ForNear(int x0, int y0, int reach, F f) const {
        // The columns in reach lie side by side in the lists: one run from the first to the last.
        const int end = start[std::min(255, x0 + reach) + 1];
        for (int i = start[std::max(0, x0 - reach)]; i < end; ++i)
            if (std::abs(y[i] - y0) <= reach) f(index[i], x[i], y[i], side[i]);
    }
    int Count() const { return start[256]; }
};

}  // namespace kvt
