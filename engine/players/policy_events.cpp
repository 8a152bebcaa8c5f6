// The policy events: a notice, then will, foreign attitudes and the loyalty of the side's states.
#include "engine/players/policy_events.h"

#include <algorithm>

#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kUnionEmancipated = 11;
constexpr int kConfederateCombatRoles = 1;

I16 Clamped16(int v) {
    I16 out;
    out = static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
    return out;
}

// Each state the side owns and controls as its own nation loses loyalty in proportion to its
// labour base; loyalty never goes below 0.
void LowerLoyalty(int nation, int side, int divisor) {
    TGameRec& g = *GameRec;
    for (int s = 1; s <= kStateCount; ++s) {
        TStateRec& st = g.States[s];
        if (st.Controller != nation || st.Owner != side || st.ExtraOutput == 0) continue;
        const int loss = st.ExtraOutput / divisor;
        st.Loyalty = static_cast<U8>(std::max(0, st.Loyalty - loss));
    }
}

}  // namespace

void UnionPolicyEvent() {
    TGameRec& g = *GameRec;
    RaiseEventNotice(11, Text(202), Text(692), Text(203));
    TNationRec& us = g.Nations[kNationUnion];
    us.Policy = kUnionEmancipated;
    us.Will = Clamped16(us.Will + 50);
    TNationRec& britain = g.Nations[kNationBritain];
    TNationRec& france = g.Nations[kNationFrance];
    if (britain.Attitude < 100) britain.Attitude = Clamped16(britain.Attitude + 25);
    if (france.Attitude < 120) france.Attitude = Clamped16(france.Attitude + 15);
    LowerLoyalty(kNationUnion, kUnion, 100);
}

void ConfederatePolicyEvent() {
    TGameRec& g = *GameRec;
    TNationRec& cs = g.Nations[kNationConfederacy];
    cs.Policy = kConfederateCombatRoles;
    CurrentFrontend().SetCursor(CursorKind::Arrow);
    RaiseEventNotice(0, Text(201), Text(203));
    cs.Will = cs.Will <= 50 ? Clamped16(0) : Clamped16(cs.Will - 50);
    TNationRec& britain = g.Nations[kNationBritain];
    TNationRec& france = g.Nations[kNationFrance];
    britain.Attitude = britain.Attitude <= 35 ? Clamped16(1) : Clamped16(britain.Attitude - 35);
    france.Attitude = france.Attitude <= 25 ? Clamped16(1) : Clamped16(france.Attitude - 25);
    LowerLoyalty(kNationConfederacy, kConfederacy, 50);
}

}  // namespace kvt
