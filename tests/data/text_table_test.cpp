// The text table as a player meets it: every number the game asks for holds a line, notice
// lines and choices fit their fields once names and numbers are glued on, and texts that are
// glued to names keep the blanks that separate them.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <initializer_list>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/world/text_table.h"
#include "tests/support/engine_fixture.h"

namespace kvt {
namespace {

constexpr int kHighestText = 731;
constexpr int kNoticeLine = 40;
constexpr int kChoiceCaption = 23;

// The longest thing the game glues to a text: record names and printed numbers.
constexpr int kLeaderName = 21;
constexpr int kCityName = 16;
constexpr int kStateName = 15;
constexpr int kNationName = 9;
constexpr int kArmyName = 22;
constexpr int kAmount = 5;  // a 16-bit amount in digits
constexpr int kSmallCount = 3;

// Numbers no rule of the game reads; they stay empty so every later line keeps its number.
const char* const kUnusedRanges =
    "26-27 34 40-41 60-62 67-69 78-81 96 101-104 106 111 127-141 144 147 158-163 173-174 179 "
    "213-222 230-237 239-243 247-249 252-255 257-258 273-288 327-329 334-337 343 348 352-357 362 "
    "367 371-372 376-379 394 420-425 447 460 467 473 478-480 510 584 595 605 613 616 619 710 718 "
    "720 723 726 730";

std::set<int> UnusedNumbers() {
    std::set<int> out;
    std::istringstream in(kUnusedRanges);
    std::string range;
    while (in >> range) {
        const auto dash = range.find('-');
        const int lo = std::stoi(range.substr(0, dash));
        const int hi = dash == std::string::npos ? lo : std::stoi(range.substr(dash + 1));
        for (int n = lo; n <= hi; ++n) out.insert(n);
    }
    return out;
}

class TextFile : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string path = testing::GameFile("KVT_ENG.TXT");
        ASSERT_TRUE(table.LoadFromFile(path)) << path;
        std::ifstream in(path, std::ios::binary);
        raw.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::string& T(int n) const { return table[n]; }
    TTextTable table;
    std::string raw;
};

TEST_F(TextFile, HoldsOneLinePerNumberUpToTheHighestText) {
    EXPECT_EQ(table.Count(), kHighestText + 1);
    EXPECT_FALSE(T(kHighestText).empty());
    // Plain one-byte characters only: notice fields count bytes.
    for (unsigned char c : raw) {
        EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << "byte " << int(c);
        if (!(c == '\n' || (c >= 0x20 && c < 0x7F))) break;
    }
}

TEST_F(TextFile, EveryUsedNumberHasWordingAndUnusedOnesStayEmpty) {
    const std::set<int> unused = UnusedNumbers();
    ASSERT_EQ(unused.size(), 146u);
    for (int n = 0; n <= kHighestText; ++n) {
        if (unused.count(n)) {
            EXPECT_TRUE(T(n).empty()) << "text " << n << " should be empty: lines have shifted?";
        } else {
            EXPECT_FALSE(T(n).empty()) << "text " << n << " is missing";
            EXPECT_NE(T(n).find_first_not_of(' '), std::string::npos) << "text " << n << " is blank";
        }
    }
}

// A notice line: the text plus whatever the game glues to it must fit the 40 characters.
struct NoticeUse {
    int text;
    int glued;  // longest name or number joined to it on the same line
    int limit;
};

TEST_F(TextFile, NoticeLinesFitTheirFieldWithNamesAndNumbersGluedOn) {
    const std::vector<NoticeUse> uses = {
        // a prefix before a name or number
        {0, kArmyName, kNoticeLine}, {9, kLeaderName, kNoticeLine}, {10, kCityName, kNoticeLine},
        {21, 1 + kLeaderName, kNoticeLine}, {47, kCityName, kNoticeLine},
        {77, kLeaderName, kNoticeLine}, {90, kSmallCount, kNoticeLine},
        {92, kSmallCount, kNoticeLine}, {95, kSmallCount, kNoticeLine},
        {105, 1 + kCityName, kNoticeLine}, {110, kCityName, kNoticeLine},
        {149, 1 + kLeaderName, kNoticeLine}, {199, kNationName, kNoticeLine},
        {200, kCityName + 1 + kStateName, kNoticeLine}, {227, kCityName, kNoticeLine},
        {228, kLeaderName, kNoticeLine}, {568, kLeaderName, kNoticeLine},
        {687, kCityName, kNoticeLine},
        // a suffix after a name or number
        {11, kAmount, kNoticeLine}, {13, kNationName, kNoticeLine}, {14, kNationName, kNoticeLine},
        {29, kStateName, kNoticeLine}, {32, kCityName + 1 + 4, kNoticeLine},
        {35, kLeaderName, kNoticeLine}, {143, kCityName, kNoticeLine},
        {145, kLeaderName + 1, kNoticeLine}, {148, kLeaderName, kNoticeLine},
        {155, kCityName, kNoticeLine}, {225, kAmount, kNoticeLine}, {226, kAmount, kNoticeLine},
        {454, 12, kNoticeLine}, {567, 0, kNoticeLine}, {573, kSmallCount, kNoticeLine},
        {574, kLeaderName, kNoticeLine}, {576, kSmallCount, kNoticeLine},
        {368, 8, kNoticeLine}, {369, 8, kNoticeLine}, {370, 8, kNoticeLine},
        // the state that enters the war has one character less
        {731, kStateName, kNoticeLine - 1},
    };
    // Lines that stand alone.
    for (int n : {12, 15, 16, 17, 18, 19, 20, 22, 23, 24, 25, 28, 30, 31, 33, 36, 37, 38, 39, 48, 54, 55, 70, 71, 72, 73,
                  74, 75, 76, 146, 150, 151, 152, 153, 154, 156, 157, 201, 202, 203, 204, 205, 206, 207, 210, 211, 212,
                  223, 229, 455, 458, 463, 569, 570, 571, 572, 575, 577, 620, 621, 622, 688, 689, 690, 691, 692, 693, 694,
                  695, 696, 697, 698, 699, 700, 701, 702, 705, 706, 707, 708})
        EXPECT_LE(T(n).size(), static_cast<std::size_t>(kNoticeLine)) << "text " << n << " \"" << T(n) << "\" is cut off";
    for (const NoticeUse& u : uses) {
        EXPECT_LE(static_cast<int>(T(u.text).size()) + u.glued, u.limit)
            << "text " << u.text << " \"" << T(u.text) << "\" is cut off in its notice";
    }
}

TEST_F(TextFile, ChoiceCaptionsFitTheirField) {
    for (int n : {3, 4, 208, 209, 224, 413, 703, 704}) {
        EXPECT_LE(T(n).size(), static_cast<std::size_t>(kChoiceCaption)) << "text " << n;
    }
}

// How the game sets a text beside what shares its line. A text with two roles is listed once for
// each, so a wording that suits one role and breaks the other is caught.
enum class Join {
    BeforeName,    // text + name: "Army of " + "the Potomac"
    BeforeNumber,  // text + digits: "Fleet No." + "3"
    BeforeComma,   // text + ", " + digits: the merge list's "Fleet No., 3"
    BeforeWord,    // city feature words run together: "Railroad  " + "Seaport  " + "River"
    AfterName,     // name or digits + text: "Grant" + "'s Corps"
    Opening,       // a line, caption or message of its own that opens a sentence
    Continuing,    // a notice line of its own that goes on from the line above it
};

struct Use {
    int text;
    Join join;
};

std::vector<Use> Uses() {
    std::vector<Use> uses;
    auto add = [&](Join join, std::initializer_list<int> texts) {
        for (int n : texts) uses.push_back({n, join});
    };
    add(Join::BeforeName, {0, 2, 8, 9, 10, 21, 47, 51, 52, 53, 77, 90, 91, 92, 93, 94, 95, 97, 98, 99,
                           100, 109, 110, 112, 164, 165, 169, 170, 171, 172, 177, 178, 199, 200,
                           227, 228, 491, 568, 585, 586, 587, 588, 614, 615, 617, 618, 660, 661, 662, 668,
                           687, 724});
    add(Join::BeforeNumber, {1, 319});
    add(Join::BeforeComma, {1});
    add(Join::BeforeWord, {166, 167});
    add(Join::AfterName, {5, 6, 7, 8, 11, 13, 14, 29, 32, 35, 52, 113, 114, 115, 116, 117, 118, 119, 143,
                          148, 155, 225, 226, 452, 453, 459, 567, 573, 574, 576, 580, 581, 582, 722, 725,
                          731});
    add(Join::Opening, {3, 4, 17, 18, 19, 20, 23, 24, 30, 35, 36, 37, 38, 39, 46, 70, 93, 107, 121, 122,
                        123, 124, 125, 151, 152, 153, 154, 201, 202, 204, 210, 211, 212, 229, 238, 319,
                        461, 462, 463, 482, 525, 566, 578, 620, 679, 686, 689, 690, 693, 697, 700, 705,
                        709, 727, 728});
    add(Join::Continuing, {22, 25, 28, 31, 33, 54, 55, 71, 72, 73, 74, 75, 76, 146, 150, 155, 156, 157,
                           203, 205, 206, 207, 223, 455, 458, 567, 569, 570, 571, 572, 575, 577, 621, 622,
                           688, 691, 692, 694, 695, 696, 698, 699, 701, 702, 706, 707, 708});
    return uses;
}

TEST_F(TextFile, EveryTextReadsRightInEachPlaceTheGameSetsIt) {
    for (const Use& u : Uses()) {
        const std::string& t = T(u.text);
        ASSERT_FALSE(t.empty()) << "text " << u.text;
        const std::string shown = "text " + std::to_string(u.text) + " \"" + t + "\"";
        const unsigned char first = static_cast<unsigned char>(t.front());
        const unsigned char last = static_cast<unsigned char>(t.back());
        const auto lead = t.find_first_not_of(' ');
        switch (u.join) {
            case Join::BeforeName:
                EXPECT_EQ(last, ' ') << shown << " runs into the name after it";
                EXPECT_EQ((t + "Shiloh").find("  "), std::string::npos) << shown << " leaves two blanks";
                break;
            case Join::BeforeNumber:
                EXPECT_FALSE(std::isalnum(last)) << shown << " runs into the number after it";
                break;
            case Join::BeforeWord:
                EXPECT_EQ(last, ' ') << shown << " runs into the word after it";
                break;
            case Join::BeforeComma:
                EXPECT_TRUE(std::isalnum(last) || last == '.') << shown << " puts a blank or mark before the comma";
                break;
            case Join::AfterName:
                EXPECT_FALSE(std::isalnum(first)) << shown << " runs into the name before it";
                EXPECT_NE(t.rfind("  ", 0), 0u) << shown << " leaves two blanks";
                break;
            case Join::Opening:
                ASSERT_NE(lead, std::string::npos) << shown;
                EXPECT_TRUE(std::isupper(static_cast<unsigned char>(t[lead])) || std::isdigit(static_cast<unsigned char>(t[lead])) ||
                            t[lead] == '(')
                    << shown << " does not open a sentence";
                break;
            case Join::Continuing:
                ASSERT_NE(lead, std::string::npos) << shown;
                EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(t[lead]))) << shown << " starts with a stray mark";
                break;
        }
    }
}

// The manpower dialog's labels sit on lines laid out for its own captions; a longer text would be
// clipped at the spin edit or the percentage beside it.
TEST_F(TextFile, ManpowerLabelsFitTheLinesOfTheirLayout) {
    struct Line { int text; const char* layoutCaption; };
    for (const Line& l : {Line{338, "Amount of supplies being spent on volunteer bounties"},
                          Line{339, "per 500 troops raised..............."},
                          Line{340, "Current number of recruits per month"},
                          Line{341, "(Appeal : 3 months between minimum)"},
                          Line{342, "Presidential appeal for more troops."},
                          Line{344, "Set infantry recruitment  (cost 0)  :"},
                          Line{345, "Set infantry recruitment  (cost 0)  :"},
                          Line{346, "Set infantry recruitment  (cost 0)  :"},
                          Line{347, "Set infantry recruitment  (cost 0)  :"}}) {
        EXPECT_LE(T(l.text).size(), std::string(l.layoutCaption).size()) << "text " << l.text << " \"" << T(l.text) << "\"";
    }
}

// Where the game itself puts a blank, dash, colon or word before or after the text, a blank of
// the text's own would show twice.
TEST_F(TextFile, TextsBesideASeparatorOfTheGameCarryNoBlankThere) {
    for (int n : {105, 149, 326, 396, 404, 489, 542, 543, 544, 591, 678}) {
        EXPECT_NE(T(n).back(), ' ') << "text " << n << " \"" << T(n) << "\"";
    }
    for (int n : {145, 368, 369, 370, 396, 454, 666}) {
        EXPECT_NE(T(n).front(), ' ') << "text " << n << " \"" << T(n) << "\"";
    }
}

// Band words and choices of one scale must tell their steps apart.
TEST_F(TextFile, WordsOfOneScaleDiffer) {
    const std::vector<std::vector<int>> scales = {
        {56, 57, 58, 59},           {82, 83, 84, 85, 86, 87},     {185, 186, 187, 188},
        {189, 190, 191, 192, 193, 194}, {195, 196, 197, 198},    {244, 245, 246},
        {259, 260, 261, 262},       {297, 298, 299, 300, 301, 302, 303, 304},
        {306, 307, 308, 309, 310, 311, 312}, {151, 152, 153, 154}, {175, 176, 168},
        {399, 400, 401, 409, 410},  {511, 512, 513, 514, 515},   {518, 519, 520, 521, 522, 523, 524},
        {532, 533, 534, 535, 536},  {537, 538, 539, 540},        {541, 542, 543, 544},
        {545, 546, 547},            {549, 550, 551},             {553, 554, 555, 556, 557},
        {559, 560, 561, 562},       {580, 581, 582},             {627, 628, 629, 630, 631},
        {640, 641, 642, 643, 644, 645, 646}, {669, 670, 671, 672, 673}, {674, 675, 676, 677},
        {632, 633, 634, 635, 636, 637}, {681, 682},              {683, 684, 685},
        {384, 385, 386},            {389, 390, 391},             {392, 393},
        {17, 18, 19, 20},           {503, 589},                  {63, 64, 65},
        {709, 711, 712, 713, 714, 715, 716, 717, 719, 721},
    };
    for (const auto& scale : scales) {
        std::set<std::string> seen;
        for (int n : scale) {
            EXPECT_TRUE(seen.insert(T(n)).second) << "text " << n << " repeats \"" << T(n) << "\"";
        }
    }
}

}  // namespace
}  // namespace kvt
