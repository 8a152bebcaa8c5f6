// Leader reshuffle of a computer nation. The notices go through the Frontend; nothing else waits.
#include "engine/players/leader_reshuffle.h"

#include "engine/forces/leader_choice.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kArmyPrestigeFloor = -21;
constexpr int kCorpsPrestigeFloor = -20;
constexpr U8 kCorpsRank = 3, kArmyRank = 5;

void AnnounceRelief(const TLeaderRec& relieved, const TLeaderRec* successor) {
    ClearEventNotice();
    EventNotice.Kind = 0;
    EventNotice.SetLine(1, relieved.Name.str());
    EventNotice.SetLine(2, Text(567));
    if (successor != nullptr) {
        EventNotice.SetLine(3, "and replaced with ");
        EventNotice.SetLine(4, successor->Name.str());
    }
    ShowEventNotice();
}

void ReshuffleArmies(int n) {
    TGameRec& g = *GameRec;
    for (TArmyRec& army : g.Armies) {
        if (army.Nation != n || army.BaseCity == 0 || army.Leader == 0) continue;
        TLeaderRec& old = g.Leaders[army.Leader];
        if (old.Political >= kArmyPrestigeFloor) continue;
        int chosen = PickCommander(n, kCommandArmy, 0, 0);
        if (chosen != 0 && !ReplaceCorpsCommander(n, chosen)) chosen = 0;
        // A corps commander handed over to his successor is still marked active (0) here: he is
        // free for the army all the same, so his mark does not refuse him.
        if (chosen == 0) continue;
        TLeaderRec& man = g.Leaders[chosen];
        old.Status = kLeaderRemoved;
        AnnounceRelief(old, &man);
        army.Leader = static_cast<U8>(chosen);
        man.Status = kLeaderActive;
        if (man.Rank == kCorpsRank) man.Rank = kArmyRank;
    }
}

void ReshuffleCorps(int n) {
    TGameRec& g = *GameRec;
    for (TCorpsRec& corps : g.Corps) {
        if (corps.Nation != n || !CorpsInUse(corps) || corps.Leader == 0) continue;
        TLeaderRec& old = g.Leaders[corps.Leader];
        if (old.Political >= kCorpsPrestigeFloor) continue;
        const int chosen = PickCommander(n, (old.Rank - 1) / 2 + 1, corps.Kind, 2);
        const bool replaced = chosen != 0 && g.Leaders[chosen].Status > 99;
        if (replaced) {
            TLeaderRec& man = g.Leaders[chosen];
            old.Status = kLeaderRemoved;
            AnnounceRelief(old, nullptr);
            corps.Leader = static_cast<U8>(chosen);
            man.Status = kLeaderActive;
            corps.LeaderRating = man.Rating;
            corps.LeaderInitiative = man.Initiative;
        }
        // The draws are taken whether or not a successor came, so later draws keep their places;
        // loyalty falls only over a change that happened.
        const int x = Random(10) + 2 * g.Leaders[chosen].Political;
        for (TStateRec& st : g.States) {
            if (st.Owner != corps.Nation) continue;
            for (int i = 0; i < 3; ++i)
                if (Random(10) < x && replaced && st.Loyalty > 0) --st.Loyalty;
        }
    }
}

}  // namespace

void ReshuffleComputerLeaders() {
    const int n = SidePlayed;
    if (!Arr1<TNationRec, kNationCount>::InRange(n)) return;
    ReshuffleArmies(n);
    ReshuffleCorps(n);
}

}  // namespace kvt
