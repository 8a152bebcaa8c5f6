// The state statistics' figures and off-map capacity steps.
#include "engine/orders/state_statistics.h"

#include "engine/orders/weapon_orders.h"
#include "engine/world/globals.h"
#include "engine/world/text_table.h"

namespace kvt {

std::string LoyaltyText(int loyalty) {
    if (loyalty < 21) return Text(627);
    if (loyalty <= 40) return Text(628);
    if (loyalty <= 59) return Text(629);
    if (loyalty <= 80) return Text(630);
    return Text(631);
}

int StateSpinnerKind(int spinner) {
    if (spinner == 1) return 5;
    if (spinner == 5) return 1;
    return spinner >= 1 && spinner <= kWeaponKinds ? spinner : 0;
}

TStateStatistics::TStateStatistics() {
    const int nation = SidePlayed;
    if (!GameRec->Nations.InRange(nation)) return;
    for (int s = 1; s <= kStateCount; ++s)
        if (GameRec->States[s].Controller == nation) rows_.push_back({GameRec->States[s].Name.str(), s});
    if (!rows_.empty()) FillStateStatistics(rows_.front().index);
}

int TStateStatistics::SelectedRow() const {
    for (std::size_t r = 0; r < rows_.size(); ++r)
        if (state_ != 0 && rows_[r].index == state_) return static_cast<int>(r);
    return -1;
}

void TStateStatistics::ChooseRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    view_.theatreSuppliesShown = true;
    FillStateStatistics(rows_[static_cast<std::size_t>(row)].index);
}

void TStateStatistics::FillStateStatistics(int state) {
    if (!GameRec->States.InRange(state)) return;
    state_ = state;
    const TStateRec& s = GameRec->States[state];
    theatre_ = s.Theatre >= 1 && s.Theatre <= kTheatreCount ? s.Theatre : 0;
    TStateStatisticsView& v = view_;
    v.supplies = std::to_string(s.MonthlyIncome);
    v.recruits = std::to_string(s.Recruits * 50);
    v.casualties = std::to_string(s.StateCasualties * 50);
    v.support = LoyaltyText(s.Loyalty);
    const bool onMap = s.CapitalCity != 0;
    v.capital = !onMap ? Text(396) : GameRec->Cities.InRange(s.CapitalCity) ? GameRec->Cities[s.CapitalCity].Name.str() : "";
    v.productionShown = !onMap;
    v.textCaptions = v.textCaptions || !onMap;
    // The capacity is paid from the theatre's supplies: a state of no theatre offers no spinner.
    v.spinnersShown = !onMap && theatre_ != 0;
    ShowFigures();
}

void TStateStatistics::ShowFigures() {
    const TStateRec& s = GameRec->States[state_];
    for (int k = 1; k <= kWeaponKinds; ++k)
        view_.capacity[static_cast<std::size_t>(k - 1)] = std::to_string(WeaponsShown(k, s.WeaponCapacity[k]));
    const U16* supplies = Supplies();
    view_.theatreSupplies = supplies ? std::to_string(*supplies) : std::string();
}

U16* TStateStatistics::Supplies() {
    if (state_ == 0 || theatre_ == 0 || !GameRec->Nations.InRange(SidePlayed)) return nullptr;
    return &GameRec->Nations[SidePlayed].TheatreSupplies[theatre_];
}

bool TStateStatistics::StepCapacity(int kind, bool up) {
    U16* supplies = Supplies();
    if (!supplies || !view_.spinnersShown || kind < 1 || kind > kWeaponKinds) return false;
    const bool changed =
        StepWeaponOrder(GameRec->States[state_].WeaponCapacity[kind], *supplies, WeaponOrderCost(SidePlayed, kind), up);
    ShowFigures();
    return changed;
}

}  // namespace kvt
