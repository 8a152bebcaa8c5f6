// The new-game setup: each choice changes exactly the bytes it names, the faults it must not
// repeat, and what a finished setup starts (the mail history, plans cleared for the computer).
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/players/game_setup.h"
#include "engine/turn/game_load.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/save_journal.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;
using Choices = TSetupChoices;

class GameSetup : public testing::TurnTest {
protected:
    static std::string FileText(const std::string& path) {
        const std::vector<char> bytes = testing::FileBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }
};

TEST_F(GameSetup, AMailGameStartsItsHistoryAndComputerPlayersStartWithoutPlans) {
    struct Case {
        const char* name;
        int kind;
        bool unionPerson, confederatePerson;
        bool history;        // "No History" appended and written beside the game
        bool plansCleared;
    };
    const Case cases[] = {
        {"a mail game between two persons", 2, true, true, true, false},
        {"mail asked for against the computer is face to face", 2, true, false, false, true},
        {"two persons face to face", 0, true, true, false, false},
        {"one person against the computer", 0, false, true, false, true},
        {"the computer on both sides", 0, false, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(Path("start.BTL"));
        testing::BuildSyntheticGame(true, true);
        TGameRec& g = *GameRec;
        g.StartMonth = 4;  // at its start date: the setup is shown
        g.SideToMove = 2;
        g.BattlesThisTurn = 3;
        g.Plans[1].TargetCity = 5;
        g.Plans[1].PlanState = 2;
        g.Plans[kPlanCount].TurnCounter = 7;
        g.Plans[kPlanCount].Reserved6[3] = 9;
        BattleLog = {"from the game before"};
        ScriptedFrontend fe;
        fe.ExpectGameSetup({.unionPerson = c.unionPerson, .confederatePerson = c.confederatePerson, .mail = c.kind == 2});
        BringGameIntoPlay(Path("start.kvt"));
        if (c.history) {
            const std::vector<std::string> expected = {"from the game before", "No History"};
            EXPECT_EQ(BattleLog, expected);
            EXPECT_EQ(FileText(Path("start.BTL")), "from the game before\r\nNo History\r\n");
            EXPECT_EQ(g.SideToMove, 1);
            EXPECT_EQ(g.BattlesThisTurn, 0);
            EXPECT_EQ(SidePlayed, 1) << "the Union gives the first orders";
        } else {
            EXPECT_EQ(BattleLog, std::vector<std::string>{"from the game before"});
            EXPECT_FALSE(std::filesystem::exists(Path("start.BTL")));
            EXPECT_EQ(g.SideToMove, 2);
            EXPECT_EQ(g.BattlesThisTurn, 3);
        }
        const bool anyPlan = g.Plans[1].TargetCity != 0 || g.Plans[1].PlanState != 0 ||
                             g.Plans[kPlanCount].TurnCounter != 0 || g.Plans[kPlanCount].Reserved6[3] != 0;
        EXPECT_EQ(anyPlan, !c.plansCleared);
    }
}

TEST_F(GameSetup, AMailGameFromAStartPointBesideTheProgramKeepsItsHistoryWhereSavesGo) {
    const std::string program = testing::TempFolder("program"), player = testing::TempFolder("player");
    std::ofstream(program + "/KVT_ENG.TXT") << "text\n";
    testing::CurrentFolder inPlayerFolder(player);
    SetProgramFolder(program);
    testing::BuildSyntheticGame(true, true);
    GameFileBase = program + "/1861.";
    ScriptedFrontend fe;
    fe.ExpectGameSetup({.mail = true});
    ShowGameSetup();
    SetProgramFolder("");
    EXPECT_TRUE(std::filesystem::exists(player + "/1861.BTL"));
    EXPECT_FALSE(std::filesystem::exists(program + "/1861.BTL")) << "the game's own folder is left as installed";
}

TEST_F(GameSetup, AHistoryThatCannotBeWrittenIsReported) {
    testing::BuildSyntheticGame(true, true);
    GameFileBase = Path("no such folder/start.");
    ScriptedFrontend fe;
    fe.ExpectGameSetup({.mail = true});
    fe.ExpectInformationBox();
    ShowGameSetup();
    ASSERT_EQ(fe.messages.size(), 1u);
    EXPECT_NE(fe.messages[0].find("no such folder/start.BTL"), std::string::npos) << fe.messages[0];
    EXPECT_EQ(GameRec->SideToMove, 1) << "the game is set up all the same";
    EXPECT_EQ(fe.cursor, CursorKind::Hourglass) << "the game comes into play under the hourglass";
}


// The bytes that named fields cover in the record.
struct Fields {
    std::set<std::size_t> bytes;
    template <class T>
    Fields& Add(const T& field) {
        const auto at = reinterpret_cast<const char*>(&field) - reinterpret_cast<const char*>(GameRec);
        for (std::size_t k = 0; k < sizeof(T); ++k) bytes.insert(static_cast<std::size_t>(at) + k);
        return *this;
    }
};

Fields LeaderRatings(int nation) {
    Fields f;
    for (const TLeaderRec& l : GameRec->Leaders)
        if (nation == 0 || l.Nation == nation) f.Add(l.Initiative).Add(l.Rating).Add(l.Drill).Add(l.Tactics);
    return f;
}

Fields StateJoins(int state) {
    TStateRec& st = GameRec->States[state];
    Fields f;
    f.Add(st.Controller).Add(st.ControlSide).Add(st.Owner).Add(st.Loyalty);
    for (const TCityRec& c : GameRec->Cities)
        if (c.State == state) f.Add(c.Nation).Add(c.Owner).Add(c.OriginalOwner);
    return f;
}

TEST_F(GameSetup, AHistoryTheDiskRefusesIsReportedWithTheSystemsReason) {
    testing::BuildSyntheticGame(true, true);
    GameFileBase = Path("start.");
    SetFileRenamer([](const char* from, const char* to) {
        if (std::string_view(to).ends_with(".BTL")) {
            errno = ENOSPC;
            return -1;
        }
        return std::rename(from, to);
    });
    ScriptedFrontend fe;
    fe.ExpectGameSetup({.mail = true});
    fe.ExpectInformationBox();
    ShowGameSetup();
    SetFileRenamer(nullptr);
    ASSERT_EQ(fe.messages.size(), 1u);
    EXPECT_EQ(fe.messages[0], "The battle history could not be saved as \"" + Path("start.BTL") + "\": the new \"" +
                                  Path("start.BTL") + "\" cannot take its place (No space left on device).");
    EXPECT_FALSE(std::filesystem::exists(Path("start.BTL")));
}

TEST_F(GameSetup, EachChoiceChangesExactlyTheBytesItNames) {
    TGameRec& g = *GameRec;
    ASSERT_TRUE(ReadGameImages(testing::GameFile("1861.kvt"), g, *MapGrid, nullptr));
    ASSERT_TRUE(SetupDue());
    const auto start = std::make_unique<TGameRec>(g);
    ApplySetup({});
    const auto base = std::make_unique<TGameRec>(g);
    EXPECT_FALSE(SetupDue()) << "an autosave of the start month is not set up again";
    const TNationRec& cs = g.Nations[kNationConfederacy];
    const TNationRec& us = g.Nations[kNationUnion];
    struct Case {
        const char* what;
        Choices choices;
        std::function<Fields()> fields;  // none: nothing changes
        bool fromStartPoint = false;      // else from the game set up as the dialog opens
    };
    const Case cases[] = {
        {"as the dialog opens: two persons, Richmond, no city value moved", {},
         [&] { return Fields().Add(g.SetupDone).Add(us.Human).Add(cs.Human); }, true},
        {"full campaign", {.fullCampaign = true}, [&] { return Fields().Add(g.EndMonth).Add(g.EndYear).Add(g.EndVariant); }},
        {"slight variation", {.ratings = Choices::Ratings::SlightVariation}, [] { return LeaderRatings(0); }},
        {"random ratings", {.ratings = Choices::Ratings::Random}, [] { return LeaderRatings(0); }},
        {"ratings shown", {.ratingsShown = true}, [&] { return Fields().Add(g.RatingsInView); }},
        {"combat roles", {.slavery = Choices::Slavery::CombatRoles}, [&] { return Fields().Add(cs.Policy); }},
        {"emancipation", {.slavery = Choices::Slavery::Emancipation}, [&] { return Fields().Add(cs.Policy); }},
        {"no intervention", {.intervention = Choices::Intervention::Never},
         [&] { return Fields().Add(g.Nations[3].Attitude).Add(g.Nations[4].Attitude); }},
        {"intervention likely", {.intervention = Choices::Intervention::Likely},
         [&] { return Fields().Add(g.Nations[3].Attitude).Add(g.Nations[4].Attitude); }},
        {"Montgomery", {.capital = Choices::Capital::Montgomery},
         [&] { return Fields().Add(cs.Capital).Add(g.Cities[62].Value).Add(g.Cities[17].Value); }},
        {"Raleigh", {.capital = Choices::Capital::Raleigh},
         [&] { return Fields().Add(cs.Capital).Add(g.Cities[24].Value).Add(g.Cities[17].Value); }},
        {"Atlanta", {.capital = Choices::Capital::Atlanta},
         [&] { return Fields().Add(cs.Capital).Add(g.Cities[58].Value).Add(g.Cities[17].Value); }},
        {"the Union on computer, great advantage", {.unionPerson = false, .unionHandicap = 2},
         [&] { return LeaderRatings(1).Add(us.Human).Add(us.Recovery); }},
        {"the Confederacy on computer, even terms", {.confederatePerson = false}, [&] { return Fields().Add(cs.Human); }},
        {"the Confederacy on computer, advantage", {.confederatePerson = false, .confederateHandicap = 1},
         [&] { return LeaderRatings(2).Add(cs.Human).Add(cs.Recovery); }},
        {"a handicap for a person is none", {.confederateHandicap = 2}, {}},
        {"mail between two persons", {.mail = true}, [&] { return Fields().Add(g.GameKind); }},
        {"mail against the computer is face to face", {.confederatePerson = false, .mail = true},
         [&] { return Fields().Add(cs.Human); }},
        {"Kentucky", {.kentucky = true}, [] { return StateJoins(20); }},
        {"Missouri", {.missouri = true}, [&] {
             Fields f = StateJoins(19).Add(g.Cities[55].Nation).Add(g.Cities[55].Owner);
             for (const TCorpsRec& k : g.Corps) f.Add(k.HexX).Add(k.HexY).Add(k.DestX).Add(k.DestY);
             return f;
         }},
    };
    AllowDrawsPastScript();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g = *start;
        ApplySetup(c.choices);
        const std::set<std::size_t> named = c.fields ? c.fields().bytes : std::set<std::size_t>{};
        const auto* now = reinterpret_cast<const unsigned char*>(&g);
        const auto* was = reinterpret_cast<const unsigned char*>(c.fromStartPoint ? start.get() : base.get());
        int changed = 0;
        for (std::size_t k = 0; k < sizeof(TGameRec); ++k)
            if (now[k] != was[k]) EXPECT_TRUE(named.count(k) && ++changed) << "byte " << k << " changed";
        EXPECT_EQ(changed > 0, !named.empty());
    }
}

TEST_F(GameSetup, EveryStartPointIsSetUpOnceAtItsStartDate) {
    for (const char* start : {"1861", "1862", "1863"}) {
        SCOPED_TRACE(start);
        ASSERT_TRUE(ReadGameImages(testing::GameFile(std::string(start) + ".kvt"), *GameRec, *MapGrid, nullptr));
        EXPECT_EQ(GameRec->SetupDone, 0);
        EXPECT_TRUE(SetupDue());
        ApplySetup({});
        EXPECT_EQ(GameRec->SetupDone, 1);
        EXPECT_FALSE(SetupDue());
    }
}

// A side's handicap is its industry level and the bonus of each of its leaders.
TEST_F(GameSetup, AComputerSidesHandicapSetsItsIndustryLevelAndLeaderBonus) {
    struct Case { int nation; bool person; int level, industry, initiative, rating; };
    const Case cases[] = {
        {kNationUnion, false, 0, 0, 40, 3},      {kNationUnion, false, 1, 1, 52, 4},
        {kNationUnion, false, 2, 2, 64, 6},      {kNationConfederacy, false, 1, 1, 52, 4},
        {kNationConfederacy, false, 2, 2, 64, 6}, {kNationConfederacy, true, 2, 0, 40, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "nation " << c.nation << " level " << c.level << " person " << c.person);
        testing::BuildSyntheticGame(true, true);
        GameRec->Nations[c.nation].Recovery = 7;  // whatever the start point held
        Choices choices;
        (c.nation == kNationUnion ? choices.unionPerson : choices.confederatePerson) = c.person;
        (c.nation == kNationUnion ? choices.unionHandicap : choices.confederateHandicap) = c.level;
        ApplySetup(choices);
        EXPECT_EQ(static_cast<int>(GameRec->Nations[c.nation].Recovery), c.industry);
        const TLeaderRec& leader = GameRec->Leaders[c.nation == kNationUnion ? 1 : 7];
        EXPECT_EQ(leader.Initiative, c.initiative);
        EXPECT_EQ(leader.Rating, c.rating);
        EXPECT_EQ(GameRec->Leaders[c.nation == kNationUnion ? 7 : 1].Initiative, 40) << "the other side's leaders";
    }
}

TEST_F(GameSetup, ChoicesStayWithinTheirRangesAndTheBorderRowsWhereTheyShow) {
    struct Case {
        const char* what;
        const char* start;
        std::function<void(TGameRec&)> prepare;
        Choices choices;
        std::function<void(const TGameRec&)> check;
    };
    const Case cases[] = {
        {"Kentucky's loyalty stops at 100", "1861", [](TGameRec& g) { g.States[20].Loyalty = 90; }, {.kentucky = true},
         [](const TGameRec& g) { EXPECT_EQ(g.States[20].Loyalty, 100); }},
        {"Richmond's value stops at 0", "1861", [](TGameRec& g) { g.Cities[17].Value = 3; },
         {.capital = Choices::Capital::Montgomery}, [](const TGameRec& g) { EXPECT_EQ(g.Cities[17].Value, 0); }},
        {"a handicap's bonus stops at 255", "1861", [](TGameRec& g) { g.Leaders[1].Initiative = 250; },
         {.unionPerson = false, .unionHandicap = 2}, [](const TGameRec& g) { EXPECT_EQ(g.Leaders[1].Initiative, 255); }},
        {"Missouri's Union corps gather at St. Louis to stay", "1861",
         [](TGameRec& g) {
             g.Corps[1].HexX = g.Corps[1].DestX = g.Cities[56].HexX;  // at Jefferson City
             g.Corps[1].HexY = g.Corps[1].DestY = g.Cities[56].HexY;
         },
         {.missouri = true},
         [](const TGameRec& g) {
             const TCorpsRec& k = g.Corps[1];
             EXPECT_TRUE(k.HexX == g.Cities[55].HexX && k.HexY == g.Cities[55].HexY && k.DestX == k.HexX && k.DestY == k.HexY);
             EXPECT_EQ(g.Cities[55].Owner, kUnion);
         }},
        {"Missouri's loyalty stops at 100", "1861", [](TGameRec& g) { g.States[19].Loyalty = 90; }, {.missouri = true},
         [](const TGameRec& g) { EXPECT_EQ(g.States[19].Loyalty, 100); }},
        {"Arkansas's Confederate corps gather at Jefferson City to stay", "1861", {}, {.missouri = true},
         [](const TGameRec& g) {
             const TCityRec& jefferson = g.Cities[56];
             for (int k : {31, 32, 38}) {  // standing in Arkansas
                 const TCorpsRec& c = g.Corps[k];
                 EXPECT_TRUE(c.HexX == jefferson.HexX && c.HexY == jefferson.HexY && c.DestX == c.HexX && c.DestY == c.HexY) << k;
             }
             EXPECT_TRUE(g.Corps[33].HexX == 15 && g.Corps[33].HexY == 26) << "a Confederate corps in Missouri stays";
             EXPECT_TRUE(g.Corps[14].HexX == 29 && g.Corps[14].HexY == 25) << "a Union corps outside Missouri stays";
         }},
        {"Missouri with a nation already", "1861", [](TGameRec& g) { g.States[19].Controller = 1; }, {.missouri = true},
         [](const TGameRec& g) { EXPECT_EQ(g.States[19].Owner, kUnion); }},
        {"a state without a capital city starts from its output seed", "1862",
         [](TGameRec& g) {
             g.States[11].CityOutput = 900;  // New York
             g.States[10].CityOutput = 900;  // Pennsylvania, whose capital's output stands
         },
         {},
         [](const TGameRec& g) {
             EXPECT_EQ(g.States[11].CityOutput, 14000);
             EXPECT_EQ(g.States[10].CityOutput, 900);
         }},
        {"no border states in 1862", "1862", {}, {.kentucky = true, .missouri = true},
         [](const TGameRec& g) { EXPECT_NE(g.States[20].Controller, kConfederacy); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(ReadGameImages(testing::GameFile(std::string(c.start) + ".kvt"), *GameRec, *MapGrid, nullptr));
        if (c.prepare) c.prepare(*GameRec);
        ApplySetup(c.choices);
        c.check(*GameRec);
    }
}

TEST_F(GameSetup, VariedRatingsFollowTheScriptedDraws) {
    for (const bool slight : {true, false}) {
        testing::BuildSyntheticGame(true, true);
        TLeaderRec& first = GameRec->Leaders[1];
        std::vector<int> draws(4 * kLeaderCount, 0);
        draws[0] = 58;
        draws[1] = 9;
        const Choices choices{.ratings = slight ? Choices::Ratings::SlightVariation : Choices::Ratings::Random};
        const std::vector<int> ranges = testing::DrawRanges(draws, [&] { ApplySetup(choices); });
        ASSERT_EQ(ranges.size(), draws.size());
        EXPECT_EQ(std::vector<int>(ranges.begin(), ranges.begin() + 4),
                  (slight ? std::vector<int>{59, 10, 50, 50} : std::vector<int>{59, 7, 50, 50}));
        EXPECT_EQ(first.Initiative, slight ? (58 + 3 * 40) / 4 : 59);
        EXPECT_EQ(first.Rating, slight ? (9 + 3 * 3) / 4 : 9 % 7 + 3);
        EXPECT_EQ(GameRec->Leaders[kLeaderCount].Drill, slight ? 0 : 10) << "every leader slot draws";
    }
}

}  // namespace
}  // namespace kvt
