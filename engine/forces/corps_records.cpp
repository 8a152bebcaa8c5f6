// Freeing army and corps records: what every rule that ends a command shares.
#include "engine/forces/corps_records.h"

#include <cstddef>
#include <cstring>
#include <string>

#include "engine/forces/brigade_rules.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/notice.h"

namespace kvt {

namespace {

int CountAttached(int corps, bool artillery) {
    int n = 0;
    ForEachAttachedBrigade(corps, [&](const TBrigadeRec& b) { n += (b.BrigadeType == kBrigadeArtillery) == artillery; });
    return n;
}

// Line brigades fill a corps up to its brigade limit, artillery up to half of it.
bool HasRoomFor(int corps, const TBrigadeRec& b) {
    const TCorpsRec& c = GameRec->Corps[corps];
    const bool artillery = b.BrigadeType == kBrigadeArtillery;
    const int limit = artillery ? c.BrigadeLimit / 2 : c.BrigadeLimit;
    return CountAttached(corps, artillery) < limit;
}

int ReceivingCorps(int from, const TBrigadeRec& b) {
    const TGameRec& g = *GameRec;
    const TCorpsRec& c = g.Corps[from];
    for (int j = 1; j <= kCorpsCount; ++j) {
        const TCorpsRec& r = g.Corps[j];
        if (j == from || !CorpsInUse(r) || r.Nation != c.Nation || r.Side != c.Side) continue;
        if (MovementHexDistance(c.HexX, c.HexY, r.HexX, r.HexY) >= 2) continue;
        if (HasRoomFor(j, b)) return j;
    }
    return 0;
}

int ReceivingCity(int from) {
    const TGameRec& g = *GameRec;
    const TCorpsRec& c = g.Corps[from];
    int best = 0, bestDistance = 2;
    for (int k = 1; k <= kCityCount; ++k) {
        const TCityRec& city = g.Cities[k];
        if (city.Owner != c.Side || c.Side == 0) continue;
        const int d = MovementHexDistance(c.HexX, c.HexY, city.HexX, city.HexY);
        if (d < bestDistance) {
            best = k;
            bestDistance = d;
        }
    }
    return best;
}

}  // namespace

void ReleaseBaselessArmies() {
    for (TArmyRec& a : GameRec->Armies)
        if (a.BaseCity == 0) a.Nation = 0;
}

void DisbandArmy(int a) {
    if (!Arr1<TArmyRec, kArmyCount>::InRange(a)) return;
    TGameRec& g = *GameRec;
    TArmyRec& army = g.Armies[a];
    army.Name = "";
    auto* raw = reinterpret_cast<std::uint8_t*>(&army);
    std::memset(raw + offsetof(TArmyRec, BaseCity), 0,
                offsetof(TArmyRec, Nation) + 1 - offsetof(TArmyRec, BaseCity));
    army.PlanTag = 0;
    army.ArmyValue = 0;
    for (TCorpsRec& c : g.Corps)
        if (c.Army == a) c.Army = 0;
}

void DisbandCorps(int c) {
    if (!Arr1<TCorpsRec, kCorpsCount>::InRange(c)) return;
    TGameRec& g = *GameRec;
    const std::string leaderName = g.Leaders[g.Corps[c].Leader].Name.str();
    bool released = false;
    const int nation = g.Corps[c].Nation;
    for (int i = 1; i <= kBrigadeCount; ++i) {
        TBrigadeRec& b = g.Brigades[i];
        if (b.AttachKind != kAttachCorps || b.AttachIndex != c) continue;
        // Only the corps' own nation's brigades are handed on; any other would serve a freed slot.
        if (b.Nation != nation) {
            ClearBrigade(i);
            released = true;
        } else if (int j = ReceivingCorps(c, b)) {
            b.AttachIndex = static_cast<U8>(j);
        } else if (int city = ReceivingCity(c)) {
            b.AttachKind = kAttachGarrison;
            b.AttachIndex = static_cast<U8>(city);
        } else {
            ClearBrigade(i);
            released = true;
        }
    }
    if (released) RaiseEventNotice(0, "Force under " + leaderName, "has been disbanded due ", "to lack of leadership.");
    FreeCorpsRecord(c);
    RecalcCorpsFromBrigades();
}

void FreeCorpsRecord(int c, std::uint8_t mark) {
    if (!Arr1<TCorpsRec, kCorpsCount>::InRange(c)) return;
    TGameRec& g = *GameRec;
    // A freed slot must read as free to every later loop: clearing Unused with the rest would
    // leave a live corps at (0,0).
    TCorpsRec& corps = g.Corps[c];
    TCorpsRec cleared = ClearedCorpsRecord(corps);
    cleared.Unused = mark;
    corps = cleared;
    for (TFleetRec& f : g.Fleets)
        if (f.Cargo == c) f.Cargo = 0;
}

TCorpsRec ClearedCorpsRecord(const TCorpsRec& corps) {
    TCorpsRec cleared{};
    std::memset(static_cast<void*>(&cleared), 0, sizeof cleared);
    cleared.Route = corps.Route;
    cleared.StepDone = corps.StepDone;
    return cleared;
}

void EndCorps(int c) {
    if (!Arr1<TCorpsRec, kCorpsCount>::InRange(c)) return;
    TGameRec& g = *GameRec;
    const int l = g.Corps[c].Leader;
    // Left on the slot, the man would be made available again by the next planning while he
    // commands elsewhere; left active, he would never be offered a command again.
    if (l >= 1 && l <= kLeaderCount && g.Leaders[l].Status == kLeaderActive) g.Leaders[l].Status = kLeaderAvailable;
    FreeCorpsRecord(c);
}

}  // namespace kvt
