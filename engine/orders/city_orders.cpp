// City orders.
#include "engine/orders/city_orders.h"

#include <algorithm>

#include "engine/orders/raising_lists.h"
#include "engine/world/globals.h"
#include "engine/world/naming.h"
#include "engine/world/stocks.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kGunPrice = 100, kGunRefund = 50;
constexpr int kMostWorks = 9;
constexpr int kLowestFortificationCost = 27;

TCityRec* OwnCity(int city) {
    const int side = RaisingNation();
    if (side == 0 || !Arr1<TCityRec, kCityCount>::InRange(city)) return nullptr;
    TCityRec& c = GameRec->Cities[city];
    return c.Nation != 0 && c.Owner == side ? &c : nullptr;
}

bool InTheatre(const TCityRec& c) { return c.Theatre >= 1 && c.Theatre <= kTheatreCount; }
bool IsSource(const TCityRec& c) { return c.SupplySource >= 1 && c.SupplySource <= 3; }

bool GunButtonShown(const TCityRec& c) { return (c.Port != 0 || c.RiverLink != 0) && IsSource(c) && InTheatre(c); }
bool FortificationButtonShown(const TCityRec& c) {
    return c.FortifiedThisTurn == 0 && c.Fortifications < kMostWorks && IsSource(c) && InTheatre(c);
}

U16& TheatreSupplies(const TCityRec& c) { return GameRec->Nations[RaisingNation()].TheatreSupplies[c.Theatre]; }

}  // namespace

int FortificationCost() { return std::max(kLowestFortificationCost, 175 - (GameRec->Year - 1861) * 37); }

bool CityOrdersView(int city, TCityOrdersView& v) {
    const TCityRec* c = OwnCity(city);
    if (c == nullptr) return false;
    const TGameRec& g = *GameRec;
    v = TCityOrdersView{};
    v.name = c->Name.str();
    v.stateName = g.States[c->State].Name.str();
    v.value = Text(164) + std::to_string(c->Value);
    v.damage = Text(165) + std::to_string(c->Damage);
    v.features = (c->RailLink ? Text(166) : "") + (c->Port ? Text(167) : "") + (c->RiverLink ? Text(168) : "");
    v.garrison = Text(169) + std::to_string(c->Garrison);
    v.status = Text(170) + std::to_string(c->Status);
    v.supplies = Text(171) + std::to_string(InTheatre(*c) ? static_cast<int>(TheatreSupplies(*c)) : 0);
    switch (c->SupplySource) {
        case 0: case 4: v.supplySource = Text(259); break;
        case 1: case 2: case 3: v.supplySource = Text(259 + c->SupplySource); break;
        default: break;
    }
    v.coastalGuns = c->CoastalGuns;
    v.fortifications = c->Fortifications;
    v.gunButton = GunButtonShown(*c);
    v.fortificationButton = FortificationButtonShown(*c);
    for (const TBrigadeRec& b : g.Brigades)
        if (b.Nation == RaisingNation() && b.AttachKind == kAttachGarrison && b.AttachIndex == city)
            v.garrisonList.push_back(BrigadeEntryText(b));
    return true;
}

bool BuyCoastalGun(int city) {
    TCityRec* c = OwnCity(city);
    if (c == nullptr || !GunButtonShown(*c) || c->CoastalGuns >= kMostWorks) return false;
    U16& supplies = TheatreSupplies(*c);
    if (supplies <= kGunPrice) return false;
    TakeStock(supplies, kGunPrice, StockRule::Dialog);
    c->CoastalGuns += 1;
    return true;
}

bool SellCoastalGun(int city) {
    TCityRec* c = OwnCity(city);
    if (c == nullptr || !GunButtonShown(*c) || c->CoastalGuns == 0) return false;
    ChangeStock(TheatreSupplies(*c), kGunRefund, StockRule::Dialog);
    c->CoastalGuns -= 1;
    return true;
}

bool BuildFortification(int city) {
    TCityRec* c = OwnCity(city);
    if (c == nullptr || !FortificationButtonShown(*c)) return false;
    U16& supplies = TheatreSupplies(*c);
    const int cost = FortificationCost();
    if (supplies <= cost) return false;
    TakeStock(supplies, cost, StockRule::Dialog);
    c->Fortifications += 1;
    c->FortifiedThisTurn = 1;
    return true;
}

bool SellFortification(int city) {
    TCityRec* c = OwnCity(city);
    if (c == nullptr || !FortificationButtonShown(*c) || c->Fortifications == 0) return false;
    ChangeStock(TheatreSupplies(*c), FortificationCost(), StockRule::Dialog);
    c->Fortifications -= 1;
    return true;
}

}  // namespace kvt
