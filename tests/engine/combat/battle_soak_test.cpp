// A seeded soak of field battles and assaults: synthetic worlds (leaderless corps and armies,
// forts, every terrain, every intensity, persons choosing) and the three start points with enemies
// put on one hex or on a garrisoned city. Every battle must leave the records sound.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "engine/combat/battle_dispatcher.h"
#include "engine/combat/battle_setup.h"
#include "engine/combat/leader_casualties.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/world/frontend.h"
#include "tests/engine/battle_world.h"

namespace kvt {
namespace {

// A person answering every dialog differently (every intensity offered, every candidate, now and
// then none), who notes each commander in office at a notice or the results: every successor is
// appointed after a casualty notice.
class SoakFrontend : public AutomaticFrontend {
public:
    int ChooseBattleIntensity(const TBattleIntensityView& v) override {
        int option = 1 + static_cast<int>(++turn % 5);
        while (!v.optionShown[option]) --option;
        return option;
    }
    int ChooseLeaderSuccessor(const TLeaderSuccessorView& v) override { return static_cast<int>(++turn % (v.lines.size() + 1)) - 1; }
    void ShowNotice(int kind) override {
        NoteCommanders();
        AutomaticFrontend::ShowNotice(kind);
    }
    bool ShowsBattleResults() const override { return true; }  // the commanders are noted there
    void ShowBattleResults(const TBattleResultsView&, const TBattleAnalysisView&) override { NoteCommanders(); }
    void NoteCommanders() {
        for (const TCorpsRec& c : GameRec->Corps)
            if (CorpsInUse(c) && c.HexX == GameRec->BattleX && c.HexY == GameRec->BattleY)
                commanded[c.Leader] = commanded[GameRec->Armies[c.Army].Leader] = true;
    }
    unsigned turn = 0;
    std::vector<bool> commanded;
};

struct Snapshot {
    TGameRec rec = *GameRec;
    TMapGrid map = *MapGrid;
};

class BattleSoak : public testing::BattleWorld {
protected:
    int R(int n) { return Random(n); }

    // Battle i: both sides of one to four corps on a hex of any terrain, or (every fourth) one
    // side before a garrisoned enemy city.
    void BuildSyntheticBattle(int i) {
        const RandomState rng = GetRandomState();
        SetUp();
        SetRandomState(rng);
        TGameRec& g = *GameRec;
        g.GameKind = static_cast<std::uint16_t>(i % 7 == 0 ? 3 : 0);
        g.SideToMove = static_cast<std::uint16_t>(1 + R(2));
        g.Nations[1].Human = static_cast<U8>(R(3) == 0);
        g.Nations[2].Human = static_cast<U8>(R(4) == 0);
        g.RatingsInView = static_cast<std::uint16_t>(R(2));
        for (int s = 1; s <= 3; ++s) g.States[s].Owner = g.States[s].ControlSide = static_cast<U8>(1 + R(2));
        const bool assault = i % 4 == 0;
        const int attacker = 1 + R(2), terrain = assault ? kTerrainCity : 1 + R(7);
        Hex(kX, kY).SetState(R(4));
        Hex(kX, kY).SetControlSide(R(3));
        AddCity("Near", kX + R(4), kY + 1 + R(3), 1 + R(2));
        Hex(kX, kY).SetTerrain(terrain);
        if (terrain == kTerrainCity) {
            const int city = AddCity("Fort", kX, kY, assault ? 3 - attacker : 1 + R(2));
            g.Cities[city].Fortifications = static_cast<U8>(R(5));
            g.Cities[city].CoastalGuns = static_cast<U8>(R(3));
            for (int n = 1 + R(3); n > 0; --n) AddGarrison(city, g.Cities[city].Owner, 1 + R(3), 1 + R(60));
        }
        for (int side = 1; side <= 2; ++side) {
            g.Nations[side].Recovery = static_cast<U8>(R(4));
            for (int n = assault && side != attacker ? 0 : 1 + R(4); n > 0; --n) {
                TCorpsRec& c = C(Force(side, R(4) == 0 ? 0 : 1 + R(150), R(2) ? R(20) : 0, R(13)));
                if (R(3) == 0) AddBrigade(corps_, kBrigadeCavalry, 1 + R(50));
                g.Leaders[c.Leader].Tactics = static_cast<U8>(R(70));
                if (R(6) == 0) c.Leader = 0;
                if (R(3) == 0) c.Army = static_cast<U8>(AddArmy(side, 1, R(4) == 0 ? 0 : AddLeader(side, 40, R(60))));
                c.Kind = static_cast<U8>(R(3));
                c.OrderMode = static_cast<U8>(R(4));
                c.SupplyPriority = static_cast<U8>(R(3));
                c.Condition = static_cast<U8>(1 + R(10));
                c.Entrenchment = static_cast<U8>(R(3));
                c.ContactCode = side == attacker;
            }
            for (int n = R(3); n > 0; --n) {
                TLeaderRec& l = GameRec->Leaders[AddLeader(side, R(60), R(60))];
                l.Status = R(2) ? kLeaderAvailable : kLeaderRemoved;
                l.Rank = static_cast<U8>(1 + R(5));
                l.Rating = static_cast<U8>(R(13));
            }
        }
        RecalcCorpsFromBrigades();
    }

    // A start point: a Confederate corps put on a Union corps' hex, or the Union corps on a
    // garrisoned Confederate city. False when the position offers neither.
    bool PlaceStartPointBattle(bool assault) {
        TGameRec& g = *GameRec;
        for (TCorpsRec& c : g.Corps) c.ContactCode = 0;
        auto pick = [&](int count, auto accept) {
            for (int tries = 0; tries < 200; ++tries)
                if (const int k = 1 + R(count); accept(k)) return k;
            return 0;
        };
        auto corpsOf = [&g](int side) { return [&g, side](int k) { return CorpsInUse(g.Corps[k]) && g.Corps[k].Side == side && g.Corps[k].OrderMode < 4; }; };
        const int u = pick(kCorpsCount, corpsOf(1));
        const int there = assault ? pick(kCityCount, [&](int k) { return g.Cities[k].Owner == 2 && g.Cities[k].Garrison != 0; })
                                  : pick(kCorpsCount, corpsOf(2));
        if (u == 0 || there == 0) return false;
        if (assault) Place(u, g.Cities[there].HexX, g.Cities[there].HexY);
        else Place(there, g.Corps[u].HexX, g.Corps[u].HexY);
        g.Corps[u].ContactCode = 1;
        return true;
    }

    // One call of the dispatcher with every invariant of a battle checked around it.
    void FightAndCheck(const std::string& where) {
        SCOPED_TRACE(where);
        const auto before = std::make_unique<Snapshot>();
        const TGameRec& g = *GameRec;
        const TGameRec& b = before->rec;
        fe.commanded.assign(kLeaderCount + 1, false);
        const int battlesBefore = fe.fieldBattles + fe.assaults;
        ResolveBattles();
        fought += fe.fieldBattles + fe.assaults - battlesBefore;
        ASSERT_EQ(CheckedAccessFaults(), 0u);

        long lost[5] = {};  // strength lost by each nation's brigades
        for (int i = 1; i <= kBrigadeCount; ++i) {
            lost[b.Brigades[i].Nation % 5] += b.Brigades[i].Strength;
            lost[g.Brigades[i].Nation % 5] -= g.Brigades[i].Strength;
            const int k = g.Brigades[i].AttachIndex;
            if (g.Brigades[i].AttachKind == kAttachCorps) {
                ASSERT_TRUE(k >= 1 && k <= kCorpsCount && CorpsInUse(g.Corps[k])) << "brigade " << i << " serves a free corps record";
            }
        }
        for (int n = 1; n <= 2; ++n)
            EXPECT_EQ(g.Casualties[n] - b.Casualties[n], static_cast<std::uint32_t>(lost[n] + GameRec->BattleLosses(n))) << n;

        std::vector<bool> fought(kLeaderCount + 1);  // leaders of the corps and armies that fought
        for (int k = 1; k <= kCorpsCount; ++k) {
            const TCorpsRec &now = g.Corps[k], &was = b.Corps[k];
            if (CorpsInUse(was) && was.HexX == g.BattleX && was.HexY == g.BattleY && was.OrderMode < 4)
                fought[was.Leader] = fought[b.Armies[was.Army].Leader] = true;
            if (was.Leader != now.Leader) fought[was.Leader] = fought[now.Leader] = true;  // a commander moved
            if (!CorpsInUse(now)) continue;
            long sums[2][2] = {};  // [artillery?][strength, count]
            for (const TBrigadeRec& r : g.Brigades)
                if (r.AttachKind == kAttachCorps && r.AttachIndex == k && r.Nation == now.Nation) {
                    sums[r.BrigadeType == kBrigadeArtillery][0] += r.Strength;
                    sums[r.BrigadeType == kBrigadeArtillery][1] += 1;
                }
            EXPECT_EQ(std::vector<long>({now.Strength, now.LineCount, now.Artillery, now.ArtilleryCount}),
                      std::vector<long>({sums[0][0], sums[0][1], std::min(sums[1][0], 255L), sums[1][1]})) << "corps " << k;
            EXPECT_LE(now.Disruption, 15) << "corps " << k;
            EXPECT_LE(now.Condition, CorpsInUse(was) ? was.Condition : 255) << "corps " << k;
            EXPECT_TRUE(g.GameKind >= 2 || now.ContactCode == 0 || now.ContactCode == 100) << "corps " << k;
        }
        for (int a = 1; a <= kArmyCount; ++a) fought[b.Armies[a].Leader] = fought[b.Armies[a].Leader] || b.Armies[a].Leader != g.Armies[a].Leader;
        for (int l = 1; l <= kLeaderCount; ++l) {
            TLeaderRec now = g.Leaders[l], was = b.Leaders[l];
            EXPECT_LE(now.Rating, std::max<int>(13, was.Rating)) << "leader " << l;
            if (fought[l] || fe.commanded[l]) continue;
            // Anybody else changes only by the commanders' marks and the rating clamp.
            auto mark = [](U8 s) { return s == 0 || s == 100 || s == 200; };
            if (mark(now.Status) && mark(was.Status)) now.Status = was.Status;
            if (now.Rating == 12 || now.Rating == 0) now.Rating = was.Rating;
            EXPECT_EQ(std::memcmp(&now, &was, sizeof now), 0) << "leader " << l << " changed without fighting";
        }
    }

    SoakFrontend fe;
    long fought = 0;
};

TEST_F(BattleSoak, ThousandsOfBattlesLeaveTheRecordsSoundAndASeedRepeatsItsBytes) {
    InstallFrontend(&fe);
    auto hashOfRun = [&](std::uint64_t seed, int battles) {
        SetRandomSeed(seed);
        fe.turn = 0;
        std::uint64_t h = 1469598103934665603ULL;
        auto mix = [&](const void* p, std::size_t n) {
            for (std::size_t i = 0; i < n; ++i) h = (h ^ static_cast<const unsigned char*>(p)[i]) * 1099511628211ULL;
        };
        for (int i = 0; i < battles; ++i) {
            BuildSyntheticBattle(i);
            FightAndCheck("synthetic battle " + std::to_string(i));
            mix(GameRec, sizeof(TGameRec));
            mix(MapGrid, sizeof(TMapGrid));
            for (const std::string& line : BattleLog) mix(line.data(), line.size());
        }
        return h;
    };
    EXPECT_EQ(hashOfRun(7, 100), hashOfRun(7, 100));
    hashOfRun(20250601, 800);
    for (const char* year : {"1861", "1862", "1863"}) {
        if (!testing::LoadStartPoint(year)) GTEST_SKIP() << year << ".kvt has not been built";
        const auto start = std::make_unique<Snapshot>();
        for (int i = 0; i < 120; ++i) {
            *GameRec = start->rec;
            *MapGrid = start->map;
            if (PlaceStartPointBattle(i % 3 == 0)) FightAndCheck(std::string(year) + " battle " + std::to_string(i));
        }
    }
    InstallFrontend(nullptr);
    EXPECT_GE(fought, 1000);
    EXPECT_GE(fe.assaults, 200);
}

}  // namespace
}  // namespace kvt
