#pragma once
// The volume slider (0-100 %) and the mute button on the player's toolbar, joined to the
// playback controller both ways: a move of the slider, a wheel turn over it or a click on the
// button sets the controller's volume, and a volume set elsewhere (the settings, the desktop's
// media controls) moves the slider. GUI thread only; the widgets belong to the toolbar.

#include <QObject>

class QSlider;
class QToolButton;

namespace orvane {

class TdmXAudio;
class TfrmMain;

class VolumeControl : public QObject {
    Q_OBJECT
public:
    // Adds the widgets to the toolbar that holds btnPlay; the controller must outlive them.
    VolumeControl(TfrmMain& main, TdmXAudio& player);

    QSlider* Slider() const { return slider_; }
    QToolButton* MuteButton() const { return mute_; }

private:
    void show();

    TdmXAudio& player_;
    QSlider* slider_ = nullptr;
    QToolButton* mute_ = nullptr;
};

} // namespace orvane
