// Stream utilities of the control library: lengths read from outside must never be trusted.
#include <gtest/gtest.h>

#include <sstream>

#include "gui/ui/library_tools.h"

namespace kvt::gui {
namespace {

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
