// State loyalty, leader recovery and state unrest, once a turn before spotting. Unrest is told
// through a standard notice; nothing else waits.
#include "engine/logistics/state_loyalty.h"

#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/record_access.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr U8 kRecoveringFloor = 101;  // recovering leaders count down to here and stop
constexpr U8 kWoundedFrom = 201, kWoundedTo = 234;
constexpr int kUnrestOverworked = 1, kUnrestUngoverned = 2;
constexpr int kFirstUnrestState = 6;  // states 1..5 never rise

void GainLoyalty(TGameRec& g) {
    for (int s = 1; s <= kStateCount; ++s) {
        TStateRec& st = g.States[s];
        if ((st.Controller != kNationUnion && st.Controller != kNationConfederacy) || IsBorderState(s)) continue;
        const int own = g.Nations[st.Controller].Will;
        const int other = g.Nations[st.Controller == kNationUnion ? kNationConfederacy : kNationUnion].Will;
        if (own > other + (g.Year - 1860) * 10) {
            const int r = Random(500) + Random(500) + Random(500);
            if (own > r && st.Loyalty < 100) st.Loyalty += 1;
        }
        if (st.EventCooldown != 0) st.EventCooldown -= 1;
    }
}

void RecoverLeaders(TGameRec& g) {
    for (int l = 1; l <= kLeaderCount; ++l) {
        U8& status = g.Leaders[l].Status;
        if (Random(100) < 25) {
            if (status > kRecoveringFloor && status < kLeaderRemoved) status -= 1;
            if (status >= 2 && status <= 99) status -= 1;
            if (status == 1) status = kLeaderAvailable;
        }
        if (status >= kWoundedFrom && status <= kWoundedTo && Random(50) > 10) status -= 1;
    }
}

// The least loyal-looking state of the nation in the theatre that may have an event: each draws
// 0..99 in turn and must beat both the best draw so far (at least 51) and its own loyalty.
int ChooseUnrestState(const TGameRec& g, int n, int t) {
    int best = 50, chosen = 0;
    for (int s = kFirstUnrestState; s <= kStateCount; ++s) {
        const TStateRec& st = g.States[s];
        if (st.Controller != n || st.Theatre != t || st.EventCooldown != 0) continue;
        const int r = Random(100);
        if (r > best && st.Loyalty < r) {
            best = r;
            chosen = s;
        }
    }
    return chosen;
}

void StateUnrest(TGameRec& g) {
    for (int n = 1; n <= kNationCount; ++n) {
        TNationRec& nation = g.Nations[n];
        for (int t = 1; t <= kTheatreCount; ++t) {
            int kind = 0;
            if (nation.ArmiesInTheatre[t] == 0 && nation.CorpsInTheatre[t] > 2) kind = kUnrestUngoverned;
            else if (Random(20) + 6 < nation.TheatreIdle[t]) kind = kUnrestOverworked;
            if (nation.TheatrePressure[t] < 3) kind = 0;
            if (kind == 0) continue;
            const int s = ChooseUnrestState(g, n, t);
            if (s == 0) continue;
            if (kind == kUnrestUngoverned && nation.Will != 0) {
                // The idle count stops at 0: wrapped, it would read as a long idle spell.
                if (nation.TheatreIdle[t] > 0) nation.TheatreIdle[t] -= 1;
                if (nation.Will > -32768) nation.Will -= 1;
            }
            TStateRec& st = g.States[s];
            st.EventCooldown = static_cast<std::uint16_t>(Random(100) + 2 * st.Loyalty + 50);
            if (kind == kUnrestOverworked) RaiseEventNotice(0, Text(70), st.Name.str(), Text(71), Text(71 + t));
            else RaiseEventNotice(0, Text(70), st.Name.str(), Text(75), Text(76));
        }
    }
}

}  // namespace

void UpdateStateLoyalty() {
    TGameRec& g = *GameRec;
    GainLoyalty(g);
    RecoverLeaders(g);
    StateUnrest(g);
}

}  // namespace kvt
