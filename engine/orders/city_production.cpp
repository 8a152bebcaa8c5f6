// The city production dialog's figures, weapon orders and yards.
#include "engine/orders/city_production.h"

#include "engine/orders/weapon_orders.h"
#include "engine/world/globals.h"
#include "engine/world/stocks.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kYardCap = 255;

struct TYardPrice {
    int buy, refund;
};
constexpr TYardPrice kIroncladYard{500, 200};
constexpr TYardPrice kWoodenYard{250, 100};

// Without a depot a city makes only muskets and shotguns.
constexpr int kDepotOnlySpinners[] = {2, 3, 4, 6, 7, 8};

std::string YesNo(bool on) { return Text(on ? 3 : 4); }

std::string DepotText(int level) {
    switch (level) {
        case 1: return Text(197);
        case 2: return Text(196);
        case 3: return Text(195);
        default: return Text(198);
    }
}

bool HasPortFacilities(const TCityRec& c) { return c.Port != 0 || c.RiverLink != 0; }

}  // namespace

TCityProduction::TCityProduction() {
    const int nation = SidePlayed;
    if (!GameRec->Nations.InRange(nation)) return;
    for (int c = 1; c <= kCityCount; ++c)
        if (GameRec->Cities[c].Nation == nation) rows_.push_back({CityRowText(c), c});
    // A capital the enemy holds is not ours to show or to buy production in.
    const int capital = GameRec->Nations[nation].Capital;
    if (GameRec->Cities.InRange(capital) && GameRec->Cities[capital].Nation == nation) ShowCity(capital);
}

int TCityProduction::SelectedRow() const {
    for (std::size_t r = 0; r < rows_.size(); ++r)
        if (city_ != 0 && rows_[r].index == city_) return static_cast<int>(r);
    return -1;
}

void TCityProduction::ChooseRow(int row) {
    if (row >= 0 && row < static_cast<int>(rows_.size())) ShowCity(rows_[static_cast<std::size_t>(row)].index);
}

void TCityProduction::ShowCity(int city) {
    view_ = TCityProductionView{};
    city_ = theatre_ = 0;
    if (!GameRec->Cities.InRange(city)) return;
    city_ = city;
    const TCityRec& c = GameRec->Cities[city];
    theatre_ = c.Theatre >= 1 && c.Theatre <= kTheatreCount ? c.Theatre : 0;
    TCityProductionView& v = view_;
    v.state = GameRec->States.InRange(c.State) ? GameRec->States[c.State].Name.str() : std::string();
    v.fort = std::to_string(c.Fortifications);
    v.depot = DepotText(c.SupplySource);
    v.railLink = YesNo(c.RailLink != 0);
    v.riverLink = YesNo(c.RiverLink != 0);
    v.portFacilities = YesNo(HasPortFacilities(c));
    // Every spinner pays from the theatre's supplies: a city of no theatre offers none.
    if (theatre_ != 0) {
        v.spinnerShown.fill(true);
        if (c.SupplySource < 1 || c.SupplySource > 3)
            for (int n : kDepotOnlySpinners) v.spinnerShown[static_cast<std::size_t>(n - 1)] = false;
        v.yardsEnabled = HasPortFacilities(c);
    }
    ShowFigures();
}

void TCityProduction::ShowFigures() {
    if (city_ == 0) return;
    const TCityRec& c = GameRec->Cities[city_];
    for (int k = 1; k <= kWeaponKinds; ++k)
        view_.production[static_cast<std::size_t>(k - 1)] = std::to_string(WeaponsShown(k, c.Production[k]));
    const bool yards = HasPortFacilities(c);
    view_.ironcladYards = yards ? std::to_string(c.IroncladYards) : "-";
    view_.woodenYards = yards ? std::to_string(c.WoodenYards) : "-";
    const U16* supplies = Supplies();
    view_.supplies = supplies ? std::to_string(*supplies) : std::string();
}

U16* TCityProduction::Supplies() {
    if (city_ == 0 || theatre_ == 0 || !GameRec->Nations.InRange(SidePlayed)) return nullptr;
    return &GameRec->Nations[SidePlayed].TheatreSupplies[theatre_];
}

bool TCityProduction::StepProduction(int kind, bool up) {
    U16* supplies = Supplies();
    if (!supplies || kind < 1 || kind > kWeaponKinds || !view_.spinnerShown[static_cast<std::size_t>(kind - 1)]) return false;
    const bool changed =
        StepWeaponOrder(GameRec->Cities[city_].Production[kind], *supplies, WeaponOrderCost(SidePlayed, kind), up);
    ShowFigures();
    return changed;
}

bool TCityProduction::StepYards(bool ironclads, bool up) {
    U16* supplies = Supplies();
    if (!supplies || !view_.yardsEnabled) return false;
    TCityRec& c = GameRec->Cities[city_];
    U8& yards = ironclads ? c.IroncladYards : c.WoodenYards;
    const TYardPrice price = ironclads ? kIroncladYard : kWoodenYard;
    if (up) {
        if (*supplies <= price.buy || yards >= kYardCap) return false;
        ChangeStock(*supplies, -price.buy, StockRule::Dialog);
        ++yards;
    } else {
        if (yards == 0) return false;
        ChangeStock(*supplies, price.refund, StockRule::Dialog);
        --yards;
    }
    ShowFigures();
    return true;
}

}  // namespace kvt
