// The political phase, the computer nations' policy events and the dated news.
#include "engine/players/political_phase.h"

#include "engine/players/capitals.h"
#include "engine/players/intervention.h"
#include "engine/players/policy_events.h"
#include "engine/players/politics_words.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kUnionEmancipationStage = 10;

bool FirstTurnOfMonth() { return GameRec->Day < 8; }

void BritishCrisis() {
    TGameRec& g = *GameRec;
    TNationRec& britain = g.Nations[kNationBritain];
    if (g.Day < 8 || g.Day > 14 || g.Month != 11 || g.Year != 1861) return;
    if (g.Nations[kNationUnion].Human == 0 || britain.Attitude < 1 || britain.Attitude > 99) return;
    ClearEventNotice();
    EventNotice.Kind = 25;
    for (int line = 1; line <= 4; ++line) EventNotice.SetLine(line, Text(203 + line));
    OfferChoice(1, Text(208));
    OfferChoice(2, Text(209));
    ShowEventNotice();
    // Defiance brings Britain into the war at the next first turn of a month.
    if (EventNotice.Answer == 2) britain.Attitude = 1;
    else AddClamped(g.Nations[kNationUnion].Will, -25);
}

// Answers whether the nation capitulated.
bool CapitalLost(int nation) {
    TGameRec& g = *GameRec;
    const TNationRec& n = g.Nations[nation];
    if (n.Capital == 0 || g.Cities[n.Capital].Owner == n.Side) return false;
    const int other = nation == kNationUnion ? kNationConfederacy : kNationUnion;
    const int city = ChooseNewCapital(n.Capital, nation);
    if (city == 0 || n.Will < 400 - 50 * (g.Year - 1860)) {
        NationCapitulates(nation, other);
        return true;
    }
    MoveNationalCapital(nation, city);
    return false;
}

// Nations at war: the slavery policy matures, own states no side holds fall to the nation's side,
// and each nation's units fight on its side.
void KeepSides() {
    TGameRec& g = *GameRec;
    for (int n = 1; n <= kNationCount; ++n) {
        TNationRec& nation = g.Nations[n];
        if (nation.Side == kSideNone) continue;
        if (nation.Policy >= 1 && nation.Policy <= 9) ++nation.Policy;
        for (int s = 1; s <= kStateCount; ++s) {
            TStateRec& st = g.States[s];
            if (st.Controller != n || st.ControlSide != kSideNone) continue;
            st.Owner = st.ControlSide = nation.Side;
            for (TCityRec& city : g.Cities)
                if (city.State == s && city.Owner == kSideNone) city.Owner = nation.Side;
        }
    }
    // Each unit takes its own nation's side; a neutral nation's units keep theirs.
    auto sideOf = [&](int nation) { return nation >= 1 && nation <= kNationCount ? g.Nations[nation].Side : U8{0}; };
    for (TCorpsRec& c : g.Corps)
        if (U8 side = sideOf(c.Nation)) c.Side = side;
    for (TFleetRec& f : g.Fleets)
        if (U8 side = sideOf(f.Owner)) f.Side = side;
    for (TArmyRec& a : g.Armies)
        if (U8 side = sideOf(a.Nation)) a.Side = side;
}

}  // namespace

void PoliticalPhase() {
    TGameRec& g = *GameRec;
    BritishCrisis();
    for (int n : {kNationUnion, kNationConfederacy})
        if (CapitalLost(n)) return;  // the war is over: nothing more to decide
    AddClamped(g.Nations[kNationConfederacy].Will, 2);
    if (FirstTurnOfMonth()) {
        BritainJoinsWar();
        FranceJoinsWar();
        CheckPolicyEvents(kNationUnion);
        for (int power : {kNationFrance, kNationBritain}) {
            TNationRec& p = g.Nations[power];
            if (p.Attitude > 1) continue;
            p.Side = kConfederacy;
            p.Attitude = 0;
        }
        KeepSides();
    }
    ShowDatedNews();
}

void CheckPolicyEvents(int nation) {
    const TGameRec& g = *GameRec;
    if (nation != kNationUnion && nation != kNationConfederacy) return;
    const TNationRec& n = g.Nations[nation];
    if (n.Human != 0) return;
    const TNationRec& other = g.Nations[nation == kNationConfederacy ? kNationUnion : kNationConfederacy];
    if (nation == kNationConfederacy) {
        if (n.Policy == 0 && n.Will + 200 < other.Will) ConfederatePolicyEvent();
        return;
    }
    if (n.Policy == kUnionEmancipationStage && n.Will > other.Will + 75) UnionPolicyEvent();
}

int DatedNewsText(int year, int month, int day) {
    struct News { int year, month, day, text; };
    static constexpr News kNews[] = {
        {1861, 8, 1, 709},  {1861, 10, 1, 711}, {1861, 11, 1, 712}, {1861, 11, 21, 713}, {1861, 12, 11, 714},
        {1862, 2, 21, 715}, {1862, 7, 1, 716},  {1862, 7, 11, 717}, {1862, 8, 21, 719},  {1863, 9, 1, 721},
    };
    // The turn's day is 1, 11 or 21; any day of the same ten counts as that turn.
    const int turnDay = day < 8 ? 1 : day < 15 ? 11 : 21;
    for (const News& n : kNews)
        if (n.year == year && n.month == month && n.day == turnDay) return n.text;
    return 0;
}

void ShowDatedNews() {
    const TGameRec& g = *GameRec;
    Frontend& fe = CurrentFrontend();
    fe.SetCursor(CursorKind::Arrow);
    if (const int text = DatedNewsText(g.Year, g.Month, g.Day)) fe.InformationBox(Text(text));
}

}  // namespace kvt
