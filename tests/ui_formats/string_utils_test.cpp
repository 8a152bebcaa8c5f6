// String utilities of the control library: the hexadecimal and number-pair texts a settings file
// relies on, and sizes read from text that must never be trusted.
#include <gtest/gtest.h>

#include "gui/ui/formats/string_utils.h"

namespace kvt::ui {
namespace {

TEST(StringUtils, HexTextToNumbers) {
    const struct {
        const char* text;
        std::int32_t value;
    } good[] = {
        {"$1F", 31}, {" -a ", -10}, {"ff", 255}, {"+10", 16}, {"FFFFFFFF", -1},
        {"-", 0},  // a sign alone leaves no digit to read: 0
        {"+", 0},  {"$-", 0},
    };
    for (const auto& c : good) EXPECT_EQ(HexStrToInt(c.text), c.value) << c.text;
    for (const char* text : {"", " ", "1G", " $1", "$", "--1", "1 2"}) {
        EXPECT_THROW(HexStrToInt(text), EConvertError) << text;
        EXPECT_EQ(HexStrToIntDef(text, 7), 7) << text;
    }
}

TEST(StringUtils, BytesSurviveTheHexTextRoundTrip) {
    const std::uint8_t two[] = {1, 255};
    const std::string text = DataToHexStr(two, 2);
    EXPECT_EQ(text, "454C 2 01 FF ");
    std::vector<std::uint8_t> back;
    int size = 0;
    ASSERT_TRUE(HexStrToData(text, back, size));
    EXPECT_EQ(size, 2);
    EXPECT_EQ(back, (std::vector<std::uint8_t>{1, 255}));

    std::vector<std::uint8_t> many(300);
    for (std::size_t i = 0; i < many.size(); ++i) many[i] = static_cast<std::uint8_t>(i * 7);
    ASSERT_TRUE(HexStrToData(DataToHexStr(many.data(), many.size()), back, size));
    EXPECT_EQ(back, many);
}

TEST(StringUtils, HexDataReadsByteTokensAndRefusesSizesLargerThanWhatIsPresent) {
    // Refused before anything is allocated: no buffer, size -1.
    for (const char* text : {
             "454C 7FFFFFFF 01 ",  // would have allocated 2 GB
             "454C 3 01 02",       // fewer tokens than the size announces
             "454D 1 01",          // wrong marker
             "454C -2 01",         // negative size
             "454C  1 01",         // the size token is empty
             "454C",
         }) {
        std::vector<std::uint8_t> buf{9};
        int size = 5;
        EXPECT_FALSE(HexStrToData(text, buf, size)) << text;
        EXPECT_EQ(size, -1) << text;
        EXPECT_TRUE(buf.empty()) << text;
    }
    // Past a good size, the bytes as read and whether all of them were.
    const struct {
        const char* text;
        bool ok;
        int size;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"454C 1 0A", true, 1, {10}},                   // the last token needs no trailing blank
        {"454C 2 01 1FF ", true, 2, {1, 255}},          // a token above FF keeps its low byte
        {"454C 2 -1 100 ", true, 2, {255, 0}},
        {"454C 2 01  02 ", false, 2, {1, 0}},           // two blanks: an empty token, no number
        {"454C 2 01 0G ", false, 2, {1, 0}},            // not a hexadecimal number
        {"454C 3 01 02 ", false, 3, {1, 2, 0}},         // the text ends one byte early
        {"454C 0 ", true, 0, {}},
        {"454C 1 7F 80 81", true, 1, {127}},            // tokens beyond the size are not read
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> buf;
        int size = -7;
        EXPECT_EQ(HexStrToData(c.text, buf, size), c.ok) << c.text;
        EXPECT_EQ(size, c.size) << c.text;
        EXPECT_EQ(buf, c.bytes) << c.text;
    }
}

TEST(StringUtils, NumberPairsReadAndWriteAsLowDotHigh) {
    const struct {
        const char* text;
        int code;
        std::int32_t low, high;
    } cases[] = {
        {"12.34", 0, 12, 34},
        {"-1.-2", 0, -1, -2},
        {"+5.6", 0, 5, 6},
        {"12.", 3, 0, 0},       // no text after the dot
        {".5", 1, 0, 0},        // none before it
        {"1234", -1, 0, 0},     // no dot at all
        {"1x.5", 2, 0, 0},      // the first half fails at its second character
        {"1.2.3", 4, 0, 0},     // the second half fails at its dot
    };
    for (const auto& c : cases) {
        int code = 99;
        std::int64_t value = 0;
        StrToInt64Pair(c.text, code, value);
        EXPECT_EQ(code, c.code) << c.text;
        if (c.code != 0) continue;
        EXPECT_EQ(static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value))), c.low);
        EXPECT_EQ(static_cast<std::int32_t>(static_cast<std::uint64_t>(value) >> 32), c.high);
    }
    int code = 0;
    std::int64_t value = 0;
    StrToInt64Pair("-7.2147483647", code, value);
    EXPECT_EQ(Int64PairToStr(value), "-7.2147483647");
    StrToInt64Pair("1.2147483648", code, value);  // beyond 32 bits
    EXPECT_GT(code, 2);
}

}  // namespace
}  // namespace kvt::ui
