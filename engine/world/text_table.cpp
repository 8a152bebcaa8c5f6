// Loading and lookup of the numbered text table.
#include "engine/world/text_table.h"

#include <fstream>
#include <sstream>

namespace kvt {

TTextTable TextTable;

bool TTextTable::LoadFromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buf;
    buf << in.rdbuf();
    LoadFromString(buf.str());
    return true;
}

void TTextTable::LoadFromString(const std::string& content) {
    lines_.clear();
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines_.push_back(std::move(line));
        start = end + 1;
    }
}

const std::string& TTextTable::operator[](int n) const {
    static const std::string empty;
    if (n < 0 || n >= static_cast<int>(lines_.size())) return empty;
    return lines_[static_cast<std::size_t>(n)];
}

}  // namespace kvt
