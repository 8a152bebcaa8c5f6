// The 1864 election, held in the post-movement phase of the first turn of November 1864.
#pragma once

namespace kvt {

void ShowElection();

}  // namespace kvt
