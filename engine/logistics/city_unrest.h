// City unrest, the condition of corps and commanders for corps left without one.
#pragma once

namespace kvt {

void UpdateCityUnrest();
void UpdateCorpsCondition();
void AssignMissingCommanders();

}  // namespace kvt
