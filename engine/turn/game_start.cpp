// The scenario choice and the first load of a run.
#include "engine/turn/game_start.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>

#include "engine/turn/game_load.h"
#include "engine/turn/mail_game.h"
#include "engine/turn/side_choice.h"
#include "engine/world/calendar.h"
#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"

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

std::string SaveNameRefusal(const std::string& chosenName) {
    namespace fs = std::filesystem;
    const fs::path base(SaveBaseOf(chosenName));
    const std::string dataFolder = GameDataFolder();
    std::error_code ec;
    const fs::path folder = base.has_parent_path() ? base.parent_path() : fs::path(".");
    if (!fs::equivalent(folder, dataFolder.empty() ? fs::path(".") : fs::path(dataFolder), ec)) return {};
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    };
    for (int answer = 1; answer <= 3; ++answer) {
        const std::string startPoint = SaveBaseOf(ScenarioFileName(answer));
        if (lower(base.filename().string()) == lower(startPoint))
            return "\"" + startPoint + "\" is one of the game's start points. Please save under another name.";
    }
    return {};
}

bool ReadDefaultStartPoint(std::string* error) {
    auto rec = std::make_unique<TGameRec>();
    auto map = std::make_unique<TMapGrid>();
    const std::string file = GameDataFile(kDefaultStartPoint);
    if (!ReadGameImages(file, *rec, *map, error)) return false;
    *GameRec = *rec;
    return true;
}

void StartUpGame() {
    Frontend& fe = CurrentFrontend();
    // Saves and the Autosave go to the current folder: what a stopped program left there half
    // written is finished or cleared before anything is read.
    TGameFilesLock::FinishInterruptedSaves(".");
    int answer = 0;
    for (;;) {
        answer = fe.ShowScenarioChoice();
        BattleLog.clear();
        GameStatus = 1;
        const std::string startPoint = ScenarioFileName(answer);
        const bool loaded = startPoint.empty() ? LoadGameDialog(LoadTime::StartUp)
                                               : LoadGameFiles(GameDataFile(startPoint), LoadTime::StartUp);
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
