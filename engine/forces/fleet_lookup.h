// Finding a fleet record for a task: a free slot for a new or split fleet, or a nation's idle
// fleet fit for a transport or a warship mission. When several fit, the highest index wins.
#pragma once

namespace kvt {

enum : int {
    kFleetLookupFreeSlot = 0,   // a free record (BuildCounter 26 or more); the other arguments unused
    kFleetLookupTransport = 1,  // idle transports: at a home port (water type 0) or of a theatre
    kFleetLookupWarships = 2,   // idle warships whose home port lies in the theatre
};

// Fleet index 1..100, or 0 when none fits. Every candidate examined in modes 1 and 2 first has its
// Supplies topped up to two per ship, whichever fleet is answered.
int FindNationFleetAt(int nation, int place, int waterType, int mode);

}  // namespace kvt
