// Free fleets with an assigned corps take it on board toward their target.
#pragma once

namespace kvt {

void EmbarkAssignedCorps();

}  // namespace kvt
