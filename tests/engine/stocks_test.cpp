// The one way every pool word changes: floored at 0, capped at 65,535 or a rule's own cap, never
// wrapped, and never cut back by a rise that meets a lower cap.
#include <gtest/gtest.h>

#include "engine/core/stocks.h"
#include "tests/support/engine_fixture.h"

namespace kvt {
namespace {

class Stocks : public testing::EngineTest {};

TEST_F(Stocks, ChangesSaturateAtTheFloorAndTheCap) {
    struct Case { const char* what; int before; long long delta; int cap, after, change; };
    const Case cases[] = {
        {"a plain rise", 100, 50, kStockCap, 150, 50},
        {"a take below 0 stops at 0", 30, -50, kStockCap, 0, -30},
        {"a rise past 65,535 stops there", 65530, 100, kStockCap, 65535, 5},
        {"a rule's cap", 90, 20, 100, 100, 10},
        {"a rise above a lower cap keeps the word", 150, 20, 100, 150, 0},
        {"a take under a lower cap still takes", 150, -20, 100, 130, -20},
    };
    for (const Case& c : cases) {
        U16 word;
        word = static_cast<std::uint16_t>(c.before);
        EXPECT_EQ(ChangeStock(word, c.delta, StockRule::Other, c.cap), c.change) << c.what;
        EXPECT_EQ(word, c.after) << c.what;
    }
    U16 word;
    word = 40;
    EXPECT_EQ(TakeStock(word, 100, StockRule::Other), 40);
    EXPECT_EQ(word, 0);
    EXPECT_EQ(SetStock(word, 70000, StockRule::Other), 65535);
    EXPECT_EQ(word, 65535);
}

}  // namespace
}  // namespace kvt
