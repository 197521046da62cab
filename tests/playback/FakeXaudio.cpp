#include "playback/FakeXaudio.h"

#include "engine/MessageBuilder.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace orvane::test {

namespace {

FakeXaudio* current = nullptr;

} // namespace

struct FakeCalls {
    static FakeXaudio::Player* Find(XA_Player handle, int* index = nullptr) {
        for (size_t i = 0; i < current->players_.size(); ++i) {
            if (reinterpret_cast<XA_Player>(current->players_[i].get()) == handle) {
                if (index)
                    *index = static_cast<int>(i);
                return current->players_[i].get();
            }
        }
        return nullptr;
    }

    // Records a command; its integers, texts and pointer in the order of the form's letters.
    static int Send(XA_Player handle, int code, const char* form,
                    std::initializer_list<int32_t> ints,
                    std::initializer_list<const char*> texts = {}, const void* pointer = nullptr) {
        int index = 0;
        FakeXaudio::Player* player = Find(handle, &index);
        if (!player)
            return XA_ERROR_INVALID_PLAYER;
        FakeXaudio::Sent& sent = player->sent.emplace_back();
        sent.code = code;
        sent.form = form;
        std::copy(ints.begin(), ints.end(), sent.ints);
        std::copy(texts.begin(), texts.end(), sent.texts);
        sent.pointer = pointer;
        if (current->onSend)
            current->onSend(*current, index, player->sent.back());
        return current->sendResult;
    }

    static uint32_t Version(int which) {
        current->versionRequests.push_back(which);
        return current->version;
    }
    static int New(XA_Player* handle, const XA_NotificationTarget* target) {
        auto player = std::make_unique<FakeXaudio::Player>();
        if (target)
            player->target = *target;
        if (current->newResult != 0) {
            *handle = nullptr;
            return current->newResult;
        }
        *handle = reinterpret_cast<XA_Player>(player.get());
        current->players_.push_back(std::move(player));
        return XA_SUCCESS;
    }
    static int Delete(XA_Player handle) {
        FakeXaudio::Player* player = Find(handle);
        if (!player)
            return XA_ERROR_INVALID_PLAYER;
        player->deleted = true;
        player->queue.clear();
        return XA_SUCCESS;
    }
    static int SetPriority(XA_Player handle, int priority) {
        FakeXaudio::Player* player = Find(handle);
        if (!player)
            return XA_ERROR_INVALID_PLAYER;
        player->priority = priority;
        return XA_SUCCESS;
    }
    static int GetPriority(XA_Player handle) {
        FakeXaudio::Player* player = Find(handle);
        if (!player)
            return XA_ERROR_INVALID_PLAYER;
        return player->priority;
    }
    static const char* ErrorString(int code) {
        current->errorText_ = "fake error " + std::to_string(code);
        return current->errorText_.c_str();
    }
    static int Get(XA_Player handle, XA_Message* message) {
        FakeXaudio::Player* player = Find(handle);
        if (player)
            ++player->gets;
        if (!player || player->queue.empty())
            return XA_ERROR_NO_MESSAGE;
        *message = std::move(player->queue.front());
        player->queue.pop_front();
        return XA_SUCCESS;
    }
    static int SendN(XA_Player p, int code) { return Send(p, code, "N", {}); }
    static int SendI(XA_Player p, int code, int32_t a) { return Send(p, code, "I", {a}); }
    static int SendII(XA_Player p, int code, int32_t a, int32_t b) {
        return Send(p, code, "II", {a, b});
    }
    static int SendIII(XA_Player p, int code, int32_t a, int32_t b, int32_t c) {
        return Send(p, code, "III", {a, b, c});
    }
    static int SendP(XA_Player p, int code, const void* pointer) {
        return Send(p, code, "P", {}, {}, pointer);
    }
    static int SendS(XA_Player p, int code, const char* s) { return Send(p, code, "S", {}, {s}); }
    static int SendSS(XA_Player p, int code, const char* s1, const char* s2) {
        return Send(p, code, "SS", {}, {s1, s2});
    }
    static int SendSI(XA_Player p, int code, const char* s, int32_t a) {
        return Send(p, code, "SI", {a}, {s});
    }
    static int SendIPI(XA_Player p, int code, int32_t a, const void* pointer, int32_t size) {
        return Send(p, code, "IPI", {a, size}, {}, pointer);
    }
};

FakeXaudio::FakeXaudio() {
    if (current)
        throw std::logic_error("only one FakeXaudio at a time");
    current = this;
}

FakeXaudio::~FakeXaudio() {
    current = nullptr;
}

const XaudioLibrary& FakeXaudio::Library() const {
    static const XaudioLibrary library{
        &FakeCalls::Version,     &FakeCalls::New,         &FakeCalls::Delete,
        &FakeCalls::SetPriority, &FakeCalls::GetPriority, &FakeCalls::ErrorString,
        &FakeCalls::Get,         &FakeCalls::SendN,       &FakeCalls::SendI,
        &FakeCalls::SendII,      &FakeCalls::SendIII,     &FakeCalls::SendP,
        &FakeCalls::SendS,       &FakeCalls::SendSS,      &FakeCalls::SendSI,
        &FakeCalls::SendIPI,
    };
    return library;
}

void FakeXaudio::Post(int index, XA_Message message) {
    Player& target = player(index);
    if (target.deleted)
        return;
    target.queue.push_back(std::move(message));
    if (target.target.wake)
        target.target.wake(target.target.context);
}

void FakeXaudio::PostState(uint8_t state) {
    engineState = state;
    Post(0, engine::MessageBuilder(XA_MSG_NOTIFY_PLAYER_STATE).Byte(0, state).Build());
}

void FakeXaudio::AnswerLikeTheEngine(std::function<void(const Sent&)> seen) {
    onSend = [seen = std::move(seen)](FakeXaudio& engine, int player, const Sent& sent) {
        using engine::MessageBuilder;
        // The state each command leads to; the engine tells only a change.
        const std::map<int, uint8_t> states{{XA_MSG_COMMAND_PLAY, XA_PLAYER_STATE_PLAYING},
                                            {XA_MSG_COMMAND_PAUSE, XA_PLAYER_STATE_PAUSED},
                                            {XA_MSG_COMMAND_STOP, XA_PLAYER_STATE_STOPPED}};
        if (sent.code == XA_MSG_COMMAND_INPUT_OPEN)
            engine.Post(player,
                        MessageBuilder(XA_MSG_NOTIFY_INPUT_NAME).Text(0, sent.texts[0]).Build());
        const auto state = states.find(sent.code);
        if (state != states.end() && engine.engineState != state->second) {
            engine.engineState = state->second;
            engine.Post(player,
                        MessageBuilder(XA_MSG_NOTIFY_PLAYER_STATE).Byte(0, state->second).Build());
        }
        if (seen)
            seen(sent);
    };
}

} // namespace orvane::test
