// State loyalty drift and leaders' recovery.
#pragma once

namespace kvt {

void UpdateStateLoyalty();

}  // namespace kvt
