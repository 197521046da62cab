#include "engine/NotificationQueue.h"

namespace orvane::engine {

NotificationQueue::NotificationQueue(const XA_NotificationTarget* target) {
    if (target)
        target_ = *target;
}

void NotificationQueue::Post(XA_Message message) {
    {
        std::lock_guard lock(mutex_);
        messages_.push_back(std::move(message));
    }
    posted_.notify_one();
    if (target_.wake)
        target_.wake(target_.context);
}

bool NotificationQueue::TryTake(XA_Message& message) {
    std::lock_guard lock(mutex_);
    if (messages_.empty())
        return false;
    message = std::move(messages_.front());
    messages_.pop_front();
    return true;
}

bool NotificationQueue::WaitTake(XA_Message& message, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!posted_.wait_for(lock, timeout, [this] { return !messages_.empty(); }))
        return false;
    message = std::move(messages_.front());
    messages_.pop_front();
    return true;
}

} // namespace orvane::engine
