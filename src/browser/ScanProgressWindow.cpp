#include "browser/ScanProgressWindow.h"

#include "browser/LiteralText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace orvane {

namespace {
constexpr int kFolderWidth = 360;
}

ScanProgressWindow::ScanProgressWindow(const QString& caption, CountLines countLines,
                                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint) {
    setWindowTitle(caption);
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panelLayout_ = new QVBoxLayout(panel);
    lblCount_ = new QLabel(panel);
    lblCount_->setObjectName(QStringLiteral("lblCount"));
    lblCount_->setTextFormat(Qt::PlainText);
    lblFolder_ = new QLabel(panel);
    lblFolder_->setObjectName(QStringLiteral("lblFolder"));
    lblFolder_->setTextFormat(Qt::PlainText); // folder names are never read as markup
    lblFolder_->setFixedWidth(kFolderWidth);
    panelLayout_->addWidget(lblCount_);
    panelLayout_->addWidget(lblFolder_);
    layout->addWidget(panel);
    if (countLines == CountLines::FromFirstReport) {
        lblCount_->hide();
        lblFolder_->hide();
    } else {
        ScanReport(0, {});
    }
}

ScanProgressWindow::~ScanProgressWindow() {
    if (cursorSet_)
        QApplication::restoreOverrideCursor();
}

void ScanProgressWindow::Open() {
    if (!cursorSet_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorSet_ = true;
    }
    show();
    raise();
    QCoreApplication::processEvents();
}

void ScanProgressWindow::ScanReport(qsizetype filesRead, const QString& folder) {
    lblCount_->setText(QStringLiteral("%1 files read").arg(filesRead));
    lblFolder_->setToolTip(LiteralToolTip(folder));
    lblFolder_->setText(
        lblFolder_->fontMetrics().elidedText(folder, Qt::ElideMiddle, kFolderWidth));
    if (lblCount_->isHidden()) {
        lblCount_->show();
        lblFolder_->show();
        adjustSize();
        centreOnScreen();
    }
}

QString ScanProgressWindow::CountText() const {
    return lblCount_->text();
}

QString ScanProgressWindow::FolderText() const {
    return lblFolder_->toolTip();
}

void ScanProgressWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen();
}

void ScanProgressWindow::closeEvent(QCloseEvent* event) {
    event->ignore(); // the window goes when the work has ended
}

void ScanProgressWindow::centreOnScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

TfrmInitialise::TfrmInitialise(QWidget* parent)
    : ScanProgressWindow(QStringLiteral("Orvane..."), CountLines::Always, parent) {
    setObjectName(QStringLiteral("frmInitialise"));
    auto* message = new QLabel(QStringLiteral("Please wait while scanning MP3 collection"), this);
    message->setTextFormat(Qt::PlainText);
    Panel()->insertWidget(0, message);
}

} // namespace orvane
