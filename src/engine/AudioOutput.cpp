#include "engine/AudioOutput.h"

namespace orvane::engine {

std::optional<OutputName> ParseOutputName(const std::string& name) {
    if (name.empty() || name == "sdl" || name == "sdl:")
        return OutputName{OutputKind::SoundCard, {}};
    if (name == "null" || name == "null:")
        return OutputName{OutputKind::Null, {}};
    if (name.starts_with("wav:") && name.size() > 4)
        return OutputName{OutputKind::WavFile, name.substr(4)};
    return std::nullopt;
}

std::unique_ptr<AudioOutput> MakeOutput(const OutputName& name) {
    switch (name.kind) {
    case OutputKind::WavFile:
        return MakeWavOutput(name.path);
    case OutputKind::Null:
        return MakeNullOutput();
    case OutputKind::SoundCard:
        break;
    }
    return MakeSdlOutput();
}

} // namespace orvane::engine
