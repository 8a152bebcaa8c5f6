// Raising corps and divisions.
#include "engine/orders/new_corps.h"

#include <algorithm>

#include "engine/forces/brigade_rules.h"
#include "engine/forces/command_slots.h"
#include "engine/forces/corps_records.h"
#include "engine/orders/order_support.h"
#include "engine/orders/raising_lists.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/naming.h"
#include "engine/world/record_access.h"

namespace kvt {

namespace {

constexpr int kParrotts = 7;  // the weapon kind

bool InList(const std::vector<int>& list, int value) { return std::find(list.begin(), list.end(), value) != list.end(); }

bool RaisedHere(const TBrigadeRec& b, int nation) {
    return b.Nation == nation && (b.AttachKind == kAttachGarrison || b.AttachKind == kAttachWaiting);
}

bool TypeFitsFormation(int type, int kind) {
    if (type < kBrigadeArtillery || type > kBrigadeCavalry) return false;
    if (kind == kFormationInfantryDivision) return type != kBrigadeCavalry;
    if (kind == kFormationCavalryDivision) return type != kBrigadeInfantry;
    return kind == kFormationCorps;
}

bool LeaderFitsFormation(const TLeaderRec& l, int kind) {
    const bool free = l.Status == kLeaderAvailable || l.Status == kLeaderRemoved;
    switch (kind) {
        case kFormationCorps: return l.Rank >= 3 && (free || l.Status == kLeaderToBeRemoved);
        case kFormationInfantryDivision: return (l.Rank == 1 || l.Rank == 2) && free;
        case kFormationCavalryDivision: return (l.Rank == 2 || l.Rank == 3) && free;
        default: return false;
    }
}

std::vector<int> BrigadesListed(const TCorpsRaising& r, int city) {
    std::vector<int> out;
    const int nation = RaisingNation();
    for (int i = 1; i <= kBrigadeCount; ++i) {
        const TBrigadeRec& b = GameRec->Brigades[i];
        if (RaisedHere(b, nation) && b.AttachIndex == city && TypeFitsFormation(b.BrigadeType, r.kind)) out.push_back(i);
    }
    return out;
}

// The table of a new corps over a record cleared as a disbanded corps leaves its slot. The steps
// stay for a playback; a route left by the former corps would be marched as if drawn for this one.
void SetUpFormedCorps(const TCorpsRaising& r, int line) {
    TCorpsRec& k = GameRec->Corps[r.corps];
    TCorpsRec fresh = ClearedCorpsRecord(k);
    std::memset(static_cast<void*>(&fresh.Route), 0, sizeof fresh.Route);
    fresh.Ordinal = k.Ordinal;
    StationNewCorps(fresh, r.city, RaisingNation(), r.leader);
    fresh.Kind = static_cast<U8>(r.kind);
    fresh.BrigadeLimit = static_cast<U8>(std::min(line, 255));
    k = fresh;
}

}  // namespace

int TBrigadeMaxima::Of(int brigadeType) const {
    switch (brigadeType) {
        case kBrigadeArtillery: return artillery;
        case kBrigadeInfantry: return infantry;
        case kBrigadeCavalry: return cavalry;
        default: return 0;
    }
}

TBrigadeMaxima FormationMaxima(int kind, int initiative) {
    TBrigadeMaxima m;
    if (kind < kFormationCorps || kind > kFormationCavalryDivision) return m;
    m.line = CommanderLineLimit(kind, initiative);
    m.artillery = kind == kFormationCorps ? std::min(m.line / 3, 2) : 1;
    m.infantry = kind == kFormationCavalryDivision ? 0 : m.line;
    m.cavalry = kind == kFormationCavalryDivision ? m.line : 0;
    return m;
}

bool BeginCorpsRaising(TCorpsRaising& r) {
    r = TCorpsRaising{};
    const int nation = RaisingNation();
    if (nation == 0) return false;
    RecalcCorpsFromBrigades();
    const auto corpsBefore = GameRec->Corps;
    r.corps = AllocateCorpsSlot(nation);
    if (r.corps == 0) {
        CurrentFrontend().InformationBox("Maximum # of corps already in use.");
        return false;
    }
    r.before = corpsBefore[r.corps];
    return true;
}

std::vector<int> RaisingCities() {
    std::vector<int> out;
    const int nation = RaisingNation();
    if (nation == 0) return out;
    const TGameRec& g = *GameRec;
    bool holdsBrigades[kCityCount + 1] = {};
    // Waiting brigades count as well: the brigade list takes them.
    for (const TBrigadeRec& b : g.Brigades)
        if (RaisedHere(b, nation) && b.AttachIndex >= 1 && b.AttachIndex <= kCityCount) holdsBrigades[b.AttachIndex] = true;
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        if (city.Nation != nation || city.SupplySource < 1 || city.SupplySource > 3) continue;
        if ((IsBorderState(city.State) || city.OriginalOwner == nation) && holdsBrigades[c]) out.push_back(c);
    }
    return out;
}

std::string RaisingCityText(int city) {
    if (!Arr1<TCityRec, kCityCount>::InRange(city)) return {};
    return CityRowText(city) + ", " + std::to_string(GameRec->Cities[city].Garrison);
}

TFormationsOffered FormationsOffered() {
    TFormationsOffered out;
    const int nation = RaisingNation();
    if (nation == 0) return out;
    for (const TBrigadeRec& b : GameRec->Brigades) {
        if (!RaisedHere(b, nation)) continue;
        if (b.BrigadeType == kBrigadeInfantry) out.corps = out.infantryDivision = true;
        if (b.BrigadeType == kBrigadeCavalry) out.cavalryDivision = true;
    }
    return out;
}

bool ChooseFormation(TCorpsRaising& r, int kind) {
    if (r.corps == 0 || r.kind != -1) return false;
    const TFormationsOffered offered = FormationsOffered();
    const bool ok = (kind == kFormationCorps && offered.corps) ||
                    (kind == kFormationInfantryDivision && offered.infantryDivision) ||
                    (kind == kFormationCavalryDivision && offered.cavalryDivision);
    if (!ok) return false;
    r.kind = kind;
    GameRec->Corps[r.corps].Kind = static_cast<U8>(kind);
    return true;
}

std::vector<int> FormationLeaders(const TCorpsRaising& r) {
    std::vector<int> out;
    const int nation = RaisingNation();
    if (r.corps == 0 || nation == 0) return out;
    for (int l = 1; l <= kLeaderCount; ++l) {
        const TLeaderRec& leader = GameRec->Leaders[l];
        // A man marked for removal who already commands would be taken back by the clean-up.
        if (leader.Nation == nation && LeaderFitsFormation(leader, r.kind) && !LeaderHoldsCommand(l, r.corps))
            out.push_back(l);
    }
    return out;
}

bool ChooseCorpsLeader(TCorpsRaising& r, int leader) {
    if (!InList(FormationLeaders(r), leader)) return false;
    r.leader = leader;
    TCorpsRec& k = GameRec->Corps[r.corps];
    const TLeaderRec& l = GameRec->Leaders[leader];
    k.Leader = static_cast<U8>(leader);
    k.LeaderInitiative = l.Initiative;
    k.LeaderRating = l.Rating;
    k.BrigadeLimit = static_cast<U8>(FormationMaxima(r.kind, l.Initiative).line);
    return true;
}

std::vector<int> ChooseRaisingCity(TCorpsRaising& r, int city) {
    if (r.corps == 0 || r.kind == -1 || !InList(RaisingCities(), city)) return {};
    r.city = city;
    return BrigadesListed(r, city);
}

std::string RaisingBrigadeText(int brigade) {
    if (!Arr1<TBrigadeRec, kBrigadeCount>::InRange(brigade)) return {};
    const TBrigadeRec& b = GameRec->Brigades[brigade];
    return BrigadeEntryText(b, b.Weapon == kParrotts ? "Parrots" : WeaponName(b.Weapon));
}

int ShownBrigadeLimit(const TCorpsRaising& r) {
    if (r.leader == 0) return 0;
    const TBrigadeMaxima m = FormationMaxima(r.kind, GameRec->Leaders[r.leader].Initiative);
    return std::min(m.line + m.artillery, kMaxCorpsBrigades);
}

bool FinishCorpsRaising(TCorpsRaising& r, const std::vector<int>& selected) {
    if (r.corps == 0) return false;
    TGameRec& g = *GameRec;
    std::vector<int> taken;
    int line = 0;
    if (r.leader != 0 && r.city != 0) {
        const TBrigadeMaxima m = FormationMaxima(r.kind, g.Leaders[r.leader].Initiative);
        // Brigades a former corps left on the record take rows of the display too.
        int room = kMaxCorpsBrigades;
        for (const TBrigadeRec& b : g.Brigades)
            if (b.AttachKind == kAttachCorps && b.AttachIndex == r.corps) --room;
        int count[4] = {};
        for (int i : BrigadesListed(r, r.city)) {
            if (!InList(selected, i) || static_cast<int>(taken.size()) >= room) continue;
            const int type = g.Brigades[i].BrigadeType;
            if (count[type] >= m.Of(type)) continue;
            ++count[type];
            taken.push_back(i);
            if (type != kBrigadeArtillery) ++line;
        }
    }
    const bool formed = line > 0;
    if (formed) {
        SetUpFormedCorps(r, FormationMaxima(r.kind, g.Leaders[r.leader].Initiative).line);
        for (int i : taken) {
            g.Brigades[i].AttachKind = kAttachCorps;
            g.Brigades[i].AttachIndex = static_cast<U8>(r.corps);
        }
        // Made active even when marked for removal: the clean-up would disband a second command.
        g.Leaders[r.leader].Status = kLeaderActive;
    } else {
        // A free record left naming the leader would have him freed again by the next planning.
        g.Corps[r.corps] = r.before;
        if (r.leader != 0 && g.Leaders[r.leader].Status != kLeaderToBeRemoved) g.Leaders[r.leader].Status = kLeaderAvailable;
    }
    RecalcCorpsFromBrigades();
    r.corps = 0;
    return formed;
}

}  // namespace kvt
