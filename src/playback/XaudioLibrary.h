#pragma once
// The engine functions that TXaudioPlayer calls, as a table, so that a substitute engine can
// stand behind the component (tests, and the playback controller's tests).

#include "engine/Xaudio.h"

namespace orvane {

struct XaudioLibrary {
    uint32_t (*xaudio_get_api_version)(int which);
    int (*player_new)(XA_Player* player, const XA_NotificationTarget* target);
    int (*player_delete)(XA_Player player);
    int (*player_set_priority)(XA_Player player, int priority);
    int (*player_get_priority)(XA_Player player);
    const char* (*xaudio_error_string)(int code);
    // The queue's counterpart of translating a posted window message into a record.
    int (*control_message_get)(XA_Player player, XA_Message* message);
    int (*control_message_send_N)(XA_Player player, int code);
    int (*control_message_send_I)(XA_Player player, int code, int32_t a);
    int (*control_message_send_II)(XA_Player player, int code, int32_t a, int32_t b);
    int (*control_message_send_III)(XA_Player player, int code, int32_t a, int32_t b, int32_t c);
    int (*control_message_send_P)(XA_Player player, int code, const void* pointer);
    int (*control_message_send_S)(XA_Player player, int code, const char* s);
    int (*control_message_send_SS)(XA_Player player, int code, const char* s1, const char* s2);
    int (*control_message_send_SI)(XA_Player player, int code, const char* s, int32_t a);
    int (*control_message_send_IPI)(XA_Player player, int code, int32_t a, const void* pointer,
                                    int32_t size);
};

// The table of the real engine (src/engine).
const XaudioLibrary& XaudioEngineLibrary();

} // namespace orvane
