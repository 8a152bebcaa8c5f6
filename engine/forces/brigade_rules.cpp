// Brigade rules shared by battles, movement, supply, the order dialogs and the computer players.
// Every corps figure that derives from brigades is rebuilt here; nothing here waits or reports.
#include "engine/forces/brigade_rules.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "engine/world/bounded_fields.h"
#include "engine/world/random.h"
#include "engine/world/record_access.h"
#include "engine/world/stocks.h"

namespace kvt {

Arr1<std::uint16_t, 8> GunsLost = {};

namespace {

// Prices of weapon kinds 2..8 for nations 1..4; kind 1 keeps its price.
constexpr std::uint8_t kWeaponPrices[9][5] = {
    {}, {},
    {0, 3, 3, 2, 2},         // Springfields
    {0, 12, 12, 8, 6},       // Sharps
    {0, 20, 20, 12, 10},     // Spencers
    {0, 1, 1, 3, 3},         // Shotguns
    {0, 42, 45, 40, 38},     // Smoothbores
    {0, 70, 70, 62, 60},     // Parrotts
    {0, 110, 110, 90, 92},   // Whitworths
};

// Cities where armed brigades of a state without a capital muster when the Union holds them.
constexpr int kWestMusterCity = 57;
constexpr int kMississippiMusterCity = 55;

}  // namespace

void ClearBrigade(int brigade) {
    if (brigade < 1 || brigade > kBrigadeCount) return;
    TBrigadeRec& b = GameRec->Brigades[brigade];
    b.Nation = 0;
    b.BrigadeType = 0;
    b.Strength = 0;
    b.HomeState = 0;
    b.AttachKind = kAttachFree;
    b.Fatigue = 0;
}

void ClearAttachedBrigades(int corps) {
    for (int b = 1; b <= kBrigadeCount; ++b)
        if (GameRec->Brigades[b].AttachIndex == corps && GameRec->Brigades[b].AttachKind == kAttachCorps) ClearBrigade(b);
}

namespace {

// Takes n attrition points off corps `index`, one at a time, from its own brigades `own` (in index
// order): a loss touches only the brigade it picks, and no other brigade joins or leaves meanwhile.
void SpreadCorpsLosses(int index, int n, const std::uint16_t* own, int ownCount) {
    TGameRec& g = *GameRec;
    TCorpsRec& corps = g.Corps[index];
    while (n > 0) {
        int pick = 0, bestStrength = 0, bestQuality = 100;
        for (int o = 0; o < ownCount; ++o) {
            const int i = own[o];
            const TBrigadeRec& b = g.Brigades[i];
            if (b.AttachKind != kAttachCorps || b.AttachIndex != index || b.Nation != corps.Nation) continue;
            const int weight = b.BrigadeType == kBrigadeArtillery ? 3 : b.BrigadeType == kBrigadeCavalry ? 2 : 1;
            const int q = b.Quality * weight;
            if (b.Strength > bestStrength && q < bestQuality) {
                pick = i;
                bestStrength = b.Strength;
                bestQuality = q;
            }
        }
        if (pick == 0) return;  // nobody left to take the rest
        TBrigadeRec& b = g.Brigades[pick];
        b.Strength -= 1;
        n -= 1;
        if (corps.Strength != 0) corps.Strength -= 1;
        Bump(g.Foraging[b.Nation], 1);
        if (b.HomeState != 0) Bump(g.States[b.HomeState].StateCasualties, 1);
        if (b.Strength == 0) ClearBrigade(pick);
    }
}

}  // namespace

void ApplyBrigadeLosses(int mode, int index, int n) {
    TGameRec& g = *GameRec;
    if (mode == 1) {
        if (index < 1 || index > kCorpsCount || n <= 0) return;
        // The corps' own nation's brigades, in index order, listed once. A brigade of no known
        // nation is cleared of it, as every pick's look over the brigades would.
        std::array<std::uint16_t, kBrigadeCount> own;
        int ownCount = 0;
        const int nation = g.Corps[index].Nation;
        // Every corps' attrition looks over all brigades: four a round, on two compares a brigade
        // (a nation past the last is the only one to clear; clearing a 0 changes nothing).
        TBrigadeRec* const brigades = g.Brigades.begin();
#pragma GCC unroll 4
        for (int i = 0; i < kBrigadeCount; ++i) {
            TBrigadeRec& b = brigades[i];
            if (b.Nation > kNationCount) b.Nation = 0;
            else if (b.AttachIndex == index && b.AttachKind == kAttachCorps && b.Nation == nation && b.Nation != 0)
                own[ownCount++] = static_cast<std::uint16_t>(i + 1);
        }
        SpreadCorpsLosses(index, n, own.data(), ownCount);
    } else if (mode == 3) {
        if (index < 1 || index > kBrigadeCount) return;
        TBrigadeRec& b = g.Brigades[index];
        const int taken = b.Strength < n ? b.Strength : n;
        // A long war's tallies stop at their width: wrapped, a state's dead would read as a handful.
        Bump(g.Casualties[b.Nation], taken);
        Bump(g.BattleSideLosses[b.Nation], taken);
        if (b.HomeState != 0) Bump(g.States[b.HomeState].StateCasualties, taken);
        if (b.Strength < n) {
            ClearBrigade(index);
            return;
        }
        b.Strength = static_cast<U8>(b.Strength - n);
        // Only Union guns are booked: they are what a Confederate victory captures, and a win must
        // not hand the Confederacy back its own lost guns. Every artillery loss still draws.
        const bool gunsLost = b.BrigadeType == kBrigadeArtillery && Random(100) < 50;
        if (gunsLost && g.Nations[b.Nation].Side == kUnion && b.Weapon >= 1 && b.Weapon <= kWeaponKinds)
            GunsLost[b.Weapon] = static_cast<std::uint16_t>(std::min(GunsLost[b.Weapon] + n, 65535));
    }
}

void ListAttachedBrigades(int corps, TAttachedBrigades& list) {
    list.count = 0;
    list.strayNation = false;
    if (corps < 1 || corps > kCorpsCount) return;
    const TBrigadeRec* const brigades = GameRec->Brigades.begin();
    bool stray = false;
#pragma GCC unroll 4
    for (int i = 0; i < kBrigadeCount; ++i) {
        const TBrigadeRec& b = brigades[i];
        stray |= b.Nation > kNationCount;
        if (b.AttachIndex == corps && b.AttachKind == kAttachCorps) list.index[list.count++] = static_cast<std::uint16_t>(i + 1);
    }
    list.strayNation = stray;
}

void TCorpsBrigades::List() { List(GameRec->Brigades.begin()); }

void TCorpsBrigades::List(const TBrigadeRec* records) {
    // Counted by corps, then placed in index order within each corps.
    std::array<std::uint16_t, kCorpsCount + 2> count{};
    for (int i = 0; i < kBrigadeCount; ++i) {
        const TBrigadeRec& b = records[i];
        if (b.AttachKind == kAttachCorps && b.AttachIndex >= 1 && b.AttachIndex <= kCorpsCount) ++count[b.AttachIndex];
    }
    first_[0] = first_[1] = 0;
    for (int k = 1; k <= kCorpsCount; ++k) first_[k + 1] = static_cast<std::uint16_t>(first_[k] + count[k]);
    std::array<std::uint16_t, kCorpsCount + 2> next = first_;
    for (int i = 0; i < kBrigadeCount; ++i) {
        const TBrigadeRec& b = records[i];
        if (b.AttachKind == kAttachCorps && b.AttachIndex >= 1 && b.AttachIndex <= kCorpsCount)
            brigades_[next[b.AttachIndex]++] = static_cast<std::uint16_t>(i + 1);
    }
}

std::span<const std::uint16_t> TCorpsBrigades::Of(int corps) const {
    if (corps < 1 || corps > kCorpsCount) return {};
    return std::span<const std::uint16_t>(brigades_).subspan(first_[corps], first_[corps + 1] - first_[corps]);
}

void ListEveryCorpsBrigades(TAttachedByCorps& lists) {
    bool stray = false;
    for (const TBrigadeRec& b : GameRec->Brigades) stray |= b.Nation > kNationCount;
    lists.lists.List();
    lists.strayNation = stray;
}

void TAttachedByCorps::Of(int corps, TAttachedBrigades& list) const {
    // A stray nation is cleared by the first loss anywhere: left to the look over every brigade.
    if (strayNation || corps < 1 || corps > kCorpsCount) return ListAttachedBrigades(corps, list);
    list.count = 0;
    list.strayNation = false;
    for (const std::uint16_t i : lists.Of(corps)) {
        const TBrigadeRec& b = GameRec->Brigades[i];
        if (b.AttachIndex == corps && b.AttachKind == kAttachCorps) list.index[list.count++] = i;
    }
}

void ApplyCorpsAttrition(int corps, int n, const TAttachedBrigades& list) {
    if (corps < 1 || corps > kCorpsCount || n <= 0) return;
    // Only a stray nation needs the look over every brigade that clears it.
    if (list.strayNation) return ApplyBrigadeLosses(1, corps, n);
    const int nation = GameRec->Corps[corps].Nation;
    std::array<std::uint16_t, kBrigadeCount> own;
    int ownCount = 0;
    for (int o = 0; o < list.count; ++o) {
        const int i = list.index[o];
        if (nation != 0 && GameRec->Brigades[i].Nation == nation) own[ownCount++] = static_cast<std::uint16_t>(i);
    }
    SpreadCorpsLosses(corps, n, own.data(), ownCount);
}

int CorpsCapacity(int kind, int nation, int initiative) {
    const bool confederate = nation == kNationConfederacy;
    return kind != 0 ? (confederate ? initiative / 20 : initiative / 30) + 2
                     : (confederate ? initiative / 11 : initiative / 20) + 4;
}

int CorpsBrigadeLimit(int kind, int nation, int initiative) { return std::min(CorpsCapacity(kind, nation, initiative), 10); }

int CommanderLineLimit(int kind, int initiative) { return kind != 0 ? initiative / 35 + 2 : initiative / 12 + 4; }

void RecalcCorpsFromBrigades() {
    TGameRec& g = *GameRec;
    struct Sums {
        int artillery = 0, strength = 0, artilleryCount = 0, lineCount = 0, quality = 0, fatigue = 0;
    };
    Sums sums[kCorpsCount + 1] = {};
    int garrison[kCityCount + 1] = {};
    // One pass over the brigades: each is cleared first if spent, then counted in its corps' sums or
    // its city's garrison. What one brigade does there reads no other brigade.
    for (int i = 1; i <= kBrigadeCount; ++i) {
        TBrigadeRec& b = g.Brigades[i];
        if ((b.Strength == 0 && b.BrigadeType != 0) || b.BrigadeType == 0 || b.HomeState == 0) ClearBrigade(i);
        if (b.AttachKind == kAttachGarrison && b.AttachIndex >= 1 && b.AttachIndex <= kCityCount) ++garrison[b.AttachIndex];
        if (b.AttachKind != kAttachCorps || b.AttachIndex < 1 || b.AttachIndex > kCorpsCount) continue;
        if (b.BrigadeType == 0 || b.HomeState == 0) continue;
        const TCorpsRec& corps = g.Corps[b.AttachIndex];
        if (b.Nation != corps.Nation || !CorpsInUse(corps) || corps.Side == 0) continue;
        Sums& s = sums[b.AttachIndex];
        if (b.BrigadeType == kBrigadeArtillery) {
            s.artilleryCount += 1;
            s.artillery += b.Strength;
        } else {
            s.lineCount += 1;
            s.strength += b.Strength;
        }
        s.quality = std::min(s.quality + b.Quality, 255);
        if (b.Fatigue > 23) b.Fatigue = 23;
        s.fatigue += b.Fatigue;
    }

    for (int c = 1; c <= kCorpsCount; ++c) {
        TCorpsRec& corps = g.Corps[c];
        if (!CorpsInUse(corps) || corps.Side == 0) continue;
        corps.BrigadeLimit = static_cast<U8>(CorpsBrigadeLimit(corps.Kind, corps.Nation, g.Leaders[corps.Leader].Initiative));
        const Sums& s = sums[c];
        corps.Artillery = static_cast<U8>(s.artillery);
        corps.ArtilleryCount = static_cast<U8>(s.artilleryCount);
        corps.LineCount = static_cast<U8>(s.lineCount);
        corps.Strength = static_cast<std::uint16_t>(s.strength);
        // Artillery adds to the sums but not to the divisor.
        corps.Quality = static_cast<U8>(s.lineCount != 0 ? s.quality / s.lineCount : 0);
        corps.Fatigue = static_cast<U8>(s.lineCount != 0 ? s.fatigue / s.lineCount : 0);
    }

    for (int c = 1; c <= kCityCount; ++c)
        if (g.Cities[c].Nation != 0) g.Cities[c].Garrison = static_cast<std::uint16_t>(garrison[c]);
}

int DrillCorpsBrigades(int corps) {
    int drilled = 0;
    ForEachCorpsBrigade(corps, [&](TBrigadeRec& b) {
        if (Random(100) > 25 && Random(8) > b.Quality) {
            b.Quality += 1;
            ++drilled;
        }
    });
    return drilled;
}

void InitBrigadeTypeTable() {
    for (int kind = 2; kind <= kWeaponKinds; ++kind)
        for (int nation = 1; nation <= kNationCount; ++nation)
            GameRec->WeaponTable[kind].Price[nation] = kWeaponPrices[kind][nation];
}

int PickBrigadeWeapon(int nation, int brigadeType, int strength) {
    int first = 0, last = 0;
    switch (brigadeType) {
        case kBrigadeArtillery: first = 6; last = 8; break;
        case kBrigadeInfantry: first = 1; last = 4; break;
        case kBrigadeCavalry: first = 3; last = 5; break;
        default: return 0;
    }
    for (int kind = first; kind <= last; ++kind)
        if (GameRec->Nations[nation].WeaponPool[kind] > strength) return kind;
    return 0;
}

void ArmWaitingBrigades(int nation) {
    TGameRec& g = *GameRec;
    for (TBrigadeRec& b : g.Brigades) {
        if (b.Nation != nation || b.AttachKind != kAttachUnarmed) continue;
        const int w = PickBrigadeWeapon(b.Nation, b.BrigadeType, b.Strength);
        if (w == 0) continue;
        b.Weapon = static_cast<U8>(w);
        b.AttachKind = kAttachWaiting;
        TakeStock(g.Nations[b.Nation].WeaponPool[w], b.Strength, StockRule::Arming);
        const TStateRec& home = g.States[b.HomeState];
        int city = home.CapitalCity;
        if (city == 0) {
            city = g.Nations[b.Nation].Capital;
            if (home.Theatre == kWest && g.Cities[kWestMusterCity].Owner == kUnion) city = kWestMusterCity;
            if (home.Theatre == kMississippi && g.Cities[kMississippiMusterCity].Owner == kUnion)
                city = kMississippiMusterCity;
        }
        b.AttachIndex = static_cast<U8>(city);
    }
}

int BrigadeTargetStrength(int brigadeType) {
    switch (brigadeType) {
        case kBrigadeArtillery: return kArtilleryBrigadeStrength;
        case kBrigadeInfantry: return kInfantryBrigadeStrength;
        case kBrigadeCavalry: return kCavalryBrigadeStrength;
        default: return 0;
    }
}

U16* RecruitPool(TStateRec& state, int brigadeType) {
    switch (brigadeType) {
        case kBrigadeArtillery: return &state.ArtilleryPool;
        case kBrigadeInfantry: return &state.InfantryPool;
        case kBrigadeCavalry: return &state.CavalryPool;
        default: return nullptr;
    }
}

void RaiseBrigadeAtCity(int brigadeType, int state) {
    TGameRec& g = *GameRec;
    int slot = 0;
    for (int i = 1; i <= kBrigadeCount && slot == 0; ++i)
        if (g.Brigades[i].AttachKind == kAttachFree) slot = i;
    if (slot == 0) return;
    TStateRec& s = g.States[state];
    TBrigadeRec& b = g.Brigades[slot];
    b.Nation = s.Controller;
    b.AttachIndex = 0;
    b.BrigadeType = static_cast<U8>(brigadeType);
    b.Fatigue = 0;
    b.Strength = 0;
    if (U16* pool = RecruitPool(s, brigadeType)) {
        const int amount = BrigadeTargetStrength(brigadeType);
        if (*pool >= amount) b.Strength = static_cast<U8>(TakeStock(*pool, amount, StockRule::Arming));
    }
    b.Weapon = 0;
    b.Quality = 1;
    b.HomeState = static_cast<U8>(state);
    b.AttachKind = kAttachUnarmed;
    for (int k = 1; k <= 255; ++k) {
        bool taken = false;
        for (int i = 1; i <= kBrigadeCount && !taken; ++i) {
            const TBrigadeRec& o = g.Brigades[i];
            taken = i != slot && o.AttachKind != kAttachFree && o.HomeState == state && o.Ordinal == k;
        }
        if (!taken) {
            b.Ordinal = static_cast<U8>(k);
            break;
        }
    }
}

void ReleaseCorpsBrigades(int corps) {
    TGameRec& g = *GameRec;
    const int city = g.Corps[corps].SupplyCity;
    if (city == 0) return;
    // Every brigade moved is counted, artillery and allies too: the count must match the brigades
    // the garrison holds before any recount.
    for (TBrigadeRec& b : g.Brigades)
        if (b.AttachIndex == corps && b.AttachKind == kAttachCorps) {
            b.AttachKind = kAttachGarrison;
            b.AttachIndex = static_cast<U8>(city);
            g.Cities[city].Garrison += 1;
        }
}

std::span<const std::uint16_t> TBrigadesByCorps::Of(int corps) {
    if (corps < 1 || corps > kCorpsCount) return {};
    // Whoever changed a brigade (a loss, a transfer, a new record) changed a byte of the copy.
    if (!listed_ || (!held_ && std::memcmp(copy_.data(), GameRec->Brigades.begin(), sizeof(copy_)) != 0)) List();
    return lists_.Of(corps);
}

void TBrigadesByCorps::Hold() {
    held_ = false;
    Of(1);
    held_ = true;
}

void TBrigadesByCorps::SetFatigue(int brigade, U8 fatigue) {
    GameRec->Brigades[brigade].Fatigue = fatigue;
    copy_[brigade - 1].Fatigue = fatigue;
}

void TBrigadesByCorps::List() {
    std::memcpy(copy_.data(), GameRec->Brigades.begin(), sizeof(copy_));
    lists_.List(copy_.data());
    listed_ = true;
}

void ResetBrigadeRuleGlobals() { GunsLost = {}; }

}  // namespace kvt
