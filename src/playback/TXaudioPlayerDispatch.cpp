// The notification dispatcher of TXaudioPlayer: one notification per call, read at the places
// of its data area and raised as its typed event.

#include "playback/TXaudioPlayer.h"

#include <QPointer>

namespace orvane {

namespace {

uint8_t Byte(const XA_Message& msg, int offset) {
    return msg.data[offset];
}

uint16_t Word(const XA_Message& msg, int offset) {
    return static_cast<uint16_t>(msg.data[offset] | (msg.data[offset + 1] << 8));
}

uint32_t Dword(const XA_Message& msg, int offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | msg.data[offset + i];
    return value;
}

// Texts are copied into our own strings; the engine's memory is never kept.
QString Text(const XA_Message& msg, int offset) {
    const char* text = msg.text[offset / 4];
    return text ? QString::fromUtf8(text) : QString();
}

// A handler may replace its own slot while it runs, so the call goes through a copy.
template <typename Slot, typename... Args> void Raise(const Slot& slot, Args&&... args) {
    if (!slot)
        return;
    const Slot handler = slot;
    handler(std::forward<Args>(args)...);
}

} // namespace

bool TXaudioPlayer::DispatchNotification() {
    XA_Message msg;
    if (library_.control_message_get(player_, &msg) != XA_SUCCESS)
        return false;
    const QPointer<TXaudioPlayer> alive(this);
    Raise(OnNotifyMessage, this, msg);
    // The typed event reads the record as the general handler left it.
    if (alive)
        RaiseTyped(msg);
    return true;
}

void TXaudioPlayer::DeliverPending() {
    // The wake-ups queued for these notifications find the queue empty later and do nothing.
    const QPointer<TXaudioPlayer> alive(this);
    while (alive && DispatchNotification()) {
    }
}

void TXaudioPlayer::RaiseTyped(const XA_Message& msg) {
    switch (msg.code) {
    case XA_MSG_NOTIFY_READY:
        return Raise(OnNotifyReady, this);
    case XA_MSG_NOTIFY_ACK:
        return Raise(OnNotifyAck, this, Byte(msg, 0));
    case XA_MSG_NOTIFY_NACK:
        return Raise(OnNotifyNack, this, Byte(msg, 0), static_cast<int16_t>(Word(msg, 2)));
    case XA_MSG_NOTIFY_PONG:
        return Raise(OnNotifyPong, this, Dword(msg, 0));
    case XA_MSG_NOTIFY_EXITED:
        return Raise(OnNotifyExited, this);
    case XA_MSG_NOTIFY_PLAYER_STATE:
        return Raise(OnNotifyPlayerState, this, static_cast<int>(Byte(msg, 0)));
    case XA_MSG_NOTIFY_PLAYER_MODE:
        return Raise(OnNotifyPlayerMode, this, static_cast<int>(Dword(msg, 0)));
    case XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER:
        return Raise(OnNotifyPlayerEnvironmentInteger, this, Text(msg, 0),
                     static_cast<int>(Dword(msg, 4)));
    case XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING:
        return Raise(OnNotifyPlayerEnvironmentString, this, Text(msg, 0), Text(msg, 4));
    case XA_MSG_NOTIFY_INPUT_STATE:
        return Raise(OnNotifyInputState, this, static_cast<int>(Byte(msg, 0)));
    case XA_MSG_NOTIFY_INPUT_NAME:
        return Raise(OnNotifyInputName, this, Text(msg, 0));
    case XA_MSG_NOTIFY_INPUT_CAPS:
        return Raise(OnNotifyInputCaps, this, Dword(msg, 0));
    case XA_MSG_NOTIFY_INPUT_POSITION:
        return Raise(OnNotifyInputPosition, this, Dword(msg, 0), Dword(msg, 4));
    case XA_MSG_NOTIFY_INPUT_POSITION_RANGE:
        return Raise(OnNotifyInputPositionRange, this, static_cast<int>(Dword(msg, 0)));
    case XA_MSG_NOTIFY_INPUT_TIMECODE:
        return Raise(OnNotifyInputTimecode, this, Byte(msg, 0), Byte(msg, 1), Byte(msg, 2),
                     Byte(msg, 3));
    case XA_MSG_NOTIFY_INPUT_TIMECODE_GRANULARITY:
        return Raise(OnNotifyInputTimecodeGranularity, this, Dword(msg, 0));
    case XA_MSG_NOTIFY_INPUT_DURATION:
        return Raise(OnNotifyInputDuration, this, Dword(msg, 0));
    case XA_MSG_NOTIFY_INPUT_STREAM_INFO:
        return Raise(OnNotifyInputStreamInfo, this, Byte(msg, 0), Byte(msg, 1), Word(msg, 2),
                     Word(msg, 4), Byte(msg, 6));
    case XA_MSG_NOTIFY_INPUT_MODULE:
        return Raise(OnNotifyInputModule, this, static_cast<int16_t>(Word(msg, 0)));
    case XA_MSG_NOTIFY_INPUT_MODULE_INFO:
        return Raise(OnNotifyInputModuleInfo, this, Byte(msg, 0), Byte(msg, 1), Text(msg, 4),
                     Text(msg, 8));
    case XA_MSG_NOTIFY_INPUT_DEVICE_INFO:
        return Raise(OnNotifyInputDeviceInfo, this, Byte(msg, 0), Byte(msg, 1), Byte(msg, 2),
                     Text(msg, 4), Text(msg, 8));
    case XA_MSG_NOTIFY_INPUT_FILTER_INFO:
        // Unlike module and device information, the id comes after the name.
        return Raise(OnNotifyInputFilterInfo, this, Byte(msg, 4), Text(msg, 0));
    case XA_MSG_NOTIFY_OUTPUT_STATE:
        return Raise(OnNotifyOutputState, this, static_cast<int>(Byte(msg, 0)));
    case XA_MSG_NOTIFY_OUTPUT_NAME:
        return Raise(OnNotifyOutputName, this, Text(msg, 0));
    case XA_MSG_NOTIFY_OUTPUT_CAPS:
        return Raise(OnNotifyOutputCaps, this, Dword(msg, 0));
    case XA_MSG_NOTIFY_OUTPUT_VOLUME:
        return Raise(OnNotifyOutputVolume, this, Byte(msg, 0), Byte(msg, 1), Byte(msg, 2));
    case XA_MSG_NOTIFY_OUTPUT_BALANCE:
        return Raise(OnNotifyOutputBalance, this, Byte(msg, 2));
    case XA_MSG_NOTIFY_OUTPUT_PCM_LEVEL:
        return Raise(OnNotifyOutputPcmLevel, this, Byte(msg, 1));
    case XA_MSG_NOTIFY_OUTPUT_MASTER_LEVEL:
        return Raise(OnNotifyOutputMasterLevel, this, Byte(msg, 0));
    case XA_MSG_NOTIFY_OUTPUT_CHANNELS:
        return Raise(OnNotifyOutputChannels, this, Byte(msg, 0));
    case XA_MSG_NOTIFY_OUTPUT_PORTS:
        return Raise(OnNotifyOutputPorts, this, static_cast<uint32_t>(Byte(msg, 0)));
    case XA_MSG_NOTIFY_OUTPUT_MODULE:
        return Raise(OnNotifyOutputModule, this, static_cast<int16_t>(Word(msg, 0)));
    case XA_MSG_NOTIFY_OUTPUT_MODULE_INFO:
        return Raise(OnNotifyOutputModuleInfo, this, Byte(msg, 0), Byte(msg, 1), Text(msg, 4),
                     Text(msg, 8));
    case XA_MSG_NOTIFY_OUTPUT_DEVICE_INFO:
        return Raise(OnNotifyOutputDeviceInfo, this, Byte(msg, 0), Byte(msg, 1), Byte(msg, 2),
                     Text(msg, 4), Text(msg, 8));
    case XA_MSG_NOTIFY_OUTPUT_FILTER_INFO:
        return Raise(OnNotifyOutputFilterInfo, this, Byte(msg, 4), Text(msg, 0));
    case XA_MSG_NOTIFY_CODEC_QUALITY:
        return Raise(OnNotifyCodecQuality, this, Byte(msg, 0));
    case XA_MSG_NOTIFY_CODEC_EQUALIZER:
        // A null record means the equalizer is off; there is nothing to pass by reference.
        if (msg.equalizer)
            Raise(OnNotifyCodecEqualizer, this, *msg.equalizer);
        return;
    case XA_MSG_NOTIFY_NOTIFICATION_MASK:
        return Raise(OnNotifyNotificationMask, this, Dword(msg, 0));
    case XA_MSG_NOTIFY_DEBUG_LEVEL:
        return Raise(OnNotifyDebugLevel, this, Byte(msg, 0));
    case XA_MSG_NOTIFY_PROGRESS:
        return Raise(OnNotifyProgress, this, Byte(msg, 0), Byte(msg, 1),
                     static_cast<int16_t>(Word(msg, 2)), Text(msg, 4));
    case XA_MSG_NOTIFY_DEBUG:
        return Raise(OnNotifyDebug, this, Byte(msg, 0), Byte(msg, 1), Text(msg, 4));
    case XA_MSG_NOTIFY_ERROR:
        return Raise(OnNotifyError, this, Byte(msg, 0), static_cast<int16_t>(Word(msg, 2)),
                     Text(msg, 4));
    default:
        // Codes below 64, above 106, and 95 have no typed event.
        return;
    }
}

} // namespace orvane
