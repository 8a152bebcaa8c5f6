// Hex geometry: one step, neighbours, distance and direction on the offset-column grid.
// Pure integer arithmetic; never touches the map except to read hexsides.
#include "engine/world/map_grid.h"

#include <cstdlib>
#include <cstring>

namespace kvt {

THexPos HexCursor;
THexPos NeighbourTable[7];

MapCell& TMapGrid::OffMap() {
    // Class 3 with the heaviest hexsides and no river or rail bit is refused by every mode of
    // movement, ships included, which plain water would not be.
    static MapCell cell;
    cell.b[0] = 0x3F;
    cell.b[1] = kTerrainImpassable;
    cell.b[2] = 0;
    return cell;
}

int TestBit(std::uint32_t x, int n) {
    if (n < 0 || n > 31) return 0;
    return static_cast<int>((x >> n) & 1u);
}

void StepHexAt(int& x, int& y, int direction) {
    const bool odd = (x & 1) != 0;
    switch (direction) {
        case 1: y -= 1; break;
        case 2: x += 1; if (odd) y -= 1; break;
        case 3: x += 1; if (!odd) y += 1; break;
        case 4: y += 1; break;
        case 5: x -= 1; if (!odd) y += 1; break;
        case 6: x -= 1; if (odd) y -= 1; break;
        default: break;
    }
}

void StepHex(int direction) {
    int x = HexCursor.X, y = HexCursor.Y;
    StepHexAt(x, y, direction);
    HexCursor.X = static_cast<std::uint16_t>(x);
    HexCursor.Y = static_cast<std::uint16_t>(y);
}

void ListHexNeighbours(int x, int y) {
    for (THexPos& n : NeighbourTable) n = {};
    for (int d = 1; d <= 6; ++d) {
        int nx = x, ny = y;
        StepHexAt(nx, ny, d);
        NeighbourTable[d].X = static_cast<std::uint16_t>(nx < 0 ? 0 : nx);
        NeighbourTable[d].Y = static_cast<std::uint16_t>(ny < 0 ? 0 : ny);
    }
}

int HexDirectionTo(int x1, int y1, int x2, int y2) {
    const int dx = std::abs(x1 - x2);
    const int dy = std::abs(y1 - y2);
    bool north;
    if (y1 > y2) north = true;
    else if (y2 > y1) north = false;
    else north = (x1 & 1) == 0;  // same row: north of an even column, south of an odd one
    if (dy > dx) return north ? 1 : 4;
    if (x2 > x1) return north ? 2 : 3;
    if (x1 > x2) return north ? 6 : 5;
    return 0;
}

int HexsideValue(const TMapGrid& map, int x, int y, int direction) {
    if (direction < 1 || direction > 6) return 0;
    if (!OnMap(x, y)) return 3;
    if (direction <= 3) return map.Cell(x, y).Hexside(direction);
    int nx = x, ny = y;
    StepHexAt(nx, ny, direction);
    if (!OnMap(nx, ny)) return 3;
    return map.Cell(nx, ny).Hexside(direction - 3);
}

}  // namespace kvt
