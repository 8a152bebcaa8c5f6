// The kept copies where people play: a person's orders given between turns through the order
// procedures (routes drawn on the map, corps orders, a new corps, fleet missions, supply and cotton
// moves), a game saved and loaded again over copies another game left, and a mail turn handed
// over and played back. The passes are held to their rescans throughout, as in the seeded
// campaigns of the computer alone.
#include <algorithm>
#include <filesystem>

#include "engine/orders/corps_orders.h"
#include "engine/orders/fleet_orders.h"
#include "engine/orders/new_corps.h"
#include "engine/orders/transfers.h"
#include "engine/turn/engine_reset.h"
#include "engine/turn/game_load.h"
#include "engine/turn/headless_turns.h"
#include "engine/turn/mail_game.h"
#include "engine/turn/movement_ticks.h"
#include "engine/turn/playback.h"
#include "engine/view/map_input.h"
#include "engine/view/map_view_rules.h"
#include "engine/view/turn_menus.h"
#include "engine/world/corps_codes.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "tests/data/incremental_passes.h"

namespace kvt {
namespace {

#ifdef KVT_SANITIZED_BUILD
constexpr int kOrderedTurns = 1;
constexpr int kLoadedTurns = 1;
#else
constexpr int kOrderedTurns = 3;
constexpr int kLoadedTurns = 2;
#endif

// What the person's orders changed, counted over a campaign.
struct TOrdersGiven {
    int routes = 0, stances = 0, railMoves = 0, corpsRaised = 0, fleetMissions = 0, goodsMoved = 0;
};

// The nearest city another side holds, or 0.
int NearestEnemyCity(const TCorpsRec& k) {
    int best = 0, bestDistance = 1000;
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = GameRec->Cities[c];
        if (city.Owner == 0 || city.Owner == k.Side || city.HexX == 0) continue;
        const int d = HexDistance(k.HexX, k.HexY, city.HexX, city.HexY);
        if (d < bestDistance) {
            bestDistance = d;
            best = c;
        }
    }
    return best;
}

TBoxPoint Centre(int column, int row) {
    const TBoxPoint p = HexPixel(column, row);
    return {p.x + kHexPixels / 2, p.y + kHexPixels / 2};
}

// Drags a route from the corps' hex up to `steps` hexes toward `city`, as the window hands the
// engine the pointer's press, move and release. True when the corps took the destination.
bool DrawRoute(int corps, int city, int steps) {
    const TCorpsRec& k = GameRec->Corps[corps];
    const TCityRec& target = GameRec->Cities[city];
    int x = k.HexX, y = k.HexY;
    for (int s = 0; s < steps; ++s) {
        int bestDir = 0, best = HexDistance(x, y, target.HexX, target.HexY);
        for (int dir = 1; dir <= 6; ++dir) {
            int nx = x, ny = y;
            StepHexAt(nx, ny, dir);
            if (OnMap(nx, ny) && HexDistance(nx, ny, target.HexX, target.HexY) < best) {
                best = HexDistance(nx, ny, target.HexX, target.HexY);
                bestDir = dir;
            }
        }
        if (bestDir == 0) break;
        StepHexAt(x, y, bestDir);
    }
    ViewColumn = static_cast<std::uint16_t>(std::max(1, k.HexX - ViewColumns / 2));
    ViewRow = static_cast<std::uint16_t>(std::max(1, k.HexY - ViewRows / 2));
    ClampView();
    if (!HexInView(k.HexX, k.HexY) || !HexInView(x, y)) return false;
    const TBoxPoint from = Centre(k.HexX, k.HexY), to = Centre(x, y);
    const TMapClick click = MapMouseDown(MapButton::Left, from.x, from.y);
    if (!click.chooseAmongSeveral) FinishMapClick(click);
    if (SelectedCorps != corps) return false;
    MapMouseMove(to.x, to.y);
    MapMouseUp(MapButton::Left, to.x, to.y);
    return k.DestX == x && k.DestY == y && (x != k.HexX || y != k.HexY);
}

// A corps of the side played through its orders dialog: a rail move where it may take one, else an
// advance.
void OrderCorps(int corps, TOrdersGiven& given) {
    SelectedCorps = static_cast<std::uint16_t>(corps);
    TCorpsOrders o;
    if (!OpenCorpsOrders(o)) return;
    if (o.railDestinations.enabled && o.railDestinations.rows.size() > 1) {
        o.railDestinations.selected = static_cast<int>(o.railDestinations.rows.size()) - 1;
        CloseCorpsOrders(o);
        given.railMoves += GameRec->Corps[corps].OrderMode == kOrderRail;
        return;
    }
    o.stance = kOrderAdvance;
    CloseCorpsOrders(o);
    given.stances += GameRec->Corps[corps].OrderMode == kOrderAdvance;
}

// A corps raised from the first city whose brigades form one, under the first leader offered.
void RaiseCorps(TOrdersGiven& given) {
    TCorpsRaising r;
    if (!BeginCorpsRaising(r)) return;
    bool formed = false;
    if (FormationsOffered().corps && ChooseFormation(r, kFormationCorps)) {
        const std::vector<int> leaders = FormationLeaders(r);
        if (!leaders.empty() && ChooseCorpsLeader(r, leaders.front()))
            for (const int city : RaisingCities()) {
                const std::vector<int> brigades = ChooseRaisingCity(r, city);
                if (brigades.empty()) continue;
                formed = FinishCorpsRaising(r, brigades);
                break;
            }
    }
    if (!formed) FinishCorpsRaising(r, {});
    given.corpsRaised += formed;
}

// A fleet sent to patrol off the first objective offered, a load of supplies taken aboard.
void OrderFleet(int fleet, TOrdersGiven& given) {
    TFleetOrderSheet sheet(fleet);
    if (sheet.EmbarkAtOpening()) sheet.EmbarkClosed();
    if (sheet.Controls().suppliesSpin) sheet.SuppliesUp();
    if (!sheet.Controls().missions[kMissionPatrol]) {
        sheet.Close({});
        return;
    }
    sheet.ChooseMission(kMissionPatrol);
    sheet.ObjectiveBoxClicked();
    const std::vector<TOrderRow>& objectives = sheet.Objectives();
    const int objective = objectives.empty() ? 0 : objectives[static_cast<std::size_t>(fleet) % objectives.size()].index;
    sheet.Close({false, 0, objective != 0, objective});
    given.fleetMissions += objective != 0 && GameRec->Fleets[fleet].Mission == kMissionPatrol;
}

// The orders of the side played for one turn: `routesDrawn` corps' routes drawn, two more corps
// ordered through their dialog, a corps raised, fleets sent on patrol, rail capacity bought and
// goods moved. Which corps and fleets change with the turn.
void GiveOrders(int turn, int routesDrawn, TOrdersGiven& given) {
    const int nation = SidePlayed;
    int routes = 0, dialogs = 0;
    for (int c = 1 + turn % 3; c <= kCorpsCount && (routes < routesDrawn || dialogs < 2); c += 2) {
        const TCorpsRec& k = GameRec->Corps[c];
        if (!CorpsInUse(k) || k.Nation != nation || k.Leader == 0 || k.OrderMode >= kOrderEmbarked) continue;
        if (routes < routesDrawn) {
            const int city = NearestEnemyCity(k);
            if (city != 0 && DrawRoute(c, city, 2 + turn % 3)) {
                ++routes;
                continue;
            }
        }
        if (dialogs < 2) {
            OrderCorps(c, given);
            ++dialogs;
        }
    }
    given.routes += routes;
    RaiseCorps(given);
    int fleets = 0;
    for (int f = 1 + turn % 2; f <= kFleetCount && fleets < 2; f += 2) {
        const TFleetRec& fleet = GameRec->Fleets[f];
        if (fleet.Owner != nation || !FleetOrdersAvailable(f) || fleet.Cargo != 0) continue;
        OrderFleet(f, given);
        ++fleets;
    }
    TTransferOrders transfers;
    transfers.BuyRailCapacity();
    transfers.SetGoods(1 + turn % kTransferPairs, TGoods::Cotton);
    for (int pair = 1; pair <= kTransferPairs; ++pair) given.goodsMoved += transfers.Move(pair, (pair + turn) % 2 == 0);
    SelectedCorps = SelectedFleet = 0;
}

TEST_F(IncrementalPasses, APersonsOrdersBetweenTurnsLeaveEveryPassWhereItsRescanLeavesIt) {
    struct Case {
        const char* year;
        std::uint64_t seed;
        int person;
    };
    const Case cases[] = {{"1861", 2, kNationUnion}, {"1862", 4, kNationConfederacy}};
    TOrdersGiven given;
    for (const Case& c : cases) {
        const std::string game = std::string(c.year) + " seed " + std::to_string(c.seed);
        SCOPED_TRACE(game);
        ASSERT_TRUE(StartCampaign(c.year, c.seed, c.person));
        for (int turn = 1; turn <= kOrderedTurns && GameStatus == 0; ++turn) {
            const std::string at = game + " turn " + std::to_string(turn);
            ASSERT_EQ(SidePlayed, c.person);
            GiveOrders(turn, 3, given);
            ASSERT_TRUE(SameAsRescans(at + " after the orders"));
            ASSERT_GT(PlayTurnComparing(at), 100);
        }
    }
    EXPECT_GT(given.routes, 2 * kOrderedTurns) << "routes drawn on the map";
    EXPECT_GT(given.stances + given.railMoves, 0) << "corps ordered through their dialog";
    EXPECT_GT(given.corpsRaised, 0);
    EXPECT_GT(given.fleetMissions, 0);
    EXPECT_GT(given.goodsMoved, 0);
}

TEST_F(IncrementalPasses, AGameLoadedOverAnotherGamesCopiesPlaysOnAsWhenLoadedOverItsOwn) {
    ASSERT_TRUE(StartCampaign("1861", 11));
    for (int turn = 1; turn <= 2; ++turn) ASSERT_TRUE(PlayHeadlessTurn());
    frontend.save = frontend.open = folder + "/midgame.KVT";
    SaveGameDialog();
    // The load draws too (the weather): both loads start from the generator as the save left it.
    const RandomState drawn = GetRandomState();
    // Loaded at once, over the copies its own turns left: the game as it plays on.
    SetRandomState(drawn);
    LoadGameMenu();
    std::vector<TWorld> ownCopies(kLoadedTurns + 1);
    ownCopies[0].Keep();
    for (int turn = 1; turn <= kLoadedTurns; ++turn) {
        ASSERT_TRUE(PlayHeadlessTurn());
        ownCopies[static_cast<std::size_t>(turn)].Keep();
    }

    // Loaded again over the copies a turn of a small game on another map left.
    ResetEngineGlobals();
    testing::BuildSyntheticGame(false, false);
    EnableTurnMenus();
    ASSERT_TRUE(PlayHeadlessTurn());
    WatchBattles();
    SetRandomState(drawn);
    LoadGameMenu();
    const auto difference = [&](int turn) {
        TWorld now;
        now.Keep();
        return WorldDifference(ownCopies[static_cast<std::size_t>(turn)], now);
    };
    EXPECT_TRUE(SameAsRescans("loaded over another game"));
    EXPECT_TRUE(SameFleetRoutes("loaded over another game"));
    ASSERT_EQ(difference(0), "") << "the load reads otherwise than over its own copies";
    for (int turn = 1; turn <= kLoadedTurns; ++turn) {
        const std::string at = "turn " + std::to_string(turn) + " after the load";
        ASSERT_GT(PlayTurnComparing(at), 100);
        EXPECT_EQ(difference(turn), "") << at << ": the game plays on otherwise than over its own copies";
    }
}

TEST_F(IncrementalPasses, AMailTurnPlayedBackLeavesEveryPassWhereItsRescanLeavesIt) {
    // A mail game writes its history beside the game: it is set up from a copy in the test's folder.
    for (const char* name : {"1861.kvt", "1861.KVM"}) std::filesystem::copy_file(testing::GameFile(name), folder + "/" + name);
    ResetEngineGlobals();
    UseClockForRandomize(false);
    SetRandomSeed(3);
    frontend.setup = TSetupChoices{.mail = true};
    ASSERT_TRUE(LoadGameFiles(folder + "/1861.kvt"));
    ASSERT_EQ(GameRec->GameKind, 2);
    WatchBattles();
    const auto handOver = [&](const std::string& name) {
        frontend.save = frontend.open = folder + "/" + name + ".KVT";
        SaveGameDialog();
        LoadGameMenu();
    };
    handOver("first");
    ASSERT_EQ(GameRec->GameKind, 3);
    TOrdersGiven given;
    GiveOrders(1, 10, given);
    ASSERT_GT(PlayTurnComparing("the mover's turn"), 50);
    ASSERT_EQ(GameRec->GameKind, 4);
    handOver("second");
    ASSERT_TRUE(MenuItemEnabled(MenuItem::Playback1));
    const auto marched = std::count_if(GameRec->Corps.begin(), GameRec->Corps.end(),
                                       [](const TCorpsRec& k) { return CorpsInUse(k) && k.StepsTaken != 0; });
    EXPECT_GT(marched, 5) << "a playback in which nothing marches proves little";

    StartPlayback();
    for (int tick = 1; Timer1Enabled(); ++tick) {
        MovementTick();
        ASSERT_TRUE(SameAsRescans("playback tick " + std::to_string(tick)));
    }
    ASSERT_EQ(GameRec->GameKind, 3) << "the receiver gives the next orders";
    ASSERT_TRUE(SameFleetRoutes("the turn played back"));
    GiveOrders(2, 10, given);
    ASSERT_TRUE(SameAsRescans("the receiver's orders"));
    EXPECT_GT(PlayTurnComparing("the receiver's turn"), 50);
    EXPECT_GT(given.routes, 0);
}

}  // namespace
}  // namespace kvt
