// Force recount: every derived total of ships, corps, armies, states and theatres, rebuilt whole from
// the records it comes from. Corps without men, leader or hex and armies without corps end here;
// everything else written is derived, so a second recount changes only the theatre count of an
// army the first one dissolved.
#include "engine/forces/force_recount.h"

#include <algorithm>
#include <array>
#include <optional>

#include "engine/forces/brigade_rules.h"
#include "engine/forces/command_slots.h"
#include "engine/forces/corps_records.h"
#include "engine/forces/force_tally.h"
#include "engine/world/by_column.h"
#include "engine/world/corps_codes.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/record_access.h"

namespace kvt {

namespace {

constexpr int kArmyValueRange = 5;
constexpr int kOddsRange = 3;      // corps closer than this count toward each other's odds
constexpr int kMenPerCapacity = 80;
constexpr U8 kRiverFleet = 2;

// Sums run in 32 bits and are stored saturated: a wrapped word would turn a crowd into a handful.
std::uint16_t Word(long v) { return static_cast<std::uint16_t>(std::clamp<long>(v, 0, 65535)); }
U8 Byte(long v) { return static_cast<U8>(std::clamp<long>(v, 0, 255)); }

void CountShips(TGameRec& g) {
    std::array<std::array<long, 7>, kNationCount + 1> totals{};
    for (const TFleetRec& f : g.Fleets) {
        if (f.BuildCounter != 0 || !Arr1<TNationRec, kNationCount>::InRange(f.Owner)) continue;
        const bool river = f.WaterType == kRiverFleet;
        auto& t = totals[f.Owner];
        t[river ? kShipsRiverIronclads : kShipsOceanIronclads] += f.Ironclads + f.DamagedIronclads;
        t[river ? kShipsRiverWooden : kShipsOceanWooden] += f.Wooden + f.DamagedWooden;
        t[river ? kShipsRiverTransports : kShipsOceanTransports] += f.Transports + f.DamagedTransports;
    }
    for (int n = 1; n <= kNationCount; ++n)
        for (int s = 1; s <= 6; ++s) g.Nations[n].ShipTotals[s] = Word(totals[n][s]);
}

void CountForeignCities(TGameRec& g) {
    std::array<int, kStateCount + 1> foreign{};
    for (const TCityRec& c : g.Cities)
        if (Arr1<TStateRec, kStateCount>::InRange(c.State) && c.Owner != g.States[c.State].ControlSide) ++foreign[c.State];
    for (int s = 1; s <= kStateCount; ++s) {
        TStateRec& st = g.States[s];
        st.OwnStrength = 0;
        st.EnemyStrength = 0;
        st.ForeignHeld = static_cast<U8>(foreign[s]);
    }
}

// The corps' brigades wait unattached for a new corps; the record is freed whole.
// `holdsBrigades`: whether any brigade names the slot; most free slots hold none, and the recount
// visits every free slot.
void DisbandCorpsInRecount(TGameRec& g, int k, bool alreadyFree, bool holdsBrigades) {
    if (holdsBrigades)
        for (TBrigadeRec& b : g.Brigades)
            if (b.AttachIndex == k && b.AttachKind == kAttachCorps) {
                b.AttachKind = kAttachWaiting;
                b.AttachIndex = 0;
            }
    RelieveLeader(g.Corps[k].Leader);
    // A freed record that named its leader would relieve him again at every later recount, whatever
    // command he holds by then.
    if (alreadyFree) g.Corps[k].Leader = 0;
    else FreeCorpsRecord(k);
}

// Capacity, side, home state and readiness of a corps in use; the orders a recount resets.
void RecountCorps(TGameRec& g, TCorpsRec& c) {
    const TLeaderRec& leader = g.Leaders[c.Leader];
    c.BrigadeLimit = static_cast<U8>(CommanderLineLimit(c.Kind, leader.Initiative));
    if (Arr1<TNationRec, kNationCount>::InRange(c.Nation)) c.Side = g.Nations[c.Nation].Side;
    c.SupplyLoss = 0;
    const int state = OnMap(c.HexX, c.HexY) ? MapGrid->Cell(c.HexX, c.HexY).State() : 0;
    if (Arr1<TStateRec, kStateCount>::InRange(state)) {
        c.HomeState = static_cast<U8>(state);
        c.Region = g.States[state].Theatre;
    }
    const int readiness = c.BrigadeLimit != 0 ? c.Strength * 10 / (c.BrigadeLimit * kMenPerCapacity) : c.FatigueLimit;
    c.FatigueLimit = static_cast<U8>(std::clamp(readiness, 1, 10));
    const bool personPlayed = Arr1<TNationRec, kNationCount>::InRange(c.Nation) && g.Nations[c.Nation].Human != 0;
    if (c.OrderMode >= kOrderDefend && c.OrderMode <= kOrderPlan && !personPlayed) c.OrderMode = kOrderDefend;
    // A disrupted corps falls back, but one aboard a fleet keeps its embarked order: set ashore at
    // sea it would march off the water.
    if (c.Disruption != 0 && c.OrderMode != kOrderEmbarked) c.OrderMode = kOrderWithdraw;
}

using TCorpsColumns = TByColumn<kCorpsCount>;

// Local odds from the readiness of every corps closer than three hexes, and the commander's ratings.
// `columns`: the corps sorted by column, or none to measure every corps. The sums do not depend
// on the order the corps are met in.
void RecountOddsAndRatings(TGameRec& g, TCorpsRec& c, const TCorpsColumns* columns) {
    int own = 0, enemy = 0;
    auto meet = [&](const TCorpsRec& o) {
        if (!CorpsInUse(o) || HexDistance(c.HexX, c.HexY, o.HexX, o.HexY) >= kOddsRange) return;
        const int r = o.Kind != 0 && o.FatigueLimit > 1 ? o.FatigueLimit / 2 : o.FatigueLimit;
        (o.Side == c.Side ? own : enemy) += r;
    };
    if (columns) columns->ForNear(c.HexX, c.HexY, kOddsRange - 1, [&](int k, int, int, int) { meet(g.Corps[k]); });
    else
        for (const TCorpsRec& o : g.Corps) meet(o);
    c.OwnNearby = Byte(own);
    c.Opponent = Byte(enemy);
    if (own < enemy) c.SizeClass = enemy > 2 * own ? 1 : 2;
    else c.SizeClass = own > enemy + 10 ? 5 : own > enemy + 1 ? 4 : 3;

    const TLeaderRec& leader = g.Leaders[c.Leader];
    int initiative = leader.Initiative;
    if (Arr1<TArmyRec, kArmyCount>::InRange(c.Army)) {
        const int chief = g.Armies[c.Army].Leader;
        if (chief != 0) initiative += g.Leaders[chief].Initiative / 3;
    }
    c.LeaderInitiative = Byte(initiative);
    c.LeaderRating = leader.Rating;
}

struct TheatreSums {
    std::array<long, kTheatreCount + 1> strength{}, weight{};
    std::array<int, kTheatreCount + 1> corps{}, armies{};
};

// A corps counted for its nation: its state's own or enemy strength and its theatre's figures.
void CountCorps(TGameRec& g, const TCorpsRec& c, TheatreSums& sums, long stateOwn[], long stateEnemy[]) {
    if (Arr1<TStateRec, kStateCount>::InRange(c.HomeState)) {
        if (c.Side == g.States[c.HomeState].ControlSide) stateOwn[c.HomeState] += c.Strength;
        else stateEnemy[c.HomeState] += c.Strength;
    }
    if (!IsTheatre(c.Region)) return;
    sums.corps[c.Region] += 1;
    sums.strength[c.Region] += c.Strength;
    sums.weight[c.Region] += kMenPerCapacity * c.BrigadeLimit;
}

// Value of an army from the own and enemy strength within five hexes of its base: 50 when even,
// rising toward 100 as its own side outnumbers the enemy and falling toward 0 the other way.
int ArmyValue(int own, int enemy) {
    if (own > enemy) {
        int k = 1;
        for (int m = 2; m <= 5; ++m)
            if (own > m * enemy) k = m;
        const int r = k == 5 ? 0 : (own - k * enemy) / std::max(enemy / 10, 1);
        return 50 + 10 * k + r;
    }
    if (enemy > own) {
        int k = 4;
        for (int m = 2; m <= 5; ++m)
            if (enemy > m * own) --k;
        // Overwhelmed: the remainder over five times its strength would lift the value again.
        const int r = k == 0 ? 0 : (enemy - (5 - k) * own) / std::max(own / 10, 1);
        return 10 * k + r;
    }
    return 50;
}

// The corps slots in use of each army, listed once per recount. A dissolved army only sends its
// corps' Army back to 0, and each army reads its list once, checking the corps again.
struct TArmyCorps {
    explicit TArmyCorps(const TGameRec& g) {
        for (int k = 1; k <= kCorpsCount; ++k) {
            const TCorpsRec& c = g.Corps[k];
            if (!CorpsInUse(c) || c.Army < 1 || c.Army > kArmyCount) continue;
            corps[c.Army][static_cast<std::size_t>(count[c.Army]++)] = static_cast<std::uint8_t>(k);
        }
    }
    std::array<std::array<std::uint8_t, kCorpsCount>, kArmyCount + 1> corps;
    std::array<int, kArmyCount + 1> count{};
};

// `corps`: the corps sorted for the army values' tallies, or none to measure every corps;
// `armyCorps`: the corps of each army, or none to read every corps for each army.
void RecountNation(TGameRec& g, int n, const long garrisonStrength[], long stateOwn[], long stateEnemy[],
                   const TTallyCorps* corps, const TArmyCorps* armyCorps) {
    TNationRec& nation = g.Nations[n];
    TheatreSums sums;
    int corpsTally = 0, armyTally = 0;
    for (TFleetRec& f : g.Fleets)
        if (f.Owner == n && f.BuildCounter < 25) f.Side = nation.Side;

    for (int a = 1; a <= kArmyCount; ++a) {
        TArmyRec& army = g.Armies[a];
        if (army.Nation != n || army.BaseCity == 0) continue;
        army.Theatre = g.Cities[army.BaseCity].Theatre;
        ++armyTally;
        if (IsTheatre(army.Theatre)) sums.armies[army.Theatre] += 1;
        int count = 0;
        long readiness = 0, condition = 0, fatigue = 0;
        auto serving = [&](const TCorpsRec& c) {
            if (!CorpsInUse(c) || c.Side != nation.Side || c.Army != a) return;
            ++count;
            CountCorps(g, c, sums, stateOwn, stateEnemy);
            if (IsTheatre(c.Region)) readiness += c.FatigueLimit;
            condition += c.Condition;
            fatigue += c.Fatigue;
        };
        if (armyCorps)
            for (int i = 0; i < armyCorps->count[a]; ++i) serving(g.Corps[armyCorps->corps[a][static_cast<std::size_t>(i)]]);
        else
            for (const TCorpsRec& c : g.Corps) serving(c);
        corpsTally += count;
        army.CorpsCount = static_cast<U8>(count);
        army.Readiness = static_cast<U8>(count != 0 ? readiness / count : 0);
        army.Condition = static_cast<U8>(count != 0 ? condition / count : 0);
        army.Losses = static_cast<U8>(count != 0 ? fatigue / count : 0);
        if (count == 0) {
            // It leaves the nation's count at once but stays in its theatre's until the next recount.
            nation.ArmyTally = static_cast<U8>(armyTally);
            DissolveArmy(a);
            armyTally = nation.ArmyTally;
            // Saved games carry a pool army dissolved here with a name of one blank; the other ways
            // an army ends leave DisbandArmy's empty name.
            if (n == kNationUnion || n == kNationConfederacy) army.Name = " ";
        }
    }
    for (const TCorpsRec& c : g.Corps) {
        if (!CorpsInUse(c) || c.Nation != n || c.Army != 0) continue;
        ++corpsTally;
        CountCorps(g, c, sums, stateOwn, stateEnemy);
    }

    nation.CorpsTally = Byte(corpsTally);
    nation.ArmyTally = Byte(armyTally);
    for (int t = 1; t <= kTheatreCount; ++t) {
        nation.CorpsInTheatre[t] = Byte(sums.corps[t]);
        nation.ArmiesInTheatre[t] = Byte(sums.armies[t]);
        const long weight = sums.weight[t] != 0 ? sums.strength[t] * 10 / (sums.weight[t] / 10 + 1) : 0;
        nation.TheatreReadiness[t] = Word(weight);
    }
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        if (city.Nation == n && IsTheatre(city.Theatre) && city.Garrison != 0)
            sums.strength[city.Theatre] += garrisonStrength[c];
    }
    for (int t = 1; t <= kTheatreCount; ++t) nation.TheatreStrength[t] = Word(sums.strength[t]);

    for (int a = 1; a <= kArmyCount; ++a) {
        TArmyRec& army = g.Armies[a];
        if (army.Nation != n || army.BaseCity == 0 || army.CorpsCount == 0) continue;
        if (corps) corps->TallyNear(army.BaseCity, n, kArmyValueRange);
        else TallyForcesNearCity(army.BaseCity, n, kArmyValueRange);
        OwnTally = static_cast<std::uint16_t>(OwnTally / 10 + 1);
        EnemyTally = static_cast<std::uint16_t>(EnemyTally / 10 + 1);
        army.ArmyValue = Word(ArmyValue(OwnTally, EnemyTally));
    }
}

// Both readings of the recount: the plain one measures every corps for the odds and army values.
// No corps moves, changes side or strength once the corps are recounted, so the sweeps sort them
// once.
template <bool kRescan>
void Recount(bool corpsCounted = false) {
    TGameRec& g = *GameRec;
    CountShips(g);
    CountForeignCities(g);
    if (!corpsCounted) RecalcCorpsFromBrigades();

    // A slot's brigades change only when the slot itself is disbanded, so they are listed once; no
    // disbanding touches a garrison, so the garrisons are weighed in the same sweep.
    std::array<bool, 256> holdsBrigades{};
    long garrisonStrength[kCityCount + 1] = {};
    for (const TBrigadeRec& b : g.Brigades) {
        if (b.AttachKind == kAttachCorps) holdsBrigades[b.AttachIndex] = true;
        else if (b.AttachKind == kAttachGarrison && Arr1<TCityRec, kCityCount>::InRange(b.AttachIndex))
            garrisonStrength[b.AttachIndex] += b.Strength;
    }
    for (int k = 1; k <= kCorpsCount; ++k) {
        TCorpsRec& c = g.Corps[k];
        if (CorpsInUse(c)) {
            const bool empty = c.Strength == 0 && c.LineCount == 0 && c.ArtilleryCount == 0;
            if (empty || c.Leader == 0 || c.HexX == 0 || c.HexY == 0) DisbandCorpsInRecount(g, k, false, holdsBrigades[k]);
        } else if (c.HexY == 0) {
            DisbandCorpsInRecount(g, k, true, holdsBrigades[k]);
        }
    }
    // Every readiness is set before any odds are counted: the odds of a corps read its neighbours'.
    for (TCorpsRec& c : g.Corps)
        if (CorpsInUse(c)) RecountCorps(g, c);
    TCorpsColumns columns;
    if (!kRescan)
        columns.Sort(kCorpsCount, [&g](int k) { return TPlace{g.Corps[k].HexX, g.Corps[k].HexY, g.Corps[k].Side}; },
                     [&g](int k) { return CorpsInUse(g.Corps[k]); });
    for (TCorpsRec& c : g.Corps)
        if (CorpsInUse(c)) RecountOddsAndRatings(g, c, kRescan ? nullptr : &columns);

    long stateOwn[kStateCount + 1] = {}, stateEnemy[kStateCount + 1] = {};
    std::optional<TTallyCorps> corps;
    std::optional<TArmyCorps> armyCorps;
    if (!kRescan) {
        corps.emplace();
        armyCorps.emplace(g);
    }
    for (int n = 1; n <= kNationCount; ++n)
        RecountNation(g, n, garrisonStrength, stateOwn, stateEnemy, corps ? &*corps : nullptr, armyCorps ? &*armyCorps : nullptr);
    for (int s = 1; s <= kStateCount; ++s) {
        g.States[s].OwnStrength = Word(stateOwn[s]);
        g.States[s].EnemyStrength = Word(stateEnemy[s]);
    }
}

}  // namespace

void RecountForces() { Recount<false>(); }

void RecountForcesOfCountedCorps() { Recount<false>(true); }

void RecountForcesFullRescan() { Recount<true>(); }

}  // namespace kvt
