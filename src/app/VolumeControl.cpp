#include "app/VolumeControl.h"

#include "browser/TfrmMain.h"
#include "playback/TdmXAudio.h"

#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace orvane {

VolumeControl::VolumeControl(TfrmMain& main, TdmXAudio& player)
    : QObject(&player)
    , player_(player) {
    QToolButton* play = main.Button(QStringLiteral("btnPlay"));
    auto* bar = play ? qobject_cast<QToolBar*>(play->parentWidget()) : nullptr;
    if (!bar)
        return;
    bar->addSeparator();
    mute_ = new QToolButton(bar);
    mute_->setObjectName(QStringLiteral("btnMute"));
    mute_->setCheckable(true);
    mute_->setAutoRaise(true);
    slider_ = new QSlider(Qt::Horizontal, bar);
    slider_->setObjectName(QStringLiteral("tbVolume"));
    slider_->setRange(0, 100);
    slider_->setSingleStep(5); // one notch of the wheel
    slider_->setPageStep(10);
    slider_->setFixedWidth(100);
    slider_->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(mute_);
    bar->addWidget(slider_);

    connect(slider_, &QSlider::valueChanged, this, [this](int value) { player_.SetVolume(value); });
    connect(mute_, &QToolButton::toggled, this, [this](bool on) { player_.SetMuted(on); });
    connect(&player_, &TdmXAudio::VolumeChanged, this, &VolumeControl::show);
    show();
}

void VolumeControl::show() {
    if (!slider_)
        return;
    {
        const QSignalBlocker quietSlider(slider_);
        const QSignalBlocker quietButton(mute_);
        slider_->setValue(player_.Volume());
        mute_->setChecked(player_.Muted());
    }
    const QString level = QStringLiteral("Volume %1 %").arg(player_.Volume());
    slider_->setToolTip(level);
    mute_->setToolTip(player_.Muted() ? QStringLiteral("Sound off (click to turn it on)")
                                      : QStringLiteral("Mute"));
    mute_->setIcon(slider_->style()->standardIcon(player_.Muted() ? QStyle::SP_MediaVolumeMuted
                                                                  : QStyle::SP_MediaVolume));
}

} // namespace orvane
