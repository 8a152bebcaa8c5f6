// Capital loss and capitulation.
#include "engine/players/capitals.h"

#include <cstring>

#include "engine/forces/brigade_rules.h"
#include "engine/forces/command_slots.h"
#include "engine/forces/corps_records.h"
#include "engine/players/politics_words.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/notice.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kUnionFallbackCity = 3;
constexpr int kCapitalMoveWill = 100;
constexpr int kForeignReaction = 35;

int CapitalScore(int city, int oldCapital) {
    const TGameRec& g = *GameRec;
    const TCityRec& c = g.Cities[city];
    const TCityRec& old = g.Cities[oldCapital];
    int score = 100 - HexDistance(c.HexX, c.HexY, old.HexX, old.HexY) + c.Value + c.Fortifications;
    if (c.RailLink != 0) score += 100;
    if (g.States[c.State].ForeignHeld != 0) score /= 2;
    else score += 100;
    return score;
}

}  // namespace

int ChooseNewCapital(int oldCapital, int nation) {
    const TGameRec& g = *GameRec;
    const int side = g.Nations[nation].Side;
    if (side == kSideNone) return 0;
    if (nation == kNationUnion && g.Cities[kUnionFallbackCity].Owner == kUnion && oldCapital != kUnionFallbackCity)
        return kUnionFallbackCity;
    int best = 0;
    int bestScore = 0;
    for (int s = 1; s <= kStateCount; ++s) {
        const TStateRec& st = g.States[s];
        const int c = st.CapitalCity;
        // A city in enemy hands would be lost again at once, costing the will of a move every turn.
        if (st.Controller != nation || st.Owner != side || c == 0 || c == oldCapital) continue;
        if (!Arr1<TCityRec, kCityCount>::InRange(c) || g.Cities[c].Owner != side) continue;
        const int score = CapitalScore(c, oldCapital);
        if (score > bestScore) {
            best = c;
            bestScore = score;
        }
    }
    return best;
}

void MoveNationalCapital(int nation, int city) {
    TGameRec& g = *GameRec;
    TNationRec& n = g.Nations[nation];
    n.Capital = static_cast<U8>(city);
    const TCityRec& c = g.Cities[city];
    RaiseEventNotice(10, Text(199) + n.Name.str(), Text(200) + c.Name.str() + "," + g.States[c.State].Name.str());
    AddClamped(n.Will, -kCapitalMoveWill);
    for (int power : {kNationFrance, kNationBritain}) {
        TNationRec& p = g.Nations[power];
        if (power == nation || p.Side != kSideNone || p.Attitude >= 100) continue;
        if (nation != kNationConfederacy)
            p.Attitude = static_cast<std::int16_t>(p.Attitude <= kForeignReaction ? 1 : p.Attitude - kForeignReaction);
        else AddClamped(p.Attitude, kForeignReaction);
    }
}

void NationCapitulates(int loser, int winner) {
    TGameRec& g = *GameRec;
    const auto nationText = [](int nation) { return Text(nation == kNationUnion ? 689 : 690); };
    ClearEventNotice();
    EventNotice.Kind = 0;
    EventNotice.SetLine(1, nationText(loser));
    EventNotice.SetLine(2, Text(691));
    EventNotice.SetLine(3, nationText(winner));

    const U8 winnerSide = g.Nations[winner].Side;
    for (TCityRec& city : g.Cities) {
        if (city.Nation == loser) {
            city.Nation = static_cast<U8>(winner);
            city.Owner = winnerSide;
        }
        if (city.OriginalOwner == loser) city.OriginalOwner = static_cast<U8>(winner);
    }
    for (TStateRec& st : g.States)
        if (st.Controller == loser) {
            st.Controller = static_cast<U8>(winner);
            st.Owner = st.ControlSide = winnerSide;
        }
    for (int k = 1; k <= kCorpsCount; ++k) {
        if (!CorpsInUse(g.Corps[k]) || g.Corps[k].Nation != loser) continue;
        // An ally's brigades have no corps left to serve in; the loser's own go to garrisons below.
        for (int i = 1; i <= kBrigadeCount; ++i) {
            const TBrigadeRec& b = g.Brigades[i];
            if (b.AttachKind == kAttachCorps && b.AttachIndex == k && b.Nation != loser) ClearBrigade(i);
        }
        EndCorps(k);
    }
    for (TFleetRec& f : g.Fleets) {
        if (!FleetInUse(f) || f.Owner != loser) continue;
        std::memset(static_cast<void*>(&f), 0, sizeof(TFleetRec));
        f.BuildCounter = kFleetGone;
    }
    for (int a = 1; a <= kArmyCount; ++a)
        if (!ArmySlotFree(g.Armies[a]) && g.Armies[a].Nation == loser) DissolveArmy(a);
    for (TBrigadeRec& b : g.Brigades) {
        if (!BrigadeInUse(b) || b.Nation != loser) continue;
        b.Nation = static_cast<U8>(winner);
        b.AttachKind = kAttachGarrison;
        // A home state without a capital city would leave the brigade guarding no city at all.
        int city = g.States[b.HomeState].CapitalCity;
        if (city == 0) city = g.Nations[winner].Capital;
        b.AttachIndex = static_cast<U8>(city);
    }
    RecalcCorpsFromBrigades();

    TNationRec& l = g.Nations[loser];
    l.Human = 0;
    l.Side = kSideNone;
    l.Capital = 0;
    GameStatus = loser == kNationUnion ? 3 : 2;
    ShowEventNotice();
}

}  // namespace kvt
