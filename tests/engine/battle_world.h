// A small world for the battle tests: clear ground around the battle hex (10, 10), weapons of fire
// 2 x 2, and helpers that put corps and garrisons there and draw corps in as the dispatcher does.
#pragma once

#include <functional>
#include <vector>

#include "engine/combat/battle_state.h"
#include "engine/forces/brigade_rules.h"
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
    // A corps of the nation on the battle hex with foot and guns of these strengths (no brigade for
    // 0), led by a rank-3 leader of this rating.
    int Force(int nation, int foot, int guns = 0, int rating = 3) {
        const int l = AddLeader(nation, 30);
        GameRec->Leaders[l].Rating = static_cast<U8>(rating);
        GameRec->Leaders[l].Rank = 3;
        const int c = AddCorps(nation, kX, kY, l);
        C(c).LeaderRating = static_cast<U8>(rating);
        if (foot != 0) GameRec->Brigades[AddBrigade(c, kBrigadeInfantry, foot)].Weapon = 2;
        if (guns != 0) GameRec->Brigades[AddBrigade(c, kBrigadeArtillery, guns)].Weapon = 7;
        RecalcCorpsFromBrigades();
        return c;
    }
    static int Place(int corps, int x, int y) {
        C(corps).HexX = static_cast<U8>(x);
        C(corps).HexY = static_cast<U8>(y);
        return corps;
    }
    void AddGarrison(int city, int nation, int type, int strength) {
        GameRec->Brigades[++brigades_] = {static_cast<U8>(nation), static_cast<U8>(city), static_cast<U8>(type),
                                          static_cast<U8>(strength), 1, 1, 1, 1, kAttachGarrison, 0};
        GameRec->Cities[city].Garrison += 1;
    }
    static void DrawIn() {
        for (int k = 1; k <= kCorpsCount; ++k)
            if (CorpsInUse(C(k)) && C(k).HexX == kX && C(k).HexY == kY) {
                DrawnIn[k] = true;
                C(k).ContactCode = 5;
            }
    }
    // Runs `action` with the draws given, then every draw answering `filler`; leftovers are dropped.
    static void WithDraws(std::vector<int> draws, int filler, const std::function<void()>& action) {
        draws.resize(20000, filler);
        ScriptRandomDraws(draws);
        action();
        ScriptRandomDraws({});
    }
};

}  // namespace kvt::testing
