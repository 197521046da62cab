#pragma once
// One engine player: a thread that takes commands from its CommandQueue, decodes the open
// input and feeds the open output, and reports through its NotificationQueue.
//
// Threads: Send(), the priority calls and the notification queue are used from any thread;
// everything else (input, output, state, settings) belongs to the player thread alone.
//
// What users rely on:
// - a player-state notification on every change of state and never otherwise;
// - input name, stream information, duration, position range, position 0 and timecode 0 when
//   an input was opened (the duration again when a scan made a guessed length exact);
//   positions as playing advances (at most 10 a second, whenever the offset changes) and
//   timecodes at every `granularity` of audio, both of what is heard, not of what was decoded;
// - the end of input as soon as the decoder delivered the song's last samples, while the
//   output still plays them (the tail, up to about 250 ms). An input opened then waits for
//   Play without a stop, and plays on in the same output stream with no gap when its format
//   is the same; another rate or channel count opens the output anew after the tail;
// - an input that cannot be opened is refused with an error notification and a Nack; at the
//   end of input the tail of the song before plays on, so the next song can follow it;
// - the sound card is kept open from song to song and over a stop, and given back once it was
//   idle for a moment (stopped, or at the end of input with the tail played);
// - stopping, seeking and opening another input fade out what was still to be heard;
// - every command is answered: Pong, the notification a Get asks for, Ack when done, or Nack
//   with the reason (an error notification with a text comes first when something failed).

#include "engine/AudioOutput.h"
#include "engine/CommandQueue.h"
#include "engine/Mpg123Decoder.h"
#include "engine/NotificationQueue.h"

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace orvane::engine {

class Player {
public:
    explicit Player(const XA_NotificationTarget* target);
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;
    // Exits the thread if it still runs and waits for it.
    ~Player();

    // Starts the thread; false when the system refuses one.
    bool Start();
    int Send(Command command);
    NotificationQueue& Notifications() { return notifications_; }

    int SetPriority(int priority);
    int Priority() const;

private:
    using Clock = std::chrono::steady_clock;
    // A command of the player to itself: a scan made the length of input ints[0] exact.
    static constexpr int kLengthScanned = -1;

    void Run();
    void Handle(const Command& command);
    void HandleSetting(const Command& command);
    void Step();
    void DecodeChunk();
    void EndOfInput();
    // The frame of the input being heard now: decoded, less what waits to be played.
    int64_t HeardFrame() const;
    void PostDuration();
    void ApplyVolume();

    // Actions shared by several commands.
    bool OpenInput(int command, const std::string& name);
    void CloseInput();
    void SelectOutput(int command, const std::string& name);
    bool EnsureOutput();
    bool OpenOutput(const PcmFormat& format);
    void CloseOutput();
    // An output is open for the sound card (also when it fell back to playing silence).
    bool HoldsSoundCard() const;
    void StopPlaying();
    void Rewind();
    void SetState(uint8_t state);

    // Notifications.
    void Post(XA_Message message) { notifications_.Post(std::move(message)); }
    void Ack(int command);
    void Nack(int command, int code);
    void Error(uint8_t source, int code, const std::string& text);
    void Debug(uint8_t level, const std::string& text);
    // Position and timecode: Paced while playing (positions at most every 100 ms), Changed
    // for the end of input (whatever moved since the last report), Always after an open, a
    // seek, a stop or a new range.
    enum class Report { Paced, Changed, Always };
    void ReportProgress(Report report);
    void ReportModuleInfo(int code, int id);

    NotificationQueue notifications_;
    CommandQueue commands_;
    std::thread thread_;
    std::atomic<long> threadId_{0};
    mutable std::mutex priorityMutex_;
    int priority_ = XA_CONTROL_PRIORITY_NORMAL;

    // Player thread only.
    uint8_t state_ = XA_PLAYER_STATE_STOPPED;
    bool exiting_ = false;
    std::unique_ptr<Mpg123Decoder> input_;
    std::string inputName_;
    uint32_t inputSerial_ = 0;     // tells a late scan result of an earlier input apart
    bool atEnd_ = false;           // the input was decoded to its end
    bool endAfterPending_ = false; // the decoder is done; pending_ holds the last data
    bool tailPlaying_ = false;     // at the end of input, the output still plays the song's end
    std::vector<uint8_t> pending_;
    size_t pendingOffset_ = 0;
    std::string outputName_; // as asked for; empty is the sound card
    std::unique_ptr<AudioOutput> output_;
    PcmFormat outputFormat_;
    uint32_t range_ = XA_DEFAULT_POSITION_RANGE;
    uint32_t granularityMs_ = 1000;
    std::optional<XA_EqualizerInfo> equalizer_;
    uint8_t masterLevel_ = 100;
    uint8_t pcmLevel_ = 100;
    uint8_t balance_ = 50;
    bool muted_ = false;
    uint8_t debugLevel_ = 0;
    std::map<std::string, int32_t> integers_;
    std::map<std::string, std::string> strings_;
    int64_t lastOffset_ = -1;
    Clock::time_point lastPositionAt_{};
    int64_t lastTimecodeStep_ = -1;
};

} // namespace orvane::engine
