// Building the record and map images of one start point from its sources.
#include "tools/scenario_compiler/scenario_build.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>


namespace kvt::scenario {

namespace {

[[noreturn]] void Fail(const SourcePlace& place, const std::string& field, const std::string& reason) {
    throw SourceError(place, field, reason);
}

int TerrainOf(char c) { return static_cast<int>(std::string(kTerrainChars).find(c)); }

}  // namespace

int ArrivalStatus(int months) {
    const int turns = 3 * months;
    return std::clamp((turns + 2) / 4 + 1, 1, 99);
}

BuiltScenario BuildScenario(const CommonSources& common, const ScenarioSources& s) {
    BuiltScenario out;
    TGameRec& g = *out.rec;
    TMapGrid& m = *out.map;
    Provenance& where = out.where;
    std::memset(static_cast<void*>(&g), 0, sizeof g);
    std::memset(static_cast<void*>(&m), 0, sizeof m);
    const int era = s.year - 1860;  // 1, 2 or 3

    // Header.
    g.Day = static_cast<U8>(s.day);
    g.Month = static_cast<std::uint16_t>(s.month);
    g.Year = static_cast<std::uint16_t>(s.year);
    g.StartMonth = static_cast<std::int16_t>(s.month);
    g.StartYear = static_cast<std::int16_t>(s.year);
    g.EndMonth = static_cast<std::uint16_t>(s.endMonth);
    g.EndYear = static_cast<std::uint16_t>(s.endYear);
    for (int n = 1; n <= kNationCount; ++n) {
        g.Casualties[n] = static_cast<std::uint32_t>(s.casualties[n - 1]);
        g.Prisoners[n] = static_cast<std::uint32_t>(s.prisoners[n - 1]);
    }
    for (int t = 1; t <= kTheatreCount; ++t) {
        g.TheatreWeather[t] = static_cast<std::uint16_t>(s.weather[t - 1]);
        g.TheatreFlag[t] = static_cast<std::uint16_t>(s.theatreFlag[t - 1]);
    }
    g.SideToMove = 1;
    g.MoveSpeed = 5;
    for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 12; ++col) g.WeatherTable[row][col] = static_cast<U8>(common.weather[row][col]);
    where.headerFields = s.headerPlaces;
    where.armiesTable = s.armiesTable;
    where.corpsTable = s.corpsTable;
    where.fleetsTable = s.fleetsTable;
    where.weather = common.weatherPlace;

    // Weapons.
    for (const WeaponSource& w : common.weapons) {
        TWeaponRec& r = g.WeaponTable[w.kind];
        r.FireFactor1 = static_cast<U8>(w.fire1);
        r.FireFactor2 = static_cast<U8>(w.fire2);
        for (int n = 1; n <= kNationCount; ++n) r.Price[n] = static_cast<U8>(w.prices[n - 1]);
        where.weapon[w.kind] = w.place;
    }

    // States.
    for (const StateSource& c : common.states) {
        const StateSides& v = s.states[c.index - 1];
        TStateRec& r = g.States[c.index];
        r.Name = c.name;
        r.ShortName = c.shortName;
        r.Owner = static_cast<U8>(v.owner);
        r.PoliticalValue = static_cast<U8>(c.votes);
        r.CapitalCity = static_cast<U8>(v.capital);
        r.Loyalty = static_cast<U8>(v.loyalty);
        r.ControlSide = static_cast<U8>(v.control);
        r.Flag = static_cast<U8>(c.flag);
        r.Theatre = static_cast<U8>(c.theatre);
        r.Controller = static_cast<U8>(v.nation);
        r.BaseOutput = static_cast<std::uint16_t>(c.baseOutput);
        r.CottonOutput = static_cast<std::uint16_t>(c.cottonOutput);
        r.ExtraOutput = static_cast<std::uint16_t>(c.extraOutput);
        r.OutputSeed = static_cast<std::uint16_t>(c.outputSeed);
        if (v.capital == 0) r.CityOutput = static_cast<std::uint16_t>(c.outputSeed);
        for (int k = 1; k <= kWeaponKinds; ++k) r.WeaponCapacity[k] = static_cast<std::uint16_t>(c.weaponCapacity[k - 1]);
        where.state[c.index] = v.place;
        where.stateCommon[c.index] = c.place;
    }

    // Cities.
    for (const CitySource& c : common.cities) {
        const CitySides& v = s.cities[c.index - 1];
        TCityRec& r = g.Cities[c.index];
        r.Name = c.name;
        r.HexX = static_cast<U8>(c.x);
        r.HexY = static_cast<U8>(c.y);
        r.Owner = static_cast<U8>(v.owner);
        r.OriginalOwner = static_cast<U8>(c.homeNation);
        r.Value = static_cast<U8>(c.value);
        r.State = static_cast<U8>(c.state);
        r.Theatre = g.States[c.state].Theatre;
        r.Fortifications = static_cast<U8>(v.fortifications);
        r.CoastalGuns = static_cast<U8>(v.coastalGuns);
        r.Port = static_cast<U8>(c.port);
        r.RiverLink = static_cast<U8>(c.river);
        r.IroncladYards = static_cast<U8>(c.ironYards);
        r.WoodenYards = static_cast<U8>(c.woodYards);
        r.Nation = static_cast<U8>(v.nation);
        for (int k = 1; k <= kWeaponKinds; ++k) r.Production[k] = static_cast<std::uint16_t>(c.production[k - 1]);
        r.Output = static_cast<std::uint16_t>(c.output);
        r.ExtraOutput = static_cast<std::uint16_t>(c.extraOutput);
        where.city[c.index] = v.place;
        where.cityCommon[c.index] = c.place;
    }
    for (int st = 1; st <= kStateCount; ++st) {
        TStateRec& r = g.States[st];
        if (r.CapitalCity == 0) continue;
        int sum = 0;
        for (const TCityRec& c : g.Cities)
            if (c.State == st && c.Nation == r.Controller) sum += c.Output;
        r.CityOutput = static_cast<std::uint16_t>(std::min(sum, 65535));
    }

    // Map.
    const MapSources& ms = common.map;
    std::map<char, int> stateOfChar;
    for (const StateSource& c : common.states) stateOfChar[c.mapChar] = c.index;
    std::set<std::pair<int, int>> cityHexes;
    for (const CitySource& c : common.cities) {
        if (!cityHexes.insert({c.x, c.y}).second) Fail(c.place, "X", "another city stands on this hex");
    }
    for (int y = 1; y <= kMapRows; ++y) {
        where.terrainRow[y] = ms.terrain.PlaceOf(y);
        where.stateRow[y] = ms.states.PlaceOf(y);
        where.riverRow[y] = ms.rivers.PlaceOf(y);
        where.railRow[y] = ms.rail.PlaceOf(y);
        for (int x = 1; x <= kMapColumns; ++x) {
            MapCell& cell = m.Cell(x, y);
            const int terrain = TerrainOf(ms.terrain.At(x, y));
            const bool isCity = cityHexes.count({x, y}) != 0;
            if (isCity != (terrain == kTerrainCity))
                Fail(ms.terrain.PlaceOf(y), "column " + std::to_string(x),
                     isCity ? "a city stands here, so the hex must be '@'" : "'@' marks a hex without a city");
            cell.SetHexside(1, ms.sideNorth.At(x, y) - '0');
            cell.SetHexside(2, ms.sideNorthEast.At(x, y) - '0');
            cell.SetHexside(3, ms.sideSouthEast.At(x, y) - '0');
            const int river = static_cast<int>(std::string(kRiverChars).find(ms.rivers.At(x, y)));
            cell.SetRiver((river & 1) != 0);
            cell.SetRiverNavigable((river & 2) != 0);
            cell.SetTerrain(terrain);
            const char rail = ms.rail.At(x, y);
            if (rail != '.' && (terrain == kTerrainWater || terrain == kTerrainImpassable))
                Fail(ms.rail.PlaceOf(y), "column " + std::to_string(x), "a railway cannot run over water or impassable land");
            cell.SetRail(rail != '.' && rail - '0' <= era);
            const char sc = ms.states.At(x, y);
            const int st = sc == '.' ? 0 : stateOfChar.at(sc);
            if (st != 0 && terrain == kTerrainWater)
                Fail(ms.states.PlaceOf(y), "column " + std::to_string(x), "open water belongs to no state");
            cell.SetState(st);
            cell.SetControlSide(st == 0 ? 0 : g.States[st].ControlSide);
        }
    }
    // In a state whose cities are held by both sides the front runs between them: each hex goes to
    // the side holding the nearest of its state's cities, so that each side's rail and roads behind
    // its own lines stay its own. Elsewhere the state's controlling side holds every hex.
    for (int st = 1; st <= kStateCount; ++st) {
        bool held[3] = {false, false, false};
        for (const TCityRec& c : g.Cities)
            if (c.State == st && c.Owner <= 2) held[c.Owner] = true;
        if (!held[kUnion] || !held[kConfederacy]) continue;
        for (int x = 1; x <= kMapColumns; ++x)
            for (int y = 1; y <= kMapRows; ++y) {
                MapCell& cell = m.Cell(x, y);
                if (cell.State() != st) continue;
                int best = 1000, side = g.States[st].ControlSide;
                for (const TCityRec& c : g.Cities) {
                    if (c.State != st || c.Owner == 0) continue;
                    const int d = HexDistance(x, y, c.HexX, c.HexY);
                    if (d < best) best = d, side = c.Owner;
                    else if (d == best && c.Owner != side) side = g.States[st].ControlSide;
                }
                cell.SetControlSide(side);
            }
    }
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& c = g.Cities[i];
        MapCell& cell = m.Cell(c.HexX, c.HexY);
        if (cell.State() != c.State)
            Fail(where.cityCommon[i], "State", "the map puts hex " + std::to_string(c.HexX) + "," + std::to_string(c.HexY) +
                                                   " in state " + std::to_string(cell.State()));
        cell.SetControlSide(c.Owner);
        // A city is on the rail net exactly when a railway reaches its hex in this start point.
        g.Cities[i].RailLink = cell.Rail() ? 1 : 0;
    }

    // Leaders: every leader taking part gets the next slot, in table order.
    std::map<std::string, int> leaderIndex;
    int nextLeader = 0;
    for (const LeaderSource& l : common.leaders) {
        const LeaderPart& part = l.parts[era - 1];
        if (!part.present) continue;
        if (++nextLeader > kLeaderCount) Fail(l.place, std::to_string(s.year), "more than 210 leaders take part");
        TLeaderRec& r = g.Leaders[nextLeader];
        r.Name = l.name;
        // A month at or before the start point's own date leaves him at hand from the start.
        const int months = part.arrivalYear ? (part.arrivalYear * 12 + part.arrivalMonth) - (s.year * 12 + s.month) : 0;
        r.Status = months > 0 ? static_cast<U8>(ArrivalStatus(months)) : kLeaderAvailable;
        where.leaderStatus[nextLeader] = r.Status;
        r.Initiative = static_cast<U8>(l.initiative);
        r.Rating = static_cast<U8>(l.rating);
        r.Rank = static_cast<U8>(part.rank);
        r.Tactics = static_cast<U8>(l.tactics);
        r.Drill = static_cast<U8>(l.drill);
        r.Nation = static_cast<U8>(l.nation);
        r.Experience = static_cast<U8>(part.experience);
        r.Political = static_cast<I8>(l.political);
        leaderIndex[l.name] = nextLeader;
        where.leader[nextLeader] = l.place;
    }

    // Nations.
    for (const NationSource& n : s.nations) {
        TNationRec& r = g.Nations[n.nation];
        r.Name = n.name;
        r.Side = static_cast<U8>(n.side);
        r.Recovery = static_cast<U8>(n.recovery);
        r.PlanChoice = static_cast<U8>(n.planChoice);
        r.Capital = static_cast<U8>(n.capital);
        r.Policy = static_cast<U8>(n.policy);
        r.RailCapacity = static_cast<U8>(n.railCapacity);
        r.NavalManpower = static_cast<std::uint16_t>(n.navalManpower);
        r.Will = static_cast<std::int16_t>(n.will);
        for (int k = 1; k <= 4; ++k) r.RecruitPercent[k] = static_cast<U8>(n.recruitPercent[k - 1]);
        for (int t = 1; t <= kTheatreCount; ++t) {
            r.TheatreSupplies[t] = static_cast<std::uint16_t>(n.supplies[t - 1]);
            r.TheatreCotton[t] = static_cast<std::uint16_t>(n.cotton[t - 1]);
        }
        r.Attitude = static_cast<std::int16_t>(n.attitude);
        r.AppealCounter = static_cast<I8>(n.appealCounter);
        r.Bounty = static_cast<std::uint16_t>(n.bounty);
        for (int k = 1; k <= kWeaponKinds; ++k) r.WeaponPool[k] = static_cast<std::uint16_t>(n.weaponPool[k - 1]);
        where.nation[n.nation] = n.place;
    }
    auto sideOf = [&](int nation) { return static_cast<int>(g.Nations[nation].Side); };

    // Armies.
    std::map<std::pair<int, int>, int> armyIndex;
    int nextArmy = 0;
    for (const ArmySource& a : s.armies) {
        if (++nextArmy > kArmyCount) Fail(a.place, "Number", "more than 15 armies");
        if (!armyIndex.emplace(std::make_pair(a.nation, a.number), nextArmy).second)
            Fail(a.place, "Number", "two armies of this nation carry number " + std::to_string(a.number));
        TArmyRec& r = g.Armies[nextArmy];
        r.Name = a.name;
        r.BaseCity = static_cast<U8>(a.base);
        r.Side = static_cast<U8>(sideOf(a.nation));
        r.ArmyNumber = static_cast<U8>(a.number);
        r.Leader = static_cast<U8>(leaderIndex.at(a.leader));
        r.SupplyBase = static_cast<U8>(a.supplyBase);
        r.Stance = static_cast<U8>(a.stance);
        r.March = static_cast<U8>(a.march);
        r.SupplyPriority = 1;
        r.SupplyType = 0;
        r.Theatre = g.Cities[a.base].Theatre;
        r.Objective = static_cast<U8>(a.objective);
        r.Nation = static_cast<U8>(a.nation);
        g.Leaders[r.Leader].Status = kLeaderActive;
        where.army[nextArmy] = a.place;
    }

    // Corps.
    std::map<std::pair<int, int>, int> corpsIndex;
    int nextCorps = 0;
    for (const CorpsSource& k : s.corps) {
        if (++nextCorps > kCorpsCount) Fail(k.place, "Corps", "more than 120 corps");
        if (!corpsIndex.emplace(std::make_pair(k.nation, k.ordinal), nextCorps).second)
            Fail(k.place, "Corps", "this corps is listed twice");
        TCorpsRec& r = g.Corps[nextCorps];
        r.HexX = r.DestX = static_cast<U8>(k.x);
        r.HexY = r.DestY = static_cast<U8>(k.y);
        r.StartX = static_cast<std::uint16_t>(k.x);
        r.StartY = static_cast<std::uint16_t>(k.y);
        r.OrderMode = 1;
        r.Side = static_cast<U8>(sideOf(k.nation));
        r.Ordinal = static_cast<U8>(k.ordinal);
        const int st = m.Cell(k.x, k.y).State();
        r.HomeState = static_cast<U8>(st);
        r.Region = st ? g.States[st].Theatre : g.Cities[k.supplyCity].Theatre;
        r.March = static_cast<U8>(k.march);
        if (k.army) {
            auto it = armyIndex.find({k.nation, k.army});
            if (it == armyIndex.end()) Fail(k.place, "Army", "this nation has no army " + std::to_string(k.army));
            r.Army = static_cast<U8>(it->second);
        }
        r.SupplyType = static_cast<U8>(k.supplyType);
        r.SupplyPriority = static_cast<U8>(k.supplyPriority);
        r.SupplyCity = static_cast<U8>(k.supplyCity);
        r.Leader = static_cast<U8>(leaderIndex.at(k.leader));
        r.Condition = static_cast<U8>(k.condition);
        r.Kind = static_cast<U8>(k.kind);
        r.Nation = static_cast<U8>(k.nation);
        r.RouteIndex = 1;
        g.Leaders[r.Leader].Status = kLeaderActive;
        where.corps[nextCorps] = k.place;
    }
    for (int i = nextCorps + 1; i <= kCorpsCount; ++i) g.Corps[i].Unused = 1;

    // Brigades: ordinals count up within each home state in the order the lines give them.
    std::map<int, int> nextOrdinal;
    int nextBrigade = 0;
    for (const BrigadeSource& b : s.brigades) {
        int attach = b.garrisonCity;
        int nation;
        if (b.garrisonCity == 0) {
            auto it = corpsIndex.find({b.corpsNation, b.corpsOrdinal});
            if (it == corpsIndex.end()) Fail(b.place, "Unit", "no such corps in corps.txt");
            attach = it->second;
            nation = b.corpsNation;
        } else {
            nation = g.Cities[b.garrisonCity].Nation;
            if (nation == 0) Fail(b.place, "Unit", "city " + std::to_string(b.garrisonCity) + " is held by no nation");
        }
        for (int n = 0; n < b.count; ++n) {
            if (++nextBrigade > kBrigadeCount) Fail(b.place, "Count", "more than 500 brigades");
            TBrigadeRec& r = g.Brigades[nextBrigade];
            r.Nation = static_cast<U8>(nation);
            r.AttachIndex = static_cast<U8>(attach);
            r.BrigadeType = static_cast<U8>(b.type);
            r.Strength = static_cast<U8>(b.strength);
            r.Weapon = static_cast<U8>(b.weapon);
            r.Quality = static_cast<U8>(b.quality);
            r.HomeState = static_cast<U8>(b.homeState);
            const int ordinal = ++nextOrdinal[b.homeState];
            if (ordinal > 255) Fail(b.place, "State", "more than 255 brigades of this state");
            r.Ordinal = static_cast<U8>(ordinal);
            r.AttachKind = b.garrisonCity ? kAttachGarrison : kAttachCorps;
            where.brigade[nextBrigade] = b.place;
        }
    }

    // Fleets lie at their home ports; every free record is marked gone.
    std::set<std::pair<int, int>> fleetNumbers;
    int nextFleet = 0;
    for (const FleetSource& f : s.fleets) {
        if (++nextFleet > kFleetCount) Fail(f.place, "Number", "more than 100 fleets");
        if (!fleetNumbers.insert({f.nation, f.number}).second)
            Fail(f.place, "Number", "two fleets of this nation carry number " + std::to_string(f.number));
        TFleetRec& r = g.Fleets[nextFleet];
        const TCityRec& port = g.Cities[f.homePort];
        r.HexX = port.HexX;
        r.HexY = port.HexY;
        r.StartX = port.HexX;
        r.StartY = port.HexY;
        r.FleetNumber = static_cast<U8>(f.number);
        r.Side = static_cast<U8>(sideOf(f.nation));
        r.HomePort = static_cast<U8>(f.homePort);
        r.WaterType = static_cast<U8>(f.water);
        r.Ironclads = static_cast<U8>(f.ironclads);
        r.Wooden = static_cast<U8>(f.wooden);
        r.Transports = static_cast<U8>(f.transports);
        r.Owner = static_cast<U8>(f.nation);
        r.Supplies = static_cast<std::uint16_t>(f.supplies);
        where.fleet[nextFleet] = f.place;
    }
    for (int i = nextFleet + 1; i <= kFleetCount; ++i) g.Fleets[i].BuildCounter = kFleetGone;

    // Army names: the pool of each side in table order; a name a starting army carries is in use.
    std::array<int, 3> poolCount{};
    for (const ArmyNameSource& n : common.armyNames) {
        const int k = ++poolCount[n.side];
        TArmyNameRec& r = g.ArmyNamePool[n.side][k];
        r.Name = n.name;
        r.RegionKey = static_cast<U8>(n.region);
        r.MatchKey1 = static_cast<U8>(n.key1);
        r.MatchKey2 = static_cast<U8>(n.key2);
        for (int a = 1; a <= nextArmy; ++a)
            if (g.Armies[a].Side == n.side && g.Armies[a].Name.str() == n.name) r.Used = 2;
        where.armyName[(n.side - 1) * kArmyNamesPerSide + k] = n.place;
    }

    return out;
}

}  // namespace kvt::scenario
