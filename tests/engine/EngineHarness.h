#pragma once
// A real engine player driven from a test thread: commands go in through the engine's send
// functions, notifications are taken with deadlines that fail the test instead of hanging it.

#include "engine/Xaudio.h"
#include "support/audio/AudioFixtures.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace orvane::test {

uint8_t Byte(const XA_Message& msg, int offset);
uint16_t Word(const XA_Message& msg, int offset);
uint32_t Dword(const XA_Message& msg, int offset);
std::string Text(const XA_Message& msg, int offset);

// A tone encoded to dir/name (a failure when it cannot be written).
std::filesystem::path Tone(const audio::ScratchDir& dir, const std::string& name,
                           const audio::ToneOptions& options);

class EnginePlayer {
public:
    EnginePlayer();
    EnginePlayer(const EnginePlayer&) = delete;
    EnginePlayer& operator=(const EnginePlayer&) = delete;
    ~EnginePlayer();

    XA_Player get() const { return player_; }

    // Takes notifications until one with the code (and matching the test) comes; false when
    // none came within the deadline. Every taken notification is appended to log.
    bool WaitFor(int code, const std::function<bool(const XA_Message&)>& test = {},
                 std::chrono::seconds deadline = std::chrono::seconds(30));
    bool WaitForState(uint8_t state) {
        return WaitFor(XA_MSG_NOTIFY_PLAYER_STATE,
                       [state](const XA_Message& m) { return m.data[0] == state; });
    }
    // Pings with a fresh tag and waits for its pong: every earlier answer has arrived after it.
    // Returns the notifications that came in between (the pong not included).
    std::vector<XA_Message> Settle();

    // The notifications taken since the last Settle() or the start.
    std::vector<XA_Message> log;
    int Count(int code, int firstByte = -1) const;

    void Open(const std::filesystem::path& input);
    void Output(const std::string& name);
    void Send(int code) { control_message_send_N(player_, code); }

private:
    XA_Player player_ = nullptr;
    uint32_t nextTag_ = 1000;
};

} // namespace orvane::test
