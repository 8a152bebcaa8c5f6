// Which menu items and tool buttons of the main window are enabled in each state of a turn.
// The engine owns the state and tells the window through Frontend::MenusChanged; the window only
// mirrors it, so headless runs and tests see exactly what a player would be offered.
#pragma once

#include <array>
#include <string>

namespace kvt {

enum class MenuItem {
    LoadGame1, SaveGame1, Execute1, SpeedButton1, Playback1, Speedbutton2, Hidden1, Quit1, About1,
    Conditions1, ForceStatus1, Production1, Draft1, States1, Transfers1, Leadership1, CheckLeaders,
    ForceOverview1, FleetOverview1, ArmBrigades1, RaiseArmy1, RaiseCorps1, RaiseFleet1,
    CorpsOrders1, ArmyOrders1, CityOrders1, FleetOrders1,
    SideChange,
    Count
};

struct TTurnMenus {
    std::array<bool, static_cast<std::size_t>(MenuItem::Count)> enabled{};
    // Caption of the side menu item SideChange.
    std::string sideChangeCaption;

    bool operator[](MenuItem item) const { return enabled[static_cast<std::size_t>(item)]; }
};

extern TTurnMenus TurnMenus;

// Switches items and tells the window once.
void SetMenuItems(std::initializer_list<MenuItem> items, bool on);
inline void SetMenuItem(MenuItem item, bool on) { SetMenuItems({item}, on); }
bool MenuItemEnabled(MenuItem item);

// The three menu states of a turn: orders may be given, a side is played, a turn is running.
void EnableTurnMenus();
void SideMenuState();
void DisableTurnMenus();
// No side is played any more: the items of a side and its orders are withdrawn. Execute is off
// already wherever a turn can be handed over (a mail game set up or executed).
void NoSideMenuState();

// The side menu item's caption for the side played (texts 464, 465, 466).
void SetSideChangeCaption();

// The state of a freshly created main window.
void ResetTurnMenus();

}  // namespace kvt
