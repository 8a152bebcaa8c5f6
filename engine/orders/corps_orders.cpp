// Corps and division orders: the opening, the commander change, the brigade transfers and the
// write-back. Runs only inside the dialog; waits go through the Frontend.
#include "engine/orders/corps_orders.h"

#include <algorithm>

#include "engine/forces/brigade_rules.h"
#include "engine/forces/corps_records.h"
#include "engine/orders/order_support.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/naming.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/text_table.h"

namespace kvt {

TPendingReliefCost PendingReliefCost;

namespace {

constexpr int kMaxBrigadesInCorps = 10;

TCorpsRec& CorpsOf(const TCorpsOrders& o) { return GameRec->Corps[o.corps]; }

std::string Number(int v) { return std::to_string(v); }

// Label text, value, and the band's text while the value lies within 0..100.
struct TBand {
    int upTo;
    int text;
};
template <std::size_t N>
std::string GradedText(int label, int value, const TBand (&bands)[N]) {
    std::string s = Text(label) + Number(value);
    if (value > 100) return s;
    for (const TBand& b : bands)
        if (value <= b.upTo) return s + " / " + Text(b.text);
    return s;
}

std::string BandText(int value, std::initializer_list<TBand> bands) {
    for (const TBand& b : bands)
        if (value <= b.upTo) return Text(b.text);
    return {};
}

std::string DisruptionText(int d) {
    if (d == 0) return Text(541);
    const int text = d == 1 ? 542 : d <= 6 ? 543 : 544;
    return Text(text) + "-" + Number(d);
}

// An army's count of corps, recounted from the corps that name it.
void RecountArmyCorps(int army) {
    if (!Arr1<TArmyRec, kArmyCount>::InRange(army) || ArmySlotFree(GameRec->Armies[army])) return;
    int n = 0;
    for (const TCorpsRec& c : GameRec->Corps)
        if (CorpsInUse(c) && c.Army == army) ++n;
    GameRec->Armies[army].CorpsCount = static_cast<U8>(n);
}

int OwnBrigadeCount(const TCorpsRec& c) { return c.LineCount + c.ArtilleryCount; }

// Room for a brigade of the type: ten in all, and line brigades under the commander's limit.
bool HasRoomFor(int corps, int brigadeType) {
    const TCorpsRec& c = GameRec->Corps[corps];
    int total = 0, line = 0;
    ForEachAttachedBrigade(corps, [&](const TBrigadeRec& b) {
        ++total;
        line += b.BrigadeType != kBrigadeArtillery;
    });
    if (total >= kMaxBrigadesInCorps) return false;
    if (brigadeType == kBrigadeArtillery) return true;
    return line < CommanderLineLimit(c.Kind, GameRec->Leaders[c.Leader].Initiative);
}

// The "from" button goes off only when the corps is full, whatever the garrison holds.
void RefreshTransferState(TCorpsOrders& o) {
    o.transferFromEnabled = !o.dissolved && o.cityAt != 0 &&
                            (HasRoomFor(o.corps, kBrigadeArtillery) || HasRoomFor(o.corps, kBrigadeInfantry));
}

// The stored limit is rewritten by every recalculation with another rule; the one shown is the one
// the transfers keep to, worked out from the commander in command.
std::string LimitFigure(const TCorpsRec& c) {
    return Text(100) + Number(CommanderLineLimit(c.Kind, GameRec->Leaders[c.Leader].Initiative));
}

// What a transfer or a reinforcement changes: line and artillery brigades, men and quality.
void RefreshTransferFigures(TCorpsOrders& o) {
    const TCorpsRec& c = CorpsOf(o);
    o.figures[2] = Text(90) + Number(c.LineCount);
    o.figures[3] = Text(91) + Number(c.Strength * 50);
    o.figures[4] = Text(92) + Number(c.ArtilleryCount);
    o.figures[10] = CorpsQualityText();
}

void FillFigures(TCorpsOrders& o) {
    const TCorpsRec& c = CorpsOf(o);
    RefreshTransferFigures(o);
    o.figures[5] = Text(93) + Number(c.HexX) + "," + Number(c.HexY);
    o.figures[6] = Text(94) + Number(c.DestX) + "," + Number(c.DestY);
    o.figures[7] = Text(95) + Number(c.Entrenchment);
    o.figures[8] = DisruptionText(c.Disruption);
    o.figures[9] = CorpsFatigueText();
    o.figures[11] = CorpsConditionText();
    o.figures[12] = LimitFigure(c);
}

// The corps keeps one brigade: what relieving its commander will cost is drawn and announced now.
void AnnounceReliefCost(TCorpsOrders& o) {
    const int leader = CorpsOf(o).Leader;
    // Nobody commands it: nobody is relieved when it breaks up.
    if (leader == 0) return;
    const TLeaderRec& l = GameRec->Leaders[leader];
    ClearEventNotice();
    const int cost = std::max(0, Random(10) + l.Political);
    PendingReliefCost = {static_cast<std::uint16_t>(cost), o.corps, leader};
    if (cost == 0) return;
    EventNotice.SetLine(1, l.Name.str() + Text(574));
    EventNotice.SetLine(2, Text(575));
    EventNotice.SetLine(3, Number(cost) + Text(576));
    EventNotice.SetLine(4, Text(577));
    ShowEventNotice();
}

// The corps gave its last brigade: whatever it still holds joins the city's garrison and the slot
// is freed whole, so no brigade and no active commander are left on a free slot.
void DissolveIntoGarrison(TCorpsOrders& o) {
    TGameRec& g = *GameRec;
    TCorpsRec& c = CorpsOf(o);
    const int leader = c.Leader;
    const int army = c.Army;
    for (TBrigadeRec& b : g.Brigades)
        if (b.AttachKind == kAttachCorps && b.AttachIndex == o.corps) {
            b.AttachKind = kAttachGarrison;
            b.AttachIndex = static_cast<U8>(o.cityAt);
        }
    int cost = 0;
    if (leader != 0) {
        TLeaderRec& l = g.Leaders[leader];
        l.Status = kLeaderRemoved;
        // A cost announced for another corps or commander is not this one's to pay.
        const TPendingReliefCost& p = PendingReliefCost;
        cost = (p.corps == o.corps && p.leader == leader) ? p.cost : std::max(0, Random(10) + l.Political);
        PendingReliefCost = {};
        if (cost != 0) AnnounceRelief(l.Name.str(), cost);
        if (cost != 0 && SidePlayed != 0) LowerNationalWill(SidePlayed, cost);
    }
    DisbandCorps(o.corps);
    RecountArmyCorps(army);
    o.dissolved = true;
    o.transfersShown = false;
    o.transferFromEnabled = false;
    o.commanders.enabled = false;
    o.brigadesViewable = false;
}

void InstallCommander(TCorpsOrders& o, int leader) {
    TCorpsRec& c = CorpsOf(o);
    TLeaderRec& l = GameRec->Leaders[leader];
    c.Leader = static_cast<U8>(leader);
    l.Status = kLeaderActive;
    c.LeaderInitiative = l.Initiative;
    c.LeaderRating = l.Rating;
    o.commander = leader;
    o.ratings = CommanderRatingTexts(leader, true);
    o.ratingsShown = true;
    o.figures[12] = LimitFigure(c);
    RefreshTransferState(o);
}

}  // namespace

std::string CorpsFatigueText() {
    static constexpr TBand bands[] = {{1, 537}, {4, 538}, {8, 539}, {100, 540}};
    return GradedText(97, GameRec->Corps[SelectedCorps].Fatigue, bands);
}

std::string CorpsQualityText() {
    static constexpr TBand bands[] = {{2, 56}, {4, 57}, {8, 58}, {100, 59}};
    return GradedText(98, GameRec->Corps[SelectedCorps].Quality, bands);
}

std::string CorpsConditionText() {
    static constexpr TBand bands[] = {{5, 532}, {10, 533}, {13, 534}, {19, 535}, {100, 536}};
    return GradedText(99, GameRec->Corps[SelectedCorps].Condition, bands);
}

std::array<std::string, 4> CommanderRatingTexts(int leader, bool afterChange) {
    const TLeaderRec& l = GameRec->Leaders[leader];
    std::array<std::string, 4> t = {
        BandText(l.Rating, {{3, 559}, {5, 560}, {7, 561}, {255, 562}}),
        BandText(l.Initiative, {{20, 553}, {30, 554}, {39, 555}, {49, 556}, {255, 557}}),
        BandText(l.Tactics, {{20, 549}, {39, 550}, {255, 551}}),
        BandText(l.Drill, {{20, 545}, {39, 546}, {255, 547}}),
    };
    if (GameRec->RatingsInView == 0) {
        static constexpr int hidden[] = {563, 558, 552, 548};
        static constexpr int atOpening[] = {10, 4, 4, 6};
        static constexpr int atChange[] = {15, 6, 12, 9};
        for (int i = 0; i < 4; ++i)
            if (l.Experience < (afterChange ? atChange[i] : atOpening[i])) t[i] = Text(hidden[i]);
    }
    return t;
}

bool MayJoinCorps(int corps, int brigade) {
    if (!Arr1<TCorpsRec, kCorpsCount>::InRange(corps) || !Arr1<TBrigadeRec, kBrigadeCount>::InRange(brigade)) return false;
    return HasRoomFor(corps, GameRec->Brigades[brigade].BrigadeType);
}

bool OpenCorpsOrders(TCorpsOrders& o) {
    o = TCorpsOrders{};
    if (!Arr1<TCorpsRec, kCorpsCount>::InRange(SelectedCorps) || !CorpsInUse(GameRec->Corps[SelectedCorps])) return false;
    TGameRec& g = *GameRec;
    o.corps = SelectedCorps;
    TCorpsRec& c = g.Corps[o.corps];
    o.commander = c.Leader;

    for (int k = 1; k <= kCityCount; ++k) {
        const TCityRec& city = g.Cities[k];
        if (city.HexX == c.HexX && city.HexY == c.HexY && city.Owner == c.Side) o.cityAt = k;
    }
    if (o.cityAt != 0 && c.Disruption == 0) {
        const TCityRec& city = g.Cities[o.cityAt];
        c.Entrenchment = city.Fortifications;
        o.transfersShown = true;
        o.transferToCaption = "Transfer Brigades to " + city.Name.str();
        o.transferFromCaption = "Transfer Brigades from " + city.Name.str();
        RefreshTransferState(o);
    }

    for (int k = 1; k <= kCityCount; ++k) {
        const TCityRec& city = g.Cities[k];
        if (HexDistance(c.HexX, c.HexY, city.HexX, city.HexY) < 20 && city.Owner == c.Side) {
            if (k == c.SupplyCity) o.supplyCities.selected = static_cast<int>(o.supplyCities.rows.size());
            o.supplyCities.Add(CityRowText(k), k);
        }
    }

    const int rank = c.Kind == 0 ? 3 : c.Kind == 1 ? 1 : 2;
    // No commander: no row for him, no name and no ratings.
    if (c.Leader != 0) {
        o.commanders.Add(g.Leaders[c.Leader].Name.str(), c.Leader);
        o.commanders.selected = 0;
        o.commanderName = g.Leaders[c.Leader].Name.str();
        o.ratings = CommanderRatingTexts(c.Leader, false);
        o.ratingsShown = true;
    }
    for (int l = 1; l <= kLeaderCount; ++l)
        if (CommanderOffered(l, rank, c.Leader)) o.commanders.Add(g.Leaders[l].Name.str(), l);

    o.armies.Add(Text(88), 0);
    if (c.Army == 0) o.armies.selected = 0;
    for (int a = 1; a <= kArmyCount; ++a) {
        const TArmyRec& army = g.Armies[a];
        if (army.BaseCity == 0 || army.Nation != SidePlayed) continue;
        if (a == c.Army) o.armies.selected = static_cast<int>(o.armies.rows.size());
        o.armies.Add(army.Name.str(), a);
    }

    bool atRailPoint = false;
    for (const TCityRec& city : g.Cities)
        if (city.HexX == c.HexX && city.HexY == c.HexY && city.RailLink != 0 && city.Owner == c.Side) atRailPoint = true;
    if (!atRailPoint) atRailPoint = MapGrid->Cell(c.HexX, c.HexY).Rail();
    int railCity = 0;
    if (c.OrderMode == 5)
        for (int k = 1; k <= kCityCount; ++k)
            if (g.Cities[k].HexX == c.DestX && g.Cities[k].HexY == c.DestY) railCity = k;
    o.railDestinations.enabled = false;
    o.railDestinations.Add(Text(89), 0);
    if (atRailPoint) {
        o.railDestinations.enabled = true;
        for (int k = 1; k <= kCityCount; ++k) {
            const TCityRec& city = g.Cities[k];
            if (city.Owner != c.Side || city.RailLink == 0) continue;
            if (k == railCity) o.railDestinations.selected = static_cast<int>(o.railDestinations.rows.size());
            o.railDestinations.Add(CityRowText(k), k);
        }
    }
    const TNationRec& nation = g.Nations[SidePlayed];
    if (nation.RailCapacity <= nation.RailUsed) o.railDestinations.enabled = false;

    o.heading = c.Kind <= 2 ? Text(368 + c.Kind) : std::string();
    FillFigures(o);

    auto row = [](int v) { return v >= 0 && v <= 2 ? v : -1; };
    o.march = row(c.March);
    o.supplyType = row(c.SupplyType);
    o.priority = row(c.SupplyPriority);
    o.stance = c.OrderMode == 3 ? 1 : row(c.OrderMode);
    if (c.OrderMode == 3) o.stanceCaption = Text(238);
    if (c.OrderMode >= 4) {
        o.stance = 0;
        o.priority = 2;
        o.march = 0;
        o.supplyType = 2;
        o.stanceCaption = Text(564);
        o.railDestinations.Clear();
        int destination = 0;
        for (int k = 1; k <= kCityCount; ++k)
            if (g.Cities[k].HexX == c.DestX && g.Cities[k].HexY == c.DestY) destination = k;
        // Row 0 here names the journey's end, not "no rail move": it is never taken as an order.
        o.railDestinations.Add(g.Cities[destination].Name.str(), 0);
        o.railDestinations.enabled = false;
    }
    if (c.Disruption != 0) {
        o.stance = 0;
        o.priority = 2;
        o.stanceCaption = Text(565);
    }
    return true;
}

void FillTransferToList(TCorpsOrders& o) {
    o.brigades.Clear();
    if (o.dissolved) return;
    for (int b = 1; b <= kBrigadeCount; ++b) {
        const TBrigadeRec& br = GameRec->Brigades[b];
        if (br.AttachKind == kAttachCorps && br.AttachIndex == o.corps) o.brigades.Add(BrigadeEntryText(br), b);
    }
    o.direction = TTransferDirection::ToCity;
    o.brigadeListShown = true;
}

void FillTransferFromList(TCorpsOrders& o) {
    o.brigades.Clear();
    if (o.dissolved || o.cityAt == 0) return;
    // The whole garrison, an ally's brigades too; the click keeps to the corps' room.
    for (int b = 1; b <= kBrigadeCount; ++b) {
        const TBrigadeRec& br = GameRec->Brigades[b];
        if (br.AttachKind == kAttachGarrison && br.AttachIndex == o.cityAt) o.brigades.Add(BrigadeEntryText(br), b);
    }
    o.direction = TTransferDirection::FromCity;
    o.brigadeListShown = true;
}

void TransferBrigade(TCorpsOrders& o, int row) {
    const int b = o.brigades.Record(row);
    if (b == 0 || o.dissolved || o.cityAt == 0) return;
    TBrigadeRec& br = GameRec->Brigades[b];
    const TTransferDirection direction = o.direction;
    o.direction = TTransferDirection::None;
    o.brigadeListShown = false;
    o.brigades.Clear();
    if (direction == TTransferDirection::ToCity && br.AttachKind == kAttachCorps && br.AttachIndex == o.corps) {
        br.AttachKind = kAttachGarrison;
        br.AttachIndex = static_cast<U8>(o.cityAt);
        RecalcCorpsFromBrigades();
        RefreshTransferFigures(o);
        // The count is of the corps' own nation's brigades, which alone make it a command.
        const int n = OwnBrigadeCount(CorpsOf(o));
        if (n == 1) AnnounceReliefCost(o);
        if (n == 0) DissolveIntoGarrison(o);
    } else if (direction == TTransferDirection::FromCity && br.AttachKind == kAttachGarrison &&
               br.AttachIndex == o.cityAt && MayJoinCorps(o.corps, b)) {
        br.AttachKind = kAttachCorps;
        br.AttachIndex = static_cast<U8>(o.corps);
        RecalcCorpsFromBrigades();
        RefreshTransferFigures(o);
    }
    RefreshTransferState(o);
}

void ChangeCommander(TCorpsOrders& o, int row) {
    const int chosen = o.commanders.Record(row);
    if (chosen == 0 || o.dissolved || !o.commanders.enabled) return;
    const int old = o.commander;
    // Choosing the man in command changes nothing; asked, it would relieve him and put him back.
    if (chosen == old) return;
    if (old == 0) {
        InstallCommander(o, chosen);
        return;
    }
    TGameRec& g = *GameRec;
    TLeaderRec& ol = g.Leaders[old];
    const int kind = CorpsOf(o).Kind;
    const bool outranksCommand = (kind == 0 && ol.Rank == 5) || (kind != 0 && ol.Rank == 3);
    if (outranksCommand || ol.Status == kLeaderToBeRemoved) {
        if (ol.Status != kLeaderToBeRemoved) ol.Status = kLeaderAvailable;
        InstallCommander(o, chosen);
        return;
    }
    const TReliefAnswer answer = AskToRelieveCommander(ol);
    if (answer == TReliefAnswer::Kept) return;
    if (answer == TReliefAnswer::RemovedAtCost) {
        // Unlike an army's, the will lost and the loyalty odds are drawn apart.
        const int cost = Random(10) + ol.Political;
        AnnounceRelief(ol.Name.str(), cost);
        if (SidePlayed != 0) {
            LowerNationalWill(SidePlayed, cost);
            ShakeLoyaltyAfterRelief(SidePlayed, Random(10) + 2 * ol.Political);
        }
    }
    InstallCommander(o, chosen);
}

void CloseCorpsOrders(TCorpsOrders& o) {
    if (o.dissolved) {
        if (SelectedCorps == o.corps) SelectedCorps = 0;
        return;
    }
    if (!Arr1<TCorpsRec, kCorpsCount>::InRange(o.corps)) return;
    TGameRec& g = *GameRec;
    TCorpsRec& c = g.Corps[o.corps];
    auto valid = [](int r) { return r >= 0 && r <= 2; };
    if (c.OrderMode < 4 && valid(o.stance)) c.OrderMode = static_cast<U8>(o.stance);
    if (valid(o.march)) c.March = static_cast<U8>(o.march);
    if (valid(o.supplyType)) c.SupplyType = static_cast<U8>(o.supplyType);
    if (valid(o.priority)) c.SupplyPriority = static_cast<U8>(o.priority);
    if (o.supplyCities.selected >= 0) c.SupplyCity = static_cast<U8>(o.supplyCities.Record(o.supplyCities.selected));
    if (o.armies.selected >= 0) {
        const int left = c.Army;
        c.Army = static_cast<U8>(o.armies.Record(o.armies.selected));
        // Counted from the corps, so closing twice or staying in the same army adds nothing.
        RecountArmyCorps(left);
        RecountArmyCorps(c.Army);
    }
    const int railCity = o.railDestinations.Record(o.railDestinations.selected);
    TNationRec& nation = g.Nations[SidePlayed];
    if (railCity != 0 && o.railDestinations.enabled && nation.RailUsed < nation.RailCapacity) {
        c.OrderMode = 5;
        c.DestX = g.Cities[railCity].HexX;
        c.DestY = g.Cities[railCity].HexY;
        nation.RailUsed += 1;
        for (int s = 1; s <= 9; ++s) c.Route[s] = 0;
    }
}

void RefreshCorpsFigures(TCorpsOrders& o) {
    if (o.dissolved || !Arr1<TCorpsRec, kCorpsCount>::InRange(o.corps)) return;
    RefreshTransferFigures(o);
    RefreshTransferState(o);
}

void ResetCorpsOrdersGlobals() { PendingReliefCost = {}; }

}  // namespace kvt
