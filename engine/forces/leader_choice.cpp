// Leader choice and commanders. Never waits: the choice is automatic or not made at all.
#include "engine/forces/leader_choice.h"

#include <bitset>

#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "engine/world/record_access.h"

namespace kvt {

namespace {

constexpr int kArmyRank = 5;
constexpr int kNoScore = -255;
constexpr int kAppointmentPrestige = 10;

bool LeadsArmy(const TGameRec& g, int leader) {
    for (const TArmyRec& a : g.Armies)
        if (a.Leader == leader) return true;
    return false;
}

// Leaders holding a command: an active corps or any army.
std::bitset<256> CommandHolders(const TGameRec& g) {
    std::bitset<256> holders;
    for (const TCorpsRec& c : g.Corps)
        if (CorpsInUse(c)) holders.set(c.Leader);
    for (const TArmyRec& a : g.Armies) holders.set(a.Leader);
    holders.reset(0);
    return holders;
}

int Score(const TLeaderRec& l, int wanted) {
    int score = 0;
    if (l.Rank < wanted) score -= 5 * (wanted - l.Rank);
    if (l.Rank > wanted) score -= 20 * (l.Rank - wanted);
    if (wanted == kArmyRank) {
        if (l.Rank == 5 && l.Status == kLeaderAvailable) score += 55;
        if (l.Rank == 3 && l.Status == kLeaderActive) score += 15;
        if (l.Rank == 2) score -= 50;
    }
    return score + l.Political + 10 * l.Rating + Random(50);
}

}  // namespace

int ChooseLeaderForCommand(int nation, int wantedRank, int /*divisionKind*/, int /*mode*/) {
    TGameRec& g = *GameRec;
    struct Slot { int leader = 0, score = kNoScore; };
    Slot best[3];
    for (int l = 1; l <= kLeaderCount; ++l) {
        const TLeaderRec& leader = g.Leaders[l];
        if (leader.Nation != nation) continue;
        const bool available = leader.Status >= kLeaderAvailable && leader.Status <= kLeaderRemoved;
        const bool promotable = wantedRank == kArmyRank && leader.Status == kLeaderActive && leader.Rank < kArmyRank &&
                                !LeadsArmy(g, l);
        if (!available && !promotable) continue;
        const int score = Score(leader, wantedRank);
        // Only the first slot is used; a new best does not push the old one down.
        if (score > best[0].score) best[0] = {l, score};
        else if (score > best[1].score) best[1] = {l, score};
        else if (score > best[2].score) best[2] = {l, score};
    }
    const int chosen = best[0].leader;
    if (chosen == 0) return 0;
    TLeaderRec& leader = g.Leaders[chosen];
    leader.Political = static_cast<I8>(leader.Political < kAppointmentPrestige ? 0 : leader.Political - kAppointmentPrestige);
    if (leader.Status == kLeaderActive && wantedRank == kArmyRank) {
        if (leader.Initiative > 4) leader.Initiative -= 5;
        if (leader.Rating > 1) leader.Rating -= 1;
    }
    return chosen;
}

int PickCommander(int nation, int commandKind, int divisionKind, int mode) {
    TGameRec& g = *GameRec;
    const std::bitset<256> holders = CommandHolders(g);
    for (int l = 1; l <= kLeaderCount; ++l) {
        TLeaderRec& leader = g.Leaders[l];
        if ((leader.Status == kLeaderAvailable || leader.Status == kLeaderRemoved) && holders.test(l))
            leader.Status = kLeaderActive;
        if (leader.Status == kLeaderActive && !holders.test(l)) leader.Status = kLeaderAvailable;
    }
    if (!IsNation(nation)) return 0;
    const int wanted = commandKind == kCommandArmy ? 5 : commandKind == kCommandCorps ? 3 : divisionKind == 2 ? 2 : 1;
    if (g.Nations[nation].Human != 0 && g.GameKind < 2) return 0;
    const int chosen = ChooseLeaderForCommand(nation, wanted, divisionKind, mode);
    return chosen > kLeaderCount ? 0 : chosen;
}

bool ReplaceCorpsCommander(int nation, int leader) {
    TGameRec& g = *GameRec;
    if (leader == 0) return true;
    int k = 0;
    for (int c = kCorpsCount; c >= 1 && k == 0; --c)
        if (CorpsInUse(g.Corps[c]) && g.Corps[c].Leader == leader) k = c;
    if (k == 0) return true;
    TCorpsRec& corps = g.Corps[k];
    // He leads the corps, so he is active: left at an available mark he could be chosen as his own
    // successor and end up holding two commands.
    TLeaderRec& outgoing = g.Leaders[leader];
    if (outgoing.Status >= kLeaderAvailable && outgoing.Status <= kLeaderRemoved) outgoing.Status = kLeaderActive;
    const int successor = PickCommander(nation, corps.Kind != 0 ? kCommandDivision : kCommandCorps, corps.Kind, 2);
    if (successor == 0) return false;
    TLeaderRec& man = g.Leaders[successor];
    corps.Leader = static_cast<U8>(successor);
    corps.LeaderRating = man.Rating;
    corps.LeaderInitiative = man.Initiative;
    man.Status = kLeaderActive;
    return true;
}

}  // namespace kvt
