// A game's files replaced as one, whatever stops the program and however many copies of it share
// the folder. A save holds the game's lock (a file in its folder), writes and flushes every new
// file under a scratch name, then commits by flushing a journal that names them, and only then
// renames them into place. Whoever takes the lock next finishes a save that was cut short: rolled
// forward when its journal is whole, else undone by removing its scratch files.
// POSIX file calls only; the lock is waited for a few seconds at most, never for a person.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvt {

// No file of a save is larger (the battle history, the largest, is read up to 4 MiB): a save of a
// larger one is refused, and a journal that names a larger one is damaged.
inline constexpr std::uint64_t kSavedFileMaxBytes = 4u << 20;

struct TFileImage {
    std::string path;  // every file of one save lies in the folder of the game's name
    std::string_view bytes;
    // Where no file has this very name, one whose name differs only in case is replaced rather
    // than left beside the new one, where a later load could pick up the stale copy.
    bool anyCase = false;
};

// The lock on one game's files, from construction to destruction. Names that differ only in case
// share it, as their files are found ignoring case. Scratch, journal and lock files are named
// "~kvt-<16 hex digits>..." however long the game's own name is.
class TGameFilesLock {
public:
    enum class State {
        Held,      // the files are whole and nobody else writes them
        Busy,      // another copy of the program kept the lock too long, or a cut-short save cannot be finished
        NoFolder,  // no lock file can be made there (a missing or read-only folder): nobody saves there
    };

    // `base` is the game's name without its extension ("saves/game").
    explicit TGameFilesLock(const std::string& base);
    ~TGameFilesLock();
    TGameFilesLock(const TGameFilesLock&) = delete;
    TGameFilesLock& operator=(const TGameFilesLock&) = delete;

    State state() const { return state_; }

    // Replaces the files as one; the lock must be held. False when a file's name is taken by
    // something that is not a plain file (a folder, a device, a pipe: nothing is touched), or when
    // a step failed (the old files are put back, or the journal finishes the save at the next
    // taking of the lock when even that fails).
    bool WriteTogether(const std::vector<TFileImage>& files);

    // Finishes or undoes every cut-short save in the folder, leaving alone a game that another copy
    // of the program is saving now.
    static void FinishInterruptedSaves(const std::string& folder);

private:
    enum class Taking { Wait, Tidy };
    TGameFilesLock(std::string folder, std::string tag, Taking taking);
    void Take(Taking taking);
    bool FinishCutShortSave(bool leftBehind);
    void RemoveScratchFiles() const;
    std::string InFolder(const std::string& name) const { return folder_ + "/" + name; }
    std::string NewScratchName(const std::string& stem) const;  // a name within the folder

    std::string folder_, tag_;
    int fd_ = -1;
    // A save that could not be put back leaves the lock file, so the next taker looks for its scratch.
    bool keepLockFile_ = false;
    State state_ = State::Busy;
};

// The entry of the path's folder whose name is the path's ignoring case (the path itself when it
// exists), with the path's folder in front; empty when there is none.
std::string FileNamedIgnoringCase(const std::string& path);

// How a save touches the disk, for tests (nullptr restores the real call). A renamer or linker may
// fail its step (non-zero, as std::rename and link answer) as a full, vanished or link-less disk
// would; the watcher is called with 1, 2, 3, ... before each change a save makes to the folder and
// once more when it is through, and may stop the program there.
using FileRenamer = int (*)(const char* from, const char* to);
void SetFileRenamer(FileRenamer renamer);
using FileLinker = int (*)(const char* existing, const char* newName);
void SetFileLinker(FileLinker linker);
using SaveStepWatcher = void (*)(int step);
void SetSaveStepWatcher(SaveStepWatcher watcher);

}  // namespace kvt
