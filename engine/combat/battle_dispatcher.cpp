// The battle dispatcher. Each corps that movement left in contact opens one battle at its hex: an
// assault on a garrisoned enemy city or a field battle. Every corps there is drawn in, and a hex is
// fought over at most once per call.
#include "engine/combat/battle_dispatcher.h"

#include <bitset>

#include "engine/combat/battle_setup.h"
#include "engine/combat/battle_state.h"
#include "engine/combat/fort_assault.h"
#include "engine/forces/brigade_rules.h"
#include "engine/forces/force_recount.h"
#include "engine/movement/path_search.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kEngaged = 5;
constexpr int kFoughtBattle = 8;
constexpr int kKeptContact = 100;
constexpr int kMaxExperience = 12;
constexpr int kOrderEmbarked = 4;

const char* const kAdjectives[] = {"", "Union ", "Confederate ", "French ", "British "};

TGameRec& G() { return *GameRec; }

bool AtBattleHex(const TCorpsRec& c) { return c.HexX == G().BattleX && c.HexY == G().BattleY; }

void Gain(int leader) {
    if (leader == 0) return;
    U8& experience = G().Leaders[leader].Experience;
    if (experience < kMaxExperience) experience += 1;
}

// Brigade counts of each side's infantry and cavalry drawn in.
struct DrawnForces {
    long lineBrigades[3] = {};
};

DrawnForces DrawInForces() {
    TGameRec& g = G();
    DrawnForces f;
    DrawnIn = {};
    BattleTroops = {};
    for (int j = 1; j <= kCorpsCount; ++j) {
        TCorpsRec& c = g.Corps[j];
        if (!CorpsInUse(c) || !AtBattleHex(c) || c.OrderMode >= kOrderEmbarked) continue;
        DrawnIn[j] = true;
        if (c.Disruption != 0) {
            c.Disruption = 0;
            c.Condition /= 2;
        }
        if (c.OrderMode > 2) c.OrderMode = 1;
        Gain(c.Leader);
        if (c.Army != 0) Gain(g.Armies[c.Army].Leader);
        c.Opponent = 0;
        c.ContactCode = kEngaged;
        if (g.BattleScratch2 != 0) g.BattleScratch2 -= 1;
        c.Activity = kFoughtBattle;
        if (Arr1<TNationRec, kNationCount>::InRange(c.Nation) && Arr1<U8, kTheatreCount>::InRange(c.Region))
            g.Nations[c.Nation].TheatreIdle[c.Region] = 0;
        const int s = SideSlot(c.Side);
        BattleTroops[s] += c.Strength + c.Artillery;
        f.lineBrigades[s] += c.LineCount;
    }
    return f;
}

void ClearBattleLosses() {
    TGameRec& g = G();
    for (int n = 1; n <= kNationCount; ++n) g.BattleSideLosses[n] = 0;
    g.BattleClear1 = 0;
    g.BattleLossesUnion = 0;
    g.BattleClear2 = 0;
    g.BattleLossesConfed = 0;
}

void GiveHexToWinner() {
    const int result = G().BattleResult;
    if (result == 2 || result == 3) MapGrid->Cell(G().BattleX, G().BattleY).SetControlSide(result - 1);
}

// The first city on the hex held by another side and holding a garrison.
int GarrisonedEnemyCity(int side) {
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& city = G().Cities[i];
        if (city.HexX == G().BattleX && city.HexY == G().BattleY && city.Owner != side && city.Garrison != 0) return i;
    }
    return 0;
}

// `corpsCounted`: the corps' figures were counted from their brigades after the last battle. Drawing
// in the next battle's corps changes nothing that count reads, so it is not taken again before it.
void OpenBattle(int k, bool& corpsCounted) {
    TGameRec& g = G();
    Frontend& fe = CurrentFrontend();
    const TCorpsRec& opener = g.Corps[k];
    const int side = opener.Side;
    g.BattleX = opener.HexX;
    g.BattleY = opener.HexY;
    PathEnd = {opener.HexX, opener.HexY};
    ClearBattleLosses();

    const int city = GarrisonedEnemyCity(side);
    const DrawnForces forces = DrawInForces();
    const bool field = BattleTroops[1] != 0 && BattleTroops[2] != 0;
    bool assault = false;
    if (!field && city != 0)
        for (int j = 1; j <= kCorpsCount; ++j)
            if (DrawnIn[j] && g.Corps[j].OrderMode != 0) assault = true;  // Withdraw alone never assaults

    if (assault && Arr1<TNationRec, kNationCount>::InRange(opener.Nation) && g.Nations[opener.Nation].Human != 0)
        RaiseEventNotice(0, kAdjectives[opener.Nation] + Text(454), Text(47) + g.Cities[city].Name.str(), Text(48));

    ViewColumn = static_cast<std::uint16_t>(g.BattleX > 8 ? g.BattleX - 8 : 1);
    ViewRow = static_cast<std::uint16_t>(g.BattleY > 4 ? g.BattleY - 4 : 1);
    fe.Repaint();
    fe.DrawBattleMarker(g.BattleX, g.BattleY);

    if (assault) {
        SetUpFortAssault(city, side);
        RecalcCorpsFromBrigades();
        corpsCounted = true;
        GiveHexToWinner();
    } else if (field && forces.lineBrigades[1] != 0 && forces.lineBrigades[2] != 0) {
        ClearBattleLosses();
        if (!corpsCounted) RecalcCorpsFromBrigades();
        ClearBattleLosses();
        SetUpFieldBattle();
        RecalcCorpsFromBrigades();
        corpsCounted = true;
        GiveHexToWinner();
    }
}

// `plainRecount`: the closing recount counts every corps from its brigades again, as if no battle
// had counted them.
void Resolve(bool plainRecount) {
    TGameRec& g = G();
    g.BattleScratch1 = 0;
    // A repulsed assault leaves its corps in contact: without this a later corps on the same hex
    // would storm the city again in the same turn.
    std::bitset<256 * 256> fought;
    bool corpsCounted = false;
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& c = g.Corps[k];
        if (!CorpsInUse(c) || c.ContactCode < 1 || c.ContactCode > 4 || c.OrderMode > kOrderEmbarked || c.Disruption != 0)
            continue;
        const std::size_t hex = static_cast<std::size_t>(c.HexX) * 256 + c.HexY;
        if (fought.test(hex)) continue;
        fought.set(hex);
        OpenBattle(k, corpsCounted);
    }
    // A mail game keeps the codes as the battles left them and recounts nothing; it does not end
    // the game either (a turn that never runs must not read as game over).
    if (g.GameKind >= 2) return;
    for (TCorpsRec& c : g.Corps)
        if (c.ContactCode != kKeptContact) c.ContactCode = 0;
    if (corpsCounted && !plainRecount) RecountForcesOfCountedCorps();
    else RecountForces();
}

}  // namespace

void ResolveBattles() { Resolve(false); }

void ResolveBattlesFullRescan() { Resolve(true); }

}  // namespace kvt
