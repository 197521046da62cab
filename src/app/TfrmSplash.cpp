#include "app/TfrmSplash.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace orvane {

TfrmSplash::TfrmSplash(const QString& versionText, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Orvane"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Orvane"), this);
    QFont big = title->font();
    big.setPointSize(24);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);

    auto* versionRow = new QHBoxLayout;
    versionRow->addWidget(new QLabel(QStringLiteral("Orvane version :"), this));
    lblVersion_ = new QLabel(versionText, this);
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    versionRow->addWidget(lblVersion_);
    versionRow->addStretch();
    layout->addLayout(versionRow);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(new QLabel(QStringLiteral("Initialising . . ."), panel));
    pgBar_ = new QProgressBar(panel);
    pgBar_->setObjectName(QStringLiteral("pgBar"));
    pgBar_->setRange(0, kSteps);
    pgBar_->setValue(0);
    panelLayout->addWidget(pgBar_);
    layout->addWidget(panel);
    setMinimumWidth(360);
    // Removed again when the splash goes.
    qApp->installEventFilter(this);
}

void TfrmSplash::StepAside() {
    if (aside_++ > 0)
        return;
    shownBeforeAside_ = isVisible();
    hide();
}

void TfrmSplash::ComeBack() {
    if (aside_ == 0 || --aside_ > 0)
        return;
    if (shownBeforeAside_)
        show();
}

bool TfrmSplash::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::Show && type != QEvent::Hide) || watched == this ||
        !watched->isWidgetType())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow() || !window->isModal())
        return false;
    if (type == QEvent::Show && !modals_.contains(window)) {
        modals_.insert(window);
        // A window deleted while shown may send no hide event.
        connect(window, &QObject::destroyed, this, [this](QObject* gone) {
            if (modals_.remove(gone))
                ComeBack();
        });
        StepAside();
    } else if (type == QEvent::Hide && modals_.remove(window)) {
        disconnect(window, &QObject::destroyed, this, nullptr);
        ComeBack();
    }
    return false;
}

void TfrmSplash::Step() {
    pgBar_->setValue(std::min(pgBar_->value() + 1, kSteps));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace orvane
