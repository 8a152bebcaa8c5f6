// The new-game setup: the dialog is a wait on the person that answers the choices; writing them
// into the record is the engine's, so the dialog, the headless runs and the tests set up alike.
#include "engine/players/game_setup.h"

#include <algorithm>
#include <filesystem>

#include "engine/players/politics_words.h"
#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/random.h"

namespace kvt {

namespace {

constexpr int kMailGameSetUp = 2;
constexpr int kKentucky = 20;
constexpr int kMissouri = 19;
constexpr int kArkansas = 24;
constexpr int kStLouis = 55;
constexpr int kJeffersonCity = 56;
constexpr int kRichmond = 17;
constexpr int kBorderLoyalty = 30;

void JoinConfederacy(TCityRec& city) { city.Nation = city.Owner = city.OriginalOwner = kConfederacy; }

void KentuckyJoins() {
    TGameRec& g = *GameRec;
    TStateRec& st = g.States[kKentucky];
    for (U8* field : {&st.Controller, &st.ControlSide, &st.Owner})
        if (*field == 0) *field = kConfederacy;
    AddClamped(st.Loyalty, kBorderLoyalty, 100);
    for (TCityRec& city : g.Cities)
        if (city.State == kKentucky) JoinConfederacy(city);
}

// Corps of the side standing in the state gather at the city's hex, and march no further.
void GatherCorps(int side, int state, int city) {
    TGameRec& g = *GameRec;
    const TCityRec& c = g.Cities[city];
    for (TCorpsRec& k : g.Corps) {
        if (!CorpsInUse(k) || k.Side != side || MapGrid->Cell(k.HexX, k.HexY).State() != state) continue;
        k.HexX = k.DestX = c.HexX;
        k.HexY = k.DestY = c.HexY;
    }
}

void MissouriJoins() {
    TGameRec& g = *GameRec;
    TStateRec& st = g.States[kMissouri];
    if (st.Controller != 0) return;
    st.Controller = st.ControlSide = st.Owner = kConfederacy;
    for (TCityRec& city : g.Cities)
        if (city.State == kMissouri) JoinConfederacy(city);
    g.Cities[kStLouis].Nation = g.Cities[kStLouis].Owner = kUnion;
    GatherCorps(kUnion, kMissouri, kStLouis);
    GatherCorps(kConfederacy, kArkansas, kJeffersonCity);
    AddClamped(st.Loyalty, kBorderLoyalty, 100);
}

void VaryRatings(TSetupChoices::Ratings ratings) {
    if (ratings == TSetupChoices::Ratings::AsInHistory) return;
    const bool slight = ratings == TSetupChoices::Ratings::SlightVariation;
    for (TLeaderRec& l : GameRec->Leaders) {
        if (slight) {
            l.Initiative = static_cast<U8>((Random(59) + 3 * l.Initiative) / 4);
            l.Rating = static_cast<U8>((Random(10) + 3 * l.Rating) / 4);
            l.Tactics = static_cast<U8>((Random(50) + 3 * l.Tactics) / 4);
            l.Drill = static_cast<U8>((Random(50) + 3 * l.Drill) / 4);
        } else {
            l.Initiative = static_cast<U8>(Random(59) + 1);
            l.Rating = static_cast<U8>(Random(7) + 3);
            l.Tactics = static_cast<U8>(Random(50) + 5);
            l.Drill = static_cast<U8>(Random(50) + 10);
        }
    }
}

void PlaceCapital(TSetupChoices::Capital capital) {
    TGameRec& g = *GameRec;
    static constexpr int kCities[] = {62, kRichmond, 24, 58};
    const int city = kCities[static_cast<int>(capital)];
    g.Nations[kNationConfederacy].Capital = static_cast<U8>(city);
    if (city == kRichmond) return;
    AddClamped(g.Cities[city].Value, 10);
    AddClamped(g.Cities[kRichmond].Value, -5);
}

void GiveHandicap(int nation, int level) {
    TGameRec& g = *GameRec;
    level = std::clamp(level, 0, 2);
    g.Nations[nation].Recovery = static_cast<U8>(level);
    if (level == 0) return;
    const int initiative = level == 1 ? 12 : 24;
    const int rating = level == 1 ? 1 : 3;
    for (TLeaderRec& l : g.Leaders) {
        if (l.Nation != nation) continue;
        AddClamped(l.Initiative, initiative);
        AddClamped(l.Rating, rating);
        AddClamped(l.Drill, initiative);
    }
}

}  // namespace

bool SetupBorderRowShown() { return GameRec->Year == 1861 && GameRec->Month < 8; }

bool SetupDue() {
    const TGameRec& g = *GameRec;
    return g.Month == static_cast<std::uint16_t>(g.StartMonth) && g.Year == static_cast<std::uint16_t>(g.StartYear) &&
           g.GameKind < kMailGameSetUp && g.SetupDone == 0;
}

void ShowGameSetup() {
    Frontend& fe = CurrentFrontend();
    ApplySetup(fe.ShowGameSetup());
    FinishGameSetup();
    // The game is brought into play under the hourglass once the dialog has gone.
    fe.SetCursor(CursorKind::Hourglass);
}

void ApplySetup(const TSetupChoices& c) {
    TGameRec& g = *GameRec;
    for (TStateRec& st : g.States)
        if (st.CapitalCity == 0) st.CityOutput = st.OutputSeed;
    if (SetupBorderRowShown()) {
        if (c.kentucky) KentuckyJoins();
        if (c.missouri) MissouriJoins();
    }
    TNationRec& us = g.Nations[kNationUnion];
    TNationRec& cs = g.Nations[kNationConfederacy];
    us.Human = c.unionPerson ? 1 : 0;
    cs.Human = c.confederatePerson ? 1 : 0;
    if (c.fullCampaign) {
        g.EndMonth = 6;
        g.EndYear = 1865;
        g.EndVariant = 5;
    }
    VaryRatings(c.ratings);
    g.RatingsInView = c.ratingsShown ? 1 : 0;
    PlaceCapital(c.capital);
    g.SetupDone = 1;
    us.Side = kUnion;
    cs.Side = kConfederacy;
    if (c.slavery == TSetupChoices::Slavery::CombatRoles) cs.Policy = 1;
    if (c.slavery == TSetupChoices::Slavery::Emancipation) cs.Policy = 11;
    static constexpr int kAttitudes[] = {500, 60, 10};
    const int attitude = kAttitudes[static_cast<int>(c.intervention)];
    g.Nations[kNationFrance].Attitude = static_cast<std::int16_t>(attitude);
    g.Nations[kNationBritain].Attitude = static_cast<std::int16_t>(attitude);
    // A handicap helps a computer side; a person plays on even terms.
    GiveHandicap(kNationUnion, c.unionPerson ? 0 : c.unionHandicap);
    GiveHandicap(kNationConfederacy, c.confederatePerson ? 0 : c.confederateHandicap);
    g.GameKind = c.mail && c.unionPerson && c.confederatePerson ? kMailGameSetUp : 0;
}

namespace {

std::string NewGameHistoryFile() {
    // A start point beside the program is the game's data, perhaps in a folder nobody may write:
    // its new history goes where the player's saves go.
    const std::string data = GameDataFolder();
    const std::filesystem::path base(GameFileBase);
    if (!data.empty() && base.parent_path() == std::filesystem::path(data)) return base.filename().string() + "BTL";
    return GameFileBase + "BTL";
}

}  // namespace

void FinishGameSetup() {
    TGameRec& g = *GameRec;
    if (g.GameKind == kMailGameSetUp) {
        BattleLog.push_back("No History");
        const std::string history = NewGameHistoryFile();
        std::string why;
        if (!SaveBattleLog(history, &why))
            CurrentFrontend().InformationBox("The battle history could not be saved as \"" + history + "\"" +
                                             (why.empty() ? "" : ": " + why) + ".");
        g.SideToMove = 1;
        g.BattlesThisTurn = 0;
    }
    if (g.Nations[kNationUnion].Human == 0 || g.Nations[kNationConfederacy].Human == 0)
        for (TPlanRec& plan : g.Plans) plan = TPlanRec{};
}

}  // namespace kvt
