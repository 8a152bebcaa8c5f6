// The battle dispatcher: every land battle and assault of a turn, fought after movement.
#pragma once

namespace kvt {

void ResolveBattles();

}  // namespace kvt
