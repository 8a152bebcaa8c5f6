// The synthetic campaign: the Union holds the north of the map, the Confederacy the south.
#include "tests/support/movement_campaign.h"

#include <string>

#include "engine/combat/brigade_rules.h"
#include "engine/core/corps_movement.h"
#include "engine/core/globals.h"
#include "engine/core/movement_ticks.h"
#include "engine/core/random.h"
#include "engine/core/spotting.h"

namespace kvt::testing {

void BuildSyntheticCampaign(std::uint64_t seed) {
    ResetEngineGlobals();
    SetRandomSeed(seed);
    TGameRec& g = *GameRec;
    for (int x = 1; x <= kMapColumns; ++x)
        for (int y = 1; y <= kMapRows; ++y) {
            MapCell& c = MapGrid->Cell(x, y);
            const int r = Random(100);
            const int terrain = x >= 70 ? 0 : r < 40 ? 1 : r < 55 ? 2 : r < 68 ? 5 : r < 80 ? 6 : r < 92 ? 7 : r < 96 ? 3 : 0;
            c.SetTerrain(terrain);
            c.SetControlSide(y <= 27 ? kUnion : kConfederacy);
            c.SetState(1 + ((x - 1) / 13) + 6 * ((y - 1) / 10));
            if (Random(8) == 0) c.SetHexside(1 + Random(3), 1 + Random(3));
            if (y % 9 == 0 || x % 11 == 0) c.SetRail(true);
            if (x % 17 == 5) {
                c.SetRiverNavigable(true);
                c.SetRiver(true);
            }
        }
    for (int s = 1; s <= kStateCount; ++s) {
        TStateRec& state = g.States[s];
        state.Name = "State" + std::to_string(s);
        const int side = s <= 18 ? kUnion : kConfederacy;
        state.Owner = static_cast<U8>(side);
        state.Controller = static_cast<U8>(side);
        state.ControlSide = static_cast<U8>(side);
        state.Theatre = static_cast<U8>(1 + s % 3);
    }
    g.States[20].Owner = g.States[20].Controller = g.States[20].ControlSide = 0;

    for (int n = 1; n <= kNationCount; ++n) {
        g.Nations[n].Name = "Nation" + std::to_string(n);
        g.Nations[n].Side = static_cast<U8>(n <= 2 ? n : 0);
        g.Nations[n].Will = 100;
        g.Nations[n].Attitude = 50;
    }
    for (int t = 1; t <= kTheatreCount; ++t) g.TheatreWeather[t] = static_cast<std::uint16_t>(Random(9));

    for (int c = 1; c <= 60; ++c) {
        TCityRec& city = g.Cities[c];
        city.Name = "City" + std::to_string(c);
        city.HexX = static_cast<U8>(2 + Random(66));
        city.HexY = static_cast<U8>(2 + Random(51));
        city.Owner = static_cast<U8>(city.HexY <= 27 ? kUnion : kConfederacy);
        city.Nation = city.Owner;
        city.OriginalOwner = city.Owner;
        city.SupplySource = static_cast<U8>(Random(4));
        city.State = static_cast<U8>(MapGrid->Cell(city.HexX, city.HexY).State());
        city.Theatre = static_cast<U8>(1 + c % 3);
        MapGrid->Cell(city.HexX, city.HexY).SetTerrain(kTerrainCity);
    }
    g.Nations[1].Capital = 1;
    g.Nations[2].Capital = 2;

    for (int l = 1; l <= 180; ++l) {
        TLeaderRec& leader = g.Leaders[l];
        leader.Name = "General" + std::to_string(l);
        leader.Nation = static_cast<U8>(l % 2 == 1 ? 1 : 2);
        leader.Initiative = static_cast<U8>(10 + Random(50));
        leader.Tactics = static_cast<U8>(Random(60));
        leader.Drill = static_cast<U8>(Random(60));
        leader.Status = kLeaderAvailable;
    }
    int nextLeader = 1;
    auto takeLeader = [&](int nation) {
        while (g.Leaders[nextLeader].Nation != nation) ++nextLeader;
        g.Leaders[nextLeader].Status = kLeaderActive;
        return nextLeader++;
    };
    for (int a = 1; a <= 10; ++a) {
        TArmyRec& army = g.Armies[a];
        const int nation = a <= 5 ? 1 : 2;
        army.Name = "Army" + std::to_string(a);
        army.Nation = static_cast<U8>(nation);
        army.Side = static_cast<U8>(nation);
        army.ArmyNumber = static_cast<U8>(a);
        army.Leader = static_cast<U8>(takeLeader(nation));
        army.Theatre = static_cast<U8>(1 + a % 3);
        army.Stance = static_cast<U8>(Random(4));
        army.March = 1;
        for (int c = 1; c <= 60 && army.BaseCity == 0; ++c)
            if (g.Cities[c].Owner == nation && (c + a) % 4 == 0) army.BaseCity = static_cast<U8>(c);
        army.Objective = static_cast<U8>(1 + Random(60));
    }

    int brigade = 0;
    for (int k = 1; k <= kCorpsCount; ++k) {
        TCorpsRec& corps = g.Corps[k];
        if (k > 100) {
            corps.Unused = 1;
            continue;
        }
        const int nation = k % 2 == 1 ? 1 : 2;
        corps.Nation = static_cast<U8>(nation);
        corps.Side = static_cast<U8>(nation);
        corps.Ordinal = static_cast<U8>((k + 1) / 2);
        corps.Leader = static_cast<U8>(takeLeader(nation));
        corps.LeaderInitiative = g.Leaders[corps.Leader].Initiative;
        corps.Kind = static_cast<U8>(k % 7 == 0 ? 2 : k % 5 == 0 ? 1 : 0);
        int x = 0, y = 0;
        do {
            x = 2 + Random(66);
            y = nation == 1 ? 14 + Random(14) : 28 + Random(14);
        } while (MapGrid->Cell(x, y).Terrain() == 0 || MapGrid->Cell(x, y).Terrain() == 3);
        corps.HexX = static_cast<U8>(x);
        corps.HexY = static_cast<U8>(y);
        corps.DestX = static_cast<U8>(2 + Random(66));
        corps.DestY = static_cast<U8>(2 + Random(51));
        corps.OrderMode = static_cast<U8>(k % 13 == 0 ? kOrderRail : Random(3));
        corps.March = static_cast<U8>(Random(3));
        corps.Condition = static_cast<U8>(5 + Random(20));
        corps.Region = static_cast<U8>(1 + Random(3));
        corps.HomeState = static_cast<U8>(1 + Random(kStateCount));
        corps.FatigueLimit = 5;
        corps.SupplyCity = static_cast<U8>(1 + Random(60));
        corps.SupplyType = static_cast<U8>(Random(3));
        corps.Army = static_cast<U8>(k % 3 == 0 ? (nation == 1 ? 1 + Random(5) : 6 + Random(5)) : 0);
        corps.Disruption = static_cast<U8>(k % 11 == 0 ? 1 + Random(5) : 0);
        corps.Opponent = static_cast<U8>(k % 11 == 0 ? 1 : 0);
        corps.RouteIndex = 1;
        for (int i = 0, count = 2 + Random(5); i < count && brigade < kBrigadeCount; ++i) {
            TBrigadeRec& b = g.Brigades[++brigade];
            b.Nation = static_cast<U8>(nation);
            b.AttachKind = kAttachCorps;
            b.AttachIndex = static_cast<U8>(k);
            b.BrigadeType = static_cast<U8>(i == 0 ? kBrigadeArtillery : corps.Kind == 2 ? kBrigadeCavalry : kBrigadeInfantry);
            b.Strength = static_cast<U8>(b.BrigadeType == kBrigadeArtillery ? 16 : 40 + Random(40));
            b.Quality = static_cast<U8>(Random(8));
            b.Fatigue = static_cast<U8>(Random(12));
            b.HomeState = corps.HomeState;
            b.Weapon = static_cast<U8>(b.BrigadeType == kBrigadeArtillery ? 6 : 1);
        }
    }
    for (int a = 1; a <= kArmyCount; ++a) {
        int count = 0;
        for (const TCorpsRec& k : g.Corps)
            if (CorpsInUse(k) && k.Army == a) ++count;
        g.Armies[a].CorpsCount = static_cast<U8>(count);
    }
    for (TFleetRec& f : g.Fleets) f.BuildCounter = kFleetGone;
    RecalcCorpsFromBrigades();
    g.MoveStep = 1;
}

void OrderEveryCorpsForward() {
    for (int c = 1; c <= kCorpsCount; ++c) {
        TCorpsRec& k = GameRec->Corps[c];
        if (!CorpsInUse(k) || k.Nation == 0) continue;
        int best = 0, bestDistance = 1000;
        for (int ci = 1; ci <= kCityCount; ++ci) {
            const TCityRec& city = GameRec->Cities[ci];
            if (city.Owner == 0 || city.Owner == k.Side || city.HexX == 0) continue;
            const int d = HexDistance(k.HexX, k.HexY, city.HexX, city.HexY);
            if (d < bestDistance) {
                bestDistance = d;
                best = ci;
            }
        }
        if (best == 0) continue;
        k.DestX = GameRec->Cities[best].HexX;
        k.DestY = GameRec->Cities[best].HexY;
        k.OrderMode = c % 2 == 0 ? kOrderAdvance : kOrderDefend;
    }
}

void RunLandMovementTurn() {
    PlanCorpsMoves();
    UpdateSpotting();
    // The movement ticks of a live turn from step 1 to the corps pass of step 9: each step a fleet
    // pass (spotting, hex control, headquarters) and then the corps with a route entry for it.
    TGameRec& g = *GameRec;
    g.MoveStep = 1;
    SelectedFleet = 1;
    SelectedCorps = 1;
    FleetPassDue = 1;
    MovementEnded = 0;
    SetTimer1Enabled(true);
    while (Timer1Enabled() && g.MoveStep <= 9) MovementTick();
    SetTimer1Enabled(false);
}

}  // namespace kvt::testing
