#pragma once
// The wizard "Export ASCII text file...": the grouping, the detail level, the target file and
// the summary; "&Finish>" writes the report of every song of the collection list. When the
// file cannot be created the summary page says so and the wizard stays usable (back, another
// name, "&Finish>" again); a write failure part-way is reported in a message box and leaves an
// existing file as it was. GUI thread only; the collection list must outlive the wizard.

#include "exchange/ExportWizard.h"
#include "exchange/PlainTextReport.h"

class QLabel;
class QListWidget;

namespace orvane {

class CollectionList;

class TfrmExportPlainText : public ExportWizard {
    Q_OBJECT
public:
    TfrmExportPlainText(const CollectionList& songs, const QString& programFolder, Prompts& prompts,
                        QWidget* parent = nullptr);

    QListWidget* lbOptions() const { return lbOptions_; }
    QListWidget* lbOptions2() const { return lbOptions2_; }
    QString InformationText(int page) const;

    // Where the export date of the head comes from (the current local time unless set).
    void SetDateText(const QString& text) { dateText_ = text; }

protected:
    QStringList summaryFor(const QString& file) const override;
    bool exportTo(const QString& file) override;

private:
    ReportGrouping grouping() const;
    DetailLevel level() const;

    const CollectionList& songs_;
    QListWidget* lbOptions_ = nullptr;
    QListWidget* lbOptions2_ = nullptr;
    QLabel* info_[2] = {};
    QString dateText_;
};

} // namespace orvane
