// The sound card player: reads the wave file, then feeds ALSA from one worker thread that stops
// as soon as the next sound starts. Never blocks the caller on the device.
#include "gui/ui/sound_player.h"

#include <alsa/asoundlib.h>

#include <atomic>
#include <memory>
#include <thread>

#include "gui/ui/formats/text_utils.h"
#include "gui/ui/formats/wave_file.h"

namespace kvt::gui {

namespace {

void SilentAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

snd_pcm_format_t AlsaFormat(const kvt::ui::TWaveSound& s) {
    if (s.isFloat) return SND_PCM_FORMAT_FLOAT_LE;
    switch (s.bitsPerSample) {
    case 8: return SND_PCM_FORMAT_U8;
    case 16: return SND_PCM_FORMAT_S16_LE;
    case 24: return SND_PCM_FORMAT_S24_3LE;
    default: return SND_PCM_FORMAT_S32_LE;
    }
}

class TAlsaSoundPlayer : public TSoundPlayer {
public:
    TAlsaSoundPlayer() { snd_lib_error_set_handler(SilentAlsaErrors); }
    ~TAlsaSoundPlayer() override { Stop(); }

    void PlayAsync(const std::string& fileName) override {
        Stop();
        std::string bytes;
        auto sound = std::make_shared<kvt::ui::TWaveSound>();
        if (!kvt::ui::ReadWholeFile(fileName, bytes) || !kvt::ui::ParseWave(bytes, *sound)) return;
        stop_ = false;
        worker_ = std::thread([this, sound] { Play(*sound); });
    }

private:
    void Stop() {
        stop_ = true;
        if (worker_.joinable()) worker_.join();
    }

    void Play(const kvt::ui::TWaveSound& s) {
        snd_pcm_t* pcm = nullptr;
        if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) return;
        if (snd_pcm_set_params(pcm, AlsaFormat(s), SND_PCM_ACCESS_RW_INTERLEAVED, s.channels, s.sampleRate, 1,
                               100000) < 0) {
            snd_pcm_close(pcm);
            return;
        }
        const size_t frameBytes = s.FrameBytes();
        const size_t frames = s.samples.size() / frameBytes;
        size_t done = 0;
        while (done < frames && !stop_) {
            const size_t chunk = std::min<size_t>(frames - done, 1024);
            snd_pcm_sframes_t n = snd_pcm_writei(pcm, s.samples.data() + done * frameBytes, chunk);
            if (n < 0) n = snd_pcm_recover(pcm, static_cast<int>(n), 1);
            if (n < 0) break;
            done += static_cast<size_t>(n);
        }
        if (stop_)
            snd_pcm_drop(pcm);
        else
            snd_pcm_drain(pcm);
        snd_pcm_close(pcm);
    }

    std::atomic<bool> stop_{false};
    std::thread worker_;
};

TSoundPlayer* installed = nullptr;

TSoundPlayer& Player() {
    if (installed) return *installed;
    static TAlsaSoundPlayer card;
    return card;
}

}  // namespace

void PlaySoundFile(const std::string& fileName) { Player().PlayAsync(fileName); }

TSoundPlayer* InstallSoundPlayer(TSoundPlayer* player) {
    TSoundPlayer* previous = installed;
    installed = player;
    return previous;
}

}  // namespace kvt::gui
