// Corps supply and attrition, fleet stores and sieges. The three supply messages go only to a
// person's nation, only when the corps asked for more than subsistence, and in a mail game only to
// the player whose corps it is.
#include "engine/logistics/corps_supply.h"

#include <algorithm>
#include <array>
#include <string>

#include "engine/forces/brigade_rules.h"
#include "engine/logistics/supply_sources.h"
#include "engine/movement/corps_movement.h"
#include "engine/movement/path_search.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/random.h"
#include "engine/world/record_access.h"
#include "engine/world/record_queries.h"
#include "engine/world/stocks.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

enum : int { kDepot = 0, kEncampment = 1, kForaging = 2 };
enum : int { kSubsistence = 0, kStandard = 1, kHigh = 2 };
constexpr int kCavalryDivision = 2;
constexpr int kForcedMarch = 2, kCautiousMarch = 0;
// SupplyDistance of a depot corps whose pool was short, and of one with no route to its city.
constexpr int kPoolShort = 2;
constexpr int kNoRoute = 10;
constexpr int kRiverRailReach = 25;
constexpr int kRouteSearchSteps = 20;

// The nation's pool of a theatre; nullptr for no nation or no theatre.
U16* Pool(int nation, int theatre) {
    if (!IsNation(nation) || theatre < 1 || theatre > kTheatreCount) return nullptr;
    return &GameRec->Nations[nation].TheatreSupplies[theatre];
}

bool DrawFromPool(int nation, int theatre, int need) {
    U16* pool = Pool(nation, theatre);
    if (pool == nullptr || *pool < need) return false;
    TakeStock(*pool, need, StockRule::CorpsSupply);
    return true;
}

bool PersonPlays(int nation) { return IsNation(nation) && GameRec->Nations[nation].Human != 0; }

// A supply message goes to the person of the nation named, and only when the corps asked for more
// than subsistence; in a mail game only when the corps is the executing player's own.
bool SupplyMessageDue(const TCorpsRec& k, int nation) {
    return k.SupplyPriority != kSubsistence && PersonPlays(nation) && OwnForcesMessageShown(k.Nation);
}

void SupplyMessage(const std::string& text) {
    Frontend& fe = CurrentFrontend();
    fe.SetCursor(CursorKind::Arrow);
    fe.InformationBox(text);
}

std::string CommanderName(const TCorpsRec& k) { return GameRec->Leaders[k.Leader].Name.str(); }

// Road reach of the depots, set by the Seaboard's weather whatever theatre the corps is in.
int RoadReach() {
    switch (GameRec->TheatreWeather[kSeaboard]) {
        case 3: case 4: return 5;
        case 5: case 7: case 8: return 3;
        case 6: return 6;
        default: return 7;
    }
}

// Whether the corps reaches its supply city by road, river or rail for the city's nation.
bool RouteToSupplyCity(const TCorpsRec& k, const TCityRec& city) {
    const int side = GameRec->Nations[city.Nation].Side;
    const int d = HexDistance(k.HexX, k.HexY, city.HexX, city.HexY);
    const int reach = RoadReach();
    if (d <= reach) {
        if (k.HexX == city.HexX && k.HexY == city.HexY) return true;
        FindPath(k.HexX, k.HexY, city.HexX, city.HexY, reach, kPathLand, city.Nation, kRuleOwnOnly);
        return PathReached(kPathLand, k.HexX, k.HexY, city.HexX, city.HexY);
    }
    if (d < kRiverRailReach && city.RiverLink) {
        FindPath(k.HexX, k.HexY, city.HexX, city.HexY, kRouteSearchSteps, kPathRiver, side, kRuleOwnOnly);
        if (!PathReached(kPathRiver, k.HexX, k.HexY, city.HexX, city.HexY)) return false;
        // An enemy fleet anywhere on the river route cuts it; the fleets are looked over once.
        std::array<THexPos, kPathMaxSteps> route;
        int x = k.HexX, y = k.HexY, length = 0;
        for (int s = 1; s <= PathStepCount; ++s) {
            StepHexAt(x, y, PathSteps[s]);
            route[static_cast<std::size_t>(length++)] = {static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)};
        }
        for (const TFleetRec& f : GameRec->Fleets) {
            if (f.BuildCounter != 0 || f.Side == side) continue;
            for (int s = 0; s < length; ++s)
                if (route[static_cast<std::size_t>(s)].X == f.HexX && route[static_cast<std::size_t>(s)].Y == f.HexY) return false;
        }
        return true;
    }
    if (d < kRiverRailReach && city.RailLink) {
        FindPath(k.HexX, k.HexY, city.HexX, city.HexY, kRouteSearchSteps, kPathRail, side, kRuleOwnOnly);
        return PathReached(kPathRail, k.HexX, k.HexY, city.HexX, city.HexY);
    }
    return false;
}

int CorpsAttritionFrom(int corps, int level, const TAttachedByCorps* lists);

// `lists` holds every corps' brigades when the corps pay attrition (after movement).
void SupplyOneCorps(int c, int when, const TAttachedByCorps* lists) {
    TGameRec& g = *GameRec;
    TCorpsRec& k = g.Corps[c];
    const bool afterMovement = when == kSupplyAfterMovement;
    int need = CorpsSupplyNeed(k);
    int loss = 0;
    int level = 0;
    const TCityRec& city = g.Cities[k.SupplyCity];
    const bool hasCity = k.SupplyCity != 0;

    if (k.SupplyType == kEncampment) {
        level = 1;
        if (!hasCity) {
            k.SupplyPriority = kSubsistence;
            k.SupplyType = kForaging;
            level = 6;
        } else {
            if (HexDistance(k.HexX, k.HexY, city.HexX, city.HexY) > 1) {
                k.SupplyType = kDepot;
                k.SupplyPriority = kStandard;
                level = 6;
            }
            if (city.Owner != k.Side || !IsSupplySource(city)) {
                k.SupplyType = kForaging;
                k.SupplyPriority = kSubsistence;
                level = 6;
            }
        }
        if (k.SupplyPriority == kStandard) {
            need /= 2;
            level /= 2;
        }
        if (k.SupplyType == kEncampment) {
            const int state = MapGrid->Cell(k.HexX, k.HexY).State();
            if (state >= 1 && state <= kStateCount && DrawFromPool(k.Nation, k.Region, need)) level /= 2;
            if (afterMovement) loss = CorpsAttritionFrom(c, level, lists);
            k.SupplyDistance = 0;
            k.SupplyLoss = static_cast<U8>(std::min(loss, 255));
            return;
        }
    }

    if (k.SupplyType == kDepot) {
        level = 3;
        if (hasCity) {
            if (!IsSupplySource(city)) {
                k.SupplyType = kForaging;
                k.SupplyPriority = kSubsistence;
                level = 6;
            }
            if (city.Owner != k.Side) {
                k.SupplyType = kForaging;
                if (SupplyMessageDue(k, k.Nation)) SupplyMessage(CommanderName(k) + Text(722));
                k.SupplyPriority = kSubsistence;
                level = 9;
            } else if (k.SupplyType == kDepot) {
                // From here on the city's nation feeds the corps.
                const int nation = city.Nation;
                if (RouteToSupplyCity(k, city)) {
                    if (DrawFromPool(nation, k.Region, need)) {
                        k.SupplyDistance = 0;
                    } else {
                        if (SupplyMessageDue(k, nation)) SupplyMessage(Text(724) + CommanderName(k));
                        k.SupplyPriority = kSubsistence;
                        k.SupplyType = kForaging;
                        k.SupplyDistance = kPoolShort;
                    }
                    if (k.SupplyPriority == kSubsistence) level += 3;
                    else if (k.SupplyPriority == kStandard) level -= 1;
                    else if (k.SupplyPriority == kHigh) level /= 2;
                } else {
                    if (SupplyMessageDue(k, nation)) SupplyMessage(CommanderName(k) + Text(725));
                    k.SupplyType = kForaging;
                    k.SupplyPriority = kSubsistence;
                    level = 10;
                    k.SupplyDistance = kNoRoute;
                }
            }
        }
        if (afterMovement) loss = CorpsAttritionFrom(c, level, lists);
    }

    if (k.SupplyType == kForaging) {
        level = ForageLevel(k.HexX, k.HexY, c);
        // A corps charged at its depot level first loses men twice; the foraging loss is the one kept.
        if (afterMovement) loss = CorpsAttritionFrom(c, level, lists);
        k.SupplyDistance = static_cast<U8>(std::min(loss, 255));
    }
    k.SupplyLoss = static_cast<U8>(std::min(loss, 255));
}

void ConsumeFleetStores() {
    for (TFleetRec& f : GameRec->Fleets) {
        if (f.BuildCounter != 0 || f.Mission <= 1 || f.Supplies == 0) continue;
        const int used = ((f.Ironclads + f.DamagedIronclads) * 3 + f.Wooden + f.DamagedWooden + f.Transports) * 2 / 4;
        f.Supplies = static_cast<std::uint16_t>(f.Supplies < used ? 0 : f.Supplies - used);
    }
}

bool Besieged(const TCityRec& city) {
    for (const TCorpsRec& k : GameRec->Corps)
        if (CorpsInUse(k) && k.HexX == city.HexX && k.HexY == city.HexY && k.Side != city.Owner) return true;
    return false;
}

// Only a garrison of a city with no supply source wastes away under siege: a city of code 4 feeds
// no corps, yet it stands in a state its side holds and its garrison is not cut off.
void SiegeLosses() {
    TGameRec& g = *GameRec;
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        if (city.SupplySource != 0 || city.Garrison == 0 || !Besieged(city)) continue;
        for (int b = 1; b <= kBrigadeCount; ++b) {
            const TBrigadeRec& brigade = g.Brigades[b];
            if (brigade.AttachKind != kAttachGarrison || brigade.AttachIndex != c) continue;
            const int first = Random(6);
            const int percent = first + 5 + Random(6);
            const int hundredths = brigade.Strength * percent;
            // Rounded up with the remainder's own odds: an exact loss never grows.
            int loss = hundredths / 100;
            if (Random(100) < hundredths % 100) ++loss;
            if (loss > 0) ApplyBrigadeLosses(3, b, loss);
        }
    }
}

}  // namespace

int ForageLevel(int x, int y, int corps) {
    const TCorpsRec& k = GameRec->Corps[corps];
    const int terrain = MapGrid->Cell(x, y).Terrain();
    int level = (terrain == 3 || terrain == 5) ? 14 : terrain == kTerrainCity ? 6 : 10;
    if (k.March == kForcedMarch) level += 5;
    if (k.March == kCautiousMarch) level /= 2;
    return level + k.Fatigue / 2;
}

int CorpsAttrition(int corps, int level) { return CorpsAttritionFrom(corps, level, nullptr); }

namespace {

int CorpsAttritionFrom(int corps, int level, const TAttachedByCorps* lists) {
    TGameRec& g = *GameRec;
    if (corps < 1 || corps > kCorpsCount) return 0;
    const TCorpsRec& k = g.Corps[corps];
    // The side doubles as the nation index here: computer sides waste away at half the rate.
    if (level != 0 && k.Side != 0 && IsNation(k.Side) && g.Nations[k.Side].Human == 0) level /= 2;
    if (k.Disruption != 0) {
        const TCityRec& home = g.Cities[k.SupplyCity];
        const bool atOwnSupplyCity =
            k.SupplyCity != 0 && k.HexX == home.HexX && k.HexY == home.HexY && home.Owner == k.Side;
        if (!atOwnSupplyCity) level += 2 * k.Disruption;
    }
    // One look over the brigades serves both the mean quality and the losses.
    TAttachedBrigades attached;
    if (lists != nullptr) lists->Of(corps, attached);
    else ListAttachedBrigades(corps, attached);
    const int brigades = attached.count;
    int quality = 0;
    for (int o = 0; o < attached.count; ++o) quality += g.Brigades[attached.index[o]].Quality;
    if (brigades > 0) level = 3 * level / std::max(1, quality / brigades);
    int loss;
    if (k.SupplyType != kForaging) {
        loss = k.Strength * level / 200;
    } else if (k.Kind != kCavalryDivision) {
        const int weather = k.Region >= 1 && k.Region <= kTheatreCount ? g.TheatreWeather[k.Region] : 0;
        loss = k.Strength * (weather + level) / 100;
    } else {
        loss = k.Strength * level / 400;
    }
    ApplyCorpsAttrition(corps, loss, attached);
    return loss;
}

}  // namespace

void SupplyCorps(int when) {
    TGameRec& g = *GameRec;
    // Listed once for all corps: a corps' attrition touches only its own brigades.
    TAttachedByCorps lists;
    const bool afterMovement = when == kSupplyAfterMovement;
    if (afterMovement) ListEveryCorpsBrigades(lists);
    for (int c = 1; c <= kCorpsCount; ++c) {
        const TCorpsRec& k = g.Corps[c];
        // Corps on the rails or aboard a fleet are fed by neither depot nor land this turn.
        const bool travelling = k.Activity == kActivityRailed || k.Activity == kActivityRailMoving ||
                                k.Activity == kActivityEmbarked || k.OrderMode >= kOrderEmbarked;
        if (travelling || !CorpsInUse(k) || k.Strength == 0) continue;
        SupplyOneCorps(c, when, afterMovement ? &lists : nullptr);
    }
    if (when == kSupplyAfterMovement) ConsumeFleetStores();
    SiegeLosses();
}

}  // namespace kvt
