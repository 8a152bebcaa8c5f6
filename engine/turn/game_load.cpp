// A game read from its files comes into play: derived state recounted, menus and side set.
#include "engine/turn/game_load.h"

#include "engine/forces/corps_records.h"
#include "engine/forces/force_recount.h"
#include "engine/logistics/city_unrest.h"
#include "engine/logistics/conquest.h"
#include "engine/logistics/hex_control.h"
#include "engine/logistics/supply_sources.h"
#include "engine/logistics/weather.h"
#include "engine/players/game_setup.h"
#include "engine/turn/side_choice.h"
#include "engine/turn/turn_start.h"
#include "engine/view/map_view_rules.h"
#include "engine/view/turn_menus.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"

namespace kvt {

bool LoadGameFiles(const std::string& fileName, LoadTime when, TBattleLogRead* history) {
    if (!LoadGameImages(fileName, when, history)) return false;
    BringGameIntoPlay(fileName);
    return true;
}

void BringGameIntoPlay(const std::string& fileName) {
    TGameRec& g = *GameRec;
    GameFileBase = GameBaseOf(fileName);
    // The territorial tally reads city 83's state byte, so it is pinned on every load.
    g.Cities[83].State = 21;
    GameStatus = 0;
    // A game saved in its start month after its setup (an autosave) is not set up again.
    if (SetupDue()) ShowGameSetup();
    GameStatus = 0;
    g.EnemyVisibility = 0;
    if (g.Nations[kNationUnion].Human == 0 && g.Nations[kNationConfederacy].Human == 0) g.EnemyVisibility = 3;
    // A mail game between turns is taken exactly as its sender left it.
    if (g.GameKind == 0 || g.GameKind == 2) {
        UpdateHexControl();
        UpdateWeather();
        ShowWeatherGauges();
        ResolveConquests();
        RecountForces();
        UpdateCorpsCondition();
        UpdateSupplySources();
    }
    EnableTurnMenus();
    // Whatever this program handed over before, the game now in play is played as it reads.
    MailTurnHandedOver = false;
    ChooseSideToPlay();
    ClearSelections();
    // The unit panel named a selection of the game shown before.
    CurrentFrontend().SetIdPanelText("");
    for (int i = 1; i <= kCityCount; ++i)
        if (g.Cities[i].OriginalOwner > 4) g.Cities[i].OriginalOwner = 1;
    ReleaseBaselessArmies();
    CurrentFrontend().Repaint();
}

}  // namespace kvt
