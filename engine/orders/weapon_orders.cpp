// Weapon order steps, paid through the stock helpers.
#include "engine/orders/weapon_orders.h"

#include "engine/world/globals.h"
#include "engine/world/stocks.h"

namespace kvt {

long long WeaponsShown(int kind, long long units) { return units * (kind <= 5 ? 50 : 2); }

bool WeaponFitsBrigadeType(int kind, int brigadeType) {
    switch (brigadeType) {
        case kBrigadeArtillery: return kind >= 6 && kind <= 8;
        case kBrigadeInfantry: return kind >= 1 && kind <= 3;
        case kBrigadeCavalry: return kind == 4 || kind == 5;
        default: return false;
    }
}

int WeaponOrderCost(int nation, int kind) { return GameRec->WeaponTable[kind].Price[nation] + 4; }

bool StepWeaponOrder(U16& order, U16& supplies, int cost, bool up) {
    if (up) {
        if (supplies <= cost || order >= kStockCap) return false;
        ChangeStock(order, 1, StockRule::Dialog);
        ChangeStock(supplies, -cost, StockRule::Dialog);
        return true;
    }
    if (order == 0) return false;
    ChangeStock(order, -1, StockRule::Dialog);
    ChangeStock(supplies, cost / 2, StockRule::Dialog);
    return true;
}

}  // namespace kvt
