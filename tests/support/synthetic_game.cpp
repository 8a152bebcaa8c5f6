// The synthetic game.
#include "tests/support/synthetic_game.h"

#include <cstring>
#include <filesystem>

#include "engine/turn/movement_ticks.h"
#include "engine/world/globals.h"
#include "engine/world/text_table.h"

namespace kvt::testing {

void BuildSyntheticGame(bool unionPersonPlayed, bool confederacyPersonPlayed) {
    std::memset(static_cast<void*>(GameRec), 0, sizeof(TGameRec));
    std::memset(static_cast<void*>(MapGrid), 0, sizeof(TMapGrid));
    TGameRec& g = *GameRec;
    g.Day = 1;
    g.Month = 4;
    g.Year = 1861;
    g.StartMonth = 3;
    g.StartYear = 1861;
    g.EndMonth = 6;
    g.EndYear = 1865;
    g.MoveStep = 20;
    for (int t = 1; t <= kTheatreCount; ++t) g.TheatreWeather[t] = 2;

    const char* nations[] = {"", "Union", "Confed", "France", "Britain"};
    for (int n = 1; n <= kNationCount; ++n) {
        g.Nations[n].Name = nations[n];
        g.Nations[n].Side = static_cast<U8>(n <= 2 ? n : 0);
        g.Nations[n].Will = 500;
        g.Nations[n].Attitude = 60;
    }
    g.Nations[1].Human = unionPersonPlayed ? 1 : 0;
    g.Nations[2].Human = confederacyPersonPlayed ? 1 : 0;
    g.Nations[1].Capital = 1;
    g.Nations[2].Capital = 2;

    const char* states[] = {"", "Columbia", "Virginia", "Maryland"};
    for (int s = 1; s <= 3; ++s) {
        g.States[s].Name = states[s];
        g.States[s].Owner = static_cast<U8>(s == 2 ? 2 : 1);
        g.States[s].ControlSide = g.States[s].Owner;
        g.States[s].Controller = g.States[s].Owner;
        g.States[s].Theatre = 1;
        g.States[s].Loyalty = 60;
    }
    struct CityRow { const char* name; int x, y, owner, state, value; };
    const CityRow cities[] = {
        {"Washington", 40, 20, 1, 1, 20}, {"Richmond", 40, 30, 2, 2, 20}, {"Baltimore", 44, 18, 1, 3, 10},
        {"Fredericksburg", 40, 26, 2, 2, 5}, {"Alexandria", 41, 22, 1, 2, 5}, {"Norfolk", 46, 32, 2, 2, 8},
    };
    int k = 1;
    for (const CityRow& c : cities) {
        TCityRec& city = g.Cities[k++];
        city.Name = c.name;
        city.HexX = static_cast<U8>(c.x);
        city.HexY = static_cast<U8>(c.y);
        city.Owner = static_cast<U8>(c.owner);
        city.Nation = static_cast<U8>(c.owner);
        city.OriginalOwner = static_cast<U8>(c.owner);
        city.State = static_cast<U8>(c.state);
        city.Value = static_cast<U8>(c.value);
        city.Theatre = 1;
        city.SupplySource = 1;
    }

    for (int l = 1; l <= 12; ++l) {
        TLeaderRec& leader = g.Leaders[l];
        leader.Name = "Leader " + std::to_string(l);
        leader.Nation = static_cast<U8>(l <= 6 ? 1 : 2);
        leader.Status = kLeaderAvailable;
        leader.Initiative = 40;
        leader.Rating = 3;
        leader.Rank = 3;
    }
    for (TCorpsRec& c : g.Corps) c.Unused = 1;
    struct CorpsRow { int leader, nation, x, y; };
    const CorpsRow corps[] = {{1, 1, 40, 21}, {2, 1, 42, 20}, {7, 2, 40, 29}, {8, 2, 41, 31}};
    k = 1;
    for (const CorpsRow& s : corps) {
        TCorpsRec& c = g.Corps[k];
        c.Unused = 0;
        c.Leader = static_cast<U8>(s.leader);
        g.Leaders[s.leader].Status = kLeaderActive;
        c.Nation = static_cast<U8>(s.nation);
        c.Side = static_cast<U8>(s.nation);
        c.HexX = c.DestX = static_cast<U8>(s.x);
        c.HexY = c.DestY = static_cast<U8>(s.y);
        c.Ordinal = static_cast<U8>(k);
        c.Region = 1;
        c.HomeState = static_cast<U8>(s.nation == 1 ? 1 : 2);
        c.SupplyCity = static_cast<U8>(s.nation);
        c.BrigadeLimit = 6;
        c.OrderMode = 1;
        c.Condition = 10;
        for (int b = 0; b < 3; ++b) {
            TBrigadeRec& brigade = g.Brigades[(k - 1) * 3 + b + 1];
            brigade.Nation = c.Nation;
            brigade.AttachKind = kAttachCorps;
            brigade.AttachIndex = static_cast<U8>(k);
            brigade.BrigadeType = static_cast<U8>(b == 0 ? kBrigadeArtillery : kBrigadeInfantry);
            brigade.Strength = static_cast<U8>(b == 0 ? 16 : 80);
            brigade.Weapon = static_cast<U8>(b == 0 ? 6 : 1);
            brigade.Quality = 2;
            brigade.HomeState = c.HomeState;
            brigade.Ordinal = static_cast<U8>(k * 3 + b);
        }
        ++k;
    }
    for (TFleetRec& f : g.Fleets) f.BuildCounter = kFleetGone;
    struct FleetRow { int owner, x, y, mission; };
    const FleetRow fleets[] = {{1, 50, 25, 2}, {2, 47, 33, 2}};
    k = 1;
    for (const FleetRow& s : fleets) {
        TFleetRec& f = g.Fleets[k];
        f.BuildCounter = 0;
        f.Owner = static_cast<U8>(s.owner);
        f.Side = static_cast<U8>(s.owner);
        f.FleetNumber = static_cast<U8>(k);
        f.HexX = f.DestX = static_cast<U8>(s.x);
        f.HexY = f.DestY = static_cast<U8>(s.y);
        f.Mission = static_cast<U8>(s.mission);
        f.WaterType = 1;
        f.Wooden = 4;
        f.Supplies = 300;
        ++k;
    }
    for (int x = 1; x <= kMapColumns; ++x)
        for (int y = 1; y <= kMapRows; ++y) {
            MapCell& cell = MapGrid->Cell(x, y);
            cell.SetTerrain(x > 45 ? kTerrainWater : 1);
            cell.SetState(x > 45 ? 0 : (y < 24 ? 1 : 2));
        }
}

void UseNumberedTexts() {
    std::string content;
    for (int n = 0; n < 800; ++n) content += "text " + std::to_string(n) + "\n";
    TextTable.LoadFromString(content);
}

int RunMovement(int limit) {
    int ticks = 0;
    while (Timer1Enabled()) {
        if (ticks == limit) return -1;
        MovementTick();
        ++ticks;
    }
    return ticks;
}

CurrentFolder::CurrentFolder(const std::string& folder) : previous_(std::filesystem::current_path().string()) {
    std::filesystem::current_path(folder);
}

CurrentFolder::~CurrentFolder() { std::filesystem::current_path(previous_); }

}  // namespace kvt::testing
