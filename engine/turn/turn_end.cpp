// The post-movement phase and the end of the game.
#include "engine/turn/turn_end.h"

#include <algorithm>

#include "engine/combat/battle_dispatcher.h"
#include "engine/logistics/city_unrest.h"
#include "engine/logistics/conquest.h"
#include "engine/logistics/corps_supply.h"
#include "engine/logistics/fleet_unloading.h"
#include "engine/logistics/upkeep.h"
#include "engine/players/amphibious_landings.h"
#include "engine/players/election.h"
#include "engine/players/political_phase.h"
#include "engine/turn/side_choice.h"
#include "engine/view/turn_menus.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"
#include "engine/world/stocks.h"
#include "engine/world/text_table.h"
#include "engine/world/turn_checkpoints.h"

namespace kvt {

namespace {

const std::string kBlank = " ";

constexpr int kPoolRich = 5000;
constexpr int kPoolPoor = 2000;
constexpr int kPoolGift = 2500;
constexpr int kRatioCap = 150;

int Ratio(long long stronger, long long weaker) {
    if (weaker == 0) return kRatioCap;
    return static_cast<int>(std::min<long long>(stronger * 100 / weaker, kRatioCap));
}

// A lead of less than a tenth is marginal; a ratio of exactly 100 (a lead lost in the integer
// division) must not count as the strongest verdict.
int Band(int ratio, int marginal, int clear, int decisive) {
    if (ratio <= 109) return marginal;
    if (ratio <= 139) return clear;
    return decisive;
}

bool PostMortemAllowsContinue() {
    // Only a campaign that ran to its date may go on; a capitulation ends the war for good.
    return GameRec->EndVariant < 5 && GameStatus == 1;
}

}  // namespace

bool CampaignEndReached() {
    const TGameRec& g = *GameRec;
    // A record without an end date never ends by the calendar.
    if (g.EndYear == 0) return false;
    return g.Year > g.EndYear || (g.Year == g.EndYear && g.Month >= g.EndMonth);
}

void BalanceSupplyPools() {
    for (int n : {kNationUnion, kNationConfederacy}) {
        auto& pools = GameRec->Nations[n].TheatreSupplies;
        int k = 1;
        for (int t = 2; t <= kTheatreCount; ++t)
            if (pools[t] > pools[k]) k = t;
        if (pools[k] <= kPoolRich) continue;
        for (int j = 1; j <= kTheatreCount; ++j) {
            if (j == k || pools[j] >= kPoolPoor) continue;
            ChangeStock(pools[k], -ChangeStock(pools[j], kPoolGift, StockRule::Allocation), StockRule::Allocation);
        }
    }
}

void PostMovementPhase() {
    TGameRec& g = *GameRec;
    Frontend& fe = CurrentFrontend();
    g.BattlesThisTurn = 0;
    UnloadFleetsAfterMovement();
    PassTurnCheckpoint(TurnCheckpoint::BattlesDue);
    ResolveBattles();
    if (g.GameKind != 2) {
        EmbarkAssignedCorps();
        PassTurnCheckpoint(TurnCheckpoint::AssignedCorpsEmbarked);
        ResolveConquests();
        SupplyCorps(kSupplyAfterMovement);
        ComputerSideUpkeep();
        AssignMissingCommanders();
        PoliticalPhase();
    }
    if (g.Month == 11 && g.Year == 1864 && g.Day >= 1 && g.Day <= 7) ShowElection();
    // A capitulation earlier in the turn has ended the war for good; the calendar must not turn it
    // into an end by date, which "Continue" would reopen.
    if (CampaignEndReached() && GameStatus == 0) GameStatus = 1;
    for (int t = 1; t <= kTheatreCount; ++t) {
        if (g.TheatreWeather[t] >= 5) continue;
        for (TNationRec& n : g.Nations)
            if (n.TheatreIdle[t] < 255) ++n.TheatreIdle[t];
    }
    BalanceSupplyPools();
    for (TCityRec& city : g.Cities) city.FortifiedThisTurn = 0;
    SetTurnProgressGauge(0);

    SetMenuItems({MenuItem::LoadGame1, MenuItem::SaveGame1}, true);
    if (GameStatus == 0) {
        SetMenuItem(MenuItem::Execute1, true);
        SetMenuItem(MenuItem::SpeedButton1, false);
    }
    SetMenuItems({MenuItem::Quit1, MenuItem::About1, MenuItem::Conditions1, MenuItem::ForceStatus1,
                  MenuItem::Production1, MenuItem::Draft1, MenuItem::States1, MenuItem::Transfers1,
                  MenuItem::Leadership1, MenuItem::CheckLeaders, MenuItem::ArmBrigades1, MenuItem::RaiseArmy1,
                  MenuItem::RaiseCorps1, MenuItem::RaiseFleet1},
                 true);
    SetMenuItems({MenuItem::CorpsOrders1, MenuItem::ArmyOrders1, MenuItem::CityOrders1, MenuItem::FleetOrders1},
                 false);

    ClearSelections();
    SidePlayed = 0;
    fe.SetIdPanelText(kBlank);
    ChooseSideToPlay();
    fe.Repaint();
    if (GameStatus != 0) {
        ShowPostMortem();
        DisableTurnMenus();
        SetMenuItem(MenuItem::Quit1, true);
        fe.SetCursor(CursorKind::Arrow);
    }
}

TVerdictBasis TerritorialBasis() {
    const TGameRec& g = *GameRec;
    TVerdictBasis b;
    for (int side : {kUnion, kConfederacy}) {
        long long total = 0;
        for (int s = 1; s <= kStateCount; ++s) {
            const bool controlled = g.States[s].ControlSide == side;
            for (const TCityRec& city : g.Cities)
                if (city.State == s && city.Owner == side && (controlled || city.SupplySource != 0)) total += city.Value;
        }
        (side == kUnion ? b.unionTotal : b.confederateTotal) = total;
    }
    if (g.Year == 1861) b.unionTotal += 50;
    if (g.Year == 1862) b.unionTotal += 33;
    b.unionTotal += b.unionTotal / 10;
    b.confederateTotal += b.confederateTotal / 10;
    return b;
}

TVerdictBasis MilitaryBasis() {
    const TGameRec& g = *GameRec;
    TVerdictBasis b;
    for (int n = 1; n <= kNationCount; ++n) {
        const long long terms = g.Casualties[n] / 3 + g.Foraging[n] / 8 + static_cast<long long>(g.Prisoners[n]) +
                                10LL * g.OceanShipsSunk[n] + 6LL * g.RiverShipsSunk[n];
        const int side = g.Nations[n].Side;
        if (n == kNationUnion || side == kUnion) {
            b.confederateTotal += terms;
            b.unionTotal += 10LL * g.MilitaryPoints[n];
        }
        if (n == kNationConfederacy || side == kConfederacy) {
            b.unionTotal += terms;
            b.confederateTotal += 10LL * g.MilitaryPoints[n];
        }
    }
    return b;
}

int TerritorialVerdictText(const TVerdictBasis& b) {
    if (b.unionTotal > b.confederateTotal) return Band(Ratio(b.unionTotal, b.confederateTotal), 640, 641, 642);
    if (b.confederateTotal > b.unionTotal) return Band(Ratio(b.confederateTotal, b.unionTotal), 643, 644, 645);
    return 646;
}

int MilitaryVerdictText(const TVerdictBasis& b) {
    if (b.unionTotal > b.confederateTotal) return Band(Ratio(b.unionTotal, b.confederateTotal), 640, 641, 642);
    if (b.confederateTotal > b.unionTotal) return Band(Ratio(b.confederateTotal, b.unionTotal), 643, 644, 645);
    return 0;
}

TPostMortem FillPostMortem() {
    const TGameRec& g = *GameRec;
    TPostMortem p;
    for (int r = 0; r < 7; ++r) p.rowTitles[r] = Text(647 + r);
    p.territorialCaption = Text(654);
    p.militaryCaption = Text(655);
    auto values = [&](int n) {
        return std::array<long long, 7>{g.TerritorialPoints[n],         g.MilitaryPoints[n],
                                        50LL * g.Foraging[n],           50LL * g.Casualties[n],
                                        50LL * g.Prisoners[n],          g.OceanShipsSunk[n],
                                        g.RiverShipsSunk[n]};
    };
    p.unionValues = values(kNationUnion);
    p.confederateValues = values(kNationConfederacy);
    const int csCapital = g.Nations[kNationConfederacy].Capital;
    if (csCapital == 0 || g.Cities[csCapital].Owner != kConfederacy) p.capitalLine = Text(638);
    const int usCapital = g.Nations[kNationUnion].Capital;
    if (usCapital == 0 || g.Cities[usCapital].Owner != kUnion) p.capitalLine = Text(639);
    p.territorialVerdict = Text(TerritorialVerdictText(TerritorialBasis()));
    if (int m = MilitaryVerdictText(MilitaryBasis())) p.militaryVerdict = Text(m);
    return p;
}

void ShowPostMortem() {
    Frontend& fe = CurrentFrontend();
    fe.SetCursor(CursorKind::Hourglass);
    const TPostMortem p = FillPostMortem();
    fe.SetCursor(CursorKind::Arrow);
    if (fe.ShowPostMortem(p) == PostMortemChoice::Continue) ContinueCampaign();
    else EndGame();
}

void ContinueCampaign() {
    if (!PostMortemAllowsContinue()) return;
    TGameRec& g = *GameRec;
    GameStatus = 0;
    g.EndVariant = 5;
    g.EndMonth = 6;
    g.EndYear = 1865;
}

void EndGame() {
    // A capitulation keeps its status: it says which side gave up.
    if (GameStatus != 2 && GameStatus != 3) GameStatus = 1;
}

}  // namespace kvt
