// A save run in a child process and stopped at one of its steps: killed (SIGKILL) there, as a
// power cut, crash or closed terminal would end it, or paused (SIGSTOP) there, as a save that
// another copy of the program is still running. Likewise a load killed while it finishes a save.
#pragma once

#include <sys/types.h>

#include <string>

namespace kvt::testing {

struct TChildSave {
    bool withHistory = false;  // a mail game's save, the battle history with the pair
    bool linksFail = false;    // the disk refuses second names for a file
};

enum class ChildSaveEnd { Killed, Saved, Refused };

// Saves the game in play as `base` in a child killed just before the save's `step`-th change to
// the disk (the steps SetSaveStepWatcher counts); Saved when it ran to its end first.
ChildSaveEnd SaveKilledAtStep(const std::string& base, int step, const TChildSave& how = {});

// Starts that save in a child that pauses itself just before the step; -1 when it ended before.
// Resume it with SIGCONT, then reap it with WaitForChildSave.
pid_t SavePausedAtStep(const std::string& base, int step, const TChildSave& how = {});
ChildSaveEnd WaitForChildSave(pid_t child);

// Loads the game in a child killed just before the `step`-th change that taking its lock makes to
// finish or undo a save cut short; false when the load ran to its end first.
bool LoadKilledAtStep(const std::string& file, int step);

}  // namespace kvt::testing
