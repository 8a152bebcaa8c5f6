// Settling a start point by the load's own rules, so that loading it changes nothing but what the
// load draws; what a rule would do at the load that no start point may need is told as a fault.
#include "tools/scenario_compiler/scenario_settle.h"

#include <array>
#include <cstring>
#include <memory>

#include "engine/forces/brigade_rules.h"
#include "engine/forces/force_recount.h"
#include "engine/logistics/conquest.h"
#include "engine/logistics/hex_control.h"
#include "engine/logistics/supply_sources.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"

namespace kvt::scenario {

namespace {

// Hex control feeds the recount and the recount hex control; each round moves the front at most a
// hex or two around a corps, so a sound start point settles in a few rounds.
constexpr int kMaxRounds = 12;

std::string Hex(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

class Settler {
public:
    Settler(BuiltScenario& b, int year, const std::vector<DrawDependentMark>& exceptions)
        : g(*b.rec), m(*b.map), w(b.where), year_(year), exceptions_(exceptions) {}

    std::vector<std::string> Run() {
        EngineRulesOn engine(g, m);
        // A saved game holds its corps' figures and garrison counts; the built one gets them before
        // conquests read them.
        RecalcCorpsFromBrigades();
        for (int round = 1; round <= kMaxRounds; ++round) {
            auto rec = std::make_unique<TGameRec>(g);
            auto map = std::make_unique<TMapGrid>(m);
            UpdateHexControl();
            Conquests(engine.Notices());
            if (!errors_.empty()) return errors_;
            Recount();
            SupplyMarks();
            if (!errors_.empty()) return errors_;
            if (std::memcmp(rec.get(), &g, sizeof g) == 0 && std::memcmp(map.get(), &m, sizeof m) == 0) return errors_;
            if (round == kMaxRounds)
                Report(w.Header("Year"), "Value",
                       "the load's rules still change " + FirstChange(*rec, *map) + " after " + std::to_string(round) + " rounds");
        }
        return errors_;
    }

private:
    void Report(const SourcePlace& p, const std::string& field, const std::string& reason) {
        errors_.push_back(FormatSourceError(p, field, reason));
    }

    // Nothing may change hands or be announced: the first turn would open with news of a start point.
    void Conquests(std::vector<RaisedNotice>& notices) {
        auto city = std::make_unique<std::array<TCityRec, kCityCount + 1>>();
        auto state = std::make_unique<std::array<TStateRec, kStateCount + 1>>();
        for (int c = 1; c <= kCityCount; ++c) (*city)[c] = g.Cities[c];
        for (int s = 1; s <= kStateCount; ++s) (*state)[s] = g.States[s];
        notices.clear();
        ResolveConquests();
        bool told = false;
        for (int c = 1; c <= kCityCount; ++c) {
            const TCityRec& now = g.Cities[c];
            if (now.Owner == (*city)[c].Owner && now.Nation == (*city)[c].Nation) continue;
            const TCorpsRec& k = g.Corps[now.EnemyTally];
            Report(w.city[c], "Held", now.Name.str() + ": the load hands it to side " + std::to_string(now.Owner) + ", as " +
                                          g.Leaders[k.Leader].Name.str() + "'s corps stands on it and no garrison holds it");
            told = true;
        }
        for (int s = 1; s <= kStateCount; ++s) {
            const TStateRec& now = g.States[s];
            const TStateRec& was = (*state)[s];
            if (now.Controller == was.Controller && now.ControlSide == was.ControlSide && now.Owner == was.Owner) continue;
            Report(w.state[s], "Nation", "the load hands the state to nation " + std::to_string(now.Controller) +
                                             ", which holds its capital");
            told = true;
        }
        if (told) return;
        for (const RaisedNotice& n : notices) {
            std::string text;
            for (const std::string& line : n.lines)
                if (!line.empty()) text += (text.empty() ? "" : " / ") + line;
            Report(w.Header("Year"), "Value", "the load raises notice " + std::to_string(n.kind) + ": " + text);
        }
    }

    // The recount ends corps without men, leader or hex and armies without corps: a start point's
    // command would vanish at the load.
    void Recount() {
        std::array<bool, kCorpsCount + 1> corps{};
        std::array<bool, kArmyCount + 1> armies{};
        for (int k = 1; k <= kCorpsCount; ++k) corps[k] = CorpsInUse(g.Corps[k]);
        for (int a = 1; a <= kArmyCount; ++a) armies[a] = ArmyInUse(g.Armies[a]);
        RecountForces();
        for (int k = 1; k <= kCorpsCount; ++k)
            if (corps[k] && !CorpsInUse(g.Corps[k])) Report(w.corps[k], "Corps", "the load's recount ends this corps: it has no men");
        for (int a = 1; a <= kArmyCount; ++a)
            if (armies[a] && !ArmyInUse(g.Armies[a]))
                Report(w.army[a], "Number", "the load's recount dissolves this army: no corps of its nation serves in it");
    }

    void SupplyMarks() {
        std::array<std::array<U8, kCityCount + 1>, kSupplyMarkSeeds> marks{};
        for (int seed = kSupplyMarkSeeds; seed >= 1; --seed) {
            SetRandomSeed(static_cast<std::uint64_t>(seed));
            UpdateSupplySources();
            for (int c = 1; c <= kCityCount; ++c) marks[seed - 1][c] = g.Cities[c].SupplySource;
        }
        // The last run was seed 1's, whose marks stand.
        for (int c = 1; c <= kCityCount; ++c)
            for (int s = 2; s <= kSupplyMarkSeeds; ++s) {
                if (marks[s - 1][c] == marks[0][c]) continue;
                if (!IsDrawDependentMark(year_, c, exceptions_))
                    Report(w.city[c], "Held", g.Cities[c].Name.str() + ": its supply mark follows the road search's draws (" +
                                                  std::to_string(marks[0][c]) + " under seed 1, " +
                                                  std::to_string(marks[s - 1][c]) + " under seed " + std::to_string(s) + ")");
                break;
            }
    }

    std::string FirstChange(const TGameRec& rec, const TMapGrid& map) const {
        for (int x = 1; x <= kMapColumns; ++x)
            for (int y = 1; y <= kMapRows; ++y)
                if (std::memcmp(&map.Cell(x, y), &m.Cell(x, y), sizeof(MapCell)) != 0) return "hex " + Hex(x, y);
        const auto* a = reinterpret_cast<const unsigned char*>(&rec);
        const auto* b = reinterpret_cast<const unsigned char*>(&g);
        std::size_t at = 0;
        while (at < sizeof rec && a[at] == b[at]) ++at;
        return "record byte " + std::to_string(at);
    }

    TGameRec& g;
    TMapGrid& m;
    const Provenance& w;
    int year_;
    const std::vector<DrawDependentMark>& exceptions_;
    std::vector<std::string> errors_;
};

}  // namespace

EngineRulesOn::EngineRulesOn(TGameRec& rec, TMapGrid& map)
    : savedRec_(GameRec), savedMap_(MapGrid), savedFrontend_(&CurrentFrontend()), savedRandom_(GetRandomState()) {
    GameRec = &rec;
    MapGrid = &map;
    InstallFrontend(&recorder_);
}

EngineRulesOn::~EngineRulesOn() {
    GameRec = savedRec_;
    MapGrid = savedMap_;
    InstallFrontend(savedFrontend_);
    SetRandomState(savedRandom_);
}

void EngineRulesOn::Recorder::ShowNotice(int kind) {
    RaisedNotice n;
    n.kind = kind;
    for (int line = 1; line <= 4; ++line) n.lines[line - 1] = EventNotice.Line(line).str();
    notices.push_back(n);
    AutomaticFrontend::ShowNotice(kind);
}

const std::vector<DrawDependentMark>& DrawDependentMarks() {
    static const std::vector<DrawDependentMark> list = {};
    return list;
}

bool IsDrawDependentMark(int year, int city, const std::vector<DrawDependentMark>& marks) {
    for (const DrawDependentMark& d : marks)
        if (d.year == year && d.city == city) return true;
    return false;
}

std::vector<std::string> SettleDerivedState(BuiltScenario& built, int year, const std::vector<DrawDependentMark>& exceptions) {
    return Settler(built, year, exceptions).Run();
}

}  // namespace kvt::scenario
