#include "engine/CommandQueue.h"

namespace orvane::engine {

bool CommandQueue::Push(Command command) {
    {
        std::lock_guard lock(mutex_);
        if (closed_)
            return false;
        commands_.push_back(std::move(command));
    }
    pushed_.notify_one();
    return true;
}

Command CommandQueue::Pop() {
    std::unique_lock lock(mutex_);
    pushed_.wait(lock, [this] { return !commands_.empty(); });
    Command command = std::move(commands_.front());
    commands_.pop_front();
    return command;
}

bool CommandQueue::TryPop(Command& command) {
    std::lock_guard lock(mutex_);
    if (commands_.empty())
        return false;
    command = std::move(commands_.front());
    commands_.pop_front();
    return true;
}

bool CommandQueue::PopFor(std::chrono::milliseconds wait, Command& command) {
    std::unique_lock lock(mutex_);
    if (!pushed_.wait_for(lock, wait, [this] { return !commands_.empty(); }))
        return false;
    command = std::move(commands_.front());
    commands_.pop_front();
    return true;
}

std::vector<Command> CommandQueue::Close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    std::vector<Command> left(std::make_move_iterator(commands_.begin()),
                              std::make_move_iterator(commands_.end()));
    commands_.clear();
    return left;
}

} // namespace orvane::engine
