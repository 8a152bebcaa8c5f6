// The library's sound-playing routine: plays a wave file without waiting, a new sound cutting off
// the one still playing. The real player writes to the sound card through ALSA and stays silent
// where there is none; tests install a player of their own that records what would play.
#pragma once

#include <string>

namespace kvt::gui {

class TSoundPlayer {
public:
    virtual ~TSoundPlayer() = default;
    virtual void PlayAsync(const std::string& fileName) = 0;
};

// Plays through the installed player (the sound card's unless a test installed another).
void PlaySoundFile(const std::string& fileName);
// Installs a player (not owned); nullptr restores the sound card's. Returns the previous one.
TSoundPlayer* InstallSoundPlayer(TSoundPlayer* player);

}  // namespace kvt::gui
