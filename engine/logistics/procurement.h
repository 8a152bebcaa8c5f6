// The computer sides' monthly purchase of weapons and supplies.
#pragma once

namespace kvt {

void ComputerProcurement();

}  // namespace kvt
