// The lock, the journal and the scratch files of a save. The journal's rename is the commit: a stop
// before it leaves the old files untouched and the save's new files proved scratch by the journal
// still under the save's own name; a stop after it leaves new files that are all whole.
#include "engine/world/save_journal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <system_error>
#include <thread>
#include <tuple>

#include "engine/world/file_reading.h"
#include "engine/world/fnv_hash.h"

namespace kvt {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFilePrefix = "~kvt-";
constexpr std::size_t kTagLength = kFilePrefix.size() + 16;
// It names each new file's size and checksum, so the new files and the journal are flushed together,
// and ends with a checksum of its own bytes: garbled anywhere, a name's case too, it is damaged.
// Journals of earlier saves lack that checksum and are still read, their names judged by
// themselves alone; a journal of any other version reads as damaged.
constexpr std::string_view kJournalMagic = "kvt save journal 3";
constexpr std::string_view kUncheckedJournalMagic = "kvt save journal 2";
constexpr std::string_view kJournalEnd = "end";
constexpr std::size_t kJournalMaxBytes = 64 * 1024;

FileRenamer renamer = nullptr;
FileLinker linker = nullptr;
FileRemover remover = nullptr;
SaveStepWatcher watcher = nullptr;
LockLookWatcher lookWatcher = nullptr;
int stepsTaken = 0;

int RenameFile(const std::string& from, const std::string& to) {
    return renamer ? renamer(from.c_str(), to.c_str()) : std::rename(from.c_str(), to.c_str());
}

int LinkFile(const std::string& existing, const std::string& newName) {
    return linker ? linker(existing.c_str(), newName.c_str()) : ::link(existing.c_str(), newName.c_str());
}

int RemoveFile(const std::string& path) { return remover ? remover(path.c_str()) : ::unlink(path.c_str()); }

void Step() {
    if (watcher) watcher(++stepsTaken);
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// A folder flushed once or more: opened at its first flush and kept open for the others of the
// same save.
class TFolderFlush {
public:
    explicit TFolderFlush(const std::string& folder) : folder_(folder) {}
    ~TFolderFlush() {
        if (fd_ >= 0) ::close(fd_);
    }
    TFolderFlush(const TFolderFlush&) = delete;
    TFolderFlush& operator=(const TFolderFlush&) = delete;
    void Sync() {
        if (fd_ < 0) fd_ = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ >= 0) ::fsync(fd_);
    }

private:
    const std::string& folder_;
    int fd_ = -1;
};

void SyncFolder(const std::string& folder) { TFolderFlush(folder).Sync(); }

// Writes the bytes to a new file, left open for the flush; -1, with nothing left, on failure.
int WriteNewFile(const std::string& path, std::string_view bytes, int flags) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0666);
    if (fd < 0) return -1;
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    if (ok) return fd;
    const int saved = errno;
    ::close(fd);
    ::unlink(path.c_str());
    errno = saved;
    return -1;
}

// Flushes the files to the disk and closes them: every one is started before any is waited for, so
// the disk writes them together. -1 when every one was flushed, else the place of the first that
// was not, with errno saying why.
int FlushAndClose(const std::vector<int>& fds) {
#ifdef __linux__
    for (int fd : fds) ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
    int failed = -1, error = 0;
    auto note = [&](bool ok, std::size_t i) {
        if (ok || failed >= 0) return;
        failed = static_cast<int>(i);
        error = errno;
    };
    for (std::size_t i = 0; i < fds.size(); ++i) note(::fsync(fds[i]) == 0, i);
    for (std::size_t i = 0; i < fds.size(); ++i) note(::close(fds[i]) == 0, i);
    errno = error;
    return failed;
}

struct TFileMark {
    std::uint64_t size = 0, sum = 0;
    bool operator==(const TFileMark&) const = default;
};

std::uint64_t LittleEndianWord(const char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, 8);
    if constexpr (std::endian::native == std::endian::big) {
        std::uint64_t little = 0;
        for (int b = 0; b < 8; ++b, word >>= 8) little = little << 8 | (word & 0xFF);
        word = little;
    }
    return word;
}

// FNV-1a taken a little-endian word of eight bytes at a time (then the bytes left over): a word
// that differs gives another sum whatever follows, and a save's files are summed in a few
// microseconds instead of a good part of a millisecond. Journals left by earlier saves carry this
// sum, so it stays as it is.
std::uint64_t FileSum(std::string_view bytes) {
    std::uint64_t h = kFnvOffsetBasis;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) h = (h ^ LittleEndianWord(bytes.data() + i)) * 0x100000001b3ULL;
    return Fnv1a(h, bytes.data() + i, bytes.size() - i);
}

TFileMark MarkOf(std::string_view bytes) { return {bytes.size(), FileSum(bytes)}; }

enum class MarkFound { Same, Other, Unread };

// Whether a file as it lies on the disk is a plain file of that mark. Its size is asked first, so
// a file grown past the journal's size, or past any save's, is judged without reading a byte. A
// file that is there but cannot be read now (another user's, a disk error) is no proof either
// way: `error` says why.
MarkFound FindMark(const std::string& path, const TFileMark& mark, int& error) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return MarkFound::Other;
        error = errno;
        return MarkFound::Unread;
    }
    if (!S_ISREG(st.st_mode) || static_cast<std::uint64_t>(st.st_size) != mark.size || mark.size > kSavedFileMaxBytes)
        return MarkFound::Other;
    std::string bytes;
    std::uint64_t size = 0;
    switch (ReadRegularFile(path, mark.size, bytes, size)) {
        case ReadOutcome::Read: return MarkOf(bytes) == mark ? MarkFound::Same : MarkFound::Other;
        case ReadOutcome::Missing:
            if (errno == ENOENT) return MarkFound::Other;
            [[fallthrough]];
        case ReadOutcome::Failed: error = errno; return MarkFound::Unread;
        case ReadOutcome::NotAFile:
        case ReadOutcome::TooLarge: break;
    }
    return MarkFound::Other;
}

// Sixteen hexadecimal digits, leading zeros kept.
std::string Hex16(std::uint64_t v) {
    std::string digits(16, '0');
    char buffer[16];
    const char* end = std::to_chars(buffer, buffer + 16, v, 16).ptr;
    std::memcpy(digits.data() + 16 - (end - buffer), buffer, static_cast<std::size_t>(end - buffer));
    return digits;
}

// "A" to "Z" lowered, every other byte as it is: the C library's lowering follows the language the
// player set (a Turkish "I" stays itself), and every copy of the program must name a game's lock,
// journal and files alike.
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string FileNameOf(const std::string& path) { return fs::path(path).filename().string(); }

// "~kvt-" and the hash of the game's name ignoring case: short whatever the name's length, since
// the name itself may already use up the longest name the disk allows.
std::string TagOf(const std::string& base) {
    std::string name = FileNameOf(base);
    for (char& c : name) c = AsciiLower(c);
    return std::string(kFilePrefix) + Hex16(Fnv1a(kFnvOffsetBasis, name.data(), name.size()));
}

// A file a save leaves beside the journal. Its name says what it is: "<tag>-<pid>-<n>-new-of<k>-<i>.tmp"
// is new file i of the k that save writes, "<tag>-<pid>-<n>-old-<i>.tmp" the second name of the
// old file it replaces as its i-th, "<tag>-<pid>-<n>-journal.tmp" its journal until the commit
// renames it into place. So what a stop left can be read from the names alone, when no journal
// tells it. Numbers are written in decimal without a leading zero, the tag in lower-case
// hexadecimal: a name written any other way is no save's, however like one it looks, and is left
// alone.
struct TLeftFile {
    // Other: "<tag>-<pid>-<n>.tmp", as an earlier version named both new and old files.
    enum class Kind { New, Old, Journal, Other };
    std::string name;
    Kind kind = Kind::Other;
    std::string save;  // "<pid>-<n>", shared by one save's files
    int index = 0, count = 0;
};

bool StartsWithTag(std::string_view name) {
    if (name.size() < kTagLength || !name.starts_with(kFilePrefix)) return false;
    return std::all_of(name.begin() + kFilePrefix.size(), name.begin() + kTagLength,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// A number as a save writes it into a name.
bool ReadNumber(std::string_view text, std::uint64_t limit, std::uint64_t& value) {
    if (text.empty() || text[0] < '1' || text[0] > '9') return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value <= limit;
}

// Cuts the text at its first '-' into a number and the rest (empty when there is no '-').
bool TakeNumber(std::string_view& text, std::uint64_t limit, std::uint64_t& value, bool& more) {
    const std::size_t dash = text.find('-');
    more = dash != std::string_view::npos;
    if (!ReadNumber(text.substr(0, dash), limit, value)) return false;
    text = more ? text.substr(dash + 1) : std::string_view();
    return true;
}

// The file a save of any game left under this name; nothing for any other name.
std::optional<TLeftFile> ParseLeftFile(const std::string& name) {
    if (!StartsWithTag(name) || name.size() < kTagLength + 6 || name[kTagLength] != '-' || !name.ends_with(".tmp"))
        return std::nullopt;
    const std::string_view whole = std::string_view(name).substr(kTagLength + 1, name.size() - kTagLength - 1 - 4);
    std::string_view rest = whole;
    constexpr std::uint64_t kAnyNumber = std::numeric_limits<std::uint64_t>::max();
    constexpr std::uint64_t kIndex = std::numeric_limits<int>::max();
    std::uint64_t pid = 0, counter = 0, count = 0, index = 0;
    bool more = false;
    if (!TakeNumber(rest, kAnyNumber, pid, more) || !more || !TakeNumber(rest, kAnyNumber, counter, more)) return std::nullopt;
    TLeftFile f{name};
    f.save = std::string(whole.substr(0, whole.size() - rest.size() - (more ? 1 : 0)));
    if (!more) return f;
    if (rest.starts_with("new-of")) {
        rest.remove_prefix(6);
        if (!TakeNumber(rest, kIndex, count, more) || !more || !TakeNumber(rest, count, index, more) || more) return std::nullopt;
        f.kind = TLeftFile::Kind::New;
    } else if (rest.starts_with("old-")) {
        rest.remove_prefix(4);
        if (!TakeNumber(rest, kIndex, index, more) || more) return std::nullopt;
        f.kind = TLeftFile::Kind::Old;
    } else if (rest == "journal") {
        f.kind = TLeftFile::Kind::Journal;
    } else {
        return std::nullopt;
    }
    f.index = static_cast<int>(index);
    f.count = static_cast<int>(count);
    return f;
}

// The tag of a lock, journal or scratch file of ours; empty for any other name.
std::string TagOfOurFile(const std::string& name) {
    if (!StartsWithTag(name)) return {};
    const std::string_view rest = std::string_view(name).substr(kTagLength);
    const bool ours = rest == ".lck" || rest == ".jnl" || ParseLeftFile(name);
    return ours ? name.substr(0, kTagLength) : std::string();
}

struct TJournalEntry {
    std::string scratch, backup, target;  // names within the folder
    TFileMark mark;                       // of the scratch file's bytes
};

// The journal: NUL-ended fields (no file name holds a NUL), five to a file (its scratch, second
// and target names, its size and checksum in hexadecimal), then the checksum of every byte before
// it, between a first line and a last that a stop partway through writing it would lack.
std::string JournalText(const std::vector<TJournalEntry>& entries) {
    std::string text(kJournalMagic);
    text += '\0';
    for (const TJournalEntry& e : entries)
        for (const std::string& field : {e.scratch, e.backup, e.target, Hex16(e.mark.size), Hex16(e.mark.sum)}) {
            text += field;
            text += '\0';
        }
    text += Hex16(FileSum(text));
    text += '\0';
    text += kJournalEnd;
    text += '\0';
    return text;
}

std::optional<std::uint64_t> ReadHex(const std::string& field) {
    std::uint64_t v = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), v, 16);
    if (field.size() != 16 || error != std::errc() || end != field.data() + field.size()) return std::nullopt;
    return v;
}

// The entries of a whole journal of this tag; false, with none, for a journal cut short, damaged or not ours.
bool ParseJournal(const std::string& text, const std::string& tag, std::vector<TJournalEntry>& entries) {
    std::vector<std::string> names;
    std::vector<std::size_t> starts;
    std::size_t from = 0;
    for (std::size_t nul; (nul = text.find('\0', from)) != std::string::npos; from = nul + 1) {
        starts.push_back(from);
        names.push_back(text.substr(from, nul - from));
    }
    if (from != text.size() || names.size() < 2 || names.back() != kJournalEnd) return false;
    if (names.front() == kJournalMagic) {
        const std::size_t at = names.size() - 2;
        const auto sum = ReadHex(names[at]);
        if (at == 0 || !sum || *sum != FileSum(std::string_view(text).substr(0, starts[at]))) return false;
        names.erase(names.begin() + static_cast<std::ptrdiff_t>(at));
    } else if (names.front() != kUncheckedJournalMagic) {
        return false;
    }
    constexpr std::size_t kFields = 5;
    if ((names.size() - 2) % kFields != 0) return false;
    auto plainName = [](const std::string& n) { return !n.empty() && n != "." && n != ".." && n.find('/') == std::string::npos; };
    auto scratchName = [&](const std::string& n) { return plainName(n) && n.starts_with(tag) && ParseLeftFile(n); };
    // A file of this very game, of a kind a save writes: its extension in whatever case the file
    // it replaced had, as a save keeps that name.
    auto gameFile = [&](const std::string& n) {
        const std::size_t dot = n.rfind('.');
        if (!plainName(n) || dot == std::string::npos || !TagOfOurFile(n).empty() || TagOf(n.substr(0, dot)) != tag) return false;
        const std::string kind = n.substr(dot + 1);
        return EqualsIgnoringCase(kind, "KVT") || EqualsIgnoringCase(kind, "KVM") || EqualsIgnoringCase(kind, "BTL");
    };
    // Nothing of a damaged journal is taken, not even the entries before its damage.
    std::vector<TJournalEntry> read;
    for (std::size_t i = 1; i + 1 < names.size(); i += kFields) {
        const auto size = ReadHex(names[i + 3]), sum = ReadHex(names[i + 4]);
        TJournalEntry e{names[i], names[i + 1], names[i + 2], {size.value_or(0), sum.value_or(0)}};
        if (!scratchName(e.scratch) || !scratchName(e.backup) || !gameFile(e.target) || !size || !sum ||
            *size > kSavedFileMaxBytes)
            return false;
        read.push_back(std::move(e));
    }
    entries = std::move(read);
    return true;
}

enum class JournalRead { Whole, Damaged, Unread };

// A journal that is there: Unread, with the error, when the disk would not give its bytes, which
// prove nothing either way.
JournalRead ReadJournal(const std::string& path, const std::string& tag, std::vector<TJournalEntry>& entries, int& error) {
    struct stat st {};
    std::string text;
    std::uint64_t size = 0;
    if (::lstat(path.c_str(), &st) != 0) {
        error = errno;
        return JournalRead::Unread;
    }
    if (!S_ISREG(st.st_mode)) return JournalRead::Damaged;
    switch (ReadRegularFile(path, kJournalMaxBytes, text, size)) {
        case ReadOutcome::Read: return ParseJournal(text, tag, entries) ? JournalRead::Whole : JournalRead::Damaged;
        case ReadOutcome::NotAFile:
        case ReadOutcome::TooLarge: return JournalRead::Damaged;
        case ReadOutcome::Missing:
        case ReadOutcome::Failed: break;
    }
    error = errno;
    return JournalRead::Unread;
}

// Every name in the folder; false, with the error, when the folder cannot be read to its end.
bool ListFolder(const std::string& folder, std::vector<std::string>& names, std::error_code& ec) {
    fs::directory_iterator it(folder, ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) names.push_back(it->path().filename().string());
    return !ec;
}

std::string ErrorText(int error) { return std::generic_category().message(error); }

std::string NewFileName(const std::string& stem, std::size_t index, std::size_t count) {
    return stem + "-new-of" + std::to_string(count) + "-" + std::to_string(index) + ".tmp";
}
std::string OldFileName(const std::string& stem, std::size_t index) { return stem + "-old-" + std::to_string(index) + ".tmp"; }
// The journal of a save under way, before the commit renames it to the game's journal: while it
// lies there, nothing of that save has been put in place.
std::string BegunJournalName(const std::string& stem) { return stem + "-journal.tmp"; }

// The files of a save of this tag in the folder; nothing for any other name.
std::optional<TLeftFile> ReadLeftFile(const std::string& name, const std::string& tag) {
    if (name.compare(0, tag.size(), tag) != 0) return std::nullopt;
    return ParseLeftFile(name);
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// What the lock's taker finds of a save cut short, and what finishes or undoes it.
struct TGameFilesLock::TPlan {
    bool stuck = false;      // nothing proves what the save did: nothing may be touched or read
    bool committed = false;  // a whole journal, proved, with new files still to put in place: only writing finishes it
    // In order: new files into place, or the journal of a save undone back to its name from before
    // the commit, so that a stop midway still finds it never committed.
    std::vector<std::pair<std::string, std::string>> renames;
    std::vector<std::string> removals;  // in order, after the renames
    std::vector<std::string> left;      // every file the save left, told
    std::vector<TKeptFile> kept;        // new files nothing proves scratch: they stay where they lie
    std::set<std::string> saves;        // "<pid>-<n>" of every save that left a file here
    std::string unread;  // what could not be read to tell what a save left: nothing may be touched or read
    bool journal = false;  // a journal lay there
};

TGameFilesLock::TPlan TGameFilesLock::Examine() const {
    TPlan plan;
    const std::string journal = tag_ + ".jnl";
    std::vector<std::string> names;
    std::error_code ec;
    if (!ListFolder(folder_, names, ec)) {
        // A folder that is not there holds no game; one that cannot be read may hold anything.
        if (ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
            plan.unread = "its folder \"" + folder_ + "\" cannot be listed (" + ec.message() + ")";
        return plan;
    }
    const bool hasJournal = std::find(names.begin(), names.end(), journal) != names.end();
    plan.journal = hasJournal;
    std::vector<TJournalEntry> entries;
    int error = 0;
    const JournalRead read = hasJournal ? ReadJournal(InFolder(journal), tag_, entries, error) : JournalRead::Damaged;
    if (read == JournalRead::Unread) {
        plan.unread = "its last save's journal \"" + Shown(journal) + "\" cannot be read (" + ErrorText(error) + ")";
        return plan;
    }
    const bool whole = read == JournalRead::Whole;
    std::set<std::string> news, olds;  // as the journal names them
    for (const TJournalEntry& e : entries) {
        news.insert(e.scratch);
        olds.insert(e.backup);
    }
    std::vector<TLeftFile> files;
    // Saves whose journal still lies under its name from before the commit: none of their files
    // was put in place, and their new files are scratch whatever became of anything else.
    std::set<std::string> begun;
    // The files under the game's own names ("game.KVT", "Game.kvm", ...), as the old files'
    // second names are judged by them; and whether a game's record stands there at all, for
    // without one a save's new files may be the only copy of the game.
    std::vector<struct stat> gameFiles;
    bool gameStands = false;
    for (const std::string& name : names) {
        struct stat st {};
        if (auto f = ReadLeftFile(name, tag_)) {
            plan.saves.insert(f->save);
            if (f->kind == TLeftFile::Kind::Journal) {
                // Only a plain file is a journal: a folder or link under its name proves nothing scratch.
                if (::lstat(InFolder(name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) begun.insert(f->save);
                continue;
            }
            // The earlier version moved nothing before its journal was written and removed the
            // journal only after every rename: without a journal its game's files are whole, and
            // what it left is in nobody's way. Only a journal that names such a file, or one too
            // damaged to tell whose files it names, makes it part of a stop.
            if (f->kind != TLeftFile::Kind::Other || (hasJournal && (!whole || news.count(name) || olds.count(name))))
                files.push_back(std::move(*f));
        } else if (TagOf(name.substr(0, name.rfind('.'))) == tag_ && ::lstat(InFolder(name).c_str(), &st) == 0 &&
                   S_ISREG(st.st_mode)) {
            gameFiles.push_back(st);
            const std::size_t dot = name.rfind('.');
            gameStands = gameStands || (dot != std::string::npos && EqualsIgnoringCase(name.substr(dot + 1), "KVT"));
        }
    }
    if (files.empty() && !hasJournal && begun.empty()) return plan;

    auto said = [](const std::string& s) { return "\"" + s + "\""; };
    std::set<std::string> present, spare;
    for (const TLeftFile& f : files) {
        present.insert(f.name);
        std::string what;
        for (const TJournalEntry& e : entries) {
            if (e.scratch == f.name) what = "the new " + said(e.target);
            if (e.backup == f.name) what = "the old " + said(e.target);
        }
        if (what.empty())
            what = f.kind == TLeftFile::Kind::New
                       ? "file " + std::to_string(f.index) + " of the " + std::to_string(f.count) + " that save wrote"
                   : f.kind == TLeftFile::Kind::Old ? "a file that save replaced"
                                                    : "a file of that save";
        plan.left.push_back(said(Shown(f.name)) + " (" + what + ")");
        // An old file that is the very file at its game's name as well is no only copy of anything;
        // one with a name of the player's own beside it still is, under the game's name.
        struct stat st {};
        if ((f.kind != TLeftFile::Kind::Old && !olds.count(f.name)) || ::lstat(InFolder(f.name).c_str(), &st) != 0 ||
            !S_ISREG(st.st_mode) || st.st_nlink < 2)
            continue;
        auto sameFile = [&](const struct stat& other) { return other.st_dev == st.st_dev && other.st_ino == st.st_ino; };
        bool atItsName = false;
        if (olds.count(f.name)) {
            struct stat target {};
            for (const TJournalEntry& e : entries)
                if (e.backup == f.name && ::lstat(InFolder(e.target).c_str(), &target) == 0) atItsName = sameFile(target);
        } else {
            atItsName = std::any_of(gameFiles.begin(), gameFiles.end(), sameFile);
        }
        if (atItsName) spare.insert(f.name);
    }
    for (const std::string& save : begun)
        plan.left.push_back(said(Shown(BegunJournalName(tag_ + "-" + save))) + " (the journal of a save that put nothing in place)");
    auto held = [&](const std::string& name) { return present.count(name) && !spare.count(name); };

    // Files no whole journal names. The new files of a save whose journal was never put in place
    // are scratch. Of any other save, only new files among which its first still lies say that it
    // never began to put them in place (it places them first to last); they are kept where they
    // lie, as nothing proves that its journal did not commit them before it was lost, and with no
    // game beside them they may be its only copy. Anything else may be a half-placed save: nothing is touched.
    std::vector<TLeftFile> scratch;
    std::map<std::string, std::vector<TLeftFile>> unnamed;  // by save
    for (const TLeftFile& f : files) {
        if (news.count(f.name) || olds.count(f.name) || spare.count(f.name)) continue;
        if (f.kind == TLeftFile::Kind::New && begun.count(f.save)) {
            scratch.push_back(f);
        } else {
            unnamed[f.save].push_back(f);
        }
    }
    for (auto& [save, group] : unnamed) {
        std::sort(group.begin(), group.end(), [](const TLeftFile& a, const TLeftFile& b) { return a.index < b.index; });
        // With its first file still there, none was put in place, whatever else the disk lost.
        if (group[0].index != 1) plan.stuck = true;
        for (const TLeftFile& f : group)
            if (f.kind != TLeftFile::Kind::New || f.count != group[0].count) plan.stuck = true;
        for (const TLeftFile& f : group) plan.kept.push_back({InFolder(f.name), f.index, f.count, save});
    }
    // The scratch files last first, then the journal that proves them scratch.
    std::sort(scratch.begin(), scratch.end(),
              [](const TLeftFile& a, const TLeftFile& b) { return std::tie(a.save, b.index) < std::tie(b.save, a.index); });
    auto removeProven = [&] {
        for (const TLeftFile& f : scratch) plan.removals.push_back(InFolder(f.name));
        for (const std::string& save : begun) plan.removals.push_back(InFolder(BegunJournalName(tag_ + "-" + save)));
        for (const std::string& name : spare)
            if (!olds.count(name)) plan.removals.push_back(InFolder(name));
    };

    if (!whole) {
        removeProven();
        // Beside no game it is left with the files it may have named, for whoever puts them in place.
        if (hasJournal && (gameStands || plan.kept.empty())) plan.removals.push_back(InFolder(journal));
    } else {
        // A new file no longer under its scratch name was put in place, and its target must show it:
        // a journal is through only when every file it names is proved, whatever is left beside it.
        // The files go into place first to last and back last first: while the first is still
        // under its scratch name, and no old file has only its second name, none is in place.
        bool provable = true, nothingPlaced = !entries.empty() && held(entries.front().scratch), toPlace = false;
        for (const TJournalEntry& e : entries) {
            const bool isNew = held(e.scratch), isOld = held(e.backup);
            toPlace = toPlace || isNew;
            nothingPlaced = nothingPlaced && !isOld;
            const std::string checked = isNew ? e.scratch : e.target;
            int error = 0;
            const MarkFound found = FindMark(InFolder(checked), e.mark, error);
            if (found == MarkFound::Unread) {
                plan.unread = "its last save's file \"" + Shown(checked) + "\" cannot be read (" + ErrorText(error) + ")";
                return plan;
            }
            provable = provable && found == MarkFound::Same;
        }
        // Old files' second names alone are no game's only copy: only a new file still to be put
        // in place asks for a writable folder.
        plan.committed = provable && toPlace;
        // The save the journal's new files belong to, when they are all of one.
        std::optional<std::string> save;
        for (const TJournalEntry& e : entries) {
            const auto f = ParseLeftFile(e.scratch);
            save = f && f->kind == TLeftFile::Kind::New && (!save || *save == f->save) ? std::optional(f->save) : std::nullopt;
            if (!save) break;
        }
        if (provable) {
            // Finished (or through already): the rest of the new files into place, then the old
            // files' second names, the journal last.
            for (const TJournalEntry& e : entries)
                if (held(e.scratch)) plan.renames.emplace_back(InFolder(e.scratch), InFolder(e.target));
            for (const TJournalEntry& e : entries)
                if (present.count(e.backup)) plan.removals.push_back(InFolder(e.backup));
            removeProven();
            plan.removals.push_back(InFolder(journal));
        } else if (nothingPlaced) {
            // Committed, and a new file lost since it was flushed: the journal proves them no
            // scratch, and beside no game they may be its only copy. They stay, and the player is
            // told where; without the journal they are what any save cut before its first rename
            // leaves, which the player may remove or put in place without a journal to trip on.
            for (std::size_t i = 0; i < entries.size(); ++i)
                if (present.count(entries[i].scratch))
                    plan.kept.push_back({InFolder(entries[i].scratch), static_cast<int>(i + 1), static_cast<int>(entries.size()),
                                         save.value_or(std::string())});
            // An old file's second name that is the very file at its name goes with the journal
            // that explains it: left alone, a later save would make it the old game's only name.
            for (const TJournalEntry& e : entries)
                if (spare.count(e.backup)) plan.removals.push_back(InFolder(e.backup));
            removeProven();
            // An earlier version's files, which no name marks as a save's, stay explained by it
            // while no game stands beside them.
            if (save || gameStands) plan.removals.push_back(InFolder(journal));
        } else {
            plan.stuck = true;
        }
    }
    if (plan.stuck) {
        plan.renames.clear();
        plan.removals.clear();
        plan.kept.clear();
    }
    if (hasJournal) plan.left.push_back(said(Shown(journal)) + " (that save's journal)");
    return plan;
}

TGameFilesLock::Carried TGameFilesLock::Carry(const TPlan& plan, std::string& trouble) const {
    if (plan.renames.empty() && plan.removals.empty()) return Carried::Done;
    auto said = [&](const std::string& path) { return "\"" + Shown(FileNameOf(path)) + "\""; };
    stepsTaken = 0;
    for (const auto& [from, to] : plan.renames) {
        Step();
        if (RenameFile(from, to) != 0) {
            trouble = said(from) + " cannot take the place of " + said(to) + " (" + ErrorText(errno) + ")";
            return Carried::Failed;
        }
    }
    if (!plan.renames.empty()) SyncFolder(folder_);
    for (const std::string& path : plan.removals) {
        Step();
        if (RemoveFile(path) != 0 && errno != ENOENT) {
            trouble = "its last save left " + said(path) + ", which cannot be removed (" + ErrorText(errno) + ")";
            return Carried::Untidy;
        }
    }
    Step();
    return Carried::Done;
}

TGameFilesLock::TGameFilesLock(const std::string& base) : folder_(FolderOf(base)), tag_(TagOf(base)) {
    Take(Taking::Wait);
}

TGameFilesLock::TGameFilesLock(std::string folder, std::string tag, Taking taking)
    : folder_(std::move(folder)), tag_(std::move(tag)) {
    Take(taking);
}

TGameFilesLock::~TGameFilesLock() {
    if (fd_ < 0) return;
    // Removed while still locked: whoever opened this file meanwhile finds it gone once it gets
    // the lock, and takes a new one. A reader's lock leaves it to the writers.
    if (exclusive_) RemoveFile(InFolder(tag_ + ".lck"));
    ::close(fd_);
}

bool TGameFilesLock::FolderWritable() const { return ::faccessat(AT_FDCWD, folder_.c_str(), W_OK | X_OK, AT_EACCESS) == 0; }

void TGameFilesLock::Take(Taking taking) {
    const std::string path = InFolder(tag_ + ".lck");
    const auto deadline = std::chrono::steady_clock::now() + (taking == Taking::Wait ? kGameFilesPatience : std::chrono::seconds(0));
    const std::string journal = InFolder(tag_ + ".jnl");
    // True when the lock file and the journal stood still while the folder was looked at. The
    // journal's name is asked as the folder's listing has it, a link to nowhere too.
    auto lookAsItStands = [&](State otherwise) {
        lockSeen_ = IdentityOf(path);
        journalSeen_ = IdentityOf(journal);
        const bool journalThere = Exists(journal);
        const TPlan plan = Examine();
        left_ = plan.left;
        kept_ = plan.kept;
        if (!plan.unread.empty()) trouble_ = plan.unread;
        state_ = !plan.unread.empty() ? State::Unreadable
                 : plan.stuck         ? State::Interrupted
                 : plan.committed     ? State::Unfinished
                                      : otherwise;
        // A folder that could not be listed says nothing of its journal.
        return (!plan.unread.empty() || plan.journal == journalThere) && IdentityOf(path) == lockSeen_ &&
               IdentityOf(journal) == journalSeen_ && Exists(journal) == journalThere;
    };
    const std::string named = "its lock file \"" + Shown(tag_ + ".lck") + "\"";
    // Only a plain file locks: a link is not followed, and a pipe's other end is not waited for.
    constexpr int kLockOpen = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    for (;;) {
        bool lockWasThere = false;
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | kLockOpen, 0666);
        if (fd >= 0) {
            // Whoever may read the game's files there may lock them, for writing too.
            struct stat st {};
            if (::fstat(fd, &st) == 0) ::fchmod(fd, (st.st_mode & 0666) | (st.st_mode & 0444) >> 1);
        } else if (errno == EEXIST) {
            lockWasThere = true;
            fd = ::open(path.c_str(), O_RDWR | kLockOpen);
            // Another user's lock file, or one on a disk mounted read-only, locks all the same.
            if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) fd = ::open(path.c_str(), O_RDONLY | kLockOpen);
        }
        const int openError = errno;
        // A pipe, link or folder under the lock's name is nobody's lock, and no lock can be made there.
        struct stat found {};
        const bool plain = fd >= 0 ? ::fstat(fd, &found) != 0 || S_ISREG(found.st_mode)
                                   : ::lstat(path.c_str(), &found) != 0 || S_ISREG(found.st_mode);
        if (!plain) {
            if (fd >= 0) ::close(fd);
            trouble_ = named + " is not a plain file";
            state_ = State::Busy;
            return;
        }
        const bool writable = FolderWritable();
        if (fd < 0) {
            // Gone between the two opens: its holder let go.
            if (openError == ENOENT && Exists(folder_) && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                continue;
            }
            // A lock file that is there but cannot be opened may be held by a save going on now.
            if (writable && Exists(path)) {
                trouble_ = named + " cannot be opened (" + ErrorText(openError) + ")";
                state_ = State::Busy;
                return;
            }
            // No lock can be had, so the folder is looked at as it stands: a game lies whole there
            // unless a save that had committed is still to be finished. Another program may save
            // meanwhile, though: a look during which its lock or journal came or went is taken again.
            if (writable) trouble_ = named + " cannot be made (" + ErrorText(openError) + ")";
            if (lookWatcher) lookWatcher();
            const bool stood = lookAsItStands(State::ReadOnly);
            // A lock made since it was looked for is a save going on now, whose lock is waited for;
            // and a save seen unfinished may be one going on under a lock this program cannot
            // open. Either is looked at again for as long as a lock is waited for: only a save
            // still unfinished after that was cut short.
            const bool appeared = lockSeen_.exists && !lockWasThere;
            const bool unfinished = state_ == State::Interrupted || state_ == State::Unfinished;
            const bool late = std::chrono::steady_clock::now() >= deadline;
            if (stood && (late || (!appeared && !unfinished))) return;
            left_.clear();
            kept_.clear();
            if (late) {
                trouble_ = kGameBeingSaved;
                state_ = State::Busy;
                return;
            }
            trouble_.clear();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            continue;
        }
        // Where this program may not write it only reads, beside others that read.
        bool locked = false;
        int lockError = 0;
        for (;;) {
            if (::flock(fd, (writable ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0) {
                locked = true;
                break;
            }
            lockError = errno;
            if (lockError == EINTR) continue;
            if (lockError != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (!locked) {
            ::close(fd);
            trouble_ = lockError == EWOULDBLOCK ? "another program is using this game's files; try again when it has finished"
                                                : named + " cannot be locked (" + ErrorText(lockError) + ")";
            state_ = State::Busy;
            return;
        }
        struct stat held {}, named {};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            fd_ = fd;
            exclusive_ = writable;
            if (!writable) {
                lookAsItStands(State::ReadOnly);
                return;
            }
            // Every taker looks, lock file left behind or not: a save cut short, or one whose last
            // removals the disk refused, is finished here.
            const TPlan plan = Examine();
            left_ = plan.left;
            kept_ = plan.kept;
            saves_ = plan.saves;
            trouble_ = plan.unread;
            if (!plan.unread.empty() || plan.stuck) {
                state_ = plan.stuck ? State::Interrupted : State::Unreadable;
                return;
            }
            const Carried carried = Carry(plan, trouble_);
            state_ = carried == Carried::Failed ? State::Blocked : State::Held;
            untidy_ = carried == Carried::Untidy;
            // What the save left now, some of it put in place before the failure.
            if (carried == Carried::Failed) {
                left_ = Examine().left;
                kept_.clear();
            }
            if (carried == Carried::Done) left_.clear();
            return;
        }
        ::close(fd);
    }
}

bool TGameFilesLock::WriteTogether(const std::vector<TFileImage>& files) {
    // Untidy: the journal of the last save still explains files it left, and a new one would not.
    if (state_ != State::Held || untidy_) {
        if (trouble_.empty() && !FolderWritable())
            trouble_ = "its folder \"" + folder_ + "\" cannot be written (" + ErrorText(errno) + ")";
        return false;
    }
    trouble_.clear();
    if (files.empty()) return true;
    auto said = [](const std::string& path) { return "\"" + path + "\""; };
    struct Entry {
        std::string target, scratch, backup;
        bool hadOld = false, keptOld = false, movedAside = false;
    };
    std::vector<Entry> entries(files.size());
    // Moved aside, a folder or device under a game's name would be lost to its owner; the save is
    // refused before anything is written. A link is judged by what it leads to, and kept aside
    // itself like a file.
    for (std::size_t i = 0; i < files.size(); ++i) {
        Entry& e = entries[i];
        e.target = files[i].path;
        if (files[i].bytes.size() > kSavedFileMaxBytes) {
            trouble_ = "the new " + said(e.target) + " would hold " + std::to_string(files[i].bytes.size()) +
                       " bytes, more than a saved game's file may";
            return false;
        }
        struct stat st {};
        bool found = ::lstat(e.target.c_str(), &st) == 0;
        if (!found && files[i].anyCase) {
            std::string other = FileNamedIgnoringCase(e.target);
            if (!other.empty()) {
                e.target = std::move(other);
                found = ::lstat(e.target.c_str(), &st) == 0;
            }
        }
        if (!found) continue;
        e.hadOld = true;
        if (S_ISLNK(st.st_mode) && ::stat(e.target.c_str(), &st) != 0) continue;
        if (!S_ISREG(st.st_mode)) {
            trouble_ = said(e.target) + " is not a plain file";
            return false;
        }
    }
    stepsTaken = 0;
    // The process id keeps this save's names apart from another program's, the counter from this
    // program's other saves, and files that saves cut short left here are passed by.
    static unsigned counter = 0;
    std::string save;
    do {
        save = std::to_string(::getpid()) + "-" + std::to_string(++counter);
    } while (saves_.count(save));
    const std::string stem = tag_ + "-" + save;
    std::vector<TJournalEntry> journalEntries;
    for (std::size_t i = 0; i < files.size(); ++i) {
        Entry& e = entries[i];
        std::string scratchName = NewFileName(stem, i + 1, files.size()), backupName = OldFileName(stem, i + 1);
        e.scratch = InFolder(scratchName);
        e.backup = InFolder(backupName);
        journalEntries.push_back({std::move(scratchName), std::move(backupName), FileNameOf(e.target), MarkOf(files[i].bytes)});
    }
    TFolderFlush folder(folder_);
    const std::string journal = InFolder(tag_ + ".jnl"), begunJournal = InFolder(BegunJournalName(stem));
    // The journal is written first under a name of this save's own, and renamed to the game's
    // journal as the commit: until then it proves every new file of this save scratch, whatever
    // becomes of the rest. So it is removed last, after the new files, last first.
    std::vector<int> written;
    std::vector<std::string> writtenWhat;
    std::size_t scratchWritten = 0;
    bool begunWritten = false;
    auto removeScratch = [&] {
        for (std::size_t i = scratchWritten; i-- > 0;) RemoveFile(entries[i].scratch);
    };
    auto giveUp = [&](const std::string& why) {
        for (int fd : written) ::close(fd);
        removeScratch();
        if (begunWritten) RemoveFile(begunJournal);
        trouble_ = why;
        return false;
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        Step();
        if (i == 0) {
            const int fd = WriteNewFile(begunJournal, JournalText(journalEntries), O_EXCL);
            if (fd < 0)
                return giveUp("its journal " + said(Shown(BegunJournalName(stem))) + " cannot be written in " + said(folder_) + " (" +
                              ErrorText(errno) + ")");
            begunWritten = true;
            written.push_back(fd);
            writtenWhat.push_back("its journal " + said(Shown(BegunJournalName(stem))));
        }
        Entry& e = entries[i];
        const int fd = WriteNewFile(e.scratch, files[i].bytes, O_EXCL);
        if (fd < 0)
            return giveUp("the new " + said(e.target) + " cannot be written in " + said(folder_) + " (" + ErrorText(errno) + ")");
        ++scratchWritten;
        written.push_back(fd);
        writtenWhat.push_back("the new " + said(e.target));
    }
    Step();
    const int unflushed = FlushAndClose(written);
    written.clear();
    if (unflushed >= 0)
        return giveUp(writtenWhat[static_cast<std::size_t>(unflushed)] + " cannot be flushed to the disk (" + ErrorText(errno) + ")");
    if (RenameFile(begunJournal, journal) != 0)
        return giveUp("its journal cannot be put in place as " + said(Shown(tag_ + ".jnl")) + " (" + ErrorText(errno) + ")");
    begunWritten = false;
    folder.Sync();
    // Committed: from here a stop leaves the new files, and a failed step puts the old ones back.
    auto putBack = [&](std::size_t failed, const std::string& why) {
        trouble_ = why;
        bool whole = !entries[failed].movedAside || RenameFile(entries[failed].backup, entries[failed].target) == 0;
        // Last placed first, each new file back to its scratch name before its old one returns:
        // stopped midway, the journal still finishes the save instead of leaving a mixed pair.
        for (std::size_t j = failed; whole && j-- > 0;) {
            const Entry& e = entries[j];
            whole = RenameFile(e.target, e.scratch) == 0 && (!e.keptOld || RenameFile(e.backup, e.target) == 0);
        }
        // Else the journal finishes the save at the next taking of the lock.
        if (!whole) return false;
        folder.Sync();
        // The old files are back, and a second name left is a second name of one of them. The
        // journal goes back to its name from before the commit, proving the new files scratch.
        begunWritten = RenameFile(journal, begunJournal) == 0;
        if (!begunWritten) RemoveFile(journal);
        for (const Entry& e : entries) RemoveFile(e.backup);
        removeScratch();
        if (begunWritten) RemoveFile(begunJournal);
        return false;
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        Entry& e = entries[i];
        const std::string& target = e.target;
        // The last file needs no second name: nothing placed after it can fail and call it back,
        // and its own failed rename leaves the old file where it was.
        e.keptOld = i + 1 < files.size() && e.hadOld;
        if (e.keptOld) {
            // The old file keeps a second name until the save is through, so that a failed step can
            // put it back; where the disk has no second names it is moved aside instead.
            Step();
            if (LinkFile(target, e.backup) != 0) {
                Step();
                e.movedAside = RenameFile(target, e.backup) == 0;
                if (!e.movedAside) return putBack(i, "the old " + said(target) + " cannot be moved aside (" + ErrorText(errno) + ")");
            }
        }
        Step();
        if (RenameFile(e.scratch, target) != 0)
            return putBack(i, "the new " + said(target) + " cannot take its place (" + ErrorText(errno) + ")");
    }
    folder.Sync();
    // The old files' second names go before the journal, which explains any the disk keeps until
    // the next taker of the lock removes it.
    bool tidy = true;
    for (const Entry& e : entries) {
        if (!e.keptOld) continue;
        Step();
        if (RemoveFile(e.backup) != 0 && errno != ENOENT) tidy = false;
    }
    if (tidy) {
        Step();
        RemoveFile(journal);
    }
    Step();
    return true;
}

std::string TGameFilesLock::LeftFiles() const {
    std::string text;
    for (std::size_t i = 0; i < left_.size(); ++i)
        text += (i == 0 ? "" : i + 1 == left_.size() ? " and " : ", ") + left_[i];
    return text;
}

bool TGameFilesLock::Unchanged(const std::vector<std::pair<std::string, TFileIdentity>>& read) const {
    // The journal last: a save that put one file in place while another still waited had its
    // journal there when the files read were asked again.
    for (const auto& [path, identity] : read)
        if (IdentityOf(path) != identity) return false;
    return IdentityOf(InFolder(tag_ + ".lck")) == lockSeen_ && IdentityOf(InFolder(tag_ + ".jnl")) == journalSeen_;
}

void TGameFilesLock::FinishInterruptedSaves(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    ListFolder(folder, names, ec);
    std::set<std::string> tags;
    for (const std::string& name : names) {
        const std::string tag = TagOfOurFile(name);
        if (!tag.empty()) tags.insert(tag);
    }
    // A save still running elsewhere holds its lock, so taking it without waiting passes it by.
    for (const std::string& tag : tags) {
        const TGameFilesLock lock(folder, tag, Taking::Tidy);
    }
}

std::string FileNamedIgnoringCase(const std::string& path) {
    std::error_code ec;
    const fs::path p(path);
    const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
    const std::string want = p.filename().string();
    std::vector<std::string> names;
    ListFolder(dir.string(), names, ec);
    for (const std::string& name : names)
        if (EqualsIgnoringCase(name, want)) return p.has_parent_path() ? (dir / name).string() : name;
    return {};
}

void SetFileRenamer(FileRenamer r) { renamer = r; }
void SetFileLinker(FileLinker l) { linker = l; }
void SetFileRemover(FileRemover r) { remover = r; }
void SetSaveStepWatcher(SaveStepWatcher w) { watcher = w; }
void SetLockLookWatcher(LockLookWatcher w) { lookWatcher = w; }

}  // namespace kvt
