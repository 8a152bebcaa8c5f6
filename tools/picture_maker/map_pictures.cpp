// A period map: cream paper for open country, greens for woods, marsh tufts for swamps, arcs for
// hills and hachured peaks for mountains; water-lined coasts; rivers as smooth blue lines along the
// hexsides that slow a march; railroads as tied lines from city to city; dashed state borders; faint
// spaced state names; the cities with their names; and a title cartouche over the open sea.
#include "tools/picture_maker/map_pictures.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <functional>
#include <limits>
#include <map>
#include <queue>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "tools/picture_maker/palette.h"

namespace kvt::pictures {

QPoint HexTile(int column, int row) {
    return {(column - 1) * kHexPixels, (row - 1) * kHexPixels + (column % 2 == 0 ? kHexPixels / 2 : 0)};
}

QRect ViewRect(int viewColumn, int viewRow) {
    return {(viewColumn - 1) * kHexPixels, (viewRow - 1) * kHexPixels, kMapBoxWidth, kMapBoxHeight};
}

QColor MinimapColour(int terrainClass) {
    switch (terrainClass) {
        case kTerrainWater: return QColor(92, 128, 168);
        case 1: return QColor(222, 208, 160);
        case 2: return QColor(122, 146, 112);
        case kTerrainImpassable: return QColor(150, 144, 132);
        case kTerrainCity: return QColor(150, 24, 24);
        case 5: return QColor(150, 116, 78);
        case 6: return QColor(108, 140, 84);
        default: return QColor(186, 176, 118);
    }
}

std::array<QPoint, 6> HexCorners(int column, int row) {
    const QPoint t = HexTile(column, row);
    return {t + QPoint(-4, 14), t + QPoint(4, 0), t + QPoint(24, 0), t + QPoint(32, 14), t + QPoint(24, 28), t + QPoint(4, 28)};
}

QPointF HexCentre(int column, int row) {
    const QPoint t = HexTile(column, row);
    return {t.x() + 14.0, t.y() + 14.0};
}

namespace {

using Hex = std::pair<int, int>;
using Vertex = std::pair<int, int>;

Hex Neighbour(Hex h, int direction) {
    int x = h.first, y = h.second;
    StepHexAt(x, y, direction);
    return {x, y};
}

bool IsWater(const TMapGrid& map, Hex h) { return map.Cell(h.first, h.second).Terrain() == kTerrainWater; }

// The side shared with the neighbour in direction 1..6 (clockwise from north).
std::pair<QPoint, QPoint> Edge(Hex h, int direction) {
    const auto k = HexCorners(h.first, h.second);
    switch (direction) {
        case 1: return {k[1], k[2]};
        case 2: return {k[2], k[3]};
        case 3: return {k[3], k[4]};
        case 4: return {k[4], k[5]};
        case 5: return {k[5], k[0]};
        default: return {k[0], k[1]};
    }
}

QColor LandColour(int terrainClass) {
    switch (terrainClass) {
        case 1: case kTerrainCity: return QColor(243, 234, 206);
        case 2: return QColor(222, 228, 198);
        case kTerrainImpassable: return QColor(214, 208, 194);
        case 5: return QColor(230, 210, 172);
        case 6: return QColor(222, 228, 188);
        default: return QColor(238, 228, 190);
    }
}

const QColor kSea(196, 214, 222);
const QColor kSeaLine(182, 202, 212);
const QColor kWaterLine(86, 122, 150);
const QColor kRiver(52, 96, 160);
const QColor kRiverBank(34, 58, 96);
const QColor kRiverWater(150, 186, 216);
const QColor kRidgeInk(104, 74, 46);
const QColor kRail(30, 26, 22);
const QColor kRailBed(250, 246, 234);
const QColor kBorder(150, 40, 40);

// A small deterministic scatter, so the marks of woods and hills do not sit in rows.
double Scatter(int c, int r, unsigned salt) {
    unsigned h = static_cast<unsigned>(c) * 73856093u ^ static_cast<unsigned>(r) * 19349663u ^ salt;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h % 1000) / 1000.0;
}

double Jitter(int c, int r, int k) { return Scatter(c, r, static_cast<unsigned>(k) * 83492791u); }

// ---- Lines along hexsides: rivers, ridges, borders ----------------------------------------------

struct Side {
    QPoint a, b;
    int style;
};

// Joins sides that meet end to end into runs of one style. A run ends where three or more sides
// meet or where the style changes, so lines of different weight join at a shared point.
std::vector<std::vector<QPointF>> JoinSides(const std::vector<Side>& sides, int style) {
    std::map<Vertex, std::vector<int>> at;
    auto key = [](QPoint p) { return Vertex{p.x(), p.y()}; };
    for (int i = 0; i < static_cast<int>(sides.size()); ++i) {
        at[key(sides[i].a)].push_back(i);
        at[key(sides[i].b)].push_back(i);
    }
    std::vector<bool> used(sides.size(), false);
    // From a point, the one unused side of the same style that carries the run on.
    auto next = [&](QPoint p) {
        const auto& list = at[key(p)];
        if (list.size() != 2) return -1;
        for (int i : list)
            if (!used[i] && sides[i].style == style) return i;
        return -1;
    };
    std::vector<std::vector<QPointF>> runs;
    for (int first = 0; first < static_cast<int>(sides.size()); ++first) {
        if (used[first] || sides[first].style != style) continue;
        used[first] = true;
        std::deque<QPoint> run = {sides[first].a, sides[first].b};
        for (int i = next(run.back()); i >= 0; i = next(run.back())) {
            used[i] = true;
            run.push_back(sides[i].a == run.back() ? sides[i].b : sides[i].a);
        }
        for (int i = next(run.front()); i >= 0; i = next(run.front())) {
            used[i] = true;
            run.push_front(sides[i].a == run.front() ? sides[i].b : sides[i].a);
        }
        runs.emplace_back(run.begin(), run.end());
    }
    return runs;
}

// One pass of neighbour averaging: halves the regular up-and-down of hexsides that run east or
// west, so a river or border there wanders gently instead of waving. The ends stay put.
std::vector<QPointF> Eased(std::vector<QPointF> pts) {
    const bool closed = pts.size() > 3 && pts.front() == pts.back();
    std::vector<QPointF> out = pts;
    for (std::size_t i = 1; i + 1 < pts.size(); ++i) out[i] = pts[i - 1] * 0.25 + pts[i] * 0.5 + pts[i + 1] * 0.25;
    if (closed) {
        out.front() = pts[pts.size() - 2] * 0.25 + pts[0] * 0.5 + pts[1] * 0.25;
        out.back() = out.front();
    }
    return out;
}

// Corner cutting: each pass replaces every corner by two points a quarter along its sides, so the
// zig-zag of hexsides becomes a flowing curve that never strays more than a few pixels from them.
// The ends stay put, so runs still meet where they met.
std::vector<QPointF> Rounded(std::vector<QPointF> pts, int passes) {
    const bool closed = pts.size() > 3 && pts.front() == pts.back();
    for (int pass = 0; pass < passes && pts.size() > 2; ++pass) {
        std::vector<QPointF> out;
        if (!closed) out.push_back(pts.front());
        for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
            const QPointF a = pts[i], b = pts[i + 1];
            if (closed || i > 0) out.push_back(a * 0.75 + b * 0.25);
            if (closed || i + 2 < pts.size()) out.push_back(a * 0.25 + b * 0.75);
        }
        if (closed) out.push_back(out.front());
        else out.push_back(pts.back());
        pts = out;
    }
    return pts;
}

QPainterPath PathThrough(const std::vector<QPointF>& pts) {
    QPainterPath path;
    if (pts.empty()) return path;
    path.moveTo(pts.front());
    for (std::size_t i = 1; i < pts.size(); ++i) path.lineTo(pts[i]);
    return path;
}

// Every side between two map hexes, once, with the hexes on both sides.
template <typename Visit>
void ForEachSide(Visit visit) {
    for (int c = 1; c <= kMapColumns; ++c)
        for (int r = 1; r <= kMapRows; ++r)
            for (int d = 1; d <= 3; ++d) {
                const Hex n = Neighbour({c, r}, d);
                if (OnMap(n.first, n.second)) visit(Hex{c, r}, d, n);
            }
}

// ---- Railroads ----------------------------------------------------------------------------------

struct RailPlan {
    // Links of the lines, each with its lesser hex first, and the spurs that join single rail hexes
    // beside a line to it (from the line's hex to the spur's).
    std::set<std::pair<Hex, Hex>> lines;
    std::vector<std::pair<Hex, Hex>> spurs;
};

std::pair<Hex, Hex> Ordered(Hex a, Hex b) { return a < b ? std::make_pair(a, b) : std::make_pair(b, a); }

// Thins a patch of rail hexes to lines one hex wide, the way a draughtsman would see the lines in
// it: a hex goes when it lies on the patch's edge and its neighbours in the patch stay joined
// without it. Line ends and the fixed hexes (stations) stay, and so does every loop.
std::set<Hex> Thinned(std::set<Hex> patch, const std::set<Hex>& fixed) {
    bool changed = true;
    while (changed) {
        changed = false;
        for (int facing = 1; facing <= 6; ++facing) {
            const std::vector<Hex> order(patch.begin(), patch.end());
            for (const Hex& h : order) {
                if (fixed.count(h) || patch.count(Neighbour(h, facing))) continue;
                int ring = 0, count = 0;
                for (int d = 1; d <= 6; ++d)
                    if (patch.count(Neighbour(h, d))) { ring |= 1 << (d - 1); ++count; }
                if (count <= 1) continue;
                int arcs = 0;
                for (int d = 0; d < 6; ++d) arcs += ((ring >> d) & 1) && !((ring >> ((d + 5) % 6)) & 1) ? 1 : 0;
                if (arcs != 1) continue;
                patch.erase(h);
                changed = true;
            }
        }
    }
    return patch;
}

// The railroads drawn as lines a reader can follow over every hex a rail move may use. Each patch
// of rail hexes is thinned to its lines; the stations on them are joined first, each to the nearest
// part of the lines already laid, so lines run from city to city; the rest of the thinned lines
// follow as branches, the farthest first, and any loop of six hexes or more is closed again. What
// the thinning took away lies beside a line and is joined to it by a spur. Lines so laid hold no
// triangles and no doubled lines. A city without a station carries a line only where the rail hexes
// beyond it can be reached no other way.
RailPlan PlanRails(const TMapGrid& map, const std::set<Hex>& stations, const std::set<Hex>& cities) {
    std::set<Hex> railHexes;
    for (int c = 1; c <= kMapColumns; ++c)
        for (int r = 1; r <= kMapRows; ++r)
            if (!IsWater(map, {c, r}) && map.Cell(c, r).Rail()) railHexes.insert({c, r});
    railHexes.insert(stations.begin(), stations.end());
    std::set<Hex> usable = railHexes;
    usable.insert(cities.begin(), cities.end());
    auto passThrough = [&](Hex h) { return cities.count(h) && !stations.count(h); };

    RailPlan plan;
    std::set<Hex> seen;
    for (const Hex& seed : railHexes) {
        if (seen.count(seed)) continue;
        // One connected patch; cities without a station join patches but start none.
        std::set<Hex> part;
        std::vector<Hex> todo = {seed};
        while (!todo.empty()) {
            const Hex h = todo.back();
            todo.pop_back();
            if (!part.insert(h).second) continue;
            for (int d = 1; d <= 6; ++d) {
                const Hex n = Neighbour(h, d);
                if (usable.count(n) && !part.count(n)) todo.push_back(n);
            }
        }
        seen.insert(part.begin(), part.end());

        std::set<Hex> fixed;
        for (const Hex& h : part)
            if (stations.count(h)) fixed.insert(h);
        const std::set<Hex> lines = Thinned(part, fixed);

        std::set<Hex> tree;
        std::map<Hex, std::vector<Hex>> drawn;
        auto link = [&](Hex a, Hex b) {
            plan.lines.insert(Ordered(a, b));
            drawn[a].push_back(b);
            drawn[b].push_back(a);
            tree.insert(a);
            tree.insert(b);
        };
        // Whether a link a-b would run beside a laid link, end to end a hex away.
        auto beside = [&](Hex a, Hex b) {
            auto near = [](Hex x, Hex y) { return HexDistance(x.first, x.second, y.first, y.second) == 1; };
            for (int e = 1; e <= 6; ++e) {
                const Hex c = Neighbour(a, e);
                if (c == b) continue;
                const auto it = drawn.find(c);
                if (it == drawn.end()) continue;
                for (const Hex& d : it->second)
                    if (d != a && d != b && near(d, b)) return true;
            }
            return false;
        };
        std::vector<Hex> terminals(fixed.begin(), fixed.end());
        if (terminals.empty())
            for (const Hex& h : lines)
                if (!passThrough(h)) { terminals.push_back(h); break; }
        if (terminals.empty()) continue;
        tree.insert(terminals.front());

        // Least cost from the lines laid so far over the hexes of `within`; running beside a laid
        // line or through a city without a station costs extra.
        auto grow = [&](const std::set<Hex>& within, const std::function<bool(Hex)>& wanted) -> bool {
            std::map<Hex, double> cost;
            std::map<Hex, Hex> from;
            using Item = std::pair<double, Hex>;
            std::priority_queue<Item, std::vector<Item>, std::greater<Item>> queue;
            for (const Hex& h : tree) {
                cost[h] = 0;
                queue.push({0, h});
            }
            std::vector<Hex> found;
            double best = std::numeric_limits<double>::infinity();
            while (!queue.empty()) {
                auto [d, h] = queue.top();
                queue.pop();
                if (d > cost[h] || d > best) continue;
                if (!tree.count(h) && wanted(h)) {
                    best = d;
                    found.push_back(h);
                    continue;
                }
                for (int dir = 1; dir <= 6; ++dir) {
                    const Hex n = Neighbour(h, dir);
                    if (tree.count(n) || !within.count(n)) continue;
                    double step = 1.0 + (passThrough(n) ? 4.0 : 0.0) + (beside(h, n) ? 3.0 : 0.0);
                    for (int e = 1; e <= 6; ++e) {
                        const Hex m = Neighbour(n, e);
                        if (tree.count(m) && m != h) step += 0.6;
                    }
                    const double nd = d + step;
                    auto it = cost.find(n);
                    if (it == cost.end() || nd < it->second) {
                        cost[n] = nd;
                        from[n] = h;
                        queue.push({nd, n});
                    }
                }
            }
            if (found.empty()) return false;
            Hex h = *std::min_element(found.begin(), found.end());
            while (!tree.count(h)) {
                const Hex p = from[h];
                link(p, h);
                h = p;
            }
            return true;
        };

        // Stations first, the nearest at each step.
        std::set<Hex> waiting(terminals.begin() + 1, terminals.end());
        while (!waiting.empty()) {
            if (!grow(lines, [&](Hex h) { return waiting.count(h) > 0; }) &&
                !grow(part, [&](Hex h) { return waiting.count(h) > 0; }))
                break;
            for (auto it = waiting.begin(); it != waiting.end();) it = tree.count(*it) ? waiting.erase(it) : std::next(it);
        }
        // The rest of the thinned lines, the farthest first, so a branch is one long line.
        auto farthest = [&](const std::set<Hex>& within, const std::set<Hex>& goals) {
            std::map<Hex, int> dist;
            std::deque<Hex> q;
            for (const Hex& h : tree) {
                dist[h] = 0;
                q.push_back(h);
            }
            while (!q.empty()) {
                const Hex h = q.front();
                q.pop_front();
                for (int d = 1; d <= 6; ++d) {
                    const Hex n = Neighbour(h, d);
                    if (!within.count(n) || dist.count(n) || passThrough(n)) continue;
                    dist[n] = dist[h] + 1;
                    q.push_back(n);
                }
            }
            Hex far{0, 0};
            int farDist = 0;
            for (const auto& [h, d] : dist)
                if (d > farDist && goals.count(h)) { far = h; farDist = d; }
            return std::make_tuple(far, farDist, dist);
        };
        while (true) {
            auto [far, farDist, dist] = farthest(lines, lines);
            if (farDist == 0) break;
            // Back to the lines, keeping to one heading where the grid allows.
            Hex h = far;
            int heading = 0;
            while (!tree.count(h)) {
                Hex step{0, 0};
                int stepHeading = 0, stepScore = -1;
                for (int d = 1; d <= 6; ++d) {
                    const Hex n = Neighbour(h, d);
                    auto it = dist.find(n);
                    if (it == dist.end() || it->second != dist[h] - 1) continue;
                    const int score = (beside(h, n) ? 0 : 2) + (d == heading ? 1 : 0);
                    if (score > stepScore) { step = n; stepHeading = d; stepScore = score; }
                }
                link(h, step);
                heading = stepHeading;
                h = step;
            }
        }
        // Loops of the thinned lines, where going round the laid lines is six hexes or more.
        for (const Hex& a : lines) {
            for (int d = 1; d <= 3; ++d) {
                const Hex b = Neighbour(a, d);
                if (!lines.count(b) || !tree.count(a) || !tree.count(b) || plan.lines.count(Ordered(a, b))) continue;
                if (beside(a, b)) continue;
                std::map<Hex, int> dist = {{a, 0}};
                std::deque<Hex> q = {a};
                while (!q.empty() && !dist.count(b)) {
                    const Hex h = q.front();
                    q.pop_front();
                    if (dist[h] >= 6) break;
                    for (const Hex& n : drawn[h])
                        if (!dist.count(n)) { dist[n] = dist[h] + 1; q.push_back(n); }
                }
                if (!dist.count(b)) link(a, b);
            }
        }
        // Spurs to every rail hex the thinning left beside the lines, each joined to a line where
        // the line is plainest, away from junctions and cities. The rare hex with no line beside it
        // is joined to a spur's hex, or reached through a city without a station.
        std::set<Hex> left;
        for (const Hex& h : part)
            if (railHexes.count(h) && !tree.count(h)) left.insert(h);
        std::set<Hex> spurHexes;
        while (!left.empty()) {
            bool any = false;
            for (bool ontoSpurs : {false, true}) {
                for (const Hex& h : std::set<Hex>(left)) {
                    Hex best{0, 0};
                    std::size_t bestLinks = 99;
                    for (int d = 1; d <= 6; ++d) {
                        const Hex n = Neighbour(h, d);
                        if (!tree.count(n) || (spurHexes.count(n) && !ontoSpurs)) continue;
                        const std::size_t links = drawn[n].size() + (cities.count(n) ? 10 : 0);
                        if (links < bestLinks) { best = n; bestLinks = links; }
                    }
                    if (best.first == 0) continue;
                    plan.spurs.push_back({best, h});
                    tree.insert(h);
                    spurHexes.insert(h);
                    left.erase(h);
                    any = true;
                    if (ontoSpurs) break;
                }
                if (any) break;
            }
            if (!any) {
                if (!grow(part, [&](Hex h) { return left.count(h) > 0; })) break;
                for (auto it = left.begin(); it != left.end();) it = tree.count(*it) ? left.erase(it) : std::next(it);
            }
        }
    }
    return plan;
}

// The plan as lines between junctions, ends and cities. Each hex of a line is eased toward its
// neighbours on the line, but never more than 8 pixels off its centre, so the hex-to-hex zig-zag
// of a line running east or west straightens while the line still crosses every hex it stands
// for; cities and line ends stay on their centres. The lines are then rounded at their bends.
// Spurs run from where their line passes to their hex's centre.
std::vector<std::vector<QPointF>> RailLines(const RailPlan& plan, const std::set<Hex>& cities) {
    std::map<Hex, std::vector<Hex>> next;
    for (const auto& [a, b] : plan.lines) {
        next[a].push_back(b);
        next[b].push_back(a);
    }
    std::map<Hex, QPointF> at;
    for (const auto& [h, list] : next) at[h] = HexCentre(h.first, h.second);
    for (int pass = 0; pass < 6; ++pass) {
        std::map<Hex, QPointF> eased = at;
        for (const auto& [h, list] : next) {
            if (cities.count(h) || list.size() < 2) continue;
            QPointF sum;
            for (const Hex& n : list) sum += at[n];
            const QPointF centre = HexCentre(h.first, h.second);
            QPointF shift = at[h] * 0.5 + sum * (0.5 / static_cast<double>(list.size())) - centre;
            const double length = std::hypot(shift.x(), shift.y());
            if (length > 8.0) shift *= 8.0 / length;
            eased[h] = centre + shift;
        }
        at = eased;
    }
    auto isNode = [&](Hex h) { return next[h].size() != 2 || cities.count(h) > 0; };
    std::set<std::pair<Hex, Hex>> done;
    std::vector<std::vector<QPointF>> lines;
    auto walk = [&](Hex start, Hex second) {
        std::vector<Hex> hexes = {start, second};
        while (!isNode(hexes.back()) && hexes.back() != start) {
            const auto& n = next[hexes.back()];
            hexes.push_back(n[0] == hexes[hexes.size() - 2] ? n[1] : n[0]);
        }
        std::vector<QPointF> pts;
        for (std::size_t i = 0; i < hexes.size(); ++i) {
            if (i + 1 < hexes.size()) done.insert(Ordered(hexes[i], hexes[i + 1]));
            pts.push_back(at[hexes[i]]);
        }
        lines.push_back(Rounded(pts, 2));
    };
    for (const auto& [h, list] : next) {
        if (!isNode(h)) continue;
        for (const Hex& n : list)
            if (!done.count(Ordered(h, n))) walk(h, n);
    }
    // A loop with neither junction nor city on it.
    for (const auto& [a, b] : plan.lines)
        if (!done.count({a, b})) walk(a, b);
    for (const auto& [from, to] : plan.spurs) {
        const auto it = at.find(from);
        const QPointF start = it != at.end() ? it->second : HexCentre(from.first, from.second);
        lines.push_back({start, HexCentre(to.first, to.second)});
    }
    return lines;
}

// ---- Layers -------------------------------------------------------------------------------------

void DrawTerrain(QPainter& p, const TMapGrid& map) {
    p.setPen(Qt::NoPen);
    for (int c = 1; c <= kMapColumns; ++c) {
        for (int r = 1; r <= kMapRows; ++r) {
            const int t = map.Cell(c, r).Terrain();
            if (t == kTerrainWater) continue;
            const auto k = HexCorners(c, r);
            p.setBrush(LandColour(t));
            p.drawPolygon(k.data(), 6);
        }
    }
}

// Water lining: the coast in ink and two fainter lines following it out to sea.
void DrawCoasts(QPainter& p, const TMapGrid& map) {
    for (int pass = 2; pass >= 0; --pass) {
        const double offset = pass * 3.5;
        QColor colour = kWaterLine;
        colour.setAlpha(pass == 0 ? 255 : (pass == 1 ? 150 : 90));
        p.setPen(QPen(colour, pass == 0 ? 1.6 : 1.0, Qt::SolidLine, Qt::RoundCap));
        for (int c = 1; c <= kMapColumns; ++c) {
            for (int r = 1; r <= kMapRows; ++r) {
                if (!IsWater(map, {c, r})) continue;
                for (int d = 1; d <= 6; ++d) {
                    const Hex n = Neighbour({c, r}, d);
                    if (!OnMap(n.first, n.second) || IsWater(map, n)) continue;
                    auto [a, b] = Edge({c, r}, d);
                    const QPointF toWater = HexCentre(c, r) - QPointF(a + b) / 2.0;
                    const double len = std::hypot(toWater.x(), toWater.y());
                    const QPointF shift = toWater * (offset / len);
                    // Shorten the offset lines so they meet their neighbours' near the corners.
                    const QPointF along = QPointF(b - a) * (pass * 0.12);
                    p.drawLine(QPointF(a) + shift + along, QPointF(b) + shift - along);
                }
            }
        }
    }
}

void DrawTree(QPainter& p, QPointF at, const QColor& crown) {
    p.setPen(QPen(QColor(70, 92, 50), 0.9));
    p.drawLine(at, at + QPointF(0, 3));
    p.setBrush(crown);
    p.drawEllipse(at + QPointF(0, -1.5), 2.6, 2.6);
}

void DrawTerrainMarks(QPainter& p, const TMapGrid& map) {
    for (int c = 1; c <= kMapColumns; ++c) {
        for (int r = 1; r <= kMapRows; ++r) {
            const int t = map.Cell(c, r).Terrain();
            const QPointF o = HexCentre(c, r);
            if (t == 5) {
                // Mountains: hachured peaks, lit from the west.
                for (int k = 0; k < 3; ++k) {
                    const QPointF base(o.x() - 10 + k * 8 + Jitter(c, r, k) * 3, o.y() + 5 - (k % 2) * 7 + Jitter(c, r, k + 7) * 3);
                    QPolygonF peak;
                    peak << base << QPointF(base.x() + 4, base.y() - 7) << QPointF(base.x() + 8, base.y());
                    p.setPen(QPen(QColor(120, 84, 52), 1.1));
                    p.setBrush(QColor(196, 160, 116));
                    p.drawPolygon(peak);
                    p.setPen(QPen(QColor(120, 84, 52), 0.8));
                    p.drawLine(QPointF(base.x() + 4, base.y() - 7), QPointF(base.x() + 5.5, base.y()));
                }
            } else if (t == 6) {
                // Woods: little round trees.
                for (int k = 0; k < 3; ++k)
                    DrawTree(p, QPointF(o.x() - 11 + Jitter(c, r, k) * 22, o.y() - 8 + Jitter(c, r, k + 11) * 15),
                             QColor(150, 172, 110));
            } else if (t == 2) {
                // Swamp and wilderness: marsh tufts on short water lines, and a few dark trees.
                for (int k = 0; k < 3; ++k) {
                    const QPointF at(o.x() - 10 + Jitter(c, r, k) * 16, o.y() - 6 + k * 5.5 + Jitter(c, r, k + 3) * 2);
                    p.setPen(QPen(QColor(96, 134, 150), 0.9));
                    p.drawLine(at + QPointF(-3.5, 2), at + QPointF(5.5, 2));
                    p.setPen(QPen(QColor(84, 112, 66), 0.9));
                    for (int s = -1; s <= 1; ++s) p.drawLine(at + QPointF(1 + s * 1.6, 1.5), at + QPointF(1 + s * 2.6, -2.0));
                }
                // The dark trees of a swamp stand at one height: the map has always been drawn so.
                const double treeY = o.y() - 8 + Scatter(c, r, 0x7fffffffu) * 14;
                for (int k = 0; k < 2; ++k)
                    DrawTree(p, QPointF(o.x() - 9 + Jitter(c, r, k + 20) * 18, treeY), QColor(118, 142, 88));
            } else if (t == 7) {
                // Hills: short arcs.
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(QColor(140, 118, 70), 1.0));
                for (int k = 0; k < 3; ++k) {
                    const QPointF at(o.x() - 10 + Jitter(c, r, k) * 16, o.y() - 7 + Jitter(c, r, k + 5) * 12);
                    p.drawArc(QRectF(at.x(), at.y(), 9, 7), 20 * 16, 140 * 16);
                }
            } else if (t == kTerrainImpassable) {
                p.setPen(QPen(QColor(176, 168, 150), 0.8));
                for (int k = -2; k <= 2; ++k) {
                    p.drawLine(QPointF(o.x() + k * 7 - 5, o.y() + 6), QPointF(o.x() + k * 7 + 5, o.y() - 6));
                }
            }
        }
    }
}

void DrawStateBorders(QPainter& p, const TMapGrid& map) {
    std::vector<Side> sides;
    ForEachSide([&](Hex h, int d, Hex n) {
        if (IsWater(map, h) || IsWater(map, n)) return;
        if (map.Cell(h.first, h.second).State() == map.Cell(n.first, n.second).State()) return;
        auto [a, b] = Edge(h, d);
        sides.push_back({a, b, 0});
    });
    std::vector<QPainterPath> paths;
    for (const auto& run : JoinSides(sides, 0)) paths.push_back(PathThrough(Rounded(Eased(run), 2)));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(214, 150, 140, 110), 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const auto& path : paths) p.drawPath(path);
    QPen pen(kBorder, 1.6, Qt::CustomDashLine, Qt::FlatCap, Qt::RoundJoin);
    pen.setDashPattern({3.0, 1.6, 0.8, 1.6});
    p.setPen(pen);
    for (const auto& path : paths) p.drawPath(path);
}

// Styles of the hexside lines, lightest first, so heavier lines are drawn over the lighter ones
// that join them.
enum SideStyle { kLesserRiver = 1, kRiverSide, kGreatRiver, kRidge };

// Rivers run along the hexsides that slow a march, which lie along the river hexes: a light side
// is a lesser river, or the river itself where river hexes border it; a heavy side is a great
// river, drawn broad between dark banks; an impassable side is a hachured ridge.
void DrawRiversAndRidges(QPainter& p, const TMapGrid& map) {
    std::vector<Side> sides;
    ForEachSide([&](Hex h, int d, Hex n) {
        const int value = map.Cell(h.first, h.second).Hexside(d);
        if (value == 0 || (IsWater(map, h) && IsWater(map, n))) return;
        const bool riverHexes = map.Cell(h.first, h.second).River() || map.Cell(n.first, n.second).River();
        const int style = value == 3 ? kRidge : value == 2 ? kGreatRiver : riverHexes ? kRiverSide : kLesserRiver;
        auto [a, b] = Edge(h, d);
        sides.push_back({a, b, style});
    });
    p.setBrush(Qt::NoBrush);
    for (int style : {kLesserRiver, kRiverSide, kGreatRiver, kRidge}) {
        for (const auto& run : JoinSides(sides, style)) {
            const std::vector<QPointF> pts = Rounded(Eased(run), 3);
            const QPainterPath path = PathThrough(pts);
            switch (style) {
                case kLesserRiver:
                    p.setPen(QPen(kRiver, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                    p.drawPath(path);
                    break;
                case kRiverSide:
                    p.setPen(QPen(kRiver, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                    p.drawPath(path);
                    break;
                case kGreatRiver:
                    p.setPen(QPen(kRiverBank, 5.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                    p.drawPath(path);
                    p.setPen(QPen(kRiverWater, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                    p.drawPath(path);
                    break;
                default: {
                    // A ridge: a dark crest with hachures falling away on one side.
                    p.setPen(QPen(kRidgeInk, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                    p.drawPath(path);
                    p.setPen(QPen(kRidgeInk, 1.0, Qt::SolidLine, Qt::RoundCap));
                    const double length = path.length();
                    for (double s = 1.5; s < length; s += 3.0) {
                        const double t = path.percentAtLength(s);
                        const QPointF at = path.pointAtPercent(t);
                        const double angle = path.angleAtPercent(t) * 3.14159265 / 180.0;
                        const QPointF normal(std::sin(angle), std::cos(angle));
                        p.drawLine(at, at + normal * 4.0);
                    }
                }
            }
        }
    }
}

void DrawRailroads(QPainter& p, const std::vector<std::vector<QPointF>>& lines) {
    std::vector<QPainterPath> paths;
    for (const auto& line : lines) paths.push_back(PathThrough(line));
    p.setBrush(Qt::NoBrush);
    // The bed in paper colour, so a line crossing a river reads as a bridge; then the line and its ties.
    p.setPen(QPen(kRailBed, 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const auto& path : paths) p.drawPath(path);
    p.setPen(QPen(kRail, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const auto& path : paths) p.drawPath(path);
    p.setPen(QPen(kRail, 1.0));
    for (const auto& path : paths) {
        const double length = path.length();
        for (double s = 3.0; s < length - 1.5; s += 5.0) {
            const double t = path.percentAtLength(s);
            const QPointF at = path.pointAtPercent(t);
            const double angle = path.angleAtPercent(t) * 3.14159265 / 180.0;
            const QPointF normal(std::sin(angle) * 2.6, std::cos(angle) * 2.6);
            p.drawLine(at - normal, at + normal);
        }
    }
}

// State names in spaced capitals, faint, over the middle of each state's hexes.
void DrawStateNames(QPainter& p, const TMapGrid& map, const TGameRec& rec) {
    std::map<int, std::pair<QPointF, int>> sums;
    for (int c = 1; c <= kMapColumns; ++c) {
        for (int r = 1; r <= kMapRows; ++r) {
            const int s = map.Cell(c, r).State();
            if (s <= 0 || IsWater(map, {c, r})) continue;
            auto& e = sums[s];
            e.first += HexCentre(c, r);
            e.second += 1;
        }
    }
    QFont font("DejaVu Serif", 15, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    p.setFont(font);
    for (const auto& [state, e] : sums) {
        if (e.second < 12) continue;  // too small to letter
        std::string name = rec.States[state].Name.str();
        if (name.empty()) continue;
        std::transform(name.begin(), name.end(), name.begin(), ::toupper);
        const QPointF at = e.first / e.second;
        p.setPen(QColor(150, 110, 80, 92));
        const QRectF box(at.x() - 300, at.y() - 14, 600, 28);
        p.drawText(box, Qt::AlignCenter, QString::fromStdString(name));
    }
}

void DrawCities(QPainter& p, const TGameRec& rec) {
    std::set<int> nationalCapitals;
    for (int n = 1; n <= kNationCount; ++n) nationalCapitals.insert(rec.Nations[n].Capital);
    std::set<int> stateCapitals;
    for (int s = 1; s <= kStateCount; ++s) stateCapitals.insert(rec.States[s].CapitalCity);

    std::vector<QRectF> taken;
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& city = rec.Cities[i];
        if (!OnMap(city.HexX, city.HexY) || city.Name.empty()) continue;
        const QPointF o = HexCentre(city.HexX, city.HexY);
        taken.push_back(QRectF(o.x() - 6, o.y() - 6, 12, 12));
    }
    QFont font("DejaVu Serif", 8);
    QFont capitalFont("DejaVu Serif", 9, QFont::Bold);
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& city = rec.Cities[i];
        if (!OnMap(city.HexX, city.HexY) || city.Name.empty()) continue;
        const QPointF o = HexCentre(city.HexX, city.HexY);
        const bool national = nationalCapitals.count(i) > 0;
        const bool capital = national || stateCapitals.count(i) > 0;
        // The symbol: a ringed dot; a star for the seat of a government.
        p.setPen(QPen(kFrame, 1.2));
        if (national) {
            QPolygonF star;
            for (int k = 0; k < 10; ++k) {
                const double a = -3.14159265 / 2 + k * 3.14159265 / 5;
                const double rr = k % 2 == 0 ? 7.0 : 3.0;
                star << QPointF(o.x() + rr * std::cos(a), o.y() + rr * std::sin(a));
            }
            p.setBrush(QColor(196, 30, 30));
            p.drawPolygon(star);
        } else {
            p.setBrush(kWhite);
            p.drawEllipse(o, capital ? 5.0 : 4.0, capital ? 5.0 : 4.0);
            p.setBrush(capital ? QColor(196, 30, 30) : kFrame);
            p.setPen(Qt::NoPen);
            p.drawEllipse(o, 2.0, 2.0);
        }
        // The name: right of the symbol if free, else left, above or below.
        p.setFont(capital ? capitalFont : font);
        const QFontMetricsF fm(p.font());
        const QString name = QString::fromStdString(city.Name.str());
        const double w = fm.horizontalAdvance(name) + 2, h = fm.height();
        const std::array<QRectF, 4> places = {
            QRectF(o.x() + 8, o.y() - h / 2, w, h), QRectF(o.x() - 8 - w, o.y() - h / 2, w, h),
            QRectF(o.x() - w / 2, o.y() - 8 - h, w, h), QRectF(o.x() - w / 2, o.y() + 7, w, h)};
        QRectF chosen = places[0];
        for (const QRectF& place : places) {
            bool free = place.left() >= 0 && place.right() <= kMapPictureWidth && place.top() >= 0 &&
                        place.bottom() <= kMapPictureHeight;
            for (const QRectF& t : taken) free = free && !t.intersects(place);
            if (free) { chosen = place; break; }
        }
        taken.push_back(chosen);
        QPainterPath path;
        path.addText(chosen.left() + 1, chosen.top() + fm.ascent(), p.font(), name);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(250, 244, 226, 220), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawPath(path);
    }
}

// The title, in the widest stretch of open sea away from every coast. It is engraved on the sea
// itself, in a ruled frame with a sea-blue wash, so the water under it still reads as water.
void DrawCartouche(QPainter& p, const TMapGrid& map) {
    constexpr int kWide = 12, kHigh = 6;
    int best = -1, bestC = 0, bestR = 0;
    for (int c = 1; c + kWide - 1 <= kMapColumns; ++c) {
        for (int r = 1; r + kHigh - 1 <= kMapRows; ++r) {
            bool open = true;
            for (int i = -1; i <= kWide && open; ++i)
                for (int j = -1; j <= kHigh && open; ++j) {
                    const Hex h{c + i, r + j};
                    open = !OnMap(h.first, h.second) || IsWater(map, h);
                }
            if (open && r + c > best) { best = r + c; bestC = c; bestR = r; }
        }
    }
    if (best < 0) return;
    const QPoint at = HexTile(bestC, bestR);
    const QRectF box(at.x() + 10, at.y() + 14, kWide * kHexPixels - 20, (kHigh - 1) * kHexPixels);
    const QColor ink(36, 58, 88);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 182, 204, 70));
    p.drawRect(box);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 1.6));
    p.drawRect(box);
    p.setPen(QPen(ink, 0.7));
    p.drawRect(box.adjusted(4, 4, -4, -4));
    // A north arrow in the left of the frame.
    const QPointF n(box.left() + 26, box.center().y() + 4);
    QPolygonF arrow;
    arrow << QPointF(n.x(), n.y() - 30) << QPointF(n.x() + 6, n.y() + 8) << QPointF(n.x(), n.y() + 2)
          << QPointF(n.x() - 6, n.y() + 8);
    p.setPen(QPen(ink, 1.0));
    p.setBrush(ink);
    p.drawPolygon(arrow);
    QFont letter("DejaVu Serif", 9, QFont::Bold);
    p.setFont(letter);
    p.drawText(QRectF(n.x() - 10, n.y() + 10, 20, 14), Qt::AlignCenter, "N");
    const QRectF text = box.adjusted(50, 8, -8, -8);
    QFont title("DejaVu Serif", 15, QFont::Bold);
    p.setFont(title);
    p.drawText(text.adjusted(0, 6, 0, 0), Qt::AlignHCenter | Qt::AlignTop, "THE SEAT OF WAR");
    QFont sub("DejaVu Serif", 9);
    sub.setItalic(true);
    p.setFont(sub);
    p.drawText(text.adjusted(0, 36, 0, 0), Qt::AlignHCenter | Qt::AlignTop, "in the United States, 1861 - 1865");
    p.drawText(text.adjusted(0, 60, 0, 0), Qt::AlignHCenter | Qt::AlignTop, "Each hex some fifteen miles across");
}

// The cities on the map, and those of them with a station.
std::pair<std::set<Hex>, std::set<Hex>> StationsAndCities(const TGameRec& rec, const TMapGrid& map) {
    std::set<Hex> stations, cities;
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& city = rec.Cities[i];
        if (!OnMap(city.HexX, city.HexY) || city.Name.empty()) continue;
        const Hex h{city.HexX, city.HexY};
        if (IsWater(map, h)) continue;
        cities.insert(h);
        if (city.RailLink || map.Cell(h.first, h.second).Rail()) stations.insert(h);
    }
    return {stations, cities};
}

}  // namespace

RailroadPlan PlanRailroads(const TGameRec& rec, const TMapGrid& map) {
    const auto [stations, cities] = StationsAndCities(rec, map);
    const RailPlan plan = PlanRails(map, stations, cities);
    RailroadPlan out;
    auto point = [](Hex h) { return QPoint(h.first, h.second); };
    for (const auto& [a, b] : plan.lines) out.lines.push_back({point(a), point(b)});
    for (const auto& [a, b] : plan.spurs) out.spurs.push_back({point(a), point(b)});
    return out;
}

QImage DrawMapPicture(const TGameRec& rec, const TMapGrid& map) {
    QImage img(kMapPictureWidth, kMapPictureHeight, QImage::Format_RGB888);
    img.fill(kSea);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    // Faint engraved lines across the sea.
    p.setPen(QPen(kSeaLine, 1.0));
    for (int y = 3; y < kMapPictureHeight; y += 6) p.drawLine(0, y, kMapPictureWidth, y);
    DrawTerrain(p, map);
    DrawTerrainMarks(p, map);
    DrawCoasts(p, map);
    DrawStateNames(p, map, rec);
    DrawStateBorders(p, map);
    DrawRiversAndRidges(p, map);
    const auto [stations, cities] = StationsAndCities(rec, map);
    DrawRailroads(p, RailLines(PlanRails(map, stations, cities), cities));
    DrawCities(p, rec);
    DrawCartouche(p, map);
    p.end();
    return img;
}

QImage DrawMinimap(const TMapGrid& map) {
    QImage img(kMapColumns, kMapRows, QImage::Format_RGB888);
    img.fill(kFrame);
    for (int c = 1; c < kMapColumns; ++c)
        for (int r = 1; r < kMapRows; ++r) img.setPixelColor(c, r, MinimapColour(map.Cell(c, r).Terrain()));
    return img;
}

}  // namespace kvt::pictures
