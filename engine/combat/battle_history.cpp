// The battle history writer. The reader and the replay dialogs live with the replay.
#include "engine/combat/battle_history.h"

#include "engine/combat/battle_results.h"
#include "engine/combat/battle_setup.h"
#include "engine/combat/battle_state.h"
#include "engine/core/globals.h"
#include "engine/core/text_table.h"

namespace kvt {

namespace {

bool Recording() { return GameRec->GameKind > 2; }

void WriteRows(const std::array<TResultsRow, 11>& rows, const char* marker) {
    for (int r = 1; r <= 10; ++r) {
        const TResultsRow& row = rows[r];
        if (row.leader.empty()) {
            BattleLog.emplace_back(marker);
            continue;
        }
        BattleLog.insert(BattleLog.end(), {row.leader, row.brigades, row.casualties, row.disruption});
    }
}

}  // namespace

void WriteBattleHistoryHeader(const TCombatResolutionView& v) {
    if (!Recording()) return;
    Bump(GameRec->BattlesThisTurn, 1);
    BattleLog.insert(BattleLog.end(), {"Battle", v.place, "Union Forces", v.unionLeader, "Confederate Forces",
                                       v.confederateLeader, v.terrain, v.weather});
}

void WriteBattleHistory(const TBattleResultsView& v) {
    if (!Recording()) return;
    BattleLog.insert(BattleLog.end(), {"Result", v.initiative, v.intensity, Text(505), v.unionLeader, v.unionLosses});
    WriteRows(v.unionRows, "EndOfUnion");
    BattleLog.insert(BattleLog.end(), {Text(506), v.confederateLeader, v.confederateLosses});
    WriteRows(v.confederateRows, "EndOfConfed");
    BattleLog.insert(BattleLog.end(), {v.result, v.weapons, "EndOfBattle"});
}

}  // namespace kvt
