#pragma once
// The wizard "Export orvane collection...": the contact text (refused when it holds "[;]" or a
// line break, which would break every exported line), the target file and the summary;
// "&Finish>" writes the collection file from the own cache file as last written. A failure is
// told on the summary page (a write failure part-way also in a message box) and the wizard
// stays usable. GUI thread only.

#include "exchange/ExportWizard.h"

namespace orvane {

class TfrmExportOrv : public ExportWizard {
    Q_OBJECT
public:
    // cacheFile: the own collection's local.orv.
    TfrmExportOrv(const QString& cacheFile, const QString& programFolder, Prompts& prompts,
                  QWidget* parent = nullptr);

    QLineEdit* edEmail() const { return edEmail_; }

protected:
    bool pageDone(int page) override;
    QStringList summaryFor(const QString& file) const override;
    bool exportTo(const QString& file) override;

private:
    QString cacheFile_;
    QLineEdit* edEmail_ = nullptr;
};

} // namespace orvane
