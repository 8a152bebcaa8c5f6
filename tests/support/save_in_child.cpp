// Saves in child processes, stopped at a step of the save.
#include "tests/support/save_in_child.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <memory>

#include "engine/world/game_files.h"

namespace kvt::testing {

namespace {

int stopAtStep = 0;
int stopSignal = SIGKILL;

pid_t StartChildSave(const std::string& base, int step, int signal, const TChildSave& how) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child != 0) return child;
    stopAtStep = step;
    stopSignal = signal;
    SetSaveStepWatcher([](int s) {
        if (s == stopAtStep) ::raise(stopSignal);
    });
    if (how.linksFail) SetFileLinker([](const char*, const char*) {
        errno = EPERM;
        return -1;
    });
    // No test code of the parent may run in the child.
    ::_exit(SaveGameFiles(base, how.withHistory) ? 0 : 1);
}

}  // namespace

ChildSaveEnd WaitForChildSave(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status)) return ChildSaveEnd::Killed;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ChildSaveEnd::Saved : ChildSaveEnd::Refused;
}

ChildSaveEnd SaveKilledAtStep(const std::string& base, int step, const TChildSave& how) {
    return WaitForChildSave(StartChildSave(base, step, SIGKILL, how));
}

pid_t SavePausedAtStep(const std::string& base, int step, const TChildSave& how) {
    const pid_t child = StartChildSave(base, step, SIGSTOP, how);
    int status = 0;
    while (::waitpid(child, &status, WUNTRACED) < 0 && errno == EINTR) {
    }
    return WIFSTOPPED(status) ? child : -1;
}

bool LoadKilledAtStep(const std::string& file, int step) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        stopAtStep = step;
        SetSaveStepWatcher([](int s) {
            if (s == stopAtStep) ::raise(SIGKILL);
        });
        auto rec = std::make_unique<TGameRec>();
        auto map = std::make_unique<TMapGrid>();
        ::_exit(ReadGameImages(file, *rec, *map, nullptr) ? 0 : 1);
    }
    return WaitForChildSave(child) == ChildSaveEnd::Killed;
}

}  // namespace kvt::testing
