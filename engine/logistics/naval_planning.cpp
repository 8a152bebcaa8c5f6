// Naval build planning. The ship tallies are the planner's own: the record's totals belong to the
// force recount and the fleet rules, so nothing here writes them.
#include "engine/logistics/naval_planning.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/forces/fleet_records.h"
#include "engine/logistics/home_front.h"
#include "engine/logistics/ship_building.h"
#include "engine/world/random.h"
#include "engine/world/stocks.h"

namespace kvt {

namespace {

constexpr int kOrderPasses = 51;
constexpr int kRecruitsToOrder = 20;
constexpr int kRecruitsToShift = 30;

// Ocean ironclads, ocean wooden, river ironclads, river wooden, ocean transports.
struct Classes {
    long long oi = 0, ow = 0, ri = 0, rw = 0, ot = 0;
};

std::array<Classes, kNationCount + 1> CountShips() {
    std::array<Classes, kNationCount + 1> tally{};
    for (const TFleetRec& f : GameRec->Fleets) {
        if (f.BuildCounter >= 24 || !IsHomeFrontNation(f.Owner)) continue;
        Classes& c = tally[f.Owner];
        const int iron = f.Ironclads + f.DamagedIronclads, wood = f.Wooden + f.DamagedWooden;
        if (f.WaterType == kWaterRiver) {
            c.ri += iron;
            c.rw += wood;
        } else {
            c.oi += iron;
            c.ow += wood;
            c.ot += f.Transports + f.DamagedTransports;
        }
    }
    return tally;
}

long long TotalSupplies(int n) {
    long long total = 0;
    for (U16 s : GameRec->Nations[n].TheatreSupplies) total += s;
    return total;
}

Classes Targets(int n, const Classes& own, const Classes& e) {
    const TNationRec& nation = GameRec->Nations[n];
    Classes t;
    switch (n) {
        case kNationUnion:
            t = {std::min(e.oi + 4 + e.ot / 4, 24LL), std::min(e.ow + 8 + e.ot / 2, 32LL), std::min(e.ri + 4, 8LL),
                 std::min(e.rw + 6, 8LL), std::max(e.ot / 6, 12LL)};
            if (TotalSupplies(n) < 4000) t = {t.oi / 2, t.ow / 2, t.ri / 2, t.rw / 2, t.ot / 2};
            break;
        case kNationConfederacy:
            t = {e.oi / 4, e.ow / 4, e.ri / 2, e.rw / 2, std::min(own.ot + 8, 30LL)};
            // Once per theatre, so a division by 3 may apply up to three times.
            for (int th = 1; th <= kTheatreCount; ++th) {
                t.ot = std::max<long long>(t.ot, nation.TheatreCotton[th] / 1000);
                t.oi = std::min(t.oi, 8LL);
                t.ow = std::min(t.ow, 12LL);
                t.ri = std::min(t.ri, 4LL);
                t.rw = std::min(t.rw, 4LL);
                if (nation.TheatreSupplies[th] < SupplyReserve(nation, th)) t = {};
                if (TotalSupplies(kNationUnion) < 3000) {
                    t.oi /= 3;
                    t.ow /= 3;
                    t.ri /= 3;
                    t.rw /= 3;
                }
            }
            break;
        case kNationFrance: t = {std::min(e.oi / 2 + 2, 12LL), std::min(e.ow / 2, 16LL), 0, 0, 6}; break;
        default: t = {std::min(e.oi / 2, 12LL), std::min(e.ow / 2, 24LL), 0, 0, 12}; break;
    }
    return t;
}

void ShiftRecruitment(int n, const Classes& own) {
    TNationRec& nation = GameRec->Nations[n];
    if (GameRec->Day != 1 || nation.NavalManpower >= kRecruitsToShift) return;
    U8& infantry = nation.RecruitPercent[1];
    U8& naval = nation.RecruitPercent[4];
    const int wanted = n == kNationUnion || n == kNationConfederacy ? 10 : 20;
    // A share moves only when there is one to move: the percents must keep their sum.
    if (naval < wanted && infantry > 0) {
        naval += 1;
        infantry -= 1;
    }
    if (n != kNationConfederacy && own.ow > 30 && own.oi > 10 && naval > 9) {
        infantry = static_cast<U8>(infantry + naval - 1);
        naval = 1;
    }
    if (n == kNationConfederacy && naval > 5 && own.ot > 30) {
        infantry = static_cast<U8>(infantry + naval - 3);
        naval = 3;
    }
}

// A city of the nation's own home front that it still holds: a port of it if on the water.
bool IsHomeCityOf(const TCityRec& c, int n) {
    const TGameRec& g = *GameRec;
    if (c.OriginalOwner != n || c.Owner != g.Nations[n].Side || g.States[c.State].Controller != n) return false;
    return IsHomeFrontTheatre(c.Theatre);
}

// A nation's ports of one water, in city order.
struct TPorts {
    std::array<std::uint8_t, kCityCount> city;
    int count = 0;
};

// Building yards and laying ships down change no holder, so a nation's ports are listed once for
// its whole planning.
struct TNationPorts {
    TPorts ocean, river;
};

TNationPorts PortsOf(int n) {
    TNationPorts ports;
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& c = GameRec->Cities[i];
        if (!IsHomeCityOf(c, n)) continue;
        if (c.Port != 0) ports.ocean.city[ports.ocean.count++] = static_cast<std::uint8_t>(i);
        if (c.RiverLink != 0) ports.river.city[ports.river.count++] = static_cast<std::uint8_t>(i);
    }
    return ports;
}

// The port with the highest draw among those `fits` accepts; a river yard's choice keeps a second
// draw as the best to beat. 0 when no port drew above 0.
template <typename Fits>
int ChoosePort(const TPorts& ports, bool secondDraw, Fits fits) {
    int chosen = 0, best = 0;
    for (int p = 0; p < ports.count; ++p) {
        const int i = ports.city[p];
        if (!fits(GameRec->Cities[i])) continue;
        const int draw = Random(100);
        if (draw <= best) continue;
        chosen = i;
        best = secondDraw ? Random(100) : draw;
    }
    return chosen;
}

long long YardSum(const TPorts& ports, bool iron) {
    long long sum = 0;
    for (int p = 0; p < ports.count; ++p) {
        const TCityRec& c = GameRec->Cities[ports.city[p]];
        sum += iron ? c.IroncladYards : c.WoodenYards;
    }
    return sum;
}

void AddYard(U8& yards) {
    if (yards < 255) ++yards;
}

void BuildYards(int n, const TNationPorts& ports, const Classes& d) {
    TNationRec& nation = GameRec->Nations[n];
    auto any = [](const TCityRec&) { return true; };
    auto supplies = [&](int port) -> U16& { return nation.TheatreSupplies[GameRec->Cities[port].Theatre]; };
    long long y = YardSum(ports.ocean, true);
    if (y < d.oi / 2 && y < 8) {
        if (const int port = ChoosePort(ports.ocean, false, any))
            for (; y <= d.oi / 2; ++y)
                if (supplies(port) >= 2000) {
                    AddYard(GameRec->Cities[port].IroncladYards);
                    TakeStock(supplies(port), 500, StockRule::Upkeep);
                }
    }
    y = YardSum(ports.ocean, false);
    if (y < (d.ot + d.ow) / 2 && y < 16) {
        if (const int port = ChoosePort(ports.ocean, false, any))
            for (; y <= (d.ot + d.ow) * 2 / 3; ++y)
                if (supplies(port) >= 2000) {
                    AddYard(GameRec->Cities[port].WoodenYards);
                    TakeStock(supplies(port), 250, StockRule::Upkeep);
                }
    }
    if (YardSum(ports.river, true) < d.ri / 2) {
        const int port = ChoosePort(ports.river, true, any);
        if (port != 0 && supplies(port) >= 500) {
            AddYard(GameRec->Cities[port].IroncladYards);
            TakeStock(supplies(port), 500, StockRule::Upkeep);
        }
    }
    if (YardSum(ports.river, false) < d.rw / 2) {
        const int port = ChoosePort(ports.river, true, any);
        if (port != 0 && supplies(port) >= 250) {
            AddYard(GameRec->Cities[port].WoodenYards);
            TakeStock(supplies(port), 250, StockRule::Upkeep);
        }
    }
}

// Orders ships of one kind and lowers the deficit by what was laid down.
void Order(int n, int port, int water, int kind, long long& deficit) {
    const int count = static_cast<int>(std::min<long long>(deficit, 255));
    const TShipsBuilt built = BuildShipsAtCity(n, port, water, kind == kShipIronclads ? count : 0,
                                               kind == kShipWooden ? count : 0, kind == kShipTransports ? count : 0);
    const int f = built.fleet[kind];
    if (f == 0) return;
    const TFleetRec& fleet = GameRec->Fleets[f];
    deficit -= kind == kShipIronclads ? fleet.Ironclads : kind == kShipWooden ? fleet.Wooden : fleet.Transports;
}

void PlaceOrders(int n, const TNationPorts& ports, Classes& d) {
    const TPorts &ocean = ports.ocean, &river = ports.river;
    for (int pass = 0; pass < kOrderPasses; ++pass) {
        if (GameRec->Nations[n].NavalManpower < kRecruitsToOrder) return;
        if (Random(100) < 50) {
            const int port = ChoosePort(ocean, false, [&](const TCityRec& c) {
                return (c.WoodenYards != 0 && (d.ot != 0 || d.ow != 0)) || (c.IroncladYards != 0 && d.oi != 0);
            });
            if (port == 0) continue;
            const TCityRec& c = GameRec->Cities[port];
            if (d.ot > 3 && c.WoodenYards != 0) Order(n, port, kWaterOcean, kShipTransports, d.ot);
            if (d.oi > 1 && c.IroncladYards != 0) Order(n, port, kWaterOcean, kShipIronclads, d.oi);
            if (d.ow > 2 && c.WoodenYards != 0) Order(n, port, kWaterOcean, kShipWooden, d.ow);
        } else {
            const int port = ChoosePort(river, false, [&](const TCityRec& c) {
                return (c.WoodenYards != 0 && d.rw != 0) || (c.IroncladYards != 0 && d.ri != 0);
            });
            if (port == 0) continue;
            const TCityRec& c = GameRec->Cities[port];
            if (d.ri > 1 && c.IroncladYards != 0) Order(n, port, kWaterRiver, kShipIronclads, d.ri);
            if (d.rw > 2 && c.WoodenYards != 0) Order(n, port, kWaterRiver, kShipWooden, d.rw);
        }
    }
}

}  // namespace

void PlanNavalBuilds(int n) {
    if (!IsHomeFrontNation(n)) return;
    const auto tally = CountShips();
    const int side = GameRec->Nations[n].Side;
    Classes enemy;
    for (int m = 1; m <= kNationCount; ++m) {
        if (m == n || GameRec->Nations[m].Side == side) continue;
        enemy.oi += tally[m].oi;
        enemy.ow += tally[m].ow;
        enemy.ri += tally[m].ri;
        enemy.rw += tally[m].rw;
        enemy.ot += tally[m].ot;
    }
    const Classes& own = tally[n];
    const Classes target = Targets(n, own, enemy);
    auto short_of = [](long long want, long long have) { return have < want ? want - have : 0; };
    Classes deficit = {short_of(target.oi, own.oi), short_of(target.ow, own.ow), short_of(target.ri, own.ri),
                       short_of(target.rw, own.rw), short_of(target.ot, own.ot)};
    ShiftRecruitment(n, own);
    const TNationPorts ports = PortsOf(n);
    BuildYards(n, ports, deficit);
    PlaceOrders(n, ports, deficit);
}

}  // namespace kvt
