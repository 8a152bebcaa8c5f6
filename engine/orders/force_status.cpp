// The force status figures and the capital move.
#include "engine/orders/force_status.h"

#include <algorithm>
#include <array>

#include "engine/orders/weapon_orders.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kMinCapitalValue = 5;
constexpr int kCapitalValueMoved = 5;

std::string CapitalName(int nation) {
    const int city = GameRec->Nations[nation].Capital;
    return GameRec->Cities.InRange(city) ? GameRec->Cities[city].Name.str() : std::string();
}

}  // namespace

int MonthlyWeaponProduction(int nation, int kind) {
    // Nation 0 would gather the neutral cities and the unheld states.
    if (!GameRec->Nations.InRange(nation)) return 0;
    int total = 0;
    for (const TCityRec& c : GameRec->Cities)
        if (c.Nation == nation) total += c.Production[kind];
    for (const TStateRec& s : GameRec->States)
        if (s.Controller == nation && s.CapitalCity == 0) total += s.WeaponCapacity[kind];
    return total;
}

TForceStatusView OpenForceStatus() {
    TForceStatusView v;
    const int nation = SidePlayed;
    const TNationRec& n = GameRec->Nations[nation];
    auto set = [&v](int label, std::string text) { v.labels.emplace_back(label, std::move(text)); };
    auto number = [&set](int label, long long value) { set(label, std::to_string(value)); };

    for (int t = 1; t <= kTheatreCount; ++t) set(t, Text(319 + t));
    for (int i = 0; i < 3; ++i) set(4 + i, Text(323 + i));
    const char* const arms[] = {" muskets", " Springfields", " Sharps", " Spencers", " shotguns"};
    for (int k = 0; k < 5; ++k) set(7 + k, Text(326) + arms[k]);
    const char* const guns[] = {" smoothbores", " Parrotts", " Whitworths"};
    for (int k = 0; k < 3; ++k) set(12 + k, Text(678) + guns[k]);
    set(69, "Union " + Text(396) + " : " + CapitalName(kNationUnion));
    set(70, "Confederate " + Text(396) + " : " + CapitalName(kNationConfederacy));

    for (int t = 1; t <= kTheatreCount; ++t) number(14 + t, n.TheatreStrength[t] * 50);
    const std::array<std::pair<int, int>, 6> ships = {{{18, kShipsOceanIronclads}, {30, kShipsRiverIronclads},
        {19, kShipsOceanWooden}, {31, kShipsRiverWooden}, {20, kShipsOceanTransports}, {67, kShipsRiverTransports}}};
    for (const auto& [label, kind] : ships) number(label, n.ShipTotals[kind]);

    std::array<long long, kWeaponKinds + 1> armed{};
    for (const TBrigadeRec& b : GameRec->Brigades)
        if (b.Nation == nation && BrigadeInUse(b) && b.Weapon >= 1 && b.Weapon <= kWeaponKinds) armed[b.Weapon] += b.Strength;
    for (int k = 1; k <= kWeaponKinds; ++k) {
        number(20 + k, WeaponsShown(k, armed[static_cast<std::size_t>(k)]));
        number(40 + k, WeaponsShown(k, n.WeaponPool[k]));
        number(50 + k, WeaponsShown(k, MonthlyWeaponProduction(nation, k)));
    }

    int ironcladYards = 0, woodenYards = 0, ironcladsBuilding = 0, othersBuilding = 0;
    for (const TCityRec& c : GameRec->Cities)
        if (c.Nation == nation) {
            ironcladYards += c.IroncladYards;
            woodenYards += c.WoodenYards;
        }
    for (const TFleetRec& f : GameRec->Fleets)
        if (f.BuildCounter >= 1 && f.BuildCounter <= 24 && f.Owner == nation) {
            ironcladsBuilding += f.Ironclads;
            othersBuilding += f.Wooden + f.Transports;
        }
    number(63, ironcladYards);
    number(64, woodenYards);
    number(65, ironcladsBuilding);
    number(66, othersBuilding);

    for (int city = 1; city <= kCityCount; ++city) {
        const TCityRec& c = GameRec->Cities[city];
        if (c.Nation != nation || c.OriginalOwner != nation || c.Value < kMinCapitalValue) continue;
        if (city == n.Capital) v.capitalRow = static_cast<int>(v.capitals.size());
        v.capitals.push_back({c.Name.str(), city});
    }
    return v;
}

bool ChooseCapital(const TForceStatusView& view, int row) {
    // A press below the last row chooses nothing and asks nothing.
    if (row < 0 || row >= static_cast<int>(view.capitals.size())) return false;
    if (!CurrentFrontend().ConfirmBox(Text(679))) return false;
    const int nation = SidePlayed;
    const int city = view.capitals[static_cast<std::size_t>(row)].index;
    if (!GameRec->Nations.InRange(nation) || !GameRec->Cities.InRange(city)) return false;
    TNationRec& n = GameRec->Nations[nation];
    const int old = n.Capital;
    if (city == old) return false;
    // Without a capital (or with a broken index) there is no old seat to pay for or take value from.
    if (GameRec->Cities.InRange(old)) {
        TCityRec& o = GameRec->Cities[old];
        LowerNationalWill(nation, o.Value);
        o.Value = static_cast<U8>(std::max(0, o.Value - kCapitalValueMoved));
    }
    TCityRec& c = GameRec->Cities[city];
    c.Value = static_cast<U8>(std::min(255, c.Value + kCapitalValueMoved));
    n.Capital = static_cast<U8>(city);
    CurrentFrontend().InformationBox(Text(172) + c.Name.str());
    return true;
}

}  // namespace kvt
