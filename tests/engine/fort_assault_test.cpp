// Fort and city assault, from the dispatcher: the bombardment, the storm, the break test and
// what a fall or a repulse leaves.
#include <gtest/gtest.h>

#include "engine/combat/battle_dispatcher.h"
#include "tests/engine/battle_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::BattleWorld;
using testing::ScriptedFrontend;

class FortAssault : public BattleWorld {};

TEST_F(FortAssault, BombardmentAndStormEndInAFallOrARepulse) {
    struct Case {
        const char* what;
        int attacker, owner, fort;
        int garrisonFoot, garrisonGuns, foot, guns;
        std::vector<int> draws;  // then every draw answers `filler`
        int filler;
        const char *bombardment, *storm;
        int result, fortAfter, footAfter, prisoners, control;
    };
    const Case cases[] = {
        {"no works: Execute storms at once and the garrison is destroyed", 1, 2, 0, 5, 0, 30, 0, {}, 0, "", "T124", 2, 0, 24,
         0, 1},
        {"guns alone are thrown back, even over a destroyed garrison", 1, 2, 0, 5, 0, 0, 6, {}, 0, "", "T125", 1, 0, 0, 0, 2},
        {"a garrison of guns alone falls and goes into captivity", 1, 2, 0, 0, 6, 30, 0, {}, 99, "", "T124", 2, 0, 30, 6, 1},
        {"both sides break at once: a garrison left standing holds", 1, 2, 0, 10, 0, 30, 0, {}, 99, "", "T125", 1, 0, 30, 0,
         2},
        {"without guns the works cannot be breached", 1, 2, 2, 10, 0, 30, 0, {}, 99, "T123", "", 1, 2, 30, 0, 2},
        // Five draws would hit the works of 4; three do: the breach razes them, the storm meets the
        // one level left (it hits on 40), and a repulse puts that level back.
        {"at most three hits on the works per exchange", 1, 2, 4, 5, 0, 10, 10,
         {99, 99, 99, 99, 99, 0, 0, 0, 0, 0, 99, 99, 99, 99, 99, 99}, 40, "T121", "T125", 1, 1, 4, 0, 2},
        {"a Confederate corps storms an unowned city", 2, 0, 0, 5, 0, 30, 0, {}, 0, "", "T124", 3, 0, 24, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        GameRec->GameKind = 3;  // codes stay as the assault left them
        const int k = Force(c.attacker, c.foot, c.guns);
        C(k).ContactCode = 4;
        const int city = AddCity("Fort", kX, kY, c.owner);
        GameRec->Cities[city].Fortifications = static_cast<U8>(c.fort);
        const int garrisonNation = c.owner != 0 ? c.owner : kNationFrance;
        for (auto [type, strength] : {std::pair{kBrigadeInfantry, c.garrisonFoot}, {kBrigadeArtillery, c.garrisonGuns}})
            if (strength != 0)
                GameRec->Brigades[++brigades_] = {static_cast<U8>(garrisonNation), static_cast<U8>(city), type,
                                                  static_cast<U8>(strength), 1, 1, 1, 1, kAttachGarrison, 0};
        RecalcCorpsFromBrigades();
        GameRec->Cities[city].Garrison = static_cast<std::uint16_t>((c.garrisonFoot != 0) + (c.garrisonGuns != 0));
        Hex(kX, kY).SetControlSide(c.owner != 0 ? c.owner : 1);
        ScriptedFrontend fe;
        fe.ExpectFortAssault();
        std::vector<int> script = c.draws;
        script.resize(20000, c.filler);
        ScriptRandomDraws(script);
        ResolveBattles();
        ScriptRandomDraws({});

        const TFortAssaultView& v = fe.fortAssaults.at(0);
        EXPECT_EQ(v.caption, "T126");
        EXPECT_EQ(v.lines[1], "T112Fort");
        EXPECT_EQ(v.lines[2], std::to_string(c.fort) + "T113");
        EXPECT_EQ(v.lineShown[7], c.guns != 0);
        EXPECT_EQ(v.bombardmentShown ? v.bombardment : "", c.bombardment);
        EXPECT_EQ(v.stormShown ? v.storm : "", c.storm);
        EXPECT_TRUE(v.ok.visible && v.ok.enabled && !v.execute.visible);
        EXPECT_EQ(GameRec->BattleResult, c.result);
        EXPECT_EQ(GameRec->Cities[city].Fortifications, c.fortAfter);
        EXPECT_EQ(C(k).Strength, c.footAfter);
        EXPECT_EQ(GameRec->Prisoners[garrisonNation], static_cast<std::uint32_t>(c.prisoners));
        EXPECT_EQ(Hex(kX, kY).ControlSide(), c.control);
        const bool stormed = c.storm[0] != '\0', fell = c.result != 1;
        if (fell) EXPECT_EQ(GameRec->Cities[city].Garrison, 0);
        EXPECT_EQ(C(k).ContactCode, !stormed ? 5 : fell ? 0 : 1) << "a repulse leaves the attackers in contact";
    }
}

}  // namespace
}  // namespace kvt
