#include "exchange/TfrmExportOrv.h"

#include "exchange/CollectionFileExport.h"
#include "exchange/TfrmExporting.h"
#include "platform/Prompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace orvane {

TfrmExportOrv::TfrmExportOrv(const QString& cacheFile, const QString& programFolder,
                             Prompts& prompts, QWidget* parent)
    : ExportWizard(QStringLiteral("frmExportOrv"), QStringLiteral("Export orvane collection..."),
                   prompts, parent)
    , cacheFile_(cacheFile) {
    auto* first = new QWidget(this);
    auto* layout = new QVBoxLayout(first);
    auto* text = new QLabel(QStringLiteral("The collection can contain your email adress so other "
                                           "people can contact you about your collection.Type "
                                           "your email adress below:"),
                            first);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    edEmail_ = new QLineEdit(first);
    edEmail_->setObjectName(QStringLiteral("edEmail"));
    text->setBuddy(edEmail_);
    layout->addWidget(text);
    layout->addWidget(edEmail_);
    layout->addStretch();
    addPage(first);
    addPage(makeFilePage(programFolder + QStringLiteral("mycollection.orv"),
                         QStringLiteral("Orvane files (*.orv);;All files (*)")));
    addPage(makeSummaryPage());
    edEmail_->setFocus();
}

bool TfrmExportOrv::pageDone(int page) {
    if (page == 0) {
        if (const QString problem = ContactTextProblem(edEmail_->text()); !problem.isEmpty()) {
            prompts_.warning(problem);
            edEmail_->setFocus();
            return false;
        }
    }
    return ExportWizard::pageDone(page);
}

QStringList TfrmExportOrv::summaryFor(const QString& file) const {
    return {QStringLiteral("Summary for export:"), QString(),
            QStringLiteral("  Filename for export:"), QString(6, u' ') + file};
}

bool TfrmExportOrv::exportTo(const QString& file) {
    CollectionFileExport result;
    {
        TfrmExporting exporting(this);
        result = WriteCollectionFile(cacheFile_, file, edEmail_->text());
    }
    setSummary(result.report);
    if (result.outcome == ExportOutcome::WriteFailed)
        prompts_.error(WriteFailedText(file, result.reason));
    return result.outcome == ExportOutcome::Written;
}

} // namespace orvane
