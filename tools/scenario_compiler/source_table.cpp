// Parsing of pipe tables and map layers, with every fault reported against its file, line and field.
#include "tools/scenario_compiler/source_table.h"

#include <charconv>
#include <fstream>
#include <memory>
#include <sstream>

#include "engine/world/map_grid.h"

namespace kvt::scenario {

namespace {

std::string Trim(const std::string& s) {
    std::size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return {};
    std::size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

std::vector<std::string> SplitCells(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    std::istringstream in(line);
    while (std::getline(in, cell, '|')) cells.push_back(Trim(cell));
    if (!line.empty() && line.back() == '|') cells.push_back({});
    return cells;
}

bool IsSkipped(const std::string& line) {
    std::string t = Trim(line);
    return t.empty() || t[0] == '#';
}

bool ParseInt(const std::string& text, int& value) {
    if (text.empty()) return false;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last;
}

}  // namespace

std::string FormatSourceError(const SourcePlace& place, const std::string& field, const std::string& reason) {
    std::ostringstream s;
    s << place.file << ":" << place.line << ": " << field << ": " << reason;
    return s.str();
}

SourceError::SourceError(const SourcePlace& p, const std::string& f, const std::string& reason)
    : std::runtime_error(FormatSourceError(p, f, reason)), place(p), field(f) {}

std::string ReadTextFile(const std::filesystem::path& path, const std::string& displayName) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SourceError({displayName, 0}, "file", "cannot be opened");
    std::ostringstream buf;
    buf << in.rdbuf();
    return buf.str();
}

TableRow::TableRow(const std::string* file, const std::vector<std::string>* header, int line,
                   std::vector<std::string> cells)
    : file_(file), header_(header), line_(line), cells_(std::move(cells)) {}

void TableRow::Fail(const std::string& field, const std::string& reason) const {
    throw SourceError(Place(), field, reason);
}

int TableRow::Index(const std::string& field) const {
    for (std::size_t i = 0; i < header_->size(); ++i)
        if ((*header_)[i] == field) return static_cast<int>(i);
    Fail(field, "the table has no such column");
}

bool TableRow::Has(const std::string& field) const {
    for (const std::string& h : *header_)
        if (h == field) return true;
    return false;
}

const std::string& TableRow::Text(const std::string& field) const { return cells_[Index(field)]; }

std::string TableRow::Name(const std::string& field, std::size_t maxLength, bool allowEmpty) const {
    const std::string& t = Text(field);
    if (t.empty() && !allowEmpty) Fail(field, "must not be empty");
    if (t.size() > maxLength)
        Fail(field, "\"" + t + "\" is longer than " + std::to_string(maxLength) + " characters");
    for (char c : t)
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
            Fail(field, "\"" + t + "\" holds a character outside plain ASCII");
    return t;
}

int TableRow::Int(const std::string& field, int low, int high) const {
    const std::string& t = Text(field);
    int v = 0;
    if (!ParseInt(t, v)) Fail(field, "\"" + t + "\" is not a whole number");
    if (v < low || v > high)
        Fail(field, t + " is out of range " + std::to_string(low) + ".." + std::to_string(high));
    return v;
}

int TableRow::IntOr(const std::string& field, int low, int high, int fallback) const {
    return Text(field) == "-" ? fallback : Int(field, low, high);
}

int TableRow::Choice(const std::string& field, const std::vector<std::string>& words) const {
    const std::string& t = Text(field);
    for (std::size_t i = 0; i < words.size(); ++i)
        if (words[i] == t) return static_cast<int>(i);
    std::string all;
    for (const std::string& w : words) all += (all.empty() ? "" : ", ") + w;
    Fail(field, "\"" + t + "\" is not one of " + all);
}

std::vector<int> TableRow::IntList(const std::string& field, std::size_t count, int low, int high) const {
    const std::string& t = Text(field);
    if (t == "-") return std::vector<int>(count, 0);
    std::vector<int> out;
    std::string part;
    std::istringstream in(t);
    while (std::getline(in, part, '/')) {
        int v = 0;
        if (!ParseInt(Trim(part), v)) Fail(field, "\"" + t + "\" is not a list of whole numbers separated by /");
        if (v < low || v > high)
            Fail(field, part + " is out of range " + std::to_string(low) + ".." + std::to_string(high));
        out.push_back(v);
    }
    if (out.size() != count)
        Fail(field, "\"" + t + "\" holds " + std::to_string(out.size()) + " numbers, not " + std::to_string(count));
    return out;
}

SourceTable SourceTable::Read(const std::filesystem::path& path, const std::string& displayName,
                              const std::vector<std::string>& requiredFields) {
    return Parse(ReadTextFile(path, displayName), displayName, requiredFields);
}

SourceTable SourceTable::Parse(const std::string& text, const std::string& displayName,
                               const std::vector<std::string>& requiredFields) {
    SourceTable t;
    t.file_ = std::make_shared<std::string>(displayName);
    t.header_ = std::make_shared<std::vector<std::string>>();
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    bool haveHeader = false;
    int headerLine = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (IsSkipped(line)) continue;
        std::vector<std::string> cells = SplitCells(line);
        if (!haveHeader) {
            *t.header_ = cells;
            haveHeader = true;
            headerLine = lineNo;
            continue;
        }
        if (cells.size() != t.header_->size())
            throw SourceError({displayName, lineNo}, "row",
                              "holds " + std::to_string(cells.size()) + " cells, the header names " +
                                  std::to_string(t.header_->size()));
        t.rows_.emplace_back(t.file_.get(), t.header_.get(), lineNo, std::move(cells));
    }
    if (!haveHeader) throw SourceError({displayName, lineNo}, "header", "the table has no header line");
    t.headerLine_ = headerLine;
    for (const std::string& f : requiredFields) {
        bool found = false;
        for (const std::string& h : *t.header_) found = found || h == f;
        if (!found) throw SourceError({displayName, headerLine}, f, "the header lacks this column");
    }
    return t;
}

MapLayer MapLayer::Read(const std::filesystem::path& path, const std::string& displayName, const std::string& allowed) {
    return Parse(ReadTextFile(path, displayName), displayName, allowed);
}

MapLayer MapLayer::Parse(const std::string& text, const std::string& displayName, const std::string& allowed) {
    MapLayer m;
    m.name_ = displayName;
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const int row = static_cast<int>(m.rows_.size()) + 1;
        if (row > kMapRows) throw SourceError({displayName, lineNo}, "row " + std::to_string(row), "more than 54 map rows");
        if (static_cast<int>(line.size()) != kMapColumns)
            throw SourceError({displayName, lineNo}, "row " + std::to_string(row),
                              "holds " + std::to_string(line.size()) + " columns, not 76");
        for (int c = 0; c < kMapColumns; ++c)
            if (allowed.find(line[c]) == std::string::npos)
                throw SourceError({displayName, lineNo}, "column " + std::to_string(c + 1),
                                  std::string("'") + line[c] + "' is not one of \"" + allowed + "\"");
        m.rows_.push_back(line);
        m.lines_.push_back(lineNo);
    }
    if (static_cast<int>(m.rows_.size()) != kMapRows)
        throw SourceError({displayName, lineNo}, "row " + std::to_string(m.rows_.size() + 1),
                          "the layer ends after " + std::to_string(m.rows_.size()) + " map rows, not 54");
    return m;
}

}  // namespace kvt::scenario
