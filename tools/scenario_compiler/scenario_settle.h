// The derived state a load brings up to date, settled by the load's own rules so that a start point
// loads unchanged: hex control, conquests, the force recount and the supply-source marks, repeated
// until a round of them changes nothing. The load's random steps (weather, corps condition) stay its own.
#pragma once

#include <string>
#include <vector>

#include "engine/turn/automatic_frontend.h"
#include "engine/world/frontend.h"
#include "engine/world/game_record.h"
#include "engine/world/map_grid.h"
#include "engine/world/random.h"
#include "tools/scenario_compiler/scenario_build.h"

namespace kvt::scenario {

// A notice a rule raised while the compiler ran it: its kind and four lines.
struct RaisedNotice {
    int kind = 0;
    std::string lines[4];
};

// While it lives, the engine's rules run on the given images, their notices are kept in Notices()
// instead of shown, and the engine's own record, map, frontend and generator come back when it goes.
class EngineRulesOn {
public:
    EngineRulesOn(TGameRec& rec, TMapGrid& map);
    ~EngineRulesOn();
    EngineRulesOn(const EngineRulesOn&) = delete;
    EngineRulesOn& operator=(const EngineRulesOn&) = delete;

    std::vector<RaisedNotice>& Notices() { return recorder_.notices; }

private:
    struct Recorder : AutomaticFrontend {
        void ShowNotice(int kind) override;
        std::vector<RaisedNotice> notices;
    };
    Recorder recorder_;
    TGameRec* savedRec_;
    TMapGrid* savedMap_;
    Frontend* savedFrontend_;
    RandomState savedRandom_;
};

// The supply marks must come out alike under seeds 1..kSupplyMarkSeeds: the road search breaks ties
// by draws, and a mark that follows them would change at the load.
inline constexpr int kSupplyMarkSeeds = 8;

// A city whose supply mark a start point leaves to the draws, and why; the mark of seed 1 is stored.
struct DrawDependentMark {
    int year;
    int city;
    const char* reason;
};
// The start points' own list: empty, as every mark of theirs comes out alike under every seed.
const std::vector<DrawDependentMark>& DrawDependentMarks();
bool IsDrawDependentMark(int year, int city, const std::vector<DrawDependentMark>& marks = DrawDependentMarks());

// Brings the built start point to the state the load's rules leave as it is. Every fault names the
// source line it comes from: a city or state the load would hand over, a notice it would raise, a corps
// or army the recount would end, a supply mark that follows the draws (unless listed in `exceptions`),
// or rules that never settle.
std::vector<std::string> SettleDerivedState(BuiltScenario& built, int year,
                                            const std::vector<DrawDependentMark>& exceptions = DrawDependentMarks());

}  // namespace kvt::scenario
