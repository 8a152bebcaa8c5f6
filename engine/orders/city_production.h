// City production: the side played sets, city by city, the weapons each of its cities makes a month
// and the yards of its ports, paying from the supplies of the city's theatre. Every step writes the
// record at once. Spinners: UpDown1..UpDown8 order weapon kinds 1..8, UpDown9 ironclad yards,
// UpDown10 wooden-vessel yards.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/orders/order_support.h"
#include "engine/world/record_types.h"

namespace kvt {

constexpr int kProductionSpinners = 10;

// What the dialog shows of the city; everything empty and no spinner shown while no city is.
struct TCityProductionView {
    std::string state, fort, depot, railLink, riverLink, portFacilities;
    std::string ironcladYards, woodenYards;   // "-" without port facilities
    std::array<std::string, 8> production;    // weapon kind k at [k - 1]
    std::string supplies;                     // of the city's theatre
    std::array<bool, kProductionSpinners> spinnerShown{};  // UpDown n at [n - 1]
    bool yardsEnabled = false;                // UpDown9, UpDown10
};

// One opening of the dialog.
class TCityProduction {
public:
    // Lists the side's cities and shows its capital when the side holds it.
    TCityProduction();

    const std::vector<TOrderRow>& Rows() const { return rows_; }
    // The row of the city shown; -1 while none is.
    int SelectedRow() const;
    int City() const { return city_; }
    const TCityProductionView& View() const { return view_; }

    // FactoryLstClick: shows the row's city.
    void ChooseRow(int row);
    // UpDown1..UpDown8: one step of weapon kind 1..8. Answers whether the record changed.
    bool StepProduction(int kind, bool up);
    // UpDown9 (ironclads) and UpDown10: buy a yard for 500 or 250, sell one for 200 or 100.
    bool StepYards(bool ironclads, bool up);

private:
    void ShowCity(int city);
    void ShowFigures();
    // The theatre supplies the shown city pays from; nullptr with no city or no valid theatre.
    U16* Supplies();

    int city_ = 0;
    int theatre_ = 0;
    std::vector<TOrderRow> rows_;
    TCityProductionView view_;
};

}  // namespace kvt
