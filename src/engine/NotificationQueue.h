#pragma once
// A player's outgoing notifications. The player thread posts; one consumer takes them off in
// order. The target's wake function is called after each post, outside the lock.

#include "engine/Xaudio.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace orvane::engine {

class NotificationQueue {
public:
    explicit NotificationQueue(const XA_NotificationTarget* target);
    NotificationQueue(const NotificationQueue&) = delete;
    NotificationQueue& operator=(const NotificationQueue&) = delete;

    void Post(XA_Message message);
    bool TryTake(XA_Message& message);
    bool WaitTake(XA_Message& message, std::chrono::milliseconds timeout);

private:
    XA_NotificationTarget target_;
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<XA_Message> messages_;
};

} // namespace orvane::engine
