// Small text and file helpers shared by the control library's formats (8-bit text, ASCII case).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kvt::ui {

// Blanks and control characters (everything up to the blank) cut from both ends.
std::string TrimCopy(std::string_view s);
std::string UpperCopy(std::string_view s);
bool SameTextIgnoringCase(std::string_view a, std::string_view b);
// 0..15 for a hexadecimal digit of either case, else -1.
int HexDigitValue(char c);
// A decimal integer that reads back as the same text ("5", "-12"; not "05", "+5", "-0", " 5").
bool ParseCanonicalDecimal(std::string_view s, int64_t& value);
bool ParseCanonicalInt32(std::string_view s, int32_t& value);
// Writes a whole file through a temporary file in its folder that is then renamed over it, so a
// failed write leaves the old file; creates the folder when missing.
bool WriteFileReplacing(const std::string& path, const std::string& contents);
// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& contents);

}  // namespace kvt::ui
