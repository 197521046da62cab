#include "playback/TXaudioPlayer.h"

#include "platform/Prompts.h"

namespace orvane {

namespace {

constexpr uint32_t kExpectedMajor = 3;
constexpr uint32_t kExpectedMinor = 2;

} // namespace

TXaudioPlayer::TXaudioPlayer(QObject* owner, Prompts& prompts, const XaudioLibrary& library)
    : QObject(owner)
    , library_(library) {
    const uint32_t version = library_.xaudio_get_api_version(2);
    const uint32_t major = (version >> 16) & 0xFF;
    const uint32_t minor = (version >> 8) & 0xFF;
    if (major != kExpectedMajor || minor != kExpectedMinor)
        prompts.error(QStringLiteral("Xaudio DLL API Mismatch\nExpected %1,%2\nGot %3,%4")
                          .arg(kExpectedMajor)
                          .arg(kExpectedMinor)
                          .arg(major)
                          .arg(minor));

    // The queue that stands for a hidden notification window: the player wakes us and the
    // dispatcher runs as a queued call on this object's (the GUI) thread.
    target_.wake = &TXaudioPlayer::Wake;
    target_.context = this;
    if (library_.player_new(&player_, &target_) != 0)
        prompts.error(QStringLiteral("Cannot Start Xaudio Player"));
}

TXaudioPlayer::~TXaudioPlayer() {
    // The player's thread has ended when this returns; calls it queued before are dropped
    // with this object.
    library_.player_delete(player_);
}

void TXaudioPlayer::Wake(void* context) {
    auto* self = static_cast<TXaudioPlayer*>(context);
    QMetaObject::invokeMethod(
        self, [self] { self->DispatchNotification(); }, Qt::QueuedConnection);
}

quint32 TXaudioPlayer::Priority() const {
    return static_cast<quint32>(library_.player_get_priority(player_));
}

void TXaudioPlayer::SetPriority(quint32 priority) {
    library_.player_set_priority(player_, static_cast<int>(priority));
}

QString TXaudioPlayer::ErrorString(int code) const {
    const char* text = library_.xaudio_error_string(code);
    return text ? QString::fromUtf8(text) : QString();
}

int TXaudioPlayer::SendN(int code) {
    return library_.control_message_send_N(player_, code);
}

int TXaudioPlayer::SendS(int code, const QString& text) {
    return library_.control_message_send_S(player_, code, text.toUtf8().constData());
}

int TXaudioPlayer::SendSI(int code, const QString& text, int32_t value) {
    return library_.control_message_send_SI(player_, code, text.toUtf8().constData(), value);
}

int TXaudioPlayer::Exit() {
    return SendN(XA_MSG_COMMAND_EXIT);
}
int TXaudioPlayer::Ping(uint32_t tag) {
    return library_.control_message_send_I(player_, XA_MSG_COMMAND_PING, static_cast<int32_t>(tag));
}
int TXaudioPlayer::Play() {
    return SendN(XA_MSG_COMMAND_PLAY);
}
int TXaudioPlayer::Pause() {
    return SendN(XA_MSG_COMMAND_PAUSE);
}
int TXaudioPlayer::Stop() {
    return SendN(XA_MSG_COMMAND_STOP);
}
int TXaudioPlayer::InputSeek(uint32_t offset, uint32_t range) {
    return library_.control_message_send_II(player_, XA_MSG_COMMAND_INPUT_SEEK,
                                            static_cast<int32_t>(offset),
                                            static_cast<int32_t>(range));
}
int TXaudioPlayer::InputOpen(const QString& name) {
    return SendS(XA_MSG_COMMAND_INPUT_OPEN, name);
}
int TXaudioPlayer::InputClose() {
    return SendN(XA_MSG_COMMAND_INPUT_CLOSE);
}
int TXaudioPlayer::InputSendMessage(int16_t type, const void* data, uint32_t size) {
    return library_.control_message_send_IPI(player_, XA_MSG_COMMAND_INPUT_SEND_MESSAGE, type, data,
                                             static_cast<int32_t>(size));
}
int TXaudioPlayer::InputAddFilter(const QString& name, int32_t where) {
    return SendSI(XA_MSG_COMMAND_INPUT_ADD_FILTER, name, where);
}
int TXaudioPlayer::InputRemoveFilter(const QString& name, int32_t id) {
    return SendSI(XA_MSG_COMMAND_INPUT_REMOVE_FILTER, name, id);
}
int TXaudioPlayer::InputFilterList() {
    return SendN(XA_MSG_COMMAND_INPUT_FILTER_LIST);
}
int TXaudioPlayer::InputModuleRegister(const QString& name) {
    return SendS(XA_MSG_COMMAND_INPUT_MODULE_REGISTER, name);
}
int TXaudioPlayer::InputModuleQuery(int32_t moduleId) {
    return library_.control_message_send_I(player_, XA_MSG_COMMAND_INPUT_MODULE_QUERY, moduleId);
}
int TXaudioPlayer::InputModulesList() {
    return SendN(XA_MSG_COMMAND_INPUT_MODULES_LIST);
}
int TXaudioPlayer::OutputOpen(const QString& name) {
    return SendS(XA_MSG_COMMAND_OUTPUT_OPEN, name);
}
int TXaudioPlayer::OutputClose() {
    return SendN(XA_MSG_COMMAND_OUTPUT_CLOSE);
}
int TXaudioPlayer::OutputSendMessage(int16_t type, const void* data, uint32_t size) {
    return library_.control_message_send_IPI(player_, XA_MSG_COMMAND_OUTPUT_SEND_MESSAGE, type,
                                             data, static_cast<int32_t>(size));
}
int TXaudioPlayer::OutputMute() {
    return SendN(XA_MSG_COMMAND_OUTPUT_MUTE);
}
int TXaudioPlayer::OutputUnmute() {
    return SendN(XA_MSG_COMMAND_OUTPUT_UNMUTE);
}
int TXaudioPlayer::OutputReset() {
    return SendN(XA_MSG_COMMAND_OUTPUT_RESET);
}
int TXaudioPlayer::OutputDrain() {
    return SendN(XA_MSG_COMMAND_OUTPUT_DRAIN);
}
int TXaudioPlayer::OutputAddFilter(const QString& name, int32_t where) {
    return SendSI(XA_MSG_COMMAND_OUTPUT_ADD_FILTER, name, where);
}
int TXaudioPlayer::OutputRemoveFilter(const QString& name, int32_t id) {
    return SendSI(XA_MSG_COMMAND_OUTPUT_REMOVE_FILTER, name, id);
}
int TXaudioPlayer::OutputFilterList() {
    return SendN(XA_MSG_COMMAND_OUTPUT_FILTER_LIST);
}
int TXaudioPlayer::OutputModuleRegister(const QString& name) {
    return SendS(XA_MSG_COMMAND_OUTPUT_MODULE_REGISTER, name);
}
int TXaudioPlayer::OutputModuleQuery(int32_t moduleId) {
    return library_.control_message_send_I(player_, XA_MSG_COMMAND_OUTPUT_MODULE_QUERY, moduleId);
}
int TXaudioPlayer::OutputModulesList() {
    return SendN(XA_MSG_COMMAND_OUTPUT_MODULES_LIST);
}
int TXaudioPlayer::SetPlayerMode(uint32_t mode) {
    return library_.control_message_send_I(player_, XA_MSG_SET_PLAYER_MODE,
                                           static_cast<int32_t>(mode));
}
int TXaudioPlayer::GetPlayerMode() {
    return SendN(XA_MSG_GET_PLAYER_MODE);
}
int TXaudioPlayer::SetPlayerEnvironmentInteger(const QString& name, int32_t value) {
    return SendSI(XA_MSG_SET_PLAYER_ENVIRONMENT_INTEGER, name, value);
}
int TXaudioPlayer::GetPlayerEnvironmentInteger(const QString& name) {
    return SendS(XA_MSG_GET_PLAYER_ENVIRONMENT_INTEGER, name);
}
int TXaudioPlayer::SetPlayerEnvironmentString(const QString& name, const QString& value) {
    return library_.control_message_send_SS(player_, XA_MSG_SET_PLAYER_ENVIRONMENT_STRING,
                                            name.toUtf8().constData(), value.toUtf8().constData());
}
int TXaudioPlayer::GetPlayerEnvironmentString(const QString& name) {
    return SendS(XA_MSG_GET_PLAYER_ENVIRONMENT_STRING, name);
}
int TXaudioPlayer::UnsetPlayerEnvironment(const QString& name) {
    return SendS(XA_MSG_UNSET_PLAYER_ENVIRONMENT, name);
}
int TXaudioPlayer::SetInputName(const QString& name) {
    return SendS(XA_MSG_SET_INPUT_NAME, name);
}
int TXaudioPlayer::GetInputName() {
    return SendN(XA_MSG_GET_INPUT_NAME);
}
int TXaudioPlayer::SetInputModule(int32_t moduleId) {
    return library_.control_message_send_I(player_, XA_MSG_SET_INPUT_MODULE, moduleId);
}
int TXaudioPlayer::GetInputModule() {
    return SendN(XA_MSG_GET_INPUT_MODULE);
}
int TXaudioPlayer::SetInputPositionRange(int32_t range) {
    return library_.control_message_send_I(player_, XA_MSG_SET_INPUT_POSITION_RANGE, range);
}
int TXaudioPlayer::GetInputPositionRange() {
    return SendN(XA_MSG_GET_INPUT_POSITION_RANGE);
}
int TXaudioPlayer::SetInputTimecodeGranularity(uint32_t granularity) {
    return library_.control_message_send_I(player_, XA_MSG_SET_INPUT_TIMECODE_GRANULARITY,
                                           static_cast<int32_t>(granularity));
}
int TXaudioPlayer::GetInputTimecodeGranularity() {
    return SendN(XA_MSG_GET_INPUT_TIMECODE_GRANULARITY);
}
int TXaudioPlayer::SetOutputName(const QString& name) {
    return SendS(XA_MSG_SET_OUTPUT_NAME, name);
}
int TXaudioPlayer::GetOutputName() {
    return SendN(XA_MSG_GET_OUTPUT_NAME);
}
int TXaudioPlayer::SetOutputModule(int32_t moduleId) {
    return library_.control_message_send_I(player_, XA_MSG_SET_OUTPUT_MODULE, moduleId);
}
int TXaudioPlayer::GetOutputModule() {
    return SendN(XA_MSG_GET_OUTPUT_MODULE);
}
int TXaudioPlayer::SetOutputVolume(uint8_t masterLevel, uint8_t pcmLevel, uint8_t balance) {
    return library_.control_message_send_III(player_, XA_MSG_SET_OUTPUT_VOLUME, masterLevel,
                                             pcmLevel, balance);
}
int TXaudioPlayer::GetOutputVolume() {
    return SendN(XA_MSG_GET_OUTPUT_VOLUME);
}
int TXaudioPlayer::SetOutputChannels(int32_t channels) {
    return library_.control_message_send_I(player_, XA_MSG_SET_OUTPUT_CHANNELS, channels);
}
int TXaudioPlayer::GetOutputChannels() {
    return SendN(XA_MSG_GET_OUTPUT_CHANNELS);
}
int TXaudioPlayer::SetOutputPorts(uint32_t ports) {
    return library_.control_message_send_I(player_, XA_MSG_SET_OUTPUT_PORTS,
                                           static_cast<int32_t>(ports));
}
int TXaudioPlayer::GetOutputPorts() {
    return SendN(XA_MSG_GET_OUTPUT_PORTS);
}
int TXaudioPlayer::SetCodecQuality(uint8_t quality) {
    return library_.control_message_send_I(player_, XA_MSG_SET_CODEC_QUALITY, quality);
}
int TXaudioPlayer::GetCodecQuality() {
    return SendN(XA_MSG_GET_CODEC_QUALITY);
}
int TXaudioPlayer::SetCodecEqualizer(const XA_EqualizerInfo* equalizer) {
    return library_.control_message_send_P(player_, XA_MSG_SET_CODEC_EQUALIZER, equalizer);
}
int TXaudioPlayer::GetCodecEqualizer() {
    return SendN(XA_MSG_GET_CODEC_EQUALIZER);
}
int TXaudioPlayer::SetNotificationMask(uint32_t mask) {
    return library_.control_message_send_I(player_, XA_MSG_SET_NOTIFICATION_MASK,
                                           static_cast<int32_t>(mask));
}
int TXaudioPlayer::GetNotificationMask() {
    return SendN(XA_MSG_GET_NOTIFICATION_MASK);
}
int TXaudioPlayer::SetDebugLevel(int32_t level) {
    return library_.control_message_send_I(player_, XA_MSG_SET_DEBUG_LEVEL, level);
}
int TXaudioPlayer::GetDebugLevel() {
    return SendN(XA_MSG_GET_DEBUG_LEVEL);
}

} // namespace orvane
