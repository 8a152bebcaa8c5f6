// Field battle setup and the intensity choice. Reads the battle hex from BattleX, BattleY; every
// per-corps step takes only the corps the dispatcher drew in.
#include "engine/combat/battle_setup.h"

#include <algorithm>
#include <array>

#include "engine/combat/battle_history.h"
#include "engine/combat/battle_state.h"
#include "engine/combat/field_battle.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kMaxRating = 12;
constexpr int kStartLossChance = 70;
constexpr int kIntensityRows = 10;
constexpr int kFarthestPlace = 100;
constexpr int kMilesPerHex = 15;

const TCityRec* CityOf(int city) { return Arr1<TCityRec, kCityCount>::InRange(city) ? &GameRec->Cities[city] : nullptr; }

bool OnHex(const TCityRec& c, int x, int y) { return c.HexX == x && c.HexY == y; }

std::string CityAndState(const TCityRec& c) { return c.Name.str() + ", " + GameRec->States[c.State].Name.str(); }

int TerrainText(int terrain) {
    switch (terrain) {
        case 1: return 518;
        case 2: return 522;
        case 3: return 523;
        case 4: return 524;
        case 5: return 519;
        case 6: return 520;
        case 7: return 521;
        default: return -1;
    }
}

// Weather text and the terrain-value bonus it gives both sides.
struct Weather {
    int text;
    int bonus;
};
Weather WeatherOf(int w) {
    switch (w) {
        case 2: return {82, 0};
        case 3:
        case 4: return {83, 10};
        case 5: return {84, 20};
        case 6: return {85, 10};
        case 7:
        case 8: return {86, 40};
        default: return {87, 0};
    }
}

int BrigadeCount(const TCorpsRec& c) { return c.ArtilleryCount + c.LineCount; }

// The nearest city to the hex (strictly nearer than 100 and every earlier one), 0 when none.
int NearestCity(int x, int y, int& distance) {
    int best = 0;
    distance = kFarthestPlace;
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& c = GameRec->Cities[i];
        if (c.HexX == 0 || c.HexY == 0) continue;  // a record placed nowhere is no city
        const int d = HexDistance(x, y, c.HexX, c.HexY);
        if (d < distance) {
            distance = d;
            best = i;
        }
    }
    return best;
}

void ClampLeaderRatings() {
    TGameRec& g = *GameRec;
    for (TCorpsRec& c : g.Corps) {
        if (!CorpsInUse(c)) continue;
        // A rating that wrapped below zero reads as huge: it is taken back to 0.
        if (c.LeaderRating > 127) {
            c.LeaderRating = 0;
            if (c.Leader != 0) g.Leaders[c.Leader].Rating = 0;
        }
        if (c.LeaderRating > kMaxRating) {
            c.LeaderRating = kMaxRating;
            if (c.Leader != 0) g.Leaders[c.Leader].Rating = kMaxRating;
        }
    }
}

// Sums the factor table and picks each side's leader; the weather line comes with the ground.
void BuildFactors(int terrain, int placeCity, TCombatResolutionView& view) {
    TGameRec& g = *GameRec;
    const int control = MapGrid->Cell(g.BattleX, g.BattleY).ControlSide();
    long long sums[kFactorPairs][3] = {};
    bool present[3] = {};
    std::uint16_t* leaderWord[3] = {nullptr, &CombatWords.UnionLeader, &CombatWords.ConfederateLeader};
    std::array<std::uint8_t, kCorpsCount + 1> slotOf{};  // each fighting corps' side slot, else 0
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& c = g.Corps[k];
        if (!FightsAtBattleHex(k) || c.Side == 0) continue;
        PreBattleCohesion[k] = c.Condition;
        PreBattleStrength[k] = c.Strength;
        PreBattleGuns[k] = 2 * c.Artillery;
        const int s = SideSlot(c.Side);
        slotOf[k] = static_cast<std::uint8_t>(s);
        present[s] = true;
        std::uint16_t& leader = *leaderWord[s];
        if (leader == 0 || g.Leaders[c.Leader].Rank > g.Leaders[leader].Rank) leader = c.Leader;
        if (c.Army != 0 && g.Armies[c.Army].Leader != 0) leader = g.Armies[c.Army].Leader;

        const int n = BrigadeCount(c);
        BattleBrigades[s] = Saturated<std::uint16_t>(BattleBrigades[s] + n);
        sums[0][s] += c.Strength + c.Artillery;
        sums[1][s] += c.Fatigue * n;
        sums[2][s] += c.Condition * n;
        sums[4][s] += c.Entrenchment * n;
        sums[5][s] += c.LeaderRating * n;
        sums[8][s] += g.Leaders[c.Leader].Tactics;
        sums[9][s] += 1 + c.OrderMode;
        sums[10][s] += 1 + c.SupplyPriority;
        if (c.SupplyPriority == 2) sums[10][s] = 4;
        sums[13][s] += 1;
    }
    // The brigades' quality and fire are sums: one look over all brigades finds every fighting corps'.
    for (const TBrigadeRec& b : g.Brigades) {
        if (b.AttachKind != kAttachCorps || !Arr1<TCorpsRec, kCorpsCount>::InRange(b.AttachIndex)) continue;
        const int s = slotOf[b.AttachIndex];
        if (s == 0) continue;
        const TWeaponRec& w = g.WeaponTable[b.Weapon];
        sums[6][s] += b.Quality;
        sums[7][s] += w.FireFactor1 * w.FireFactor2 * (b.BrigadeType == kBrigadeArtillery ? 12 : 8);
    }
    // Terrain counts once per side and the weather once, whatever the order of the corps.
    for (int s = 1; s <= 2; ++s) {
        if (!present[s] || control != s) continue;
        if (terrain == 4 || terrain == 6 || terrain == 7) sums[3][s] = 20;
        if (terrain == 2 || terrain == 5) sums[3][s] = 30;
    }
    // A city of no state, or a state of no theatre, has no weather to tell.
    const TCityRec* c = CityOf(placeCity);
    const int theatre = c != nullptr && c->State != 0 ? g.States[c->State].Theatre : 0;
    if (Arr1<U16, kTheatreCount>::InRange(theatre)) {
        const Weather w = WeatherOf(g.TheatreWeather[theatre]);
        sums[3][1] += w.bonus;
        sums[3][2] += w.bonus;
        view.weather = Text(53) + Text(w.text);
    }
    for (int p = 0; p < kFactorPairs; ++p)
        for (int s = 1; s <= 2; ++s) BattleFactors[p][s] = Saturated<std::uint16_t>(sums[p][s]);
}

void ChooseIntensities(TCombatResolutionView& view) {
    const TGameRec& g = *GameRec;
    const bool mail = g.GameKind >= 2;
    view.setUnionIntensity.enabled = g.Nations[1].Human != 0 && !(mail && g.SideToMove != 1);
    view.setConfederateIntensity.enabled = g.Nations[2].Human != 0 && !(mail && g.SideToMove != 2);
    if (!view.setUnionIntensity.enabled) CombatWords.UnionIntensity = static_cast<std::uint16_t>(RuleIntensity(1));
    if (!view.setConfederateIntensity.enabled)
        CombatWords.ConfederateIntensity = static_cast<std::uint16_t>(RuleIntensity(2));
    // A mail game whose side to move is computer-played offers no intensity button: Execute must
    // then be pressable, or the dialog could never be left.
    if (!view.setUnionIntensity.enabled && !view.setConfederateIntensity.enabled) view.execute.enabled = true;
}

}  // namespace

int RuleIntensity(int side) {
    const TGameRec& g = *GameRec;
    const int own = SideSlot(side), enemy = 3 - own;
    const int leader = own == 1 ? CombatWords.UnionLeader : CombatWords.ConfederateLeader;
    const int rating = g.Leaders[leader].Rating;
    int i = own == 1 ? rating / 2 : (rating + 1) / 2;
    if (BattleBrigades[own] > 2 * BattleBrigades[enemy]) i += 1;
    if (i > 1 && BattleBrigades[enemy] > 2 * BattleBrigades[own]) i -= 1;
    return std::clamp(i, 1, 5);
}

void SetUpFieldBattle() {
    TGameRec& g = *GameRec;
    TCombatResolution dialog;
    TCombatResolutionView& v = dialog.view;
    ClampLeaderRatings();

    CombatWords = {};
    CombatWords.LeaderLossChance = kStartLossChance;
    v.unionHeading = Text(505);
    v.confederateHeading = Text(506);
    v.execute.caption = Text(120);
    v.setUnionIntensity.caption = Text(516);
    v.setConfederateIntensity.caption = Text(517);
    v.execute.enabled = true;
    CombatWords.ResolvePending = 1;
    g.BattleSetup5 = 5;
    g.BattleSetup10 = 10;
    g.BattleSetup15 = 15;

    const MapCell& hex = MapGrid->Cell(g.BattleX, g.BattleY);
    const int theatre = g.States[hex.State()].Theatre;
    if (hex.State() != 0 && Arr1<U8, kTheatreCount>::InRange(theatre)) {
        g.Nations[1].TheatreIdle[theatre] = 0;
        g.Nations[2].TheatreIdle[theatre] = 0;
    }

    g.BattleLosses(1) = 0;
    g.BattleLosses(2) = 0;
    g.BattleResult = 0;
    g.BattleSetup7 = 7;
    g.BattleSetup16 = 16;
    PreBattleCohesion = {};
    PreBattleStrength = {};
    PreBattleGuns = {};
    BattleBrigades = {};

    const int terrain = hex.Terrain();
    if (TerrainText(terrain) >= 0) v.terrain = Text(TerrainText(terrain));

    int city = 0;
    if (terrain == kTerrainCity)
        for (int i = 1; i <= kCityCount; ++i)
            if (OnHex(g.Cities[i], g.BattleX, g.BattleY)) city = i;
    if (const TCityRec* c = CityOf(city); c && c->Fortifications != 0)
        for (int k = 1; k <= kCorpsCount; ++k)
            if (FightsAtBattleHex(k) && g.Corps[k].Side == c->Owner)
                g.Corps[k].Entrenchment = Saturated<std::uint8_t>(2 * c->Fortifications);

    int placeCity = city;
    if (placeCity == 0) {
        int d = 0;
        placeCity = NearestCity(g.BattleX, g.BattleY, d);
        if (placeCity != 0 && d > 0)
            v.place = Text(51) + std::to_string(kMilesPerHex * d) + Text(52) + CityAndState(g.Cities[placeCity]);
    }
    if (placeCity != 0 && v.place.empty()) v.place = Text(2) + CityAndState(g.Cities[placeCity]);

    BattleFactors = {};
    if (g.Nations[1].Human != 0 || g.Nations[2].Human != 0) v.execute.enabled = false;
    BuildFactors(terrain, placeCity, v);

    v.unionLeader = g.Leaders[CombatWords.UnionLeader].Name.str();
    v.confederateLeader = g.Leaders[CombatWords.ConfederateLeader].Name.str();
    WriteBattleHistoryHeader(v);
    ChooseIntensities(v);
    // The turn's hourglass is still up: the player answers under the arrow.
    Frontend& fe = CurrentFrontend();
    fe.SetCursor(CursorKind::Arrow);
    fe.RunCombatResolution(dialog);
}

void TCombatResolution::Button3Click() {
    if (!view.setUnionIntensity.visible || !view.setUnionIntensity.enabled) return;
    CombatWords.UnionIntensity = 1;
    CombatWords.UnionIntensity = static_cast<std::uint16_t>(ShowBattleIntensity(1, CombatWords.UnionLeader));
    view.setUnionIntensity.visible = false;
    if (CombatWords.ConfederateIntensity != 0) view.execute.enabled = true;
}

void TCombatResolution::Button4Click() {
    if (!view.setConfederateIntensity.visible || !view.setConfederateIntensity.enabled) return;
    CombatWords.ConfederateIntensity = 1;
    CombatWords.ConfederateIntensity = static_cast<std::uint16_t>(ShowBattleIntensity(2, CombatWords.ConfederateLeader));
    view.setConfederateIntensity.visible = false;
    if (CombatWords.UnionIntensity != 0) view.execute.enabled = true;
}

void TCombatResolution::Button1Click() {
    if (!view.execute.visible || !view.execute.enabled) return;
    view.execute.enabled = false;
    ResolveFieldBattle();
}

void TCombatResolution::RunUnattended() {
    Button3Click();
    Button4Click();
    Button1Click();
}

TBattleIntensityView BattleIntensityView(int side, int leader) {
    const TGameRec& g = *GameRec;
    TBattleIntensityView v;
    v.caption = Text(49);
    v.readyCaption = Text(50);
    v.columnHeader = Text(509);
    for (int o = 1; o <= 5; ++o) v.optionCaption[o] = Text(510 + o);
    if (side == 1) {
        v.leftHeading = Text(505);
        v.rightHeading = Text(508);
    } else if (side == 2) {
        v.rightHeading = Text(506);
        v.leftHeading = Text(507);
    }
    v.optionShown[1] = true;
    if (leader != 0) {
        const int rating = g.Leaders[leader].Rating;
        for (int o = 2; o <= 5; ++o) v.optionShown[o] = rating >= 2 * o - 1;
    }

    // Cavalry scouts: own horsemen let the enemy's rows be read, the enemy's hide them.
    long scouting = 0;
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& c = g.Corps[k];
        if (!FightsAtBattleHex(k) || c.Side == 0) continue;
        for (const TBrigadeRec& b : g.Brigades)
            if (b.BrigadeType == kBrigadeCavalry && b.AttachKind == kAttachCorps && b.AttachIndex == k)
                scouting += c.Side == side ? b.Strength : -b.Strength;
    }
    int next[3] = {0, 1, 1};
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& c = g.Corps[k];
        if (!FightsAtBattleHex(k) || c.Side == 0) continue;
        long value = c.Side == side ? 100 : scouting;
        if (g.RatingsInView == 1) value = 50;
        const int s = SideSlot(c.Side);
        TIntensityRow& row = (s == 1 ? v.unionRows : v.confederateRows)[next[s]];
        next[s] = std::min(next[s] + 1, kIntensityRows);
        const bool named = value >= 0, counted = value >= 20;
        row.leader = named ? g.Leaders[c.Leader].Name.str() : "???";
        row.brigades = named ? std::to_string(BrigadeCount(c)) : "???";
        row.troops = counted ? std::to_string(c.Strength * 50) : "???";
        row.artillery = counted ? std::to_string(c.Artillery) : "???";
        row.shown = true;
    }
    return v;
}

int ShowBattleIntensity(int side, int leader) {
    const TBattleIntensityView v = BattleIntensityView(side, leader);
    EventNotice.Answer = 1;
    Frontend& fe = CurrentFrontend();
    fe.SetCursor(CursorKind::Arrow);
    int answer = fe.ChooseBattleIntensity(v);
    if (answer < 1 || answer > 5 || !v.optionShown[answer]) answer = 1;
    EventNotice.Answer = static_cast<std::uint16_t>(answer);
    return answer;
}

}  // namespace kvt
