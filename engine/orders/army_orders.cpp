// The army orders dialog's reads and writes of the record.
#include "engine/orders/army_orders.h"

#include "engine/movement/path_search.h"
#include "engine/orders/new_army.h"
#include "engine/world/globals.h"
#include "engine/world/naming.h"
#include "engine/world/random.h"
#include "engine/world/record_access.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kSupplyBaseReach = 13;   // a supply base lies nearer than this
constexpr int kObjectiveReach = 15;    // an objective lies at most this far
constexpr int kRouteSteps = 9;
constexpr int kArmyRank = 5;

template <typename F>
void ForEachArmyCorps(int army, F f) {
    for (int k = 1; k <= kCorpsCount; ++k) {
        TCorpsRec& c = G().Corps[k];
        if (CorpsInUse(c) && c.Army == army) f(k, c);
    }
}

// A leader the commander list offers besides the commander himself; the turn's clean-up would take
// one of two commands from a man installed while heading another.
bool OfferedCommander(int army, int leader) { return CommanderOffered(leader, kArmyRank, G().Armies[army].Leader); }

void Install(TArmyRec& army, int leader) {
    army.Leader = static_cast<U8>(leader);
    G().Leaders[leader].Status = kLeaderActive;
}

// A corps carried at sea keeps its fleet's course: the army's orders would leave it on the water.
bool CarriedAtSea(const TCorpsRec& c) {
    return c.OrderMode == 4 && MapGrid->Cell(c.HexX, c.HexY).Terrain() == kTerrainWater;
}

}  // namespace

bool ArmyOrdersAvailable(int army) {
    return Arr1<TArmyRec, kArmyCount>::InRange(army) && ArmyInUse(G().Armies[army]);
}

std::string ArmyLabelText(int army) {
    const int condition = G().Armies[army].Condition;
    std::string text = Text(99) + std::to_string(condition);
    if (condition > 100) return text;
    const int band = condition <= 5 ? 532 : condition <= 10 ? 533 : condition <= 13 ? 534 : condition <= 19 ? 535 : 536;
    return text + "/" + Text(band);
}

TArmyOrdersView OpenArmyOrders(int army) {
    TArmyOrdersView v;
    if (!ArmyOrdersAvailable(army)) return v;
    TArmyRec& a = G().Armies[army];
    v.baseHeading = Text(250);
    v.objectiveHeading = Text(251);

    long strength = 0, artillery = 0;
    int corps = 0;
    ForEachArmyCorps(army, [&](int, const TCorpsRec& c) {
        strength += c.Strength;
        artillery += c.Artillery;
        ++corps;
    });
    v.menAndGuns = Text(489) + " " + std::to_string(strength * 5) + "0/" + std::to_string(artillery * 2);
    v.title = Text(0) + a.Name.str();
    const auto code = [](int value, int count) { return value < count ? value : -1; };
    v.stance = code(a.Stance, kArmyStances);
    v.march = code(a.March, kArmyMarches);
    v.supplyType = code(a.SupplyType, kArmySupplyTypes);
    v.supplyPriority = code(a.SupplyPriority, kArmySupplyPriorities);
    a.CorpsCount = static_cast<U8>(corps);
    v.corpsCount = Text(614) + std::to_string(corps);
    if (a.Leader != 0) v.capacity = Text(615) + std::to_string(G().Leaders[a.Leader].Initiative / 8 + 2);
    v.nation = NationName(a.Nation);
    v.condition = ArmyLabelText(army);

    const TCityRec& base = G().Cities[a.BaseCity];
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = G().Cities[c];
        if (!OnMap(city.HexX, city.HexY)) continue;  // an unused record is no place to go
        const int distance = HexDistance(base.HexX, base.HexY, city.HexX, city.HexY);
        if (city.Owner == a.Side && distance < kSupplyBaseReach) {
            if (c == a.SupplyBase) v.supplyBaseRow = static_cast<int>(v.supplyBases.size());
            v.supplyBases.push_back({CityRowText(c), c});
        }
        if (distance <= kObjectiveReach || c == a.Objective) {
            if (c == a.Objective) v.objectiveRow = static_cast<int>(v.objectives.size());
            v.objectives.push_back({CityRowText(c), c});
        }
    }
    v.name = a.Name.str();

    if (a.Leader != 0) {
        v.commanders.push_back({G().Leaders[a.Leader].Name.str(), a.Leader});
        v.commanderRow = 0;
    }
    for (int l = 1; l <= kLeaderCount; ++l)
        if (OfferedCommander(army, l)) v.commanders.push_back({G().Leaders[l].Name.str(), l});
    return v;
}

bool ChangeArmyCommander(int army, int leader) {
    if (!ArmyOrdersAvailable(army) || !Arr1<TLeaderRec, kLeaderCount>::InRange(leader)) return false;
    // The commander's own row changes nothing: relieving a man to reinstall him would only cost.
    if (!OfferedCommander(army, leader)) return false;
    TArmyRec& a = G().Armies[army];
    const int old = a.Leader;
    TLeaderRec& former = G().Leaders[old];
    // Nobody to relieve, or a man already marked for removal: no question and no cost.
    if (old == 0 || former.Status == kLeaderToBeRemoved) {
        Install(a, leader);
        return true;
    }
    const TReliefAnswer answer = AskToRelieveCommander(former);
    if (answer == TReliefAnswer::Kept) return false;
    if (answer == TReliefAnswer::RemovedAtCost) {
        // One draw, both the will lost and the odds of every loyalty roll.
        const int cost = Random(10) + 2 * former.Political;
        AnnounceRelief(former.Name.str(), cost);
        if (SidePlayed != 0) {
            LowerNationalWill(SidePlayed, cost);
            ShakeLoyaltyAfterRelief(SidePlayed, cost);
        }
    }
    Install(a, leader);
    return true;
}

void CloseArmyOrders(int army, const TArmyOrderChoices& choices) {
    if (!ArmyOrdersAvailable(army)) return;
    TArmyRec& a = G().Armies[army];
    a.Name = StoredArmyName(choices.name);

    if (IsCity(choices.objective)) {
        a.Objective = static_cast<U8>(choices.objective);
        const TCityRec& target = G().Cities[choices.objective];
        ForEachArmyCorps(army, [&](int, TCorpsRec& c) {
            if (CarriedAtSea(c)) return;
            c.DestX = target.HexX;
            c.DestY = target.HexY;
            FindPath(c.HexX, c.HexY, target.HexX, target.HexY, kRouteSteps, kPathLand, c.Side, kRuleAnyHex);
            for (int k = 1; k <= kRouteSteps; ++k) c.Route[k] = PathSteps[k];
        });
    }
    if (choices.stance >= 0 && choices.stance < kArmyStances) {
        a.Stance = static_cast<U8>(choices.stance);
        ForEachArmyCorps(army, [&](int k, TCorpsRec& c) {
            if (CarriedAtSea(c)) return;
            // Ashore, the fleet no longer carries the corps the stance takes back.
            if (c.OrderMode == 4)
                for (TFleetRec& f : G().Fleets)
                    if (f.Cargo == k) f.Cargo = 0;
            c.OrderMode = static_cast<U8>(choices.stance == kArmyStanceTraining ? 1 : choices.stance);
        });
    }
    if (choices.march >= 0 && choices.march < kArmyMarches) {
        a.March = static_cast<U8>(choices.march);
        ForEachArmyCorps(army, [&](int, TCorpsRec& c) { c.March = a.March; });
    }
    if (choices.supplyType >= 0 && choices.supplyType < kArmySupplyTypes) {
        a.SupplyType = static_cast<U8>(choices.supplyType);
        ForEachArmyCorps(army, [&](int, TCorpsRec& c) {
            c.SupplyType = a.SupplyType;
            c.SupplyCity = a.BaseCity;
        });
    }
    if (choices.supplyPriority >= 0 && choices.supplyPriority < kArmySupplyPriorities) {
        a.SupplyPriority = static_cast<U8>(choices.supplyPriority);
        ForEachArmyCorps(army, [&](int, TCorpsRec& c) { c.SupplyPriority = a.SupplyPriority; });
    }
    if (IsCity(choices.supplyBase)) {
        a.SupplyBase = static_cast<U8>(choices.supplyBase);
        ForEachArmyCorps(army, [&](int, TCorpsRec& c) { c.SupplyCity = a.SupplyBase; });
    }
}

}  // namespace kvt
