// The home front as the headless runner's report prints it after a turn: per nation its theatre
// supplies and cotton, weapon pools, naval recruits, the month's recruits, bounty, will and the will
// lost to riots; on the first turn of a month also the turn's flows by rule, read from the stock
// ledger (which the caller keeps on and clears after each report).
#pragma once

#include <iosfwd>

namespace kvt {

void ReportHomeFront(std::ostream& out);

}  // namespace kvt
