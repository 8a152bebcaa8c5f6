// The leader orders dialog's reads and writes of the record.
#include "engine/orders/leader_orders.h"

#include <algorithm>
#include <bitset>

#include "engine/forces/brigade_rules.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/record_access.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kPromotionPoliticalCost = 10;
constexpr int kPenaltyBelow = -10;  // political weight under which a promotion costs will
constexpr int kPenaltyWill = 2;

bool MatchesStatus(int filter, int status) {
    switch (filter) {
        case kLeadersActive: return status == kLeaderActive;
        case kLeadersAvailable: return status == kLeaderAvailable;
        case kLeadersRemoved: return status == kLeaderRemoved;
        case kLeadersWounded: return status >= 201 && status <= 229;
        case kLeadersTempRemoved: return status == kLeaderToBeRemoved;
        default: return false;
    }
}

struct TBand {
    int low, high, text;
};

// The band text of a rating; hidden behind `unknown` while ratings are hidden and the leader has
// too little experience; nothing when the value lies outside every band.
template <std::size_t N>
std::optional<std::string> Banded(int value, const TBand (&bands)[N], int unknown, int experienceNeeded,
                                  const TLeaderRec& l) {
    for (const TBand& b : bands) {
        if (value < b.low || value > b.high) continue;
        const bool hidden = G().RatingsInView == 0 && l.Experience < experienceNeeded;
        return Text(hidden ? unknown : b.text);
    }
    return std::nullopt;
}

std::optional<std::string> PoliticalText(const TLeaderRec& l) {
    const int p = l.Political;
    if (p >= -100 && p <= -1) return Text(l.Rank == kRankArmy ? 186 : 185);
    if (p >= 0 && p <= 4) return Text(186);
    if (p >= 5 && p <= 9) return Text(187);
    if (p >= 10 && p <= 100) return Text(188);
    return std::nullopt;
}

std::optional<std::string> StatusText(int status) {
    if (status == kLeaderActive) return Text(189);
    if (status >= 1 && status <= 99) return Text(190);
    if (status == kLeaderAvailable) return Text(191);
    if (status == kLeaderRemoved) return Text(193);
    if (status >= 201 && status <= 229) return Text(192);
    if (status == kLeaderKilled) return Text(194);
    return std::nullopt;
}

// The lowest corps number from 1 up that no other corps of the side played carries.
int FreeCorpsOrdinal() {
    std::bitset<256> taken;
    for (const TCorpsRec& c : G().Corps)
        if (CorpsInUse(c) && c.Nation == SidePlayed) taken.set(c.Ordinal);
    int ordinal = 1;
    while (ordinal < 255 && taken.test(ordinal)) ++ordinal;
    return ordinal;
}

}  // namespace

TLeaderOrders::TLeaderOrders() { FillLeaderList(); }

void TLeaderOrders::FillLeaderList() {
    penalty_ = false;
    rows_.clear();
    for (int l = 1; l <= kLeaderCount; ++l) {
        const TLeaderRec& r = G().Leaders[l];
        if (r.Nation == SidePlayed && r.Rank == rank_ && MatchesStatus(status_, r.Status))
            rows_.push_back({r.Name.str(), l});
    }
}

void TLeaderOrders::SetRankFilter(int rank) {
    rank_ = rank;
    FillLeaderList();
}

void TLeaderOrders::SetStatusFilter(int filter) {
    status_ = filter;
    FillLeaderList();
}

std::optional<TLeaderDisplay> TLeaderOrders::ChooseRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return std::nullopt;
    chosen_ = rows_[static_cast<std::size_t>(row)].index;
    const TLeaderRec& l = G().Leaders[chosen_];
    static constexpr TBand kDrill[] = {{1, 20, 545}, {21, 39, 546}, {40, 70, 547}};
    static constexpr TBand kTactics[] = {{1, 20, 549}, {21, 39, 550}, {40, 70, 551}};
    static constexpr TBand kInitiative[] = {{1, 20, 553}, {21, 30, 554}, {31, 39, 555}, {40, 49, 556}, {50, 100, 557}};
    static constexpr TBand kRating[] = {{1, 3, 559}, {4, 5, 560}, {6, 7, 561}, {8, 12, 562}};
    TLeaderDisplay d;
    d.name = l.Name.str();
    d.drill = Banded(l.Drill, kDrill, 548, 6, l);
    d.tactics = Banded(l.Tactics, kTactics, 552, 4, l);
    d.initiative = Banded(l.Initiative, kInitiative, 558, 4, l);
    d.rating = Banded(l.Rating, kRating, 563, 10, l);
    d.political = PoliticalText(l);
    d.status = StatusText(l.Status);
    d.tempRemoveShown = l.Status == kLeaderActive;
    return d;
}

void TLeaderOrders::Promote() {
    if (chosen_ == 0 || G().Leaders[chosen_].Rank >= kRankArmy) {
        FillLeaderList();
        return;
    }
    TLeaderRec& l = G().Leaders[chosen_];
    if (l.Status == kLeaderActive) {
        if (l.Rank == kRankCorps) {
            RaiseEventNotice(0, Text(620), Text(621), Text(622));
            l.Rank = kRankArmy;
        } else {
            l.Rank = kRankCorps;
        }
    } else if (l.Rank == kRankDivisional || l.Rank == kRankCavalry) {
        l.Rank = kRankCorps;
    } else if (l.Rank == kRankCorps) {
        l.Rank = kRankArmy;
    }
    // A signed byte: repeated promotions stop at its lowest value rather than turning influential.
    l.Political = static_cast<I8>(std::max(-128, l.Political - kPromotionPoliticalCost));
    const bool penalty = l.Political < kPenaltyBelow;
    if (penalty) {
        LowerNationalWill(SidePlayed, kPenaltyWill);
        l.Rating = static_cast<U8>(l.Rating * 2 / 3);
        l.Initiative = static_cast<U8>(l.Initiative * 2 / 3);
    } else {
        l.Rating = static_cast<U8>(l.Rating * 4 / 5);
        l.Initiative = static_cast<U8>(l.Initiative * 4 / 5);
    }
    l.Experience = 0;
    for (TCorpsRec& c : G().Corps) {
        if (!CorpsInUse(c) || c.Leader != chosen_) continue;
        c.Kind = 0;
        c.BrigadeLimit = static_cast<U8>(CommanderLineLimit(c.Kind, l.Initiative));
        c.Ordinal = 0;
        c.Ordinal = static_cast<U8>(FreeCorpsOrdinal());
    }
    FillLeaderList();
    penalty_ = penalty;
}

void TLeaderOrders::TempRemove() {
    if (chosen_ != 0) G().Leaders[chosen_].Status = kLeaderToBeRemoved;
    FillLeaderList();
}

}  // namespace kvt
