// The hex map and the geometry every rule shares.
// Columns 1..76 west to east, rows 1..54 north to south; an even column lies half a hex lower than
// its odd neighbours. Directions 1..6 run clockwise from north (1 N, 2 NE, 3 SE, 4 S, 5 SW, 6 NW);
// 0 means none. Distances are in hexes and computed in closed form, never by search.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kvt {

constexpr int kMapColumns = 76;
constexpr int kMapRows = 54;
constexpr std::size_t kMapGridSize = 12312;

// Terrain classes of byte 1, bits 0-2.
constexpr int kTerrainWater = 0;
constexpr int kTerrainImpassable = 3;
constexpr int kTerrainCity = 4;

struct MapCell {
    std::uint8_t b[3];

    // Byte 0: hexsides of directions 1..3 (two bits each), river navigation bit 6, river bit 7.
    int Hexside(int dir) const { return (dir >= 1 && dir <= 3) ? (b[0] >> (2 * (dir - 1))) & 3 : 0; }
    void SetHexside(int dir, int value) {
        if (dir < 1 || dir > 3) return;
        int shift = 2 * (dir - 1);
        b[0] = static_cast<std::uint8_t>((b[0] & ~(3 << shift)) | ((value & 3) << shift));
    }
    bool RiverNavigable() const { return (b[0] & 0x40) != 0; }
    bool River() const { return (b[0] & 0x80) != 0; }
    void SetRiverNavigable(bool on) { b[0] = on ? (b[0] | 0x40) : (b[0] & ~0x40); }
    void SetRiver(bool on) { b[0] = on ? (b[0] | 0x80) : (b[0] & ~0x80); }

    // Byte 1: terrain class bits 0-2, rail bit 3, bits 4-5 kept as stored, controlling side bits 6-7.
    int Terrain() const { return b[1] & 7; }
    void SetTerrain(int t) { b[1] = static_cast<std::uint8_t>((b[1] & ~7) | (t & 7)); }
    bool Rail() const { return (b[1] & 0x08) != 0; }
    void SetRail(bool on) { b[1] = on ? (b[1] | 0x08) : (b[1] & ~0x08); }
    // The stored side; hex control reads a stored 3 as none, so callers get 0 for it.
    int ControlSide() const {
        int s = b[1] >> 6;
        return s == 3 ? 0 : s;
    }
    int RawControlSide() const { return b[1] >> 6; }
    void SetControlSide(int side) { b[1] = static_cast<std::uint8_t>((b[1] & 0x3F) | ((side & 3) << 6)); }

    // Byte 2: the state, 1..37; 0 none.
    int State() const { return b[2]; }
    void SetState(int s) { b[2] = static_cast<std::uint8_t>(s); }
};
static_assert(sizeof(MapCell) == 3);

inline bool OnMap(int x, int y) { return x >= 1 && x <= kMapColumns && y >= 1 && y <= kMapRows; }

// The map, stored column by column exactly as the map file holds it.
struct TMapGrid {
    MapCell cells[kMapColumns * kMapRows];

    // Off-map hexes read as impassable (heaviest hexsides, no river, no rail, no state) and
    // writes to them are discarded, so a rule stepping past the edge can neither crash nor
    // change a real hex.
    MapCell& Cell(int x, int y) {
        if (OnMap(x, y)) return cells[(x - 1) * kMapRows + (y - 1)];
        return OffMap();
    }
    const MapCell& Cell(int x, int y) const {
        if (OnMap(x, y)) return cells[(x - 1) * kMapRows + (y - 1)];
        return OffMap();
    }
    std::uint8_t* bytes() { return reinterpret_cast<std::uint8_t*>(cells); }
    const std::uint8_t* bytes() const { return reinterpret_cast<const std::uint8_t*>(cells); }

private:
    static MapCell& OffMap();
};
static_assert(sizeof(TMapGrid) == kMapGridSize);

// A column and row pair, as the shared cursors hold them.
struct THexPos {
    std::uint16_t X = 0;
    std::uint16_t Y = 0;
    bool operator==(const THexPos&) const = default;
};

// Shared geometry globals: every user sets them before reading.
extern THexPos HexCursor;
extern THexPos NeighbourTable[7];  // entries 1..6; 0 unused

int TestBit(std::uint32_t x, int n);

// Moves HexCursor one hex; a direction outside 1..6 leaves it unchanged. No bounds test.
void StepHex(int direction);
// The same step on the caller's own column and row.
void StepHexAt(int& x, int& y, int direction);
// Fills NeighbourTable[1..6] with the neighbours of (x, y); entries may lie off the map.
void ListHexNeighbours(int x, int y);
// Least number of steps between two hexes. Inline: the rules measure millions of distances a
// campaign.
// Without branches: the distances the rules measure follow no pattern a branch could foresee.
inline int HexDistance(int x1, int y1, int x2, int y2) {
    const int dx = x1 > x2 ? x1 - x2 : x2 - x1;
    const int dy = y1 > y2 ? y1 - y2 : y2 - y1;
    // Every second column step also climbs a row for free, one more over an odd number of columns
    // when the row runs the way the start column leans (down from an even column, up from an odd).
    const int x1Odd = x1 & 1;
    const int lean = dx & 1 & (((y1 < y2) & (x1Odd ^ 1)) | ((y2 < y1) & x1Odd));
    const int allowance = dx / 2 + lean;
    return dx + dy - (allowance < dy ? allowance : dy);
}
// The movement rules' own name for the same distance.
inline int MovementHexDistance(int x1, int y1, int x2, int y2) { return HexDistance(x1, y1, x2, y2); }
// Direction 1..6 in which to leave (x1, y1) toward (x2, y2); 0 for the same hex.
int HexDirectionTo(int x1, int y1, int x2, int y2);
// The opposite of a direction 1..6 (0 stays 0).
inline int OppositeDirection(int d) { return (d >= 1 && d <= 6) ? ((d + 2) % 6) + 1 : 0; }

// Value 0..3 of the hexside crossed when leaving (x, y) in direction 1..6: sides 1..3 are stored
// in the hex itself, sides 4..6 in the neighbour beyond them. Off-map sides read as 3.
int HexsideValue(const TMapGrid& map, int x, int y, int direction);

}  // namespace kvt
