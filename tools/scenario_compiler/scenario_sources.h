// The readable sources of the three start points, read into plain structures: what every start point
// shares (states, cities, leaders, weapons, weather, army names, the map layers) and what each one holds
// (date, nations, who holds each state and city, armies, corps, brigades, fleets).
#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/scenario_compiler/source_table.h"

namespace kvt::scenario {

struct StateSource {
    int index = 0;
    std::string name, shortName;
    char mapChar = '.';
    int theatre = 0, votes = 0, baseOutput = 0, cottonOutput = 0, extraOutput = 0, outputSeed = 0, flag = 0;
    std::vector<int> weaponCapacity;
    SourcePlace place;
};

struct CitySource {
    int index = 0;
    std::string name;
    int x = 0, y = 0, state = 0, value = 0, port = 0, river = 0, ironYards = 0, woodYards = 0;
    int output = 0, extraOutput = 0, homeNation = 0;
    std::vector<int> production;
    SourcePlace place;
};

// A leader's part in one start point: absent, or present with a rank, experience and the month he
// comes to hand (0: at hand from the start).
struct LeaderPart {
    bool present = false;
    int rank = 0, experience = 0;
    int arrivalYear = 0, arrivalMonth = 0;
};

struct LeaderSource {
    std::string name;
    int nation = 0, initiative = 0, rating = 0, tactics = 0, drill = 0, political = 0;
    std::array<LeaderPart, 3> parts;  // 1861, 1862, 1863
    SourcePlace place;
};

struct WeaponSource {
    int kind = 0;
    std::string name;
    int fire1 = 0, fire2 = 0;
    std::vector<int> prices;
    SourcePlace place;
};

struct ArmyNameSource {
    int side = 0;
    std::string name;
    int region = 0, key1 = 0, key2 = 0;
    SourcePlace place;
};

struct MapSources {
    MapLayer terrain, states, rivers, rail, sideNorth, sideNorthEast, sideSouthEast;
};

struct CommonSources {
    std::vector<StateSource> states;      // indexes 1..37 in order
    std::vector<CitySource> cities;       // indexes 1..86 in order
    std::vector<LeaderSource> leaders;
    std::vector<WeaponSource> weapons;    // kinds 1..8
    std::vector<std::vector<int>> weather;  // 9 rows of 12
    SourcePlace weatherPlace;
    std::vector<ArmyNameSource> armyNames;
    MapSources map;
};

struct StateSides {
    int state = 0, owner = 0, control = 0, nation = 0, capital = 0, loyalty = 0;
    SourcePlace place;
};

struct CitySides {
    int city = 0, owner = 0, nation = 0, fortifications = 0, coastalGuns = 0;
    SourcePlace place;
};

struct NationSource {
    int nation = 0;
    std::string name;
    int side = 0, capital = 0, policy = 0, railCapacity = 0, navalManpower = 0, will = 0, attitude = 0;
    int appealCounter = 0, bounty = 0, recovery = 0, planChoice = 0;
    std::vector<int> recruitPercent, supplies, cotton, weaponPool;
    SourcePlace place;
};

struct ArmySource {
    int nation = 0, number = 0, base = 0, supplyBase = 0, objective = 0, stance = 0, march = 0;
    std::string name, leader;
    SourcePlace place;
};

struct CorpsSource {
    int nation = 0, ordinal = 0, kind = 0, x = 0, y = 0, army = 0, supplyCity = 0, condition = 0, march = 0;
    int supplyType = 0, supplyPriority = 0;
    std::string leader;
    SourcePlace place;
};

// A line of the brigade table: count brigades alike, in a corps or a city's garrison.
struct BrigadeSource {
    int corpsNation = 0, corpsOrdinal = 0;  // the corps, or 0 for a garrison
    int garrisonCity = 0;
    int count = 0, type = 0, homeState = 0, strength = 0, weapon = 0, quality = 0;
    SourcePlace place;
};

struct FleetSource {
    int nation = 0, number = 0, homePort = 0, water = 0, ironclads = 0, wooden = 0, transports = 0, supplies = 0;
    SourcePlace place;
};

struct ScenarioSources {
    int year = 0;  // 1861, 1862 or 1863
    std::string folder;
    int day = 0, month = 0, endMonth = 0, endYear = 0;
    std::vector<int> weather, theatreFlag, casualties, prisoners;
    std::map<std::string, SourcePlace> headerPlaces;  // line of each field of scenario.txt
    std::vector<StateSides> states;  // 1..37
    std::vector<CitySides> cities;   // 1..86
    std::vector<NationSource> nations;  // 1..4
    std::vector<ArmySource> armies;
    std::vector<CorpsSource> corps;
    std::vector<BrigadeSource> brigades;
    std::vector<FleetSource> fleets;
    // Where faults of a whole table are told (its header line).
    SourcePlace armiesTable, corpsTable, fleetsTable;
};

// Characters of the map layers.
inline constexpr const char* kTerrainChars = "~.sX@Mfh";  // classes 0,1,2,3,4,5,6,7 by position
inline constexpr const char* kRiverChars = ".rnN";         // bit 7 river, bit 6 navigation
inline constexpr const char* kRailChars = ".123";          // from which start point the line exists
inline constexpr const char* kHexsideChars = "0123";

// Letters of sides and nations in the tables.
int SideFromLetter(const TableRow& row, const std::string& field);    // U, C, -
int NationFromLetter(const TableRow& row, const std::string& field);  // U, C, F, B, -

// Reads data/scenarios/common and data/map under dataDir. Paths in errors are relative to dataDir.
CommonSources ReadCommonSources(const std::filesystem::path& dataDir);
// Reads data/scenarios/<year>; needs the common sources for names and keys.
ScenarioSources ReadScenarioSources(const std::filesystem::path& dataDir, int year, const CommonSources& common);

}  // namespace kvt::scenario
