// The home front's columns of the headless runner's report (turn_report.h): per nation its theatre
// supplies and cotton, weapon pools, naval recruits, the month's recruits, bounty, will and the will
// lost to riots; on the first turn of a month also the turn's flows by rule, read from the stock
// ledger (which the runner keeps on and clears before each turn). Reads the game; never changes it.
#pragma once

#include <string>

namespace kvt {

// "  Union supplies 561/3297/2134 cotton 0/0/0 weapons 45,3,18,6,20,8,11,0 naval 80 raised 1830
//  bounty 10 will 800 riots 0  Union flows income: supplies +9076; weapons: supplies -1569 ..."
std::string HomeFrontReportColumns();

}  // namespace kvt
