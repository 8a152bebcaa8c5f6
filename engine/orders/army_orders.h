// Army orders: what the army orders dialog shows of one army of the side played, the commander
// change made while it is open, and the standing orders copied into every corps of the army when
// it closes. The dialog only shows these answers and hands back what was chosen; questions go
// through the Frontend and the notice service, never through a wait of our own.
#pragma once

#include <string>
#include <vector>

#include "engine/orders/order_support.h"

namespace kvt {

// Order codes of the army record, as the dialog's radio rows stand for them.
constexpr int kArmyStances = 4;          // 0 Withdraw, 1 Defend, 2 Advance, 3 Training
constexpr int kArmyMarches = 3;          // 0 Cautious, 1 Normal, 2 Forced
constexpr int kArmySupplyTypes = 2;      // 0 Depot, 1 Encamped
constexpr int kArmySupplyPriorities = 3; // 0 Subsistence, 1 Standard, 2 High
constexpr int kArmyStanceTraining = 3;

// Everything the dialog shows when it opens; -1 where nothing is checked or selected.
struct TArmyOrdersView {
    std::string title;          // Label1
    std::string menAndGuns;     // Label2
    std::string corpsCount;     // Label5
    std::string capacity;       // Label6; empty (the label hidden) while the army has no commander
    std::string nation;         // Label7
    std::string condition;      // Label8
    std::string baseHeading;    // Label9
    std::string objectiveHeading;  // Label10
    std::string name;           // Edit1
    int stance = -1, march = -1, supplyType = -1, supplyPriority = -1;
    std::vector<TOrderRow> supplyBases;  // ListBox1
    int supplyBaseRow = -1;
    std::vector<TOrderRow> objectives;   // ListBox2
    int objectiveRow = -1;
    std::vector<TOrderRow> commanders;   // ListBox3: the commander first (when there is one)
    int commanderRow = -1;
};

// What the person left chosen when the dialog closed; -1 or 0 where nothing was.
struct TArmyOrderChoices {
    std::string name;  // as typed (UTF-8); stored as the record holds names
    int stance = -1, march = -1, supplyType = -1, supplyPriority = -1;
    int supplyBase = 0;  // a city
    int objective = 0;   // a city
};

// Whether `army` names an army in use (a free or out-of-range slot opens nothing).
bool ArmyOrdersAvailable(int army);
// The opening: recounts the army's corps into CorpsCount and answers what the dialog shows.
TArmyOrdersView OpenArmyOrders(int army);
// The army's condition with its band: "Condition: 12/Fair".
std::string ArmyLabelText(int army);
// The person clicked a commander row: relieves the commander (asking first unless he is already
// marked for removal; a commander with friends in government costs national will and loyalty) and
// installs the new one. Answers whether the army's commander changed.
bool ChangeArmyCommander(int army, int leader);
// The closing: the army's orders, then the same orders in every corps of the army.
void CloseArmyOrders(int army, const TArmyOrderChoices& choices);

}  // namespace kvt
