// Rail transfers between theatres and the purchase of rail capacity.
#include "engine/orders/transfers.h"

#include "engine/world/globals.h"
#include "engine/world/stocks.h"

namespace kvt {

namespace {

constexpr int kRailCapacityCap = 255;
constexpr int kRailUnitPrice = 100;

struct TRoute {
    int to, from;  // of an "up" move
};
constexpr TRoute kRoutes[kTransferPairs] = {{kSeaboard, kWest}, {kSeaboard, kMississippi}, {kWest, kMississippi}};

TNationRec* PlayedNation() { return GameRec->Nations.InRange(SidePlayed) ? &GameRec->Nations[SidePlayed] : nullptr; }

}  // namespace

TGoods TTransferOrders::Goods(int pair) const {
    return pair >= 1 && pair <= kTransferPairs ? goods_[static_cast<std::size_t>(pair - 1)] : TGoods::Supplies;
}

void TTransferOrders::SetGoods(int pair, TGoods goods) {
    if (pair >= 1 && pair <= kTransferPairs) goods_[static_cast<std::size_t>(pair - 1)] = goods;
}

bool TTransferOrders::Move(int pair, bool up) {
    TNationRec* n = PlayedNation();
    // A move at equal capacity and use would carry one rail unit more than the turn has.
    if (!n || pair < 1 || pair > kTransferPairs || n->RailCapacity <= n->RailUsed) return false;
    const TRoute route = kRoutes[pair - 1];
    const int from = up ? route.from : route.to;
    const int to = up ? route.to : route.from;
    auto& stock = Goods(pair) == TGoods::Supplies ? n->TheatreSupplies : n->TheatreCotton;
    // A full target would lose what the source gave up.
    if (stock[from] < kTransferLot || stock[to] > kStockCap - kTransferLot) return false;
    ChangeStock(stock[from], -kTransferLot, StockRule::Dialog);
    ChangeStock(stock[to], kTransferLot, StockRule::Dialog);
    ++n->RailUsed;
    return true;
}

bool TTransferOrders::BuyRailCapacity() {
    TNationRec* n = PlayedNation();
    if (!n || n->RailCapacity >= kRailCapacityCap) return false;
    int fullest = kSeaboard;
    for (int t = kWest; t <= kMississippi; ++t)
        if (n->TheatreSupplies[t] > n->TheatreSupplies[fullest]) fullest = t;
    if (n->TheatreSupplies[fullest] < kRailUnitPrice) return false;
    ChangeStock(n->TheatreSupplies[fullest], -kRailUnitPrice, StockRule::Dialog);
    ++n->RailCapacity;
    return true;
}

TTransfersView TTransferOrders::View() const {
    TTransfersView v;
    const TNationRec* n = PlayedNation();
    if (!n) return v;
    v.railCapacity = std::to_string(n->RailCapacity);
    v.railUsed = std::to_string(n->RailUsed);
    for (int t = 1; t <= kTheatreCount; ++t) {
        v.supplies[static_cast<std::size_t>(t - 1)] = std::to_string(n->TheatreSupplies[t]);
        v.cotton[static_cast<std::size_t>(t - 1)] = std::to_string(n->TheatreCotton[t]);
    }
    v.movesEnabled = n->RailCapacity > n->RailUsed;
    return v;
}

}  // namespace kvt
