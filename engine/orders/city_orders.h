// A city of the side played: what its orders dialog shows, and buying or selling its coastal guns
// and fortifications with the supplies of its theatre. A gun costs 100 and sells for 50; a
// fortification costs 175 in 1861 and 37 less each year after, never below 27, and sells for its
// price; at most one fortification is built per city and turn.
#pragma once

#include <string>
#include <vector>

namespace kvt {

struct TCityOrdersView {
    std::string name, stateName;
    // The label texts, each with its caption text in front.
    std::string value, damage, features, garrison, status, supplies, supplySource;
    int coastalGuns = 0, fortifications = 0;
    bool gunButton = false, fortificationButton = false;
    std::vector<std::string> garrisonList;
};

// Answers false, filling nothing, for a city that is not one of the side played's.
bool CityOrdersView(int city, TCityOrdersView& view);
// The price of a fortification this year.
int FortificationCost();

// Each answers whether the purchase or sale was made; a city not of the side played, a button not
// shown or too few supplies change nothing.
bool BuyCoastalGun(int city);
bool SellCoastalGun(int city);
bool BuildFortification(int city);
bool SellFortification(int city);

}  // namespace kvt
