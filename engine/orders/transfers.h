// Supply and cotton transfers: the side played moves supplies or cotton between its three theatres
// in lots of 100 by rail, each move using one unit of the turn's rail capacity, and buys more
// capacity with 100 supplies of its best-stocked theatre. Every click writes the record at once.
// Pairs: 1 West and Seaboard, 2 Mississippi and Seaboard, 3 Mississippi and West; "up" carries to
// the first of each pair, "down" back from it.
#pragma once

#include <array>
#include <string>

namespace kvt {

enum class TGoods { Supplies, Cotton };
constexpr int kTransferPairs = 3;
constexpr int kTransferLot = 100;

struct TTransfersView {
    std::string railCapacity, railUsed;
    std::array<std::string, 3> supplies, cotton;  // theatre t at [t - 1]
    bool movesEnabled = false;                    // UpDown1..UpDown3
};

// One opening of the dialog: the goods chosen for each pair.
class TTransferOrders {
public:
    TGoods Goods(int pair) const;
    // RadioButton1..RadioButton6: odd buttons choose supplies, even ones cotton.
    void SetGoods(int pair, TGoods goods);
    // UpDown1..UpDown3: one lot of the pair's goods. Only while capacity exceeds this turn's use,
    // from a theatre holding at least 100, to one that can take 100 more. Answers whether it moved.
    bool Move(int pair, bool up);
    // UpDown4: 100 supplies of the fullest theatre (the first of equals) for one more rail unit,
    // up to 255. Answers whether it was bought.
    bool BuyRailCapacity();
    TTransfersView View() const;

private:
    std::array<TGoods, kTransferPairs> goods_{TGoods::Supplies, TGoods::Supplies, TGoods::Supplies};
};

}  // namespace kvt
