// The engine's exported functions: thin forwarding onto Player objects.

#include "engine/Player.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <new>

using orvane::engine::Command;
using orvane::engine::Player;

namespace {

Player* AsPlayer(XA_Player handle) {
    return reinterpret_cast<Player*>(handle);
}

int Send(XA_Player handle, Command command) {
    if (!handle)
        return XA_ERROR_INVALID_PLAYER;
    return AsPlayer(handle)->Send(std::move(command));
}

Command Make(int code, int32_t a = 0, int32_t b = 0, int32_t c = 0) {
    Command command;
    command.code = code;
    command.ints[0] = a;
    command.ints[1] = b;
    command.ints[2] = c;
    return command;
}

} // namespace

extern "C" {

uint32_t xaudio_get_api_version(int) {
    return (3u << 16) | (2u << 8);
}

int player_new(XA_Player* player, const XA_NotificationTarget* target) {
    if (!player)
        return XA_ERROR_INVALID_PARAMETERS;
    *player = nullptr;
    std::unique_ptr<Player> created;
    try {
        created = std::make_unique<Player>(target);
    } catch (const std::bad_alloc&) {
        return XA_ERROR_OUT_OF_MEMORY;
    }
    if (!created->Start())
        return XA_ERROR_THREAD;
    *player = reinterpret_cast<XA_Player>(created.release());
    return XA_SUCCESS;
}

int player_delete(XA_Player player) {
    if (!player)
        return XA_ERROR_INVALID_PLAYER;
    std::unique_ptr<Player> owned(AsPlayer(player));
    return XA_SUCCESS;
}

int player_set_priority(XA_Player player, int priority) {
    return player ? AsPlayer(player)->SetPriority(priority) : XA_ERROR_INVALID_PLAYER;
}

int player_get_priority(XA_Player player) {
    return player ? AsPlayer(player)->Priority() : XA_ERROR_INVALID_PLAYER;
}

const char* xaudio_error_string(int code) {
    switch (code) {
    case XA_SUCCESS:
        return "success";
    case XA_FAILURE:
        return "the operation failed";
    case XA_ERROR_OUT_OF_MEMORY:
        return "out of memory";
    case XA_ERROR_INVALID_PARAMETERS:
        return "invalid parameters";
    case XA_ERROR_NOT_SUPPORTED:
        return "command not supported by this engine";
    case XA_ERROR_NO_INPUT:
        return "no input is open";
    case XA_ERROR_INVALID_STATE:
        return "not possible in the player's present state";
    case XA_ERROR_OPEN_FAILED:
        return "the input cannot be opened";
    case XA_ERROR_OUTPUT_FAILED:
        return "the output cannot be opened";
    case XA_ERROR_DECODE_FAILED:
        return "the input cannot be decoded";
    case XA_ERROR_WRITE_FAILED:
        return "the output cannot be written";
    case XA_ERROR_PLAYER_EXITED:
        return "the player has exited";
    case XA_ERROR_NO_SUCH_VARIABLE:
        return "no such environment variable";
    case XA_ERROR_NO_MESSAGE:
        return "no notification is pending";
    case XA_ERROR_INVALID_PLAYER:
        return "invalid player";
    case XA_ERROR_THREAD:
        return "the player's thread cannot be started";
    case XA_ERROR_PERMISSION:
        return "the system refused the request";
    case XA_ERROR_TIMEOUT:
        return "timed out";
    default:
        return "unknown status code";
    }
}

int control_message_get(XA_Player player, XA_Message* message) {
    if (!player || !message)
        return XA_ERROR_INVALID_PARAMETERS;
    return AsPlayer(player)->Notifications().TryTake(*message) ? XA_SUCCESS : XA_ERROR_NO_MESSAGE;
}

int control_message_wait(XA_Player player, XA_Message* message, int timeout_ms) {
    if (!player || !message)
        return XA_ERROR_INVALID_PARAMETERS;
    return AsPlayer(player)->Notifications().WaitTake(
               *message, std::chrono::milliseconds(std::max(timeout_ms, 0)))
               ? XA_SUCCESS
               : XA_ERROR_TIMEOUT;
}

int control_message_send_N(XA_Player player, int code) {
    return Send(player, Make(code));
}

int control_message_send_I(XA_Player player, int code, int32_t a) {
    return Send(player, Make(code, a));
}

int control_message_send_II(XA_Player player, int code, int32_t a, int32_t b) {
    return Send(player, Make(code, a, b));
}

int control_message_send_III(XA_Player player, int code, int32_t a, int32_t b, int32_t c) {
    return Send(player, Make(code, a, b, c));
}

int control_message_send_P(XA_Player player, int code, const void* pointer) {
    Command command = Make(code);
    // The caller's record needs to live only for this call.
    if (code == XA_MSG_SET_CODEC_EQUALIZER && pointer) {
        command.hasEqualizer = true;
        std::memcpy(&command.equalizer, pointer, sizeof command.equalizer);
    }
    return Send(player, std::move(command));
}

int control_message_send_S(XA_Player player, int code, const char* s) {
    if (!s)
        return XA_ERROR_INVALID_PARAMETERS;
    Command command = Make(code);
    command.texts[0] = s;
    return Send(player, std::move(command));
}

int control_message_send_SS(XA_Player player, int code, const char* s1, const char* s2) {
    if (!s1 || !s2)
        return XA_ERROR_INVALID_PARAMETERS;
    Command command = Make(code);
    command.texts[0] = s1;
    command.texts[1] = s2;
    return Send(player, std::move(command));
}

int control_message_send_SI(XA_Player player, int code, const char* s, int32_t a) {
    if (!s)
        return XA_ERROR_INVALID_PARAMETERS;
    Command command = Make(code, a);
    command.texts[0] = s;
    return Send(player, std::move(command));
}

int control_message_send_IPI(XA_Player player, int code, int32_t a, const void*, int32_t size) {
    // No module takes messages, so the data is not read; the player answers Nack.
    return Send(player, Make(code, a, 0, size));
}

} // extern "C"
