// Shared questions about the game record.
#include "engine/world/record_queries.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "engine/world/globals.h"

namespace kvt {

int SideBeingPlayed() { return GameRec->Nations[SidePlayed].Side; }

bool OwnForcesMessageShown(int nation) {
    const TGameRec& g = *GameRec;
    const bool mail = g.GameKind >= 2 && g.GameKind <= 4;
    // SidePlayed is cleared while a turn runs; in a mail game it is always the side to move.
    return !mail || nation == g.SideToMove;
}

namespace {

// Whole bit words: the slots past the last corps are never in use and never listed.
constexpr int kSpotSlots = 128;

struct TCorpsSpots {
    bool held = false;
    // 16 bits: a column difference plus the reach never wraps onto a hex.
    alignas(32) std::array<std::int16_t, kSpotSlots> x{}, y{};
    // The side of a corps in use (kNoSide otherwise), for EnemyCorpsOn.
    alignas(32) std::array<std::uint16_t, kSpotSlots> side{};
    // The corps standing in each column, one bit a slot: a query reads the few columns it spans
    // rather than every slot.
    std::array<std::array<std::uint64_t, kSpotSlots / 64>, 256> columns{};
};
constexpr std::uint16_t kNoSide = 0xFFFF;
TCorpsSpots spots;

inline void Spot(int corps) {
    const TCorpsRec& k = GameRec->Corps[corps];
    const auto i = static_cast<std::size_t>(corps - 1);
    spots.columns[static_cast<std::size_t>(k.HexX)][i / 64] |= std::uint64_t{1} << (i % 64);
    spots.x[i] = k.HexX;
    spots.y[i] = k.HexY;
    spots.side[i] = CorpsInUse(k) ? k.Side : kNoSide;
}

}  // namespace

void HoldCorpsSpots() {
    spots.columns = {};
    spots.side.fill(kNoSide);
    for (int j = 1; j <= kCorpsCount; ++j) Spot(j);
    spots.held = true;
}

void RefreshCorpsSpot(int corps) {
    if (!spots.held || corps < 1 || corps > kCorpsCount) return;
    const auto i = static_cast<std::size_t>(corps - 1);
    spots.columns[static_cast<std::size_t>(spots.x[i])][i / 64] &= ~(std::uint64_t{1} << (i % 64));
    Spot(corps);
}

void ReleaseCorpsSpots() { spots.held = false; }

int CorpsNear(int x, int y, int reach, std::span<std::uint8_t, kCorpsCount> out) {
    const auto span = static_cast<unsigned>(2 * reach);
    int count = 0;
    if (!spots.held) {
        for (int j = 1; j <= kCorpsCount; ++j) {
            const TCorpsRec& k = GameRec->Corps[j];
            if (static_cast<unsigned>(k.HexX - x + reach) <= span && static_cast<unsigned>(k.HexY - y + reach) <= span)
                out[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(j);
        }
        return count;
    }
    const auto sy = static_cast<std::int16_t>(y - reach);
    const auto s16 = static_cast<std::uint16_t>(span);
    std::array<std::uint64_t, kSpotSlots / 64> inColumns{};
    for (int cx = std::max(x - reach, 0); cx <= std::min(x + reach, 255); ++cx)
        for (std::size_t w = 0; w < inColumns.size(); ++w) inColumns[w] |= spots.columns[static_cast<std::size_t>(cx)][w];
    for (std::size_t w = 0; w < inColumns.size(); ++w)
        for (std::uint64_t bits = inColumns[w]; bits != 0; bits &= bits - 1) {
            const auto j = 64 * w + static_cast<std::size_t>(std::countr_zero(bits));
            if (static_cast<std::uint16_t>(spots.y[j] - sy) <= s16) out[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(j + 1);
        }
    return count;
}

bool EnemyCorpsOn(int x, int y, int side) {
    // Numbers past a byte are left to the plain look.
    if (spots.held && x >= 0 && x <= 255 && y >= 0 && y <= 255 && side >= 0 && side <= 255) {
        const auto own = static_cast<std::uint16_t>(side);
        for (std::size_t w = 0; w < kSpotSlots / 64; ++w)
            for (std::uint64_t bits = spots.columns[static_cast<std::size_t>(x)][w]; bits != 0; bits &= bits - 1) {
                const auto j = 64 * w + static_cast<std::size_t>(std::countr_zero(bits));
                if (spots.y[j] == y && spots.side[j] != own && spots.side[j] != kNoSide) return true;
            }
        return false;
    }
    // Asked by land searches and steps by the ten thousand: four corps a round, the column first.
#pragma GCC unroll 4
    for (const TCorpsRec& k : GameRec->Corps)
        if (k.HexX == x && k.HexY == y && CorpsInUse(k) && k.Side != side) return true;
    return false;
}

}  // namespace kvt
