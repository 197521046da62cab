#pragma once
// Commands on their way to a player's thread. Any thread pushes; the player thread pops. After
// Close() the queue refuses new commands, so a sender learns at once that nobody will answer.

#include "engine/Xaudio.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace orvane::engine {

struct Command {
    int code = 0;
    int32_t ints[3] = {};
    std::string texts[2];
    // SET_CODEC_EQUALIZER: the record copied when the command was sent; absent means "off".
    bool hasEqualizer = false;
    XA_EqualizerInfo equalizer{};
    // Sent by the player's own helpers, never through the exported functions.
    bool internal = false;
};

class CommandQueue {
public:
    // False when the queue is closed.
    bool Push(Command command);
    // Waits for a command.
    Command Pop();
    bool TryPop(Command& command);
    // Waits at most `wait` for a command; false when none came.
    bool PopFor(std::chrono::milliseconds wait, Command& command);
    // Refuses further commands and hands back those still waiting.
    std::vector<Command> Close();

private:
    std::mutex mutex_;
    std::condition_variable pushed_;
    std::deque<Command> commands_;
    bool closed_ = false;
};

} // namespace orvane::engine
