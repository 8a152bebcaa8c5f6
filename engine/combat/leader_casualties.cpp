// Leader casualties. Notices go through RaiseEventNotice, the successor choice through the Frontend.
#include "engine/combat/leader_casualties.h"

#include <algorithm>

#include "engine/combat/battle_state.h"
#include "engine/forces/command_slots.h"
#include "engine/forces/leader_choice.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/record_access.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kArmyRank = 5;
constexpr int kCorpsRank = 3;
constexpr int kPromotionPrestige = 10;

bool SpareStatus(int status) { return status == kLeaderAvailable || status == kLeaderRemoved; }

bool PersonChooses(int nation) {
    const TGameRec& g = G();
    return g.GameKind < 2 && Arr1<TNationRec, kNationCount>::InRange(nation) && g.Nations[nation].Human != 0;
}

// Whether the nation has a man other than the fallen one to put in his place.
bool AnyoneToSpare(int nation, int fallen) {
    for (int l = 1; l <= kLeaderCount; ++l) {
        const TLeaderRec& r = G().Leaders[l];
        if (l != fallen && r.Nation == nation && SpareStatus(r.Status)) return true;
    }
    return false;
}

// Wounded for 1 to 24 turns, killed one time in 25.
void Fall(int leader) {
    const int d = Random(25) + 1;
    G().Leaders[leader].Status = static_cast<U8>(d == 25 ? kLeaderKilled : kLeaderRemoved + d);
}

void CasualtyNotice(int leader) {
    const TLeaderRec& l = G().Leaders[leader];
    RaiseEventNotice(0, l.Name.str(), Text(l.Status == kLeaderKilled ? 54 : 55));
}

int Intensity() { return CombatWords.BattleIntensity; }

std::string Graded(int value, std::initializer_list<std::pair<int, int>> bands, int top) {
    for (const auto& [below, text] : bands)
        if (value < below) return Text(text);
    return Text(top);
}

TSuccessorLine Line(int leader, int wanted) {
    const TGameRec& g = G();
    const TLeaderRec& l = g.Leaders[leader];
    TSuccessorLine line;
    line.leader = leader;
    line.text = l.Name.str() + Text(l.Rank < wanted ? 580 : l.Rank == wanted ? 581 : 582);
    const bool masked = g.RatingsInView == 0;
    line.drill = masked && l.Experience < 6 ? Text(548) : Graded(l.Drill, {{21, 545}, {40, 546}}, 547);
    line.tactics = masked && l.Experience < 8 ? Text(552) : Graded(l.Tactics, {{21, 549}, {40, 550}}, 551);
    line.initiative = masked && l.Experience < 4 ? Text(558)
                                                  : Graded(l.Initiative, {{21, 553}, {31, 554}, {40, 555}, {50, 556}}, 557);
    line.rating = masked && l.Experience < 10 ? Text(563) : Graded(l.Rating, {{4, 559}, {6, 560}, {8, 561}}, 562);
    return line;
}

// The man chosen in the dialog is made active and, when below the rank wanted, promoted at a cost.
int RunSuccessorDialog(const TLeaderSuccessorView& view, int wanted) {
    const int line = CurrentFrontend().ChooseLeaderSuccessor(view);
    if (line < 0 || line >= static_cast<int>(view.lines.size())) return 0;
    const int s = view.lines[static_cast<std::size_t>(line)].leader;
    TLeaderRec& l = G().Leaders[s];
    l.Status = kLeaderActive;
    if (l.Rank < wanted) {
        l.Rank = static_cast<U8>(wanted);
        Bump(l.Political, -kPromotionPrestige);
        l.Rating = static_cast<U8>(l.Rating * 4 / 5);
        l.Initiative = static_cast<U8>(l.Initiative * 4 / 5);
    }
    return s;
}

int CorpsWantedRank(const TCorpsRec& c) { return c.Kind == 2 ? 2 : c.Kind == 1 ? 1 : kCorpsRank; }

void TakeCommand(TCorpsRec& corps, int successor) {
    TLeaderRec& s = G().Leaders[successor];
    corps.Leader = static_cast<U8>(successor);
    s.Status = kLeaderActive;
    corps.LeaderRating = s.Rating;
    corps.LeaderInitiative = s.Initiative;
}

// The nation's spare men of at least `lowestRank` besides the fallen commander, each line rated
// against the rank wanted.
TLeaderSuccessorView SpareLeadersView(int nation, int fallen, int lowestRank, int wanted) {
    TLeaderSuccessorView v;
    v.caption = Text(579);
    for (int l = 1; l <= kLeaderCount; ++l) {
        const TLeaderRec& r = G().Leaders[l];
        if (r.Nation == nation && l != fallen && r.Rank >= lowestRank && SpareStatus(r.Status)) v.lines.push_back(Line(l, wanted));
    }
    return v;
}

}  // namespace

TLeaderSuccessorView CorpsSuccessorView(int corps) {
    const TCorpsRec& c = G().Corps[corps];
    return SpareLeadersView(c.Nation, c.Leader, 0, CorpsWantedRank(c));
}

TLeaderSuccessorView ArmySuccessorView(int army) {
    const TArmyRec& a = G().Armies[army];
    // Only men free for a command, as the check before the dialog counts them: a leader not yet
    // come to hand must not be offered.
    return SpareLeadersView(a.Nation, a.Leader, kCorpsRank, kArmyRank);
}

int ShowCorpsLeaderCasualty(int corps) {
    return RunSuccessorDialog(CorpsSuccessorView(corps), CorpsWantedRank(G().Corps[corps]));
}

int ShowArmyLeaderCasualty(int army) {
    const TLeaderSuccessorView v = ArmySuccessorView(army);
    if (v.lines.empty()) return 0;
    return RunSuccessorDialog(v, kArmyRank);
}

void CheckCorpsLeaderCasualty(int corps) {
    TGameRec& g = G();
    TCorpsRec& k = g.Corps[corps];
    const int fallen = k.Leader, nation = k.Nation;
    if (!IsLeader(fallen) || Intensity() <= 1) return;
    TLeaderRec& l = g.Leaders[fallen];
    if (Random(100) < 20) Bump(l.Political, 1);
    const int chance = CombatWords.LeaderLossChance;
    if (Random(1500 - 200 * Intensity()) >= chance || Random(1500 - 100 * Intensity()) >= chance) return;
    // A fallen commander left in command cannot fall again (a killed man would turn wounded).
    if (l.Status != kLeaderActive) return;
    if (CombatWords.LeaderLossChance > 10) CombatWords.LeaderLossChance -= 10;
    Fall(fallen);
    if (PersonChooses(nation)) {
        if (!AnyoneToSpare(nation, fallen)) return;
        CasualtyNotice(fallen);
        int successor = 0;
        while (successor == 0) successor = ShowCorpsLeaderCasualty(corps);
        TakeCommand(k, successor);
        return;
    }
    // A man picked who cannot take the corps keeps what the choice cost him.
    const int successor = PickCommander(nation, (l.Rank - 1) / 2 + 1, k.Kind, 2);
    if (successor == 0 || g.Leaders[successor].Status < kLeaderAvailable) return;
    CasualtyNotice(fallen);
    TakeCommand(k, successor);
}

void CheckArmyLeaderCasualty(int army) {
    TGameRec& g = G();
    if (!Arr1<TArmyRec, kArmyCount>::InRange(army)) return;
    TArmyRec& a = g.Armies[army];
    const int fallen = a.Leader, nation = a.Nation;
    if (!IsLeader(fallen) || Intensity() <= 1) return;
    const int chance = CombatWords.LeaderLossChance;
    const int range = 1500 - 250 * Intensity();
    if (Random(range) >= chance || Random(range) >= chance || Random(1500) >= 100) return;
    if (g.Leaders[fallen].Status != kLeaderActive) return;
    Fall(fallen);
    if (PersonChooses(nation)) {
        if (!AnyoneToSpare(nation, fallen)) return;
        CasualtyNotice(fallen);
        if (const int successor = ShowArmyLeaderCasualty(army)) {
            a.Leader = static_cast<U8>(successor);
            g.Leaders[successor].Status = kLeaderActive;
        } else {
            DissolveArmy(army);
        }
        return;
    }
    const int successor = PickCommander(nation, kCommandArmy, 0, 0);
    if (successor == 0 || !ReplaceCorpsCommander(nation, successor)) return;
    CasualtyNotice(fallen);
    a.Leader = static_cast<U8>(successor);
    g.Leaders[successor].Status = kLeaderActive;
}

}  // namespace kvt
