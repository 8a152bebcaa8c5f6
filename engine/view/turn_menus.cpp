// The menu states of a turn.
#include "engine/view/turn_menus.h"

#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/text_table.h"

namespace kvt {

TTurnMenus TurnMenus;

namespace {

void Set(MenuItem item, bool on) { TurnMenus.enabled[static_cast<std::size_t>(item)] = on; }
void Changed() { CurrentFrontend().MenusChanged(TurnMenus); }

// The items a side uses to give its orders and read its state.
constexpr MenuItem kSideItems[] = {
    MenuItem::ForceStatus1,   MenuItem::Production1,    MenuItem::Draft1,       MenuItem::States1,
    MenuItem::Transfers1,     MenuItem::Leadership1,    MenuItem::CheckLeaders, MenuItem::ForceOverview1,
    MenuItem::FleetOverview1, MenuItem::ArmBrigades1,   MenuItem::RaiseArmy1,   MenuItem::RaiseCorps1,
    MenuItem::RaiseFleet1,
};
constexpr MenuItem kOrderItems[] = {MenuItem::CorpsOrders1, MenuItem::ArmyOrders1, MenuItem::CityOrders1,
                                    MenuItem::FleetOrders1};

}  // namespace

void SetMenuItems(std::initializer_list<MenuItem> items, bool on) {
    for (MenuItem item : items) Set(item, on);
    Changed();
}

bool MenuItemEnabled(MenuItem item) { return TurnMenus[item]; }

void EnableTurnMenus() {
    const int kind = GameRec->GameKind;
    CurrentFrontend().SetCursor(CursorKind::Arrow);
    Set(MenuItem::LoadGame1, true);
    Set(MenuItem::SaveGame1, true);
    // A mail game set up or awaiting playback is passed on, not executed: an Execute left on by the
    // game played before would let its first player move the turn before handing it over.
    if (kind == 2 || kind == 4) {
        Set(MenuItem::Execute1, false);
        Set(MenuItem::SpeedButton1, false);
    } else if (GameStatus == 0) {
        Set(MenuItem::Execute1, true);
        Set(MenuItem::SpeedButton1, true);
    }
    // Withdrawn in a mail game, as the absent player's forces are his; offered again, as at start,
    // to any other game, or one mail game would take it away for the rest of the run.
    Set(MenuItem::Hidden1, kind < 2);
    Set(MenuItem::Quit1, true);
    Set(MenuItem::About1, true);
    Set(MenuItem::Conditions1, true);
    for (MenuItem item : kSideItems) Set(item, false);
    for (MenuItem item : kOrderItems) Set(item, false);
    Changed();
}

void SideMenuState() {
    CurrentFrontend().SetCursor(CursorKind::Arrow);
    if (GameRec->GameKind >= 2) Set(MenuItem::Hidden1, false);
    Set(MenuItem::Conditions1, true);
    for (MenuItem item : kSideItems) Set(item, true);
    Changed();
}

void DisableTurnMenus() {
    const int kind = GameRec->GameKind;
    CurrentFrontend().SetCursor(CursorKind::Hourglass);
    Set(MenuItem::LoadGame1, false);
    Set(MenuItem::SaveGame1, false);
    if (kind == 2 || (kind == 4 && GameStatus == 0)) {
        Set(MenuItem::Execute1, false);
        Set(MenuItem::SpeedButton1, false);
    }
    if (kind >= 2) Set(MenuItem::Hidden1, false);
    Set(MenuItem::Quit1, false);
    Set(MenuItem::About1, false);
    Set(MenuItem::Conditions1, false);
    for (MenuItem item : kSideItems) Set(item, false);
    for (MenuItem item : kOrderItems) Set(item, false);
    // A side taken up while units move would give orders, and clicks on the map, in the middle of
    // the movement, whose cursors are the selections.
    Set(MenuItem::SideChange, false);
    // A playback started again in the middle of the movement would take the half-shown turn as
    // the game received.
    Set(MenuItem::Playback1, false);
    Set(MenuItem::Speedbutton2, false);
    Changed();
}

void NoSideMenuState() {
    for (MenuItem item : kSideItems) Set(item, false);
    for (MenuItem item : kOrderItems) Set(item, false);
    Changed();
}

void SetSideChangeCaption() {
    const int text = SidePlayed == 1 ? 465 : SidePlayed == 2 ? 466 : 464;
    TurnMenus.sideChangeCaption = Text(text);
    Changed();
}

void ResetTurnMenus() {
    TurnMenus = TTurnMenus{};
    // As the window's layout has them before any game is in play.
    for (MenuItem item : {MenuItem::LoadGame1, MenuItem::Hidden1, MenuItem::Quit1, MenuItem::About1,
                          MenuItem::CheckLeaders, MenuItem::ArmyOrders1, MenuItem::SideChange})
        Set(item, true);
}

}  // namespace kvt
