// The naval overview's lines and picks.
#include "engine/orders/naval_overview.h"

#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/record_access.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kMissionTexts = 306;  // 306..312: Nothing .. Amphibious

}  // namespace

std::string NavalOverviewLine(int fleet) {
    const TFleetRec& f = G().Fleets[fleet];
    const bool port = f.HomePort != 0 && Arr1<TCityRec, kCityCount>::InRange(f.HomePort);
    const std::string kind = f.WaterType == 0 ? Text(175) : f.WaterType == 1 ? Text(176) : f.WaterType == 2 ? Text(168) : "";
    const int ships = f.Ironclads + f.Wooden + f.Transports + f.DamagedIronclads + f.DamagedWooden + f.DamagedTransports;
    std::string state;
    if (f.BuildCounter != 0) state = Text(591) + ":" + std::to_string(f.BuildCounter);
    else if (f.Mission <= 6) state = Text(kMissionTexts + f.Mission);
    return Text(1) + std::to_string(f.FleetNumber) + ", " + (port ? G().Cities[f.HomePort].Name.str() : "") + ", " + kind +
           ", " + std::to_string(ships) + ", " + state;
}

std::vector<TOrderRow> NavalOverviewRows() {
    std::vector<TOrderRow> rows;
    for (int f = 1; f <= kFleetCount; ++f)
        if (G().Fleets[f].Owner == SidePlayed && FleetInUse(G().Fleets[f])) rows.push_back({NavalOverviewLine(f), f});
    return rows;
}

bool PickOverviewFleet(int fleet) {
    if (!Arr1<TFleetRec, kFleetCount>::InRange(fleet) || fleet == 0 || !FleetInUse(G().Fleets[fleet])) return false;
    const TFleetRec& f = G().Fleets[fleet];
    SelectedFleet = static_cast<std::uint16_t>(fleet);
    ViewColumn = f.HexX;
    ViewRow = f.HexY;
    CurrentFrontend().Repaint();
    return f.BuildCounter == 0;
}

}  // namespace kvt
