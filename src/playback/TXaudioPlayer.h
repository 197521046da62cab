#pragma once
// TXaudioPlayer: the program's one wrapper over the audio engine. It owns one engine player,
// turns each method call into one asynchronous command and each notification the player sends
// back into a typed OnNotify... event. It keeps no playback logic of its own.
//
// Threads: created, used and destroyed on the GUI thread. The engine's player thread only wakes
// the component (a queued call); every event is raised on the GUI thread, one at a time, in the
// order the engine produced the notifications. A handler may process events (as stopping the
// player does while it waits), in which case later notifications are raised inside it.

#include "playback/XaudioLibrary.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

namespace orvane {

class Prompts;
class TXaudioPlayer;

// Event types; every one but TNotifyEvent takes the sender first, then the parameters named in
// the comments. An empty std::function is an event without a handler.
using TNotifyEvent = std::function<void(TXaudioPlayer*)>; // Ready, Exited
using TNotifyMessageEvent = std::function<void(TXaudioPlayer*, XA_Message&)>;
using TNotifyAckEvent = std::function<void(TXaudioPlayer*, uint8_t)>;           // Command
using TNotifyNackEvent = std::function<void(TXaudioPlayer*, uint8_t, int16_t)>; // Command, Code
using TNotifyPongEvent = std::function<void(TXaudioPlayer*, uint32_t)>;         // Tag
using TNotifyPlayerStateEvent = std::function<void(TXaudioPlayer*, int)>;       // State
using TNotifyPlayerModeEvent = std::function<void(TXaudioPlayer*, int)>;        // Mode
using TNotifyEnvironmentIntegerEvent =
    std::function<void(TXaudioPlayer*, const QString&, int)>; // Name, Value
using TNotifyEnvironmentStringEvent =
    std::function<void(TXaudioPlayer*, const QString&, const QString&)>;           // Name, Value
using TNotifyInputStateEvent = std::function<void(TXaudioPlayer*, int)>;           // State
using TNotifyInputNameEvent = std::function<void(TXaudioPlayer*, const QString&)>; // Name
using TNotifyInputCapsEvent = std::function<void(TXaudioPlayer*, uint32_t)>;       // Caps
using TNotifyInputPositionEvent =
    std::function<void(TXaudioPlayer*, uint32_t, uint32_t)>;                     // Offset, Range
using TNotifyInputPositionRangeEvent = std::function<void(TXaudioPlayer*, int)>; // Range
using TNotifyInputTimecodeEvent =
    std::function<void(TXaudioPlayer*, uint8_t, uint8_t, uint8_t,
                       uint8_t)>; // Hours, Minutes, Seconds, Fractions
using TNotifyInputTimecodeGranularityEvent =
    std::function<void(TXaudioPlayer*, uint32_t)>;                               // Granularity
using TNotifyInputDurationEvent = std::function<void(TXaudioPlayer*, uint32_t)>; // Duration
using TNotifyInputStreamInfoEvent =
    std::function<void(TXaudioPlayer*, uint8_t, uint8_t, uint16_t, uint16_t,
                       uint8_t)>; // Level, Layer, Bitrate, Frequency, Mode
using TNotifyInputModuleEvent = std::function<void(TXaudioPlayer*, int16_t)>; // ID
using TNotifyInputModuleInfoEvent =
    std::function<void(TXaudioPlayer*, uint8_t, uint8_t, const QString&,
                       const QString&)>; // ID, NbDevices, Name, Description
using TNotifyInputDeviceInfoEvent =
    std::function<void(TXaudioPlayer*, uint8_t, uint8_t, uint8_t, const QString&,
                       const QString&)>; // ModuleID, Index, Flags, Name, Description
using TNotifyInputFilterInfoEvent =
    std::function<void(TXaudioPlayer*, uint8_t, const QString&)>;                   // ID, Name
using TNotifyOutputStateEvent = std::function<void(TXaudioPlayer*, int)>;           // State
using TNotifyOutputNameEvent = std::function<void(TXaudioPlayer*, const QString&)>; // Name
using TNotifyOutputCapsEvent = std::function<void(TXaudioPlayer*, uint32_t)>;       // Caps
using TNotifyOutputVolumeEvent = std::function<void(TXaudioPlayer*, uint8_t, uint8_t,
                                                    uint8_t)>; // MasterLevel, PcmLevel, Balance
using TNotifyOutputBalanceEvent = std::function<void(TXaudioPlayer*, uint8_t)>;     // Balance
using TNotifyOutputPcmLevelEvent = std::function<void(TXaudioPlayer*, uint8_t)>;    // PcmLevel
using TNotifyOutputMasterLevelEvent = std::function<void(TXaudioPlayer*, uint8_t)>; // MasterLevel
using TNotifyOutputChannelsEvent = std::function<void(TXaudioPlayer*, uint8_t)>;    // Channels
using TNotifyOutputPortsEvent = std::function<void(TXaudioPlayer*, uint32_t)>;      // Ports
using TNotifyOutputModuleEvent = std::function<void(TXaudioPlayer*, int16_t)>;      // ID
using TNotifyOutputModuleInfoEvent = TNotifyInputModuleInfoEvent;
using TNotifyOutputDeviceInfoEvent = TNotifyInputDeviceInfoEvent;
using TNotifyOutputFilterInfoEvent = TNotifyInputFilterInfoEvent;
using TNotifyCodecQualityEvent = std::function<void(TXaudioPlayer*, uint8_t)>; // Quality
using TNotifyCodecEqualizerEvent =
    std::function<void(TXaudioPlayer*, const XA_EqualizerInfo&)>;              // Equalizer
using TNotifyNotificationMask = std::function<void(TXaudioPlayer*, uint32_t)>; // Mask
using TNotifyDebugLevelEvent = std::function<void(TXaudioPlayer*, uint8_t)>;   // Level
using TNotifyProgressEvent = std::function<void(TXaudioPlayer*, uint8_t, uint8_t, int16_t,
                                                const QString&)>; // Source, Code, Value, Msg
using TNotifyDebugEvent =
    std::function<void(TXaudioPlayer*, uint8_t, uint8_t, const QString&)>; // Source, Level, Msg
using TNotifyErrorEvent =
    std::function<void(TXaudioPlayer*, uint8_t, int16_t, const QString&)>; // Source, Code, Msg

class TXaudioPlayer : public QObject {
    Q_OBJECT
    Q_PROPERTY(quint32 Priority READ Priority WRITE SetPriority)

public:
    // Checks the engine's interface version and starts a player; failures are shown through
    // prompts and construction still completes. prompts and library must outlive the component.
    TXaudioPlayer(QObject* owner, Prompts& prompts,
                  const XaudioLibrary& library = XaudioEngineLibrary());
    // Deletes the player (which stops it); no event is raised afterwards.
    ~TXaudioPlayer() override;

    // Always asks the engine; nothing is remembered here.
    quint32 Priority() const;
    void SetPriority(quint32 priority);

    QString ErrorString(int code) const;

    // Raises the events of every notification queued so far, in order. A handler that waits
    // for later notifications (as stopping the player does) calls this while it processes
    // events: a nested event loop does not always run the queued wake-ups of the loop it is in.
    void DeliverPending();

    // Commands. Each sends one message and returns the engine's status for queueing it; the
    // outcome arrives later as notifications.
    int Exit();
    int Ping(uint32_t tag);
    int Play();
    int Pause();
    int Stop();
    int InputSeek(uint32_t offset, uint32_t range);
    int InputOpen(const QString& name);
    int InputClose();
    int InputSendMessage(int16_t type, const void* data, uint32_t size);
    int InputAddFilter(const QString& name, int32_t where);
    int InputRemoveFilter(const QString& name, int32_t id);
    int InputFilterList();
    int InputModuleRegister(const QString& name);
    int InputModuleQuery(int32_t moduleId);
    int InputModulesList();
    int OutputOpen(const QString& name);
    int OutputClose();
    int OutputSendMessage(int16_t type, const void* data, uint32_t size);
    int OutputMute();
    int OutputUnmute();
    int OutputReset();
    int OutputDrain();
    int OutputAddFilter(const QString& name, int32_t where);
    int OutputRemoveFilter(const QString& name, int32_t id);
    int OutputFilterList();
    int OutputModuleRegister(const QString& name);
    int OutputModuleQuery(int32_t moduleId);
    int OutputModulesList();
    int SetPlayerMode(uint32_t mode);
    int GetPlayerMode();
    int SetPlayerEnvironmentInteger(const QString& name, int32_t value);
    int GetPlayerEnvironmentInteger(const QString& name);
    int SetPlayerEnvironmentString(const QString& name, const QString& value);
    int GetPlayerEnvironmentString(const QString& name);
    int UnsetPlayerEnvironment(const QString& name);
    int SetInputName(const QString& name);
    int GetInputName();
    int SetInputModule(int32_t moduleId);
    int GetInputModule();
    int SetInputPositionRange(int32_t range);
    int GetInputPositionRange();
    int SetInputTimecodeGranularity(uint32_t granularity);
    int GetInputTimecodeGranularity();
    int SetOutputName(const QString& name);
    int GetOutputName();
    int SetOutputModule(int32_t moduleId);
    int GetOutputModule();
    int SetOutputVolume(uint8_t masterLevel, uint8_t pcmLevel, uint8_t balance);
    int GetOutputVolume();
    int SetOutputChannels(int32_t channels);
    int GetOutputChannels();
    int SetOutputPorts(uint32_t ports);
    int GetOutputPorts();
    int SetCodecQuality(uint8_t quality);
    int GetCodecQuality();
    // The record is read before the call returns; null switches the equalizer off.
    int SetCodecEqualizer(const XA_EqualizerInfo* equalizer);
    int GetCodecEqualizer();
    int SetNotificationMask(uint32_t mask);
    int GetNotificationMask();
    int SetDebugLevel(int32_t level);
    int GetDebugLevel();

    // Event slots, in the order of the notification codes.
    TNotifyMessageEvent OnNotifyMessage;
    TNotifyEvent OnNotifyReady;
    TNotifyAckEvent OnNotifyAck;
    TNotifyNackEvent OnNotifyNack;
    TNotifyPongEvent OnNotifyPong;
    TNotifyEvent OnNotifyExited;
    TNotifyPlayerStateEvent OnNotifyPlayerState;
    TNotifyPlayerModeEvent OnNotifyPlayerMode;
    TNotifyEnvironmentIntegerEvent OnNotifyPlayerEnvironmentInteger;
    TNotifyEnvironmentStringEvent OnNotifyPlayerEnvironmentString;
    TNotifyInputStateEvent OnNotifyInputState;
    TNotifyInputNameEvent OnNotifyInputName;
    TNotifyInputCapsEvent OnNotifyInputCaps;
    TNotifyInputPositionEvent OnNotifyInputPosition;
    TNotifyInputPositionRangeEvent OnNotifyInputPositionRange;
    TNotifyInputTimecodeEvent OnNotifyInputTimecode;
    TNotifyInputTimecodeGranularityEvent OnNotifyInputTimecodeGranularity;
    TNotifyInputDurationEvent OnNotifyInputDuration;
    TNotifyInputStreamInfoEvent OnNotifyInputStreamInfo;
    TNotifyInputModuleEvent OnNotifyInputModule;
    TNotifyInputModuleInfoEvent OnNotifyInputModuleInfo;
    TNotifyInputDeviceInfoEvent OnNotifyInputDeviceInfo;
    TNotifyInputFilterInfoEvent OnNotifyInputFilterInfo;
    TNotifyOutputStateEvent OnNotifyOutputState;
    TNotifyOutputNameEvent OnNotifyOutputName;
    TNotifyOutputCapsEvent OnNotifyOutputCaps;
    TNotifyOutputVolumeEvent OnNotifyOutputVolume;
    TNotifyOutputBalanceEvent OnNotifyOutputBalance;
    TNotifyOutputPcmLevelEvent OnNotifyOutputPcmLevel;
    TNotifyOutputMasterLevelEvent OnNotifyOutputMasterLevel;
    TNotifyOutputChannelsEvent OnNotifyOutputChannels;
    TNotifyOutputPortsEvent OnNotifyOutputPorts;
    TNotifyOutputModuleEvent OnNotifyOutputModule;
    TNotifyOutputModuleInfoEvent OnNotifyOutputModuleInfo;
    TNotifyOutputDeviceInfoEvent OnNotifyOutputDeviceInfo;
    TNotifyOutputFilterInfoEvent OnNotifyOutputFilterInfo;
    TNotifyCodecQualityEvent OnNotifyCodecQuality;
    TNotifyCodecEqualizerEvent OnNotifyCodecEqualizer;
    TNotifyNotificationMask OnNotifyNotificationMask;
    TNotifyDebugLevelEvent OnNotifyDebugLevel;
    TNotifyProgressEvent OnNotifyProgress;
    TNotifyDebugEvent OnNotifyDebug;
    TNotifyErrorEvent OnNotifyError;

private:
    // Called on the player's thread for each notification it queues.
    static void Wake(void* context);
    // The notification dispatcher: takes one notification and raises its events; false when
    // none was queued.
    bool DispatchNotification();
    void RaiseTyped(const XA_Message& msg);

    int SendN(int code);
    int SendS(int code, const QString& text);
    int SendSI(int code, const QString& text, int32_t value);

    const XaudioLibrary& library_;
    XA_Player player_ = nullptr;
    XA_NotificationTarget target_;
};

} // namespace orvane
