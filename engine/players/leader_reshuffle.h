// Leader reshuffle: each turn a computer nation relieves the army and corps commanders whose
// prestige has sunk too low and appoints the leaders PickCommander offers, with a notice for each;
// a corps commander's fall may cost the nation's states loyalty.
#pragma once

namespace kvt {

// Works on the nation in SidePlayed. An army commander below -21 prestige or a corps commander
// below -20 is relieved (Status 200) when PickCommander offers a successor; commands without a
// commander are passed over. After each discredited corps commander, replaced or not, Random(10)
// is drawn and then three Random(10) for every state the corps' nation owns: a draw below the first
// plus twice the successor's prestige costs that state 1 loyalty, only when he was replaced.
void ReshuffleComputerLeaders();

}  // namespace kvt
