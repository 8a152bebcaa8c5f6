// The new-game setup: the dialog is a wait on the person and writes its choices into the record;
// the engine then prepares the kind of game chosen.
#include "engine/players/game_setup.h"

#include "engine/core/frontend.h"
#include "engine/core/game_files.h"
#include "engine/core/globals.h"

namespace kvt {

namespace {
constexpr int kMailGameSetUp = 2;
}  // namespace

void ShowGameSetup() {
    CurrentFrontend().ShowGameSetup();
    FinishGameSetup();
}

void FinishGameSetup() {
    TGameRec& g = *GameRec;
    if (g.GameKind == kMailGameSetUp) {
        BattleLog.push_back("No History");
        const std::string history = GameFileBase + "BTL";
        if (!SaveBattleLog(history))
            CurrentFrontend().InformationBox("The battle history could not be saved as \"" + history + "\".");
        g.SideToMove = 1;
        g.BattlesThisTurn = 0;
    }
    if (g.Nations[kNationUnion].Human == 0 || g.Nations[kNationConfederacy].Human == 0)
        for (TPlanRec& plan : g.Plans) plan = TPlanRec{};
}

}  // namespace kvt
