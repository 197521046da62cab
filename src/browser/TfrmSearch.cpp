#include "browser/TfrmSearch.h"

#include "exchange/SearchAnimation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace orvane {

TfrmSearch::TfrmSearch(QWidget* parent)
    : ScanProgressWindow(QStringLiteral("Searching..."), CountLines::FromFirstReport, parent) {
    setObjectName(QStringLiteral("frmSearch"));
    auto* top = new QHBoxLayout;
    animate_ = new SearchAnimation(SearchAnimation::Subject::Folders, this);
    animate_->setObjectName(QStringLiteral("Animate1"));
    lblMessage_ = new QLabel(QStringLiteral("Reading MP3 information..."), this);
    lblMessage_->setTextFormat(Qt::PlainText);
    top->addWidget(animate_);
    top->addWidget(lblMessage_, 1);
    Panel()->insertLayout(0, top);
}

QString TfrmSearch::MessageText() const {
    return lblMessage_->text();
}

void TfrmSearch::showEvent(QShowEvent* event) {
    ScanProgressWindow::showEvent(event);
    animate_->Start();
}

void TfrmSearch::hideEvent(QHideEvent* event) {
    animate_->Stop();
    ScanProgressWindow::hideEvent(event);
}

} // namespace orvane
