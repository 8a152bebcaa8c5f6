// City unrest, corps condition and commanders for corps left without one. Notices go through the
// notice service; nothing here waits otherwise.
#include "engine/logistics/city_unrest.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <utility>

#include "engine/forces/brigade_rules.h"
#include "engine/forces/corps_records.h"
#include "engine/forces/leader_choice.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/record_access.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kFarFromOccupier = 3;  // no occupying corps within two hexes
constexpr int kConditionMax = 25;
constexpr U8 kCavalryDivision = 2;  // the last corps kind with a surrender text

void AddPrisoners(TGameRec& g, int nation, long men) {
    if (!IsNation(nation)) return;
    U32& tally = g.Prisoners[nation];
    tally = static_cast<std::uint32_t>(std::min<long long>(
        static_cast<long long>(tally) + men, std::numeric_limits<std::uint32_t>::max()));
}

void AddCasualties(TGameRec& g, int state, long men) {
    if (!IsState(state)) return;
    U16& word = g.States[state].StateCasualties;
    word = static_cast<std::uint16_t>(std::min<long>(word + men, 65535));
}

int OtherSide(int side) { return side == kUnion ? kConfederacy : kUnion; }

// The city's people drive out its occupier: the home nation takes it back (a border state's city
// goes to the other side), and the occupier's garrison is taken prisoner.
void RiseAgainstOccupier(TGameRec& g, int c) {
    TCityRec& city = g.Cities[c];
    HexCursor = {city.HexX, city.HexY};
    ViewColumn = city.HexX;
    ViewRow = city.HexY;
    ClampView();
    CurrentFrontend().Repaint();
    if (IsBorderState(city.State)) {
        const int side = OtherSide(city.Owner);
        city.Nation = static_cast<U8>(side);
        city.Owner = static_cast<U8>(side);
    } else {
        city.Nation = city.OriginalOwner;
        city.Owner = g.Nations[city.OriginalOwner].Side;
    }
    int garrison = 0;
    for (int i = 1; i <= kBrigadeCount; ++i) {
        TBrigadeRec& b = g.Brigades[i];
        if (b.AttachKind != kAttachGarrison || b.AttachIndex != c) continue;
        const bool local = IsBorderState(b.HomeState) && b.HomeState == city.State;
        if (b.HomeState != 0 && !local) {
            AddPrisoners(g, b.Nation, b.Strength);
            AddCasualties(g, b.HomeState, b.Strength);
            ClearBrigade(i);
            continue;
        }
        // Men of the border state itself change sides with their city.
        if (local) b.Nation = city.Nation;
        ++garrison;
    }
    // The count follows the brigades the city still holds.
    city.Garrison = static_cast<std::uint16_t>(garrison);
    RaiseEventNotice(14, Text(30), Text(31), city.Name.str(), Text(33));
}

// A leaderless corps nobody can be found for gives itself up.
void SurrenderLeaderless(TGameRec& g, int k) {
    TCorpsRec& corps = g.Corps[k];
    RaiseEventNotice(0, Text(35), corps.Kind <= kCavalryDivision ? Text(36 + corps.Kind) : std::string(), Text(39));
    const int n = corps.Nation;
    AddPrisoners(g, n, static_cast<long>(corps.Strength) + corps.Artillery);
    I16& will = g.Nations[n].Will;
    will = static_cast<std::int16_t>(std::max(will + corps.Kind - 3, -32768));
    if (n == kNationUnion)
        for (int foreign : {kNationFrance, kNationBritain}) {
            I16& attitude = g.Nations[foreign].Attitude;
            if (attitude >= 1 && attitude <= 99) attitude -= 1;
        }
    for (int i = 1; i <= kBrigadeCount; ++i) {
        const TBrigadeRec& b = g.Brigades[i];
        if (b.AttachKind != kAttachCorps || b.AttachIndex != k) continue;
        AddCasualties(g, b.HomeState, b.Strength);
        ClearBrigade(i);
    }
    FreeCorpsRecord(k);
}

void CountTerritorialPoints(TGameRec& g) {
    long points[kNationCount + 1] = {};
    long theatre[kNationCount + 1][kTheatreCount + 1] = {};
    for (const TCityRec& city : g.Cities) {
        if (!IsNation(city.Nation)) continue;
        points[city.Nation] += city.Value;
        if (city.Theatre >= 1 && city.Theatre <= kTheatreCount) theatre[city.Nation][city.Theatre] += city.Value;
    }
    for (int n = 1; n <= kNationCount; ++n) {
        TNationRec& nation = g.Nations[n];
        g.TerritorialPoints[n] = static_cast<std::uint16_t>(std::min(points[n], 65535L));
        for (int t = 1; t <= kTheatreCount; ++t) {
            nation.TheatreValue[t] = static_cast<std::uint16_t>(std::min(theatre[n][t], 65535L));
            if (nation.TheatreValueBase[t] == 0) nation.TheatreValueBase[t] = nation.TheatreValue[t];
        }
        g.TerritoryTotal[n] = static_cast<std::uint16_t>(std::min<long>(g.TerritoryTotal[n] + points[n], 65535));
    }
}

// What the unrest of an occupied city reads of the forces, gathered at the first occupied city:
// a rising touches only its own city's garrison and moves no corps, so no later city reads it
// differently.
class TUnrestForces {
public:
    TUnrestForces() {
        const TGameRec& g = *GameRec;
        for (const TCorpsRec& k : g.Corps)
            if (CorpsInUse(k) && (k.Side == kUnion || k.Side == kConfederacy)) {
                auto& list = corps_[static_cast<std::size_t>(k.Side)];
                list.hexes[static_cast<std::size_t>(list.count++)] = {k.HexX, k.HexY};
            }
        for (const TBrigadeRec& b : g.Brigades)
            if (b.AttachKind == kAttachGarrison && Arr1<TCityRec, kCityCount>::InRange(b.AttachIndex) &&
                b.Nation == g.Cities[b.AttachIndex].Nation)
                ++garrison_[b.AttachIndex];
    }
    int Garrison(int c) const { return garrison_[static_cast<std::size_t>(c)]; }
    // The distance from (x, y) to the nearest corps of `side`, no more than `cap`.
    int Nearest(int x, int y, int side, int cap) const {
        if (side != kUnion && side != kConfederacy) return NearestByRescan(x, y, side, cap);
        const auto& list = corps_[static_cast<std::size_t>(side)];
        int nearest = cap;
        for (int i = 0; i < list.count; ++i) {
            const auto [hx, hy] = list.hexes[static_cast<std::size_t>(i)];
            nearest = std::min(nearest, HexDistance(x, y, hx, hy));
        }
        return nearest;
    }
    static int NearestByRescan(int x, int y, int side, int cap) {
        int nearest = cap;
        for (const TCorpsRec& k : GameRec->Corps)
            if (CorpsInUse(k) && k.Side == side) nearest = std::min(nearest, HexDistance(x, y, k.HexX, k.HexY));
        return nearest;
    }
    static int GarrisonByRescan(int c) {
        int garrison = 0;
        for (const TBrigadeRec& b : GameRec->Brigades)
            garrison += b.AttachKind == kAttachGarrison && b.AttachIndex == c && b.Nation == GameRec->Cities[c].Nation;
        return garrison;
    }

private:
    struct TSideCorps {
        std::array<std::pair<int, int>, kCorpsCount> hexes{};
        int count = 0;
    };
    std::array<TSideCorps, 3> corps_{};
    std::array<int, kCityCount + 1> garrison_{};
};

template <bool kRescan>
void CityUnrest() {
    TGameRec& g = *GameRec;
    std::optional<TUnrestForces> forces;
    for (int c = 1; c <= kCityCount; ++c) {
        TCityRec& city = g.Cities[c];
        // Occupied: held by a side other than its home nation's (a nation and a side are not alike
        // numbers once France or Britain is at war). A border state's city that belongs to no nation
        // is occupied by whichever side holds it; any other city without a home has none to rise for.
        const int home = city.OriginalOwner;
        const bool homeless = home == 0 && IsBorderState(city.State);
        if (city.Owner == 0 || (!homeless && (!IsNation(home) || city.Owner == g.Nations[home].Side))) continue;
        city.Status = city.Output < 11 ? 0 : city.Output > 1000 ? 2 : 1;
        if (!kRescan && !forces) forces.emplace();
        const int nearest = kRescan ? TUnrestForces::NearestByRescan(city.HexX, city.HexY, city.Owner, kFarFromOccupier)
                                    : forces->Nearest(city.HexX, city.HexY, city.Owner, kFarFromOccupier);
        int garrison = kRescan ? TUnrestForces::GarrisonByRescan(c) : forces->Garrison(c);

        int chance = 0;
        if (city.Status != 0) {
            const bool stateHeldAtHome = IsState(city.State) && g.States[city.State].Controller == city.OriginalOwner;
            if (stateHeldAtHome) {
                const int loyalty = g.States[city.State].Loyalty;
                if (loyalty < 30) chance += 30;
                if (loyalty < 10) chance += 30;
                if (loyalty >= 50) city.Status = 0;
            } else {
                chance = 10;
                if (city.Status > garrison) chance += 30 * (city.Status - garrison);
                garrison = 0;
            }
        }
        if (chance > 0 && garrison == 0 && nearest == kFarFromOccupier && Random(300) + Random(300) < chance)
            RiseAgainstOccupier(g, c);
    }
}

}  // namespace

void UpdateCityUnrest() { CityUnrest<false>(); }

void UpdateCityUnrestFullRescan() { CityUnrest<true>(); }

void UpdateCorpsCondition() {
    TGameRec& g = *GameRec;
    for (TCorpsRec& k : g.Corps) {
        if (!CorpsInUse(k)) continue;
        int v = 0;
        if (k.Entrenchment > 3) k.Entrenchment = 3;
        if (k.HexX == k.DestX && k.HexY == k.DestY) {
            k.March = 0;
            v += 1;
        }
        if (k.March == 2) v -= 1;
        if (k.March == 0) v += 2;
        if (k.SupplyDistance < 2) v += 2;
        if (k.SupplyType == 1) v += 1;
        if (k.Side == kUnion) v -= k.SupplyDistance;
        if (k.SupplyPriority == 0) v -= 1;
        if (k.SupplyPriority == 2) v += 1;
        const int odds = Random(250);
        if (k.SizeClass >= 3 && 25 * k.SizeClass > odds) v += 1;
        const int outnumbered = Random(30);
        if (k.SizeClass < 3 && 12 * k.SizeClass < outnumbered) v -= 1;
        v -= k.Fatigue / 2;
        if (OnMap(k.HexX, k.HexY)) {
            const int s = MapGrid->Cell(k.HexX, k.HexY).State();
            if (IsState(s) && g.States[s].Owner == k.Side) v += 1;
        }
        if (k.Disruption > 0 && k.Condition > 10) k.Disruption -= 1;
        const int dug = Random(30);
        if (10 * k.Entrenchment > dug) v += 1;
        if (k.Leader != 0 && g.Leaders[k.Leader].Drill > Random(70)) v += k.Disruption > 0 ? 4 : 3;
        if (Arr1<TArmyRec, kArmyCount>::InRange(k.Army)) {
            const int chief = g.Armies[k.Army].Leader;
            if (chief != 0 && g.Leaders[chief].Drill > Random(100)) v += 2;
        }
        v = std::clamp(v, -2, 3);
        if (k.OrderMode >= 4) v = std::max(v, 1);
        k.Condition = static_cast<U8>(std::clamp(k.Condition + v, 0, kConditionMax));
    }
}

void AssignMissingCommanders() {
    TGameRec& g = *GameRec;
    for (int k = 1; k <= kCorpsCount; ++k) {
        TCorpsRec& corps = g.Corps[k];
        if (!CorpsInUse(corps) || corps.Leader != 0 || !IsNation(corps.Nation)) continue;
        const int kind = corps.Kind != 0 ? kCommandDivision : kCommandCorps;
        int l = PickCommander(corps.Nation, kind, corps.Kind, 0);
        if (l != 0 && !ReplaceCorpsCommander(g.Leaders[l].Nation, l)) l = 0;
        if (l != 0) {
            TLeaderRec& leader = g.Leaders[l];
            corps.Leader = static_cast<U8>(l);
            corps.LeaderRating = leader.Rating;
            corps.LeaderInitiative = leader.Initiative;
            // He holds a command now; left available he could be handed a second one.
            leader.Status = kLeaderActive;
            continue;
        }
        // Only a depot of its own side takes the men in; an enemy-held one would gain a garrison.
        const int depot = corps.SupplyCity;
        if (depot != 0 && Arr1<TCityRec, kCityCount>::InRange(depot) && g.Cities[depot].Owner == corps.Side) {
            ReleaseCorpsBrigades(k);
            FreeCorpsRecord(k);
        } else {
            SurrenderLeaderless(g, k);
        }
    }
    CountTerritorialPoints(g);
}

}  // namespace kvt
