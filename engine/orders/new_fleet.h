// Ordering new ships: the water and class chosen give the build kind, the ports whose yards build
// that class, a port's free yard capacity, and the order itself: men from the naval manpower
// (units of 50) and supplies from the port's theatre are paid, and a fleet under construction is
// recorded at the port with its build counter. Failures are told through the Frontend.
#pragma once

#include <string>
#include <vector>

#include "engine/orders/order_support.h"

namespace kvt {

// Build kinds: 1..3 ocean ironclads, wooden warships, transports; 4..6 the same on rivers.
enum : int { kBuildOceanIronclads = 1, kBuildRiverIronclads = 4 };
// The waters a new fleet is built for, as the dialog's first pair of buttons chooses them (not the
// record's water types).
enum : int { kBuildForOcean = 0, kBuildForRivers = 1 };

struct TShipCosts {
    int men;       // units of 50 per ship
    int supplies;  // per ship
    int buildCounter;
};
TShipCosts ShipCosts(int kind);

// One opening of the new fleet dialog.
class TNewFleetOrder {
public:
    TNewFleetOrder() = default;

    static std::string ManpowerText();  // NavalManpower x 50
    bool WaterEnabled() const { return waterEnabled_; }
    bool ClassEnabled(int shipClass) const { return classEnabled_[shipClass]; }
    int Kind() const { return kind_; }
    const std::vector<TOrderRow>& Ports() const { return ports_; }
    int Port() const { return port_; }
    int Limit() const { return limit_; }

    // A water button: every class may be chosen.
    void ChooseWater(int water);
    // A class button (0 ironclads, 1 wooden, 2 transports): the kind follows the water and class
    // chosen, the other buttons are closed and the ports of that class are listed.
    void ChooseClass(int shipClass);
    // A port row was clicked (-1: none selected): answers the capacity to show, also the ship
    // count's maximum.
    int ChoosePort(int row);
    // Ships of the chosen class that the port's yard can still take.
    int BuildCapacity(int port) const;
    // The order of `ships` (lowered to the limit). Answers the fleet recorded, 0 for none.
    int Build(int ships);

private:
    int water_ = kBuildForOcean;
    int shipClass_ = -1;
    int kind_ = 0;
    bool waterEnabled_ = true;
    bool classEnabled_[3] = {false, false, false};
    std::vector<TOrderRow> ports_;
    int port_ = 0;
    int limit_ = 0;
};

}  // namespace kvt
