// The date text and the names built from numbers.
#include <gtest/gtest.h>

#include "engine/world/calendar.h"
#include "engine/world/globals.h"
#include "engine/world/naming.h"
#include "engine/world/text_table.h"
#include "tests/support/engine_fixture.h"

namespace kvt {
namespace {

class Calendar : public testing::EngineTest {};

TEST_F(Calendar, DateTextSpellsTheMonth) {
    GameRec->Day = 11;
    GameRec->Month = 4;
    GameRec->Year = 1861;
    EXPECT_EQ(DateText(), "Apr 11 1861");
    GameRec->Month = 6;
    EXPECT_EQ(DateText(), "June 11 1861");
    GameRec->Month = 7;
    EXPECT_EQ(DateText(), "July 11 1861");
    GameRec->Month = 9;
    EXPECT_EQ(DateText(), "Sept 11 1861");
    GameRec->Month = 13;
    EXPECT_EQ(DateText(), "11 1861") << "no month name outside 1..12";
}

TEST(Names, OrdinalsAreCorrectEnglishForEveryNumber) {
    const std::pair<int, const char*> cases[] = {
        {1, "1st "},   {2, "2nd "},   {3, "3rd "},   {4, "4th "},   {11, "11th "}, {12, "12th "},
        {13, "13th "}, {21, "21st "}, {22, "22nd "}, {23, "23rd "}, {31, "31st "}, {33, "33rd "},
        {41, "41st "}, {42, "42nd "}, {43, "43rd "}, {100, "100th "}, {101, "101st "}, {111, "111th "},
        {112, "112th "}, {113, "113th "}, {122, "122nd "}, {0, "0th "},
    };
    for (auto [n, text] : cases) EXPECT_EQ(OrdinalText(n), text) << n;
}

TEST_F(Calendar, BrigadeEntryNamesOrdinalStateTypeAndWeapon) {
    GameRec->States[3].ShortName = "Ohio";
    TBrigadeRec b{};
    b.Ordinal = 42;
    b.HomeState = 3;
    b.BrigadeType = kBrigadeInfantry;
    b.Weapon = 2;
    EXPECT_EQ(BrigadeEntryText(b), "42nd Ohio Inf Springfields");
    b.BrigadeType = kBrigadeArtillery;
    b.Weapon = 7;
    b.Ordinal = 1;
    EXPECT_EQ(BrigadeEntryText(b), "1st Ohio Arty Parrotts");
}

TEST(Texts, LinesCountFromZeroAndKeepTrailingBlanks) {
    TTextTable t;
    t.LoadFromString("zero\r\none \r\n\r\nthree  \n");
    EXPECT_EQ(t.Count(), 4);
    EXPECT_EQ(t[0], "zero");
    EXPECT_EQ(t[1], "one ");
    EXPECT_EQ(t[2], "");
    EXPECT_EQ(t[3], "three  ");
    EXPECT_EQ(t[4], "") << "a number past the end reads as empty";
    EXPECT_EQ(t[-1], "");
}

}  // namespace
}  // namespace kvt
