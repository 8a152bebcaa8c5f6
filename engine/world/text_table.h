// The game's texts: line N of the text file (counted from 0) is text N. Captions and messages are
// fetched by number everywhere; a missing number reads as an empty text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvt {

// Far above the game's own texts (some 12 KB): a larger file is refused unread.
inline constexpr std::uint64_t kTextTableMaxBytes = 1u << 20;

class TTextTable {
public:
    // Reads the whole file; trailing blanks are kept, a line end of CR LF or LF is dropped.
    bool LoadFromFile(const std::string& path, std::string* error = nullptr);
    void LoadFromString(const std::string& content);
    const std::string& operator[](int n) const;
    int Count() const { return static_cast<int>(lines_.size()); }
    void Clear() { lines_.clear(); }

private:
    std::vector<std::string> lines_;
};

extern TTextTable TextTable;

// Text N of the table.
inline const std::string& Text(int n) { return TextTable[n]; }

}  // namespace kvt
