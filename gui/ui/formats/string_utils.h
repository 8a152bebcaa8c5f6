// String routines the control library shares: searching, hexadecimal text to numbers, raw bytes
// as hexadecimal text and 8-byte numbers as two integers joined by a dot (the settings store
// writes and reads its binary values and number pairs through these). Plain C++ on 8-bit strings;
// positions count from 1, 0 = not found. Nothing here trusts a length or size read from text:
// everything is checked against what is there.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace kvt::ui {

// The conversion error of a text that is not a number.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Replaces the first occurrence of oldText; true when there was one.
bool ReplaceFirst(std::string& s, const std::string& oldText, const std::string& newText);
// Position of the last occurrence of sub in s (from 1), 0 when none or either is empty.
int LastPos(const std::string& sub, const std::string& s);
// Hexadecimal text ("$1F", " -a ") to a 32-bit integer; a sign alone is 0. Digits beyond 32 bits
// saturate at 0xFFFFFFFF instead of wrapping; the 32-bit pattern is the result, so "FFFFFFFF" is
// -1. Throws EConvertError for an empty or invalid text.
std::int32_t HexStrToInt(const std::string& s);
std::int32_t HexStrToIntDef(const std::string& s, std::int32_t def);
// "454C <size> <byte> <byte> ... " in upper-case hexadecimal.
std::string DataToHexStr(const void* buffer, std::size_t size);
// The inverse: a byte per blank-separated token (an empty token, as from two blanks, fails; a
// token above FF gives its low byte). True when every announced byte was read. False with
// size -1 and no buffer on a wrong marker, a bad size, or a size larger than the tokens present
// (nothing is allocated for it); after a good size, size and buffer hold it even on failure.
bool HexStrToData(const std::string& s, std::vector<std::uint8_t>& buffer, int& size);
// Cuts count characters from start (from 1) out of s into part; out-of-range parts are clipped.
void ExtractStr(std::string& s, int start, int count, std::string& part);
// True when sub is absent; false when s is absent; else whether s begins with sub.
bool StrStartsWith(const char* s, const char* sub);
// index > 0, s at least index long, and s from index on begins with sub.
bool ContainsAt(const std::string& s, int index, const std::string& sub);
// "low.high" into an 8-byte value; code 0 on success, else the error position (-1: no dot).
void StrToInt64Pair(const std::string& s, int& code, std::int64_t& value);
// The low half, ".", the high half, each a signed decimal integer.
std::string Int64PairToStr(std::int64_t value);

}  // namespace kvt::ui
