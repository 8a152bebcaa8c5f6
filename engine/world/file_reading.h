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

}  // namespace kvt
