// The map and the minimap as the picture maker draws them from small maps of our own: railroads
// where rail moves go, rivers and ridges on the hexsides that slow or stop a march, city symbols,
// hexes painted to the outline the program draws over them, and one minimap pixel per hex.
#include <gtest/gtest.h>

#if defined(KVT_PICTURES_BUILT)

#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/world/game_files.h"
#include "engine/world/game_record.h"
#include "engine/world/map_grid.h"
#include "tests/support/engine_fixture.h"
#include "tools/picture_maker/map_pictures.h"

namespace kvt {
namespace {

// Lettering needs an application object; one serves the whole run.
class GuiApplication : public ::testing::Environment {
public:
    void SetUp() override {
        if (QGuiApplication::instance() != nullptr) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "kvt_data_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};
[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(new GuiApplication);

using pictures::HexCentre;
using pictures::HexTile;

bool Seaish(QColor c) { return c.blue() > c.red() + 15; }
bool RiverBlue(QColor c) { return c.blue() > c.red() + 40 && c.blue() > c.green() + 20; }
bool Ink(QColor c) { return c.red() + c.green() + c.blue() < 200; }
// The near-black of a railroad, also where its thin line is shaded into the paper.
bool RailInk(QColor c) {
    const int rg = c.red() - c.green();
    return c.red() + c.green() + c.blue() < 360 && rg >= 0 && rg <= 10 && c.blue() <= c.green();
}
bool RidgeBrown(QColor c) { return c.red() > c.blue() + 30 && c.red() < 170 && c.green() < 130; }
bool CityRed(QColor c) { return c.red() > c.green() + 80 && c.red() > c.blue() + 80; }
bool Paper(QColor c) { return c.red() > 200 && c.red() >= c.blue(); }

// Whether any pixel within `radius` of a point passes a test.
bool Near(const QImage& img, QPointF at, double radius, const std::function<bool(QColor)>& test) {
    for (int dy = -static_cast<int>(radius); dy <= radius; ++dy)
        for (int dx = -static_cast<int>(radius); dx <= radius; ++dx) {
            if (dx * dx + dy * dy > radius * radius) continue;
            const QPoint p(static_cast<int>(std::lround(at.x())) + dx, static_cast<int>(std::lround(at.y())) + dy);
            if (img.valid(p) && test(img.pixelColor(p))) return true;
        }
    return false;
}

// Where a hexside lies: the middle of the side shared with the neighbour in that direction.
QPointF SideMiddle(int c, int r, int direction) {
    const auto k = pictures::HexCorners(c, r);
    static const int from[7] = {0, 1, 2, 3, 4, 5, 0};
    static const int to[7] = {0, 2, 3, 4, 5, 0, 1};
    return (QPointF(k[from[direction]]) + QPointF(k[to[direction]])) / 2.0;
}

// A small world: open country in two states, a sea to the west, and whatever a test lays on it.
struct World {
    std::unique_ptr<TGameRec> rec = std::make_unique<TGameRec>();
    std::unique_ptr<TMapGrid> map = std::make_unique<TMapGrid>();
    int cities = 0;

    World() {
        rec->Month = 7;
        for (int c = 1; c <= kMapColumns; ++c)
            for (int r = 1; r <= kMapRows; ++r) {
                MapCell& cell = map->Cell(c, r);
                cell.SetTerrain(c <= 8 ? kTerrainWater : 1);
                cell.SetState(c <= 8 ? 0 : c <= 60 ? 1 : 2);
            }
        rec->States[1].Name = "Westmark";
        rec->States[2].Name = "Eastmark";
    }
    void City(const char* name, int c, int r, bool station) {
        TCityRec& city = rec->Cities[++cities];
        city.Name = name;
        city.HexX = static_cast<U8>(c);
        city.HexY = static_cast<U8>(r);
        city.State = 1;
        city.RailLink = station ? 1 : 0;
        map->Cell(c, r).SetTerrain(kTerrainCity);
        map->Cell(c, r).SetRail(station);
    }
    // Sets the hexside between a hex and its neighbour in direction 1..6, wherever it is stored.
    void Side(int c, int r, int direction, int value) {
        if (direction <= 3) {
            map->Cell(c, r).SetHexside(direction, value);
            return;
        }
        int x = c, y = r;
        StepHexAt(x, y, direction);
        map->Cell(x, y).SetHexside(direction - 3, value);
    }
    // The sides along the north of a row of hexes from column c1 to c2.
    void NorthSides(int c1, int c2, int r, int value) {
        for (int c = c1; c <= c2; ++c) {
            Side(c, r, 1, value);
            if (c % 2 == 1) {
                if (c > c1) Side(c, r, 6, value);
                if (c < c2) Side(c, r, 2, value);
            }
        }
    }
};

class MapDrawing : public ::testing::Test {};

TEST_F(MapDrawing, RailroadsRunThroughRailHexesOnly) {
    World w;
    w.City("Alton", 20, 20, true);
    w.City("Brandt", 40, 20, true);
    for (int c = 21; c < 40; ++c) w.map->Cell(c, 20).SetRail(true);
    // A north-south line leaving Brandt, and a lone rail hex beside the first line.
    for (int r = 21; r <= 28; ++r) w.map->Cell(40, r).SetRail(true);
    w.map->Cell(30, 21).SetRail(true);
    const QImage img = pictures::DrawMapPicture(*w.rec, *w.map);

    // The line between the stations crosses every hex of the row: its ink lies well inside each
    // hex (whose sides are 14 pixels from the centre).
    for (int c = 22; c <= 38; ++c) {
        EXPECT_TRUE(Near(img, HexCentre(c, 20), 11, RailInk)) << "no rail line at hex " << c << ",20";
    }
    for (int r = 22; r <= 28; ++r) EXPECT_TRUE(Near(img, HexCentre(40, r), 11, RailInk)) << "no rail line at hex 40," << r;
    EXPECT_TRUE(Near(img, HexCentre(30, 21), 4, RailInk)) << "the lone rail hex has no spur";
    // Hexes without rail stay plain paper.
    for (auto [c, r] : {std::pair{30, 12}, std::pair{30, 26}, std::pair{33, 23}, std::pair{46, 24}}) {
        EXPECT_FALSE(Near(img, HexCentre(c, r), 10, RailInk)) << "rail drawn at hex " << c << "," << r;
    }
}

TEST_F(MapDrawing, RiversAndRidgesLieOnTheHexsidesThatSlowAMarch) {
    World w;
    // A great river: heavy sides along the north of a band of river hexes.
    for (int c = 20; c <= 40; ++c) {
        w.map->Cell(c, 30).SetRiver(true);
        w.map->Cell(c, 30).SetRiverNavigable(true);
    }
    w.NorthSides(20, 40, 30, 2);
    // A lesser river and an impassable ridge, each along a row of sides without river hexes.
    w.NorthSides(20, 40, 38, 1);
    w.NorthSides(20, 40, 46, 3);
    const QImage img = pictures::DrawMapPicture(*w.rec, *w.map);

    struct Line { int row, value; std::function<bool(QColor)> looks; const char* what; };
    const std::vector<Line> lines = {{30, 2, RiverBlue, "great river"}, {38, 1, RiverBlue, "lesser river"},
                                     {46, 3, RidgeBrown, "ridge"}};
    for (const Line& l : lines) {
        for (int c = 22; c <= 38; ++c) {
            EXPECT_TRUE(Near(img, SideMiddle(c, l.row, 1), 5, l.looks)) << l.what << " missing at hex " << c << "," << l.row;
        }
    }
    // The great river is broad with dark banks; the lesser river is a single thin line.
    auto across = [&](int c, int r) {
        const QPointF m = SideMiddle(c, r, 1);
        int blue = 0;
        for (int dy = -8; dy <= 8; ++dy) blue += RiverBlue(img.pixelColor(QPoint(static_cast<int>(m.x()), static_cast<int>(m.y()) + dy))) ? 1 : 0;
        return blue;
    };
    EXPECT_GE(across(31, 30), 5);
    EXPECT_LE(across(31, 38), 3);
    EXPECT_GE(across(31, 38), 1);
    // Sides without an obstacle show none.
    for (int c = 22; c <= 38; ++c) {
        EXPECT_FALSE(Near(img, SideMiddle(c, 42, 1), 5, RiverBlue)) << "river drawn at hex " << c << ",42";
        EXPECT_FALSE(Near(img, SideMiddle(c, 42, 1), 5, RidgeBrown)) << "ridge drawn at hex " << c << ",42";
    }
}

TEST_F(MapDrawing, CitiesShowTheirSymbolAndOnlyThere) {
    World w;
    w.City("Corwin", 50, 40, false);
    w.rec->Nations[1].Capital = 2;
    w.City("Dunmore", 30, 10, false);
    const QImage img = pictures::DrawMapPicture(*w.rec, *w.map);
    EXPECT_TRUE(Near(img, HexCentre(50, 40), 3, Ink)) << "city without its ring";
    EXPECT_TRUE(Near(img, HexCentre(30, 10), 3, CityRed)) << "national capital without its star";
    EXPECT_FALSE(Near(img, HexCentre(50, 44), 4, Ink));
    EXPECT_FALSE(Near(img, HexCentre(50, 44), 4, CityRed));
}

// The program outlines each hex with (x+8, y)-(x+24, y)-(x+32, y+15)-(x+24, y+31) from its tile's
// corner; the south and west of the outline are its neighbours' lines. A lone sea hex among land
// must fill exactly that outline.
TEST_F(MapDrawing, HexesFillTheOutlineTheProgramDrawsOverThem) {
    World w;
    for (auto [c, r] : {std::pair{45, 15}, std::pair{46, 24}}) {  // an odd and an even column
        w.map->Cell(c, r).SetTerrain(kTerrainWater);
        const QImage img = pictures::DrawMapPicture(*w.rec, *w.map);
        w.map->Cell(c, r).SetTerrain(1);
        const QPoint t = HexTile(c, r);
        SCOPED_TRACE("hex " + std::to_string(c) + "," + std::to_string(r));
        struct Probe { int dx, dy; bool sea; const char* where; };
        for (const Probe& p : {Probe{16, 2, true, "under the top edge"}, Probe{16, -3, false, "above the top edge"},
                               Probe{9, 2, true, "under the top edge's west end"},
                               Probe{29, 14, true, "inside the east point"}, Probe{35, 14, false, "beyond the east point"},
                               Probe{22, 4, true, "inside the north-east edge"}, Probe{30, 4, false, "beyond the north-east edge"},
                               Probe{22, 24, true, "inside the south-east edge"}, Probe{30, 24, false, "beyond the south-east edge"},
                               Probe{16, 26, true, "above the south edge"}, Probe{16, 31, false, "below the south edge"},
                               Probe{-1, 14, true, "inside the west point"}, Probe{-7, 14, false, "beyond the west point"}}) {
            const QColor px = img.pixelColor(t + QPoint(p.dx, p.dy));
            EXPECT_EQ(Seaish(px), p.sea) << p.where;
            if (!p.sea) { EXPECT_TRUE(Paper(px)) << p.where; }
        }
    }
}

TEST_F(MapDrawing, MinimapHasOnePixelPerHexAtItsColumnAndRow) {
    World w;
    w.map->Cell(60, 10).SetTerrain(5);
    w.map->Cell(61, 11).SetTerrain(6);
    w.City("Elkton", 50, 40, false);
    const QImage mini = pictures::DrawMinimap(*w.map);
    ASSERT_EQ(mini.size(), QSize(76, 54));
    struct Expect { int c, r, terrain; };
    for (const Expect& e : {Expect{60, 10, 5}, Expect{61, 11, 6}, Expect{59, 10, 1}, Expect{60, 9, 1}, Expect{60, 11, 1},
                            Expect{61, 10, 1}, Expect{50, 40, kTerrainCity}, Expect{5, 20, kTerrainWater}, Expect{9, 20, 1}}) {
        EXPECT_EQ(mini.pixelColor(e.c, e.r), pictures::MinimapColour(e.terrain)) << "pixel " << e.c << "," << e.r;
    }
    EXPECT_TRUE(Seaish(mini.pixelColor(8, 20)));
    EXPECT_FALSE(Seaish(mini.pixelColor(9, 20)));
    EXPECT_TRUE(CityRed(mini.pixelColor(50, 40)));
}

// The railroads of the 1861 map as lines a reader can follow.
TEST(StartPointRailroads, ReachEveryRailHexAsLinesWithoutTrianglesOrDoubles) {
    auto rec = std::make_unique<TGameRec>();
    auto map = std::make_unique<TMapGrid>();
    std::string error;
    ASSERT_TRUE(ReadGameImages(testing::GameFile("1861.kvt"), *rec, *map, &error)) << error;
    const pictures::RailroadPlan plan = pictures::PlanRailroads(*rec, *map);
    using Hex = std::pair<int, int>;
    auto hex = [](QPoint p) { return Hex{p.x(), p.y()}; };
    auto adjacent = [](Hex a, Hex b) { return HexDistance(a.first, a.second, b.first, b.second) == 1; };
    std::map<Hex, std::set<Hex>> links, lines;
    for (const auto& [a, b] : plan.lines) {
        ASSERT_TRUE(adjacent(hex(a), hex(b)));
        lines[hex(a)].insert(hex(b));
        lines[hex(b)].insert(hex(a));
    }
    for (const auto& set : {plan.lines, plan.spurs})
        for (const auto& [a, b] : set) {
            ASSERT_TRUE(adjacent(hex(a), hex(b)));
            links[hex(a)].insert(hex(b));
            links[hex(b)].insert(hex(a));
        }
    // Every rail hex with a rail neighbour carries a line or a spur.
    int railHexes = 0;
    for (int c = 1; c <= kMapColumns; ++c)
        for (int r = 1; r <= kMapRows; ++r) {
            if (!map->Cell(c, r).Rail() || map->Cell(c, r).Terrain() == kTerrainWater) continue;
            bool lone = true;
            ListHexNeighbours(c, r);
            for (int d = 1; d <= 6; ++d) lone = lone && !map->Cell(NeighbourTable[d].X, NeighbourTable[d].Y).Rail();
            if (lone) continue;
            ++railHexes;
            EXPECT_TRUE(links.count({c, r})) << "rail hex " << c << "," << r << " shows no railroad";
        }
    EXPECT_GT(railHexes, 300);
    // No three hexes joined to each other.
    for (const auto& [a, next] : links)
        for (const Hex& b : next)
            for (const Hex& c : next)
                if (b < c) { EXPECT_FALSE(links[b].count(c)) << "triangle at " << a.first << "," << a.second; }
    // No two lines side by side: two links whose ends are neighbours pairwise, with no hex shared.
    int doubles = 0;
    for (const auto& [a, an] : lines)
        for (const Hex& b : an)
            for (const auto& [c, cn] : lines)
                for (const Hex& d : cn) {
                    if (!(a < b) || !(c < d) || !(a < c)) continue;
                    if (a == c || a == d || b == c || b == d) continue;
                    if ((adjacent(a, c) && adjacent(b, d)) || (adjacent(a, d) && adjacent(b, c))) ++doubles;
                }
    EXPECT_EQ(doubles, 0) << "lines run side by side";
    // Any loop of lines is a long way round.
    for (const auto& [a, an] : lines)
        for (const Hex& b : an) {
            if (!(a < b)) continue;
            std::map<Hex, int> dist = {{a, 0}};
            std::vector<Hex> ring = {a};
            for (int step = 1; step <= 4 && !dist.count(b); ++step) {
                std::vector<Hex> out;
                for (const Hex& h : ring)
                    for (const Hex& n : lines[h])
                        if (!dist.count(n) && !(h == a && n == b)) { dist[n] = step; out.push_back(n); }
                ring = out;
            }
            EXPECT_FALSE(dist.count(b)) << "a loop of under six hexes through " << a.first << "," << a.second;
        }
}

}  // namespace
}  // namespace kvt

#endif  // KVT_PICTURES_BUILT
