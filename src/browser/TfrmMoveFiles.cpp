#include "browser/TfrmMoveFiles.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace orvane {

namespace {
constexpr int kFrames = 24;
}

TfrmMoveFiles::TfrmMoveFiles(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmMoveFiles"));
    setWindowTitle(QStringLiteral("Moving files"));
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    animation_ = new FileCopyAnimation(this);
    layout->addWidget(animation_, 0, Qt::AlignHCenter);
    pbMain_ = new QProgressBar(this);
    pbMain_->setObjectName(QStringLiteral("pbMain"));
    pbMain_->setRange(0, 100);
    pbMain_->setValue(0);
    pbMain_->setMinimumWidth(320);
    layout->addWidget(pbMain_);
    btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCancel_);
    layout->addLayout(buttons);
    connect(btnCancel_, &QPushButton::clicked, this, [this] { requestCancel(); });
}

void TfrmMoveFiles::Open() {
    show();
    raise();
    QCoreApplication::processEvents();
}

void TfrmMoveFiles::SetPercent(int percent) {
    pbMain_->setValue(qBound(0, percent, 100));
}

void TfrmMoveFiles::requestCancel() {
    cancelRequested_ = true;
    btnCancel_->setEnabled(false); // told once; the file being copied is given up
}

void TfrmMoveFiles::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    animation_->Start();
}

void TfrmMoveFiles::hideEvent(QHideEvent* event) {
    animation_->Stop();
    QDialog::hideEvent(event);
}

void TfrmMoveFiles::closeEvent(QCloseEvent* event) {
    // The owner closes the window when the batch has ended; until then closing asks it to stop.
    requestCancel();
    event->ignore();
}

void TfrmMoveFiles::reject() {
    requestCancel();
}

FileCopyAnimation::FileCopyAnimation(QWidget* parent)
    : QWidget(parent)
    , timer_(new QTimer(this)) {
    timer_->setInterval(60);
    connect(timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kFrames;
        update();
    });
}

void FileCopyAnimation::Start() {
    timer_->start();
}

void FileCopyAnimation::Stop() {
    timer_->stop();
}

bool FileCopyAnimation::IsRunning() const {
    return timer_->isActive();
}

QSize FileCopyAnimation::sizeHint() const {
    return {272, 60};
}

void FileCopyAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor folder(232, 190, 80);
    const QRect from(8, 18, 48, 34);
    const QRect to(width() - 56, 18, 48, 34);
    for (const QRect& r : {from, to}) {
        p.setPen(folder.darker(140));
        p.setBrush(folder);
        p.drawRect(r);
        p.drawRect(QRect(r.left(), r.top() - 6, 20, 6));
    }
    // The sheet rises from the first folder, flies over in an arc and drops into the second.
    const double t = double(frame_) / (kFrames - 1);
    const int x = from.center().x() + int(t * (to.center().x() - from.center().x())) - 8;
    const int y = 22 - int(18 * 4 * t * (1 - t));
    p.setPen(Qt::darkGray);
    p.setBrush(Qt::white);
    p.drawRect(QRect(x, y, 16, 20));
    for (int line = 0; line < 3; ++line)
        p.drawLine(x + 3, y + 5 + 4 * line, x + 13, y + 5 + 4 * line);
}

} // namespace orvane
