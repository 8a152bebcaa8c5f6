// The fleet orders dialog's reads and writes of the record.
#include "engine/orders/fleet_orders.h"

#include <algorithm>

#include "engine/forces/fleet_lookup.h"
#include "engine/orders/embark_corps.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/naming.h"
#include "engine/world/record_access.h"
#include "engine/world/stocks.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kSupplyStep = 5;
constexpr int kCottonStep = 50;
constexpr int kFrenchPort = 85, kBritishPort = 86;

bool AtCity(const TFleetRec& f, int city) {
    return IsCity(city) && f.HexX == G().Cities[city].HexX && f.HexY == G().Cities[city].HexY;
}

std::string CityName(int city) { return IsCity(city) ? G().Cities[city].Name.str() : std::string(); }

int RowOf(const std::vector<TOrderRow>& rows, int index) {
    for (std::size_t k = 0; k < rows.size(); ++k)
        if (rows[k].index == index) return static_cast<int>(k);
    return -1;
}

}  // namespace

bool FleetOrdersAvailable(int fleet) {
    // Ships still on the stocks take no orders: split or merged off they would sail at once, and a
    // corps put aboard them would count as lost at sea.
    return Arr1<TFleetRec, kFleetCount>::InRange(fleet) && G().Fleets[fleet].BuildCounter == 0;
}

int CottonCapacity(const TFleetRec& fleet) {
    return fleet.WaterType == 0 ? fleet.Transports * 300 + fleet.DamagedTransports * 150 : 0;
}

TFleetOrderSheet::TFleetOrderSheet(int fleet) : fleet_(fleet) {
    if (!FleetOrdersAvailable(fleet)) return;
    controls_.missions.fill(true);
    if (F().Mission < kFleetMissions) embarkAtOpening_ = ChooseMission(F().Mission);
    // A corps boarding in the embark dialog changes which fleets may still take these ships: the
    // rest of the opening waits until that dialog has closed.
    if (!embarkAtOpening_) FinishOpening();
}

void TFleetOrderSheet::FinishOpening() {
    openingPending_ = false;
    const TFleetRec& f = F();
    controls_.mergeBox = controls_.splitBox = false;
    controls_.suppliesSpin = Theatre() != 0;
    if (CorpsFitForFleet(fleet_).empty()) controls_.missions[kMissionAmphibious] = false;
    if (IsCity(f.TargetCity) && !AtCity(f, f.TargetCity)) {
        controls_.missions.fill(false);
        controls_.missions[kMissionMove] = true;
        controls_.suppliesSpin = controls_.cottonSpin = false;
    }
    if (f.Owner != kNationConfederacy) controls_.missions[kMissionCottonRun] = false;
    controls_.homePortBox = controls_.objectiveBox = false;
    for (int j = 1; j <= kFleetCount; ++j) controls_.mergeBox |= MergePartnerFor(fleet_, j);
    const int ships = f.Ironclads + f.Wooden + f.Transports + f.DamagedIronclads + f.DamagedWooden + f.DamagedTransports;
    if (ships > 1) {
        splitTarget_ = FindNationFleetAt(0, 0, 0, kFleetLookupFreeSlot);
        // A carrying fleet is not split: its corps could end up on ships that cannot hold it.
        controls_.splitBox = splitTarget_ != 0 && f.Mission != kMissionAmphibious && f.Cargo == 0;
    }
}

TFleetRec& TFleetOrderSheet::F() const { return G().Fleets[fleet_]; }

// The theatre of the home port's state, whose stocks the spin buttons draw on; 0 without a port.
int TFleetOrderSheet::Theatre() const {
    const TFleetRec& f = F();
    if (!IsCity(f.HomePort) || SidePlayed == 0 || SidePlayed > kNationCount) return 0;
    const int state = G().Cities[f.HomePort].State;
    if (!Arr1<TStateRec, kStateCount>::InRange(state)) return 0;
    const int t = G().States[state].Theatre;
    return t >= 1 && t <= kTheatreCount ? t : 0;
}

bool TFleetOrderSheet::AtHomePort() const { return AtCity(F(), F().HomePort); }

TFleetOrdersView TFleetOrderSheet::View() const {
    TFleetOrdersView v;
    if (!FleetOrdersAvailable(fleet_)) return v;
    const TFleetRec& f = F();
    v.nation = NationName(f.Owner);
    v.kind = f.WaterType == 0 ? Text(175) : f.WaterType == 1 ? Text(176) : f.WaterType == 2 ? Text(168) : "";
    v.cottonCapacityShown = f.WaterType == 0;
    v.cottonCapacity = std::to_string(CottonCapacity(f));
    if (IsCity(f.TargetCity)) v.objective = Text(618) + CityName(f.TargetCity);
    v.homePort = Text(177) + CityName(f.HomePort);
    v.number = Text(178) + std::to_string(f.FleetNumber);
    if (f.Cargo != 0 && Arr1<TCorpsRec, kCorpsCount>::InRange(f.Cargo))
        v.cargo = Text(617) + G().Leaders[G().Corps[f.Cargo].Leader].Name.str();
    v.supplies = std::to_string(f.Supplies);
    v.cotton = std::to_string(f.Cotton);
    const auto pair = [](int intact, int damaged) { return std::to_string(intact) + "/" + std::to_string(damaged); };
    v.ironclads = Text(182) + pair(f.Ironclads, f.DamagedIronclads);
    v.wooden = Text(183) + pair(f.Wooden, f.DamagedWooden);
    v.transports = Text(184) + pair(f.Transports, f.DamagedTransports);
    const int t = Theatre();
    const TNationRec& n = G().Nations[t != 0 ? SidePlayed : 1];
    v.suppliesAvailable = std::to_string(t != 0 ? n.TheatreSupplies[t] : 0);
    v.cottonAvailable = std::to_string(t != 0 ? n.TheatreCotton[t] : 0);
    v.location = std::to_string(f.HexX) + "," + std::to_string(f.HexY);
    return v;
}

void TFleetOrderSheet::DisableMergeAndSplit() { controls_.mergeBox = controls_.splitBox = false; }

bool TFleetOrderSheet::ChooseMission(int mission) {
    if (!FleetOrdersAvailable(fleet_) || mission < 0 || mission >= kFleetMissions) return false;
    mission_ = mission;
    TFleetRec& f = F();
    bool embark = false;
    switch (mission) {
        case kMissionNothing:
        case kMissionRefit:
            controls_.suppliesSpin = controls_.cottonSpin = false;
            break;
        case kMissionMove:
            controls_.homePortBox = true;
            if (IsCity(f.HomePort) && !AtHomePort()) {
                f.Mission = kMissionMove;
                f.TargetCity = f.HomePort;
            } else {
                controls_.suppliesSpin = Theatre() != 0;
            }
            break;
        case kMissionCottonRun:
            controls_.homePortBox = controls_.objectiveBox = true;
            controls_.cottonSpin = Theatre() != 0;
            break;
        case kMissionPatrol:
        case kMissionAttackPort:
            controls_.homePortBox = controls_.objectiveBox = true;
            controls_.suppliesSpin = Theatre() != 0;
            break;
        default:
            controls_.homePortBox = controls_.objectiveBox = true;
            if (AtHomePort()) {
                controls_.suppliesSpin = Theatre() != 0;
                embark = true;
            }
            break;
    }
    DisableMergeAndSplit();
    return embark;
}

void TFleetOrderSheet::EmbarkClosed() {
    if (!FleetOrdersAvailable(fleet_)) return;
    if (openingPending_) FinishOpening();
    const TFleetRec& f = F();
    if (f.Cargo == 0 || !Arr1<TCorpsRec, kCorpsCount>::InRange(f.Cargo)) return;
    const TCorpsRec& c = G().Corps[f.Cargo];
    if (CorpsInUse(c) && c.HexX == f.HexX && c.HexY == f.HexY) CurrentFrontend().Repaint();
}

void TFleetOrderSheet::HomePortBoxClicked() {
    if (!FleetOrdersAvailable(fleet_)) return;
    const TFleetRec& f = F();
    homePorts_.clear();
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = G().Cities[c];
        if (city.Owner == f.Side && (f.WaterType == 2 ? city.RiverLink : city.Port) != 0)
            homePorts_.push_back({CityRowText(c), c});
    }
    homePortRow_ = RowOf(homePorts_, f.HomePort);
}

void TFleetOrderSheet::ObjectiveBoxClicked() {
    if (!FleetOrdersAvailable(fleet_)) return;
    const TFleetRec& f = F();
    objectives_.clear();
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = G().Cities[c];
        bool listed = false;
        if (f.WaterType == 2) {
            listed = city.RiverLink != 0;
        } else if (city.Port != 0) {
            switch (mission_) {
                case kMissionMove: listed = city.Nation == f.Owner; break;
                case kMissionCottonRun: listed = city.Nation == kNationFrance || city.Nation == kNationBritain; break;
                case kMissionPatrol: listed = city.Owner != 0; break;
                case kMissionAttackPort: listed = city.Owner != 0 && city.Owner != f.Side; break;
                case kMissionAmphibious: listed = city.Owner != 0 && c != kFrenchPort && c != kBritishPort; break;
                default: break;
            }
        }
        if (listed) objectives_.push_back({CityRowText(c), c});
    }
    objectiveRow_ = RowOf(objectives_, f.TargetCity);
}

TTransferMode TFleetOrderSheet::MergeBoxChecked() {
    merging_ = true;
    transfer_ = {};
    controls_.missions.fill(false);
    controls_.splitBox = controls_.suppliesSpin = controls_.cottonSpin = false;
    controls_.mergeBox = false;
    return TTransferMode::Merge;
}

TTransferMode TFleetOrderSheet::SplitBoxChecked() {
    splitting_ = true;
    transfer_ = {};
    controls_.missions.fill(false);
    controls_.mergeBox = controls_.suppliesSpin = controls_.cottonSpin = false;
    controls_.splitBox = false;
    return TTransferMode::Split;
}

void TFleetOrderSheet::SuppliesUp() {
    if (!controls_.suppliesSpin || Theatre() == 0) return;
    U16& stock = G().Nations[SidePlayed].TheatreSupplies[Theatre()];
    TFleetRec& f = F();
    if (stock < kSupplyStep || f.Supplies > kStockCap - kSupplyStep) return;
    f.Supplies = static_cast<std::uint16_t>(f.Supplies + TakeStock(stock, kSupplyStep, StockRule::Dialog));
    DisableMergeAndSplit();
}

void TFleetOrderSheet::SuppliesDown() {
    if (!controls_.suppliesSpin || Theatre() == 0) return;
    U16& stock = G().Nations[SidePlayed].TheatreSupplies[Theatre()];
    TFleetRec& f = F();
    if (f.Supplies < kSupplyStep || stock > kStockCap - kSupplyStep) return;
    f.Supplies = static_cast<std::uint16_t>(f.Supplies - ChangeStock(stock, kSupplyStep, StockRule::Dialog));
    DisableMergeAndSplit();
}

void TFleetOrderSheet::CottonUp() {
    if (!controls_.cottonSpin || Theatre() == 0) return;
    U16& stock = G().Nations[SidePlayed].TheatreCotton[Theatre()];
    TFleetRec& f = F();
    if (f.Cotton >= CottonCapacity(f)) return;
    const int wanted = std::min(kCottonStep, kStockCap - static_cast<int>(f.Cotton));
    f.Cotton = static_cast<std::uint16_t>(f.Cotton + TakeStock(stock, wanted, StockRule::Dialog));
    DisableMergeAndSplit();
}

void TFleetOrderSheet::CottonDown() {
    if (!controls_.cottonSpin || Theatre() == 0) return;
    U16& stock = G().Nations[SidePlayed].TheatreCotton[Theatre()];
    TFleetRec& f = F();
    // Below a full step the whole remainder goes back; a full stock takes only what it can hold.
    const int amount = std::min<int>(kCottonStep, f.Cotton);
    f.Cotton = static_cast<std::uint16_t>(f.Cotton - ChangeStock(stock, amount, StockRule::Dialog));
    DisableMergeAndSplit();
}

bool TFleetOrderSheet::Close(const TFleetOrderChoices& choices) {
    if (!FleetOrdersAvailable(fleet_)) return false;
    if (merging_ && transfer_.partner != 0) {
        MergeFleetInto(fleet_, transfer_);
        CurrentFrontend().Repaint();
        return true;
    }
    if (splitting_) {
        SplitFleet(fleet_, splitTarget_, transfer_);
        CurrentFrontend().Repaint();
        return true;
    }
    TFleetRec& f = F();
    if (choices.homePortBox && RowOf(homePorts_, choices.homePort) >= 0) f.HomePort = static_cast<U8>(choices.homePort);
    bool newObjective = false;
    if (choices.objectiveBox && RowOf(objectives_, choices.objective) >= 0) {
        f.TargetCity = static_cast<U8>(choices.objective);
        newObjective = true;
    }
    // Without an objective from the list, a mission that needs one leaves the old mission in force.
    if (mission_ == kMissionNothing || mission_ == kMissionRefit || (mission_ > kMissionRefit && newObjective))
        f.Mission = static_cast<U8>(mission_);
    return false;
}

}  // namespace kvt
