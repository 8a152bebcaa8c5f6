// Reading the start points' sources into the structures of scenario_sources.h. Each reader checks the
// ranges of its own fields; cross-references (a leader's name, a city's index) are resolved here too,
// so that a typing slip is reported at the line that holds it.
#include "tools/scenario_compiler/scenario_sources.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "engine/world/game_record.h"
#include "engine/world/map_grid.h"

namespace kvt::scenario {

namespace fs = std::filesystem;

namespace {

struct Paths {
    fs::path dir;
    std::string Display(const std::string& rel) const { return "data/" + rel; }
    fs::path Path(const std::string& rel) const { return dir / rel; }
    SourceTable Table(const std::string& rel, const std::vector<std::string>& fields) const {
        return SourceTable::Read(Path(rel), Display(rel), fields);
    }
    MapLayer Layer(const std::string& rel, const std::string& allowed) const {
        return MapLayer::Read(Path(rel), Display(rel), allowed);
    }
};

const std::vector<std::string> kWeaponWords = {"Muskets", "Springfields", "Sharps", "Spencers",
                                               "Shotguns", "Smoothbores", "Parrotts", "Whitworths"};

// A whole number as a stream reads it, with nothing but blanks after it.
bool ReadWholeNumber(const std::string& text, int& value) {
    std::istringstream in(text);
    char extra;
    return (in >> value) && !(in >> extra);
}

// The row's index field, which must go on from the rows before it: `listed` rows give first ..
// first + listed - 1, so this one gives first + listed.
int IndexInOrder(const TableRow& r, const std::string& field, int first, int last, std::size_t listed,
                 const std::string& fault) {
    const int index = r.Int(field, first, last);
    if (index != first + static_cast<int>(listed)) r.Fail(field, fault);
    return index;
}

// A table that lists one row for each of `count` things has ended early or late.
void ExpectListed(const SourceTable& t, const std::string& field, std::size_t listed, std::size_t count,
                  const std::string& things) {
    if (listed != count)
        throw SourceError(t.EndPlace(), field,
                          "lists " + std::to_string(listed) + " " + things + ", not " + std::to_string(count));
}

// "3", "3:2" or "3:2@1862-05": rank, experience, the month he comes to hand.
LeaderPart ParseLeaderPart(const TableRow& row, const std::string& field) {
    const std::string& t = row.Text(field);
    LeaderPart p;
    if (t == "-") return p;
    p.present = true;
    std::string rank = t, exp, arrival;
    if (auto at = rank.find('@'); at != std::string::npos) {
        arrival = rank.substr(at + 1);
        rank = rank.substr(0, at);
    }
    if (auto colon = rank.find(':'); colon != std::string::npos) {
        exp = rank.substr(colon + 1);
        rank = rank.substr(0, colon);
    }
    auto number = [&](const std::string& s, int lo, int hi, const char* what) {
        int v = 0;
        if (!ReadWholeNumber(s, v) || v < lo || v > hi)
            row.Fail(field, "\"" + t + "\": " + what + " must be " + std::to_string(lo) + ".." + std::to_string(hi));
        return v;
    };
    p.rank = number(rank, 1, 5, "the rank");
    if (p.rank == 4) row.Fail(field, "\"" + t + "\": there is no rank 4 (1 divisional, 2 cavalry, 3 corps, 5 army)");
    p.experience = exp.empty() ? 0 : number(exp, 0, 30, "the experience");
    if (!arrival.empty()) {
        const auto dash = arrival.find('-');
        if (arrival.size() != 7 || dash != 4)
            row.Fail(field, "\"" + t + "\": the month he comes to hand is written like 1862-05");
        p.arrivalYear = number(arrival.substr(0, 4), 1861, 1865, "the year he comes to hand");
        p.arrivalMonth = number(arrival.substr(5), 1, 12, "the month he comes to hand");
    }
    return p;
}

}  // namespace

int SideFromLetter(const TableRow& row, const std::string& field) {
    return row.Choice(field, {"-", "U", "C"});
}

int NationFromLetter(const TableRow& row, const std::string& field) {
    return row.Choice(field, {"-", "U", "C", "F", "B"});
}

CommonSources ReadCommonSources(const fs::path& dataDir) {
    Paths p{dataDir};
    CommonSources c;

    SourceTable states = p.Table("scenarios/common/states.txt",
                                 {"Index", "Name", "Short", "Map", "Theatre", "Votes", "BaseOutput", "Cotton",
                                  "ExtraOutput", "OutputSeed", "WeaponCapacity", "Flag"});
    std::set<char> mapChars;
    std::set<std::string> shortNames;
    for (const TableRow& r : states.Rows()) {
        StateSource s;
        s.place = r.Place();
        s.index = IndexInOrder(r, "Index", 1, kStateCount, c.states.size(),
                               "states must be listed in order 1..37; expected " + std::to_string(c.states.size() + 1));
        s.name = r.Name("Name", 15);
        s.shortName = r.Name("Short", 4);
        if (!shortNames.insert(s.shortName).second) r.Fail("Short", "\"" + s.shortName + "\" names two states");
        const std::string& m = r.Text("Map");
        if (m.size() != 1 || m == "." || m == "#") r.Fail("Map", "must be one character other than '.' and '#'");
        s.mapChar = m[0];
        if (!mapChars.insert(s.mapChar).second) r.Fail("Map", "'" + m + "' marks two states");
        s.theatre = r.Int("Theatre", 1, 3);
        s.votes = r.Int("Votes", 0, 60);
        s.baseOutput = r.Int("BaseOutput", 0, 20);
        s.cottonOutput = r.Int("Cotton", 0, 10);
        s.extraOutput = r.Int("ExtraOutput", 0, 5000);
        s.outputSeed = r.Int("OutputSeed", 0, 20000);
        s.weaponCapacity = r.IntList("WeaponCapacity", 8, 0, 500);
        s.flag = r.Int("Flag", 0, 255);
        c.states.push_back(s);
    }
    ExpectListed(states, "Index", c.states.size(), kStateCount, "states");

    SourceTable cities = p.Table("scenarios/common/cities.txt",
                                 {"Index", "Name", "X", "Y", "State", "Value", "Port", "River", "Yards",
                                  "Output", "Extra", "Production", "Home"});
    for (const TableRow& r : cities.Rows()) {
        CitySource s;
        s.place = r.Place();
        s.index = IndexInOrder(r, "Index", 1, kCityCount, c.cities.size(),
                               "cities must be listed in order 1..86; expected " + std::to_string(c.cities.size() + 1));
        s.name = r.Name("Name", 16);
        s.x = r.Int("X", 1, kMapColumns);
        s.y = r.Int("Y", 1, kMapRows);
        s.state = r.Int("State", 1, kStateCount);
        s.value = r.Int("Value", 1, 30);
        s.port = r.Int("Port", 0, 1);
        s.river = r.Int("River", 0, 1);
        std::vector<int> yards = r.IntList("Yards", 2, 0, 9);
        s.ironYards = yards[0];
        s.woodYards = yards[1];
        s.output = r.Int("Output", 0, 10000);
        s.extraOutput = r.Int("Extra", 0, 5000);
        s.production = r.IntList("Production", 8, 0, 200);
        s.homeNation = NationFromLetter(r, "Home");
        c.cities.push_back(s);
    }
    ExpectListed(cities, "Index", c.cities.size(), kCityCount, "cities");

    SourceTable leaders = p.Table("scenarios/common/leaders.txt",
                                  {"Name", "Nation", "Initiative", "Rating", "Tactics", "Drill", "Political",
                                   "1861", "1862", "1863"});
    std::set<std::string> leaderNames;
    for (const TableRow& r : leaders.Rows()) {
        LeaderSource l;
        l.place = r.Place();
        l.name = r.Name("Name", 21);
        if (!leaderNames.insert(l.name).second) r.Fail("Name", "\"" + l.name + "\" is listed twice");
        l.nation = NationFromLetter(r, "Nation");
        if (l.nation == 0) r.Fail("Nation", "a leader serves a nation");
        l.initiative = r.Int("Initiative", 1, 99);
        l.rating = r.Int("Rating", 0, 12);
        l.tactics = r.Int("Tactics", 1, 99);
        l.drill = r.Int("Drill", 1, 99);
        l.political = r.Int("Political", -128, 127);
        l.parts[0] = ParseLeaderPart(r, "1861");
        l.parts[1] = ParseLeaderPart(r, "1862");
        l.parts[2] = ParseLeaderPart(r, "1863");
        c.leaders.push_back(l);
    }

    SourceTable weapons = p.Table("scenarios/common/weapons.txt", {"Kind", "Name", "Fire1", "Fire2", "Prices"});
    for (const TableRow& r : weapons.Rows()) {
        WeaponSource w;
        w.place = r.Place();
        w.kind = IndexInOrder(r, "Kind", 1, kWeaponKinds, c.weapons.size(), "weapon kinds must be listed in order 1..8");
        w.name = r.Name("Name", 12);
        if (w.name != kWeaponWords[w.kind - 1]) r.Fail("Name", "kind " + std::to_string(w.kind) + " is " + kWeaponWords[w.kind - 1]);
        w.fire1 = r.Int("Fire1", 0, 20);
        w.fire2 = r.Int("Fire2", 0, 20);
        w.prices = r.IntList("Prices", 4, 0, 255);
        c.weapons.push_back(w);
    }
    ExpectListed(weapons, "Kind", c.weapons.size(), kWeaponKinds, "weapon kinds");

    SourceTable weather = p.Table("scenarios/common/weather.txt", {"Row", "Months", "Codes"});
    for (const TableRow& r : weather.Rows()) {
        IndexInOrder(r, "Row", 0, 8, c.weather.size(), "weather rows must be listed in order 0..8");
        c.weather.push_back(r.IntList("Codes", 12, 0, 11));
        c.weatherPlace = r.Place();
    }
    ExpectListed(weather, "Row", c.weather.size(), 9, "rows");

    SourceTable names = p.Table("scenarios/common/army_names.txt", {"Side", "Name", "Region", "Key1", "Key2"});
    std::array<int, 3> perSide{};
    for (const TableRow& r : names.Rows()) {
        ArmyNameSource n;
        n.place = r.Place();
        n.side = SideFromLetter(r, "Side");
        if (n.side == 0) r.Fail("Side", "an army name belongs to side U or C");
        if (++perSide[n.side] > kArmyNamesPerSide) r.Fail("Side", "more than 9 army names for this side");
        n.name = r.Name("Name", 18);
        n.region = r.Int("Region", 0, 255);
        n.key1 = r.Int("Key1", 0, 255);
        n.key2 = r.Int("Key2", 0, 255);
        c.armyNames.push_back(n);
    }

    std::string stateChars = ".";
    for (const StateSource& s : c.states) stateChars += s.mapChar;
    c.map = MapSources{p.Layer("map/terrain.txt", kTerrainChars), p.Layer("map/states.txt", stateChars),
                       p.Layer("map/rivers.txt", kRiverChars),   p.Layer("map/rail.txt", kRailChars),
                       p.Layer("map/hexside_north.txt", kHexsideChars),
                       p.Layer("map/hexside_northeast.txt", kHexsideChars),
                       p.Layer("map/hexside_southeast.txt", kHexsideChars)};
    return c;
}

ScenarioSources ReadScenarioSources(const fs::path& dataDir, int year, const CommonSources& common) {
    Paths p{dataDir};
    ScenarioSources s;
    s.year = year;
    s.folder = "scenarios/" + std::to_string(year) + "/";

    SourceTable header = p.Table(s.folder + "scenario.txt", {"Field", "Value"});
    std::map<std::string, const TableRow*> fields;
    for (const TableRow& r : header.Rows()) {
        const std::string& f = r.Text("Field");
        if (!fields.emplace(f, &r).second) r.Fail("Field", "\"" + f + "\" is given twice");
    }
    auto need = [&](const std::string& f) -> const TableRow& {
        auto it = fields.find(f);
        if (it == fields.end()) throw SourceError(header.EndPlace(), f, "no line gives this field");
        return *it->second;
    };
    s.day = need("Day").Int("Value", 1, 21);
    if (s.day != 1 && s.day != 11 && s.day != 21) need("Day").Fail("Value", "a turn starts on day 1, 11 or 21");
    s.month = need("Month").Int("Value", 1, 12);
    if (need("Year").Int("Value", 1861, 1865) != year)
        need("Year").Fail("Value", "the start point in " + s.folder + " must start in " + std::to_string(year));
    s.endMonth = need("EndMonth").Int("Value", 1, 12);
    s.endYear = need("EndYear").Int("Value", 1861, 1870);
    s.weather = need("Weather").IntList("Value", 3, 0, 11);
    s.theatreFlag = need("TheatreFlag").IntList("Value", 3, 0, 1);
    s.casualties = need("Casualties").IntList("Value", 4, 0, 100000);
    s.prisoners = need("Prisoners").IntList("Value", 4, 0, 100000);
    for (const auto& [name, row] : fields) s.headerPlaces[name] = row->Place();

    SourceTable states = p.Table(s.folder + "states.txt", {"State", "Name", "Owner", "Control", "Nation", "Capital", "Loyalty"});
    for (const TableRow& r : states.Rows()) {
        StateSides st;
        st.place = r.Place();
        st.state = IndexInOrder(r, "State", 1, kStateCount, s.states.size(), "states must be listed in order 1..37");
        if (r.Text("Name") != common.states[st.state - 1].name)
            r.Fail("Name", "state " + std::to_string(st.state) + " is " + common.states[st.state - 1].name);
        st.owner = SideFromLetter(r, "Owner");
        st.control = SideFromLetter(r, "Control");
        st.nation = NationFromLetter(r, "Nation");
        st.capital = r.IntOr("Capital", 1, kCityCount, 0);
        st.loyalty = r.Int("Loyalty", 0, 100);
        s.states.push_back(st);
    }
    ExpectListed(states, "State", s.states.size(), kStateCount, "states");

    SourceTable cities = p.Table(s.folder + "cities.txt", {"City", "Name", "Held", "Nation", "Forts", "Guns"});
    for (const TableRow& r : cities.Rows()) {
        CitySides ct;
        ct.place = r.Place();
        ct.city = IndexInOrder(r, "City", 1, kCityCount, s.cities.size(), "cities must be listed in order 1..86");
        if (r.Text("Name") != common.cities[ct.city - 1].name)
            r.Fail("Name", "city " + std::to_string(ct.city) + " is " + common.cities[ct.city - 1].name);
        ct.owner = SideFromLetter(r, "Held");
        ct.nation = NationFromLetter(r, "Nation");
        ct.fortifications = r.Int("Forts", 0, 9);
        ct.coastalGuns = r.Int("Guns", 0, 9);
        s.cities.push_back(ct);
    }
    ExpectListed(cities, "City", s.cities.size(), kCityCount, "cities");

    SourceTable nations = p.Table(s.folder + "nations.txt",
                                  {"Nation", "Name", "Side", "Capital", "Policy", "Rail", "Sailors", "Will",
                                   "Recruits", "Supplies", "Cotton", "Attitude", "Appeal", "Bounty", "Weapons",
                                   "Recovery", "Plan"});
    for (const TableRow& r : nations.Rows()) {
        NationSource n;
        n.place = r.Place();
        n.nation = IndexInOrder(r, "Nation", 1, kNationCount, s.nations.size(), "nations must be listed in order 1..4");
        n.name = r.Name("Name", 9);
        n.side = SideFromLetter(r, "Side");
        n.capital = r.Int("Capital", 1, kCityCount);
        n.policy = r.Int("Policy", 0, 11);
        n.railCapacity = r.Int("Rail", 0, 255);
        n.navalManpower = r.Int("Sailors", 0, 10000);
        n.will = r.Int("Will", 0, 2000);
        n.recruitPercent = r.IntList("Recruits", 4, 0, 100);
        n.supplies = r.IntList("Supplies", 3, 0, 35000);
        n.cotton = r.IntList("Cotton", 3, 0, 35000);
        n.attitude = r.Int("Attitude", 0, 100);
        n.appealCounter = r.Int("Appeal", -1, 9);
        n.bounty = r.Int("Bounty", 0, 20);
        n.weaponPool = r.IntList("Weapons", 8, 0, 30000);
        n.recovery = r.Int("Recovery", 0, 2);
        n.planChoice = r.Int("Plan", 1, 3);
        s.nations.push_back(n);
    }
    ExpectListed(nations, "Nation", s.nations.size(), kNationCount, "nations");

    std::map<std::string, int> leaderIndex;
    for (std::size_t i = 0; i < common.leaders.size(); ++i) leaderIndex[common.leaders[i].name] = static_cast<int>(i);
    auto leaderOf = [&](const TableRow& r, const std::string& field, int nation) {
        const std::string& name = r.Text(field);
        auto it = leaderIndex.find(name);
        if (it == leaderIndex.end()) r.Fail(field, "no leader \"" + name + "\" in data/scenarios/common/leaders.txt");
        const LeaderSource& l = common.leaders[it->second];
        if (!l.parts[year - 1861].present) r.Fail(field, "\"" + name + "\" takes no part in " + std::to_string(year));
        if (l.nation != nation) r.Fail(field, "\"" + name + "\" serves another nation");
        return name;
    };

    SourceTable armies = p.Table(s.folder + "armies.txt", {"Nation", "Number", "Name", "Leader", "Base", "SupplyBase",
                                                           "Objective", "Stance", "March"});
    s.armiesTable = armies.HeaderPlace();
    for (const TableRow& r : armies.Rows()) {
        ArmySource a;
        a.place = r.Place();
        a.nation = NationFromLetter(r, "Nation");
        if (a.nation == 0) r.Fail("Nation", "an army belongs to a nation");
        a.number = r.Int("Number", 1, 8);
        a.name = r.Name("Name", 22);
        a.leader = leaderOf(r, "Leader", a.nation);
        a.base = r.Int("Base", 1, kCityCount);
        a.supplyBase = r.Int("SupplyBase", 1, kCityCount);
        a.objective = r.Int("Objective", 1, kCityCount);
        a.stance = r.Choice("Stance", {"withdraw", "defend", "advance", "training"});
        a.march = r.Choice("March", {"cautious", "normal", "forced"});
        s.armies.push_back(a);
    }

    SourceTable corps = p.Table(s.folder + "corps.txt", {"Corps", "Kind", "Leader", "X", "Y", "Army", "Supply",
                                                         "Condition", "March", "SupplyType", "Priority"});
    auto corpsKey = [](const TableRow& r, const std::string& field, int& nation, int& ordinal) {
        const std::string& k = r.Text(field);
        if (k.size() < 2 || (k[0] != 'U' && k[0] != 'C' && k[0] != 'F' && k[0] != 'B'))
            r.Fail(field, "\"" + k + "\" is not a corps key such as U4 or C12");
        nation = static_cast<int>(std::string("UCFB").find(k[0])) + 1;
        ordinal = 0;
        for (std::size_t i = 1; i < k.size(); ++i) {
            if (k[i] < '0' || k[i] > '9') r.Fail(field, "\"" + k + "\" is not a corps key such as U4 or C12");
            ordinal = ordinal * 10 + (k[i] - '0');
            if (ordinal > 255) r.Fail(field, "\"" + k + "\": the number is out of range 1..255");
        }
        if (ordinal == 0) r.Fail(field, "\"" + k + "\": corps numbers start at 1");
    };
    s.corpsTable = corps.HeaderPlace();
    for (const TableRow& r : corps.Rows()) {
        CorpsSource k;
        k.place = r.Place();
        corpsKey(r, "Corps", k.nation, k.ordinal);
        k.kind = r.Choice("Kind", {"corps", "infantry", "cavalry"});
        k.leader = leaderOf(r, "Leader", k.nation);
        k.x = r.Int("X", 1, kMapColumns);
        k.y = r.Int("Y", 1, kMapRows);
        k.army = r.IntOr("Army", 1, 8, 0);
        k.supplyCity = r.Int("Supply", 1, kCityCount);
        k.condition = r.Int("Condition", 0, 25);
        k.march = r.Choice("March", {"cautious", "standard", "forced"});
        k.supplyType = r.Choice("SupplyType", {"depot", "encamped", "foraging"});
        k.supplyPriority = r.Choice("Priority", {"subsistence", "standard", "high"});
        s.corps.push_back(k);
    }

    std::map<std::string, int> stateByShort;
    for (const StateSource& st : common.states) stateByShort[st.shortName] = st.index;
    SourceTable brigades = p.Table(s.folder + "brigades.txt", {"Unit", "Count", "Type", "State", "Strength", "Weapon", "Quality"});
    for (const TableRow& r : brigades.Rows()) {
        BrigadeSource b;
        b.place = r.Place();
        const std::string& unit = r.Text("Unit");
        if (!unit.empty() && unit[0] == '@') {
            int city = 0;
            if (!ReadWholeNumber(unit.substr(1), city) || city < 1 || city > kCityCount)
                r.Fail("Unit", "\"" + unit + "\" is not a city garrison such as @17");
            b.garrisonCity = city;
        } else {
            corpsKey(r, "Unit", b.corpsNation, b.corpsOrdinal);
        }
        b.count = r.Int("Count", 1, 20);
        b.type = r.Choice("Type", {"art", "inf", "cav"}) + 1;  // kBrigadeArtillery, -Infantry, -Cavalry
        auto it = stateByShort.find(r.Text("State"));
        if (it == stateByShort.end()) r.Fail("State", "\"" + r.Text("State") + "\" is no state's short name");
        b.homeState = it->second;
        const int cap = b.type == kBrigadeArtillery ? 16 : b.type == kBrigadeInfantry ? 80 : 50;
        b.strength = r.Int("Strength", 1, cap);
        b.weapon = r.Choice("Weapon", kWeaponWords) + 1;
        b.quality = r.Int("Quality", 1, 10);
        s.brigades.push_back(b);
    }

    SourceTable fleets = p.Table(s.folder + "fleets.txt", {"Nation", "Number", "Port", "Water", "Ironclads", "Wooden",
                                                           "Transports", "Supplies"});
    s.fleetsTable = fleets.HeaderPlace();
    for (const TableRow& r : fleets.Rows()) {
        FleetSource f;
        f.place = r.Place();
        f.nation = NationFromLetter(r, "Nation");
        if (f.nation == 0) r.Fail("Nation", "a fleet belongs to a nation");
        f.number = r.Int("Number", 1, 32);
        f.homePort = r.Int("Port", 1, kCityCount);
        f.water = r.Choice("Water", {"cotton", "ocean", "river"});
        f.ironclads = r.Int("Ironclads", 0, 50);
        f.wooden = r.Int("Wooden", 0, 50);
        f.transports = r.Int("Transports", 0, 50);
        if (f.ironclads + f.wooden + f.transports == 0) r.Fail("Transports", "a fleet needs at least one ship");
        f.supplies = r.Int("Supplies", 0, 5000);
        s.fleets.push_back(f);
    }
    return s;
}

}  // namespace kvt::scenario
