// String searching and hexadecimal conversions.
#include "gui/ui/formats/string_utils.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace kvt::ui {
namespace {

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

[[noreturn]] void InvalidInteger(const std::string& s) {
    throw EConvertError("'" + s + "' is not a valid integer value");
}

}  // namespace

bool ReplaceFirst(std::string& s, const std::string& oldText, const std::string& newText) {
    if (oldText.empty()) return false;
    const std::size_t at = s.find(oldText);
    if (at == std::string::npos) return false;
    s.replace(at, oldText.size(), newText);
    return true;
}

int LastPos(const std::string& sub, const std::string& s) {
    if (sub.empty() || s.empty() || sub.size() > s.size()) return 0;
    const std::size_t at = s.rfind(sub);
    return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

std::int32_t HexStrToInt(const std::string& text) {
    std::string s = text;
    if (!s.empty() && s[0] == '$') s.erase(0, 1);
    s = Trim(s);
    if (s.empty()) InvalidInteger(text);
    bool negative = false;
    if (s[0] == '-' || s[0] == '+') {
        negative = s[0] == '-';
        s.erase(0, 1);
    }
    std::uint64_t value = 0;
    for (char c : s) {
        const int d = HexDigit(c);
        if (d < 0) InvalidInteger(text);
        value = value * 16 + static_cast<std::uint64_t>(d);
        if (value > 0xFFFFFFFFull) value = 0xFFFFFFFFull;  // saturate: more digits must not wrap round
    }
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

std::int32_t HexStrToIntDef(const std::string& s, std::int32_t def) {
    try {
        return HexStrToInt(s);
    } catch (const EConvertError&) {
        return def;
    }
}

std::string DataToHexStr(const void* buffer, std::size_t size) {
    char head[32];
    std::snprintf(head, sizeof head, "454C %zX ", size);
    std::string out = head;
    out.reserve(out.size() + size * 3);
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    for (std::size_t i = 0; i < size; ++i) {
        char b[4];
        std::snprintf(b, sizeof b, "%02X ", bytes[i]);
        out += b;
    }
    return out;
}

bool HexStrToData(const std::string& s, std::vector<std::uint8_t>& buffer, int& size) {
    buffer.clear();
    size = -1;
    if (s.rfind("454C", 0) != 0) return false;
    std::string rest = s.size() > 5 ? s.substr(5) : std::string();
    // Each token ends at the next blank; with no blank left, the rest of the text is the token.
    // Two blanks in a row make an empty token, which is no number and fails the read.
    const auto take = [&rest]() {
        const std::size_t blank = rest.find(' ');
        std::string token = rest.substr(0, blank);
        rest = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
        return token;
    };
    std::int32_t declared;
    try {
        declared = HexStrToInt(take());
    } catch (const EConvertError&) {
        return false;
    }
    // The size must be one the bytes present can fill before anything is allocated.
    const auto present = static_cast<std::size_t>(std::count(rest.begin(), rest.end(), ' ')) + (rest.empty() ? 0 : 1);
    if (declared < 0 || static_cast<std::size_t>(declared) > present) return false;
    buffer.assign(static_cast<std::size_t>(declared), 0);
    size = declared;
    int read = 0;
    while (read < declared) {
        try {
            // A token above FF keeps its low byte, as a byte store of the number does.
            buffer[static_cast<std::size_t>(read)] = static_cast<std::uint8_t>(HexStrToInt(take()) & 0xFF);
        } catch (const EConvertError&) {
            return false;
        }
        ++read;
        if (rest.empty()) break;
    }
    return read == declared;
}

namespace {
bool ParseInt32(const std::string& t, std::int32_t& out, int& errorPos) {
    const char* b = t.data();
    const char* e = b + t.size();
    const char* p = b;
    if (p != e && *p == '+') ++p;
    const auto res = std::from_chars(p, e, out);
    if (t.empty() || res.ec != std::errc() || res.ptr != e) {
        errorPos = static_cast<int>((res.ptr ? res.ptr : b) - b) + 1;
        if (t.empty()) errorPos = 1;
        return false;
    }
    return true;
}
}  // namespace

void StrToInt64Pair(const std::string& s, int& code, std::int64_t& value) {
    const std::size_t dot = s.find('.');
    if (dot == std::string::npos) {
        code = -1;
        return;
    }
    const int dotPos = static_cast<int>(dot) + 1;
    if (dot == 0 || dot + 1 >= s.size()) {
        code = dotPos;
        return;
    }
    std::int32_t lo = 0, hi = 0;
    int err = 0;
    if (!ParseInt32(s.substr(0, dot), lo, err)) {
        code = err;
        return;
    }
    if (!ParseInt32(s.substr(dot + 1), hi, err)) {
        code = err + dotPos;
        return;
    }
    const std::uint64_t bits = static_cast<std::uint32_t>(lo) | (static_cast<std::uint64_t>(static_cast<std::uint32_t>(hi)) << 32);
    value = static_cast<std::int64_t>(bits);
    code = 0;
}

std::string Int64PairToStr(std::int64_t value) {
    const auto bits = static_cast<std::uint64_t>(value);
    const auto lo = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits & 0xFFFFFFFFu));
    const auto hi = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits >> 32));
    return std::to_string(lo) + "." + std::to_string(hi);
}

void ExtractStr(std::string& s, int start, int count, std::string& part) {
    part.clear();
    if (count <= 0 || start > static_cast<int>(s.size())) return;
    if (start < 1) {
        count -= 1 - start;  // characters before the string's start do not exist
        start = 1;
        if (count <= 0) return;
    }
    const std::size_t from = static_cast<std::size_t>(start - 1);
    const std::size_t n = std::min(static_cast<std::size_t>(count), s.size() - from);
    part = s.substr(from, n);
    s.erase(from, n);
}

bool StrStartsWith(const char* s, const char* sub) {
    if (!sub) return true;
    if (!s) return false;
    while (*sub) {
        if (*s != *sub) return false;
        ++s;
        ++sub;
    }
    return true;
}

bool ContainsAt(const std::string& s, int index, const std::string& sub) {
    if (index <= 0 || static_cast<int>(s.size()) < index) return false;
    return s.compare(static_cast<std::size_t>(index - 1), sub.size(), sub) == 0 &&
           s.size() - static_cast<std::size_t>(index - 1) >= sub.size();
}

}  // namespace kvt::ui
