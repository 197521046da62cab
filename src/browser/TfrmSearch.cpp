#include "browser/TfrmSearch.h"

#include "exchange/SearchAnimation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace orvane {

namespace {
constexpr int kFolderWidth = 360;
}

TfrmSearch::TfrmSearch(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QStringLiteral("Searching..."));
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QVBoxLayout(panel);
    auto* top = new QHBoxLayout;
    animate_ = new SearchAnimation(SearchAnimation::Subject::Folders, panel);
    animate_->setObjectName(QStringLiteral("Animate1"));
    lblMessage_ = new QLabel(QStringLiteral("Reading MP3 information..."), panel);
    lblMessage_->setTextFormat(Qt::PlainText);
    top->addWidget(animate_);
    top->addWidget(lblMessage_, 1);
    panelLayout->addLayout(top);
    lblCount_ = new QLabel(panel);
    lblCount_->setObjectName(QStringLiteral("lblCount"));
    lblCount_->setTextFormat(Qt::PlainText);
    lblFolder_ = new QLabel(panel);
    lblFolder_->setObjectName(QStringLiteral("lblFolder"));
    lblFolder_->setTextFormat(Qt::PlainText); // folder names are never read as markup
    lblFolder_->setFixedWidth(kFolderWidth);
    lblCount_->hide();
    lblFolder_->hide();
    panelLayout->addWidget(lblCount_);
    panelLayout->addWidget(lblFolder_);
    layout->addWidget(panel);
}

TfrmSearch::~TfrmSearch() {
    if (cursorSet_)
        QApplication::restoreOverrideCursor();
}

void TfrmSearch::Open() {
    if (!cursorSet_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorSet_ = true;
    }
    show();
    raise();
    QCoreApplication::processEvents();
}

void TfrmSearch::ScanReport(qsizetype filesRead, const QString& folder) {
    lblCount_->setText(QStringLiteral("%1 files read").arg(filesRead));
    lblFolder_->setToolTip(folder);
    lblFolder_->setText(
        lblFolder_->fontMetrics().elidedText(folder, Qt::ElideMiddle, kFolderWidth));
    if (lblCount_->isHidden()) {
        lblCount_->show();
        lblFolder_->show();
        adjustSize();
        centreOnScreen();
    }
}

QString TfrmSearch::MessageText() const {
    return lblMessage_->text();
}

QString TfrmSearch::CountText() const {
    return lblCount_->text();
}

QString TfrmSearch::FolderText() const {
    return lblFolder_->toolTip();
}

void TfrmSearch::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen();
    animate_->Start();
}

void TfrmSearch::hideEvent(QHideEvent* event) {
    animate_->Stop();
    QDialog::hideEvent(event);
}

void TfrmSearch::closeEvent(QCloseEvent* event) {
    event->ignore(); // the window goes when the work has ended
}

void TfrmSearch::centreOnScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

} // namespace orvane
