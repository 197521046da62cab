#pragma once
// A substitute engine behind XaudioLibrary: it records every call and delivers only the
// notifications a test posts, through the same queue-and-wake path as the real engine.
// One FakeXaudio exists at a time (the handle-less functions reach it through a static).
// Single-threaded: everything runs on the test's thread.

#include "playback/XaudioLibrary.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvane::test {

class FakeXaudio {
public:
    struct Sent {
        int code = 0;
        std::string form;     // the letters of the send function: "N", "I", "SI", ...
        int32_t ints[3] = {}; // the integers in order (those of "IPI" at 0 and 1)
        std::string texts[2];
        const void* pointer = nullptr;
    };

    struct Player {
        XA_NotificationTarget target;
        std::deque<XA_Message> queue;
        std::vector<Sent> sent;
        int priority = XA_CONTROL_PRIORITY_NORMAL;
        int gets = 0; // calls of control_message_get
        bool deleted = false;
    };

    FakeXaudio();
    FakeXaudio(const FakeXaudio&) = delete;
    FakeXaudio& operator=(const FakeXaudio&) = delete;
    ~FakeXaudio();

    const XaudioLibrary& Library() const;

    // What the next calls answer.
    uint32_t version = (3u << 16) | (2u << 8);
    int newResult = 0;
    int sendResult = 0;
    // Called after each command is recorded, for scripted answers (Post from inside is fine).
    std::function<void(FakeXaudio&, int player, const Sent&)> onSend;

    // Players in the order player_new made them.
    int PlayerCount() const { return static_cast<int>(players_.size()); }
    Player& player(int index = 0) { return *players_.at(static_cast<size_t>(index)); }
    std::vector<int> versionRequests;

    // Queues a notification for a player and wakes its target, as the engine's thread would.
    void Post(int player, XA_Message message);

    // Makes onSend answer as the engine does: InputOpen with the input name; Play, Pause and
    // Stop with their state when it changes. Each command then goes on to seen, if given.
    void AnswerLikeTheEngine(std::function<void(const Sent&)> seen = {});
    // The state that AnswerLikeTheEngine keeps; PostState reports a change of it (as the end of
    // input) for player 0.
    uint8_t engineState = XA_PLAYER_STATE_STOPPED;
    void PostState(uint8_t state);

private:
    friend struct FakeCalls;
    std::vector<std::unique_ptr<Player>> players_;
    std::string errorText_;
};

} // namespace orvane::test
