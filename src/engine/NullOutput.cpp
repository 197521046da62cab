// The silent output: it takes data at the pace a sound card would play it, keeping at most
// kLead of it "queued", and forgets it.

#include "engine/AudioOutput.h"

#include <algorithm>
#include <thread>

namespace orvane::engine {

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kLead{200};

class NullOutput final : public AudioOutput {
public:
    bool Open(const PcmFormat& format, std::string&) override {
        format_ = format;
        Cancel();
        return true;
    }

    long Play(std::span<const uint8_t> bytes, std::chrono::milliseconds wait,
              std::string&) override {
        const auto deadline = Clock::now() + wait;
        for (;;) {
            const auto now = Clock::now();
            if (paused_)
                return 0;
            if (heardUntil_ < now)
                heardUntil_ = now;
            if (heardUntil_ - now < kLead)
                break;
            if (now >= deadline)
                return 0;
            std::this_thread::sleep_until(std::min(deadline, heardUntil_ - kLead + kStep));
        }
        const long frames = static_cast<long>(bytes.size()) / format_.FrameBytes();
        heardUntil_ += std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(static_cast<double>(frames) / format_.rate));
        return frames * format_.FrameBytes();
    }

    bool Drain(std::chrono::milliseconds wait) override {
        if (paused_)
            return false;
        const auto deadline = Clock::now() + wait;
        std::this_thread::sleep_until(std::min(deadline, heardUntil_));
        return Clock::now() >= heardUntil_;
    }

    void Cancel() override { heardUntil_ = Clock::now(); }

    long Unheard() const override {
        const Clock::duration left =
            paused_ ? pausedLeft_ : std::max(Clock::duration::zero(), heardUntil_ - Clock::now());
        return static_cast<long>(std::chrono::duration<double>(left).count() * format_.rate);
    }

    void Pause(bool paused) override {
        if (paused == paused_)
            return;
        paused_ = paused;
        // What was queued is heard after the pause, so its end moves by the pause's length.
        if (paused) {
            pausedAt_ = Clock::now();
            pausedLeft_ = std::max(Clock::duration::zero(), heardUntil_ - pausedAt_);
        } else {
            heardUntil_ = Clock::now() + pausedLeft_;
        }
    }

    bool Close(std::string&) override { return true; }
    bool Reopenable() const override { return true; }

private:
    static constexpr std::chrono::milliseconds kStep{5};
    PcmFormat format_{44100, 2};
    Clock::time_point heardUntil_ = Clock::now();
    Clock::time_point pausedAt_;
    Clock::duration pausedLeft_{};
    bool paused_ = false;
};

} // namespace

std::unique_ptr<AudioOutput> MakeNullOutput() {
    return std::make_unique<NullOutput>();
}

} // namespace orvane::engine
