// What the player thread does with each command. Commands that change nothing still get Ack
// (Play while playing, Stop while stopped), so every command has exactly one final answer.

#include "engine/MessageBuilder.h"
#include "engine/Player.h"

#include <algorithm>

namespace orvane::engine {

namespace {

struct ModuleDescription {
    const char* name;
    const char* description;
};

constexpr ModuleDescription kInputModules[] = {
    {"mpeg", "MPEG audio files: MPEG 1, 2 and 2.5, layers I, II and III"},
};
// Indexed by OutputKind.
constexpr ModuleDescription kOutputModules[] = {
    {"sdl", "the sound card"},
    {"wav", "16-bit PCM WAV files"},
    {"null", "no sound, paced in real time"},
};

} // namespace

void Player::ReportModuleInfo(int code, int id) {
    const bool input = code == XA_MSG_NOTIFY_INPUT_MODULE_INFO;
    const ModuleDescription& module = input ? kInputModules[id] : kOutputModules[id];
    Post(MessageBuilder(code)
             .Byte(0, static_cast<uint8_t>(id))
             .Byte(1, 0)
             .Text(4, module.name)
             .Text(8, module.description)
             .Build());
}

void Player::Handle(const Command& command) {
    const int code = command.code;
    if (command.internal) {
        // Unanswered; a scan's result for an input closed since is dropped.
        if (code == kLengthScanned && input_ &&
            static_cast<uint32_t>(command.ints[0]) == inputSerial_) {
            PostDuration();
            ReportProgress(Report::Changed);
        }
        return;
    }
    switch (code) {
    case XA_MSG_COMMAND_EXIT:
        if (state_ != XA_PLAYER_STATE_STOPPED)
            StopPlaying();
        if (output_)
            output_->Drain(std::chrono::milliseconds(50)); // the fade of a stop is heard
        CloseInput();
        CloseOutput();
        exiting_ = true; // Run() posts Exited
        return;
    case XA_MSG_COMMAND_PING:
        Post(MessageBuilder(XA_MSG_NOTIFY_PONG)
                 .Dword(0, static_cast<uint32_t>(command.ints[0]))
                 .Build());
        return;
    case XA_MSG_COMMAND_PLAY:
        if (!input_)
            return Nack(code, XA_ERROR_NO_INPUT);
        if (state_ == XA_PLAYER_STATE_PAUSED) {
            if (output_)
                output_->Pause(false);
        } else if (state_ != XA_PLAYER_STATE_PLAYING) {
            if (atEnd_)
                Rewind();
            if (!EnsureOutput())
                return Nack(code, XA_ERROR_OUTPUT_FAILED);
            output_->Pause(false);
            tailPlaying_ = false; // the tail is now the start of what plays
        }
        SetState(XA_PLAYER_STATE_PLAYING);
        return Ack(code);
    case XA_MSG_COMMAND_PAUSE:
        if (state_ == XA_PLAYER_STATE_PLAYING) {
            if (output_)
                output_->Pause(true);
            SetState(XA_PLAYER_STATE_PAUSED);
        } else if (state_ != XA_PLAYER_STATE_PAUSED) {
            return Nack(code, XA_ERROR_INVALID_STATE);
        }
        return Ack(code);
    case XA_MSG_COMMAND_STOP:
        if (state_ != XA_PLAYER_STATE_STOPPED)
            StopPlaying();
        return Ack(code);
    case XA_MSG_COMMAND_INPUT_SEEK: {
        if (!input_)
            return Nack(code, XA_ERROR_NO_INPUT);
        const auto range = static_cast<uint32_t>(command.ints[1]);
        if (range == 0)
            return Nack(code, XA_ERROR_INVALID_PARAMETERS);
        const auto offset = std::min(static_cast<uint32_t>(command.ints[0]), range);
        const int64_t frame = input_->Length() * offset / range;
        std::string error;
        if (!input_->Seek(frame, error)) {
            Error(XA_SOURCE_INPUT, XA_FAILURE, inputName_ + ": " + error);
            return Nack(code, XA_FAILURE);
        }
        pending_.clear();
        pendingOffset_ = 0;
        atEnd_ = endAfterPending_ = tailPlaying_ = false;
        if (output_)
            output_->Cancel();
        ReportProgress(Report::Always);
        Debug(2, "seek to frame " + std::to_string(frame));
        return Ack(code);
    }
    case XA_MSG_COMMAND_INPUT_OPEN:
    case XA_MSG_SET_INPUT_NAME:
        OpenInput(code, command.texts[0]);
        return;
    case XA_MSG_COMMAND_INPUT_CLOSE:
        if (state_ != XA_PLAYER_STATE_STOPPED)
            StopPlaying();
        CloseInput();
        return Ack(code);
    case XA_MSG_COMMAND_INPUT_FILTER_LIST:
    case XA_MSG_COMMAND_OUTPUT_FILTER_LIST:
        return Ack(code); // there are no filters to list
    case XA_MSG_COMMAND_INPUT_MODULE_QUERY:
        if (command.ints[0] != 0)
            return Nack(code, XA_ERROR_INVALID_PARAMETERS);
        return ReportModuleInfo(XA_MSG_NOTIFY_INPUT_MODULE_INFO, 0);
    case XA_MSG_COMMAND_INPUT_MODULES_LIST:
        ReportModuleInfo(XA_MSG_NOTIFY_INPUT_MODULE_INFO, 0);
        return Ack(code);
    case XA_MSG_COMMAND_OUTPUT_OPEN:
    case XA_MSG_SET_OUTPUT_NAME:
        return SelectOutput(code, command.texts[0]);
    case XA_MSG_COMMAND_OUTPUT_CLOSE:
        if (state_ == XA_PLAYER_STATE_PLAYING || state_ == XA_PLAYER_STATE_PAUSED)
            StopPlaying();
        CloseOutput();
        outputName_.clear();
        return Ack(code);
    case XA_MSG_COMMAND_OUTPUT_MUTE:
    case XA_MSG_COMMAND_OUTPUT_UNMUTE:
        muted_ = code == XA_MSG_COMMAND_OUTPUT_MUTE;
        return Ack(code);
    case XA_MSG_COMMAND_OUTPUT_RESET:
        if (output_)
            output_->Cancel();
        return Ack(code);
    case XA_MSG_COMMAND_OUTPUT_DRAIN: {
        if (!output_)
            return Ack(code);
        if (state_ == XA_PLAYER_STATE_PAUSED)
            return Nack(code, XA_ERROR_INVALID_STATE);
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (!output_->Drain(std::chrono::milliseconds(20)))
            if (Clock::now() >= deadline)
                return Nack(code, XA_ERROR_TIMEOUT);
        return Ack(code);
    }
    case XA_MSG_COMMAND_OUTPUT_MODULE_QUERY:
        if (command.ints[0] < 0 || command.ints[0] > 2)
            return Nack(code, XA_ERROR_INVALID_PARAMETERS);
        return ReportModuleInfo(XA_MSG_NOTIFY_OUTPUT_MODULE_INFO, command.ints[0]);
    case XA_MSG_COMMAND_OUTPUT_MODULES_LIST:
        for (int id = 0; id < 3; ++id)
            ReportModuleInfo(XA_MSG_NOTIFY_OUTPUT_MODULE_INFO, id);
        return Ack(code);
    default:
        return HandleSetting(command);
    }
}

void Player::HandleSetting(const Command& command) {
    const int code = command.code;
    const std::string& name = command.texts[0];
    switch (code) {
    case XA_MSG_GET_PLAYER_MODE:
        return Post(MessageBuilder(XA_MSG_NOTIFY_PLAYER_MODE).Dword(0, 0).Build());
    case XA_MSG_SET_PLAYER_ENVIRONMENT_INTEGER:
        integers_[name] = command.ints[0];
        return Ack(code);
    case XA_MSG_GET_PLAYER_ENVIRONMENT_INTEGER: {
        const auto found = integers_.find(name);
        if (found == integers_.end())
            return Nack(code, XA_ERROR_NO_SUCH_VARIABLE);
        return Post(MessageBuilder(XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER)
                        .Text(0, name)
                        .Dword(4, static_cast<uint32_t>(found->second))
                        .Build());
    }
    case XA_MSG_SET_PLAYER_ENVIRONMENT_STRING:
        strings_[name] = command.texts[1];
        return Ack(code);
    case XA_MSG_GET_PLAYER_ENVIRONMENT_STRING: {
        const auto found = strings_.find(name);
        if (found == strings_.end())
            return Nack(code, XA_ERROR_NO_SUCH_VARIABLE);
        return Post(MessageBuilder(XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING)
                        .Text(0, name)
                        .Text(4, found->second)
                        .Build());
    }
    case XA_MSG_UNSET_PLAYER_ENVIRONMENT:
        if (integers_.erase(name) + strings_.erase(name) == 0)
            return Nack(code, XA_ERROR_NO_SUCH_VARIABLE);
        return Ack(code);
    case XA_MSG_GET_INPUT_NAME:
        if (!input_)
            return Nack(code, XA_ERROR_NO_INPUT);
        return Post(MessageBuilder(XA_MSG_NOTIFY_INPUT_NAME).Text(0, inputName_).Build());
    case XA_MSG_SET_INPUT_MODULE:
        return command.ints[0] == 0 ? Ack(code) : Nack(code, XA_ERROR_INVALID_PARAMETERS);
    case XA_MSG_GET_INPUT_MODULE:
        return Post(MessageBuilder(XA_MSG_NOTIFY_INPUT_MODULE).Word(0, 0).Build());
    case XA_MSG_SET_INPUT_POSITION_RANGE:
        if (command.ints[0] <= 0)
            return Nack(code, XA_ERROR_INVALID_PARAMETERS);
        range_ = static_cast<uint32_t>(command.ints[0]);
        Post(MessageBuilder(XA_MSG_NOTIFY_INPUT_POSITION_RANGE).Dword(0, range_).Build());
        if (input_)
            ReportProgress(Report::Always);
        return Ack(code);
    case XA_MSG_GET_INPUT_POSITION_RANGE:
        return Post(MessageBuilder(XA_MSG_NOTIFY_INPUT_POSITION_RANGE).Dword(0, range_).Build());
    case XA_MSG_SET_INPUT_TIMECODE_GRANULARITY:
        if (command.ints[0] <= 0)
            return Nack(code, XA_ERROR_INVALID_PARAMETERS);
        granularityMs_ = static_cast<uint32_t>(command.ints[0]);
        return Ack(code);
    case XA_MSG_GET_INPUT_TIMECODE_GRANULARITY:
        return Post(MessageBuilder(XA_MSG_NOTIFY_INPUT_TIMECODE_GRANULARITY)
                        .Dword(0, granularityMs_)
                        .Build());
    case XA_MSG_GET_OUTPUT_NAME:
        return Post(MessageBuilder(XA_MSG_NOTIFY_OUTPUT_NAME)
                        .Text(0, outputName_.empty() ? std::string("sdl:") : outputName_)
                        .Build());
    case XA_MSG_GET_OUTPUT_MODULE: {
        const auto kind = ParseOutputName(outputName_).value_or(OutputName{}).kind;
        return Post(MessageBuilder(XA_MSG_NOTIFY_OUTPUT_MODULE)
                        .Word(0, static_cast<uint16_t>(kind))
                        .Build());
    }
    case XA_MSG_SET_OUTPUT_VOLUME:
        for (int i = 0; i < 3; ++i)
            if (command.ints[i] < 0 || command.ints[i] > 100)
                return Nack(code, XA_ERROR_INVALID_PARAMETERS);
        masterLevel_ = static_cast<uint8_t>(command.ints[0]);
        pcmLevel_ = static_cast<uint8_t>(command.ints[1]);
        balance_ = static_cast<uint8_t>(command.ints[2]);
        return Ack(code);
    case XA_MSG_GET_OUTPUT_VOLUME:
        return Post(MessageBuilder(XA_MSG_NOTIFY_OUTPUT_VOLUME)
                        .Byte(0, masterLevel_)
                        .Byte(1, pcmLevel_)
                        .Byte(2, balance_)
                        .Build());
    case XA_MSG_GET_OUTPUT_CHANNELS: {
        const int channels = output_  ? outputFormat_.channels
                             : input_ ? input_->Format().channels
                                      : 0;
        return Post(MessageBuilder(XA_MSG_NOTIFY_OUTPUT_CHANNELS)
                        .Byte(0, static_cast<uint8_t>(channels))
                        .Build());
    }
    case XA_MSG_GET_OUTPUT_PORTS:
        return Post(MessageBuilder(XA_MSG_NOTIFY_OUTPUT_PORTS).Byte(0, 0).Build());
    case XA_MSG_GET_CODEC_QUALITY:
        return Post(MessageBuilder(XA_MSG_NOTIFY_CODEC_QUALITY).Byte(0, 0).Build());
    case XA_MSG_SET_CODEC_EQUALIZER:
        if (command.hasEqualizer)
            equalizer_ = command.equalizer;
        else
            equalizer_.reset();
        if (input_)
            input_->SetEqualizer(equalizer_ ? &*equalizer_ : nullptr);
        return Ack(code);
    case XA_MSG_GET_CODEC_EQUALIZER:
        return Post(MessageBuilder(XA_MSG_NOTIFY_CODEC_EQUALIZER)
                        .Equalizer(equalizer_ ? &*equalizer_ : nullptr)
                        .Build());
    case XA_MSG_GET_NOTIFICATION_MASK:
        return Post(MessageBuilder(XA_MSG_NOTIFY_NOTIFICATION_MASK).Dword(0, 0xFFFFFFFF).Build());
    case XA_MSG_SET_DEBUG_LEVEL:
        if (command.ints[0] < 0 || command.ints[0] > 255)
            return Nack(code, XA_ERROR_INVALID_PARAMETERS);
        debugLevel_ = static_cast<uint8_t>(command.ints[0]);
        return Ack(code);
    case XA_MSG_GET_DEBUG_LEVEL:
        return Post(MessageBuilder(XA_MSG_NOTIFY_DEBUG_LEVEL).Byte(0, debugLevel_).Build());
    default:
        // Messages to modules, filters, module registration, player modes, module selection
        // by id, channel and port selection, codec quality and notification masks.
        return Nack(code, XA_ERROR_NOT_SUPPORTED);
    }
}

} // namespace orvane::engine
