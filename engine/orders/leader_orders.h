// Leader orders: the side's leaders listed by command grade and status, one leader's ratings as
// band texts, and the two actions on the leader chosen: promotion (a higher grade for some of his
// ratings and political weight) and removal at the next turn. Both change the record at once.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/orders/order_support.h"

namespace kvt {

// Grades of the rank filter (a leader's Rank) and the status filters 1..5.
enum : int { kRankDivisional = 1, kRankCavalry = 2, kRankCorps = 3, kRankArmy = 5 };
enum : int {
    kLeadersActive = 1, kLeadersAvailable = 2, kLeadersRemoved = 3, kLeadersWounded = 4, kLeadersTempRemoved = 5
};

// What showing a leader puts on the dialog; an empty optional leaves that label as it was.
struct TLeaderDisplay {
    std::string name;                                    // Label1
    std::optional<std::string> drill, tactics, initiative, rating;  // Label8..Label11
    std::optional<std::string> political;                // Label6
    std::optional<std::string> status;                   // Label7
    bool tempRemoveShown = false;                        // Button1
};

// One opening of the dialog: its filters, the leader chosen and the rows listed.
class TLeaderOrders {
public:
    // Army-grade active leaders, nobody chosen.
    TLeaderOrders();

    int RankFilter() const { return rank_; }
    int StatusFilter() const { return status_; }
    int Chosen() const { return chosen_; }
    const std::vector<TOrderRow>& Rows() const { return rows_; }
    // The promotion's political cost line, shown until the list is filled again.
    bool PenaltyShown() const { return penalty_; }

    void SetRankFilter(int rank);
    void SetStatusFilter(int filter);
    // The person clicked a row: that leader is chosen and shown.
    std::optional<TLeaderDisplay> ChooseRow(int row);
    void Promote();
    // Marks the chosen leader for removal at the next turn's processing.
    void TempRemove();
    void FillLeaderList();

private:
    int rank_ = kRankArmy;
    int status_ = kLeadersActive;
    int chosen_ = 0;
    bool penalty_ = false;
    std::vector<TOrderRow> rows_;
};

}  // namespace kvt
