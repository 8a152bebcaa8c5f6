// Monthly procurement of the computer nations. Orders and refunds go through the stock helpers.
#include "engine/logistics/procurement.h"

#include <array>

#include "engine/logistics/home_front.h"
#include "engine/world/random.h"
#include "engine/world/stocks.h"

namespace kvt {

namespace {

// Cities that take the orders of France and Britain.
constexpr int kFrenchOrderCity = 85, kBritishOrderCity = 86;
// The Union places its orders in production states from this index on (the first are its capitals').
constexpr int kFirstUnionOrderState = 4;

struct Arm {
    int brigadeType;
    int firstKind, lastKind;
    int orderedKind, confederateKind;
};
// In the order the arms are served.
constexpr std::array<Arm, 3> kArms = {{
    {kBrigadeArtillery, 6, 8, 7, 6},
    {kBrigadeInfantry, 1, 3, 2, 2},
    {kBrigadeCavalry, 4, 5, 4, 5},
}};

long long UnitValue(int kind, int n) { return GameRec->WeaponTable[kind].Price[n] + 4LL; }

// Gives back a whole order at its unit value into the theatre's supplies.
void RefundOrder(U16& order, int kind, int n, int theatre) {
    const int taken = TakeStock(order, order, StockRule::Refunds);
    ChangeStock(GameRec->Nations[n].TheatreSupplies[theatre], taken * UnitValue(kind, n), StockRule::Refunds);
}

void RefundMuskets(int n) {
    TGameRec& g = *GameRec;
    for (TStateRec& s : g.States) {
        if (s.Controller != n || s.WeaponCapacity[1] == 0 || !IsHomeFrontTheatre(s.Theatre)) continue;
        // A state with a capital only sums its cities' orders; they are refunded through the cities.
        if (s.CapitalCity != 0) SetStock(s.WeaponCapacity[1], 0, StockRule::Refunds);
        else RefundOrder(s.WeaponCapacity[1], 1, n, s.Theatre);
    }
    for (TCityRec& c : g.Cities)
        if (c.Nation == n && c.Production[1] != 0 && IsHomeFrontTheatre(c.Theatre)) RefundOrder(c.Production[1], 1, n, c.Theatre);
}

// Halves every order of the arm's kinds and refunds the halved order at its unit value.
void HalveOrders(Arr1<U16, kWeaponKinds>& orders, const Arm& arm, int n, int theatre) {
    for (int w = arm.firstKind; w <= arm.lastKind; ++w) {
        if (orders[w] == 0) continue;
        const int half = orders[w] / 2;
        SetStock(orders[w], half, StockRule::Refunds);
        ChangeStock(GameRec->Nations[n].TheatreSupplies[theatre], half * UnitValue(w, n), StockRule::Refunds);
    }
}

void CutOrders(int n, const Arm& arm) {
    TGameRec& g = *GameRec;
    if (n == kNationUnion) {
        for (int i = kFirstUnionOrderState; i <= kStateCount; ++i) {
            TStateRec& s = g.States[i];
            if (s.CapitalCity == 0 && s.Controller == n && IsHomeFrontTheatre(s.Theatre))
                HalveOrders(s.WeaponCapacity, arm, n, s.Theatre);
        }
    } else if (n == kNationConfederacy) {
        // Every city of the nation's, not only those of the first 37 records.
        for (TCityRec& c : g.Cities)
            if (c.OriginalOwner == n && IsHomeFrontTheatre(c.Theatre)) HalveOrders(c.Production, arm, n, c.Theatre);
    }
}

void OrderInConfederateCity(int n, int kind, long long q, long long cost) {
    TGameRec& g = *GameRec;
    bool affordable = false;
    for (int t = 1; t <= kTheatreCount; ++t) affordable = affordable || g.Nations[n].TheatreSupplies[t] > cost;
    if (!affordable) return;
    int best = 0;
    long long bestScore = -1;
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& c = g.Cities[i];
        if (c.OriginalOwner != n || c.Nation != n || g.States[c.State].Controller != n) continue;
        if (c.RailLink == 0 || c.Port != 0 || c.RiverLink != 0) continue;
        if (Random(100) >= 30) continue;
        const long long score = c.Output / 5 + Random(25) + 10LL * c.Fortifications + (c.Garrison != 0 ? 25 : 0);
        if (score > bestScore) {
            best = i;
            bestScore = score;
        }
    }
    if (best != 0) ChangeStock(g.Cities[best].Production[kind], q, StockRule::Orders);
}

void OrderInUnionState(int n, const Arm& arm, int kind, long long q, long long cost) {
    TGameRec& g = *GameRec;
    int chosen = 0;
    for (int i = kFirstUnionOrderState; i <= kStateCount; ++i) {
        const TStateRec& s = g.States[i];
        if (s.CapitalCity != 0 || !IsHomeFrontTheatre(s.Theatre)) continue;
        if (arm.brigadeType == kBrigadeArtillery && s.Controller != n) continue;
        if (g.Nations[n].TheatreSupplies[s.Theatre] <= cost) continue;
        if (chosen == 0 || Random(100) < 30) chosen = i;
    }
    if (chosen == 0) return;
    TStateRec& s = g.States[chosen];
    ChangeStock(s.WeaponCapacity[kind], q, StockRule::Orders);
    TakeStock(g.Nations[n].TheatreSupplies[s.Theatre], cost, StockRule::Orders);
}

void PlaceOrder(int n, const Arm& arm, long long shortfall) {
    const int kind = n == kNationConfederacy ? arm.confederateKind : arm.orderedKind;
    const long long q = shortfall / 10;
    const long long cost = q * UnitValue(kind, n);
    TGameRec& g = *GameRec;
    switch (n) {
        case kNationFrance: ChangeStock(g.Cities[kFrenchOrderCity].Production[kind], q, StockRule::Orders); break;
        case kNationBritain: ChangeStock(g.Cities[kBritishOrderCity].Production[kind], q, StockRule::Orders); break;
        case kNationConfederacy: OrderInConfederateCity(n, kind, q, cost); break;
        default: OrderInUnionState(n, arm, kind, q, cost); break;
    }
}

}  // namespace

void ComputerProcurement() {
    TGameRec& g = *GameRec;
    for (int n = 1; n <= kNationCount; ++n) {
        TNationRec& nation = g.Nations[n];
        for (U16& pool : nation.WeaponPool)
            if (pool > kWeaponPoolCap) SetStock(pool, kWeaponPoolCap, StockRule::Weapons);
        if (nation.Human != 0) continue;
        RefundMuskets(n);
        std::array<long long, 4> need{};
        for (const TBrigadeRec& b : g.Brigades)
            if (b.Nation == n && b.AttachKind == kAttachUnarmed && b.Weapon <= 1 && b.BrigadeType >= 1 && b.BrigadeType <= 3)
                need[b.BrigadeType] += b.Strength;
        for (const Arm& arm : kArms) {
            long long shortfall = need[arm.brigadeType];
            for (int w = arm.firstKind; w <= arm.lastKind; ++w) shortfall -= nation.WeaponPool[w];
            if (shortfall < 1) CutOrders(n, arm);
            else PlaceOrder(n, arm, shortfall);
        }
    }
}

}  // namespace kvt
