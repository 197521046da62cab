#include "engine/Player.h"

#include "engine/MessageBuilder.h"

#include <algorithm>
#include <future>

#ifdef __linux__
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace orvane::engine {

namespace {

// Bytes decoded at a time: about 93 ms of 44.1 kHz stereo.
constexpr size_t kChunk = 16384;
// The longest an output call may keep the thread from its commands.
constexpr std::chrono::milliseconds kWait{20};
constexpr std::chrono::milliseconds kPositionInterval{100};
// How long the sound card stays open while nothing plays (stopped, or the song's end heard), for
// the next song to start at once; then it is given back.
constexpr std::chrono::milliseconds kKeepCardIdle{1000};
// The longest a change of output format waits for the old format's sound to be heard.
constexpr std::chrono::seconds kDrainBeforeReopen{2};

} // namespace

Player::Player(const XA_NotificationTarget* target)
    : notifications_(target) {}

Player::~Player() {
    if (!thread_.joinable())
        return;
    Command exit;
    exit.code = XA_MSG_COMMAND_EXIT;
    commands_.Push(std::move(exit)); // refused when the player already exited
    thread_.join();
}

bool Player::Start() {
    std::promise<void> started;
    auto running = started.get_future();
    try {
        thread_ = std::thread([this, &started] {
#ifdef __linux__
            threadId_ = static_cast<long>(syscall(SYS_gettid));
#endif
            started.set_value();
            Run();
        });
    } catch (const std::system_error&) {
        return false;
    }
    running.wait();
    return true;
}

int Player::Send(Command command) {
    return commands_.Push(std::move(command)) ? XA_SUCCESS : XA_ERROR_PLAYER_EXITED;
}

int Player::SetPriority(int priority) {
    if (priority < XA_CONTROL_PRIORITY_LOWEST || priority > XA_CONTROL_PRIORITY_HIGHEST)
        return XA_ERROR_INVALID_PARAMETERS;
    std::lock_guard lock(priorityMutex_);
#ifdef __linux__
    // Nice values of the thread; raising it above normal needs the right to do so.
    static constexpr int kNice[] = {10, 5, 0, -5, -10};
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(threadId_.load()), kNice[priority]) != 0)
        return XA_ERROR_PERMISSION;
#endif
    priority_ = priority;
    return XA_SUCCESS;
}

int Player::Priority() const {
    std::lock_guard lock(priorityMutex_);
    return priority_;
}

void Player::Run() {
    Post(MessageBuilder(XA_MSG_NOTIFY_READY).Build());
    while (!exiting_) {
        if (state_ == XA_PLAYER_STATE_PLAYING) {
            Command command;
            while (!exiting_ && commands_.TryPop(command))
                Handle(command);
            if (!exiting_ && state_ == XA_PLAYER_STATE_PLAYING)
                Step();
        } else if (tailPlaying_) {
            // The song's end still sounds: a next song that comes now follows it seamlessly.
            Command command;
            if (commands_.PopFor(kWait, command))
                Handle(command);
            else if (!output_ || output_->Drain(std::chrono::milliseconds(0)))
                tailPlaying_ = false;
        } else if (HoldsSoundCard() && state_ != XA_PLAYER_STATE_PAUSED) {
            // When nothing comes soon the card is given back: nothing plays silence on it once
            // the user stopped or the queue is done.
            Command command;
            if (commands_.PopFor(kKeepCardIdle, command))
                Handle(command);
            else
                CloseOutput();
        } else {
            Handle(commands_.Pop());
        }
    }
    for (const Command& late : commands_.Close())
        Nack(late.code, XA_ERROR_PLAYER_EXITED);
    Post(MessageBuilder(XA_MSG_NOTIFY_EXITED).Build());
}

void Player::Step() {
    if (pendingOffset_ >= pending_.size()) {
        DecodeChunk();
        if (state_ != XA_PLAYER_STATE_PLAYING || pending_.empty())
            return;
    }
    if (!EnsureOutput())
        return;
    std::string error;
    const std::span<const uint8_t> rest(pending_.data() + pendingOffset_,
                                        pending_.size() - pendingOffset_);
    const long taken = output_->Play(rest, kWait, error);
    if (taken < 0) {
        Error(XA_SOURCE_OUTPUT, XA_ERROR_WRITE_FAILED, error);
        StopPlaying();
        return;
    }
    pendingOffset_ += static_cast<size_t>(taken);
    if (pendingOffset_ >= pending_.size() && endAfterPending_)
        EndOfInput();
    else
        ReportProgress(Report::Paced);
}

void Player::EndOfInput() {
    // Reported while the output still plays the tail, so that the next song's InputOpen and
    // Play arrive before it ran out.
    endAfterPending_ = false;
    atEnd_ = true;
    tailPlaying_ = output_ != nullptr;
    ReportProgress(Report::Changed);
    SetState(XA_PLAYER_STATE_EOS);
}

void Player::DecodeChunk() {
    pending_.resize(kChunk);
    pendingOffset_ = 0;
    size_t bytes = 0;
    std::string error;
    const auto result = input_->Read(pending_.data(), pending_.size(), bytes, error);
    pending_.resize(bytes);
    if (result == Mpg123Decoder::ReadResult::Error) {
        // What could be decoded is played; the rest of the file counts as its end.
        Error(XA_SOURCE_CODEC, XA_ERROR_DECODE_FAILED, inputName_ + ": " + error);
        endAfterPending_ = true;
    } else if (result == Mpg123Decoder::ReadResult::Done) {
        endAfterPending_ = true;
    }
    ApplyVolume();
    if (pending_.empty() && endAfterPending_)
        EndOfInput();
}

void Player::ApplyVolume() {
    const bool neutral = masterLevel_ == 100 && pcmLevel_ == 100 && balance_ == 50;
    if (pending_.empty() || (neutral && !muted_))
        return;
    const double level = muted_ ? 0.0 : masterLevel_ / 100.0 * (pcmLevel_ / 100.0);
    const int channels = input_->Format().channels;
    const double left = level * std::min(1.0, (100 - balance_) / 50.0);
    const double right = level * std::min(1.0, balance_ / 50.0);
    auto* samples = reinterpret_cast<int16_t*>(pending_.data());
    const size_t count = pending_.size() / 2;
    for (size_t i = 0; i < count; ++i) {
        const double gain = channels == 2 ? (i % 2 == 0 ? left : right) : level;
        samples[i] = static_cast<int16_t>(samples[i] * gain);
    }
}

bool Player::OpenInput(int command, const std::string& name) {
    std::string error;
    const uint32_t serial = ++inputSerial_;
    auto decoder = Mpg123Decoder::Open(name, error, [this, serial] {
        Command scanned;
        scanned.code = kLengthScanned;
        scanned.internal = true;
        scanned.ints[0] = static_cast<int32_t>(serial);
        commands_.Push(std::move(scanned));
    });
    CloseInput();
    if (!decoder) {
        Error(XA_SOURCE_INPUT, XA_ERROR_OPEN_FAILED, "cannot open " + name + ": " + error);
        // At the end of input the tail of the song before plays on; the refusal (error and
        // Nack) tells the queue to move on.
        if (state_ != XA_PLAYER_STATE_STOPPED && state_ != XA_PLAYER_STATE_EOS)
            StopPlaying();
        Nack(command, XA_ERROR_OPEN_FAILED);
        return false;
    }
    input_ = std::move(decoder);
    inputName_ = name;
    if (equalizer_)
        input_->SetEqualizer(&*equalizer_);

    const StreamInfo info = input_->Info();
    const PcmFormat format = input_->Format();
    Post(MessageBuilder(XA_MSG_NOTIFY_INPUT_NAME).Text(0, name).Build());
    Post(MessageBuilder(XA_MSG_NOTIFY_INPUT_STREAM_INFO)
             .Byte(0, static_cast<uint8_t>(info.level))
             .Byte(1, static_cast<uint8_t>(info.layer))
             .Word(2, static_cast<uint16_t>(info.bitRate))
             .Word(4, static_cast<uint16_t>(info.rate))
             .Byte(6, static_cast<uint8_t>(info.mode))
             .Build());
    PostDuration();
    Post(MessageBuilder(XA_MSG_NOTIFY_INPUT_POSITION_RANGE).Dword(0, range_).Build());
    ReportProgress(Report::Always);
    Debug(1, "input " + name + ": " + std::to_string(format.rate) + " Hz, " +
                 std::to_string(format.channels) + " channels, " +
                 std::to_string(input_->Length()) + " frames");
    Ack(command);
    return true;
}

void Player::PostDuration() {
    const long rate = input_->Format().rate;
    const int64_t milliseconds = rate > 0 ? input_->Length() * 1000 / rate : 0;
    Post(MessageBuilder(XA_MSG_NOTIFY_INPUT_DURATION)
             .Dword(0, static_cast<uint32_t>(milliseconds))
             .Build());
}

void Player::CloseInput() {
    input_.reset();
    inputName_.clear();
    pending_.clear();
    pendingOffset_ = 0;
    atEnd_ = endAfterPending_ = false;
    lastOffset_ = lastTimecodeStep_ = -1;
    // The tail of a song that ended stays for the next song to follow.
    if (output_ && !tailPlaying_)
        output_->Cancel();
}

void Player::SelectOutput(int command, const std::string& name) {
    if (!ParseOutputName(name)) {
        Error(XA_SOURCE_OUTPUT, XA_ERROR_INVALID_PARAMETERS, "no output is called " + name);
        Nack(command, XA_ERROR_INVALID_PARAMETERS);
        return;
    }
    CloseOutput();
    outputName_ = name;
    Post(MessageBuilder(XA_MSG_NOTIFY_OUTPUT_NAME).Text(0, name).Build());
    // With an input the format is known, so the output opens now and a failure shows at once.
    if (input_) {
        if (!OpenOutput(input_->Format())) {
            if (state_ != XA_PLAYER_STATE_STOPPED)
                StopPlaying();
            Nack(command, XA_ERROR_OUTPUT_FAILED);
            return;
        }
        if (state_ == XA_PLAYER_STATE_PAUSED)
            output_->Pause(true);
    }
    Ack(command);
}

bool Player::EnsureOutput() {
    const PcmFormat wanted = input_->Format();
    if (output_ && outputFormat_ == wanted)
        return true;
    if (output_ && !output_->Reopenable()) {
        Error(XA_SOURCE_OUTPUT, XA_ERROR_OUTPUT_FAILED,
              "the output file was opened for another sample format");
        StopPlaying();
        return false;
    }
    if (output_) {
        // What it holds in the old format is heard first (the end of the song before).
        const auto deadline = Clock::now() + kDrainBeforeReopen;
        while (!output_->Drain(kWait) && Clock::now() < deadline) {
        }
        tailPlaying_ = false;
    }
    if (!OpenOutput(wanted)) {
        if (state_ != XA_PLAYER_STATE_STOPPED)
            StopPlaying();
        return false;
    }
    return true;
}

bool Player::OpenOutput(const PcmFormat& format) {
    const OutputName name = ParseOutputName(outputName_).value_or(OutputName{});
    // An open output opens again in the new format (the sound card keeps SDL's audio running).
    if (!output_)
        output_ = MakeOutput(name);
    std::string error;
    if (!output_->Open(format, error)) {
        if (name.kind != OutputKind::SoundCard) {
            Error(XA_SOURCE_OUTPUT, XA_ERROR_OUTPUT_FAILED, error);
            output_.reset();
            return false;
        }
        // Without a sound card the player still plays, in silence and in real time, so that
        // positions, timecodes and the end of input arrive as usual.
        Error(XA_SOURCE_OUTPUT, XA_ERROR_OUTPUT_FAILED,
              "cannot open the sound card (" + error + "); playing without sound");
        output_ = MakeNullOutput();
        output_->Open(format, error);
    }
    outputFormat_ = format;
    Debug(1, "output " + (outputName_.empty() ? std::string("sdl:") : outputName_) + ": " +
                 std::to_string(format.rate) + " Hz, " + std::to_string(format.channels) +
                 " channels");
    return true;
}

void Player::CloseOutput() {
    tailPlaying_ = false;
    if (!output_)
        return;
    std::string error;
    if (!output_->Close(error))
        Error(XA_SOURCE_OUTPUT, XA_ERROR_WRITE_FAILED, error);
    output_.reset();
}

bool Player::HoldsSoundCard() const {
    return output_ &&
           ParseOutputName(outputName_).value_or(OutputName{}).kind == OutputKind::SoundCard;
}

void Player::StopPlaying() {
    pending_.clear();
    pendingOffset_ = 0;
    endAfterPending_ = tailPlaying_ = false;
    if (output_) {
        // What was still to be heard fades out. The output stays open for the next Play: a
        // file until it is closed, the sound card until it was idle for a moment.
        output_->Cancel();
        output_->Pause(false);
    }
    if (input_)
        Rewind();
    SetState(XA_PLAYER_STATE_STOPPED);
    if (input_)
        ReportProgress(Report::Always);
}

int64_t Player::HeardFrame() const {
    int64_t frame = input_->Tell();
    const int frameBytes = input_->Format().FrameBytes();
    if (frameBytes > 0)
        frame -= static_cast<int64_t>((pending_.size() - pendingOffset_) / size_t(frameBytes));
    // At the start of a song that follows another, the other's tail is still to be heard.
    if (output_)
        frame -= output_->Unheard();
    return std::max<int64_t>(frame, 0);
}

void Player::Rewind() {
    std::string error;
    if (!input_->Seek(0, error))
        Error(XA_SOURCE_INPUT, XA_FAILURE, inputName_ + ": " + error);
    atEnd_ = false;
}

void Player::SetState(uint8_t state) {
    if (state == state_)
        return;
    state_ = state;
    Post(MessageBuilder(XA_MSG_NOTIFY_PLAYER_STATE).Byte(0, state).Build());
}

void Player::Ack(int command) {
    Post(AckMessage(command));
}

void Player::Nack(int command, int code) {
    Post(NackMessage(command, code));
}

void Player::Error(uint8_t source, int code, const std::string& text) {
    Post(ErrorMessage(source, code, text));
}

void Player::Debug(uint8_t level, const std::string& text) {
    if (level <= debugLevel_)
        Post(MessageBuilder(XA_MSG_NOTIFY_DEBUG)
                 .Byte(0, XA_SOURCE_PLAYER)
                 .Byte(1, level)
                 .Text(4, text)
                 .Build());
}

void Player::ReportProgress(Report report) {
    if (!input_)
        return;
    const int64_t length = input_->Length();
    const int64_t frame = atEnd_ ? std::max(length, input_->Tell()) : HeardFrame();
    int64_t offset = 0;
    if (atEnd_)
        offset = range_;
    else if (length > 0)
        offset = std::min<int64_t>(range_, frame * range_ / length);

    const auto now = Clock::now();
    const bool always = report == Report::Always;
    const bool due = report == Report::Changed || now - lastPositionAt_ >= kPositionInterval;
    if (always || (offset != lastOffset_ && due)) {
        Post(MessageBuilder(XA_MSG_NOTIFY_INPUT_POSITION)
                 .Dword(0, static_cast<uint32_t>(offset))
                 .Dword(4, range_)
                 .Build());
        lastOffset_ = offset;
        lastPositionAt_ = now;
    }

    const long rate = input_->Format().rate;
    const int64_t milliseconds = rate > 0 ? frame * 1000 / rate : 0;
    const int64_t step = milliseconds / granularityMs_;
    if (always || step != lastTimecodeStep_) {
        const int64_t hours = std::min<int64_t>(milliseconds / 3600000, 255);
        Post(MessageBuilder(XA_MSG_NOTIFY_INPUT_TIMECODE)
                 .Byte(0, static_cast<uint8_t>(hours))
                 .Byte(1, static_cast<uint8_t>(milliseconds / 60000 % 60))
                 .Byte(2, static_cast<uint8_t>(milliseconds / 1000 % 60))
                 .Byte(3, static_cast<uint8_t>(milliseconds % 1000 / 10))
                 .Build());
        lastTimecodeStep_ = step;
    }
}

} // namespace orvane::engine
