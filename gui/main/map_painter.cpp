// The map view's drawing.
#include "gui/main/map_painter.h"

#include <QLine>
#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/world/game_files.h"
#include "engine/world/globals.h"

namespace kvt::gui {

namespace {

QRect R(const TSheetRect& r) { return {r.x, r.y, r.w, r.h}; }

QColor Rgb(std::uint32_t c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

bool CannotRead(const char* name, QString* error) {
    if (error) *error = QStringLiteral("The picture \"%1\" cannot be read.").arg(QLatin1String(name));
    return false;
}

bool LoadPicture(QImage& into, const char* name, QString* error) {
    const std::string path = GameDataFile(name);
    QImage image(QString::fromStdString(path));
    if (image.isNull()) return CannotRead(name, error);
    // One pixel format for every copy keeps each copy a plain row move.
    into = image.convertToFormat(QImage::Format_RGB32);
    return true;
}

bool LoadPicture(TPackedPicture& into, const char* name, QString* error) {
    if (!into.Load(QString::fromStdString(GameDataFile(name)))) return CannotRead(name, error);
    return true;
}

// The top edge and the two right-hand edges: neighbouring outlines close each other.
void AddOutline(std::vector<QLine>& lines, TBoxPoint h) {
    lines.emplace_back(h.x + 8, h.y, h.x + 24, h.y);
    lines.emplace_back(h.x + 24, h.y, h.x + 32, h.y + 15);
    lines.emplace_back(h.x + 32, h.y + 15, h.x + 24, h.y + 31);
}

// Calls visit(column, row) for every hex whose outline the view may show, in drawing order.
template <typename Visit>
void ForEachOutlinedHex(Visit visit) {
    for (int c = ViewColumn; c <= ViewColumn + ViewColumns && c <= kMapColumns; ++c)
        for (int r = ViewRow; r <= ViewRow + ViewRows && r <= kMapRows; ++r) visit(c, r);
}

void DrawOutlines(QPainter& p) {
    static std::vector<QLine> navy, grey;
    navy.clear();
    grey.clear();
    ForEachOutlinedHex([](int c, int r) {
        const std::uint32_t colour = HexOutlineColour(c, r);
        if (colour != 0) AddOutline(colour == 0x000080 ? navy : grey, HexPixel(c, r));
    });
    p.setPen(QPen(Rgb(0x000080), 1));
    p.drawLines(navy.data(), static_cast<int>(navy.size()));
    p.setPen(QPen(Rgb(0x808080), 1));
    p.drawLines(grey.data(), static_cast<int>(grey.size()));
}

// A symbol's cell from the symbol sheet, 4 pixels in from the hex's corner; answers where it went.
QPoint DrawSymbolCell(QPainter& p, const TMapPictures& pictures, const TSheetRect& cell, TBoxPoint at) {
    const QPoint origin(at.x + 4, at.y + 4);
    p.drawImage(origin, pictures.Symbols, R(cell));
    return origin;
}

}  // namespace

bool LoadMapPictures(TMapPictures& pictures, QString* error) {
    TMapPictures loaded;
    if (!LoadPicture(loaded.Map, "NEWMAP.BMP", error) || !LoadPicture(loaded.Symbols, "BASEIMG2.BMP", error) ||
        !LoadPicture(loaded.Labels, "BASEIMG3.BMP", error) || !LoadPicture(loaded.Markers, "OBJECTIV.BMP", error) ||
        !LoadPicture(loaded.Minimap, "KVTSMALL.BMP", error))
        return false;
    pictures = std::move(loaded);
    return true;
}

void DrawCorpsSymbol(QPainter& p, const TMapPictures& pictures, int corps, TBoxPoint at) {
    const TCorpsSymbol s = CorpsSymbol(corps);
    if (!s.drawn) return;
    const QPoint cell = DrawSymbolCell(p, pictures, s.cell, at);
    if (s.label.valid) p.drawImage(cell + QPoint(1, 7), pictures.Labels, R(s.label));
    // The strength bar: a 3-pixel pen along row 21 of the cell, kept inside the cell.
    const int length = std::min(s.barLength + 1, kSymbolCell);
    p.fillRect(QRect(cell.x(), cell.y() + 20, length, 3), Rgb(s.barColour));
}

void DrawFleetSymbol(QPainter& p, const TMapPictures& pictures, int fleet, TBoxPoint at) {
    const TFleetSymbol s = FleetSymbol(fleet);
    if (!s.drawn) return;
    const QPoint cell = DrawSymbolCell(p, pictures, s.cell, at);
    if (s.label.valid) p.drawImage(cell, pictures.Labels, R(s.label));
}

void DrawArmySymbol(QPainter& p, const TMapPictures& pictures, int army, TBoxPoint at) {
    const TArmySymbol s = ArmySymbol(army);
    if (!s.drawn) return;
    const QPoint cell = DrawSymbolCell(p, pictures, s.cell, at);
    if (s.overlay.valid) p.drawImage(cell + QPoint(2, 9), pictures.Symbols, R(s.overlay));
}

void DrawMoveMarker(QImage& box, const TMapPictures& pictures, int kind, TBoxPoint at) {
    const TSheetRect r = MoveMarkerRect(kind);
    if (!r.valid) return;
    QPainter p(&box);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(MoveMarkerArea(kind, at).topLeft(), pictures.Markers, R(r));
}

QRect MoveMarkerArea(int kind, TBoxPoint at) {
    const TSheetRect r = MoveMarkerRect(kind);
    return r.valid ? QRect(at.x + 8, at.y + 8, r.w, r.h) : QRect();
}

namespace {

// Moves an image's pixels by `by`; what they uncover keeps its old pixels.
void ShiftPixels(QImage& image, QPoint by) {
    const int w = image.width(), h = image.height();
    const int cols = w - std::abs(by.x()), rows = h - std::abs(by.y());
    if (cols <= 0 || rows <= 0) return;
    uchar* bits = image.bits();
    const qsizetype line = image.bytesPerLine();
    const int from = std::max(0, -by.x()), to = std::max(0, by.x());
    auto move = [&](int y) { std::memmove(bits + (y + by.y()) * line + to * 4, bits + y * line + from * 4, cols * 4); };
    // Rows moving down go bottom first, so none is overwritten before it moves.
    if (by.y() > 0)
        for (int y = rows - 1; y >= 0; --y) move(y);
    else
        for (int y = -by.y(); y < h; ++y) move(y);
}

}  // namespace

const QImage& TMapBackdrop::For(const TMapPictures& pictures) {
    seen_.clear();
    if (HexGridShown) ForEachOutlinedHex([this](int c, int r) { seen_.push_back(HexOutlineColour(c, r)); });
    if (!image_.isNull() && picture_ == pictures.Map.Serial() && column_ == ViewColumn && row_ == ViewRow &&
        grid_ == HexGridShown && outlines_ == seen_)
        return image_;
    const QRect source((ViewColumn - 1) * kHexPixels, (ViewRow - 1) * kHexPixels, kMapBoxWidth, kMapBoxHeight);
    // A view moved without the grid keeps the part of the map it still shows and unpacks only the
    // strips it uncovers; the grid's edges are drawn for the hexes in view, so with it all is redrawn.
    const bool moveMap = !image_.isNull() && picture_ == pictures.Map.Serial() && !grid_ && !HexGridShown;
    const QPoint by((column_ - ViewColumn) * kHexPixels, (row_ - ViewRow) * kHexPixels);
    if (image_.isNull()) image_ = QImage(kMapBoxWidth, kMapBoxHeight, QImage::Format_RGB32);
    picture_ = pictures.Map.Serial();
    column_ = ViewColumn;
    row_ = ViewRow;
    grid_ = HexGridShown;
    outlines_.swap(seen_);
    if (moveMap && std::abs(by.x()) < image_.width() && std::abs(by.y()) < image_.height()) {
        ShiftPixels(image_, by);
        const QRect across(by.x() > 0 ? 0 : image_.width() + by.x(), 0, std::abs(by.x()), image_.height());
        const QRect down(0, by.y() > 0 ? 0 : image_.height() + by.y(), image_.width(), std::abs(by.y()));
        for (const QRect& strip : {across, down})
            if (!strip.isEmpty()) pictures.Map.Unpack(image_, strip.topLeft(), strip.translated(source.topLeft()));
    } else {
        pictures.Map.Unpack(image_, QPoint(0, 0), source);
    }
    if (grid_) {
        QPainter p(&image_);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        DrawOutlines(p);
    }
    return image_;
}

void ComposeMapView(QImage& box, const TMapPictures& pictures, TMapBackdrop& backdrop) {
    const TGameRec& g = *GameRec;
    const QImage& view = backdrop.For(pictures);
    QPainter p(&box);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(0, 0), view);
    for (int f = 1; f <= kFleetCount; ++f) {
        const TFleetRec& fleet = g.Fleets[f];
        if (fleet.BuildCounter != 0 || !FleetShown(f) || !HexInView(fleet.HexX, fleet.HexY)) continue;
        DrawFleetSymbol(p, pictures, f, HexPixel(fleet.HexX, fleet.HexY));
    }
    for (int c = 1; c <= kCorpsCount; ++c) {
        const TCorpsRec& corps = g.Corps[c];
        if (!CorpsInUse(corps) || !CorpsShown(c) || !HexInView(corps.HexX, corps.HexY)) continue;
        DrawCorpsSymbol(p, pictures, c, CorpsDrawPosition(c));
    }
    for (int a = 1; a <= kArmyCount; ++a) {
        const TArmyRec& army = g.Armies[a];
        if (army.Nation == 0 || army.BaseCity == 0) continue;
        const TCityRec& base = g.Cities[army.BaseCity];
        if (!HexInView(base.HexX, base.HexY)) continue;
        DrawArmySymbol(p, pictures, a, HexPixel(base.HexX, base.HexY));
    }
}

void ComposeMinimap(QImage& box, const TMapPictures& pictures) {
    QPainter p(&box);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(0, 0), pictures.Minimap, QRect(0, 0, 76, 54));
}

void DrawViewOnMinimap(QImage& box) {
    // The rectangle from (column, row) to (column + 35, row + 22) leaves out its right column and
    // bottom row, so it frames the 35 x 22 hexes the view shows whole.
    const QRect view(ViewColumn, ViewRow, ViewColumns, ViewRows);
    const QColor red(255, 0, 0);
    QPainter p(&box);
    p.fillRect(QRect(view.left(), view.top(), view.width(), 1), red);
    p.fillRect(QRect(view.left(), view.bottom(), view.width(), 1), red);
    p.fillRect(QRect(view.left(), view.top(), 1, view.height()), red);
    p.fillRect(QRect(view.right(), view.top(), 1, view.height()), red);
}

}  // namespace kvt::gui
