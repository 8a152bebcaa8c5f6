// A game's files replaced as one, whatever stops the program and however many copies of it share
// the folder. A save holds the game's lock (a file in its folder), writes a journal that names its
// new files under a name of the save's own, then every new file under a scratch name, flushes
// them all, commits by renaming the journal to the game's, and only then renames the files into
// place. Whoever takes the lock next finishes a save that was cut short: rolled forward when its
// journal is whole and every file it names proves whole, removed when its journal still bears the
// save's own name, undone when nothing was put in place yet beside a game, and otherwise (a
// journal lost or damaged, a file changed after a stop, a folder or journal the disk will not
// give) left as it is for a person, every copy kept. A program that may not write in the folder
// only reads there, under a shared lock where it can have one, else checking after the reading
// that no save changed the files meanwhile, and waiting out a save it sees going on.
// POSIX file calls only; the lock is waited for a few seconds at most, never for a person.
#pragma once

#include <chrono>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/world/file_reading.h"

namespace kvt {

// No file of a save is larger (the battle history, the largest, is read up to 4 MiB): a save of a
// larger one is refused, and a journal that names a larger one is damaged.
inline constexpr std::uint64_t kSavedFileMaxBytes = 4u << 20;

// How long a load or save waits for another copy of the program to let a game's files go: a save
// takes milliseconds, and one holding them far longer has hung.
inline constexpr std::chrono::seconds kGameFilesPatience{10};
// Why a load is refused after that wait when, reading without a lock, it found the files changing.
inline constexpr std::string_view kGameBeingSaved = "another program is saving this game; try again when it has finished";

// The folder a game's file lies in: "." for a bare name.
std::string FolderOf(const std::string& path);

struct TFileImage {
    std::string path;  // every file of one save lies in the folder of the game's name
    std::string_view bytes;
    // Where no file has this very name, one whose name differs only in case is replaced rather
    // than left beside the new one, where a later load could pick up the stale copy.
    bool anyCase = false;
};

// A new file of a save that was cut short before it put anything in place, which nothing proves
// scratch: its journal was lost, damaged or could not prove it, or it never had one. It is never
// removed by the program, as it may hold the only copy of the game; `index` of `count` is its
// place among the files that save wrote, in the order they were given to WriteTogether.
struct TKeptFile {
    std::string path;
    int index = 0, count = 0;
    std::string save;  // the same for every file one save wrote
};

// The lock on one game's files, from construction to destruction. Names that differ only in case
// share it, as their files are found ignoring case. Scratch, journal and lock files are named
// "~kvt-<16 hex digits>..." however long the game's own name is.
class TGameFilesLock {
public:
    enum class State {
        Held,         // the files are whole and nobody else writes them
        Busy,         // another copy of the program kept the lock too long, or the lock file cannot be opened or is no plain file
        Blocked,      // a cut-short save that had committed cannot be finished: a file cannot take its place
        ReadOnly,     // this program may not write there (or there is no such folder): the files are whole,
                      // read beside others that only read where a lock file is left, else as they lie
                      // (Unlocked), checked after the reading
        Interrupted,  // what a save cut short left cannot be proved whole or undone: nothing may be read or removed
        Unfinished,   // no lock can be made there, and a save that had committed is still to be finished
        Unreadable,   // the folder cannot be listed, or a journal read: what a save left cannot be told
    };

    // `base` is the game's name without its extension ("saves/game").
    explicit TGameFilesLock(const std::string& base);
    ~TGameFilesLock();
    TGameFilesLock(const TGameFilesLock&) = delete;
    TGameFilesLock& operator=(const TGameFilesLock&) = delete;

    State state() const { return state_; }
    // Read where no lock could be had (ReadOnly, without even a shared lock): another program may
    // save meanwhile, so what is read counts only when Unchanged holds after the reading.
    bool Unlocked() const { return state_ == State::ReadOnly && fd_ < 0; }
    // Whether every file read is still the very file it was just before it was read, and the
    // game's lock and journal are as they were when the lock was looked for: then no save put a
    // file in place between the reads.
    bool Unchanged(const std::vector<std::pair<std::string, TFileIdentity>>& read) const;
    // Interrupted, Unfinished or Blocked: every file the save left, each quoted with what it holds
    // ("\"saves/~kvt-...-old-1.tmp\" (the old \"game.KVT\")"), its journal last, for a message to the player.
    std::string LeftFiles() const;
    // Why the lock could not be had, a cut save told or finished, or old files tidied ("its folder
    // \"saves\" cannot be listed (...)", "\"...\" cannot take the place of \"saves/game.KVM\" (...)",
    // "its last save left \"...\", which cannot be removed (...)"); empty when there is nothing to tell.
    std::string Trouble() const { return trouble_; }
    // Held or ReadOnly: the new files of saves cut short that lie beside the game, kept as they are.
    const std::vector<TKeptFile>& Kept() const { return kept_; }

    // Replaces the files as one; the lock must be held. False when a file's name is taken by
    // something that is not a plain file (a folder, a device, a pipe: nothing is touched), or when
    // a step failed (the old files are put back, or the journal finishes the save at the next
    // taking of the lock when even that fails). Trouble() then says why, with the file or folder
    // and the system's own words ("the new \"saves/game.KVT\" cannot be written in \"saves\" (No
    // space left on device)"); where the lock is not held, it says why not.
    bool WriteTogether(const std::vector<TFileImage>& files);

    // Finishes or undoes every cut-short save in the folder, leaving alone a game that another copy
    // of the program is saving now.
    static void FinishInterruptedSaves(const std::string& folder);

private:
    enum class Taking { Wait, Tidy };
    struct TPlan;
    enum class Carried { Done, Untidy, Failed };
    TGameFilesLock(std::string folder, std::string tag, Taking taking);
    void Take(Taking taking);
    bool FolderWritable() const;
    TPlan Examine() const;
    Carried Carry(const TPlan& plan, std::string& trouble) const;
    std::string InFolder(const std::string& name) const { return folder_ + "/" + name; }
    // A file of the folder as the player is told of it.
    std::string Shown(const std::string& name) const { return folder_ == "." ? name : InFolder(name); }

    std::string folder_, tag_;
    int fd_ = -1;
    bool exclusive_ = false;  // a writer's lock: the lock file is removed as it is let go
    State state_ = State::Busy;
    // Held with files of a finished save that the disk would not let go: read, but not saved over.
    bool untidy_ = false;
    std::vector<std::string> left_;
    std::vector<TKeptFile> kept_;
    std::set<std::string> saves_;  // "<pid>-<n>" of every save whose files lie here, which a new save's names avoid
    std::string trouble_;
    // Unlocked: the lock file and the journal as the look at the folder found them.
    TFileIdentity lockSeen_, journalSeen_;
};

// The entry of the path's folder whose name is the path's ignoring case (the path itself when it
// exists), with the path's folder in front; empty when there is none.
std::string FileNamedIgnoringCase(const std::string& path);

// How a save touches the disk, for tests (nullptr restores the real call). A renamer, linker or
// remover may fail its step (non-zero, as std::rename, link and unlink answer) as a full, vanished,
// link-less or read-only disk would; the watcher is called with 1, 2, 3, ... before each change a
// save makes to the folder and once more when it is through, and may stop the program there.
// Finishing or undoing a save cut short, as the lock is taken, counts its own changes the same way.
using FileRenamer = int (*)(const char* from, const char* to);
void SetFileRenamer(FileRenamer renamer);
using FileLinker = int (*)(const char* existing, const char* newName);
void SetFileLinker(FileLinker linker);
using FileRemover = int (*)(const char* path);
void SetFileRemover(FileRemover remover);
using SaveStepWatcher = void (*)(int step);
void SetSaveStepWatcher(SaveStepWatcher watcher);
// Called each time a program that could not have a game's lock is about to look at the folder as it
// stands, for tests, which may pause it there; nullptr for none.
using LockLookWatcher = void (*)();
void SetLockLookWatcher(LockLookWatcher watcher);

}  // namespace kvt
