// Conquest of cities and states and its consequences (notices of fallen cities and lost states).
#pragma once

namespace kvt {

void ResolveConquests();

}  // namespace kvt
