// Execute and the pre-movement phase.
#include "engine/turn/turn_start.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "engine/forces/brigade_rules.h"
#include "engine/forces/corps_records.h"
#include "engine/logistics/city_unrest.h"
#include "engine/logistics/conquest.h"
#include "engine/logistics/corps_supply.h"
#include "engine/logistics/draft.h"
#include "engine/logistics/fleet_consolidation.h"
#include "engine/logistics/fleet_transport.h"
#include "engine/logistics/fleet_unloading.h"
#include "engine/logistics/hex_control.h"
#include "engine/logistics/naval_turn.h"
#include "engine/logistics/procurement.h"
#include "engine/logistics/state_economy.h"
#include "engine/logistics/state_loyalty.h"
#include "engine/logistics/weather.h"
#include "engine/movement/corps_movement.h"
#include "engine/movement/spotting.h"
#include "engine/players/computer_players.h"
#include "engine/turn/movement_ticks.h"
#include "engine/view/map_view_rules.h"
#include "engine/view/turn_menus.h"
#include "engine/world/calendar.h"
#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/text_table.h"
#include "engine/world/turn_checkpoints.h"

namespace kvt {

namespace {

bool PersonPlayedWithoutOrders(int nation) {
    const TNationRec& n = GameRec->Nations[nation];
    return n.Human != 0 && n.OrdersGiven == 0;
}

void RemoveLeader(int l) {
    TGameRec& g = *GameRec;
    TLeaderRec& leader = g.Leaders[l];
    const int roll = std::max(0, Random(10) + leader.Political);
    RaiseEventNotice(0, leader.Name.str(), Text(572), std::to_string(roll) + Text(573));
    if (leader.Nation != 0) g.Nations[leader.Nation].Will -= roll;
    leader.Status = kLeaderRemoved;
}

void MarkCityHexes() {
    for (const TCityRec& city : GameRec->Cities) {
        MapCell& cell = MapGrid->Cell(city.HexX, city.HexY);
        if (cell.Terrain() != kTerrainCity) cell.SetTerrain(kTerrainCity);
    }
}

void RecordStartPositions() {
    TGameRec& g = *GameRec;
    for (TCorpsRec& c : g.Corps) {
        c.StartX = c.HexX;
        c.StartY = c.HexY;
        c.StepsTaken = 0;
        for (int s = 1; s <= 9; ++s) c.StepDone[s] = 0;
    }
    for (TFleetRec& f : g.Fleets) {
        f.StartX = f.HexX;
        f.StartY = f.HexY;
        for (int s = 1; s <= 20; ++s) f.StepDone[s] = 0;
    }
}

// The army or corps slots that may name each leader, in slot order: every slot for the plain
// reading, else those naming him when the list is made.
template <std::size_t N>
class TSlotsByLeader {
public:
    template <typename Record>
    TSlotsByLeader(const Arr1<Record, N>& records, bool all) : all_(all) {
        for (int i = 1; i <= static_cast<int>(N); ++i) {
            every_[i - 1] = static_cast<std::uint8_t>(i);
            ++start_[records[i].Leader + 1];
        }
        for (int l = 1; l <= 256; ++l) start_[l] = static_cast<std::uint8_t>(start_[l] + start_[l - 1]);
        std::array<std::uint8_t, 257> at = start_;
        for (int i = 1; i <= static_cast<int>(N); ++i) slots_[at[records[i].Leader]++] = static_cast<std::uint8_t>(i);
    }
    std::span<const std::uint8_t> Of(int l) const {
        if (all_) return every_;
        return std::span<const std::uint8_t>(slots_).subspan(start_[l], start_[l + 1] - start_[l]);
    }

private:
    bool all_;
    std::array<std::uint8_t, N> every_{}, slots_{};
    std::array<std::uint8_t, 257> start_{};
};

// The commands of leader l among armies or corps (`slots`: those that may name him): each one in
// use makes him active; of two or more the last is kept and the others are disbanded. Answers how
// many he held.
template <typename Record, std::size_t N, typename InUse, typename Disband>
int KeepLastCommand(Arr1<Record, N>& records, std::span<const std::uint8_t> slots, int l, TLeaderRec& leader,
                    InUse inUse, Disband disband) {
    int held = 0, kept = 0;
    for (const int i : slots)
        if (records[i].Leader == l && inUse(records[i])) {
            ++held;
            kept = i;
            leader.Status = kLeaderActive;
        }
    if (held >= 2)
        for (const int i : slots)
            if (i != kept && inUse(records[i]) && records[i].Leader == l) disband(i);
    return held;
}

}  // namespace

int WeatherGaugeProgress(int weather) {
    int g = 7;
    switch (weather) {
        case 3: case 4: g = 5; break;
        case 5: g = 3; break;
        case 6: g = 6; break;
        case 7: case 8: g = 3; break;
        default: break;
    }
    return 14 * g;
}

void ShowWeatherGauges() {
    const TGameRec& g = *GameRec;
    CurrentFrontend().ShowWeatherGauges(WeatherGaugeProgress(g.TheatreWeather[1]),
                                        WeatherGaugeProgress(g.TheatreWeather[2]),
                                        WeatherGaugeProgress(g.TheatreWeather[3]));
}

namespace {

// Records only lose their leaders here (disbanded, or cleared of the fallen), so the commands a man
// holds at any point are among those naming him at the start: they are listed by leader once.
template <bool kRescan>
void CleanUpCommands() {
    TGameRec& g = *GameRec;
    const TSlotsByLeader<kArmyCount> armiesOf(g.Armies, kRescan);
    const TSlotsByLeader<kCorpsCount> corpsOf(g.Corps, kRescan);
    for (int l = 1; l <= kLeaderCount; ++l) {
        TLeaderRec& leader = g.Leaders[l];
        // A killed or captured leader can hold no command.
        if (leader.Status == kLeaderKilled || leader.Status == kLeaderCaptured) {
            // An army that lost its headquarters still belongs to its nation and keeps its name.
            for (const int a : armiesOf.Of(l))
                if (!ArmySlotFree(g.Armies[a]) && g.Armies[a].Leader == l) g.Armies[a].Leader = 0;
            for (const int c : corpsOf.Of(l))
                if (CorpsInUse(g.Corps[c]) && g.Corps[c].Leader == l) g.Corps[c].Leader = 0;
            continue;
        }
        // Whatever else his status says, a man heading commands keeps one and is active: left
        // available he would be offered for another. An army commander leads no corps besides.
        if (KeepLastCommand(g.Armies, armiesOf.Of(l), l, leader, ArmyInUse, DisbandArmy) >= 1) {
            for (const int c : corpsOf.Of(l))
                if (CorpsInUse(g.Corps[c]) && g.Corps[c].Leader == l) DisbandCorps(c);
        } else {
            KeepLastCommand(g.Corps, corpsOf.Of(l), l, leader, CorpsInUse, DisbandCorps);
        }
        if (leader.Status == kLeaderToBeRemoved) RemoveLeader(l);
    }
}

}  // namespace

void CommandCleanUp() { CleanUpCommands<false>(); }

void CommandCleanUpFullRescan() { CleanUpCommands<true>(); }

void ExecuteTurn() {
    // The command is offered only while orders may be given; a turn in progress or a mail game
    // waiting for its hand-over or playback never starts one.
    if (!MenuItemEnabled(MenuItem::Execute1)) return;
    TGameRec& g = *GameRec;
    Frontend& fe = CurrentFrontend();
    if (SidePlayed == kUnion || SidePlayed == kConfederacy) g.Nations[SidePlayed].OrdersGiven = 1;
    const bool mayStart = g.GameKind >= 2 ||
                          (!PersonPlayedWithoutOrders(kNationUnion) && !PersonPlayedWithoutOrders(kNationConfederacy));
    if (!mayStart) {
        fe.SetCursor(CursorKind::Arrow);
        if (PersonPlayedWithoutOrders(kNationUnion)) fe.InformationBox(Text(461));
        if (PersonPlayedWithoutOrders(kNationConfederacy)) fe.InformationBox(Text(462));
        SidePlayed = 0;
        return;
    }
    fe.SetCursor(CursorKind::Hourglass);
    SidePlayed = 0;
    // The repaint's rule, so that the Autosave never holds an army without a headquarters.
    ReleaseBaselessArmies();
    fe.Repaint();
    DisableTurnMenus();
    SetMenuItems({MenuItem::Execute1, MenuItem::SpeedButton1}, false);
    // The history travels with the game for the other player's playback of this turn only.
    if (g.GameKind >= 2) BattleLog.clear();
    SetTurnProgressGauge(1);
    PreMovementPhase();
    StartMovementPasses();
    g.Nations[kNationUnion].OrdersGiven = 0;
    g.Nations[kNationConfederacy].OrdersGiven = 0;
    SidePlayed = 0;
    SetTimer1Enabled(true);
}

namespace {
bool autosaveFailed = false;
std::string autosaveTrouble;
}  // namespace

bool AutosaveFailed() { return autosaveFailed; }
const std::string& AutosaveTrouble() { return autosaveTrouble; }

void PreMovementPhase() {
    TGameRec& g = *GameRec;
    Frontend& fe = CurrentFrontend();
    MarkCityHexes();
    autosaveTrouble.clear();
    autosaveFailed = !SaveGameFiles(kAutosaveName, false, &autosaveTrouble);
    CommandCleanUp();
    SidePlayed = 0;
    Randomize();
    UpdateHexControl();
    for (int n = 1; n <= kNationCount; ++n) {
        if (g.Nations[n].Human == 0) continue;
        for (TCityRec& city : g.Cities)
            if (city.Nation == n) city.Status = 1;
    }
    AdvanceDate();
    fe.ShowDate(DateText());
    if (GameStatus != 0) {
        SetMenuItems({MenuItem::SpeedButton1, MenuItem::Execute1}, false);
    } else {
        UpdateWeather();
        ShowWeatherGauges();
        if (FirstTurnOfMonth(g.Day)) {
            UpdateStateEconomy();
            UpdateNationalWill();
            InitBrigadeTypeTable();
            ComputerProcurement();
            fe.SetCursor(CursorKind::Arrow);
            fe.InformationBox(Text(686));
        }
        SetTurnProgressGauge(20);
        ResolveConquests();
        UpdateCityUnrest();
        ConsolidateComputerFleets();
        SetTurnProgressGauge(40);
        RunComputerPlayers();
        PassTurnCheckpoint(TurnCheckpoint::ComputerPlayersPlanned);
        SetTurnProgressGauge(70);
        MoveArmyHeadquarters();
        DisbandEmptyFleets();
        SupplyCorps(kSupplyBeforeMovement);
        FleetTransportStep();
        PlanCorpsMoves();
        NavalTurnStep();
        UpdateStateLoyalty();
        UpdateSpotting();
        SetTurnProgressGauge(110);
    }
    RecordStartPositions();
    fe.Repaint();
}

}  // namespace kvt
