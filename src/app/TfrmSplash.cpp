#include "app/TfrmSplash.h"

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
}

void TfrmSplash::Step() {
    pgBar_->setValue(std::min(pgBar_->value() + 1, kSteps));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace orvane
