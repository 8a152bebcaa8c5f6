// Every place where the rules wait on a person or show something goes through one Frontend.
// The engine never waits and never draws: the window implements this with modal dialogs, tests
// with a scripted queue of answers, and headless runs with the default answer to every wait.
#pragma once

#include <string>

namespace kvt {

enum class CursorKind { Arrow, Hourglass };

class Frontend {
public:
    virtual ~Frontend() = default;

    // --- Waits on a person ---
    // Opens the notice dialog of the given kind for EventNotice and NoticeChoices; the answer is
    // left in EventNotice.Answer. Only called for kinds that have a dialog.
    virtual void ShowNotice(int kind) = 0;
    // An information message box with an OK button.
    virtual void InformationBox(const std::string& text) = 0;

    // --- Showing, never waiting ---
    virtual void Repaint() {}
    virtual void SetCursor(CursorKind) {}
    // The engine switched the movement timer on or off.
    virtual void Timer1Changed(bool /*enabled*/) {}
};

// The frontend in use. Until one is installed, an automatic frontend answers every wait.
Frontend& CurrentFrontend();
// Installs a frontend (not owned); nullptr restores the automatic one.
void InstallFrontend(Frontend* frontend);

// Gives the default answer to every wait and counts them; used by headless runs and benchmarks.
class AutomaticFrontend : public Frontend {
public:
    void ShowNotice(int kind) override;
    void InformationBox(const std::string& text) override;

    int notices = 0;
    int messages = 0;
    std::string lastMessage;
};

}  // namespace kvt
