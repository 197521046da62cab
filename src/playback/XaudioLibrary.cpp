#include "playback/XaudioLibrary.h"

namespace orvane {

const XaudioLibrary& XaudioEngineLibrary() {
    static const XaudioLibrary library{
        xaudio_get_api_version,
        player_new,
        player_delete,
        player_set_priority,
        player_get_priority,
        xaudio_error_string,
        control_message_get,
        control_message_send_N,
        control_message_send_I,
        control_message_send_II,
        control_message_send_III,
        control_message_send_P,
        control_message_send_S,
        control_message_send_SS,
        control_message_send_SI,
        control_message_send_IPI,
    };
    return library;
}

} // namespace orvane
