// The pictures as the map drawing and the dialogs use them: exact sizes, every symbol cell drawn
// where the drawing copies it from, arrows pointing their way, the electoral map's fill points
// each inside a closed region of its own, and the map and minimap following the map data.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/world/game_files.h"
#include "tests/data/bmp_image.h"
#include "tests/support/engine_fixture.h"

#if defined(KVT_PICTURES_BUILT)
#include <QImage>
#include <QRect>
#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <utility>

#include "tools/picture_maker/dialog_backgrounds.h"
#endif

namespace kvt {
namespace {

using testing::BmpImage;
using testing::Rgb;

#if defined(KVT_PICTURES_BUILT)
constexpr bool kPicturesBuilt = true;
#else
constexpr bool kPicturesBuilt = false;
#endif

BmpImage LoadPicture(const std::string& name) {
    BmpImage img;
    EXPECT_TRUE(img.Load(testing::GameFile(name))) << name << " is missing or not a plain BMP";
    return img;
}

// What a person sees at a glance.
bool Bluish(Rgb c) { return c.b > c.r + 40 && c.b > c.g + 20; }
bool Reddish(Rgb c) { return c.r > c.g + 80 && c.r > c.b + 80; }
bool Greyish(Rgb c) { return std::abs(c.r - c.g) < 16 && std::abs(c.g - c.b) < 16 && c.r > 90 && c.r < 180; }
bool Dark(Rgb c) { return c.r + c.g + c.b < 150; }
bool Light(Rgb c) { return c.r + c.g + c.b > 600; }
bool Brownish(Rgb c) { return c.r > c.b + 30 && c.g > c.b + 15 && c.r < 200; }

class Pictures : public ::testing::Test {
protected:
    void SetUp() override {
        if (!kPicturesBuilt) GTEST_SKIP() << "this build draws no pictures";
    }
};

TEST_F(Pictures, EveryFileHasTheSizeTheGameGivesIt) {
    struct Size { const char* file; int w, h; };
    for (const Size& s : {Size{"BASEIMG2.BMP", 489, 244}, Size{"BASEIMG3.BMP", 196, 280}, Size{"OBJECTIV.BMP", 83, 13},
                          Size{"bg_fleet_orders.bmp", 271, 329}, Size{"bg_new_fleet.bmp", 427, 273},
                          Size{"bg_naval_overview.bmp", 431, 379}, Size{"bg_naval_combat.bmp", 384, 169},
                          Size{"bg_combat_resolution.bmp", 537, 231}, Size{"bg_battle_results.bmp", 573, 400},
                          Size{"bg_battle_analysis.bmp", 539, 400}, Size{"bg_replay_resolution.bmp", 537, 231},
                          Size{"bg_replay_results.bmp", 573, 400},
                          Size{"NEWMAP.BMP", 2128, 1512}, Size{"KVTSMALL.BMP", 76, 54}}) {
        const BmpImage img = LoadPicture(s.file);
        EXPECT_EQ(img.width, s.w) << s.file;
        EXPECT_EQ(img.height, s.h) << s.file;
    }
    const BmpImage election = LoadPicture("ELECTION.BMP");
    EXPECT_GE(election.width, 600);
    EXPECT_GE(election.height, 205);
}

const char* const kNoticeBackgrounds[] = {
    "bg_notice.bmp",                "bg_notice_city_fall.bmp",      "bg_notice_draft_riots.bmp",
    "bg_notice_rail_move.bmp",      "bg_notice_fort_built.bmp",     "bg_notice_fleet_embark.bmp",
    "bg_notice_new_capital.bmp",    "bg_notice_black_soldiers.bmp", "bg_notice_uprising.bmp",
    "bg_notice_fleet_scuttled.bmp", "bg_notice_fleet_supplies.bmp", "bg_notice_state_lost.bmp",
    "bg_notice_training.bmp",       "bg_notice_army_formed.bmp",    "bg_notice_corps_formed.bmp",
    "bg_notice_brigade_raised.bmp", "bg_notice_reinforcements.bmp", "bg_notice_newspaper.bmp",
    "bg_notice_foreign_affairs.bmp",
};

TEST_F(Pictures, EveryDialogThatShowsAPictureHasOne) {
    std::vector<const char*> files(std::begin(kNoticeBackgrounds), std::end(kNoticeBackgrounds));
    for (const char* other : {"bg_brigade_display.bmp", "bg_leader_orders.bmp", "bg_new_brigades.bmp", "bg_new_corps.bmp",
                              "bg_new_army.bmp", "bg_city_orders.bmp", "bg_setup.bmp", "bg_victory.bmp",
                              "bg_scenario_choice.bmp", "bg_side_choice.bmp", "bg_delay.bmp"})
        files.push_back(other);
    for (const char* file : files) {
        const BmpImage img = LoadPicture(file);
        ASSERT_GT(img.width, 0) << file;
        // Calm paper in the middle, where the labels are written.
        EXPECT_TRUE(Light(img.At(img.width / 2, img.height / 2))) << file;
    }
}

// Top-left corners of the cells, as the map drawing computes them.
struct Cell { int x, y; };
Cell CorpsCell(int kind, int nation, int army) {
    const bool firstRow = nation == 1 || nation == 3;
    const bool left = nation == 1 || nation == 2;
    const int y = kind == 0 ? (firstRow ? 189 : 217) : kind == 1 ? (firstRow ? 136 : 83) : (firstRow ? 163 : 109);
    const int x = 27 * army + (kind == 0 ? (left ? 2 : 245) : (left ? 1 : 244));
    return {x, y};
}

std::vector<Rgb> CellPixels(const BmpImage& img, Cell c, int w = 23, int h = 23) {
    std::vector<Rgb> out;
    for (int y = c.y; y < c.y + h; ++y)
        for (int x = c.x; x < c.x + w; ++x) out.push_back(img.At(x, y));
    return out;
}

TEST_F(Pictures, CorpsAndDivisionCellsSitWhereTheDrawingCopiesThemInTheirNationsColours) {
    const BmpImage img = LoadPicture("BASEIMG2.BMP");
    ASSERT_EQ(img.width, 489);
    // Nation colours at the head and foot of a counter: Union blue, Confederate grey, French blue
    // over red, British red.
    auto head = [](int nation, Rgb c) { return nation == 1 || nation == 3 ? Bluish(c) : nation == 2 ? Greyish(c) : Reddish(c); };
    auto foot = [](int nation, Rgb c) { return nation == 1 ? Bluish(c) : nation == 2 ? Greyish(c) : Reddish(c); };
    for (int kind = 0; kind <= 2; ++kind) {
        for (int nation = 1; nation <= 4; ++nation) {
            std::set<std::vector<int>> looks;
            for (int army = 0; army <= 8; ++army) {
                const Cell c = CorpsCell(kind, nation, army);
                SCOPED_TRACE("kind " + std::to_string(kind) + " nation " + std::to_string(nation) + " army " + std::to_string(army));
                EXPECT_TRUE(Dark(img.At(c.x, c.y))) << "frame corner";
                EXPECT_TRUE(Dark(img.At(c.x + 22, c.y + 22))) << "frame corner";
                EXPECT_FALSE(Dark(img.At(c.x - 1, c.y + 11))) << "the cell starts one column early";
                EXPECT_TRUE(head(nation, img.At(c.x + 2, c.y + 2)));
                EXPECT_TRUE(foot(nation, img.At(c.x + 2, c.y + 19)));
                std::vector<int> flat;
                for (Rgb p : CellPixels(img, c)) flat.insert(flat.end(), {p.r, p.g, p.b});
                looks.insert(flat);
            }
            EXPECT_EQ(looks.size(), 9u) << "each army's counters must show their army";
        }
    }
    // Corps, infantry and cavalry of one nation and army look different.
    for (int nation = 1; nation <= 4; ++nation) {
        const auto corps = CellPixels(img, CorpsCell(0, nation, 3));
        const auto infantry = CellPixels(img, CorpsCell(1, nation, 3));
        const auto cavalry = CellPixels(img, CorpsCell(2, nation, 3));
        EXPECT_NE(corps, infantry);
        EXPECT_NE(infantry, cavalry);
        EXPECT_NE(corps, cavalry);
    }
}

TEST_F(Pictures, HeadquartersCellsShowTheColourOfTheirArmysStrengthBars) {
    const BmpImage img = LoadPicture("BASEIMG2.BMP");
    const Rgb barColour[9] = {{0, 0, 0}, {255, 0, 0}, {0, 128, 0}, {128, 0, 0}, {255, 0, 255},
                              {255, 0, 0}, {0, 0, 255}, {128, 0, 128}, {0, 128, 0}};
    for (int row : {1, 28}) {
        std::set<std::vector<int>> looks;
        for (int n = 1; n <= 15; ++n) {
            const Cell c{(n - 1) * 27 + 2, row};
            EXPECT_TRUE(Dark(img.At(c.x, c.y))) << n;
            EXPECT_FALSE(Dark(img.At(c.x - 1, c.y + 5))) << n;
            EXPECT_TRUE(row == 1 ? Bluish(img.At(c.x + 2, c.y + 2)) : Greyish(img.At(c.x + 2, c.y + 2))) << n;
            if (n <= 8) { EXPECT_EQ(img.At(c.x + 11, c.y + 20), barColour[n]) << "army " << n; }
            std::vector<int> flat;
            for (Rgb p : CellPixels(img, c)) flat.insert(flat.end(), {p.r, p.g, p.b});
            looks.insert(flat);
        }
        EXPECT_EQ(looks.size(), 15u) << "each headquarters shows its army number";
    }
    // The headquarters bands laid over the middle of the cells.
    for (Cell band : {Cell{164, 56}, Cell{191, 56}}) {
        int ink = 0, gold = 0;
        for (Rgb p : CellPixels(img, band, 19, 10)) {
            ink += Dark(p) || Bluish(p) ? 1 : 0;
            gold += p.r > 180 && p.g > 140 && p.b < 110 ? 1 : 0;
        }
        EXPECT_GT(gold, 60);
        EXPECT_GT(ink, 10);
    }
}

TEST_F(Pictures, FleetCellsShowOceanOrRiverWaterBelowTheirNumberBand) {
    const BmpImage img = LoadPicture("BASEIMG2.BMP");
    struct Fleet { int x; bool river; int owner; };
    for (const Fleet& f : {Fleet{2, false, 1}, Fleet{29, false, 2}, Fleet{56, false, 3}, Fleet{83, false, 4},
                           Fleet{110, true, 1}, Fleet{137, true, 2}}) {
        const Cell c{f.x, 56};
        SCOPED_TRACE("fleet cell at " + std::to_string(f.x));
        EXPECT_TRUE(Dark(img.At(c.x, c.y + 22)));
        EXPECT_FALSE(Dark(img.At(c.x - 1, c.y + 15)));
        const Rgb water = img.At(c.x + 2, c.y + 13);
        EXPECT_TRUE(f.river ? Brownish(water) : Bluish(water));
        if (f.owner <= 2) {
            EXPECT_TRUE(f.owner == 1 ? Bluish(img.At(c.x + 2, c.y + 2)) : Greyish(img.At(c.x + 2, c.y + 2)));
        }
    }
}

TEST_F(Pictures, BattleMarkerFlashesBetweenTheTwoDivisionCellsItShares) {
    const BmpImage img = LoadPicture("BASEIMG2.BMP");
    for (int y = 122; y < 145; ++y) EXPECT_TRUE(Reddish(img.At(0, y))) << "first column, row " << y;
    for (int y = 132; y < 136; ++y)
        for (int x = 1; x < 23; ++x) {
            const Rgb p = img.At(x, y);
            EXPECT_TRUE(Reddish(p) || (p.r > 200 && p.g > 180)) << x << "," << y;
        }
    // The two common division counters keep their marks: white in their own rows.
    auto whiteIn = [&](int y0, int y1) {
        int white = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = 2; x < 23; ++x) white += Light(img.At(x, y)) && std::abs(img.At(x, y).r - img.At(x, y).b) < 30 ? 1 : 0;
        return white;
    };
    EXPECT_GT(whiteIn(109, 121), 15) << "Confederate cavalry division outside an army";
    EXPECT_GT(whiteIn(145, 158), 15) << "Union infantry division outside an army";
}

TEST_F(Pictures, NumberLabelsSitInTheirSlotsAndDifferFromEachOther) {
    const BmpImage img = LoadPicture("BASEIMG3.BMP");
    ASSERT_EQ(img.width, 196);
    auto label = [&](Cell c, int w) {
        std::vector<int> flat;
        for (Rgb p : CellPixels(img, c, w, 11)) flat.insert(flat.end(), {p.r, p.g, p.b});
        return flat;
    };
    for (int nation = 1; nation <= 2; ++nation) {
        std::set<std::vector<int>> corps;
        const int highest = nation == 1 ? 33 : 40;
        for (int k = 1; k <= highest; ++k) {
            const Cell c = nation == 1 ? (k <= 10 ? Cell{1, (k - 1) * 12} : Cell{27, (k - 11) * 12})
                                       : (k <= 17 ? Cell{59, (k - 1) * 12} : Cell{83, (k - 18) * 12});
            int ink = 0;
            for (Rgb p : CellPixels(img, c, 21, 11)) ink += Light(p) ? 0 : 1;
            EXPECT_GT(ink, 8) << "corps label " << k << " of nation " << nation << " has no number";
            EXPECT_TRUE(Light(img.At(c.x + 1, c.y + 1))) << k;
            corps.insert(label(c, 21));
        }
        EXPECT_EQ(corps.size(), static_cast<std::size_t>(highest));
        std::set<std::vector<int>> fleets;
        for (int n = 1; n <= 32; ++n) {
            const int first = n <= 10 ? 1 : n <= 20 ? 11 : 21;
            const Cell c{n <= 10 ? 113 : n <= 20 ? 140 : 167, (n - first) * 11 + (nation == 1 ? 1 : 140)};
            EXPECT_TRUE(nation == 1 ? Bluish(img.At(c.x + 2, c.y + 5)) : Greyish(img.At(c.x + 2, c.y + 5))) << n;
            EXPECT_FALSE(Dark(img.At(c.x - 1, c.y + 5))) << n;
            EXPECT_FALSE(Dark(img.At(c.x + 23, c.y + 5))) << n;
            fleets.insert(label(c, 23));
        }
        EXPECT_EQ(fleets.size(), 32u);
    }
}

TEST_F(Pictures, RouteMarkersPointInTheirDirections) {
    const BmpImage img = LoadPicture("OBJECTIV.BMP");
    ASSERT_EQ(img.width, 83);
    // Directions 1..6 clockwise from north, as the neighbours of a hex lie on the map:
    // north is straight up, north-east 28 pixels across and 14 up.
    const double expected[7] = {0, 90, 26.57, -26.57, -90, -153.43, 153.43};
    for (int k = 1; k <= 6; ++k) {
        double sx = 0, sy = 0;
        int n = 0;
        for (int y = 1; y < 11; ++y)
            for (int x = 1; x < 11; ++x)
                if (Reddish(img.At(14 * (k - 1) + x, y))) { sx += x - 5.5; sy += y - 5.5; ++n; }
        ASSERT_GT(n, 10) << "marker " << k;
        const double angle = std::atan2(-sy, sx) * 180 / 3.14159265;
        double diff = std::fabs(angle - expected[k]);
        if (diff > 180) diff = 360 - diff;
        EXPECT_LT(diff, 25) << "marker " << k << " points at " << angle;
    }
}

TEST_F(Pictures, EachElectionFillPointLiesInAClosedRegionOfItsOwn) {
    const BmpImage img = LoadPicture("ELECTION.BMP");
    struct Point { int state, x, y; };
    const std::vector<Point> points = {
        {1, 76, 94},   {2, 57, 190},  {3, 340, 102}, {4, 357, 144}, {5, 390, 113},  {6, 400, 170},
        {7, 445, 120}, {8, 435, 170}, {9, 470, 167}, {10, 530, 140}, {11, 550, 116}, {12, 580, 100},
        {13, 566, 90}, {14, 595, 70}, {15, 580, 115}, {16, 586, 122}, {17, 577, 124}, {18, 560, 152},
        {19, 370, 200}, {20, 450, 200}, {32, 540, 162}, {33, 555, 169}};
    std::vector<int> region(static_cast<std::size_t>(img.width) * img.height, -1);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point& fp = points[i];
        SCOPED_TRACE("state " + std::to_string(fp.state));
        ASSERT_TRUE(img.Valid(fp.x, fp.y));
        const Rgb colour = img.At(fp.x, fp.y);
        EXPECT_TRUE(Light(colour)) << "fill point on a border or in the sea";
        // The area of the colour found at the point, reached through any of the eight neighbours.
        std::vector<std::pair<int, int>> todo = {{fp.x, fp.y}};
        int size = 0;
        bool touchesEdge = false;
        std::set<int> others;
        while (!todo.empty()) {
            auto [x, y] = todo.back();
            todo.pop_back();
            if (!img.Valid(x, y) || !(img.At(x, y) == colour)) continue;
            int& mark = region[static_cast<std::size_t>(y) * img.width + x];
            if (mark == static_cast<int>(i)) continue;
            if (mark >= 0) others.insert(points[static_cast<std::size_t>(mark)].state);
            mark = static_cast<int>(i);
            ++size;
            touchesEdge |= x == 0 || y == 0 || x == img.width - 1 || y == img.height - 1;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) todo.push_back({x + dx, y + dy});
        }
        EXPECT_FALSE(touchesEdge) << "the region is not closed";
        EXPECT_GE(size, 20) << "the region is too small to see";
        EXPECT_TRUE(others.empty()) << "the region runs into state " << (others.empty() ? 0 : *others.begin());
    }
}

// The map pictures are drawn from the 1861 start point, which every build with pictures compiles.
class MapPictures : public Pictures {
protected:
    void SetUp() override {
        Pictures::SetUp();
        if (IsSkipped()) return;
        rec = std::make_unique<TGameRec>();
        map = std::make_unique<TMapGrid>();
        std::string error;
        ASSERT_TRUE(ReadGameImages(testing::GameFile("1861.kvt"), *rec, *map, &error)) << error;
    }
    std::unique_ptr<TGameRec> rec;
    std::unique_ptr<TMapGrid> map;
};

TEST_F(MapPictures, MapShowsSeaAtSeaAndACitySymbolAtEveryCity) {
    const BmpImage newmap = LoadPicture("NEWMAP.BMP");
    ASSERT_EQ(newmap.width, 2128);
    auto centre = [](int c, int r) { return std::make_pair((c - 1) * 28 + 14, (r - 1) * 28 + 14 + (c % 2 == 0 ? 14 : 0)); };
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& city = rec->Cities[i];
        if (city.HexX == 0 || city.Name.empty() || (city.HexX % 2 == 0 && city.HexY == 54)) continue;
        auto [x, y] = centre(city.HexX, city.HexY);
        int dark = 0, red = 0;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx) {
                dark += Dark(newmap.At(x + dx, y + dy)) ? 1 : 0;
                red += Reddish(newmap.At(x + dx, y + dy)) ? 1 : 0;
            }
        EXPECT_GT(dark + red, 4) << city.Name.str() << " has no symbol at its hex";
    }
    int sea = 0, seaShownAsSea = 0;
    for (int c = 2; c < 76; ++c)
        for (int r = 2; r < 54; ++r) {
            bool open = map->Cell(c, r).Terrain() == kTerrainWater;
            ListHexNeighbours(c, r);
            for (int d = 1; d <= 6; ++d) open = open && map->Cell(NeighbourTable[d].X, NeighbourTable[d].Y).Terrain() == kTerrainWater;
            if (!open) continue;
            auto [x, y] = centre(c, r);
            ++sea;
            seaShownAsSea += Bluish(newmap.At(x, y)) || (newmap.At(x, y).b > newmap.At(x, y).r + 15) ? 1 : 0;
        }
    EXPECT_GT(sea, 0);
    EXPECT_GT(seaShownAsSea * 10, sea * 9) << "open sea must look like sea";
}

TEST_F(Pictures, EveryNoticeHasAnEngravingOfItsOwn) {
    const auto& notices = kNoticeBackgrounds;
    // The lower right corner, where the engraving stands; the paper elsewhere is the same in all.
    std::vector<std::vector<Rgb>> corners;
    for (const char* file : notices) {
        const BmpImage img = LoadPicture(file);
        ASSERT_EQ(img.width, 420) << file;
        ASSERT_EQ(img.height, 300) << file;
        corners.push_back(CellPixels(img, {304, 214}, 100, 70));
        int inked = 0;
        for (const Rgb& c : corners.back()) inked += c.r + c.g + c.b < 520;
        EXPECT_GT(inked, 150) << file << " has an engraving";
    }
    for (std::size_t i = 0; i < corners.size(); ++i) {
        for (std::size_t j = i + 1; j < corners.size(); ++j) {
            int differing = 0;
            for (std::size_t k = 0; k < corners[i].size(); ++k) differing += !(corners[i][k] == corners[j][k]);
            EXPECT_GT(differing, 300) << notices[i] << " and " << notices[j] << " look alike";
        }
    }
}

#if defined(KVT_PICTURES_BUILT)
// Where the naval combat dialog's layout places its labels and its button; the fleet lists may
// wrap down to the row below them.
std::map<std::string, QRect> NavalCombatControls() {
    std::ifstream in(std::string(KVT_SOURCE_DIR) + "/gui/dialogs/combat/fleet_combat_dialog.ui");
    const std::string ui((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::regex placed(R"re(name="((?:Label|Button)\d+)">\s*<property name="geometry"><rect><x>(\d+)</x><y>(\d+)</y>)re"
                            R"re(<width>(\d+)</width><height>(\d+)</height>)re");
    std::map<std::string, QRect> controls;
    for (auto m = std::sregex_iterator(ui.begin(), ui.end(), placed); m != std::sregex_iterator(); ++m)
        controls[(*m)[1]] = QRect(std::stoi((*m)[2]), std::stoi((*m)[3]), std::stoi((*m)[4]), std::stoi((*m)[5]));
    for (const auto& [list, below] : {std::pair{"Label39", "Label16"}, std::pair{"Label40", "Label17"}})
        controls[list].setBottom(controls[below].top() - 1);
    return controls;
}

TEST_F(Pictures, TheNavalCombatEngravingLiesUnderNoLabelOrButtonOfItsDialog) {
    const auto& list = pictures::DialogBackgrounds();
    auto spec = *std::find_if(list.begin(), list.end(), [](const auto& bg) { return std::string(bg.file) == "bg_naval_combat.bmp"; });
    const QImage drawn = pictures::DrawDialogBackground(spec);
    spec.engravingRight = 100000;  // drawn far off the picture: the paper alone
    const QImage paper = pictures::DrawDialogBackground(spec);
    const auto controls = NavalCombatControls();
    ASSERT_EQ(controls.size(), 41u) << "40 labels and OK";
    for (const auto& [name, r] : controls) {
        int inked = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) inked += drawn.pixel(x, y) != paper.pixel(x, y);
        EXPECT_EQ(inked, 0) << "the engraving runs under " << name;
    }
    int inked = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) inked += drawn.pixel(x, y) != paper.pixel(x, y);
    EXPECT_GT(inked, 150) << "the dialog keeps its engraving";
}
#endif

}  // namespace
}  // namespace kvt
