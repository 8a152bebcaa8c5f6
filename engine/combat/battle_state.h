// The work of the battle being fought: the factor table, each side's troops and brigades, the
// figures recorded before the fight, the words of the combat-resolution dialog and the corps the
// dispatcher drew in. Never saved; each field battle and assault sets what it reads.
// Sides are indexed 1 (Union) and 2 (every other side); index 0 is unused.
#pragma once

#include <array>
#include <cstdint>

#include "engine/world/bounded_fields.h"
#include "engine/world/game_record.h"

namespace kvt {

constexpr int kFactorPairs = 14;
using TSideWords = std::array<std::uint16_t, 3>;

// The side slot of a corps' Side: the Union is 1, anybody else fights on the Confederate side.
inline int SideSlot(int side) { return side == kUnion ? 1 : 2; }

// BattleFactors[pair][side], pairs 0..13 (the setup builds them, the resolution normalises them).
extern std::array<TSideWords, kFactorPairs> BattleFactors;
// Each side's troops at the start (Strength + Artillery); the resolution leaves its loss percentage.
extern std::array<std::uint32_t, 3> BattleTroops;
extern TSideWords BattleBrigades;
extern std::uint16_t InitiativeSide;
extern std::array<std::int32_t, 3> BattleCohesion;
// Per corps 1..120, recorded by the setup: a non-zero strength marks a corps of this battle.
extern std::array<std::int32_t, kCorpsCount + 1> PreBattleStrength;
extern std::array<std::int32_t, kCorpsCount + 1> PreBattleGuns;
extern std::array<std::int32_t, kCorpsCount + 1> PreBattleCohesion;
extern std::array<std::uint8_t, kCorpsCount + 1> CorpsExtraEngagements;
extern std::uint16_t ExtraEngagements;

// The words of the combat-resolution dialog, read by the resolution, the casualty checks and the results.
struct TCombatWords {
    std::uint16_t UnionLeader = 0, ConfederateLeader = 0;
    std::uint16_t UnionIntensity = 0, ConfederateIntensity = 0;
    std::uint16_t BattleIntensity = 0;  // the intensity of the side holding the initiative
    std::uint16_t ResolvePending = 0;   // 1 until the battle is fought
    std::uint16_t WinningCorpsCount = 0;
    std::uint16_t LeaderLossChance = 0; // 70 at setup, lowered by each corps leader who falls
};
extern TCombatWords CombatWords;

// Corps drawn into the battle at its hex. Every per-corps step of a battle takes only these: an
// embarked or rail-borne corps standing on the hex takes no part.
extern std::array<bool, kCorpsCount + 1> DrawnIn;
// This battle's losses of each corps, counted past the record's byte (Losses stops at 255).
extern std::array<std::int32_t, kCorpsCount + 1> BattleCorpsLosses;

// A drawn-in corps still in use and standing on the battle hex.
bool DrawnCorpsStands(int corps);
// A corps drawn in, still in use and standing on the battle hex. Inline: every battle step asks it
// of all 120 slots, and few are drawn in.
inline bool FightsAtBattleHex(int corps) {
    return corps >= 1 && corps <= kCorpsCount && DrawnIn[static_cast<std::size_t>(corps)] && DrawnCorpsStands(corps);
}
// Raises a corps' battle losses by one: the wide counter and the record's byte (which stops at 255).
void CountCorpsLoss(int corps);
void ResetBattleGlobals();

}  // namespace kvt
