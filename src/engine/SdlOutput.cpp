// The sound card through SDL2 audio, fed through SDL's queue (no callback). At most kQueued of
// sound waits in the queue, so position notifications run only that much ahead of what is
// heard, and a seek or stop drops no more than that.
//
// SDL's subsystem start-up and device opening are not thread-safe, and two players may open
// devices at the same time: every call that creates or destroys SDL state holds SdlLock().

#include "engine/AudioOutput.h"

#include <SDL.h>

#include <mutex>
#include <thread>

namespace orvane::engine {

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kQueued{250};
constexpr std::chrono::milliseconds kPoll{5};

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
        wanted.samples = 2048;
        SDL_AudioSpec obtained{};
        // No allowed changes: SDL converts our format to whatever the device needs.
        if (!device_.Open(wanted, obtained)) {
            error = SDL_GetError();
            return false;
        }
        format_ = format;
        deviceBuffer_ = std::chrono::milliseconds(1000L * obtained.samples / obtained.freq);
        limit_ = static_cast<Uint32>(format.BytesPerSecond() * kQueued.count() / 1000);
        paused_ = false;
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
        if (SDL_QueueAudio(device_.id(), bytes.data(), static_cast<Uint32>(bytes.size())) != 0) {
            error = SDL_GetError();
            return -1;
        }
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

    void Cancel() override { SDL_ClearQueuedAudio(device_.id()); }

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
    // Declared first so that it is released after the device.
    SdlAudioSubsystem subsystem_;
    SdlAudioDevice device_;
    PcmFormat format_;
    std::chrono::milliseconds deviceBuffer_{0};
    Uint32 limit_ = 0;
    bool paused_ = false;
    bool tailHeard_ = true;
};

} // namespace

std::unique_ptr<AudioOutput> MakeSdlOutput() {
    return std::make_unique<SdlOutput>();
}

} // namespace orvane::engine
