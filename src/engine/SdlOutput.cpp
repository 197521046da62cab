// The sound card through SDL2 audio, fed through SDL's queue (no callback). At most kQueued of
// sound waits in the queue: a seek or stop drops no more than that, and the end of a song
// plays that long after the player reported its end of input. SDL's audio stays initialised
// while the output exists; opening in another format only opens the device anew.
//
// Cancel fades out: the output keeps a copy of the last bytes it queued, so it knows what the
// queue was about to play, and replaces the queue with the first kFade of that, faded to zero.
//
// SDL's subsystem start-up and device opening are not thread-safe, and two players may open
// devices at the same time: every call that creates or destroys SDL state holds SdlLock().

#include "engine/AudioOutput.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace orvane::engine {

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kQueued{250};
constexpr std::chrono::milliseconds kPoll{5};
constexpr long kFadeMs = 5;
// Frames of SDL's own buffer: about 23 ms at 44.1 kHz.
constexpr Uint16 kDeviceFrames = 1024;

// Scales the frames of samples by a straight ramp from `from` to `to` (gain 0..1).
void Ramp(int16_t* samples, long frames, int channels, double from, double to) {
    for (long frame = 0; frame < frames; ++frame) {
        const double gain = from + (to - from) * static_cast<double>(frame + 1) / frames;
        for (int channel = 0; channel < channels; ++channel) {
            int16_t& sample = samples[frame * channels + channel];
            sample = static_cast<int16_t>(sample * gain);
        }
    }
}

std::mutex& SdlLock() {
    static std::mutex lock;
    return lock;
}

// One reference to SDL's audio subsystem (SDL counts them).
class SdlAudioSubsystem {
public:
    SdlAudioSubsystem() = default;
    SdlAudioSubsystem(const SdlAudioSubsystem&) = delete;
    SdlAudioSubsystem& operator=(const SdlAudioSubsystem&) = delete;
    ~SdlAudioSubsystem() { Release(); }

    // Called with SdlLock() held.
    bool Acquire(std::string& error) {
        if (held_)
            return true;
        // The program handles its own signals; SDL must not take SIGINT and SIGTERM over.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            error = SDL_GetError();
            return false;
        }
        held_ = true;
        return true;
    }
    void Release() {
        if (!held_)
            return;
        std::lock_guard lock(SdlLock());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        held_ = false;
    }

private:
    bool held_ = false;
};

class SdlAudioDevice {
public:
    SdlAudioDevice() = default;
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;
    ~SdlAudioDevice() { Close(); }

    // Called with SdlLock() held, on a closed device.
    bool Open(const SDL_AudioSpec& wanted, SDL_AudioSpec& obtained) {
        id_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        return id_ != 0;
    }
    void Close() {
        if (id_ == 0)
            return;
        std::lock_guard lock(SdlLock());
        SDL_CloseAudioDevice(id_);
        id_ = 0;
    }
    SDL_AudioDeviceID id() const { return id_; }

private:
    SDL_AudioDeviceID id_ = 0;
};

class SdlOutput final : public AudioOutput {
public:
    bool Open(const PcmFormat& format, std::string& error) override {
        device_.Close();
        std::lock_guard lock(SdlLock());
        if (!subsystem_.Acquire(error))
            return false;
        SDL_AudioSpec wanted{};
        wanted.freq = static_cast<int>(format.rate);
        wanted.format = AUDIO_S16SYS;
        wanted.channels = static_cast<Uint8>(format.channels);
        wanted.samples = kDeviceFrames;
        SDL_AudioSpec obtained{};
        // No allowed changes: SDL converts our format to whatever the device needs.
        if (!device_.Open(wanted, obtained)) {
            error = SDL_GetError();
            return false;
        }
        format_ = format;
        deviceFrames_ = obtained.samples;
        deviceBuffer_ = std::chrono::milliseconds(1000L * obtained.samples / obtained.freq);
        limit_ = static_cast<Uint32>(format.BytesPerSecond() * kQueued.count() / 1000);
        paused_ = fadeIn_ = false;
        recent_.clear();
        SDL_PauseAudioDevice(device_.id(), 0);
        return true;
    }

    long Play(std::span<const uint8_t> bytes, std::chrono::milliseconds wait,
              std::string& error) override {
        const auto deadline = Clock::now() + wait;
        while (SDL_GetQueuedAudioSize(device_.id()) >= limit_) {
            if (SDL_GetAudioDeviceStatus(device_.id()) == SDL_AUDIO_STOPPED) {
                error = "the sound card stopped playing";
                return -1;
            }
            if (paused_ || Clock::now() >= deadline)
                return 0;
            std::this_thread::sleep_for(kPoll);
        }
        std::vector<int16_t> faded;
        if (fadeIn_) {
            faded.resize(bytes.size() / 2);
            std::memcpy(faded.data(), bytes.data(), faded.size() * 2);
            const long frames = static_cast<long>(bytes.size()) / format_.FrameBytes();
            Ramp(faded.data(), std::min(frames, format_.rate * kFadeMs / 1000), format_.channels,
                 0.0, 1.0);
            bytes = {reinterpret_cast<const uint8_t*>(faded.data()), bytes.size()};
            fadeIn_ = false;
        }
        if (SDL_QueueAudio(device_.id(), bytes.data(), static_cast<Uint32>(bytes.size())) != 0) {
            error = SDL_GetError();
            return -1;
        }
        Remember(bytes);
        tailHeard_ = false;
        return static_cast<long>(bytes.size());
    }

    bool Drain(std::chrono::milliseconds wait) override {
        const auto deadline = Clock::now() + wait;
        while (SDL_GetQueuedAudioSize(device_.id()) > 0) {
            if (paused_ || Clock::now() >= deadline ||
                SDL_GetAudioDeviceStatus(device_.id()) == SDL_AUDIO_STOPPED)
                return false;
            std::this_thread::sleep_for(kPoll);
        }
        // The queue is empty once SDL took its last buffer, which still has to be played.
        if (!tailHeard_) {
            std::this_thread::sleep_for(deviceBuffer_);
            tailHeard_ = true;
        }
        return true;
    }

    void Cancel() override {
        fadeIn_ = true;
        if (recent_.empty())
            return; // nothing was taken since the last cancel: the queue holds its fade only
        // Locked, so that SDL takes nothing from the queue between looking and replacing.
        SDL_LockAudioDevice(device_.id());
        const size_t queued = SDL_GetQueuedAudioSize(device_.id());
        SDL_ClearQueuedAudio(device_.id());
        if (!paused_ && queued > 0 && queued <= recent_.size()) {
            const long frames = std::min(static_cast<long>(queued) / format_.FrameBytes(),
                                         format_.rate * kFadeMs / 1000);
            std::vector<int16_t> fade(static_cast<size_t>(frames * format_.channels));
            std::memcpy(fade.data(), recent_.data() + recent_.size() - queued, fade.size() * 2);
            Ramp(fade.data(), frames, format_.channels, 1.0, 0.0);
            SDL_QueueAudio(device_.id(), fade.data(), static_cast<Uint32>(fade.size() * 2));
        }
        SDL_UnlockAudioDevice(device_.id());
        recent_.clear();
    }

    long Unheard() const override {
        const long queued =
            static_cast<long>(SDL_GetQueuedAudioSize(device_.id())) / format_.FrameBytes();
        // Of the buffer SDL took last, half is still to be heard on average.
        return queued > 0 ? queued + deviceFrames_ / 2 : 0;
    }

    void Pause(bool paused) override {
        paused_ = paused;
        SDL_PauseAudioDevice(device_.id(), paused ? 1 : 0);
    }

    bool Close(std::string&) override {
        device_.Close();
        subsystem_.Release();
        return true;
    }

    bool Reopenable() const override { return true; }

private:
    // Keeps the last bytes queued: at least everything the queue can hold.
    void Remember(std::span<const uint8_t> bytes) {
        const size_t keep = limit_ + 65536;
        recent_.insert(recent_.end(), bytes.begin(), bytes.end());
        if (recent_.size() > 2 * keep)
            recent_.erase(recent_.begin(), recent_.end() - static_cast<ptrdiff_t>(keep));
    }

    // Declared first so that it is released after the device.
    SdlAudioSubsystem subsystem_;
    SdlAudioDevice device_;
    PcmFormat format_;
    std::chrono::milliseconds deviceBuffer_{0};
    Uint32 limit_ = 0;
    long deviceFrames_ = 0;
    bool paused_ = false;
    bool tailHeard_ = true;
    bool fadeIn_ = false; // the next data taken follows a cancel
    std::vector<uint8_t> recent_;
};

} // namespace

std::unique_ptr<AudioOutput> MakeSdlOutput() {
    return std::make_unique<SdlOutput>();
}

} // namespace orvane::engine
