// The rules a start point must satisfy so that loading it changes nothing unexpected and every rule
// of the game that names a state, city or slot finds what it expects there.
#pragma once

#include <string>
#include <vector>

#include "tools/scenario_compiler/scenario_build.h"

namespace kvt::scenario {

// What the computer players' plans expect to find at the start, each in force in the start points
// whose date allows it.
enum class PlanExpectationId {
    UnionArmyAtWashington,           // the capital's defence and the march on Richmond
    UnionArmyInIndianaOrOhio,        // the move into Kentucky
    UnionArmyInTheWest,              // the march on Nashville and Chattanooga
    UnionArmyNearMemphis,            // the drive down the Mississippi
    ConfederateArmyInTennessee,      // the move into Kentucky
    ConfederateArmyInVirginia,       // the defence of Richmond
    ConfederateCorpsInTennessee,     // the defence of Tennessee
    ConfederateCorpsBeyondTheRiver,  // the defence of Arkansas, Mississippi and Louisiana
};
struct PlanExpectation {
    PlanExpectationId id;
    bool corps;        // about corps (else about armies)
    const char* text;  // the fault told when it is missing
};
const std::vector<PlanExpectation>& PlanExpectations();
// Whether a start point of that year must meet the expectation. Not in 1862 for an army in Indiana or
// Ohio (Buell's headquarters were at Louisville) or for a Confederate army in Tennessee (A.S.
// Johnston's and Polk's stood at Bowling Green and Columbus, Kentucky); not in 1861 for an army near
// Memphis (Cairo held a brigade, no army).
bool WantsPlanExpectation(PlanExpectationId id, int year);

// Every broken rule, each message naming the source file, line and field it comes from; empty when
// the start point is sound. year is 1861, 1862 or 1863.
std::vector<std::string> CheckScenario(const BuiltScenario& built, int year);

}  // namespace kvt::scenario
