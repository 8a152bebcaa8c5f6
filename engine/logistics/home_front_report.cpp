// The home-front columns of the headless report.
#include "engine/logistics/home_front_report.h"

#include <cstddef>
#include <sstream>

#include "engine/logistics/draft.h"
#include "engine/world/calendar.h"
#include "engine/world/globals.h"
#include "engine/world/stocks.h"

namespace kvt {

namespace {

enum WordKind { kSupplies, kCotton, kWeapons, kRecruits, kOrders, kWordKinds, kNotAPool };
const char* const kWordNames[kWordKinds] = {"supplies", "cotton", "weapons", "recruits", "orders"};

template <typename Field>
bool Within(std::size_t at, std::size_t start, const Field&) {
    return at >= start && at < start + sizeof(Field);
}

struct Owner {
    int nation = 0;
    WordKind kind = kNotAPool;
};

// Whose pool a ledger offset names, and what it holds. Monthly tallies (income, recruits raised)
// are records of a month, not pools, and stay out of the flows; so do the orders of a state with a
// capital city, which only add up its cities' orders: counted too, every such order would count twice.
Owner OwnerOf(std::size_t offset) {
    const TGameRec& g = *GameRec;
    const std::size_t nations = offsetof(TGameRec, Nations), states = offsetof(TGameRec, States),
                      cities = offsetof(TGameRec, Cities);
    if (offset >= nations && offset < nations + sizeof(g.Nations)) {
        const std::size_t i = (offset - nations) / sizeof(TNationRec), at = (offset - nations) % sizeof(TNationRec);
        const TNationRec& n = g.Nations.items[i];
        Owner o{static_cast<int>(i) + 1};
        if (Within(at, offsetof(TNationRec, TheatreSupplies), n.TheatreSupplies)) o.kind = kSupplies;
        else if (Within(at, offsetof(TNationRec, TheatreCotton), n.TheatreCotton)) o.kind = kCotton;
        else if (Within(at, offsetof(TNationRec, WeaponPool), n.WeaponPool)) o.kind = kWeapons;
        else if (Within(at, offsetof(TNationRec, NavalManpower), n.NavalManpower)) o.kind = kRecruits;
        return o;
    }
    if (offset >= states && offset < states + sizeof(g.States)) {
        const std::size_t i = (offset - states) / sizeof(TStateRec), at = (offset - states) % sizeof(TStateRec);
        const TStateRec& s = g.States.items[i];
        Owner o{s.Controller};
        if (Within(at, offsetof(TStateRec, WeaponCapacity), s.WeaponCapacity)) o.kind = s.CapitalCity == 0 ? kOrders : kNotAPool;
        else if (at >= offsetof(TStateRec, InfantryPool) && at < offsetof(TStateRec, WeaponCapacity)) o.kind = kRecruits;
        return o;
    }
    if (offset >= cities && offset < cities + sizeof(g.Cities)) {
        const std::size_t i = (offset - cities) / sizeof(TCityRec);
        return {g.Cities.items[i].Nation, kOrders};
    }
    return {};
}

template <typename Words>
std::string Joined(const Words& words, char separator) {
    std::ostringstream s;
    bool first = true;
    for (int w : words) {
        if (!first) s << separator;
        s << w;
        first = false;
    }
    return s.str();
}

std::string Flows(int nation) {
    long long flow[kStockRuleCount][kWordKinds] = {};
    for (const TStockEntry& e : StockLedger()) {
        const Owner o = OwnerOf(e.offset);
        if (o.nation == nation && o.kind != kNotAPool) flow[static_cast<int>(e.rule)][o.kind] += e.change;
    }
    std::string line;
    for (int r = 0; r < kStockRuleCount; ++r) {
        std::string parts;
        for (int k = 0; k < kWordKinds; ++k)
            if (flow[r][k] != 0)
                parts += std::string(" ") + kWordNames[k] + (flow[r][k] > 0 ? " +" : " ") + std::to_string(flow[r][k]);
        if (!parts.empty()) line += (line.empty() ? " " : "; ") + std::string(StockRuleName(static_cast<StockRule>(r))) + ":" + parts;
    }
    return line.empty() ? " none" : line;
}

}  // namespace

std::string HomeFrontReportColumns() {
    const TGameRec& g = *GameRec;
    std::ostringstream out;
    for (int n = 1; n <= kNationCount; ++n) {
        const TNationRec& nation = g.Nations[n];
        out << "  " << nation.Name.str() << " supplies " << Joined(nation.TheatreSupplies, '/') << " cotton "
            << Joined(nation.TheatreCotton, '/') << " weapons " << Joined(nation.WeaponPool, ',') << " naval "
            << nation.NavalManpower << " raised " << nation.MonthlyRecruits << " bounty " << nation.Bounty << " will "
            << nation.Will << " riots " << WillLostToRiots(n);
    }
    if (FirstTurnOfMonth(g.Day))
        for (int n = 1; n <= kNationCount; ++n) out << "  " << g.Nations[n].Name.str() << " flows" << Flows(n);
    return out.str();
}

}  // namespace kvt
