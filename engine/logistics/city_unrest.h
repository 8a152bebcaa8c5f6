// City unrest, the condition of corps and commanders for corps left without one.
#pragma once

namespace kvt {

void UpdateCityUnrest();
// The same reading every corps and brigade for each occupied city, to hold the kept counts to.
void UpdateCityUnrestFullRescan();
void UpdateCorpsCondition();
void AssignMissingCommanders();

}  // namespace kvt
