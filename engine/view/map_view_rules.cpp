// The map view's geometry, the hidden-enemy rule and the sheet rectangles of the symbols.
#include "engine/view/map_view_rules.h"

#include <algorithm>

#include "engine/forces/brigade_rules.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr std::uint32_t kBlack = 0x000000, kRed = 0xFF0000, kGreen = 0x008000, kMaroon = 0x800000,
                        kFuchsia = 0xFF00FF, kBlue = 0x0000FF, kPurple = 0x800080, kNavy = 0x000080,
                        kGrey = 0x808080, kSilver = 0xC0C0C0, kWhite = 0xFFFFFF;

constexpr int kEmbarked = 4;

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

TSheetRect Rect(int x, int y, int w, int h, int pictureWidth, int pictureHeight) {
    // A rectangle that runs past its picture would copy whatever lies beyond it.
    const bool inside = x >= 0 && y >= 0 && x + w <= pictureWidth && y + h <= pictureHeight;
    return {x, y, w, h, inside};
}

TSheetRect SymbolRect(int x, int y, int w = kSymbolCell, int h = kSymbolCell) {
    return Rect(x, y, w, h, kSymbolSheetWidth, kSymbolSheetHeight);
}

TSheetRect LabelRect(int x, int y, int w, int h) { return Rect(x, y, w, h, kLabelSheetWidth, kLabelSheetHeight); }

// One of the clauses lets the watching side see the unit.
bool Shown(int side, int owningNation, int spottedLevel) {
    const TGameRec& g = *GameRec;
    if (spottedLevel != 0 || side == 0) return true;
    const int other = side == kConfederacy ? kUnion : kConfederacy;
    if (g.Nations[side].Human != 0 && g.Nations[other].Human == 0) return true;
    if (g.EnemyVisibility == side || g.EnemyVisibility == 3) return true;
    return owningNation == SidePlayed;
}

int BrigadesIn(int corps) {
    int n = 0;
    ForEachAttachedBrigade(corps, [&](const TBrigadeRec&) { ++n; });
    return n;
}

}  // namespace

std::uint32_t ArmyBarColour(int armyNumber) {
    switch (armyNumber) {
        case 1: case 5: return kRed;
        case 2: case 8: return kGreen;
        case 3: return kMaroon;
        case 4: return kFuchsia;
        case 6: return kBlue;
        case 7: return kPurple;
        default: return kBlack;  // no army, or a number the pens have no colour for
    }
}

TBoxPoint HexPixel(int column, int row) {
    TBoxPoint p{(column - ViewColumn) * kHexPixels, (row - ViewRow) * kHexPixels};
    if (column % 2 == 0) p.y += kHexPixels / 2;
    return p;
}

bool HexInView(int column, int row) {
    return column >= ViewColumn && column <= ViewColumn + ViewColumns && row >= ViewRow && row <= ViewRow + ViewRows;
}

THexPos HexAtBoxPoint(int x, int y) {
    const int column = ViewColumn + FloorDiv(x, kHexPixels);
    int row = 0;
    if (column % 2 != 0) row = ViewRow + FloorDiv(y, kHexPixels);
    else row = y > kHexPixels / 2 ? ViewRow + (y - kHexPixels / 2) / kHexPixels : ViewRow;
    // A drag may end far outside the box; its hex must still be one the rules can use.
    return {static_cast<std::uint16_t>(std::clamp(column, 1, kMapColumns)),
            static_cast<std::uint16_t>(std::clamp(row, 1, kMapRows))};
}

bool FleetShown(int fleet) {
    const TFleetRec& f = GameRec->Fleets[fleet];
    return Shown(f.Side, f.Owner, f.Spotted);
}

bool CorpsShown(int corps) {
    const TGameRec& g = *GameRec;
    const TCorpsRec& c = g.Corps[corps];
    if (c.OrderMode == kEmbarked)
        for (const TFleetRec& f : g.Fleets)
            if (f.Cargo == corps) return false;
    return Shown(c.Side, c.Nation, c.Visibility);
}

TBoxPoint CorpsDrawPosition(int corps) {
    const TGameRec& g = *GameRec;
    const TCorpsRec& c = g.Corps[corps];
    TBoxPoint p = HexPixel(c.HexX, c.HexY);
    int below = 0;
    for (int j = 1; j < corps && j <= kCorpsCount; ++j)
        if (g.Corps[j].HexX == c.HexX && g.Corps[j].HexY == c.HexY) ++below;
    const int offset = 2 * below;
    if (p.x + offset < kMapBoxWidth) p.x += offset;
    if (p.y + offset < kMapBoxHeight) p.y += offset;
    return p;
}

TSheetRect CorpsCellRect(int kind, int nation, int armyNumber) {
    const bool firstRow = nation == kNationUnion || nation == kNationFrance;
    const bool european = nation >= kNationFrance;
    static constexpr int rows[3][2] = {{189, 217}, {136, 83}, {163, 109}};
    const int row = rows[kind][firstRow ? 0 : 1];
    const int column = 27 * armyNumber + (kind == 0 ? 2 : 1) + (european ? 243 : 0);
    return SymbolRect(column, row);
}

TSheetRect ArmyCellRect(int nation, int armyNumber) {
    return SymbolRect((armyNumber - 1) * 27 + 2, nation == kNationUnion ? 1 : 28);
}

TSheetRect ArmyOverlayRect(int nation) { return SymbolRect(nation == kNationUnion ? 164 : 191, 56, 19, 10); }

TSheetRect FleetCellRect(int owner, bool river) {
    int column = -1;
    switch (owner) {
        case kNationUnion: column = river ? 110 : 2; break;
        case kNationConfederacy: column = river ? 137 : 29; break;
        case kNationFrance: column = river ? -1 : 56; break;   // no river symbols for the Europeans
        case kNationBritain: column = river ? -1 : 83; break;
        default: break;
    }
    if (column < 0) return {};
    return SymbolRect(column, 56);
}

TSheetRect CorpsLabelRect(int nation, int ordinal) {
    const int k = ordinal;
    if (nation == kNationUnion) return k <= 10 ? LabelRect(1, (k - 1) * 12, 21, 11) : LabelRect(27, (k - 11) * 12, 21, 11);
    return k <= 17 ? LabelRect(59, (k - 1) * 12, 21, 11) : LabelRect(83, (k - 18) * 12, 21, 11);
}

TSheetRect FleetLabelRect(int nation, int number) {
    const int n = number;
    const int base = nation == kNationUnion ? 1 : 140;
    if (n <= 10) return LabelRect(113, (n - 1) * 11 + base, 23, 11);
    if (n <= 20) return LabelRect(140, (n - 11) * 11 + base, 23, 11);
    if (n <= 32) return LabelRect(167, (n - 21) * 11 + base, 23, 11);
    return {};
}

TCorpsSymbol CorpsSymbol(int corps) {
    const TGameRec& g = *GameRec;
    const TCorpsRec& c = g.Corps[corps];
    TCorpsSymbol s;
    if (c.Ordinal == 0 || c.Kind > 2 || c.Nation < 1 || c.Nation > kNationCount) return s;
    const int a = (c.Army >= 1 && c.Army <= kArmyCount) ? g.Armies[c.Army].ArmyNumber : 0;
    s.cell = CorpsCellRect(c.Kind, c.Nation, a);
    if (!s.cell.valid) return s;
    s.drawn = true;
    if (c.Kind == 0 && c.Nation < kNationFrance) s.label = CorpsLabelRect(c.Nation, c.Ordinal);
    s.barColour = ArmyBarColour(a);
    s.barLength = 1 + 2 * BrigadesIn(corps);
    return s;
}

TArmySymbol ArmySymbol(int army) {
    const TArmyRec& a = GameRec->Armies[army];
    TArmySymbol s;
    const int n = a.ArmyNumber;
    if (n == 0) return s;
    s.cell = ArmyCellRect(a.Nation, n);
    s.overlay = ArmyOverlayRect(a.Nation);
    s.drawn = s.cell.valid;
    return s;
}

TFleetSymbol FleetSymbol(int fleet) {
    const TFleetRec& f = GameRec->Fleets[fleet];
    TFleetSymbol s;
    const int n = f.FleetNumber;
    if (n == 0) return s;
    s.cell = FleetCellRect(f.Owner, f.WaterType == 2);
    // Every fleet the sheet holds lies wholly on it; the others draw nothing.
    if (!s.cell.valid) return s;
    s.drawn = true;
    if (f.Owner == kNationUnion || f.Owner == kNationConfederacy) s.label = FleetLabelRect(f.Owner, n);
    return s;
}

TSheetRect BattleMarkerRect() { return SymbolRect(0, 122); }

TSheetRect MoveMarkerRect(int kind) {
    if (kind < 1 || kind > 6) return {};
    return Rect(14 * (kind - 1), 0, kMarkerSize, kMarkerSize, kMarkerStripWidth, kMarkerStripHeight);
}

std::uint32_t HexOutlineColour(int column, int row) {
    switch (MapGrid->Cell(column, row).ControlSide()) {
        case kUnion: return kNavy;
        case kConfederacy: return kGrey;
        default: return 0;
    }
}

TPanelColours IdPanelColours() {
    if (SidePlayed == kUnion) return {kNavy, kSilver};
    if (SidePlayed == kConfederacy) return {kGrey, kWhite};
    return {kSilver, kBlack};
}

std::uint32_t CorpsPanelTextColour(int corps) {
    const TCorpsRec& c = GameRec->Corps[corps];
    return c.Route[1] != 0 ? kRed : IdPanelColours().text;
}

std::string MovedUnitCaption(MovedUnit kind, int index) {
    const TGameRec& g = *GameRec;
    if (kind == MovedUnit::Fleet) {
        static const char* const adjectives[] = {"", "Union ", "Confederate ", "French ", "British "};
        const TFleetRec& f = g.Fleets[index];
        const char* adjective = f.Owner <= 4 ? adjectives[f.Owner] : "";
        return adjective + Text(1) + std::to_string(f.FleetNumber);
    }
    const TCorpsRec& c = g.Corps[index];
    std::string caption = g.Leaders[c.Leader].Name.str();
    if (c.Kind <= 2) caption += Text(5 + c.Kind);
    if (c.Army >= 1 && c.Army <= kArmyCount) caption += Text(8) + g.Armies[c.Army].Name.str();
    return caption;
}

}  // namespace kvt
