// The scenario compiler: a fault in a readable source stops the build with the file, the line and
// the field it lies in, and nothing is written; sound sources give the three start points. What the
// load's own rules would change at the load (a city or state handed over, a command ended, a supply
// mark left to the draws) is such a fault too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/world/game_record.h"
#include "engine/world/map_grid.h"
#include "tests/support/engine_fixture.h"
#include "tools/scenario_compiler/scenario_compiler.h"
#include "tools/scenario_compiler/scenario_settle.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;

class ScenarioCompiler : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        FreshSources();
    }
    // A private copy of the game's sources, which a case may spoil.
    void FreshSources() {
        root = testing::TempFolder("compiler");
        data = fs::path(root) / "data";
        out = fs::path(root) / "game";
        fs::create_directories(data);
        for (const char* sub : {"scenarios", "map"})
            fs::copy(fs::path(KVT_SOURCE_DIR) / "data" / sub, data / sub, fs::copy_options::recursive);
    }
    std::string Read(const std::string& rel) {
        std::ifstream in(data / rel);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Replaces the first line holding `find` (which must occur) by the line with `find` replaced;
    // runs of blanks match any run of blanks, so the alignment of the tables does not matter.
    // Returns that line's number.
    int Edit(const std::string& rel, const std::string& find, const std::string& replace) {
        std::istringstream in(Read(rel));
        std::ostringstream result;
        std::string line;
        int number = 0, found = 0;
        while (std::getline(in, line)) {
            ++number;
            const std::string squeezed = Squeeze(line);
            if (!found && squeezed.find(Squeeze(find)) != std::string::npos) {
                found = number;
                line = squeezed;
                line.replace(line.find(Squeeze(find)), Squeeze(find).size(), Squeeze(replace));
            }
            result << line << "\n";
        }
        EXPECT_NE(found, 0) << "\"" << find << "\" is not in " << rel;
        std::ofstream(data / rel, std::ios::trunc) << result.str();
        return found;
    }
    // Adds a line at the end; returns its number.
    int Append(const std::string& rel, const std::string& line) {
        std::string text = Read(rel);
        if (!text.empty() && text.back() != '\n') text += '\n';
        text += line + "\n";
        std::ofstream(data / rel, std::ios::trunc) << text;
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }
    static std::string Squeeze(const std::string& s) {
        std::string out;
        for (char c : s)
            if (c != ' ' || out.empty() || out.back() != ' ') out += c;
        return out;
    }
    // Changes map row `row` of a layer (comment lines are no rows); returns the file line that holds it.
    int EditMapRow(const std::string& rel, int row, const std::function<void(std::string&)>& change) {
        std::istringstream in(Read(rel));
        std::ostringstream result;
        std::string line;
        int number = 0, found = 0;
        while (std::getline(in, line)) {
            ++number;
            if (!found && !line.empty() && line[0] != '#' && --row == 0) {
                found = number;
                change(line);
            }
            result << line << "\n";
        }
        std::ofstream(data / rel, std::ios::trunc) << result.str();
        return found;
    }
    // Lines of a table: the header (first line that is not a comment) and the last row.
    int HeaderLine(const std::string& rel) { return TableLines(rel).front(); }
    int LastRowLine(const std::string& rel) { return TableLines(rel).back(); }
    std::vector<int> TableLines(const std::string& rel) {
        std::istringstream in(Read(rel));
        std::string line;
        std::vector<int> lines;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            if (line.find_first_not_of(' ') != std::string::npos && line[0] != '#') lines.push_back(number);
        }
        return lines;
    }
    bool Compile(std::string& errors) {
        std::ostringstream err;
        const bool ok = scenario::CompileScenarios(data, out, err);
        errors = err.str();
        return ok;
    }
    std::string root;
    fs::path data, out;
};

TEST_F(ScenarioCompiler, SoundSourcesGiveThreeStartPointsOfExactSize) {
    std::string errors;
    ASSERT_TRUE(Compile(errors)) << errors;
    EXPECT_EQ(errors, "");
    for (const char* year : {"1861", "1862", "1863"}) {
        EXPECT_EQ(fs::file_size(out / (std::string(year) + ".kvt")), kGameRecSize) << year;
        EXPECT_EQ(fs::file_size(out / (std::string(year) + ".KVM")), kMapGridSize) << year;
    }
}

TEST_F(ScenarioCompiler, AFaultNamesItsFileLineAndFieldAndWritesNothing) {
    // Where the fault is told: the edited line, or for a fault of a table as a whole its header
    // line or its last row.
    enum class At { Edited, Header, LastRow };
    struct Case {
        const char* file;
        const char* find;     // empty: append `replace` as a new last line
        const char* replace;
        At at;
        const char* field;    // expected after "<file>:<line>: "
        const char* because;  // part of the reason
    };
    const Case cases[] = {
        {"scenarios/1862/corps.txt", "G.H. Thomas", "G.H. Tomas", At::Edited, "Leader", "no leader \"G.H. Tomas\""},
        {"scenarios/1863/brigades.txt", "", "U1 | 1 | art | Me. | 90 | Parrotts | 6", At::Edited, "Strength",
         "90 is out of range 1..16"},
        {"scenarios/1861/brigades.txt", "", "U1 | 1 | inf | N.Y. | 50 | Parrotts | 2", At::Edited, "Weapon", "does not suit"},
        {"scenarios/common/cities.txt", "Richmond       | 62 | 23 | 22", "Richmond       | 62 | 23 | 21", At::Edited, "State",
         "the map puts hex 62,23 in state 22"},
        {"scenarios/1861/states.txt", "Kentucky        | -     | -       | -", "Kentucky        | U     | U       | U",
         At::Edited, "Nation", "Kentucky starts neutral"},
        {"scenarios/common/weapons.txt", "Shotguns     | 1     | 2", "Shotguns     | 2     | 2", At::Edited, "Fire1",
         "shotguns' factors to 1 and 2"},
        {"scenarios/1863/corps.txt", "| J.F. Reynolds", "| J.E.B. Stuart", At::Edited, "Leader", "serves another nation"},
        {"scenarios/common/leaders.txt", "U.S. Grant", "U.S. Grant Ulysses Simpson", At::Edited, "Name", "longer than 21"},
        {"scenarios/1862/fleets.txt", "| 41   | river", "| 41   | ocean", At::Edited, "Port", "Cairo is no ocean port"},
        {"scenarios/1861/scenario.txt", "Month      | 6", "Month      | 9", At::Edited, "Value", "before August"},
        // The builder makes every commander active; what counts is the month his line gives.
        {"scenarios/common/leaders.txt", "D. Tyler | U | 20 | 3 | 20 | 30 | 5 | 1:1 ", "D. Tyler | U | 20 | 3 | 20 | 30 | 5 | 1:1@1861-08 ",
         At::Edited, "1861", "a commander is at hand from the start"},
        {"scenarios/common/leaders.txt", "| 2:0@1862-07 | 2:0@1862-07", "| 2:0@1862/07 | 2:0@1862-07", At::Edited, "1861",
         "written like 1862-05"},
        // Five brigades fit Dix's capacity at the load but not the limit the brigade rule sets him.
        {"scenarios/1862/corps.txt", "| J. Pope", "| J.A. Dix", At::Edited, "Leader", "exceed the brigade rule's limit of 4"},
        {"scenarios/1863/corps.txt", "| J.G. Blunt         | 16 | 26", "| J.G. Blunt         | 13 | 29", At::Edited, "X",
         "lies in no state"},
        // What the load's own rules would change.
        {"scenarios/1862/cities.txt", "45 | Paducah | U | U", "45 | Paducah | C | C", At::Edited, "Held",
         "Paducah: the load hands it to side 1"},
        {"scenarios/1861/states.txt", "6 | Illinois | U | U | U", "6 | Illinois | U | U | C", At::Edited, "Nation",
         "the load hands the state to nation 1"},
        {"scenarios/1861/corps.txt", "", "U30 | infantry | W.T. Sherman | 62 | 20 | - | 11 | 12 | standard | depot | standard",
         At::Edited, "Corps", "the load's recount ends this corps"},
        // Faults of a whole table or start point.
        {"scenarios/1861/states.txt", "37    | France", "# France is left out", At::LastRow, "State",
         "lists 36 states, not 37"},
        {"scenarios/1862/scenario.txt", "Month       | 2", "# no month", At::LastRow, "Month", "no line gives this field"},
        {"scenarios/1862/armies.txt", "| G.B. McClellan    | 11", "| G.B. McClellan    | 12", At::Header, "Base",
         "an army based at Washington"},
        {"scenarios/1863/fleets.txt", "B      | 1      | 86   | ocean  | 2         | 14        | 6 ",
         "B      | 1      | 86   | ocean  | 2         | 14        | 0 ", At::Header, "Transports",
         "Britain needs a fleet with transports"},
    };
    for (const Case& c : cases) {
        FreshSources();
        const int edited = *c.find ? Edit(c.file, c.find, c.replace) : Append(c.file, c.replace);
        const int line = c.at == At::Edited ? edited : c.at == At::Header ? HeaderLine(c.file) : LastRowLine(c.file);
        std::string errors;
        EXPECT_FALSE(Compile(errors)) << c.file;
        const std::string where = "data/" + std::string(c.file) + ":" + std::to_string(line) + ": " + c.field + ": ";
        EXPECT_NE(errors.find(where), std::string::npos) << "expected \"" << where << "\" in:\n" << errors;
        EXPECT_NE(errors.find(c.because), std::string::npos) << "expected \"" << c.because << "\" in:\n" << errors;
        EXPECT_FALSE(fs::exists(out / "1861.kvt")) << c.file << ": a faulty build wrote start points";
    }
}

// The walks of the road search reach a city walled in on all sides but the far one only under some
// seeds, so the load would mark its supply by chance. No sound map needs such a road: built in memory.
TEST_F(ScenarioCompiler, ASupplyMarkThatFollowsTheDrawsIsAFaultUnlessListed) {
    auto world = [] {
        scenario::BuiltScenario b;
        TGameRec& g = *b.rec;
        std::memset(static_cast<void*>(&g), 0, sizeof g);
        std::memset(static_cast<void*>(b.map.get()), 0, sizeof(TMapGrid));
        for (TCorpsRec& k : g.Corps) k.Unused = 1;
        for (TFleetRec& f : g.Fleets) f.BuildCounter = kFleetGone;
        for (int n : {1, 2}) {
            g.Nations[n].Side = static_cast<U8>(n);
            TStateRec& st = g.States[n];
            st.Owner = st.ControlSide = st.Controller = static_cast<U8>(n);
            st.Theatre = 1;
        }
        g.States[1].CapitalCity = 1;
        for (int x = 1; x <= kMapColumns; ++x)
            for (int y = 1; y <= kMapRows; ++y) {
                MapCell& c = b.map->Cell(x, y);
                c.SetTerrain(1);
                c.SetState(1);
                c.SetControlSide(kUnion);
            }
        const std::pair<int, int> hexes[] = {{20, 20}, {26, 20}};
        for (int i : {1, 2}) {
            TCityRec& c = g.Cities[i];
            c.Name = i == 1 ? "Capital" : "Walled";
            c.HexX = static_cast<U8>(hexes[i - 1].first);
            c.HexY = static_cast<U8>(hexes[i - 1].second);
            c.Owner = c.Nation = kNationUnion;
            c.State = c.Theatre = 1;
            b.map->Cell(c.HexX, c.HexY).SetTerrain(kTerrainCity);
            b.where.city[i] = {"cities.txt", 10 + i};
        }
        for (int d = 1; d <= 6; ++d) {
            int x = 26, y = 20;
            StepHexAt(x, y, d);
            if (d != 2) b.map->Cell(x, y).SetState(2), b.map->Cell(x, y).SetControlSide(kConfederacy);
        }
        b.where.headerFields["Year"] = {"scenario.txt", 3};
        return b;
    };
    scenario::BuiltScenario drawn = world();
    const std::vector<std::string> faults = scenario::SettleDerivedState(drawn, 1861);
    ASSERT_FALSE(faults.empty());
    for (const std::string& f : faults)
        EXPECT_NE(f.find(": Held: "), std::string::npos) << f;
    EXPECT_NE(faults[0].find("its supply mark follows the road search's draws"), std::string::npos) << faults[0];
    scenario::BuiltScenario listed = world();
    EXPECT_EQ(scenario::SettleDerivedState(listed, 1861, {{1861, 1, "walled in"}, {1861, 2, "walled in"}}),
              std::vector<std::string>{});
}

TEST_F(ScenarioCompiler, MapFaultsNameTheLayerLineRowAndColumn) {
    struct Case {
        const char* file;
        char bad;               // 0: shorten the first row instead
        const char* expect;     // after "data/<file>:<line>: "
    };
    const Case cases[] = {
        {"map/terrain.txt", 0, "row 1: holds 75 columns, not 76"},
        {"map/states.txt", 0, "row 1: holds 75 columns, not 76"},
        {"map/rivers.txt", 'Q', "column 1: 'Q' is not one of"},
        {"map/hexside_north.txt", '4', "column 1: '4' is not one of"},
    };
    for (const Case& c : cases) {
        FreshSources();
        const int firstRow = EditMapRow(c.file, 1, [&](std::string& line) {
            if (c.bad) line[0] = c.bad;
            else line.pop_back();
        });
        std::string errors;
        EXPECT_FALSE(Compile(errors)) << c.file;
        const std::string expect = "data/" + std::string(c.file) + ":" + std::to_string(firstRow) + ": " + c.expect;
        EXPECT_NE(errors.find(expect), std::string::npos) << "expected \"" << expect << "\" in:\n" << errors;
    }
}

TEST_F(ScenarioCompiler, ACityAndItsMarkedHexMustAgree) {
    // Moved one hex south, Vicksburg leaves its '@' (map row 41) without a city.
    Edit("scenarios/common/cities.txt", "Vicksburg      | 25 | 41", "Vicksburg      | 25 | 42");
    std::string errors;
    EXPECT_FALSE(Compile(errors));
    const std::string where = "data/map/terrain.txt:" + std::to_string(EditMapRow("map/terrain.txt", 41, [](std::string&) {})) + ": ";
    EXPECT_NE(errors.find(where + "column 25: '@' marks a hex without a city"), std::string::npos) << errors;
    EXPECT_EQ(errors.find(where, errors.find(where) + 1), std::string::npos)
        << "a fault of the shared map is told once, not once for each start point:\n" << errors;
}

TEST_F(ScenarioCompiler, ClearingAMarkedRailwayIsRefused) {
    // Loading a saved game puts the railway back on hex 32,27; a start point without it would change.
    const int railLine = EditMapRow("map/rail.txt", 27, [](std::string& line) {
        EXPECT_NE(line[31], '.') << "hex 32,27 carries no railway in the sources";
        line[31] = '.';
    });
    std::string errors;
    EXPECT_FALSE(Compile(errors));
    const std::string where = "data/map/rail.txt:" + std::to_string(railLine) + ": column 32: loading a game changes";
    EXPECT_NE(errors.find(where), std::string::npos) << errors;
}

}  // namespace
}  // namespace kvt
