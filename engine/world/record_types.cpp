// The fault counter of the checked record accessors.
#include "engine/world/record_types.h"

namespace kvt {

namespace {
std::uint64_t faults = 0;
}

std::uint64_t CheckedAccessFaults() { return faults; }
void ResetCheckedAccessFaults() { faults = 0; }
void NoteCheckedAccessFault() { ++faults; }

}  // namespace kvt
