// Battle results and the corps update. Every counter changed here stops at the limits of its width.
#include "engine/combat/battle_results.h"

#include <algorithm>

#include "engine/combat/battle_analysis.h"
#include "engine/combat/battle_history.h"
#include "engine/combat/battle_state.h"
#include "engine/forces/brigade_rules.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "engine/world/stocks.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kMaxDisruption = 15;
constexpr int kQualityCap = 10;
constexpr int kResultRows = 10;

TGameRec& G() { return *GameRec; }

// The brigades serving in the corps: a sweep of all brigades, or of the corps' list when one is given.
struct TServing {
    int corps;
    const std::span<const std::uint16_t>* listed;

    template <class F>
    void ForEach(F f) const {
        if (listed == nullptr) return ForEachAttachedBrigade(corps, f);
        for (const int i : *listed) {
            TBrigadeRec& b = G().Brigades[i];
            if (b.AttachIndex == corps && b.AttachKind == kAttachCorps) f(b);
        }
    }
};

void Tire(const TServing& serving, long amount) {
    Bump(G().Corps[serving.corps].Fatigue, amount);
    serving.ForEach([&](TBrigadeRec& b) { Bump(b.Fatigue, amount); });
}

// Step 7 of the update: brigade totals recounted, quality capped map-wide and drilled by the fight.
// With a list, only `uncapped` needs the cap: each brigade is capped on its own, so capping those
// before the corps' own brigades draws the same numbers in the same order as the sweep.
void Recount(const TServing& serving, std::span<const std::uint16_t> uncapped) {
    TGameRec& g = G();
    const int corps = serving.corps;
    TCorpsRec& c = g.Corps[corps];
    c.ContactCode = 0;
    long artillery = 0, strength = 0, guns = 0, line = 0;
    auto own = [&](TBrigadeRec& b) {
        if (b.Quality > kQualityCap) b.Quality = kQualityCap;
        if (Random(100) < 10) Bump(b.Quality, 1);
        if (b.BrigadeType == kBrigadeArtillery) {
            ++guns;
            artillery += b.Strength;
        } else {
            ++line;
            strength += b.Strength;
        }
    };
    if (serving.listed == nullptr) {
        for (TBrigadeRec& b : g.Brigades) {
            if (b.Quality > kQualityCap) b.Quality = kQualityCap;
            if (b.AttachKind == kAttachCorps && b.AttachIndex == corps) own(b);
        }
    } else {
        for (const int i : uncapped)
            if (g.Brigades[i].Quality > kQualityCap) g.Brigades[i].Quality = kQualityCap;
        serving.ForEach(own);
    }
    c.ArtilleryCount = Saturated<std::uint8_t>(guns);
    c.LineCount = Saturated<std::uint8_t>(line);
    c.Artillery = Saturated<std::uint8_t>(artillery);
    c.Strength = Saturated<std::uint16_t>(strength);
}

void Foreign(int nation, bool unionWon, int row) {
    I16& attitude = G().Nations[nation].Attitude;
    if (unionWon && attitude > 0 && attitude < 100) Bump(attitude, row / 2);
    if (!unionWon && attitude < 100 && attitude > row) Bump(attitude, -row);
}

// The fixed texts of a fresh results dialog; every row and every figure label starts hidden and empty.
void InitResultsCaptions(TBattleResultsView& v) {
    v = TBattleResultsView{};
    v.caption = Text(663);
    v.analysis = {Text(667), true, true};
    v.ok = {Text(66), true, true};
    v.unionColumns = v.confederateColumns = Text(664);
    v.unionSubHeader = v.confederateSubHeader = Text(665);
}

// `texts`: the captions and rows are filled in; without them only the row counts and the clamped
// engagement counts the outcome books are kept.
TBattleResultsView BuildView(bool texts) {
    TGameRec& g = G();
    TBattleResultsView v;
    if (texts) {
        InitResultsCaptions(v);
        v.initiative = std::string(InitiativeSide == 1 ? "Union " : "Confederate ") + Text(666);
        const int intensity = CombatWords.BattleIntensity;
        if (intensity >= 1 && intensity <= 5) v.intensity = Text(668 + intensity);
    }
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& c = g.Corps[k];
        if (!FightsAtBattleHex(k) || (c.Side != kUnion && c.Side != kConfederacy)) continue;
        const int n = c.ArtilleryCount + c.LineCount;
        if (n < CorpsExtraEngagements[k]) CorpsExtraEngagements[k] = static_cast<std::uint8_t>(n);
        int& next = c.Side == kUnion ? v.unionRow : v.confederateRow;
        const int r = next;
        if (r < kResultRows) next = r + 1;  // every corps past the tenth overwrites row 10
        if (!texts) continue;
        TResultsRow& row = (c.Side == kUnion ? v.unionRows : v.confederateRows)[r];
        row.leader = c.Leader != 0 ? g.Leaders[c.Leader].Name.str() : "";
        row.brigades = std::to_string(n) + "/" + std::to_string(CorpsExtraEngagements[k]);
        row.casualties = std::to_string(static_cast<long long>(BattleCorpsLosses[k]) * 50);
        row.disruption = DisruptionText(c.Disruption, c.Side == kUnion && r == 1);
        row.shown = true;
    }
    if (!texts) return v;
    v.unionLeader = g.Leaders[CombatWords.UnionLeader].Name.str();
    v.confederateLeader = g.Leaders[CombatWords.ConfederateLeader].Name.str();
    v.unionLosses = Text(404) + " " + std::to_string(g.BattleLosses(1) * 50);
    v.confederateLosses = Text(404) + " " + std::to_string(g.BattleLosses(2) * 50);
    v.headerShown = true;
    return v;
}

void BookOutcome(TBattleResultsView& v) {
    TGameRec& g = G();
    switch (g.BattleResult) {
        case 0:
        case 1:
            v.result = Text(63);
            v.resultShown = true;
            break;
        case 2:
            v.result = Text(64);
            v.resultShown = true;
            Foreign(kNationFrance, true, v.confederateRow);
            Foreign(kNationBritain, true, v.confederateRow);
            break;
        case 3: {
            v.result = Text(65);
            v.resultShown = true;
            Foreign(kNationFrance, false, v.unionRow);
            Foreign(kNationBritain, false, v.unionRow);
            long long small = 0, guns = 0;
            for (int w = 1; w <= 5; ++w) small += GunsLost[w];
            for (int w = 6; w <= kWeaponKinds; ++w) guns += GunsLost[w];
            v.weapons = Text(668) + std::to_string(small * 50 + guns * 2) + " weapons.";
            v.weaponsShown = true;
            for (int w = 1; w <= kWeaponKinds; ++w)
                ChangeStock(g.Nations[kNationConfederacy].WeaponPool[w], GunsLost[w], StockRule::Battle);
            break;
        }
        default: break;
    }
    Bump(g.Casualties[1], g.BattleLosses(1));
    Bump(g.Casualties[2], g.BattleLosses(2));
    Bump(g.MilitaryPoints[1], g.BattleLosses(2) / 20);
    Bump(g.MilitaryPoints[2], g.BattleLosses(1) / 20);
}

}  // namespace

std::string DisruptionText(int disruption, bool firstUnionRow) {
    if (disruption == 0) return Text(674);
    if (disruption == 1) return Text(675);
    return Text(disruption <= (firstUnionRow ? 7 : 6) ? 676 : 677);
}

namespace {

void UpdateCorps(const TServing& serving, std::span<const std::uint16_t> uncapped) {
    const int corps = serving.corps;
    TGameRec& g = G();
    TCorpsRec& c = g.Corps[corps];
    const long men = c.Strength + c.Artillery;
    long d = men != 0 ? std::min<long>(BattleCorpsLosses[corps] * 50L / men, kMaxDisruption) : kMaxDisruption;

    TLeaderRec* leader = c.Leader != 0 ? &g.Leaders[c.Leader] : nullptr;
    TLeaderRec* chief = c.Army != 0 && g.Armies[c.Army].Leader != 0 ? &g.Leaders[g.Armies[c.Army].Leader] : nullptr;
    if (leader && leader->Experience < 21) Bump(leader->Experience, 5);
    long rally = leader ? leader->Tactics : 0;
    if (chief) rally = (rally + chief->Tactics) * 3 / 2;

    if (d != 0) d = c.Entrenchment < d ? d - c.Entrenchment : 1;
    c.Condition = c.Condition > 2 * d ? static_cast<U8>(c.Condition - 2 * d) : 0;
    if (d == 0) Tire(serving, 1);
    Recount(serving, uncapped);

    const bool won = c.Side + 1 == g.BattleResult;
    for (const TCityRec& city : g.Cities) {
        if (city.Owner != c.Side || city.HexX != g.BattleX || city.HexY != g.BattleY) continue;
        const long b = city.Fortifications / 3;
        d = won ? 0 : d > b ? d - b : 0;
    }
    // The ground: the state of the battle hex favours its owner and troubles a stranger to it.
    const int s = MapGrid->Cell(g.BattleX, g.BattleY).State();
    if (Arr1<TStateRec, kStateCount>::InRange(s)) {
        if (c.Side == g.States[s].Owner && d > 0) d -= 1;
        if (c.Side != g.States[s].ControlSide && d > 0) d += 1;
    }
    const int recovery = g.Nations[c.Side].Recovery;
    if (d > 1 && recovery < d) d -= recovery;
    if (c.Kind == 2) d /= 2;
    if (Random(100) < rally && d > 1) d /= 2;

    if (won) {
        Bump(c.Fatigue, 4 + 2 * d);
        serving.ForEach([&](TBrigadeRec& b) {
            if (b.Fatigue > 20) Bump(b.Fatigue, 4 + 2 * d);
        });
        d = d < 8 ? 0 : d <= 12 ? 1 : 3;
    } else {
        Tire(serving, d);
        if (g.BattleResult == 1) Tire(serving, 3);
        else c.Entrenchment = 0;
    }
    d = std::min<long>(d, kMaxDisruption);
    c.Disruption = static_cast<U8>(d);
    if (leader && leader->Political > -20) Bump(leader->Political, -d);
    c.OrderMode = 0;
    if (chief && chief->Political > -20) Bump(chief->Political, -d / 2);
}

}  // namespace

void UpdateCorpsAfterBattle(int corps) { UpdateCorps(TServing{corps, nullptr}, {}); }

void UpdateCorpsAfterBattle(int corps, std::span<const std::uint16_t> listed,
                            std::span<const std::uint16_t> uncapped) {
    UpdateCorps(TServing{corps, &listed}, uncapped);
}

void ShowBattleResults() {
    Frontend& fe = CurrentFrontend();
    // Results nobody sees and no history keeps need no texts; the outcome is booked all the same.
    const bool shown = fe.ShowsBattleResults();
    TBattleResultsView v = BuildView(shown || RecordsBattleHistory());
    BookOutcome(v);
    WriteBattleHistory(v);
    fe.SetCursor(CursorKind::Arrow);
    if (shown) fe.ShowBattleResults(v, BattleAnalysis(CombatWords.BattleIntensity));
}

}  // namespace kvt
