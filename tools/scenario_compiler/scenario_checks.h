// The rules a start point must satisfy so that loading it changes nothing unexpected and every rule
// of the game that names a state, city or slot finds what it expects there.
#pragma once

#include <string>
#include <vector>

#include "tools/scenario_compiler/scenario_build.h"

namespace kvt::scenario {

// Every broken rule, each message naming the source file, line and field it comes from; empty when
// the start point is sound. year is 1861, 1862 or 1863.
std::vector<std::string> CheckScenario(const BuiltScenario& built, int year);

}  // namespace kvt::scenario
