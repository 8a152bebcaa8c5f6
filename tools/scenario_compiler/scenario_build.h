// Turning the sources of one start point into the two raw images the game loads: the game-state
// record and the map grid as the sources give them; the derived fields are settled afterwards by the
// load's own rules (scenario_settle.h).
#pragma once

#include <array>
#include <map>
#include <memory>

#include "engine/world/game_record.h"
#include "engine/world/map_grid.h"
#include "tools/scenario_compiler/scenario_sources.h"

namespace kvt::scenario {

// Which source line each record of the images came from, so that checks can name it.
struct Provenance {
    std::map<std::string, SourcePlace> headerFields;  // lines of scenario.txt by field
    SourcePlace weather;
    // The line of a field of scenario.txt (the file's first line when it is not there).
    SourcePlace Header(const std::string& field) const {
        auto it = headerFields.find(field);
        return it != headerFields.end() ? it->second : SourcePlace{headerFields.begin()->second.file, 1};
    }
    std::array<SourcePlace, kStateCount + 1> state, stateCommon;
    std::array<SourcePlace, kCityCount + 1> city, cityCommon;
    std::array<SourcePlace, kLeaderCount + 1> leader;
    // Each leader's status as his source line gives it, before the commands of the start point
    // make their commanders active.
    std::array<int, kLeaderCount + 1> leaderStatus{};
    // Where a fault of the start point's armies, corps or fleets as a whole is told.
    SourcePlace armiesTable, corpsTable, fleetsTable;
    std::array<SourcePlace, kNationCount + 1> nation;
    std::array<SourcePlace, kArmyCount + 1> army;
    std::array<SourcePlace, kCorpsCount + 1> corps;
    std::array<SourcePlace, kFleetCount + 1> fleet;
    std::array<SourcePlace, kBrigadeCount + 1> brigade;
    std::array<SourcePlace, 2 * kArmyNamesPerSide + 1> armyName;  // side 1 entries 1..9, side 2 entries 10..18
    std::array<SourcePlace, kWeaponKinds + 1> weapon;
    // Lines of the map layers by map row 1..54.
    std::array<SourcePlace, kMapRows + 1> terrainRow, stateRow, riverRow, railRow;
};

struct BuiltScenario {
    std::unique_ptr<TGameRec> rec = std::make_unique<TGameRec>();
    std::unique_ptr<TMapGrid> map = std::make_unique<TMapGrid>();
    Provenance where;
};

// Builds one start point. Faults that only the whole picture shows (a corps key given twice, more
// records than the game holds) are thrown as SourceError naming the line.
BuiltScenario BuildScenario(const CommonSources& common, const ScenarioSources& scenario);

// The status of a leader who comes to hand `months` months after the start: the countdown that
// brings him at about that time, one step on a quarter of the turns, three turns a month.
int ArrivalStatus(int months);

}  // namespace kvt::scenario
