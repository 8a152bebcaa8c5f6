// Hex geometry: steps, neighbours, distance and direction on the offset-column map.
#include <gtest/gtest.h>

#include <array>
#include <queue>
#include <vector>

#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "tests/support/engine_fixture.h"

namespace kvt {
namespace {

using testing::EngineTest;

class HexGeometry : public EngineTest {};

// Breadth-first step counts from one hex over the whole map, using only StepHexAt.
std::vector<int> BreadthFirstSteps(int sx, int sy) {
    std::vector<int> dist(kMapColumns * kMapRows + 1, -1);
    auto at = [](int x, int y) { return (x - 1) * kMapRows + (y - 1); };
    std::queue<std::pair<int, int>> q;
    dist[at(sx, sy)] = 0;
    q.push({sx, sy});
    while (!q.empty()) {
        auto [x, y] = q.front();
        q.pop();
        for (int d = 1; d <= 6; ++d) {
            int nx = x, ny = y;
            StepHexAt(nx, ny, d);
            if (!OnMap(nx, ny) || dist[at(nx, ny)] >= 0) continue;
            dist[at(nx, ny)] = dist[at(x, y)] + 1;
            q.push({nx, ny});
        }
    }
    return dist;
}

TEST_F(HexGeometry, DistanceEqualsBreadthFirstStepsOverTheWholeMap) {
    const std::vector<std::pair<int, int>> sources = {
        {1, 1}, {76, 54}, {1, 54}, {76, 1}, {2, 5}, {3, 4}, {38, 27}, {37, 27}, {40, 1}, {41, 54},
        {10, 33}, {11, 33}, {64, 12}, {65, 12}, {20, 20}, {21, 21}, {50, 40}, {51, 41}};
    for (auto [sx, sy] : sources) {
        auto dist = BreadthFirstSteps(sx, sy);
        for (int x = 1; x <= kMapColumns; ++x)
            for (int y = 1; y <= kMapRows; ++y)
                ASSERT_EQ(HexDistance(sx, sy, x, y), dist[(x - 1) * kMapRows + (y - 1)])
                    << "from (" << sx << "," << sy << ") to (" << x << "," << y << ")";
    }
}

TEST_F(HexGeometry, StepAndItsOppositeReturnHome) {
    for (int x = 2; x < kMapColumns; ++x)
        for (int y = 2; y < kMapRows; ++y)
            for (int d = 1; d <= 6; ++d) {
                HexCursor = {static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)};
                StepHex(d);
                EXPECT_EQ(HexDistance(x, y, HexCursor.X, HexCursor.Y), 1);
                StepHex(OppositeDirection(d));
                ASSERT_EQ(HexCursor, (THexPos{static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)}))
                    << "direction " << d << " from " << x << "," << y;
            }
}

TEST_F(HexGeometry, StepTableFromOddAndEvenColumns) {
    struct Case { int x, y, dir, ex, ey; };
    const Case cases[] = {
        {5, 5, 1, 5, 4}, {5, 5, 2, 6, 4}, {5, 5, 3, 6, 5}, {5, 5, 4, 5, 6}, {5, 5, 5, 4, 5}, {5, 5, 6, 4, 4},
        {6, 5, 1, 6, 4}, {6, 5, 2, 7, 5}, {6, 5, 3, 7, 6}, {6, 5, 4, 6, 6}, {6, 5, 5, 5, 6}, {6, 5, 6, 5, 5},
    };
    for (const Case& c : cases) {
        int x = c.x, y = c.y;
        StepHexAt(x, y, c.dir);
        EXPECT_EQ(x, c.ex) << c.x << "," << c.y << " dir " << c.dir;
        EXPECT_EQ(y, c.ey) << c.x << "," << c.y << " dir " << c.dir;
    }
}

TEST_F(HexGeometry, StepOutsideOneToSixStaysPut) {
    for (int d : {0, 7, -1, 255}) {
        HexCursor = {10, 10};
        StepHex(d);
        EXPECT_EQ(HexCursor, (THexPos{10, 10})) << d;
    }
}

TEST_F(HexGeometry, NeighbourTableListsTheSixHexesAround) {
    // Written out by hand for an odd and an even column, clockwise from north.
    ListHexNeighbours(33, 17);
    const THexPos odd[7] = {{}, {33, 16}, {34, 16}, {34, 17}, {33, 18}, {32, 17}, {32, 16}};
    for (int d = 1; d <= 6; ++d) EXPECT_EQ(NeighbourTable[d], odd[d]) << "odd column, direction " << d;
    ListHexNeighbours(34, 17);
    const THexPos even[7] = {{}, {34, 16}, {35, 17}, {35, 18}, {34, 18}, {33, 18}, {33, 17}};
    for (int d = 1; d <= 6; ++d) EXPECT_EQ(NeighbourTable[d], even[d]) << "even column, direction " << d;
    // At the corner the neighbours lie off the map, and callers test that.
    ListHexNeighbours(1, 1);
    EXPECT_EQ(NeighbourTable[1], (THexPos{1, 0}));
    EXPECT_EQ(NeighbourTable[6], (THexPos{0, 0}));
    EXPECT_FALSE(OnMap(NeighbourTable[5].X, NeighbourTable[5].Y));
}

TEST(HexBits, TestBitReadsOneBit) {
    const struct { std::uint32_t x; int n; int expected; } cases[] = {
        {11, 0, 1}, {10, 0, 0}, {0x80, 7, 1}, {0x40, 7, 0}, {0x80000000u, 31, 1}, {1, 32, 0}, {1, -1, 0}};
    for (const auto& c : cases) EXPECT_EQ(TestBit(c.x, c.n), c.expected) << c.x << " bit " << c.n;
}

TEST_F(HexGeometry, DirectionTowardAHex) {
    EXPECT_EQ(HexDirectionTo(2, 4, 3, 4), 2);
    EXPECT_EQ(HexDirectionTo(3, 4, 4, 4), 3);
    EXPECT_EQ(HexDirectionTo(7, 7, 7, 7), 0);
    EXPECT_EQ(HexDirectionTo(7, 9, 7, 2), 1);
    EXPECT_EQ(HexDirectionTo(7, 2, 7, 9), 4);
    // Following the direction always closes in on the target.
    for (auto [x1, y1, x2, y2] : std::vector<std::array<int, 4>>{{1, 1, 76, 54}, {70, 3, 4, 50}, {30, 30, 31, 2}, {5, 40, 60, 41}}) {
        int x = x1, y = y1, steps = 0;
        while ((x != x2 || y != y2) && steps < 200) {
            int before = HexDistance(x, y, x2, y2);
            StepHexAt(x, y, HexDirectionTo(x, y, x2, y2));
            ASSERT_EQ(HexDistance(x, y, x2, y2), before - 1);
            ++steps;
        }
        EXPECT_EQ(steps, HexDistance(x1, y1, x2, y2));
    }
}

TEST_F(HexGeometry, MapCellsLieColumnByColumn) {
    MapGrid->Cell(1, 2).SetState(7);
    EXPECT_EQ(MapGrid->bytes()[3 + 2], 7);
    MapGrid->Cell(76, 54).SetState(37);
    EXPECT_EQ(MapGrid->bytes()[kMapGridSize - 1], 37);
    MapGrid->Cell(2, 1).SetTerrain(5);
    EXPECT_EQ(MapGrid->bytes()[162 + 1] & 7, 5);
}

TEST_F(HexGeometry, CellBitsKeepTheirNeighbours) {
    MapCell& c = MapGrid->Cell(10, 10);
    c.b[1] = 0x30;  // bits 4-5 carry nothing but must survive rewrites
    c.SetTerrain(6);
    c.SetRail(true);
    c.SetControlSide(2);
    EXPECT_EQ(c.b[1], 0x30 | 6 | 0x08 | 0x80);
    c.SetControlSide(1);
    EXPECT_EQ(c.ControlSide(), 1);
    EXPECT_EQ(c.Terrain(), 6);
    c.b[1] |= 0xC0;
    EXPECT_EQ(c.ControlSide(), 0) << "a stored 3 counts as no side";
    c.b[0] = 0;
    c.SetHexside(2, 3);
    c.SetRiver(true);
    EXPECT_EQ(c.Hexside(1), 0);
    EXPECT_EQ(c.Hexside(2), 3);
    EXPECT_TRUE(c.River());
    EXPECT_FALSE(c.RiverNavigable());
}

TEST_F(HexGeometry, OffMapHexesAreImpassableAndIgnoreWrites) {
    for (auto [x, y] : std::vector<std::pair<int, int>>{{0, 5}, {77, 5}, {5, 0}, {5, 55}, {-3, -3}}) {
        MapCell& c = MapGrid->Cell(x, y);
        EXPECT_EQ(c.Terrain(), kTerrainImpassable);
        EXPECT_FALSE(c.Rail());
        EXPECT_FALSE(c.RiverNavigable());
        EXPECT_EQ(c.Hexside(1), 3);
        c.SetState(9);
        c.SetTerrain(1);
        EXPECT_EQ(MapGrid->Cell(x, y).State(), 0);
        EXPECT_EQ(MapGrid->Cell(x, y).Terrain(), kTerrainImpassable);
    }
}

TEST_F(HexGeometry, HexsidesSouthOfAHexBelongToItsNeighbours) {
    // The south side of (10, 10) is the north side of (10, 11).
    MapGrid->Cell(10, 11).SetHexside(1, 2);
    EXPECT_EQ(HexsideValue(*MapGrid, 10, 10, 4), 2);
    EXPECT_EQ(HexsideValue(*MapGrid, 10, 11, 1), 2);
    // The south-west side of (11, 10) is the north-east side of the hex beyond it.
    int x = 11, y = 10;
    StepHexAt(x, y, 5);
    MapGrid->Cell(x, y).SetHexside(2, 3);
    EXPECT_EQ(HexsideValue(*MapGrid, 11, 10, 5), 3);
    // Leaving the map crosses the heaviest side.
    EXPECT_EQ(HexsideValue(*MapGrid, 1, 1, 6), 3);
}

}  // namespace
}  // namespace kvt
