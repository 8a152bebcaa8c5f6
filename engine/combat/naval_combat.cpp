// Naval combat during movement and its playback. Works one engagement per call and keeps its
// tallies in locals; waits only through the Frontend (the dialog and the sunk-fleet messages).
#include "engine/combat/naval_combat.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "engine/forces/fleet_records.h"
#include "engine/movement/corps_movement.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

// Rows of the working tallies: 1..6 the ship counts (intact and damaged ironclads, wooden warships,
// transports), 7 the port's coastal guns, 9..11 ships sunk by class, 12 hits received.
enum : int { kRowGuns = 7, kRowSunkIronclads = 9, kRowSunkWooden = 10, kRowSunkTransports = 11, kRowHits = 12 };
constexpr int kShotsPerUnit[8] = {0, 8, 4, 2, 1, 1, 1, 8};
constexpr int kHitBelow[8] = {0, 100, 50, 65, 30, 2, 2, 125};

const char* const kSideNations[] = {"", "Union", "Confederate", "France", "Britain"};

// Tallies are kept in 32 bits: a port's guns times eight, or many fleets' ships, pass a byte.
struct Engagement {
    int arriving = 0;
    U8 x = 0, y = 0;  // the arriving fleet's hex
    int side = 0;
    bool replay = false;
    std::int32_t rows[3][13] = {};
    bool combat = false;
    int port = 0, fortifications = 0, guns = 0, portSide = 0, portHits = 0;
    // Fleets of the engagement in index order, and every fleet whose engaged flag this call set;
    // only the first `count` of each list are ever read, so the lists start unwritten.
    int engaged[kFleetCount];
    int engagedCount = 0;
    int flagged[kFleetCount];
    int flaggedCount = 0;
    int sunk[kFleetCount];
    int sunkOwner[kFleetCount];
    int sunkCount = 0;
    // Made only for a fight: most fleets arrive where nobody fights them.
    std::optional<TFleetCombatView> view;
};

bool Active(const TFleetRec& f) { return f.BuildCounter == 0; }

struct TFleetsAtSea {
    bool held = false;
    // [0] every fleet at sea, [1] and [2] those of the Union's and the Confederacy's nations.
    std::array<std::array<std::uint8_t, kFleetCount>, 3> lists{};
    std::array<int, 3> counts{};
    // Cities with fortifications: the only ports a fleet joins battle with. None is built in a pass.
    std::array<std::uint8_t, kCityCount> forts{};
    int fortCount = 0;
};
TFleetsAtSea atSea;

constexpr std::array<std::uint8_t, kFleetCount> kEverySlot = [] {
    std::array<std::uint8_t, kFleetCount> slots{};
    for (int i = 0; i < kFleetCount; ++i) slots[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 1);
    return slots;
}();

// Lists the records standing on hex (x, y) of the map in index order, four a round. Column and row
// lie side by side in each record, so one 16-bit comparison tells a record on the hex.
template <typename Rec, std::size_t N>
int ListOnHex(const Arr1<Rec, N>& records, U8 x, U8 y, std::array<std::uint8_t, N>& onHex) {
    static_assert(offsetof(Rec, HexY) == offsetof(Rec, HexX) + 1);
    const U8 place[2] = {x, y};
    std::uint16_t key;
    std::memcpy(&key, place, sizeof key);
    int count = 0;
#pragma GCC unroll 4
    for (std::size_t i = 0; i < N; ++i) {
        std::uint16_t at;
        std::memcpy(&at, &records.items[i].HexX, sizeof at);
        if (at == key) onHex[count++] = static_cast<std::uint8_t>(i + 1);
    }
    return count;
}

void Gather(Engagement& e) {
    TGameRec& g = *GameRec;
    TFleetRec& arriving = g.Fleets[e.arriving];
    // Most fleets lie elsewhere, and none moves while the engagement gathers.
    std::array<std::uint8_t, kFleetCount> onHex;
    int onHexCount = 0;
    if (atSea.held) {
        for (const std::uint8_t i : FleetsAtSea())
            if (g.Fleets[i].HexX == e.x && g.Fleets[i].HexY == e.y) onHex[onHexCount++] = i;
    } else {
        onHexCount = ListOnHex(g.Fleets, e.x, e.y, onHex);
    }
    for (int n = 0; n < onHexCount; ++n) {
        const int i = onHex[n];
        TFleetRec& f = g.Fleets[i];
        if (!Active(f) || (f.Side != kUnion && f.Side != kConfederacy) || f.Mission < kMissionMove) continue;
        // Shown again, the arriving fleet only meets what stands there.
        if (e.replay && i == e.arriving) continue;
        if (!e.replay) {
            f.Engaged = 1;
            e.flagged[e.flaggedCount++] = i;
        }
        // A cotton runner lying in its own home port is not drawn into the fight.
        if (f.Mission == kMissionCottonRun && FleetOnCity(f, f.HomePort)) continue;
        const int s = f.Side;
        const int counts[7] = {0, f.Ironclads, f.DamagedIronclads, f.Wooden, f.DamagedWooden, f.Transports, f.DamagedTransports};
        for (int row = 1; row <= 6; ++row) e.rows[s][row] += counts[row];
        if (s != e.side) {
            e.combat = true;
            if (!e.replay && arriving.Supplies != 0) --arriving.Supplies;
        }
        if (!e.replay) f.Spotted = kSpottedEngaged;
        e.engaged[e.engagedCount++] = i;
    }
}

void JoinPort(Engagement& e) {
    TGameRec& g = *GameRec;
    TFleetRec& arriving = g.Fleets[e.arriving];
    SelectedCity = 0;
    // Only a fleet of a nation sent against a port joins battle with one.
    if (arriving.Owner == 0 || arriving.Mission < kMissionAttackPort) return;
    // The cities on the hex are listed first.
    std::array<std::uint8_t, kCityCount> onHex;
    int onHexCount = 0;
    if (atSea.held) {
        for (int n = 0; n < atSea.fortCount; ++n) {
            const std::uint8_t c = atSea.forts[static_cast<std::size_t>(n)];
            if (g.Cities[c].HexX == e.x && g.Cities[c].HexY == e.y) onHex[onHexCount++] = c;
        }
    } else {
        onHexCount = ListOnHex(g.Cities, e.x, e.y, onHex);
    }
    for (int n = 0; n < onHexCount; ++n) {
        const int c = onHex[n];
        const TCityRec& city = g.Cities[c];
        if (city.Nation == 0 || city.Fortifications == 0) continue;
        const int cityNationSide = g.Nations[city.Nation].Side;
        if (g.Nations[arriving.Owner].Side == cityNationSide) continue;
        if (cityNationSide == kSideNone) {
            // The port of a nation not at war: no fight here.
            e.combat = false;
            continue;
        }
        e.port = c;
        e.guns = city.CoastalGuns;
        e.fortifications = city.Fortifications;
        e.portSide = city.Owner;
        if (e.portSide == kUnion || e.portSide == kConfederacy) e.rows[e.portSide][kRowGuns] = e.guns;
        e.portHits = 0;
        SelectedCity = static_cast<std::uint16_t>(c);
        if (e.portSide != e.side) {
            e.combat = true;
            if (!e.replay && arriving.Supplies != 0) --arriving.Supplies;
        }
    }
}

void FillView(Engagement& e) {
    const TGameRec& g = *GameRec;
    TFleetCombatView& v = e.view.emplace();
    for (int n = 0; n < e.engagedCount; ++n) {
        const TFleetRec& f = g.Fleets[e.engaged[n]];
        if (f.Owner >= 1 && f.Owner <= 4) v.sideCaption[f.Side] = kSideNations[f.Owner];
        v.fleetList[f.Side] += std::to_string(f.FleetNumber) + ", ";
    }
    if (e.port != 0) v.title = Text(e.portSide != 0 ? 491 : 109) + g.Cities[e.port].Name.str();
    else v.title = Text(108);
    if (e.port != 0 && (e.portSide == kUnion || e.portSide == kConfederacy))
        v.portForces[e.portSide] = std::to_string(e.fortifications) + "-" + std::to_string(e.guns);
    for (int s = 1; s <= 2; ++s)
        for (int k = 0; k < 3; ++k) v.startShips[s][k] = e.rows[s][1 + 2 * k] + e.rows[s][2 + 2 * k];
}

void Fire(Engagement& e) {
    for (int s = 1; s <= 2; ++s)
        for (int row = 1; row <= kRowGuns; ++row) e.rows[s][row] *= kShotsPerUnit[row];
    for (int s = 1; s <= 2; ++s) {
        const int other = 3 - s;
        for (int row = 1; row <= kRowGuns; ++row)
            for (std::int32_t shot = 0; shot < e.rows[s][row]; ++shot)
                if (Random(200) < kHitBelow[row]) ++e.rows[other][kRowHits];
    }
}

void BatterPort(Engagement& e, int s) {
    std::int32_t& hits = e.rows[s][kRowHits];
    if (e.port == 0 || e.fortifications == 0 || e.portSide != s || hits <= 0) return;
    int counted = 0;
    do {
        if (Random(120) > 60) ++counted;
        --hits;
    } while (counted < e.fortifications && hits > 0);
    if (counted == 0) return;
    e.portHits = std::min(counted, e.fortifications);
    e.guns = e.portHits >= e.guns ? 0 : e.guns - e.portHits;
    TCityRec& city = GameRec->Cities[e.port];
    city.Fortifications = static_cast<U8>(e.fortifications - e.portHits);
    city.CoastalGuns = static_cast<U8>(e.guns >= 1 && e.guns <= 99 ? e.guns : 0);
}

// Spends hits on draws until one lands above the threshold; true when it did.
bool Strike(std::int32_t& hits, int above) {
    while (hits > 0) {
        const int r = Random(120);
        --hits;
        if (r > above) return true;
    }
    return false;
}

void CountSunk(const TFleetRec& f) {
    TGameRec& g = *GameRec;
    U16& tally = f.WaterType == kWaterRiver ? g.RiverShipsSunk[f.Owner] : g.OceanShipsSunk[f.Owner];
    if (tally < 65535) tally = static_cast<std::uint16_t>(tally + 1);
}

void DamageFleets(Engagement& e, int s) {
    TGameRec& g = *GameRec;
    std::int32_t& hits = e.rows[s][kRowHits];
    std::int32_t* rows = e.rows[s];
    while (hits > 0) {
        bool harmed = false;
        for (int n = 0; n < e.engagedCount; ++n) {
            TFleetRec& f = g.Fleets[e.engaged[n]];
            if (!Active(f) || f.Side != s) continue;
            if (f.Ironclads != 0 && hits > 0 && Strike(hits, 80)) {
                --f.Ironclads;
                ++f.DamagedIronclads;
                harmed = true;
            }
            if (f.DamagedIronclads != 0 && hits > 0 && Strike(hits, 65)) {
                --f.DamagedIronclads;
                ++rows[kRowSunkIronclads];
                CountSunk(f);
                harmed = true;
            }
            if (f.Wooden != 0 && hits > 0 && Strike(hits, 40)) {
                --f.Wooden;
                ++f.DamagedWooden;
                harmed = true;
            }
            if (f.DamagedWooden != 0 && hits > 0 && Strike(hits, 20)) {
                --f.DamagedWooden;
                ++rows[kRowSunkWooden];
                CountSunk(f);
                harmed = true;
            }
            if (f.Transports != 0 && hits > 0 && Strike(hits, f.WaterType == kWaterCottonTransports ? 75 : 20)) {
                --f.Transports;
                ++f.DamagedTransports;
                harmed = true;
            }
            // A damaged transport goes down to any hit that remains, without spending it.
            if (f.DamagedTransports != 0 && hits > 0) {
                --f.DamagedTransports;
                ++rows[kRowSunkTransports];
                CountSunk(f);
                harmed = true;
            }
        }
        if (!harmed) break;
    }
}

void NoteDrowned(Engagement& e, int corps) {
    const TGameRec& g = *GameRec;
    e.view->corpsDrowned = true;
    e.view->drownedLines[0] = Text(456);
    e.view->drownedLines[1] = g.Leaders[g.Corps[corps].Leader].Name.str() + Text(453);
    e.view->drownedLines[2] = Text(457);
}

void LandOrDrownAmphibiousCorps(Engagement& e, TFleetRec& f) {
    TGameRec& g = *GameRec;
    const int c = FleetCargoCorps(f);
    f.Cargo = 0;
    // A corps already landed and marched off is not the fleet's to put back on its hex.
    if (c == 0 || g.Corps[c].OrderMode != kOrderEmbarked) return;
    TCorpsRec& k = g.Corps[c];
    if (MapGrid->Cell(f.HexX, f.HexY).Terrain() == kTerrainWater) {
        NoteDrowned(e, c);
        DrownCorps(c, kCorpsDestroyed);
        return;
    }
    k.OrderMode = kOrderAdvance;
    k.HexX = f.HexX;
    k.HexY = f.HexY;
    k.SupplyCity = f.TargetCity;
}

void SettleOutcome(Engagement& e) {
    TGameRec& g = *GameRec;
    for (int n = 0; n < e.engagedCount; ++n) {
        const int i = e.engaged[n];
        TFleetRec& f = g.Fleets[i];
        if (!Active(f)) continue;
        if (f.Mission == kMissionAttackPort && e.port != 0) {
            const TCityRec& city = g.Cities[e.port];
            if (f.DestX == city.HexX && f.DestY == city.HexY && (f.Supplies < 10 || city.Fortifications == 0)) {
                f.Mission = kMissionMove;
                f.TargetCity = f.HomePort;
            }
        }
        if (f.Mission >= kMissionPatrol) f.PathIndex = 20;
        if (FleetShipCount(f) != 0) continue;
        e.sunk[e.sunkCount] = i;
        e.sunkOwner[e.sunkCount] = f.Owner;
        ++e.sunkCount;
        if (f.Mission == kMissionAmphibious) {
            LandOrDrownAmphibiousCorps(e, f);
        } else if (const int c = FleetCargoCorps(f); c != 0 && g.Corps[c].OrderMode == kOrderEmbarked &&
                   MapGrid->Cell(f.HexX, f.HexY).Terrain() == kTerrainWater) {
            // A corps aboard a sunk fleet on any other mission goes down with it too, as in battle.
            NoteDrowned(e, c);
            DrownCorps(c, kCorpsDestroyed);
        }
        FreeFleet(i);
    }
}

std::int32_t SideSum(const Engagement& e, int s) {
    std::int32_t sum = 0;
    for (int row = 1; row <= kRowHits; ++row) sum += e.rows[s][row];
    if (s == e.portSide) sum += e.fortifications;
    return sum;
}

void Engage(int fleet, bool replay) {
    Frontend& fe = CurrentFrontend();
    fe.SetCursor(CursorKind::Arrow);
    if (!Arr1<TFleetRec, kFleetCount>::InRange(fleet)) return;
    TGameRec& g = *GameRec;
    const TFleetRec& arriving = g.Fleets[fleet];
    if (!Active(arriving) || (arriving.Side != kUnion && arriving.Side != kConfederacy) || arriving.Mission < kMissionPatrol)
        return;
    Engagement e;
    e.arriving = fleet;
    e.replay = replay;
    e.x = arriving.HexX;
    e.y = arriving.HexY;
    e.side = arriving.Side;
    Gather(e);
    JoinPort(e);
    if (e.combat) {
        ViewColumn = static_cast<std::uint16_t>(e.x);
        ViewRow = static_cast<std::uint16_t>(e.y);
        fe.Repaint();
        FillView(e);
        if (!replay) {
            Fire(e);
            for (int s = 1; s <= 2; ++s) {
                BatterPort(e, s);
                DamageFleets(e, s);
            }
            for (int s = 1; s <= 2; ++s)
                for (int k = 0; k < 3; ++k) e.view->sunkShips[s][k] = e.rows[s][kRowSunkIronclads + k];
            if (e.portSide == kUnion || e.portSide == kConfederacy) e.view->portHits[e.portSide] = e.portHits;
            SettleOutcome(e);
        }
        fe.SetCursor(CursorKind::Arrow);
        if (replay || (SideSum(e, 1) + e.guns > 0 && SideSum(e, 2) + e.guns > 0)) fe.ShowFleetCombat(*e.view);
        fe.SetCursor(CursorKind::Hourglass);
        for (int n = 0; n < e.sunkCount; ++n) {
            const int owner = e.sunkOwner[n];
            TFleetRec& f = g.Fleets[e.sunk[n]];
            const std::string prefix = owner >= 1 && owner <= 4 ? Text(584 + owner) : std::string();
            fe.InformationBox(prefix + std::to_string(f.FleetNumber) + " sunk");
            f.FleetNumber = 0;
        }
    }
    // Only the marks this call set are taken off: a fleet left out of the fight keeps none.
    for (int n = 0; n < e.flaggedCount; ++n) {
        TFleetRec& f = g.Fleets[e.flagged[n]];
        f.Engaged = 0;
        if (f.Spotted == kSpottedEngaged) f.Spotted = 0;
    }
}

}  // namespace

void ResolveFleetCombat(int fleet) { Engage(fleet, false); }

void HoldFleetsAtSea() {
    const TGameRec& g = *GameRec;
    atSea.counts = {};
    for (int i = 1; i <= kFleetCount; ++i) {
        const TFleetRec& f = g.Fleets[i];
        if (!Active(f) || f.Mission < kMissionMove) continue;
        const auto slot = static_cast<std::uint8_t>(i);
        atSea.lists[0][static_cast<std::size_t>(atSea.counts[0]++)] = slot;
        if (f.Owner == 0) continue;
        const int side = g.Nations[f.Owner].Side;
        if (side == kUnion || side == kConfederacy)
            atSea.lists[static_cast<std::size_t>(side)][static_cast<std::size_t>(atSea.counts[static_cast<std::size_t>(side)]++)] = slot;
    }
    atSea.fortCount = 0;
    for (int c = 1; c <= kCityCount; ++c)
        if (g.Cities[c].Fortifications != 0) atSea.forts[static_cast<std::size_t>(atSea.fortCount++)] = static_cast<std::uint8_t>(c);
    atSea.held = true;
}

void ReleaseFleetsAtSea() { atSea.held = false; }

std::span<const std::uint8_t> FleetsAtSea(int side) {
    if (!atSea.held) return kEverySlot;
    const auto s = static_cast<std::size_t>(side);
    return std::span<const std::uint8_t>(atSea.lists[s]).first(static_cast<std::size_t>(atSea.counts[s]));
}

void ReplayFleetCombat(int fleet) { Engage(fleet, true); }

}  // namespace kvt
