// Loading and lookup of the numbered text table.
#include "engine/world/text_table.h"

#include "engine/world/file_reading.h"

namespace kvt {

TTextTable TextTable;

bool TTextTable::LoadFromFile(const std::string& path, std::string* error) {
    std::string content;
    std::uint64_t size = 0;
    const ReadOutcome outcome = ReadRegularFile(path, kTextTableMaxBytes, content, size);
    if (outcome != ReadOutcome::Read) {
        if (error) {
            *error = "The text file \"" + path + "\" ";
            *error += outcome == ReadOutcome::NotAFile ? "is not a file."
                      : outcome == ReadOutcome::TooLarge
                          ? "holds " + std::to_string(size) + " bytes, more than a text file of the game can."
                          : "cannot be read.";
        }
        return false;
    }
    LoadFromString(content);
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
