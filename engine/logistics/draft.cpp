// The monthly draft and draft riots. Sums and products run in 64 bits; every stock word changes
// through the stock helpers, so nothing wraps.
#include "engine/logistics/draft.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "engine/forces/brigade_rules.h"
#include "engine/logistics/home_front.h"
#include "engine/world/frontend.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/stocks.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kAppealMonths = 9;
constexpr int kAppealRateBonus = 20;
constexpr int kRiotCasualtyFloor = 2000;
constexpr int kAppealNotice = 19;
constexpr int kDraftRiotNotice = 4;

std::array<int, kNationCount + 1> willLostToRiots{};

bool InDraftList(int nation, int state) {
    switch (nation) {
        case kNationUnion:
            for (int s : {6, 8, 9, 10, 18, 19, 20, 32, 33, 34, 35})
                if (s == state) return true;
            return false;
        case kNationConfederacy: return state >= 19 && state <= 31;
        case kNationFrance: return state == 37;
        case kNationBritain: return state == 36;
        default: return false;
    }
}

// The draft rate reads the bounty and industry of the side the nation fights on.
int DraftRate(int n) {
    const TGameRec& g = *GameRec;
    const int side = g.Nations[n].Side;
    int rate = side != 0 ? g.Nations[side].Bounty + 5 * g.Nations[side].Recovery : 1;
    rate = std::max(rate, 1);
    if (g.Nations[n].AppealCounter >= kAppealMonths) rate += kAppealRateBonus;
    return rate;
}

int StandingScore(int n) {
    const TGameRec& g = *GameRec;
    const TNationRec& nation = g.Nations[n];
    int low = 0, high = 0;
    if (n == kNationUnion) high = 500;
    if (n == kNationConfederacy) low = -200;
    int score = 1;
    for (int t = 1; t <= kTheatreCount; ++t) {
        if (t == 1 && (n == kNationUnion || n == kNationConfederacy) && nation.CorpsInTheatre[1] < 5) score -= 10;
        if (nation.Side != 0) {
            if (nation.TheatreBalance[t] < low) score -= 1;
            if (nation.TheatreBalance[t] > high) score += 1;
            if (nation.TheatreReadiness[t] < 70) score -= 1;
        } else {
            score += 1;
        }
    }
    if (n == kNationUnion && nation.CorpsTally < 20) score -= 2;
    if (n == kNationConfederacy && nation.CorpsTally < 15) score -= 1;
    long long need = 0, have = 4;
    for (int t = 1; t <= kTheatreCount; ++t) {
        need += 4LL * nation.TheatreLoad[t];
        have += nation.TheatreSupplies[t];
    }
    if (need > have) score += 10;
    return score;
}

void AppealForTroops(int n) {
    TNationRec& nation = GameRec->Nations[n];
    CurrentFrontend().SetCursor(CursorKind::Arrow);
    std::string line;
    if (n == kNationUnion) line = Text(211);
    if (n == kNationConfederacy) line = Text(212);
    RaiseEventNotice(kAppealNotice, line);
    // Set before the riot check, which acts only while an appeal runs.
    nation.AppealCounter = kAppealMonths;
    nation.Bounty = 1;
    CheckDraftRiots(n);
}

// The computer sets its bounty and may appeal for troops when the war goes badly.
void SetComputerBounty(int n, int score) {
    TGameRec& g = *GameRec;
    TNationRec& nation = g.Nations[n];
    const bool warring = n == kNationUnion || n == kNationConfederacy;
    if (g.Year == 1861 && warring) {
        score -= 1;
        if (g.Month < 9) nation.Bounty = 10;
    }
    if (nation.Recovery > 1 && nation.Bounty < 5) nation.Bounty = n == kNationUnion ? 9 : 4;
    if (nation.Bounty < 10) {
        if (n == kNationUnion && nation.CorpsTally < 20) nation.Bounty += 5;
        if (n == kNationConfederacy && nation.CorpsTally < 10) nation.Bounty += 3;
    }
    if (n == kNationUnion && score < 0 && g.Casualties[kUnion] < 700) score = 0;
    if (n == kNationConfederacy && score < 0 && g.Casualties[kConfederacy] < 500) score = 0;
    if (g.Year == 1861) return;
    if (nation.AppealCounter < -1 && score < -1 && nation.Side != 0) {
        score += 3;
        if (score < -1) AppealForTroops(n);
    } else if (nation.Bounty > 1) {
        nation.Bounty = static_cast<std::uint16_t>(nation.Bounty / 2);
    }
}

void Enlist(TStateRec& s, TNationRec& nation, long long men) {
    ChangeStock(s.Recruits, men, StockRule::Draft);
    ChangeStock(s.NewRecruits, men, StockRule::Draft);
    ChangeStock(nation.MonthlyRecruits, men, StockRule::Draft);
}

// The slavery policy's labour draft from an output word (a state's or a city's): a share of it
// enlists, and a third as many leave the work.
void DraftLabour(U16& extra, TStateRec& s, TNationRec& nation) {
    const long long r = (extra / 10) * static_cast<long long>(nation.Policy) / 30;
    extra = static_cast<std::uint16_t>(extra - std::min<long long>(r / 3, extra));
    Enlist(s, nation, r);
}

// Drafts d men from an output word (a state's or a city's) for a bounty of `cost` from the
// theatre's supplies, and nobody when they cannot pay it. A third as many leave the work.
void DraftForBounty(U16& output, TStateRec& s, TNationRec& nation, int theatre, long long d, long long cost) {
    U16& supplies = nation.TheatreSupplies[theatre];
    if (supplies < cost) return;
    output = static_cast<std::uint16_t>(output - d / 3);
    Enlist(s, nation, d);
    TakeStock(supplies, cost, StockRule::Bounties);
}

// A state without a capital drafts from its own output when its owner controls it.
void DraftState(int n, TStateRec& s) {
    TNationRec& nation = GameRec->Nations[n];
    if (nation.Policy != 0) DraftLabour(s.ExtraOutput, s, nation);
    const long long d = std::min<long long>(static_cast<long long>(DraftRate(n)) * s.CityOutput / 400, s.CityOutput);
    DraftForBounty(s.CityOutput, s, nation, s.Theatre, d, nation.Bounty * d / 3);
}

// A state with a capital drafts city by city from the nation's own cities in it.
void DraftCities(int n, int stateIndex) {
    TGameRec& g = *GameRec;
    TNationRec& nation = g.Nations[n];
    TStateRec& s = g.States[stateIndex];
    for (TCityRec& c : g.Cities) {
        if (c.State != stateIndex || c.Nation != n || !IsHomeFrontTheatre(c.Theatre)) continue;
        int rate = DraftRate(n);
        if (n == kNationConfederacy) rate *= 2;
        if (nation.Policy != 0 && c.ExtraOutput != 0) DraftLabour(c.ExtraOutput, s, nation);
        const long long d =
            std::min<long long>(static_cast<long long>(rate) * c.Output / (n == kNationUnion ? 400 : 300), c.Output);
        DraftForBounty(c.Output, s, nation, c.Theatre, d, nation.Bounty * d / 2);
    }
}

// Counts brigades of the nation by the weapons they carry: small arms, carbines and cannon.
std::array<long long, 3> ArmedBrigades(int n) {
    std::array<long long, 3> count{};
    for (const TBrigadeRec& b : GameRec->Brigades) {
        if (b.Nation != n || b.AttachKind == kAttachFree) continue;
        if (b.Weapon >= 1 && b.Weapon <= 3) ++count[0];
        else if (b.Weapon >= 4 && b.Weapon <= 5) ++count[1];
        else if (b.Weapon >= 6 && b.Weapon <= 8) ++count[2];
    }
    return count;
}

void ShiftShare(TNationRec& nation, int from, int to) {
    nation.RecruitPercent[from] -= 1;
    nation.RecruitPercent[to] += 1;
}

void AdjustShares(int n) {
    TNationRec& nation = GameRec->Nations[n];
    const auto [a, b, c] = ArmedBrigades(n);
    auto& pct = nation.RecruitPercent;
    enum { kInf = 1, kCav = 2, kArt = 3 };
    const bool confederate = n == kNationConfederacy;
    if (a > 6 * c && pct[kInf] > 40 && pct[kArt] < 10) ShiftShare(nation, kInf, kArt);
    if (a / 5 < c && pct[kArt] > 1) ShiftShare(nation, kArt, kInf);
    if (a > 10 * b && pct[kInf] > (confederate ? 65 : 50) && pct[kCav] < 25) ShiftShare(nation, kInf, kCav);
    if ((confederate ? a / 10 : a / 20) < b && pct[kCav] > 1) ShiftShare(nation, kCav, kInf);
}

// Recruits of a border state held by the Union flow south while the Confederacy holds its neighbour.
void BorderTransfer(int from, int to, int baseShare, int perCity) {
    TGameRec& g = *GameRec;
    if (g.States[to].ControlSide != kConfederacy || g.States[from].Controller == kNationConfederacy) return;
    long long share = baseShare;
    for (const TCityRec& c : g.Cities)
        if (c.State == from && c.Owner == kConfederacy) share += perCity;
    U16& source = g.States[from].NewRecruits;
    const long long moved = std::min<long long>(source * share / 100, source);
    const int taken = TakeStock(source, moved, StockRule::Split);
    ChangeStock(g.States[to].NewRecruits, taken, StockRule::Split);
}

void SplitRecruits(int i) {
    TGameRec& g = *GameRec;
    TStateRec& s = g.States[i];
    const int n = s.Controller;
    if (s.Owner != s.ControlSide || !IsHomeFrontNation(n) || !IsHomeFrontTheatre(s.Theatre)) return;
    TNationRec& nation = g.Nations[n];
    const auto& pct = nation.RecruitPercent;
    const long long r = s.NewRecruits;
    long long supplies = nation.TheatreSupplies[s.Theatre];
    const long long inf = r * pct[1] / 100;
    long long cav = r * pct[2] / 100;
    if (supplies < 6 * cav) cav = supplies / 6;
    supplies -= 6 * cav;
    long long art = r * pct[3] / 100;
    if (supplies < 10 * art) art = supplies / 10;
    supplies -= 10 * art;
    long long nav = r * pct[4] / 100;
    if (supplies < nav) nav = supplies;
    supplies -= nav;
    const long long used = inf + cav + art + nav;
    SetStock(s.NewRecruits, used <= r ? r - used : 0, StockRule::Split);
    SetStock(nation.TheatreSupplies[s.Theatre], supplies, StockRule::Split);
    ChangeStock(nation.NavalManpower, nav, StockRule::Split);
    ChangeStock(s.InfantryPool, inf, StockRule::Split);
    ChangeStock(s.CavalryPool, cav, StockRule::Split);
    ChangeStock(s.ArtilleryPool, art, StockRule::Split);
    if (s.InfantryPool >= kInfantryBrigadeStrength) RaiseBrigadeAtCity(kBrigadeInfantry, i);
    if (s.CavalryPool >= kCavalryBrigadeStrength) RaiseBrigadeAtCity(kBrigadeCavalry, i);
    if (s.ArtilleryPool >= kArtilleryBrigadeStrength) RaiseBrigadeAtCity(kBrigadeArtillery, i);
}

}  // namespace

void UpdateNationalWill() { RaiseMonthlyRecruits(); }

void RaiseMonthlyRecruits() {
    TGameRec& g = *GameRec;
    for (int n = 1; n <= kNationCount; ++n) {
        TNationRec& nation = g.Nations[n];
        SetStock(nation.MonthlyRecruits, 0, StockRule::Draft);
        const int score = StandingScore(n);
        if (nation.Human == 0) SetComputerBounty(n, score);
        for (int i = 1; i <= kStateCount; ++i) {
            TStateRec& s = g.States[i];
            if (s.CapitalCity == 0) {
                if (s.Controller == n && s.ControlSide == s.Owner && IsHomeFrontTheatre(s.Theatre)) DraftState(n, s);
            } else if (InDraftList(n, i)) {
                DraftCities(n, i);
            }
        }
        // The counter is signed; it rests at its lowest value rather than wrap to a fresh appeal.
        if (nation.AppealCounter > -128) nation.AppealCounter = static_cast<std::int8_t>(nation.AppealCounter - 1);
    }
    AdjustComputerDraft();
}

void AdjustComputerDraft() {
    TGameRec& g = *GameRec;
    for (int n = 1; n <= kNationCount; ++n)
        if (g.Nations[n].Human == 0) AdjustShares(n);
    for (int i = 1; i <= kStateCount; ++i) {
        if (i == 19) BorderTransfer(19, 24, 60, 5);
        if (i == 20) BorderTransfer(20, 21, 40, 10);
        SplitRecruits(i);
    }
}

void CheckDraftRiots(int n) {
    if (!IsHomeFrontNation(n)) return;
    TGameRec& g = *GameRec;
    TNationRec& nation = g.Nations[n];
    long long total = 0;
    for (const TStateRec& s : g.States)
        if (s.Controller == n) total += s.StateCasualties;
    if (n == kNationConfederacy) total /= 2;
    // A nation that has bled little does not riot, and one that has not bled at all least of all.
    if (total <= kRiotCasualtyFloor) return;
    for (const TStateRec& s : g.States) {
        if (s.Controller != n || nation.AppealCounter <= 0) continue;
        int r = Random(60) + (g.Year - 1861) * 30;
        if (n == kNationConfederacy) r = Random(80);
        if (s.Loyalty >= r) continue;
        RaiseEventNotice(kDraftRiotNotice, Text(210), s.Name.str());
        const int cost = 2 * s.PoliticalValue;
        const int before = nation.Will;
        // A will already below zero is not raised to zero by a riot.
        nation.Will = static_cast<std::int16_t>(nation.Will > cost ? nation.Will - cost : std::min<int>(nation.Will, 0));
        willLostToRiots[n] += before - nation.Will;
    }
}

int WillLostToRiots(int nation) { return IsHomeFrontNation(nation) ? willLostToRiots[nation] : 0; }

void ResetDraftTallies() { willLostToRiots = {}; }

}  // namespace kvt
