// Reading one of the game's files whole, through the checks every such read needs: only a plain
// file is opened (a named pipe could block the game for ever, a device never end), and a file
// larger than its kind can be is refused before a byte is read.
#pragma once

#include <cstdint>
#include <string>

namespace kvt {

enum class ReadOutcome { Read, Missing, NotAFile, TooLarge, Failed };

// Reads the file at `path` (a link is judged by what it leads to) into `out`; `size` is the file's
// size, also when it is refused as too large.
ReadOutcome ReadRegularFile(const std::string& path, std::uint64_t maxBytes, std::string& out, std::uint64_t& size);

// The file a name leads to and how it stands: another put in its place, or the file written,
// renamed or linked since, gives another identity (a rename sets the change time).
struct TFileIdentity {
    bool exists = false;
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t modifiedSeconds = 0, modifiedNanoseconds = 0, changedSeconds = 0, changedNanoseconds = 0;
    bool operator==(const TFileIdentity&) const = default;
};
TFileIdentity IdentityOf(const std::string& path);

}  // namespace kvt
