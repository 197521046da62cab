#pragma once
// The equalizer window: an on/off box and eight sliders whose settings go to the listening
// player at once (on show, on the box and on every slider move). Closing only hides it; the
// settings stay for the run. GUI thread only.

#include "playback/Equalizer.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QSlider;

namespace orvane {

class TXaudioPlayer;

class TfrmEqualizer : public QDialog {
    Q_OBJECT
public:
    // player must outlive the window.
    TfrmEqualizer(QWidget* parent, TXaudioPlayer& player);

    QCheckBox* EnableCheckBox() const { return enableCheckBox_; }
    // TrackBar01 to TrackBar08 at 0 to 7.
    QSlider* TrackBar(int index) const { return trackBars_.at(static_cast<size_t>(index)); }

    void UpdateEqualizer();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TXaudioPlayer& player_;
    QCheckBox* enableCheckBox_ = nullptr;
    std::array<QSlider*, 8> trackBars_{};
    bool placed_ = false;
};

} // namespace orvane
