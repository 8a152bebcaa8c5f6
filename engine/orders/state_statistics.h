// State statistics: each state the side played controls with its capital, supplies, recruits,
// casualties and political support and, for a state without a capital city on the map, its off-map
// weapon production per month, which the person raises and lowers against the supplies of the
// state's theatre. Every step writes the record at once. Recruits and casualties are units of 50.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/orders/order_support.h"
#include "engine/world/record_types.h"

namespace kvt {

// The political support band of a loyalty 0..100 (above 100 the top band).
std::string LoyaltyText(int loyalty);
// The weapon kind spinner UpDown n (1..8) orders: UpDown1 and UpDown5 are swapped, so UpDown5
// orders Muskets and UpDown1 Shotguns.
int StateSpinnerKind(int spinner);

struct TStateStatisticsView {
    std::string supplies, recruits, casualties, support;
    std::string capital;               // the capital city's name, or the caption "Capital" off the map
    bool productionShown = false;      // the off-map production rows, captions and values
    bool spinnersShown = false;        // UpDown1..UpDown8
    std::array<std::string, 8> capacity;  // weapon kind k at [k - 1]
    std::string theatreSupplies;
    bool theatreSuppliesShown = false;
    // The captions come from the texts once a state without a capital has been shown, and stay so;
    // until then the form keeps its own.
    bool textCaptions = false;
};

// One opening of the dialog.
class TStateStatistics {
public:
    // Lists the states the side controls and shows the first; the theatre's supplies stay hidden
    // until a state is chosen.
    TStateStatistics();

    const std::vector<TOrderRow>& Rows() const { return rows_; }
    int SelectedRow() const;
    int State() const { return state_; }
    const TStateStatisticsView& View() const { return view_; }

    // StatusBoxClick.
    void ChooseRow(int row);
    // Shows one state; nothing for a state that does not exist.
    void FillStateStatistics(int state);
    // One step of the off-map capacity of weapon kind 1..8. Answers whether the record changed.
    bool StepCapacity(int kind, bool up);

private:
    void ShowFigures();
    U16* Supplies();

    int state_ = 0;
    int theatre_ = 0;
    std::vector<TOrderRow> rows_;
    TStateStatisticsView view_;
};

}  // namespace kvt
