// The brigade display of the corps in SelectedCorps: one row per brigade (ten at most), each
// reinforced from its home state's recruits and paid for in weapons from the played nation's
// pool, or re-armed from that pool. Strengths are in brigade units: 50 men, or 2 guns for
// artillery. Every change is written at once; nothing survives the dialog but the record.
#pragma once

#include <array>
#include <string>

namespace kvt {

constexpr int kBrigadeDisplayRows = 10;

struct TBrigadeRow {
    int brigade = 0;  // 0: an empty row, shown not at all
    std::string name, type, quality, strength, reinforcements, weapon;
    // The check box, and the reinforcements label, which stays once the row was reinforced.
    bool reinforceOffered = false, reinforcementsShown = false;
};

struct TBrigadeDisplay {
    int corps = 0;
    std::array<TBrigadeRow, kBrigadeDisplayRows> rows;
};

// Lists the corps' first ten brigades; false when the selection names no corps in use.
bool OpenBrigadeDisplay(TBrigadeDisplay& d);
// Fills a brigade's shortfall from its home state's recruits, paying weapons from the played
// nation's pool; a shortage of weapons is told in a notice and changes nothing.
void ReinforceBrigade(int brigade);
// A row's check box: reinforce, then show the new strength and what the state has left on every
// row drawing on the same pool. The check box goes, whether or not the brigade was reinforced.
void ReinforceDisplayRow(TBrigadeDisplay& d, int row);
// A row's weapon label after a weapon choice.
void RefreshDisplayWeapon(TBrigadeDisplay& d, int row);

// The weapon choice for one brigade: the played nation's pool by kind 1..8, shown in men (kinds
// 1..5) or guns (6..8), and the kinds of the brigade's arm that can arm all of it.
struct TWeaponChoice {
    int brigade = 0;
    std::array<std::string, 9> counts;  // [1..8]
    std::array<bool, 9> offered = {};   // [1..8]
};
TWeaponChoice OpenWeaponChoice(int brigade);
// Re-arms the brigade with kind k (0: nothing chosen), its old weapons going back to the pool.
void ApplyWeaponChoice(int brigade, int kind);

}  // namespace kvt
