#include "playback/TfrmEqualizer.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>

namespace orvane {

namespace {

// Where each slider's bands end at 44.1 kHz (32 bands of 689 Hz), as a hint under it.
constexpr const char* kUpperEdges[] = {"0.7k", "1.4k", "2.8k",  "4.1k",
                                       "5.5k", "9.6k", "13.8k", "22k"};

} // namespace

TfrmEqualizer::TfrmEqualizer(QWidget* parent, TXaudioPlayer& player)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , player_(player) {
    setObjectName(QStringLiteral("frmEqualizer"));
    setWindowTitle(QStringLiteral("Equalizer"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    enableCheckBox_ = new QCheckBox(QStringLiteral("Enable Equalizer"), this);
    enableCheckBox_->setObjectName(QStringLiteral("EnableCheckBox"));
    layout->addWidget(enableCheckBox_);
    connect(enableCheckBox_, &QCheckBox::clicked, this, &TfrmEqualizer::UpdateEqualizer);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("+12 dB"), this), 0, 0, Qt::AlignTop);
    grid->addWidget(new QLabel(QStringLiteral("0 dB"), this), 0, 0, Qt::AlignVCenter);
    grid->addWidget(new QLabel(QStringLiteral("-12 dB"), this), 0, 0, Qt::AlignBottom);
    for (int i = 0; i < 8; ++i) {
        auto* bar = new QSlider(Qt::Vertical, this);
        bar->setObjectName(QStringLiteral("TrackBar%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        bar->setRange(-80, 80);
        // -80 at the top, and Up moves towards it.
        bar->setInvertedAppearance(true);
        bar->setInvertedControls(true);
        bar->setPageStep(10);
        bar->setTickInterval(10);
        bar->setTickPosition(QSlider::TicksBothSides);
        bar->setMinimumHeight(160);
        bar->setValue(0);
        connect(bar, &QSlider::valueChanged, this, &TfrmEqualizer::UpdateEqualizer);
        trackBars_[static_cast<size_t>(i)] = bar;
        grid->addWidget(bar, 0, i + 1, Qt::AlignHCenter);
        auto* edge = new QLabel(QString::fromLatin1(kUpperEdges[i]), this);
        edge->setToolTip(
            QStringLiteral("Bands up to %1Hz").arg(QString::fromLatin1(kUpperEdges[i])));
        grid->addWidget(edge, 1, i + 1, Qt::AlignHCenter);
    }
    layout->addLayout(grid);
}

void TfrmEqualizer::UpdateEqualizer() {
    EqualizerPositions positions{};
    for (size_t i = 0; i < positions.size(); ++i)
        positions[i] = trackBars_[i]->value();
    orvane::UpdateEqualizer(player_, enableCheckBox_->isChecked(), positions);
}

void TfrmEqualizer::showEvent(QShowEvent* event) {
    if (!placed_) {
        // The first time in the middle of the screen; afterwards where the user left it.
        placed_ = true;
        adjustSize();
        if (const QScreen* where = parentWidget() ? parentWidget()->screen() : screen())
            move(where->availableGeometry().center() - rect().center());
    }
    QDialog::showEvent(event);
    UpdateEqualizer();
}

} // namespace orvane
