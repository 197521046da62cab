#pragma once
// Where decoded PCM goes. A player owns at most one output and calls it only from its own
// thread; an output never calls back into the player. Three kinds exist, chosen by name:
//   "" or "sdl:"   the sound card through SDL2 audio (the default)
//   "wav:PATH"     a 16-bit PCM WAV file, written as fast as the decoder delivers
//   "null:"        nothing audible, paced like a sound card (real time)

#include "engine/PcmFormat.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace orvane::engine {

class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // Opens the device or file for this format, also when it is open already (in another
    // format). False with a reason when it cannot.
    virtual bool Open(const PcmFormat& format, std::string& error) = 0;
    // Takes some or all of bytes (whole frames), waiting at most `wait` for room. Returns the
    // bytes taken (0 when there was no room in time), or -1 with a reason when writing failed.
    virtual long Play(std::span<const uint8_t> bytes, std::chrono::milliseconds wait,
                      std::string& error) = 0;
    // Waits at most `wait` for everything taken to be heard; true once it has been.
    virtual bool Drain(std::chrono::milliseconds wait) = 0;
    // Drops what was taken but not yet heard (seek, stop); a sound card fades it out over a
    // few milliseconds instead of cutting it, and fades in what is taken next.
    virtual void Cancel() = 0;
    // Frames taken but not yet heard.
    virtual long Unheard() const = 0;
    // Holds or resumes the sound; taken data stays.
    virtual void Pause(bool paused) = 0;
    // Releases the device or finishes the file. False with a reason when finishing failed.
    virtual bool Close(std::string& error) = 0;
    // Whether opening again with another format loses nothing (true for devices, false for a
    // file, which would be truncated).
    virtual bool Reopenable() const = 0;
};

enum class OutputKind : uint8_t { SoundCard = 0, WavFile = 1, Null = 2 };

struct OutputName {
    OutputKind kind = OutputKind::SoundCard;
    std::string path; // the file of a WAV output
};

// Nothing for a name that selects no output ("wav:" without a path, unknown prefixes).
std::optional<OutputName> ParseOutputName(const std::string& name);
std::unique_ptr<AudioOutput> MakeOutput(const OutputName& name);

std::unique_ptr<AudioOutput> MakeSdlOutput();
std::unique_ptr<AudioOutput> MakeWavOutput(const std::string& path);
std::unique_ptr<AudioOutput> MakeNullOutput();

} // namespace orvane::engine
