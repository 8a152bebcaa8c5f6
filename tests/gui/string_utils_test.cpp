// String and stream utilities of the control library: conversions a settings file or a saved
// caption relies on, and lengths read from outside that must never be trusted.
#include <gtest/gtest.h>


#include <sstream>

#include "gui/ui/library_tools.h"
#include "gui/ui/string_utils.h"

namespace kvt::gui {
namespace {

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

TEST(LibraryTools, StringsOnStreamsCheckTheirLengthAgainstWhatRemains) {
    std::stringstream s;
    ASSERT_TRUE(WriteStringToStream(s, "Richmond"));
    ASSERT_TRUE(WriteStringToStream(s, ""));
    std::string a = "x", b = "x";
    ASSERT_TRUE(ReadStringFromStream(s, a));
    ASSERT_TRUE(ReadStringFromStream(s, b));
    EXPECT_EQ(a, "Richmond");
    EXPECT_EQ(b, "");

    const struct {
        std::string bytes;
    } bad[] = {
        {std::string("\xFF\xFF\xFF\x7F" "abc", 7)},  // 2 GB announced, 3 bytes present
        {std::string("\xFE\xFF\xFF\xFF" "abc", 7)},  // negative
        {std::string("\x05\x00\x00\x00" "abc", 7)},  // short
        {std::string("\x05\x00", 2)},                // short header
    };
    for (const auto& c : bad) {
        std::stringstream in(c.bytes);
        std::string out = "kept";
        EXPECT_FALSE(ReadStringFromStream(in, out));
        EXPECT_EQ(out, "kept");
    }
}

}  // namespace
}  // namespace kvt::gui
