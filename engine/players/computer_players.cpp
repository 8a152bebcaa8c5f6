// The computer-player driver: the derived totals every plan reads, then the nations one by one.
#include "engine/players/computer_players.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>

#include "engine/forces/force_recount.h"
#include "engine/forces/force_tally.h"
#include "engine/logistics/city_unrest.h"
#include "engine/logistics/supply_sources.h"
#include "engine/movement/corps_movement.h"
#include "engine/movement/path_search.h"
#include "engine/players/amphibious_landings.h"
#include "engine/players/army_operations.h"
#include "engine/players/confederate_plans.h"
#include "engine/players/independent_corps.h"
#include "engine/players/leader_reshuffle.h"
#include "engine/players/theatre_balance.h"
#include "engine/players/union_plans.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kScoreCap = 2000;
constexpr int kScoreSpread = 1000;
constexpr int kCapitalBonus = 50;
// Cities 85 and 86 are the neutral ports abroad (Matamoros, Bermuda), never worth a march.
constexpr int kFirstUnscoredCity = 85;
constexpr int kMinRailDistance = 4;
constexpr int kRailSearches = 11;
constexpr int kRailMisses = 10;
constexpr int kAmphibiousTag = 9;
constexpr U8 kUnionCapitalStatus = 3, kConfederateCapitalStatus = 4;
constexpr int kBritishState = 33;

TGameRec& G() { return *GameRec; }

bool ComputerPlays(int n) { return G().Nations[n].Human == 0; }

void ScoreAdd(TCityRec& city, long long add) { StoreCityScore(city, CityScore(city) + add); }

// The theatre driving steps every nation starts its plans with.
void WeighTheatres(int n) {
    UpdateTheatreBalance(n);
    SetStatePriorities(n);
    ChooseFocusCities(n);
}

void MarkCapital(int n, U8 status) {
    const int capital = G().Nations[n].Capital;
    if (capital != 0) G().Cities[capital].Status = status;
}

// A disordered corps drops out of its plan; the Union keeps its landing corps (tag 9) tagged.
void ReleaseDisorderedCorps(int n, bool keepLandingTag) {
    for (TCorpsRec& k : G().Corps)
        if (k.Nation == n && CorpsInUse(k) && k.Disruption != 0 && !(keepLandingTag && k.PlanTag == kAmphibiousTag))
            k.PlanTag = 0;
}

void CommandForces(int n) {
    RunArmyOperations(n);
    PlanIndependentCorps(n);
    PlanRailMoves(n);
}

bool RailCityAt(int x, int y, int nation) {
    if (MapGrid->Cell(x, y).Terrain() != kTerrainCity) return false;
    for (const TCityRec& city : G().Cities)
        if (city.HexX == x && city.HexY == y && city.RailLink != 0 && city.Nation == nation) return true;
    return false;
}

void AddRailUse(TNationRec& nat, int units) { nat.RailUsed = static_cast<U8>(std::min(nat.RailUsed + units, 255)); }

bool PersonAgreesToRail(const TCorpsRec& k) {
    ClearEventNotice();
    EventNotice.Kind = 0;
    EventNotice.SetLine(1, G().Leaders[k.Leader].Name.str());
    EventNotice.SetLine(2, Text(223));
    OfferChoice(1, Text(413));
    OfferChoice(2, Text(224));
    ShowEventNotice();
    return EventNotice.Answer == 1;
}

}  // namespace

int CityScore(const TCityRec& city) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(city.ScoreValue)); }

void StoreCityScore(TCityRec& city, long long score) {
    const auto word = static_cast<std::int16_t>(std::clamp<long long>(score, -32768, 32767));
    city.ScoreValue = static_cast<std::uint16_t>(word);
}

void RunComputerPlayers() {
    TGameRec& g = G();
    RecountForces();
    UpdateSupplySources();
    UpdateCorpsCondition();
    const std::uint16_t played = SidePlayed;
    TCityTallies tallies;
    for (int n = 1; n <= kNationCount; ++n) {
        // The plans read the nation in hand from here.
        SidePlayed = static_cast<std::uint16_t>(n);
        if (g.Nations[n].Human == 0) {
            ReshuffleComputerLeaders();
            AllocateTheatreSupplies(n);
        }
        ScoreCities(n, tallies);
        if (g.Nations[n].Human != 0) ReturnCorpsToSupplyCity(n);
        switch (n) {
            case kNationUnion: RunUnionPlan(); break;
            case kNationConfederacy: RunConfederatePlan(); break;
            case kNationFrance: RunFrancePlan(); break;
            default: RunBritainPlan(); break;
        }
    }
    SidePlayed = played;
}

void RunUnionPlan() {
    constexpr int n = kNationUnion;
    if (!ComputerPlays(n)) return;
    WeighTheatres(n);
    MarkCapital(n, kUnionCapitalStatus);
    PlanAmphibiousLanding(n);
    UsaPlan1();
    UsaPlan2();
    UsaPlan3();
    UsaPlan4();
    UsaPlan5();
    UsaPlan7();
    UsaPlan6();
    ReleaseDisorderedCorps(n, true);
    CommandForces(n);
}

void RunConfederatePlan() {
    constexpr int n = kNationConfederacy;
    if (!ComputerPlays(n)) return;
    WeighTheatres(n);
    MarkCapital(n, kConfederateCapitalStatus);
    // The plans change the postures, so each is read afresh before its test.
    auto posture = [](int t) { return G().Nations[n].TheatrePosture[t]; };
    CsaPlan14();
    if (posture(kWest) < 3) CsaPlan12();
    if (posture(kSeaboard) < 3) CsaPlan13();
    if (posture(kWest) < 3) CsaPlan11();
    if (posture(kWest) > 1) CsaPlan10();
    ReleaseDisorderedCorps(n, false);
    CommandForces(n);
}

void RunFrancePlan() {
    constexpr int n = kNationFrance;
    if (!ComputerPlays(n)) return;
    TGameRec& g = G();
    WeighTheatres(n);
    I16& pressure = g.Nations[n].TheatrePressure[kMississippi];
    pressure = static_cast<std::int16_t>(std::min(pressure + 10, 32767));
    for (TCityRec& city : g.Cities)
        if (city.Nation > kNationConfederacy)
            ScoreAdd(city, 3 + 5 * city.Fortifications + 2 * city.Garrison + (IsSupplySource(city) ? 10 : 0));
    if (g.Nations[n].Side == 0) return;
    PlanAmphibiousLanding(n);
    CommandForces(n);
}

void RunBritainPlan() {
    constexpr int n = kNationBritain;
    if (!ComputerPlays(n)) return;
    TGameRec& g = G();
    WeighTheatres(n);
    for (TCityRec& city : g.Cities)
        if (city.Nation == n)
            ScoreAdd(city, 10 + 50 * city.Fortifications + 20 * city.Garrison + (IsSupplySource(city) ? 50 : 0));
    const int holder = g.States[kBritishState].Controller;
    for (TCityRec& city : g.Cities) {
        if (city.State != kBritishState) continue;
        if (holder == n) ScoreAdd(city, 35);
        if (g.Nations[n].Side != 0 && holder == kNationConfederacy) ScoreAdd(city, 25);
    }
    if (g.Nations[n].Side == 0) return;
    PlanAmphibiousLanding(n);
    CommandForces(n);
}

void ScoreCities(int n) {
    TCityTallies tallies;
    ScoreCities(n, tallies);
}

void ScoreCities(int n, TCityTallies& tallies) {
    if (!Arr1<TNationRec, kNationCount>::InRange(n)) return;
    TGameRec& g = G();
    TNationRec& nat = g.Nations[n];
    const int s = nat.Side;
    nat.CapitalThreat = 0;
    auto theatre = [&](int c) { return g.Cities[c].Theatre <= kTheatreCount ? g.Cities[c].Theatre : 0; };
    // Scoring moves no corps: the tallies are read once for every city.
    std::array<int, kTallyCityMax + 1> ranges{};
    for (int c = 1; c <= kCityCount; ++c) ranges[static_cast<std::size_t>(c)] = 3 * theatre(c) + 3;
    tallies.Read(ranges);
    for (int c = 1; c <= kCityCount; ++c) {
        TCityRec& city = g.Cities[c];
        const int t = theatre(c);
        const int posture = nat.TheatrePosture[t];
        city.ScoreValue = 0;
        city.EnemyTally = 0;
        tallies.TallyNear(c, n);
        city.EnemyTally = EnemyTally;
        // Summed in 32 bits: a crowd near a city must not wrap into a negative score.
        long long score = EnemyTally / 10 + 5 * city.Value + city.EnemyTally + 2 * city.Fortifications;
        if (c >= kFirstUnscoredCity) score = 0;
        const bool own = city.Owner == s, neutral = city.Owner == 0;
        switch (posture) {
            case 0:
                score = city.Nation == n && EnemyReadinessTally < 51 ? 3 : 1;
                break;
            case 1:
                if (own && EnemyReadinessTally > 1) score *= 2;
                if (!own && !neutral) score /= 2;
                if (neutral) score *= 2;
                if (c >= kFirstUnscoredCity) score = 0;
                break;
            case 2:
                if (!own && EnemyReadinessTally < 10) score *= 2;
                if (own) score /= 2;
                break;
            default:
                if (!own) score *= EnemyReadinessTally > 10 ? 4 : 2;
                if (own) score /= 4;
                break;
        }
        if (posture >= 2 && neutral) score *= 3;
        if (c == nat.Capital) {
            if (EnemyTally > OwnTally) nat.CapitalThreat = 1;
            if (city.Owner != s) nat.CapitalThreat = 2;
            score += kCapitalBonus;
        }
        if (score > kScoreCap) score = kScoreCap + Random(kScoreSpread);
        StoreCityScore(city, score);
    }
}

void PlanRailMoves(int n) {
    if (!Arr1<TNationRec, kNationCount>::InRange(n)) return;
    TGameRec& g = G();
    TNationRec& nat = g.Nations[n];
    auto share = [](const TCorpsRec& k) { return (k.LineCount + 1) / 2; };
    // The hexes of the nation's rail cities, marked once: most corps stand or head off them and
    // need no closer look.
    std::bitset<1 << 16> railHexes;
    for (const TCityRec& city : g.Cities)
        if (city.RailLink != 0 && city.Nation == n) railHexes.set(city.HexX << 8 | city.HexY);
    auto onRail = [&](int x, int y) { return railHexes.test(static_cast<std::size_t>(x << 8 | y)); };
    nat.RailUsed = 0;
    for (const TCorpsRec& k : g.Corps)
        if (CorpsInUse(k) && k.Disruption == 0 && k.OrderMode == kOrderRail && k.Nation == n) AddRailUse(nat, share(k));
    for (int c = 1; c <= kCorpsCount; ++c) {
        TCorpsRec& k = g.Corps[c];
        // A corps aboard a fleet cannot take the train: its fleet would sail on naming it as cargo.
        if (!CorpsInUse(k) || k.Disruption != 0 || k.Nation != n || k.DestX == 0 || k.OrderMode == kOrderEmbarked)
            continue;
        if (nat.RailUsed + share(k) > nat.RailCapacity) continue;
        if (!onRail(k.HexX, k.HexY) || !onRail(k.DestX, k.DestY) || !CanReachByRail(c, k.HexX, k.HexY, n, k.DestY, k.DestX))
            continue;
        if (nat.Human == 0 || (g.GameKind > 2 && k.Side != g.SideToMove)) {
            // An automatic move books one unit, not the corps' share, as the capacity rule has it.
            k.OrderMode = kOrderRail;
            AddRailUse(nat, 1);
        } else if (k.Leader != 0 && k.OrderMode != kOrderRail && PersonAgreesToRail(k)) {
            k.OrderMode = kOrderRail;
            AddRailUse(nat, share(k));
        }
    }
}

bool CanReachByRail(int /*corps*/, int x, int y, int nation, int destY, int destX) {
    if (!Arr1<TNationRec, kNationCount>::InRange(nation)) return false;
    if (!RailCityAt(x, y, nation) || !RailCityAt(destX, destY, nation)) return false;
    if (HexDistance(x, y, destX, destY) < kMinRailDistance) return false;
    // Rail hexes are controlled by sides, so the search takes the side: France and Britain ride
    // their allies' lines. The trial walks a cursor, never the corps, and moves it only to the
    // end of a line this search found (at most 30 steps along a longer one).
    const int side = G().Nations[nation].Side;
    int cx = x, cy = y, misses = 0;
    for (int search = 0; search < kRailSearches && misses <= kRailMisses; ++search) {
        FindPath(cx, cy, destX, destY, kPathMaxSteps, kPathRail, side, 0);
        if (PathResult != kPathReached) return false;
        cx = PathEnd.X;
        cy = PathEnd.Y;
        if (cx == destX && cy == destY) return true;
        ++misses;
    }
    return false;
}

}  // namespace kvt
