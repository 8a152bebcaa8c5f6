// The monthly draft: recruits and national will, with the riots it may cause.
#pragma once

namespace kvt {

// The turn's entry point of the monthly draft.
void UpdateNationalWill();

}  // namespace kvt
