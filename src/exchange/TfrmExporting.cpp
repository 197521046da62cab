#include "exchange/TfrmExporting.h"

#include "exchange/SearchAnimation.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>

namespace orvane {

TfrmExporting::TfrmExporting(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("frmExporting"));
    setWindowTitle(QStringLiteral("Exporting"));
    auto* layout = new QHBoxLayout(this);
    auto* animate = new SearchAnimation(SearchAnimation::Subject::Files, this);
    animate->setObjectName(QStringLiteral("Animate1"));
    auto* text = new QLabel(QStringLiteral("Exporting MP3 information..."), this);
    text->setObjectName(QStringLiteral("lblMessage"));
    text->setTextFormat(Qt::PlainText);
    layout->addWidget(animate);
    layout->addWidget(text, 1);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    show();
    animate->Start();
    // Painted now: the export that follows keeps the event loop busy until it ends.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

TfrmExporting::~TfrmExporting() {
    QGuiApplication::restoreOverrideCursor();
}

} // namespace orvane
