// Forming armies and corps for the computer.
#include "engine/forces/forming.h"

#include <algorithm>

#include "engine/forces/brigade_rules.h"
#include "engine/forces/command_slots.h"
#include "engine/forces/corps_records.h"
#include "engine/forces/leader_choice.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kArmyFormedNotice = 20;
constexpr int kCorpsFormedNotice = 21;
constexpr U8 kNameUsed = 2;
const char* const kNationWord[] = {"", "Union ", "Confed ", "French ", "British "};

std::string CityName(int c) { return GameRec->Cities[c].Name.str(); }

// The record AllocateCorpsSlot gave, cleared of any former command: only its ordinal, nation and
// side, and the route and steps a playback may still show, are kept.
void ClearNewCorps(TCorpsRec& corps, int kind) {
    TCorpsRec fresh = ClearedCorpsRecord(corps);
    fresh.Ordinal = corps.Ordinal;
    fresh.Nation = corps.Nation;
    fresh.Side = corps.Side;
    fresh.Kind = static_cast<U8>(kind >= 0 && kind <= 2 ? kind : 0);
    corps = fresh;
}

bool Qualifies(const TBrigadeRec& b, int city, int nation, int source) {
    if (b.Nation != nation) return false;
    const bool garrisonTaken = source == 0 || nation == kNationFrance || nation == kNationBritain;
    if (garrisonTaken && b.AttachKind == kAttachGarrison && b.AttachIndex == city) return true;
    return source != 0 && b.AttachKind == kAttachWaiting;
}

void TakeBrigades(int k, int city, int nation, int source) {
    TGameRec& g = *GameRec;
    TCorpsRec& corps = g.Corps[k];
    for (TBrigadeRec& b : g.Brigades) {
        if (corps.LineCount >= corps.BrigadeLimit) break;
        if (!Qualifies(b, city, nation, source)) continue;
        const bool artillery = b.BrigadeType == kBrigadeArtillery;
        if (artillery) {
            if (corps.ArtilleryCount >= corps.BrigadeLimit / 2) continue;
            corps.Artillery = static_cast<U8>(std::min(corps.Artillery + b.Strength, 255));
            corps.ArtilleryCount += 1;
            // A battery alone still makes a corps of some strength.
            corps.Strength += 1;
        } else if ((b.BrigadeType == kBrigadeInfantry && corps.Kind < 2) || (b.BrigadeType == kBrigadeCavalry && corps.Kind == 2)) {
            corps.Strength = static_cast<std::uint16_t>(std::min(corps.Strength + b.Strength, 65535));
            corps.LineCount += 1;
        } else {
            continue;
        }
        // Every garrison brigade taken leaves its city's count, whoever's source it was.
        if (b.AttachKind == kAttachGarrison && g.Cities[city].Garrison != 0) g.Cities[city].Garrison -= 1;
        b.AttachKind = kAttachCorps;
        b.AttachIndex = static_cast<U8>(k);
    }
}

// A text, a blank and a name, the text as the table has it.
std::string Phrase(int text, const std::string& name) { return Text(text) + " " + name; }

void SetUpCorps(int k, int city, int nation, int leader) {
    TGameRec& g = *GameRec;
    TCorpsRec& c = g.Corps[k];
    TLeaderRec& l = g.Leaders[leader];
    l.Status = kLeaderActive;
    StationNewCorps(c, city, nation, leader);
    const int shown = g.EnemyVisibility;
    if (shown == nation || shown == 3)
        RaiseEventNotice(kCorpsFormedNotice, kNationWord[nation] + Text(368 + c.Kind), Phrase(21, l.Name.str()),
                         Phrase(105, CityName(city)));
    if (l.Political < -5) l.Political = 0;
}

}  // namespace

void FormArmyWithPoolName(int n, int a, int state) {
    if (!Arr1<TArmyRec, kArmyCount>::InRange(a)) return;
    TGameRec& g = *GameRec;
    TArmyRec& army = g.Armies[a];
    if (n == kNationUnion || n == kNationConfederacy) {
        int best = 1, bestScore = 0;
        for (int k = 1; k <= kArmyNamesPerSide; ++k) {
            TArmyNameRec& entry = g.ArmyNamePool[n][k];
            int score = 0;
            if (entry.RegionKey == n && entry.Used != kNameUsed) {
                score = 1;
                if (entry.MatchKey1 == g.States[state].Theatre) score = entry.MatchKey2 == state ? 21 : 11;
            }
            entry.Score = static_cast<U8>(score);
            if (score > bestScore) {
                best = k;
                bestScore = score;
            }
        }
        army.Name = g.ArmyNamePool[n][best].Name.str();
        g.ArmyNamePool[n][best].Used = kNameUsed;
    } else {
        army.Name = "the Americas";
    }
    RaiseEventNotice(kArmyFormedNotice, Text(0) + army.Name.str(), Phrase(21, g.Leaders[army.Leader].Name.str()),
                     Phrase(105, CityName(army.BaseCity)));
}

int FormCorpsFromWaitingBrigades(int d, int city, int n, int source) {
    TGameRec& g = *GameRec;
    const int k = AllocateCorpsSlot(n);
    const int theatre = Arr1<TCityRec, kCityCount>::InRange(city) ? g.Cities[city].Theatre : 0;
    if (k == 0 || theatre < 1 || theatre > kTheatreCount) {
        // A corps that cannot stand in a theatre is never left half made.
        if (k != 0) FreeCorpsRecord(k);
        if (SidePlayed != 0) {
            CurrentFrontend().SetCursor(CursorKind::Arrow);
            CurrentFrontend().InformationBox(Text(107));
        }
        return 0;
    }
    TCorpsRec& corps = g.Corps[k];
    ClearNewCorps(corps, d);
    const int leader = PickCommander(n, corps.Kind != 0 ? kCommandDivision : kCommandCorps, d, 0);
    if (!Arr1<TLeaderRec, kLeaderCount>::InRange(leader) || !ReplaceCorpsCommander(n, leader)) {
        FreeCorpsRecord(k);
        return 0;
    }
    // A new formation takes all its commander can lead; trimming to the serving cap is the upkeep's.
    corps.BrigadeLimit = static_cast<U8>(CorpsCapacity(corps.Kind, n, g.Leaders[leader].Initiative));
    if (g.Nations[n].Human == 0) TakeBrigades(k, city, n, source);
    if (corps.Strength == 0) {
        g.Leaders[leader].Status = kLeaderAvailable;
        FreeCorpsRecord(k);
        return 0;
    }
    SetUpCorps(k, city, n, leader);
    return k;
}

}  // namespace kvt
