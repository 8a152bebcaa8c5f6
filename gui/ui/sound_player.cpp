// The sound card player: reads the wave file, then feeds ALSA from one worker thread that stops
// as soon as the next sound starts. The device is opened and written without blocking, so neither
// the caller nor the worker ever waits on a device that another program holds or that stalls.
#include "gui/ui/sound_player.h"

#include <alsa/asoundlib.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#include "gui/ui/formats/text_utils.h"
#include "gui/ui/formats/wave_file.h"

namespace kvt::gui {

namespace {

// How long the worker waits on the device at most before it looks for a stop again.
constexpr int kDeviceWaitMs = 20;

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

}  // namespace

class TAlsaSoundPlayer::Worker {
public:
    explicit Worker(std::string device) : device_(std::move(device)) {}
    ~Worker() { Stop(); }

    void Start(std::shared_ptr<const kvt::ui::TWaveSound> sound) {
        Stop();
        stop_ = false;
        thread_ = std::thread([this, sound] { Play(*sound); });
    }
    void Stop() {
        stop_ = true;
        Join();
    }
    void Join() {
        if (thread_.joinable()) thread_.join();
    }

private:
    void Play(const kvt::ui::TWaveSound& s) {
        snd_pcm_t* pcm = nullptr;
        // A busy device refuses at once instead of holding this thread, and with it the caller of
        // the next sound, until it is free.
        if (snd_pcm_open(&pcm, device_.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) return;
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
            if (n == -EAGAIN) {
                snd_pcm_wait(pcm, kDeviceWaitMs);
                continue;
            }
            if (n < 0) n = snd_pcm_recover(pcm, static_cast<int>(n), 1);
            if (n < 0) break;
            done += static_cast<size_t>(n);
        }
        // Without blocking, draining only starts; the sound plays out while a stop is looked for.
        if (!stop_) snd_pcm_drain(pcm);
        while (!stop_ && snd_pcm_state(pcm) == SND_PCM_STATE_DRAINING)
            std::this_thread::sleep_for(std::chrono::milliseconds(kDeviceWaitMs));
        if (stop_) snd_pcm_drop(pcm);
        snd_pcm_close(pcm);
    }

    std::string device_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TAlsaSoundPlayer::TAlsaSoundPlayer(std::string device) : worker_(std::make_unique<Worker>(std::move(device))) {
    snd_lib_error_set_handler(SilentAlsaErrors);
}

TAlsaSoundPlayer::~TAlsaSoundPlayer() = default;

void TAlsaSoundPlayer::PlayAsync(const std::string& fileName) {
    worker_->Stop();
    std::string bytes;
    auto sound = std::make_shared<kvt::ui::TWaveSound>();
    if (!kvt::ui::ReadWholeFile(fileName, bytes) || !kvt::ui::ParseWave(bytes, *sound)) return;
    worker_->Start(sound);
}

void TAlsaSoundPlayer::WaitForEnd() { worker_->Join(); }

namespace {

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
