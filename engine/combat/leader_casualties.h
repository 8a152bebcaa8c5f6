// Leader casualties of a field battle: losses put a corps' commander at risk, volleys that cost an
// army's corps men put the army's commander at risk. A fallen leader is wounded for 1 to 24 turns
// or killed; a person picks the successor in the leader-casualty dialog (through the Frontend), the
// computer and the absent side of a mail game get one by rule. Uses the battle's intensity and
// LeaderLossChance (CombatWords).
#pragma once

#include <string>
#include <vector>

namespace kvt {

// One candidate line of the leader-casualty dialog, with the four rating texts a click shows.
struct TSuccessorLine {
    std::string text;  // name and " - promotion", " - same rank" or " - senior rank"
    int leader = 0;
    std::string initiative, rating, drill, tactics;  // Label5, Label6, Label7, Label8
};

struct TLeaderSuccessorView {
    std::string caption;  // text 579
    std::string okCaption = "OK";
    std::vector<TSuccessorLine> lines;
};

// After a loss whose condition roll came up: the corps' commander may fall.
void CheckCorpsLeaderCasualty(int corps);
// After a volley that cost a corps of the army men: the army's commander may fall.
void CheckArmyLeaderCasualty(int army);
// The dialog for a corps: the leader chosen (made active, promoted to the rank wanted), 0 for none.
int ShowCorpsLeaderCasualty(int corps);
// The dialog for an army (rank 3 and up, available or relieved); 0 without a choice or candidates.
int ShowArmyLeaderCasualty(int army);

// The candidates offered for a corps or an army.
TLeaderSuccessorView CorpsSuccessorView(int corps);
TLeaderSuccessorView ArmySuccessorView(int army);

}  // namespace kvt
