// The monthly state economy. Every stock word changes through the stock helpers.
#include "engine/logistics/state_economy.h"

#include <algorithm>

#include "engine/logistics/home_front.h"
#include "engine/world/stocks.h"

namespace kvt {

namespace {

constexpr long long kIncomeCap = 60000;
constexpr long long kCottonCap = 20000;
// A stock at or above this takes no income that month.
constexpr int kStockFull = 60000;

int SeasonFactor(int month) {
    if (month >= 3 && month <= 5) return 3;
    if (month >= 6 && month <= 11) return 6;
    return 2;
}

// Industry of the side the nation fights on raises every state's output.
int IndustryBonus(int nation) {
    const TGameRec& g = *GameRec;
    const int side = g.Nations[nation].Side;
    if (side == 0) return 1;
    return std::min(2 * static_cast<int>(g.Nations[side].Recovery), 6);
}

void Credit(U16& stock, long long amount) {
    if (stock < kStockFull) ChangeStock(stock, amount, StockRule::Income);
}

void CollectIncome(int f) {
    TGameRec& g = *GameRec;
    for (TStateRec& s : g.States) {
        if (s.ControlSide != s.Owner) continue;
        if (s.CottonOutput > 10) s.CottonOutput = static_cast<std::uint16_t>(s.CottonOutput / 10);
        const int n = s.Controller;
        const int t = s.Theatre;
        if (!IsHomeFrontNation(n) || !IsHomeFrontTheatre(t)) continue;
        const long long b = IndustryBonus(n);
        TNationRec& nation = g.Nations[n];
        const long long out =
            s.CapitalCity == 0 ? s.CityOutput / 100 : (static_cast<long long>(s.CityOutput) + s.ExtraOutput) / 100;
        // The cap comes before the factor 2/7.
        const long long income = std::min((s.BaseOutput + b) * f * out, kIncomeCap) * 2 / 7;
        SetStock(s.MonthlyIncome, income, StockRule::Income);
        Credit(nation.TheatreSupplies[t], income);
        if (s.CapitalCity != 0 && n == kNationConfederacy)
            Credit(nation.TheatreCotton[t], std::min(out * (s.CottonOutput + b) * f, kCottonCap));
    }
}

// A state with a capital orders what its cities order and produces what they produce.
void GatherCityOutput(int n, int stateIndex) {
    TGameRec& g = *GameRec;
    TStateRec& s = g.States[stateIndex];
    long long total = 0;
    for (U16& w : s.WeaponCapacity) SetStock(w, 0, StockRule::Orders);
    for (TCityRec& c : g.Cities) {
        if (c.Nation != n || c.State != stateIndex) continue;
        long long out = c.Output;
        if (c.Damage != 0) {
            if (c.Damage > 100) c.Damage = 100;
            out = (100 - c.Damage) * out / 100;
        }
        total += out;
        for (int w = 1; w <= kWeaponKinds; ++w) ChangeStock(s.WeaponCapacity[w], c.Production[w], StockRule::Orders);
    }
    s.CityOutput = static_cast<std::uint16_t>(std::min<long long>(total, 65535));
}

void DeliverWeapons() {
    TGameRec& g = *GameRec;
    for (int n = 1; n <= kNationCount; ++n) {
        TNationRec& nation = g.Nations[n];
        for (int i = 1; i <= kStateCount; ++i) {
            TStateRec& s = g.States[i];
            if (s.Controller != n || !IsHomeFrontTheatre(s.Theatre)) continue;
            if (s.CapitalCity != 0) GatherCityOutput(n, i);
            U16& stock = nation.TheatreSupplies[s.Theatre];
            for (int w = 1; w <= kWeaponKinds; ++w) {
                const long long q = s.WeaponCapacity[w];
                const long long p = g.WeaponTable[w].Price[n];
                // Only whole units the stock pays for are delivered.
                const long long k = q * p <= stock ? q : stock / p;
                if (k <= 0) continue;
                TakeStock(stock, k * p, StockRule::Weapons);
                ChangeStock(nation.WeaponPool[w], k, StockRule::Weapons);
            }
        }
    }
}

}  // namespace

void UpdateStateEconomy() {
    // This month's income pays for this month's weapons.
    CollectIncome(SeasonFactor(GameRec->Month));
    DeliverWeapons();
}

}  // namespace kvt
