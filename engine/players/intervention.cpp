// Foreign intervention: the announcements, the entry into the war and the offer of Texas.
#include "engine/players/intervention.h"

#include "engine/players/political_phase.h"
#include "engine/players/politics_words.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

// The power fights on the Confederate side, and so do its corps, fleets, states and cities.
void EnterWar(int power) {
    TGameRec& g = *GameRec;
    g.Nations[power].Side = kConfederacy;
    for (TCorpsRec& c : g.Corps)
        if (CorpsInUse(c) && c.Nation == power) c.Side = kConfederacy;
    for (TFleetRec& f : g.Fleets)
        if (FleetInUse(f) && f.Owner == power) f.Side = kConfederacy;
    for (TStateRec& st : g.States)
        if (st.Controller == power) st.Owner = kConfederacy;
    for (TCityRec& city : g.Cities)
        if (city.Nation == power) city.Owner = kConfederacy;
}

void Announce(int line1, int line2, int line3, int line4 = -1) {
    RaiseEventNotice(25, Text(line1), Text(line2), Text(line3), line4 < 0 ? std::string() : Text(line4));
}

// Whether the Confederacy takes France's terms for Texas.
bool OfferAccepted() {
    const TGameRec& g = *GameRec;
    const TNationRec& cs = g.Nations[kNationConfederacy];
    if (cs.Human != 0) {
        ClearEventNotice();
        EventNotice.Kind = 25;
        EventNotice.SetLine(1, Text(700));
        EventNotice.SetLine(2, Text(701));
        EventNotice.SetLine(3, Text(702));
        OfferChoice(1, Text(703));
        OfferChoice(2, Text(704));
        ShowEventNotice();
        return EventNotice.Answer == 1;
    }
    return g.Nations[kNationFrance].Side == kSideNone && cs.Will < 400 && Random(100) < 10;
}

}  // namespace

void BritainJoinsWar() {
    TGameRec& g = *GameRec;
    const TNationRec& cs = g.Nations[kNationConfederacy];
    TNationRec& britain = g.Nations[kNationBritain];
    if (cs.Human == 0 && britain.Attitude < 26 && cs.Policy == 0 && cs.Will < 400) CheckPolicyEvents(kNationConfederacy);
    if (britain.Attitude != 0 || britain.Side == kConfederacy) return;
    Announce(693, 694, 695, 696);
    EnterWar(kNationBritain);
}

void FranceJoinsWar() {
    TGameRec& g = *GameRec;
    TNationRec& france = g.Nations[kNationFrance];
    if (france.Attitude < 2 && france.Side != kConfederacy) {
        france.Attitude = 0;
        Announce(697, 698, 699);
        EnterWar(kNationFrance);
    }
    TStateRec& texas = g.States[kOfferedState];
    if (texas.Controller != kNationConfederacy || france.Attitude >= 30 || g.Year > 1864 ||
        g.Nations[kNationConfederacy].Will >= 500)
        return;
    if (!OfferAccepted()) {
        france.Attitude = 50;
        return;
    }
    // France is at war from this moment, so the state and its cities stand on the Confederate side
    // (a control side of France's number would be no side at all). The whole state changes hands,
    // a city the Union holds there included.
    texas.Controller = kNationFrance;
    texas.ControlSide = kConfederacy;
    for (TCityRec& city : g.Cities)
        if (city.State == kOfferedState) city.Nation = city.OriginalOwner = kNationFrance;
    france.Attitude = 0;
    EnterWar(kNationFrance);
    TNationRec& britain = g.Nations[kNationBritain];
    if (britain.Attitude >= 13 && britain.Attitude <= 99) AddClamped(britain.Attitude, -12);
    AddClamped(g.Nations[kNationUnion].Will, -25);
    Announce(705, 706, 707, 708);
}

}  // namespace kvt
