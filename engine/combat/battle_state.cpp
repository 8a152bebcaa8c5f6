// Storage of the battle work and its reset.
#include "engine/combat/battle_state.h"

#include "engine/world/globals.h"

namespace kvt {

std::array<TSideWords, kFactorPairs> BattleFactors{};
std::array<std::uint32_t, 3> BattleTroops{};
TSideWords BattleBrigades{};
std::uint16_t InitiativeSide = 0;
std::array<std::int32_t, 3> BattleCohesion{};
std::array<std::int32_t, kCorpsCount + 1> PreBattleStrength{};
std::array<std::int32_t, kCorpsCount + 1> PreBattleGuns{};
std::array<std::int32_t, kCorpsCount + 1> PreBattleCohesion{};
std::array<std::uint8_t, kCorpsCount + 1> CorpsExtraEngagements{};
std::uint16_t ExtraEngagements = 0;
TCombatWords CombatWords;
std::array<bool, kCorpsCount + 1> DrawnIn{};
std::array<std::int32_t, kCorpsCount + 1> BattleCorpsLosses{};

bool DrawnCorpsStands(int corps) {
    const TCorpsRec& c = GameRec->Corps[corps];
    return CorpsInUse(c) && c.HexX == GameRec->BattleX && c.HexY == GameRec->BattleY;
}

void CountCorpsLoss(int corps) {
    if (corps < 1 || corps > kCorpsCount) return;
    BattleCorpsLosses[corps] += 1;
    Bump(GameRec->Corps[corps].Losses, 1);
}

void ResetBattleGlobals() {
    BattleFactors = {};
    BattleTroops = {};
    BattleBrigades = {};
    InitiativeSide = 0;
    BattleCohesion = {};
    PreBattleStrength = {};
    PreBattleGuns = {};
    PreBattleCohesion = {};
    CorpsExtraEngagements = {};
    ExtraEngagements = 0;
    CombatWords = {};
    DrawnIn = {};
    BattleCorpsLosses = {};
}

}  // namespace kvt
