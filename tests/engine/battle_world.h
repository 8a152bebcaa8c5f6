// A small world for the battle tests: clear ground around the battle hex (10, 10), weapons of
// fire 2 x 2, and helpers that put corps with brigades on the hex and draw them in as the
// dispatcher does.
#pragma once

#include <functional>
#include <vector>

#include "engine/combat/battle_state.h"
#include "engine/combat/brigade_rules.h"
#include "tests/engine/movement_world.h"

namespace kvt::testing {

class BattleWorld : public MovementWorld {
protected:
    static constexpr int kX = 10, kY = 10;

    void SetUp() override {
        MovementWorld::SetUp();
        GameRec->BattleX = kX;
        GameRec->BattleY = kY;
        for (TWeaponRec& w : GameRec->WeaponTable) w.FireFactor1 = w.FireFactor2 = 2;
        for (TStateRec& s : GameRec->States) s.Flag = 1;
    }

    // A corps of the nation on the battle hex: foot and guns of the strengths given (no brigade
    // for 0), led by a rank-3 leader of the rating given.
    int Force(int nation, int infantry, int guns = 0, int rating = 3) {
        const int l = AddLeader(nation, 30);
        GameRec->Leaders[l].Rating = static_cast<U8>(rating);
        GameRec->Leaders[l].Rank = 3;
        const int c = AddCorps(nation, kX, kY, l);
        C(c).LeaderRating = static_cast<U8>(rating);
        if (infantry != 0) GameRec->Brigades[AddBrigade(c, kBrigadeInfantry, infantry)].Weapon = 2;
        if (guns != 0) GameRec->Brigades[AddBrigade(c, kBrigadeArtillery, guns)].Weapon = 7;
        RecalcCorpsFromBrigades();
        return c;
    }

    // The corps on the battle hex drawn in and engaged.
    static void DrawIn() {
        for (int k = 1; k <= kCorpsCount; ++k)
            if (CorpsInUse(C(k)) && C(k).HexX == kX && C(k).HexY == kY) {
                DrawnIn[k] = true;
                C(k).ContactCode = 5;
            }
    }

    // Runs `action` with every draw answering `value`; what the rules did not take is dropped.
    static void WithDraws(int value, const std::function<void()>& action) {
        ScriptRandomDraws(std::vector<int>(20000, value));
        action();
        ScriptRandomDraws({});
    }
};

}  // namespace kvt::testing
