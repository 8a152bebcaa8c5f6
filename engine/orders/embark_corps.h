// Embarking a corps: the corps of the side played that a fleet in port can carry, and the one
// chosen becoming the fleet's cargo at once. Transport space is in the record's units: 300 per
// intact transport, 100 per damaged one; a corps needs 50 per artillery point and 10 per strength
// unit. Never waits on the player; the dialog only shows the rows and hands back the click.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/orders/order_support.h"
#include "engine/world/game_record.h"

namespace kvt {

constexpr U8 kCorpsEmbarked = 4;  // OrderMode of a corps aboard a fleet

int TransportCapacity(const TFleetRec& fleet);
int CorpsTransportNeed(const TCorpsRec& corps);
// Whether a fleet in use other than `fleet` has the corps as its cargo.
bool CarriedByAnotherFleet(int corps, int fleet);
// The corps of the side played on the fleet's hex that its transports can take: in use, not the
// cargo of another fleet (one corps aboard two fleets would be lost by either).
std::vector<int> CorpsFitForFleet(int fleet);
// The last city on the fleet's hex, 0 when it lies outside every city.
int PortOfFleet(int fleet);

// One opening of the embark dialog for a fleet.
class TEmbarkChoice {
public:
    // Recounts the corps from their brigades first, so their needs are current.
    explicit TEmbarkChoice(int fleet);

    std::string CapacityText() const;  // empty when the fleet is in no port
    const std::vector<TOrderRow>& Rows() const { return rows_; }
    // The person clicked a row: that corps goes aboard. A corps it replaces goes back to the
    // orders it had before boarding (Defend when they are not known), never left embarked on no
    // fleet.
    void ChooseRow(int row);

private:
    int fleet_;
    std::vector<TOrderRow> rows_;
    std::map<int, U8> modeBeforeBoarding_;
};

}  // namespace kvt
