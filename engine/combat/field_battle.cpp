// Field battle resolution. Runs inside the combat-resolution dialog's Execute; the casualty
// notices and dialogs and the results open from inside it through the Frontend.
#include "engine/combat/field_battle.h"

#include <algorithm>
#include <cstdint>

#include "engine/combat/battle_results.h"
#include "engine/combat/battle_state.h"
#include "engine/combat/leader_casualties.h"
#include "engine/forces/brigade_rules.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "engine/world/record_access.h"

namespace kvt {

namespace {

constexpr int kEngaged = 5;
constexpr int kBrokenOff = 6;
constexpr int kMaxFatigue = 20;
constexpr int kMaxRating = 12;
constexpr std::int32_t kModifierCeiling = 32000;

int Intensity() { return std::clamp<int>(CombatWords.BattleIntensity, 1, 5); }

int BrigadeCount(const TCorpsRec& c) { return c.ArtilleryCount + c.LineCount; }

bool Engaged(int k) { return FightsAtBattleHex(k) && G().Corps[k].ContactCode == kEngaged; }

// The corps fighting at the battle hex, in index order. Listed once the pairs start: a fight
// changes contact codes but draws no corps in, frees none and moves none.
struct TFighters {
    std::array<std::uint8_t, kCorpsCount> corps;
    int count = 0;
    TFighters() {
        for (int k = 1; k <= kCorpsCount; ++k)
            if (FightsAtBattleHex(k)) corps[count++] = static_cast<std::uint8_t>(k);
    }
    std::span<const std::uint8_t> All() const { return {corps.data(), static_cast<std::size_t>(count)}; }
};

void DecideInitiative() {
    const TGameRec& g = G();
    const int unionRating = g.Leaders[CombatWords.UnionLeader].Rating;
    const int confedRating = g.Leaders[CombatWords.ConfederateLeader].Rating;
    int range = 10 * (unionRating + confedRating);
    if (CombatWords.UnionIntensity == 1 || CombatWords.ConfederateIntensity == 1) range -= 20;
    range = std::max(range, 0);
    const long u = BattleBrigades[1], c = BattleBrigades[2];
    int side;
    if (u <= 3 * c && c <= 3 * u) side = Random(range) >= 10 * unionRating ? 2 : 1;
    else if (c > 3 * u) side = Random(100) < 10 * confedRating + 50 ? 2 : 1;
    else side = Random(100) < 10 * unionRating + 50 ? 1 : 2;
    InitiativeSide = static_cast<std::uint16_t>(side);
    CombatWords.BattleIntensity = side == 1 ? CombatWords.UnionIntensity : CombatWords.ConfederateIntensity;
}

void NormaliseFactors() {
    for (int s = 1; s <= 2; ++s) {
        if (BattleBrigades[s] == 0) BattleBrigades[s] = 1;
        for (int p : {1, 2, 4, 5, 6, 7}) BattleFactors[p][s] = static_cast<std::uint16_t>(BattleFactors[p][s] / BattleBrigades[s]);
        BattleFactors[5][s] = std::min<std::uint16_t>(BattleFactors[5][s], 12);
        for (int p = 0; p < kFactorPairs; ++p)
            if (BattleFactors[p][s] == 0) BattleFactors[p][s] = 1;
        BattleFactors[12][s] = CombatWords.BattleIntensity;
        for (int p : {8, 9, 10}) BattleFactors[p][s] = static_cast<std::uint16_t>(BattleFactors[p][s] / BattleFactors[13][s]);
    }
}

// The enemy corps c fights: the one most exposed, weighted by its works. 0 when none is left.
int ChooseOpponent(const TFighters& fighters, int c) {
    const TGameRec& g = G();
    int best = 0;
    long bestWeight = 0;
    for (const int e : fighters.All()) {
        const TCorpsRec& r = g.Corps[e];
        if (r.ContactCode != kEngaged || r.Side == g.Corps[c].Side || r.Strength <= BattleCorpsLosses[e]) continue;
        const long score = 2 * r.OrderMode + (r.Opponent == 0 ? 50 : 0) + 10 * (5 - r.Kind);
        const long weight = score * (r.Entrenchment + 1);
        if (weight > bestWeight) {
            best = e;
            bestWeight = weight;
        }
    }
    return best;
}

// The fire modifiers of c's and e's volleys.
void FireModifiers(int c, int e, int bouts, std::int32_t& mc, std::int32_t& me) {
    TGameRec& g = G();
    const TCorpsRec& a = g.Corps[c];
    const TCorpsRec& b = g.Corps[e];
    mc = me = 50;
    auto favour = [&](std::int32_t d, std::int32_t weight) {
        if (d > 0) mc += weight * d;
        else me += weight * -d;
    };
    favour(std::clamp(b.Fatigue - a.Fatigue, -10, 10), 5);
    favour(std::clamp(a.Condition - b.Condition, -6, 6), 10);
    favour(a.LeaderRating - b.LeaderRating, 50);
    me += 20 * b.Entrenchment;
    const int terrain = MapGrid->Cell(g.BattleX, g.BattleY).Terrain();
    if (terrain == 4 || terrain == 6 || terrain == 7) me += 20;
    if (terrain == 2 || terrain == 5) me += 30;
    if (mc < 0 || mc > kModifierCeiling) mc = 0;
    if (me < 0 || me > kModifierCeiling) me = 0;
    if (terrain == kTerrainCity)
        for (const TCityRec& city : g.Cities) {
            if (city.HexX != g.BattleX || city.HexY != g.BattleY || city.CoastalGuns == 0 || city.Owner != a.Side) continue;
            if (BattleFactors[3][1] != 0) BattleFactors[11][1] = city.CoastalGuns;
            if (BattleFactors[3][2] != 0) BattleFactors[11][2] = city.CoastalGuns;
            mc += 5 * city.CoastalGuns;
        }
    mc += 10 * bouts;
    me += 10 * bouts;
    auto supply = [](int priority, std::int32_t& m) {
        if (priority == 0) m -= 30;
        if (priority == 2) m += 30;
    };
    supply(a.SupplyPriority, mc);
    supply(b.SupplyPriority, me);
}

// A corps whose fire told on the enemy may make its leaders' name and rating.
void LeaderGains(int k) {
    TGameRec& g = G();
    TCorpsRec& c = g.Corps[k];
    const bool political = Random(50) < 25;
    if (political && c.Leader != 0) Bump(g.Leaders[c.Leader].Political, 1);
    if (Random(30) < 4 && c.LeaderRating <= kMaxRating) {
        if (c.Leader != 0) {
            Bump(g.Leaders[c.Leader].Rating, 1);
            Bump(c.LeaderRating, 1);
        }
        const int chief = g.Armies[c.Army].Leader;
        if (c.Army != 0 && chief != 0 && g.Leaders[chief].Rating <= kMaxRating) Bump(g.Leaders[chief].Rating, 1);
    }
}

bool ServesIn(const TBrigadeRec& b, int corps) { return b.AttachIndex == corps && b.AttachKind == kAttachCorps; }

void Wear(const TCorpsBrigades& listed, int k, int amount) {
    TGameRec& g = G();
    TCorpsRec& c = g.Corps[k];
    c.Fatigue = static_cast<U8>(std::min(c.Fatigue + amount, kMaxFatigue));
    for (const int i : listed.Of(k)) {
        TBrigadeRec& b = g.Brigades[i];
        if (ServesIn(b, k)) b.Fatigue = static_cast<U8>(std::min(b.Fatigue + amount, kMaxFatigue));
    }
}

void FightPair(const TCorpsBrigades& listed, int c, int e) {
    TGameRec& g = G();
    TCorpsRec& a = g.Corps[c];
    TCorpsRec& b = g.Corps[e];
    a.Opponent = static_cast<U8>(e);
    b.Opponent = static_cast<U8>(c);
    const int bouts = g.Leaders[a.Leader].Tactics / 20 + a.OrderMode;
    std::int32_t mc = 0, me = 0;
    FireModifiers(c, e, bouts, mc, me);

    // The artillery duel: at least one attempt.
    int i = 0;
    do {
        const int gun = PickEngagedBrigade(listed, 1, c, BrigadeCount(a));
        const int target = gun != 0 ? PickEngagedBrigade(listed, 1, e, BrigadeCount(b)) : 0;
        if (gun == 0 || target == 0) break;
        EngageBrigades(gun, target, mc);
        ++i;
    } while (i < bouts && i < BrigadeCount(a));

    const int intensity = Intensity();
    const int engagements = Random(intensity) + intensity + bouts;
    for (int n = 0; n < engagements; ++n) {
        if (Random(200) >= 33 * intensity) continue;
        int t = PickEngagedBrigade(listed, 2, e, BrigadeCount(b));
        int s = PickEngagedBrigade(listed, 2, c, BrigadeCount(a));
        if (t != 0 && s != 0) {
            EngageBrigades(t, s, me);
            Bump(CorpsExtraEngagements[c], 1);
            Bump(CorpsExtraEngagements[e], 1);
            ExtraEngagements = Saturated<std::uint16_t>(ExtraEngagements + 1);
        }
        s = PickEngagedBrigade(listed, 2, c, BrigadeCount(a));
        t = PickEngagedBrigade(listed, 2, e, BrigadeCount(b));
        if (s != 0 && t != 0) EngageBrigades(s, t, mc);
    }

    if (Random(600) < mc) LeaderGains(c);
    if (Random(800) < me) LeaderGains(e);
    Wear(listed, c, bouts + 1);
    Wear(listed, e, bouts);
    for (TCorpsRec* r : {&b, &a})
        if (r->Condition == 0 || r->Disruption != 0) r->ContactCode = kBrokenOff;
    for (TCorpsRec* r : {&a, &b})
        if (r->Strength == 0) r->ContactCode = 0;
}

void Decide() {
    TGameRec& g = G();
    const int lossesU = g.BattleLosses(1), lossesC = g.BattleLosses(2);
    for (int s = 1; s <= 2; ++s)
        if (BattleTroops[s] == 0) BattleTroops[s] = 1;
    BattleTroops[1] = static_cast<std::uint32_t>(lossesU * 100LL / BattleTroops[1]);
    BattleTroops[2] = static_cast<std::uint32_t>(lossesC * 100LL / BattleTroops[2]);
    const long long pu = BattleTroops[1], pc = BattleTroops[2];
    MapCell& hex = MapGrid->Cell(g.BattleX, g.BattleY);
    if (g.BattleResult < 2) {
        // The holder of the ground wins on any lower loss; the other side needs the holder's
        // percentage to exceed its own by half.
        if (hex.ControlSide() == kUnion) {
            if (pc > pu) g.BattleResult = 2;
            if (2 * pu > 3 * pc) g.BattleResult = 3;
        } else {
            if (pu > pc) g.BattleResult = 3;
            if (2 * pc > 3 * pu) g.BattleResult = 2;
        }
    }

    long long sum[3] = {}, count[3] = {};
    for (int k = 1; k <= kCorpsCount; ++k) {
        if (PreBattleStrength[k] == 0) continue;
        const TCorpsRec& c = g.Corps[k];
        const int s = SideSlot(c.Side);
        sum[s] += c.Condition - c.Disruption;
        count[s] += 1;
    }
    for (int s = 1; s <= 2; ++s) BattleCohesion[s] = static_cast<std::int32_t>(sum[s] / std::max(count[s], 1LL));

    if (g.BattleResult < 2) {
        if (BattleCohesion[1] < 1 && BattleCohesion[2] > 0) g.BattleResult = 3;
        if (BattleCohesion[2] < 1 && BattleCohesion[1] > 0) g.BattleResult = 2;
    }
    if (g.BattleResult == 2 || g.BattleResult == 3) hex.SetControlSide(g.BattleResult - 1);
    if (g.BattleResult > 1) {
        if (lossesU + lossesC < 5) g.BattleResult = 1;
        if (Intensity() == 1) g.BattleResult = 1;  // a skirmish decides nothing
    }
}

// Win or loss for every corps of the battle, then its update. The first update caps quality over
// all brigades; after it only the brigades the last update drilled can stand above the cap.
void BookCorps(const TCorpsBrigades& listed) {
    TGameRec& g = G();
    const int result = g.BattleResult;
    int drilled = 0;
    for (int k = 1; k <= kCorpsCount; ++k) {
        if (!FightsAtBattleHex(k)) continue;
        TCorpsRec& c = g.Corps[k];
        // A local: the side played must survive the battle (it is the person's side to play).
        const int side = c.Side;
        c.ContactCode = 1;
        c.OrderMode = 0;
        const int chief = c.Army != 0 ? g.Armies[c.Army].Leader : 0;
        if (side + 1 == result) {
            Bump(g.Nations[side].Will, 1);
            CombatWords.WinningCorpsCount = Saturated<std::uint16_t>(CombatWords.WinningCorpsCount + 1);
            if (c.Leader != 0) Bump(g.Leaders[c.Leader].Political, 2);
            if (chief != 0) Bump(g.Leaders[chief].Political, 1);
            if (result == 2) Bump(g.MilitaryPoints[1], 3);
            if (result == 3) Bump(g.MilitaryPoints[2], 3);
        } else {
            if (chief != 0) Bump(g.Leaders[chief].Political, -1);
            if (c.Leader != 0) Bump(g.Leaders[c.Leader].Political, -3);
            if (g.Nations[side].Will != 0) Bump(g.Nations[side].Will, -1);
        }
        if (drilled == 0) UpdateCorpsAfterBattle(k);
        else UpdateCorpsAfterBattle(k, listed.Of(k), listed.Of(drilled));
        drilled = k;
    }
}

}  // namespace

void ResolveFieldBattle() {
    ExtraEngagements = 0;
    CorpsExtraEngagements = {};
    GunsLost = {};
    if (CombatWords.ResolvePending != 1) {
        ShowBattleResults();
        return;
    }
    CombatWords.ResolvePending = 0;
    DecideInitiative();
    NormaliseFactors();
    BattleCorpsLosses = {};
    for (int k = 1; k <= kCorpsCount; ++k)
        if (Engaged(k)) G().Corps[k].Losses = 0;
    // Every pick and every wearing of a corps looks at its own brigades alone.
    TCorpsBrigades listed;
    listed.List();
    const TFighters fighters;
    for (const int c : fighters.All()) {
        // Codes change as pairs fight: each corps is tested in its turn.
        if (G().Corps[c].ContactCode != kEngaged) continue;
        if (const int e = ChooseOpponent(fighters, c)) FightPair(listed, c, e);
    }
    Decide();
    BookCorps(listed);
    ShowBattleResults();
}

int PickEngagedBrigade(int mode, int corps, int brigadeCount) {
    int r = Random(brigadeCount + 1);
    if (r == 0) r = brigadeCount;
    const TGameRec& g = G();
    int found = 0, best = 0, seen = 0;
    for (int i = 1; i <= kBrigadeCount; ++i) {
        const TBrigadeRec& b = g.Brigades[i];
        if (b.AttachIndex != corps || b.AttachKind != kAttachCorps || b.Strength == 0) continue;
        if (mode == 1 && b.BrigadeType == kBrigadeArtillery && b.Strength > best) {
            found = i;
            best = b.Strength;
        }
        if (mode == 2 && b.BrigadeType != kBrigadeArtillery && ++seen == r) return i;
    }
    return mode == 1 ? found : 0;
}

int PickEngagedBrigade(const TCorpsBrigades& listed, int mode, int corps, int brigadeCount) {
    int r = Random(brigadeCount + 1);
    if (r == 0) r = brigadeCount;
    const TGameRec& g = G();
    int found = 0, best = 0, seen = 0;
    for (const int i : listed.Of(corps)) {
        const TBrigadeRec& b = g.Brigades[i];
        if (!ServesIn(b, corps) || b.Strength == 0) continue;
        if (mode == 1 && b.BrigadeType == kBrigadeArtillery && b.Strength > best) {
            found = i;
            best = b.Strength;
        }
        if (mode == 2 && b.BrigadeType != kBrigadeArtillery && ++seen == r) return i;
    }
    return mode == 1 ? found : 0;
}

void EngageBrigades(int firing, int target, int modifier) {
    TGameRec& g = G();
    TBrigadeRec& a = g.Brigades[firing];
    TBrigadeRec& t = g.Brigades[target];
    const TWeaponRec& w = g.WeaponTable[a.Weapon];
    const int fire = w.FireFactor1 * w.FireFactor2;
    if (a.BrigadeType == kBrigadeArtillery) {
        if (Random(100) >= 30) return;  // the guns hold their fire
        const auto value = static_cast<std::uint16_t>(12 * fire + modifier + 20 * a.Quality);
        const int losses = ApplyBrigadeHits(t.AttachIndex, RollFireHits(a.Strength, value), target);
        Bump(a.Quality, Random(5) / 3);
        Bump(t.Quality, Random(losses) / 4);
    } else {
        const auto value = static_cast<std::uint16_t>(10 * fire + modifier + 20 * a.Quality);
        const int losses = ApplyBrigadeHits(t.AttachIndex, RollFireHits(a.Strength, value), target);
        Bump(t.Quality, Random(losses) / 3);
    }
}

int RollFireHits(int shots, int value) {
    const int intensity = Intensity();
    const auto v = static_cast<std::uint16_t>(value);
    int hits = 1;
    for (int s = 0; s < shots; ++s)
        if (static_cast<std::uint16_t>(Random(1000 / intensity + 1000)) < v && Random(300) < 25 * intensity) ++hits;
    return hits;
}

int ApplyBrigadeHits(int corps, int hits, int brigade) {
    TGameRec& g = G();
    if (!Arr1<TBrigadeRec, kBrigadeCount>::InRange(brigade)) return 0;
    TBrigadeRec& b = g.Brigades[brigade];
    int losses = 0;
    for (int n = 0; n < hits; ++n) {
        if (b.BrigadeType == kBrigadeArtillery && Random(100) > 41) continue;  // the guns are spared
        if (b.Strength == 0) continue;
        TCorpsRec& k = g.Corps[corps];
        ++losses;
        Bump(g.BattleLosses(SideSlot(k.Side)), 1);
        CountCorpsLoss(corps);
        if (b.HomeState != 0) Bump(g.States[b.HomeState].StateCasualties, 1);
        if (Random(100) < 25) {
            if (k.Condition > 0) k.Condition -= 1;
            else Bump(k.Disruption, 1);
            CheckCorpsLeaderCasualty(corps);
        }
    }
    ApplyBrigadeLosses(3, brigade, losses);
    const int army = g.Corps[corps].Army;
    if (losses != 0 && army != 0) CheckArmyLeaderCasualty(army);
    return losses;
}

}  // namespace kvt
