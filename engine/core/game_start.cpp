// The scenario choice and the first load of a run.
#include "engine/core/game_start.h"

#include <memory>

#include "engine/core/calendar.h"
#include "engine/core/frontend.h"
#include "engine/core/game_files.h"
#include "engine/core/globals.h"
#include "engine/core/mail_game.h"
#include "engine/core/side_choice.h"

namespace kvt {

namespace {
constexpr const char* kDefaultStartPoint = "1861.kvt";
}  // namespace

std::string ScenarioFileName(int answer) {
    switch (answer) {
        case 1: return "1861.kvt";
        case 2: return "1862.kvt";
        case 3: return "1863.kvt";
        default: return {};
    }
}

bool ReadDefaultStartPoint(std::string* error) {
    auto rec = std::make_unique<TGameRec>();
    auto map = std::make_unique<TMapGrid>();
    const std::string file = ResolveFileCaseInsensitive(kDefaultStartPoint);
    if (!ReadGameImages(file, *rec, *map, error)) return false;
    *GameRec = *rec;
    return true;
}

void StartUpGame() {
    Frontend& fe = CurrentFrontend();
    int answer = 0;
    for (;;) {
        answer = fe.ShowScenarioChoice();
        BattleLog.clear();
        GameStatus = 1;
        const std::string startPoint = ScenarioFileName(answer);
        const bool loaded = startPoint.empty() ? LoadGameDialog(LoadTime::StartUp)
                                               : LoadGameFiles(ResolveFileCaseInsensitive(startPoint), LoadTime::StartUp);
        if (loaded) break;
    }
    GameStatus = 0;
    fe.ShowDate(DateText());
    const bool bothPersons = GameRec->Nations[kNationUnion].Human != 0 && GameRec->Nations[kNationConfederacy].Human != 0;
    // A saved game has had its side choice in the load already; offering it again would let the
    // second choice silently replace the first.
    if (bothPersons) {
        if (!ScenarioFileName(answer).empty()) SelectSideToPlay();
        return;
    }
    ClearSelections();
    fe.Repaint();
    fe.SetCursor(CursorKind::Arrow);
}

}  // namespace kvt
