// The library's sound-playing routine: plays a wave file without waiting, a new sound cutting off
// the one still playing. The real player writes to the sound card through ALSA and stays silent
// where there is none; tests install a player of their own that records what would play.
#pragma once

#include <memory>
#include <string>

namespace kvt::gui {

class TSoundPlayer {
public:
    virtual ~TSoundPlayer() = default;
    virtual void PlayAsync(const std::string& fileName) = 0;
};

// The sound card's player on an ALSA device ("default" for the program's own). It never waits on
// the device: one that another program holds is not played, and a new sound stops the old one at
// once.
class TAlsaSoundPlayer : public TSoundPlayer {
public:
    explicit TAlsaSoundPlayer(std::string device = "default");
    ~TAlsaSoundPlayer() override;
    void PlayAsync(const std::string& fileName) override;
    // Until the current sound has played out (tests; the program never waits for a sound).
    void WaitForEnd();

private:
    class Worker;
    std::unique_ptr<Worker> worker_;
};

// Plays through the installed player (the sound card's unless a test installed another).
void PlaySoundFile(const std::string& fileName);
// Installs a player (not owned); nullptr restores the sound card's. Returns the previous one.
TSoundPlayer* InstallSoundPlayer(TSoundPlayer* player);

}  // namespace kvt::gui
