// Shared questions about the game record.
#include "engine/world/record_queries.h"

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

// Whole vector words: the slots past the last corps are never in use and never listed.
constexpr int kSpotSlots = 128;

struct TCorpsSpots {
    bool held = false;
    // 16 bits: a column difference plus the reach never wraps onto a hex.
    alignas(32) std::array<std::int16_t, kSpotSlots> x{}, y{};
    // The hex as one word, and the side of a corps in use (kNoSide otherwise), for EnemyCorpsOn.
    alignas(32) std::array<std::uint16_t, kSpotSlots> hex{}, side{};
};
constexpr std::uint16_t kNoSide = 0xFFFF;
TCorpsSpots spots;

inline void Spot(int corps) {
    const TCorpsRec& k = GameRec->Corps[corps];
    const auto i = static_cast<std::size_t>(corps - 1);
    spots.x[i] = k.HexX;
    spots.y[i] = k.HexY;
    spots.hex[i] = static_cast<std::uint16_t>(k.HexX | k.HexY << 8);
    spots.side[i] = CorpsInUse(k) ? k.Side : kNoSide;
}

}  // namespace

void HoldCorpsSpots() {
    spots.side.fill(kNoSide);
    for (int j = 1; j <= kCorpsCount; ++j) Spot(j);
    spots.held = true;
}

void RefreshCorpsSpot(int corps) {
    if (spots.held && corps >= 1 && corps <= kCorpsCount) Spot(corps);
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
    // Marks for all slots at once, then the few marked are read off eight at a time.
    alignas(32) std::array<std::uint8_t, kSpotSlots> near;
    const auto sx = static_cast<std::int16_t>(x - reach), sy = static_cast<std::int16_t>(y - reach);
    const auto s16 = static_cast<std::uint16_t>(span);
    for (int j = 0; j < kSpotSlots; ++j)
        near[j] = static_cast<std::uint8_t>((static_cast<std::uint16_t>(spots.x[j] - sx) <= s16) &
                                            (static_cast<std::uint16_t>(spots.y[j] - sy) <= s16));
    for (int w = 0; w < kSpotSlots / 8; ++w) {
        std::uint64_t marks;
        std::memcpy(&marks, near.data() + 8 * w, sizeof marks);
        for (; marks != 0; marks &= marks - 1) {
            const int j = 8 * w + std::countr_zero(marks) / 8 + 1;
            if (j <= kCorpsCount) out[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(j);
        }
    }
    return count;
}

bool EnemyCorpsOn(int x, int y, int side) {
    // Numbers past a byte are left to the plain look.
    if (spots.held && x >= 0 && x <= 255 && y >= 0 && y <= 255 && side >= 0 && side <= 255) {
        const auto hex = static_cast<std::uint16_t>(x | y << 8), own = static_cast<std::uint16_t>(side);
        int any = 0;
        for (int j = 0; j < kSpotSlots; ++j)
            any |= (spots.hex[j] == hex) & (spots.side[j] != own) & (spots.side[j] != kNoSide);
        return any != 0;
    }
    // Asked by land searches and steps by the ten thousand: four corps a round, the column first.
#pragma GCC unroll 4
    for (const TCorpsRec& k : GameRec->Corps)
        if (k.HexX == x && k.HexY == y && CorpsInUse(k) && k.Side != side) return true;
    return false;
}

}  // namespace kvt
