// Checks of a built start point against the rules that read fixed states, cities and slots, the
// structure the load-time recount expects, and the marks that loading a saved game applies.
#include "tools/scenario_compiler/scenario_checks.h"

#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <set>

#include "engine/forces/brigade_rules.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "tools/scenario_compiler/scenario_settle.h"

namespace kvt::scenario {

namespace {

// Whether hex (x2, y2) lies within maxSteps of (x1, y1) over hexes that pass: a plain reachability
// test of the map's lines for fleets and trains, whoever holds them.
template <typename Pass>
bool Joined(int x1, int y1, int x2, int y2, int maxSteps, Pass pass) {
    std::vector<int> dist(kMapColumns * kMapRows, -1);
    auto at = [](int x, int y) { return (x - 1) * kMapRows + (y - 1); };
    std::deque<std::pair<int, int>> queue{{x1, y1}};
    dist[at(x1, y1)] = 0;
    while (!queue.empty()) {
        auto [x, y] = queue.front();
        queue.pop_front();
        if (x == x2 && y == y2) return true;
        if (dist[at(x, y)] >= maxSteps) continue;
        for (int dir = 1; dir <= 6; ++dir) {
            int nx = x, ny = y;
            StepHexAt(nx, ny, dir);
            if (!OnMap(nx, ny) || dist[at(nx, ny)] >= 0 || !pass(nx, ny)) continue;
            dist[at(nx, ny)] = dist[at(x, y)] + 1;
            queue.push_back({nx, ny});
        }
    }
    return false;
}

class Checker {
public:
    Checker(const BuiltScenario& b, int year) : g(*b.rec), m(*b.map), w(b.where), year_(year) {}

    std::vector<std::string> Run() {
        Images();
        Header();
        Weapons();
        Nations();
        States();
        Cities();
        Leaders();
        Armies();
        Corps();
        Brigades();
        Fleets();
        Marks();
        Expectations();
        return errors_;
    }

private:
    void Report(const SourcePlace& p, const std::string& field, const std::string& reason) {
        errors_.push_back(FormatSourceError(p, field, reason));
    }
    static std::string Hex(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    // Whether one of the six hexes beside (x, y) lies on the map and passes the test.
    template <typename Test>
    bool AnyNeighbour(int x, int y, Test test) const {
        for (int d = 1; d <= 6; ++d) {
            int nx = x, ny = y;
            StepHexAt(nx, ny, d);
            if (OnMap(nx, ny) && test(m.Cell(nx, ny))) return true;
        }
        return false;
    }

    // The start point as one of the engine's own rules leaves it, worked on copies.
    struct Copies {
        std::unique_ptr<TGameRec> rec = std::make_unique<TGameRec>();
        std::unique_ptr<TMapGrid> map = std::make_unique<TMapGrid>();
    };
    template <typename Rule>
    Copies AfterEngineRule(Rule rule) const {
        Copies out;
        std::memcpy(static_cast<void*>(out.rec.get()), &g, sizeof g);
        std::memcpy(static_cast<void*>(out.map.get()), &m, sizeof m);
        EngineRulesOn engine(*out.rec, *out.map);
        rule();
        return out;
    }

    // The loader names the record it refuses; the year line is where the start point as a whole begins.
    void Images() {
        const std::string why = ValidateGameImages(g, m);
        if (!why.empty()) Report(w.Header("Year"), "Value", "the game's loader refuses this start point: " + why);
    }

    void Header() {
        for (int t = 1; t <= kTheatreCount; ++t)
            if (g.TheatreFlag[t] != 1)
                Report(w.Header("TheatreFlag"), "Value", "the computer players plan a theatre only when its flag is 1");
        if (year_ == 1861 && g.Month >= 8)
            Report(w.Header("Month"), "Value", "the 1861 start must lie before August, or Kentucky and Missouri cannot join");
        const int end = g.EndYear * 12 + g.EndMonth;
        if (end <= 1865 * 12 + 1)
            Report(w.Header("EndMonth"), "Value", "the campaign must end after January 1865, or losing the election cannot shorten it");
        if (end >= 1865 * 12 + 6)
            Report(w.Header("EndMonth"), "Value", "the campaign must end before June 1865, or \"Continue\" cannot extend it");
    }

    void Weapons() {
        const Copies monthly = AfterEngineRule(InitBrigadeTypeTable);
        for (int k = 2; k <= kWeaponKinds; ++k)
            for (int n = 1; n <= kNationCount; ++n) {
                const int reset = monthly.rec->WeaponTable[k].Price[n];
                if (g.WeaponTable[k].Price[n] != reset)
                    Report(w.weapon[k], "Prices", "the monthly price of this kind for nation " + std::to_string(n) +
                                                      " is " + std::to_string(reset));
            }
        if (g.WeaponTable[5].FireFactor1 != 1 || g.WeaponTable[5].FireFactor2 != 2)
            Report(w.weapon[5], "Fire1", "loading a game sets the shotguns' factors to 1 and 2; they must already be so");
        for (int k = 1; k <= kWeaponKinds; ++k)
            if (g.WeaponTable[k].FireFactor1 == 0 || g.WeaponTable[k].FireFactor2 == 0)
                Report(w.weapon[k], "Fire1", "a weapon without fire factors never hits");
    }

    void Nations() {
        static const int side[5] = {0, 1, 2, 0, 0};
        static const int capital[5] = {0, 11, 17, 85, 86};
        for (int n = 1; n <= kNationCount; ++n) {
            const TNationRec& r = g.Nations[n];
            if (r.Side != side[n]) Report(w.nation[n], "Side", "nation " + std::to_string(n) + " starts on side " + std::to_string(side[n]));
            if (r.Capital != capital[n])
                Report(w.nation[n], "Capital", "nation " + std::to_string(n) + "'s capital is city " + std::to_string(capital[n]));
            else if (g.Cities[r.Capital].Nation != n)
                Report(w.city[r.Capital], "Nation", "a nation's capital must be held by that nation");
            int sum = 0;
            for (int k = 1; k <= 4; ++k) sum += r.RecruitPercent[k];
            if (sum > 100) Report(w.nation[n], "Recruits", "the shares add up to more than 100 percent");
            if (year_ == 1861 && r.AppealCounter != 0) Report(w.nation[n], "Appeal", "no appeal has been made in 1861");
            if (n >= 3 && (r.Attitude < 1 || r.Attitude > 99))
                Report(w.nation[n], "Attitude", "France's and Britain's attitude moves only while it lies in 1..99");
            if (n == 2 && r.Policy != 0) Report(w.nation[n], "Policy", "the Confederacy starts in bondage (0)");
            if (n == 1 && r.Policy == 0) Report(w.nation[n], "Policy", "a Union policy of 0 never offers emancipation");
        }
    }

    void States() {
        for (int s = 1; s <= kStateCount; ++s) {
            const TStateRec& r = g.States[s];
            const SourcePlace& p = w.state[s];
            if (r.CapitalCity) {
                const TCityRec& c = g.Cities[r.CapitalCity];
                if (c.State != s) Report(p, "Capital", "city " + std::to_string(r.CapitalCity) + " lies in another state");
                if (c.Nation != r.Controller)
                    Report(p, "Nation", "the state's nation must be its capital's, or the first conquest pass hands it over");
            }
            if (r.Controller == kNationUnion || r.Controller == kNationConfederacy) {
                if (r.ControlSide != r.Controller) Report(p, "Control", "a state held by a nation is controlled by its side");
            } else if (r.Controller >= kNationFrance && (r.ControlSide != 0 || r.Owner != 0)) {
                Report(p, "Control", "a neutral power's state has no controlling or owning side");
            }
            if (r.CapitalCity == 0 && r.Controller == kNationUnion && r.OutputSeed == 0)
                Report(w.stateCommon[s], "OutputSeed", "a Union state without a capital earns nothing without an output seed");
        }
        auto expect = [&](int s, int owner, int control, int nation, const char* why) {
            const TStateRec& r = g.States[s];
            if (r.Owner != owner || r.ControlSide != control || r.Controller != nation) Report(w.state[s], "Nation", why);
        };
        if (year_ == 1861) {
            expect(20, 0, 0, 0, "Kentucky starts neutral (owner, control and nation 0) so that joining and entering work");
            if (g.States[19].Controller != 0) Report(w.state[19], "Nation", "Missouri starts without a nation, or it cannot join");
            for (int c = 1; c <= kCityCount; ++c) {
                const TCityRec& r = g.Cities[c];
                if (r.State == 20 && (r.Owner != 0 || r.Nation != 0))
                    Report(w.city[c], "Held", "Kentucky's cities start neutral in 1861");
            }
        } else {
            for (int s : {19, 20})
                if (g.States[s].Controller != kNationUnion) Report(w.state[s], "Nation", "by 1862 Missouri and Kentucky are held by the Union");
        }
        expect(36, 0, 0, kNationBritain, "Britain's state is neutral and British");
        expect(37, 0, 0, kNationFrance, "France's state is neutral and French");
        if (g.States[36].CapitalCity != 86) Report(w.state[36], "Capital", "Britain's state has city 86 as capital");
        if (g.States[37].CapitalCity != 85) Report(w.state[37], "Capital", "France's state has city 85 as capital");
        if (g.States[20].Flag == 0)
            Report(w.stateCommon[20], "Flag", "with Kentucky's flag 0 every Kentucky brigade is freed when a fort falls");
        bool district = false;
        for (const MapCell& cell : m.cells) district = district || cell.State() == 34;
        if (!district) Report(w.stateCommon[34], "Map", "the map holds no hex of this state");
    }

    void Cities() {
        std::vector<int> ports;
        auto rail = [&](int x, int y) { return m.Cell(x, y).Rail() || m.Cell(x, y).Terrain() == kTerrainCity; };
        auto sea = [&](int x, int y) { return m.Cell(x, y).Terrain() == kTerrainWater || m.Cell(x, y).Terrain() == kTerrainCity; };
        for (int i = 1; i <= kCityCount; ++i) {
            const TCityRec& c = g.Cities[i];
            const SourcePlace& p = w.cityCommon[i];
            const SourcePlace& held = w.city[i];
            // City faults name the city, so that a reader need not count table lines.
            auto Report = [&](const SourcePlace& where, const std::string& field, const std::string& reason) {
                this->Report(where, field, c.Name.str() + ": " + reason);
            };
            const bool neutralPower = i == 85 || i == 86;
            if (c.Owner == 0 && c.Nation != 0 && !neutralPower) Report(held, "Nation", "a neutral city belongs to no nation");
            if (c.Owner != 0 && c.Nation != c.Owner) Report(held, "Nation", "the nation holding a city fights on its side");
            if (c.State == 19 || c.State == 20) {
                if (c.OriginalOwner != 0) Report(p, "Home", "cities of Missouri and Kentucky have no home nation");
            } else if (!neutralPower && c.OriginalOwner != kNationUnion && c.OriginalOwner != kNationConfederacy) {
                Report(p, "Home", "a city's home nation is the Union or the Confederacy");
            }
            if (c.Port) {
                const bool water = AnyNeighbour(c.HexX, c.HexY, [](const MapCell& n) { return n.Terrain() == kTerrainWater; });
                if (!water) Report(p, "Port", "a port needs open water beside its hex " + Hex(c.HexX, c.HexY));
                ports.push_back(i);
            }
            if (c.RiverLink) {
                const bool chain = AnyNeighbour(c.HexX, c.HexY, [](const MapCell& n) { return n.RiverNavigable(); });
                if (!m.Cell(c.HexX, c.HexY).RiverNavigable() || !chain)
                    Report(p, "River", "a river port needs navigable river on its hex and beside it");
            }
            if ((c.IroncladYards || c.WoodenYards) && !c.Port && !c.RiverLink)
                Report(p, "Yards", "only ports and river ports build ships");
            if (c.RailLink) {
                bool linked = false;
                for (int o = 1; o <= kCityCount && !linked; ++o)
                    linked = o != i && g.Cities[o].RailLink && Joined(c.HexX, c.HexY, g.Cities[o].HexX, g.Cities[o].HexY, 60, rail);
                if (!linked) Report(p, "Rail", "no railway joins this city to another rail city");
            }
        }
        for (std::size_t k = 1; k < ports.size(); ++k) {
            const TCityRec& a = g.Cities[ports[0]];
            const TCityRec& b = g.Cities[ports[k]];
            if (!Joined(a.HexX, a.HexY, b.HexX, b.HexY, 400, sea))
                Report(w.cityCommon[ports[k]], "Port", "ocean fleets cannot sail from here to " + a.Name.str());
        }
        auto pinned = [&](int city, int state, const char* name) {
            if (g.Cities[city].State != state)
                Report(w.cityCommon[city], "State", std::string(name) + " lies in state " + std::to_string(state));
        };
        pinned(17, 22, "the default Confederate capital");
        pinned(24, 27, "the Raleigh capital option");
        pinned(58, 29, "the Atlanta capital option");
        pinned(62, 30, "the Montgomery capital option");
        pinned(83, 21, "city 83 is put in state 21 at every load; it");
        pinned(85, 37, "France's port");
        pinned(86, 36, "Britain's port");
        for (int i : {17, 24, 58, 62})
            if (g.Cities[i].Owner != kConfederacy) Report(w.city[i], "Held", "the Confederate capital options are Confederate");
        for (int i : {85, 86})
            if (g.Cities[i].Owner != 0 || g.Cities[i].OriginalOwner != i - 82)
                Report(w.city[i], "Held", "the neutral powers' ports are neutral and their own");
        if (g.Cities[3].Owner != kUnion || g.Cities[3].OriginalOwner != kNationUnion || g.Cities[3].Value < 5)
            Report(w.cityCommon[3], "Value", "the Union's fallback capital is Union-held, Union-born and worth 5 or more");
        if (g.Cities[55].Owner != kUnion) Report(w.city[55], "Held", "St. Louis stays Union even when Missouri joins");
        for (int i : {38, 60})
            if (g.Cities[i].RiverLink) Report(w.cityCommon[i], "River", "loading a game clears this city's river link");
        for (int i : {85, 86})
            if (!g.Cities[i].Port || g.Cities[i].IroncladYards + g.Cities[i].WoodenYards == 0)
                Report(w.cityCommon[i], "Yards", "the neutral powers build their fleets in this port");
    }

    std::map<int, std::vector<std::string>> commands_;  // leader -> what he commands

    void Leaders() {
        for (int a = 1; a <= kArmyCount; ++a)
            if (ArmyInUse(g.Armies[a])) commands_[g.Armies[a].Leader].push_back("army " + std::to_string(a));
        for (int k = 1; k <= kCorpsCount; ++k)
            if (CorpsInUse(g.Corps[k])) commands_[g.Corps[k].Leader].push_back("corps " + std::to_string(k));
        for (auto& [l, list] : commands_) {
            if (list.size() > 1)
                Report(w.leader[l], "Name", g.Leaders[l].Name.str() + " commands " + list[0] + " and " + list[1] +
                                                "; the command clean-up would disband one");
        }
        // The builder makes every commander active, so what counts is the status his line gives him.
        for (int l = 1; l <= kLeaderCount; ++l) {
            if (g.Leaders[l].Nation == 0 || commands_.count(l) == 0) continue;
            if (w.leaderStatus[l] != kLeaderAvailable)
                Report(w.leader[l], std::to_string(year_), "a commander is at hand from the start (no month to come to hand)");
        }
    }

    void Armies() {
        for (int a = 1; a <= kArmyCount; ++a) {
            const TArmyRec& r = g.Armies[a];
            if (!ArmyInUse(r)) continue;
            const SourcePlace& p = w.army[a];
            const TLeaderRec& l = g.Leaders[r.Leader];
            if (l.Rank != 5) Report(p, "Leader", l.Name.str() + " is not an army commander (rank 5)");
            if (r.CorpsCount < 2 && r.Condition < 6)
                Report(p, "Number", "an army with fewer than 2 corps and low condition is abandoned by the computer");
            if (g.Cities[r.BaseCity].Owner != r.Side) Report(p, "Base", "the headquarters city must be held by the army's side");
            if (g.Cities[r.SupplyBase].Owner != r.Side) Report(p, "SupplyBase", "the supply base must be held by the army's side");
            bool named = false;
            if (r.Side == 1 || r.Side == 2)
                for (const TArmyNameRec& n : g.ArmyNamePool[r.Side]) named = named || n.Name.str() == r.Name.str();
            if (!named) Report(p, "Name", "\"" + r.Name.str() + "\" is not in the side's army-name pool");
        }
    }

    void Corps() {
        for (int k = 1; k <= kCorpsCount; ++k) {
            const TCorpsRec& r = g.Corps[k];
            if (!CorpsInUse(r)) continue;
            const SourcePlace& p = w.corps[k];
            const TLeaderRec& l = g.Leaders[r.Leader];
            const int terrain = m.Cell(r.HexX, r.HexY).Terrain();
            if (terrain == kTerrainWater || terrain == kTerrainImpassable)
                Report(p, "X", "hex " + Hex(r.HexX, r.HexY) + " is water or impassable");
            else if (m.Cell(r.HexX, r.HexY).State() == 0)
                Report(p, "X", "hex " + Hex(r.HexX, r.HexY) + " lies in no state, so the corps has no home state or theatre");
            if (r.Nation == kNationUnion && r.Ordinal > 33) Report(p, "Corps", "Union corps labels go up to 33");
            if (r.Nation == kNationConfederacy && r.Ordinal > 40) Report(p, "Corps", "Confederate corps labels go up to 40");
            static const char* kinds[3] = {"corps", "infantry division", "cavalry division"};
            const bool rankFits = r.Kind == 0 ? l.Rank >= 3 : r.Kind == 1 ? l.Rank <= 2 : l.Rank == 2 || l.Rank == 3;
            if (!rankFits) Report(p, "Leader", l.Name.str() + " (rank " + std::to_string(l.Rank) + ") cannot lead a " + kinds[r.Kind]);
            if (r.Army && g.Armies[r.Army].Nation != r.Nation) Report(p, "Army", "the army belongs to another nation");
            int inf = 0, cav = 0, art = 0;
            for (const TBrigadeRec& b : g.Brigades) {
                if (b.AttachKind != kAttachCorps || b.AttachIndex != k) continue;
                inf += b.BrigadeType == kBrigadeInfantry;
                cav += b.BrigadeType == kBrigadeCavalry;
                art += b.BrigadeType == kBrigadeArtillery;
            }
            // The load's recount gives the capacity, the brigade rule recounts the limit on every
            // turn after it: a corps must start within both.
            const int capacity = r.BrigadeLimit;
            const int ruleLimit = CorpsBrigadeLimit(r.Kind, r.Nation, l.Initiative);
            const int line = inf + cav;
            if (line == 0) Report(p, "Corps", "a corps needs at least one infantry or cavalry brigade");
            if (line > capacity)
                Report(p, "Leader", std::to_string(line) + " line brigades exceed the capacity of " + std::to_string(capacity) +
                                        " under " + l.Name.str());
            else if (line > ruleLimit)
                Report(p, "Leader", std::to_string(line) + " line brigades exceed the brigade rule's limit of " +
                                        std::to_string(ruleLimit) + " under " + l.Name.str());
            if (r.Kind == 0 && (cav || art > 2)) Report(p, "Kind", "a corps holds infantry and at most 2 artillery brigades");
            if (r.Kind == 1 && (cav || art > 1)) Report(p, "Kind", "an infantry division holds infantry and at most 1 artillery brigade");
            if (r.Kind == 2 && (inf || art > 1)) Report(p, "Kind", "a cavalry division holds cavalry and at most 1 artillery brigade");
            const TCityRec& supply = g.Cities[r.SupplyCity];
            if (supply.Owner != r.Side || supply.SupplySource < 1 || supply.SupplySource > 3)
                Report(p, "Supply", supply.Name.str() + " is not a supply source of the corps' side");
            for (int c = 1; c <= kCityCount; ++c) {
                const TCityRec& city = g.Cities[c];
                if (city.HexX == r.HexX && city.HexY == r.HexY && city.Owner != r.Side)
                    Report(p, "X", "the corps stands on " + city.Name.str() + ", which its side does not hold");
            }
        }
    }

    void Brigades() {
        for (int i = 1; i <= kBrigadeCount; ++i) {
            const TBrigadeRec& b = g.Brigades[i];
            if (!BrigadeInUse(b)) continue;
            const bool fits = b.BrigadeType == kBrigadeInfantry   ? b.Weapon >= 1 && b.Weapon <= 4
                              : b.BrigadeType == kBrigadeCavalry  ? b.Weapon >= 3 && b.Weapon <= 5
                                                                  : b.Weapon >= 6 && b.Weapon <= 8;
            if (!fits) Report(w.brigade[i], "Weapon", "the weapon does not suit the brigade's type");
        }
    }

    void Fleets() {
        bool unionTransports = false, britishTransports = false;
        for (int i = 1; i <= kFleetCount; ++i) {
            const TFleetRec& f = g.Fleets[i];
            if (!FleetInUse(f)) continue;
            const SourcePlace& p = w.fleet[i];
            const TCityRec& port = g.Cities[f.HomePort];
            if (port.Owner != f.Side) Report(p, "Port", port.Name.str() + " is not held by the fleet's side");
            if (f.WaterType == 2 ? !port.RiverLink : !port.Port)
                Report(p, "Port", port.Name.str() + (f.WaterType == 2 ? " is no river port" : " is no ocean port"));
            if (f.WaterType == 0 && (f.Owner != kNationConfederacy || port.OriginalOwner != kNationConfederacy))
                Report(p, "Water", "cotton transports are Confederate and based in a Confederate port");
            unionTransports = unionTransports || (f.Owner == kNationUnion && f.WaterType != 2 && f.Transports > 0);
            britishTransports = britishTransports || (f.Owner == kNationBritain && f.Transports > 0);
        }
        if (!unionTransports) Report(w.fleetsTable, "Transports", "the Union needs an ocean fleet with transports to supply its ports");
        if (!britishTransports) Report(w.fleetsTable, "Transports", "Britain needs a fleet with transports to supply its port");
    }

    // Loading a saved game applies these marks; a start point must already hold them, or a game saved
    // and loaded again would differ from the start point.
    void Marks() {
        const Copies loaded = AfterEngineRule(ApplyLoadDataMarks);
        const TGameRec* rec = loaded.rec.get();
        const TMapGrid* map = loaded.map.get();
        for (int x = 1; x <= kMapColumns; ++x)
            for (int y = 1; y <= kMapRows; ++y) {
                const MapCell& a = m.Cell(x, y);
                const MapCell& b = map->Cell(x, y);
                if (a.b[0] != b.b[0]) Report(w.riverRow[y], "column " + std::to_string(x), "loading a game marks this hex navigable");
                if ((a.b[1] ^ b.b[1]) & 8)
                    Report(w.railRow[y], "column " + std::to_string(x), "loading a game changes this hex's railway");
                else if (a.b[1] != b.b[1])
                    Report(w.terrainRow[y], "column " + std::to_string(x),
                           "loading a game changes this hex's terrain or control");
            }
        // Both record marks are told at their own lines by the city and weapon checks.
        for (int i : {38, 60})
            if (rec->Cities[i].RiverLink != g.Cities[i].RiverLink)
                Report(w.cityCommon[i], "River", "loading a saved game clears this city's river link");
        if (std::memcmp(&rec->WeaponTable[5], &g.WeaponTable[5], sizeof(TWeaponRec)) != 0)
            Report(w.weapon[5], "Fire1", "loading a saved game sets the shotguns' factors to 1 and 2");
    }

    // What the computer players' plans look for at the start. A few are missing on purpose where the
    // date forbids them (see WantsPlanExpectation).
    void Expectations() {
        auto army = [&](int nation, auto&& where) {
            for (const TArmyRec& a : g.Armies)
                if (ArmyInUse(a) && a.Nation == nation && where(a)) return true;
            return false;
        };
        auto corpsIn = [&](int nation, int lo, int hi) {
            int n = 0;
            for (const TCorpsRec& k : g.Corps) n += CorpsInUse(k) && k.Nation == nation && k.HomeState >= lo && k.HomeState <= hi;
            return n;
        };
        const TCityRec& memphis = g.Cities[50];
        for (const PlanExpectation& e : PlanExpectations()) {
            if (!WantsPlanExpectation(e.id, year_)) continue;
            bool met = false;
            switch (e.id) {
                case PlanExpectationId::UnionArmyAtWashington:
                    met = army(kNationUnion, [](const TArmyRec& a) { return a.BaseCity == 11; });
                    break;
                case PlanExpectationId::UnionArmyInIndianaOrOhio:
                    met = army(kNationUnion, [&](const TArmyRec& a) {
                        const int st = g.Cities[a.BaseCity].State;
                        return st == 8 || st == 9;
                    });
                    break;
                case PlanExpectationId::UnionArmyInTheWest:
                    met = army(kNationUnion, [](const TArmyRec& a) { return a.Theatre == kWest; });
                    break;
                case PlanExpectationId::UnionArmyNearMemphis:
                    met = army(kNationUnion, [&](const TArmyRec& a) {
                        const TCityRec& b = g.Cities[a.BaseCity];
                        return (a.Theatre == 2 || a.Theatre == 3) && HexDistance(b.HexX, b.HexY, memphis.HexX, memphis.HexY) < 12;
                    });
                    break;
                case PlanExpectationId::ConfederateArmyInTennessee:
                    met = army(kNationConfederacy, [&](const TArmyRec& a) {
                        const TCityRec& b = g.Cities[a.BaseCity];
                        return b.State == 21 && b.Owner == kConfederacy;
                    });
                    break;
                case PlanExpectationId::ConfederateArmyInVirginia:
                    met = army(kNationConfederacy, [&](const TArmyRec& a) {
                        return a.Theatre == kSeaboard && g.Cities[a.BaseCity].State == 22;
                    });
                    break;
                case PlanExpectationId::ConfederateCorpsInTennessee: met = corpsIn(kNationConfederacy, 21, 21) >= 2; break;
                case PlanExpectationId::ConfederateCorpsBeyondTheRiver: met = corpsIn(kNationConfederacy, 24, 26) >= 2; break;
            }
            if (!met) Report(e.corps ? w.corpsTable : w.armiesTable, e.corps ? "X" : "Base", e.text);
        }
    }

    const TGameRec& g;
    const TMapGrid& m;
    const Provenance& w;
    int year_;
    std::vector<std::string> errors_;
};

}  // namespace

const std::vector<PlanExpectation>& PlanExpectations() {
    using Id = PlanExpectationId;
    static const std::vector<PlanExpectation> list = {
        {Id::UnionArmyAtWashington, false, "the Union's plans expect an army based at Washington (city 11)"},
        {Id::UnionArmyInIndianaOrOhio, false, "the Union's plans expect an army based in Indiana or Ohio (states 8, 9)"},
        {Id::UnionArmyInTheWest, false, "the Union's plans expect an army in the West (theatre 2)"},
        {Id::UnionArmyNearMemphis, false, "the Union's plans expect an army of the West or the Mississippi based within 11 hexes of Memphis"},
        {Id::ConfederateArmyInTennessee, false, "the Confederacy's plans expect an army based in a Tennessee city it holds"},
        {Id::ConfederateArmyInVirginia, false, "the Confederacy's plans expect an army of the Seaboard based in Virginia"},
        {Id::ConfederateCorpsInTennessee, true, "the Confederacy's plans expect 2 corps in Tennessee (state 21)"},
        {Id::ConfederateCorpsBeyondTheRiver, true, "the Confederacy's plans expect 2 corps in states 24 to 26"},
    };
    return list;
}

bool WantsPlanExpectation(PlanExpectationId id, int year) {
    switch (id) {
        case PlanExpectationId::UnionArmyInIndianaOrOhio:
        case PlanExpectationId::ConfederateArmyInTennessee: return year != 1862;
        case PlanExpectationId::UnionArmyNearMemphis: return year != 1861;
        default: return true;
    }
}

std::vector<std::string> CheckScenario(const BuiltScenario& built, int year) { return Checker(built, year).Run(); }

}  // namespace kvt::scenario
