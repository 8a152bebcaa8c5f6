// The three menu states of a turn, item by item, for every kind of game and game status: what
// each state enables, disables or leaves as it was.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/view/turn_menus.h"
#include "engine/world/globals.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

class TurnMenuStates : public testing::EngineTest {};

// E enabled, D disabled, U unchanged; the conditional rows name their condition.
enum class Rule { E, D, U, ExecuteOffered, ExecuteWithdrawn, HiddenInMail, HiddenOutsideMail };

struct Row {
    std::vector<MenuItem> items;
    Rule enable, side, disable;
};

const std::vector<Row>& Table() {
    using M = MenuItem;
    static const std::vector<Row> rows = {
        {{M::LoadGame1, M::SaveGame1}, Rule::E, Rule::U, Rule::D},
        {{M::Execute1, M::SpeedButton1}, Rule::ExecuteOffered, Rule::U, Rule::ExecuteWithdrawn},
        {{M::Hidden1}, Rule::HiddenOutsideMail, Rule::HiddenInMail, Rule::HiddenInMail},
        {{M::Quit1, M::About1}, Rule::E, Rule::U, Rule::D},
        {{M::Conditions1}, Rule::E, Rule::E, Rule::D},
        {{M::ForceStatus1, M::Production1, M::Draft1, M::States1, M::Transfers1, M::Leadership1, M::CheckLeaders,
          M::ForceOverview1, M::FleetOverview1, M::ArmBrigades1, M::RaiseArmy1, M::RaiseCorps1, M::RaiseFleet1},
         Rule::D, Rule::E, Rule::D},
        {{M::CorpsOrders1, M::ArmyOrders1, M::CityOrders1, M::FleetOrders1}, Rule::D, Rule::U, Rule::D},
        // No side is taken up while units move; the side to play then enables the item again.
        {{M::SideChange}, Rule::U, Rule::U, Rule::D},
        // Offered by the load only; never while units move.
        {{M::Playback1, M::Speedbutton2}, Rule::U, Rule::U, Rule::D},
    };
    return rows;
}

bool Expected(Rule rule, bool before, int kind, int status) {
    switch (rule) {
        case Rule::E: return true;
        case Rule::D: return false;
        case Rule::U: return before;
        case Rule::ExecuteOffered: return kind == 2 || kind == 4 ? false : status == 0 ? true : before;
        case Rule::ExecuteWithdrawn: return kind == 2 || (kind == 4 && status == 0) ? false : before;
        case Rule::HiddenInMail: return kind >= 2 ? false : before;
        case Rule::HiddenOutsideMail: return kind < 2;
    }
    return before;
}

TEST_F(TurnMenuStates, EachStateSetsEveryItemAsItsRowSays) {
    struct State {
        const char* name;
        std::function<void()> apply;
        Rule Row::*rule;
        CursorKind cursor;
    };
    const State states[] = {
        {"orders may be given", EnableTurnMenus, &Row::enable, CursorKind::Arrow},
        {"a side is played", SideMenuState, &Row::side, CursorKind::Arrow},
        {"a turn is running", DisableTurnMenus, &Row::disable, CursorKind::Hourglass},
    };
    std::size_t itemsInTable = 0;
    for (const Row& row : Table()) itemsInTable += row.items.size();
    ASSERT_EQ(itemsInTable, static_cast<std::size_t>(MenuItem::Count)) << "every item has its row";

    for (const State& state : states)
        for (int kind : {0, 2, 3, 4})
            for (int status : {0, 1, 2})
                for (bool before : {false, true}) {
                    SCOPED_TRACE(std::string(state.name) + ", kind " + std::to_string(kind) + ", status " +
                                 std::to_string(status) + (before ? ", all on before" : ", all off before"));
                    GameRec->GameKind = static_cast<std::uint16_t>(kind);
                    GameStatus = static_cast<std::uint16_t>(status);
                    TurnMenus.enabled.fill(before);
                    ScriptedFrontend fe;
                    fe.cursor = state.cursor == CursorKind::Arrow ? CursorKind::Hourglass : CursorKind::Arrow;
                    state.apply();
                    for (const Row& row : Table())
                        for (MenuItem item : row.items)
                            EXPECT_EQ(MenuItemEnabled(item), Expected(row.*state.rule, before, kind, status))
                                << "item " << static_cast<int>(item);
                    EXPECT_EQ(fe.cursor, state.cursor);
                    EXPECT_EQ(fe.menus.enabled, TurnMenus.enabled) << "the window is told the new state";
                }
    GameStatus = 0;
}

}  // namespace
}  // namespace kvt
