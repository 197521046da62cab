#include "browser/ScanProgressWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QProgressBar>
#include <QVBoxLayout>

namespace orvane {

namespace {
constexpr int kFolderWidth = 360;
}

ScanProgressWindow::ScanProgressWindow(const QString& caption, const QString& text, bool animation,
                                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint) {
    setWindowTitle(caption);
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QVBoxLayout(panel);
    auto* message = new QLabel(text, panel);
    message->setTextFormat(Qt::PlainText);
    panelLayout->addWidget(message);
    if (animation) {
        auto* busy = new QProgressBar(panel);
        busy->setRange(0, 0); // runs without an end: the walk's length is not known
        busy->setTextVisible(false);
        panelLayout->addWidget(busy);
    }
    lblCount_ = new QLabel(panel);
    lblCount_->setObjectName(QStringLiteral("lblCount"));
    lblCount_->setTextFormat(Qt::PlainText);
    lblFolder_ = new QLabel(panel);
    lblFolder_->setObjectName(QStringLiteral("lblFolder"));
    lblFolder_->setTextFormat(Qt::PlainText); // folder names are never read as markup
    lblFolder_->setFixedWidth(kFolderWidth);
    panelLayout->addWidget(lblCount_);
    panelLayout->addWidget(lblFolder_);
    layout->addWidget(panel);
    ScanReport(0, {});
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
    lblFolder_->setToolTip(folder);
    lblFolder_->setText(
        lblFolder_->fontMetrics().elidedText(folder, Qt::ElideMiddle, kFolderWidth));
}

void ScanProgressWindow::closeEvent(QCloseEvent* event) {
    event->ignore(); // the window goes when the walk has ended
}

TfrmInitialise::TfrmInitialise(QWidget* parent)
    : ScanProgressWindow(QStringLiteral("Orvane..."),
                         QStringLiteral("Please wait while scanning MP3 collection"), false,
                         parent) {
    setObjectName(QStringLiteral("frmInitialise"));
}

} // namespace orvane
