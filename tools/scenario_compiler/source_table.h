// Readable sources of the start points: pipe tables ("Name | Value | ..." with a header row) and map
// layers (54 rows of 76 characters). Every value read here is checked where it is read, and a bad one
// stops the build with the file, the line and the field it came from.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace kvt::scenario {

// Where a value came from, for error messages: "data/scenarios/1861/corps.txt:14".
struct SourcePlace {
    std::string file;
    int line = 0;
};

// A source fault: the message reads "<file>:<line>: <field>: <reason>".
class SourceError : public std::runtime_error {
public:
    SourceError(const SourcePlace& place, const std::string& field, const std::string& reason);
    const SourcePlace place;
    const std::string field;
};

std::string FormatSourceError(const SourcePlace& place, const std::string& field, const std::string& reason);

// One data row of a table, with typed accessors that name the table, line and field on a fault.
class TableRow {
public:
    TableRow(const std::string* file, const std::vector<std::string>* header, int line, std::vector<std::string> cells);

    SourcePlace Place() const { return {*file_, line_}; }
    bool Has(const std::string& field) const;
    const std::string& Text(const std::string& field) const;
    // The text, at most maxLength characters and not empty unless allowEmpty.
    std::string Name(const std::string& field, std::size_t maxLength, bool allowEmpty = false) const;
    int Int(const std::string& field, int low, int high) const;
    // "-" reads as the fallback.
    int IntOr(const std::string& field, int low, int high, int fallback) const;
    // One of the given words; returns its position.
    int Choice(const std::string& field, const std::vector<std::string>& words) const;
    // "a/b/c/..." with exactly count numbers, each in low..high; "-" reads as all zeros.
    std::vector<int> IntList(const std::string& field, std::size_t count, int low, int high) const;
    [[noreturn]] void Fail(const std::string& field, const std::string& reason) const;

private:
    int Index(const std::string& field) const;
    const std::string* file_;
    const std::vector<std::string>* header_;
    int line_;
    std::vector<std::string> cells_;
};

// A pipe table: blank lines and lines starting with '#' are skipped; the first other line names the
// fields; every further line is a row with exactly as many cells.
class SourceTable {
public:
    // displayName is how errors name the file (a path relative to the data folder).
    static SourceTable Read(const std::filesystem::path& path, const std::string& displayName,
                            const std::vector<std::string>& requiredFields);
    static SourceTable Parse(const std::string& text, const std::string& displayName,
                             const std::vector<std::string>& requiredFields);

    const std::string& DisplayName() const { return *file_; }
    const std::vector<TableRow>& Rows() const { return rows_; }
    // The line naming the fields: where a fault of the table as a whole (a missing row) is told.
    SourcePlace HeaderPlace() const { return {*file_, headerLine_}; }
    // The last row (the header when there is none): where a row missing at the end belongs.
    SourcePlace EndPlace() const { return rows_.empty() ? HeaderPlace() : rows_.back().Place(); }

private:
    std::shared_ptr<std::string> file_;
    std::shared_ptr<std::vector<std::string>> header_;
    std::vector<TableRow> rows_;
    int headerLine_ = 0;
};

// A map layer: after comment lines, exactly 54 lines of exactly 76 characters, each from allowed.
class MapLayer {
public:
    static MapLayer Read(const std::filesystem::path& path, const std::string& displayName, const std::string& allowed);
    static MapLayer Parse(const std::string& text, const std::string& displayName, const std::string& allowed);

    // Column 1..76, row 1..54.
    char At(int column, int row) const { return rows_[row - 1][column - 1]; }
    SourcePlace PlaceOf(int row) const { return {name_, lines_[row - 1]}; }
    const std::string& DisplayName() const { return name_; }

private:
    std::string name_;
    std::vector<std::string> rows_;
    std::vector<int> lines_;
};

std::string ReadTextFile(const std::filesystem::path& path, const std::string& displayName);

}  // namespace kvt::scenario
