// Conquest of cities and states on a small world: a Confederate city with a Union corps on it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/logistics/conquest.h"
#include "tests/engine/movement_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::DrawRanges;
using testing::ScriptedFrontend;
using Ints = std::vector<int>;

class Conquest : public testing::MovementWorld {
protected:
    void SetUp() override {
        MovementWorld::SetUp();
        TGameRec& g = *GameRec;
        FillMap(1, kConfederacy, 1);
        g.Nations[3].Name = "France";
        for (int n = 1; n <= 4; ++n) {
            g.Nations[n].Attitude = 50;
            g.Nations[n].RailCapacity = 5;
            g.Nations[n].Will = static_cast<std::int16_t>(100 * n);
            g.Nations[n].TheatreSupplies[1] = static_cast<std::uint16_t>(n == 2 ? 500 : 100);
        }
        for (int s = 1; s <= 3; ++s) {
            g.States[s].Owner = static_cast<U8>(s == 2 ? kUnion : kConfederacy);
            g.States[s].Loyalty = 50;
        }
        TStateRec& va = g.States[1];
        va.Name = "Virginia";
        va.ShortName = "VA";
        va.Controller = va.ControlSide = kConfederacy;
        va.PoliticalValue = 4;
        city = AddCity("Richmond", 20, 20, kConfederacy);
        TCityRec& c = City();
        c.State = 1;
        c.Value = 9;
        c.OriginalOwner = kNationConfederacy;
        c.Output = 600;
        c.Fortifications = 2;
        corps = AddCorps(kNationUnion, 20, 20, AddLeader(kNationUnion, 30, 30, 0, "Grant"));
        C(corps).LineCount = 4;
        for (int q : {5, 3, 7, 12}) AddBrigade(corps, kBrigadeInfantry, 20, q);
    }
    TCityRec& City() { return GameRec->Cities[city]; }
    int Will(int n) { return GameRec->Nations[n].Will; }
    int Attitude(int n) { return GameRec->Nations[n].Attitude; }
    int Loyalty(int s) { return GameRec->States[s].Loyalty; }
    int Prestige() { return GameRec->Leaders[C(corps).Leader].Political; }
    // A brigade of the nation waiting in (or garrisoning) city c.
    int InCity(int nation, int kind, int c) {
        const int b = AddBrigade(corps, kBrigadeInfantry, 30, 2, 0, 3);
        GameRec->Brigades[b].Nation = static_cast<U8>(nation);
        GameRec->Brigades[b].AttachKind = static_cast<U8>(kind);
        GameRec->Brigades[b].AttachIndex = static_cast<U8>(c);
        return b;
    }
    int city = 0, corps = 0;
};

TEST_F(Conquest, UndefendedCitiesFallToTheEnemyCorpsOnThemAndStatesFollowTheirCapitals) {
    TGameRec& g = *GameRec;
    struct Case {
        const char* what;
        std::function<void()> build;
        Ints draws;                              // the commander's temper, then the newspaper
        std::vector<int> notices;                // kinds, in order
        std::function<void(const ScriptedFrontend&)> check;
    };
    int enemy = 0, own = 0, other = 0;
    auto fleets = [&](int first) {
        C(corps).Unused = 1;
        g.Cities[AddCity("Martinique", 50, 16, 0)].Nation = kNationFrance;
        g.Cities[AddCity("Nassau", 50, 18, 0)].Nation = kNationBritain;
        for (int f : {1, 2}) {
            TFleetRec& fleet = g.Fleets[f] = TFleetRec{};
            fleet.HexX = 50;
            fleet.HexY = 15;
            fleet.Mission = 4;
            fleet.Side = fleet.Owner = static_cast<U8>(f == 1 ? first : kConfederacy);
        }
    };
    const Case cases[] = {
        {"a computer takes a city, its enemy garrison and leaves its greenest infantry",
         [&] { enemy = InCity(kNationConfederacy, kAttachWaiting, city); own = InCity(kNationUnion, kAttachWaiting, city); },
         {119, 3}, {3, 24}, [&](const ScriptedFrontend& fe) {
             EXPECT_EQ((Ints{City().Owner, City().Nation, City().ScoreValue, City().EnemyTally}), (Ints{1, 1, 1, corps}));
             EXPECT_EQ(fe.notices[0].lines[2] + "|" + fe.notices[0].lines[4], "T21Grant|Richmond VA");
             EXPECT_EQ((Ints{Will(1), Will(2), Attitude(4), Prestige()}), (Ints{109, 191, 49, 3}));
             EXPECT_EQ((Ints{Loyalty(1), Loyalty(2), Loyalty(3)}), (Ints{50, 50, 45})) << "other enemy states lose 9/2+1";
             EXPECT_EQ((Ints{g.Brigades[enemy].AttachKind, int(g.Prisoners[2]), g.States[3].StateCasualties}), (Ints{0, 30, 30}));
             EXPECT_EQ(g.Brigades[own].AttachKind, kAttachWaiting) << "the capturer's own brigades are no prisoners";
             // Status 600 / 500 + 1 = 2, below the three green brigades: the two greenest stay behind.
             EXPECT_EQ((Ints{g.Brigades[1].AttachKind, g.Brigades[2].AttachKind, g.Brigades[3].AttachKind}), (Ints{2, 2, 1}));
             EXPECT_EQ((Ints{City().Garrison, City().Status, C(corps).LineCount, C(corps).Strength}), (Ints{2, 0, 2, 60}));
         }},
        {"a defender holds and gains the city's defence up to 3",
         [&] { C(AddCorps(kNationConfederacy, 20, 20)).Entrenchment = 2; }, {}, {},
         [&](const ScriptedFrontend&) { EXPECT_EQ((Ints{City().Owner, C(2).Entrenchment}), (Ints{2, 3})); }},
        {"a garrison holds and keeps the city's scores", [&] { City().Garrison = 1; City().ScoreValue = 7; }, {}, {},
         [&](const ScriptedFrontend&) { EXPECT_EQ((Ints{City().Owner, City().ScoreValue}), (Ints{2, 7})); }},
        {"an embarked corps takes nothing", [&] { C(corps).OrderMode = 4; }, {}, {},
         [&](const ScriptedFrontend&) { EXPECT_EQ(City().Owner, kConfederacy); }},
        {"a capital costs its nation 150 more and turns its state; will saturates", [&] {
             g.Nations[2].Capital = g.States[1].CapitalCity = static_cast<U8>(city);
             g.Nations[1].Will = 32760; }, {119, 0}, {3, 18},
         [&](const ScriptedFrontend& fe) {
             EXPECT_EQ(fe.notices[0].lines[4] + "|" + fe.notices[1].lines[1] + "|" + fe.notices[1].lines[2],
                       "Richmond VAT32|VirginiaT29|the Union.");
             EXPECT_EQ((Ints{Will(2), Will(1), Attitude(3)}), (Ints{200 - 9 - 150 - 4, 32767, 54}));
             EXPECT_EQ((Ints{g.States[1].Controller, g.States[1].ControlSide}), (Ints{1, 1}));
         }},
        {"an ally holding the capital keeps the state", [&] {
             g.States[1].CapitalCity = static_cast<U8>(city);
             g.Nations[4].Side = kConfederacy;
             City().Nation = kNationBritain;
             C(corps).Unused = 1; }, {}, {},
         [&](const ScriptedFrontend&) { EXPECT_EQ(g.States[1].Controller, kNationConfederacy); }},
        {"the first neutral city taken in state 20 throws the others to the other side", [&] {
             City().Owner = City().Nation = City().OriginalOwner = 0;
             City().State = 20;
             other = AddCity("Lexington", 30, 30, 0);
             g.Cities[other].State = 20;
             g.Cities[other].Garrison = 1;
             enemy = InCity(0, kAttachGarrison, other);
             Hex(30, 30).SetState(20);
             Hex(30, 30).SetControlSide(0); }, {119, 0}, {3},
         [&](const ScriptedFrontend&) {
             EXPECT_EQ((Ints{City().Owner, g.Cities[other].Owner, g.Cities[other].Nation, g.Brigades[enemy].Nation}),
                       (Ints{1, 2, 2, 2}));
             EXPECT_EQ(Hex(30, 30).ControlSide(), kConfederacy) << "hex control follows at once";
             EXPECT_EQ((Ints{Will(1), Will(2), Will(3), Will(4)}), (Ints{109, 200, 300, 400})) << "neutrals lose no will";
         }},
        // One armed fleet raises an incident at each neutral port near it; the second is not examined.
        {"a Confederate fleet off neutral ports", [&] { fleets(kConfederacy); }, {}, {24, 24},
         [&](const ScriptedFrontend& fe) {
             EXPECT_EQ(fe.notices[0].lines[1] + "|" + fe.notices[1].lines[2], "FranceT13|ConfedT14");
             EXPECT_EQ((Ints{Attitude(2), Attitude(3), Attitude(4)}), (Ints{50, 50, 50}));
         }},
        {"a Union fleet sours the ports' nations, not its own", [&] { fleets(kUnion); }, {}, {24, 24},
         [&](const ScriptedFrontend&) {
             EXPECT_EQ((Ints{Attitude(1), Attitude(3), Attitude(4)}), (Ints{50, 49, 49}));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.build();
        ScriptedFrontend fe;
        for (int kind : c.notices) fe.ExpectNotice(kind);
        DrawRanges(c.draws, [] { ResolveConquests(); });
        c.check(fe);
    }
}

TEST_F(Conquest, SackingIsAPersonsChoiceOrTheCommandersTemperButNeverARetakenHomeCity) {
    struct Case {
        const char* what;
        int person, answer, original;  // answer to the sacking question, 0 when none is asked
        Ints draws;                    // the commander's temper, then the newspaper
        int damageBefore, damage, poolLeft, prestige, attitude;
        int gameKind = 0, sideToMove = 0;
    };
    const Case cases[] = {
        {"person answers No", 1, 1, 2, {}, 0, 0, 500, 3, 50},
        {"person answers Yes", 1, 2, 2, {0}, 0, 10, 412, 3, 49},
        {"computer sacks, damage capped", 0, 0, 2, {0, 0}, 95, 100, 430, 3, 49},
        {"a temper drawn at the commander's chance (his tactics, 30) spares the city", 0, 0, 2, {30, 0}, 0, 0, 500, 3, 49},
        {"a person retaking a home city", 1, 0, 1, {}, 0, 0, 500, 0, 50},
        // In a mail game the player executing the turn decides only for his own corps; the absent
        // player's commander follows his temper, as the computer's would.
        {"mail game, the capturer's own turn", 1, 2, 2, {0}, 0, 10, 412, 3, 49, 3, 1},
        {"mail game, the capturer absent", 1, 0, 2, {0, 0}, 95, 100, 430, 3, 49, 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TGameRec& g = *GameRec;
        g.Nations[1].Human = static_cast<U8>(c.person);
        g.Nations[2].Human = static_cast<U8>(c.gameKind != 0);
        g.GameKind = static_cast<std::uint16_t>(c.gameKind);
        g.SideToMove = static_cast<std::uint16_t>(c.sideToMove);
        const bool asked = c.person && (c.gameKind == 0 || c.sideToMove == 1);
        City().OriginalOwner = static_cast<U8>(c.original);
        City().Damage = static_cast<std::uint16_t>(c.damageBefore);
        C(corps).Strength = static_cast<std::uint16_t>(asked ? 100 : 200);
        const bool sacked = c.damage != c.damageBefore;
        ScriptedFrontend fe;
        fe.ExpectNotice(3);
        if (c.answer) fe.ExpectNotice(3, c.answer);
        if (sacked) fe.ExpectNotice(3);
        DrawRanges(c.draws, [] { ResolveConquests(); });
        EXPECT_EQ((Ints{City().Damage, g.Nations[2].TheatreSupplies[1], g.Nations[1].TheatreSupplies[1]}),
                  (Ints{c.damage, c.poolLeft, 600 - c.poolLeft}));
        EXPECT_EQ((Ints{Prestige(), Attitude(4)}), (Ints{c.prestige, c.attitude}));
        EXPECT_EQ(City().Fortifications, sacked ? 0 : 2);
        if (!sacked) continue;
        EXPECT_EQ((Ints{C(corps).SupplyDistance, g.States[1].OccupationCount, g.Nations[2].RailCapacity, C(corps).Fatigue}),
                  (Ints{1, 1, 4, 1}));
        EXPECT_EQ(fe.notices.back().lines[3], std::to_string(500 - c.poolLeft) + "T11");
        // The sacked state warms with the damage; a person's sacking also turns every other state.
        EXPECT_EQ((Ints{Loyalty(1), Loyalty(2)}), (Ints{asked ? 50 + 1 - 3 : 50 + 6, 53}));
    }
}

}  // namespace
}  // namespace kvt
