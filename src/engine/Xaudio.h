#pragma once
// The audio engine's interface: players, the commands sent to them and the notifications they
// answer with. Every player runs on a thread of its own; the send functions queue a command and
// return at once, and the outcome comes back later as XA_Message records on the player's
// notification queue, in the order the player produced them.
//
// The functions may be called from any thread. A player's notifications are taken off its
// queue by one consumer (usually the GUI thread, woken through the XA_NotificationTarget).

#include <cstdint>
#include <memory>

// An engine player. Opaque; made by player_new, released by player_delete.
using XA_Player = struct XA_PlayerInstance*;

// Status codes: 0 or positive is success, negative values are failures.
enum : int {
    XA_SUCCESS = 0,
    XA_FAILURE = -1,
    XA_ERROR_OUT_OF_MEMORY = -2,
    XA_ERROR_INVALID_PARAMETERS = -3,
    XA_ERROR_NOT_SUPPORTED = -4,
    XA_ERROR_NO_INPUT = -5,
    XA_ERROR_INVALID_STATE = -6,
    XA_ERROR_OPEN_FAILED = -7,
    XA_ERROR_OUTPUT_FAILED = -8,
    XA_ERROR_DECODE_FAILED = -9,
    XA_ERROR_WRITE_FAILED = -10,
    XA_ERROR_PLAYER_EXITED = -11,
    XA_ERROR_NO_SUCH_VARIABLE = -12,
    XA_ERROR_NO_MESSAGE = -13,
    XA_ERROR_INVALID_PLAYER = -14,
    XA_ERROR_THREAD = -15,
    XA_ERROR_PERMISSION = -16,
    XA_ERROR_TIMEOUT = -17,
};

// Command codes (the second argument of every control_message_send_* call).
enum : int {
    XA_MSG_COMMAND_EXIT = 1,
    XA_MSG_COMMAND_PING = 2,
    XA_MSG_COMMAND_PLAY = 3,
    XA_MSG_COMMAND_PAUSE = 4,
    XA_MSG_COMMAND_STOP = 5,
    XA_MSG_COMMAND_INPUT_SEEK = 6,
    XA_MSG_COMMAND_INPUT_OPEN = 7,
    XA_MSG_COMMAND_INPUT_CLOSE = 8,
    XA_MSG_COMMAND_INPUT_SEND_MESSAGE = 9,
    XA_MSG_COMMAND_INPUT_ADD_FILTER = 10,
    XA_MSG_COMMAND_INPUT_REMOVE_FILTER = 11,
    XA_MSG_COMMAND_INPUT_FILTER_LIST = 12,
    XA_MSG_COMMAND_INPUT_MODULE_REGISTER = 13,
    XA_MSG_COMMAND_INPUT_MODULE_QUERY = 14,
    XA_MSG_COMMAND_INPUT_MODULES_LIST = 15,
    XA_MSG_COMMAND_OUTPUT_OPEN = 16,
    XA_MSG_COMMAND_OUTPUT_CLOSE = 17,
    XA_MSG_COMMAND_OUTPUT_SEND_MESSAGE = 18,
    XA_MSG_COMMAND_OUTPUT_MUTE = 19,
    XA_MSG_COMMAND_OUTPUT_UNMUTE = 20,
    XA_MSG_COMMAND_OUTPUT_RESET = 21,
    XA_MSG_COMMAND_OUTPUT_DRAIN = 22,
    XA_MSG_COMMAND_OUTPUT_ADD_FILTER = 23,
    XA_MSG_COMMAND_OUTPUT_REMOVE_FILTER = 24,
    XA_MSG_COMMAND_OUTPUT_FILTER_LIST = 25,
    XA_MSG_COMMAND_OUTPUT_MODULE_REGISTER = 26,
    XA_MSG_COMMAND_OUTPUT_MODULE_QUERY = 27,
    XA_MSG_COMMAND_OUTPUT_MODULES_LIST = 28,
    XA_MSG_SET_PLAYER_MODE = 29,
    XA_MSG_GET_PLAYER_MODE = 30,
    XA_MSG_SET_PLAYER_ENVIRONMENT_INTEGER = 31,
    XA_MSG_GET_PLAYER_ENVIRONMENT_INTEGER = 32,
    XA_MSG_SET_PLAYER_ENVIRONMENT_STRING = 33,
    XA_MSG_GET_PLAYER_ENVIRONMENT_STRING = 34,
    XA_MSG_UNSET_PLAYER_ENVIRONMENT = 35,
    XA_MSG_SET_INPUT_NAME = 36,
    XA_MSG_GET_INPUT_NAME = 37,
    XA_MSG_SET_INPUT_MODULE = 38,
    XA_MSG_GET_INPUT_MODULE = 39,
    XA_MSG_SET_INPUT_POSITION_RANGE = 40,
    XA_MSG_GET_INPUT_POSITION_RANGE = 41,
    XA_MSG_SET_INPUT_TIMECODE_GRANULARITY = 42,
    XA_MSG_GET_INPUT_TIMECODE_GRANULARITY = 43,
    XA_MSG_SET_OUTPUT_NAME = 44,
    XA_MSG_GET_OUTPUT_NAME = 45,
    XA_MSG_SET_OUTPUT_MODULE = 46,
    XA_MSG_GET_OUTPUT_MODULE = 47,
    XA_MSG_SET_OUTPUT_VOLUME = 48,
    XA_MSG_GET_OUTPUT_VOLUME = 49,
    XA_MSG_SET_OUTPUT_CHANNELS = 50,
    XA_MSG_GET_OUTPUT_CHANNELS = 51,
    XA_MSG_SET_OUTPUT_PORTS = 52,
    XA_MSG_GET_OUTPUT_PORTS = 53,
    XA_MSG_SET_CODEC_QUALITY = 54,
    XA_MSG_GET_CODEC_QUALITY = 55,
    XA_MSG_SET_CODEC_EQUALIZER = 58,
    XA_MSG_GET_CODEC_EQUALIZER = 59,
    XA_MSG_SET_NOTIFICATION_MASK = 60,
    XA_MSG_GET_NOTIFICATION_MASK = 61,
    XA_MSG_SET_DEBUG_LEVEL = 62,
    XA_MSG_GET_DEBUG_LEVEL = 63,
};

// Notification codes and the places of their data area (d+n: byte offset n; integers are
// little-endian; "text" places are the text[] pointers of XA_Message).
enum : int {
    XA_MSG_NOTIFY_READY = 64,                      // -
    XA_MSG_NOTIFY_ACK = 65,                        // command d+0
    XA_MSG_NOTIFY_NACK = 66,                       // command d+0, code (int16) d+2
    XA_MSG_NOTIFY_PONG = 67,                       // tag (uint32) d+0
    XA_MSG_NOTIFY_EXITED = 68,                     // -
    XA_MSG_NOTIFY_PLAYER_STATE = 69,               // state d+0
    XA_MSG_NOTIFY_PLAYER_MODE = 70,                // mode (uint32) d+0
    XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER = 71, // name text 0, value (int32) d+4
    XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING = 72,  // name text 0, value text 4
    XA_MSG_NOTIFY_INPUT_STATE = 73,                // state d+0
    XA_MSG_NOTIFY_INPUT_NAME = 74,                 // name text 0
    XA_MSG_NOTIFY_INPUT_CAPS = 75,                 // caps (uint32) d+0
    XA_MSG_NOTIFY_INPUT_POSITION = 76,             // offset (uint32) d+0, range (uint32) d+4
    XA_MSG_NOTIFY_INPUT_POSITION_RANGE = 77,       // range (uint32) d+0
    XA_MSG_NOTIFY_INPUT_TIMECODE = 78,             // h d+0, min d+1, s d+2, 1/100 s d+3
    XA_MSG_NOTIFY_INPUT_TIMECODE_GRANULARITY = 79, // milliseconds (uint32) d+0
    XA_MSG_NOTIFY_INPUT_DURATION = 80,             // milliseconds (uint32) d+0
    XA_MSG_NOTIFY_INPUT_STREAM_INFO = 81,          // level d+0, layer d+1, kbit/s (uint16) d+2,
                                                   // Hz (uint16) d+4, mode d+6
    XA_MSG_NOTIFY_INPUT_MODULE = 82,               // id (int16) d+0
    XA_MSG_NOTIFY_INPUT_MODULE_INFO = 83,          // id d+0, devices d+1, texts 4 and 8
    XA_MSG_NOTIFY_INPUT_DEVICE_INFO = 84,          // module d+0, index d+1, flags d+2, texts 4, 8
    XA_MSG_NOTIFY_INPUT_FILTER_INFO = 85,          // name text 0, id d+4
    XA_MSG_NOTIFY_OUTPUT_STATE = 86,               // state d+0
    XA_MSG_NOTIFY_OUTPUT_NAME = 87,                // name text 0
    XA_MSG_NOTIFY_OUTPUT_CAPS = 88,                // caps (uint32) d+0
    XA_MSG_NOTIFY_OUTPUT_VOLUME = 89,              // master d+0, pcm d+1, balance d+2
    XA_MSG_NOTIFY_OUTPUT_BALANCE = 90,             // balance d+2
    XA_MSG_NOTIFY_OUTPUT_PCM_LEVEL = 91,           // pcm d+1
    XA_MSG_NOTIFY_OUTPUT_MASTER_LEVEL = 92,        // master d+0
    XA_MSG_NOTIFY_OUTPUT_CHANNELS = 93,            // channels d+0
    XA_MSG_NOTIFY_OUTPUT_PORTS = 94,               // ports d+0
    XA_MSG_NOTIFY_OUTPUT_MODULE = 96,              // id (int16) d+0
    XA_MSG_NOTIFY_OUTPUT_MODULE_INFO = 97,         // as 83
    XA_MSG_NOTIFY_OUTPUT_DEVICE_INFO = 98,         // as 84
    XA_MSG_NOTIFY_OUTPUT_FILTER_INFO = 99,         // as 85
    XA_MSG_NOTIFY_CODEC_QUALITY = 100,             // quality d+0
    XA_MSG_NOTIFY_CODEC_EQUALIZER = 101,           // XA_Message::equalizer, null when off
    XA_MSG_NOTIFY_NOTIFICATION_MASK = 102,         // mask (uint32) d+0
    XA_MSG_NOTIFY_DEBUG_LEVEL = 103,               // level d+0
    XA_MSG_NOTIFY_PROGRESS = 104,                  // source d+0, code d+1, value d+2, text 4
    XA_MSG_NOTIFY_DEBUG = 105,                     // source d+0, level d+1, text 4
    XA_MSG_NOTIFY_ERROR = 106,                     // source d+0, code (int16) d+2, text 4
};

// Player states as carried by XA_MSG_NOTIFY_PLAYER_STATE.
enum : uint8_t {
    XA_PLAYER_STATE_STOPPED = 0,
    XA_PLAYER_STATE_PLAYING = 1,
    XA_PLAYER_STATE_PAUSED = 2,
    XA_PLAYER_STATE_EOS = 3, // the end of the input was played
};

// Sources of progress, debug and error notifications.
enum : uint8_t {
    XA_SOURCE_PLAYER = 1,
    XA_SOURCE_INPUT = 2,
    XA_SOURCE_OUTPUT = 3,
    XA_SOURCE_CODEC = 4,
};

// Scheduling priorities of a player's thread (player_set_priority).
enum : int {
    XA_CONTROL_PRIORITY_LOWEST = 0,
    XA_CONTROL_PRIORITY_LOW = 1,
    XA_CONTROL_PRIORITY_NORMAL = 2,
    XA_CONTROL_PRIORITY_HIGH = 3,
    XA_CONTROL_PRIORITY_HIGHEST = 4,
};

// The default range of input positions; a player starts with it.
inline constexpr uint32_t XA_DEFAULT_POSITION_RANGE = 400;

// The 32-band equalizer: band 0 is the lowest sub-band. A value v in -80..80 changes the band
// by v * 0.15 dB, so +80 is +12 dB and -80 is -12 dB; values outside are taken as the limit.
struct XA_EqualizerInfo {
    int8_t left[32];
    int8_t right[32];
};
inline constexpr double XA_EQUALIZER_DB_PER_STEP = 0.15;

// One notification. The integer places of data[] are those listed with the codes above. Texts
// are zero-terminated UTF-8; text[i] stands for the text place d+4*i (a 12-byte area cannot hold
// 64-bit pointers). Texts and the equalizer record belong to the message: they stay valid as
// long as any copy of the record lives and are freed with the last one.
struct XA_Message {
    int32_t code = 0;
    uint8_t data[12] = {};
    const char* text[3] = {};
    const XA_EqualizerInfo* equalizer = nullptr;
    std::shared_ptr<const void> storage;
};

// Where a player announces new notifications: wake(context) is called on the player's thread
// after every notification it queues, one call per notification. The function must not block
// and must not call back into the engine; typically it posts a queued call to the consumer's
// thread, which then takes one message with control_message_get.
struct XA_NotificationTarget {
    void (*wake)(void* context) = nullptr;
    void* context = nullptr;
};

extern "C" {

// The interface version: major in bits 16-23, minor in bits 8-15 (3.2 here). `which` is kept
// for callers that ask for a particular part of the version; every value gives the same number.
uint32_t xaudio_get_api_version(int which);

// Starts a player and its thread. *player is filled in; target (copied, may be null) is told
// about every notification. 0 on success; on failure *player is left null.
int player_new(XA_Player* player, const XA_NotificationTarget* target);
// Stops the player, waits for its thread and releases it with its pending notifications.
int player_delete(XA_Player player);
// The scheduling priority of the player's thread (XA_CONTROL_PRIORITY_*). Setting fails with
// XA_ERROR_PERMISSION when the system refuses the priority; the player then keeps the old one.
int player_set_priority(XA_Player player, int priority);
int player_get_priority(XA_Player player);

// A text for a status code; never null.
const char* xaudio_error_string(int code);

// Takes the oldest pending notification of the player into *message: XA_SUCCESS, or
// XA_ERROR_NO_MESSAGE when none is pending.
int control_message_get(XA_Player player, XA_Message* message);
// As control_message_get, waiting up to timeout_ms for one (XA_ERROR_TIMEOUT when none came).
int control_message_wait(XA_Player player, XA_Message* message, int timeout_ms);

// Command senders: queue the command and return at once. XA_SUCCESS when queued; a negative code
// when the player is invalid, has exited, or a text argument is null. Texts are copied; the
// pointer of SET_CODEC_EQUALIZER is read (64 bytes) before the call returns.
int control_message_send_N(XA_Player player, int code);
int control_message_send_I(XA_Player player, int code, int32_t a);
int control_message_send_II(XA_Player player, int code, int32_t a, int32_t b);
int control_message_send_III(XA_Player player, int code, int32_t a, int32_t b, int32_t c);
int control_message_send_P(XA_Player player, int code, const void* pointer);
int control_message_send_S(XA_Player player, int code, const char* s);
int control_message_send_SS(XA_Player player, int code, const char* s1, const char* s2);
int control_message_send_SI(XA_Player player, int code, const char* s, int32_t a);
int control_message_send_IPI(XA_Player player, int code, int32_t a, const void* pointer,
                             int32_t size);

} // extern "C"
