#include "exchange/TfrmExportPlainText.h"

#include "exchange/TfrmExporting.h"
#include "platform/Prompts.h"
#include "store/CollectionList.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace orvane {

namespace {

// A list page: its caption, the list, and the information box that explains the selected entry.
QListWidget* MakeChoicePage(QWidget* page, const QString& caption, const QString& name,
                            const QStringList& entries, const QStringList& information,
                            QLabel*& info) {
    auto* layout = new QVBoxLayout(page);
    auto* label = new QLabel(caption, page);
    auto* list = new QListWidget(page);
    list->setObjectName(name);
    list->addItems(entries);
    label->setBuddy(list);
    auto* box = new QGroupBox(QStringLiteral(" Information "), page);
    auto* boxLayout = new QVBoxLayout(box);
    info = new QLabel(box);
    info->setTextFormat(Qt::PlainText);
    info->setWordWrap(true);
    info->setMinimumHeight(info->fontMetrics().lineSpacing() * 3);
    boxLayout->addWidget(info);
    layout->addWidget(label);
    layout->addWidget(list, 1);
    layout->addWidget(box);
    QLabel* shown = info;
    QObject::connect(list, &QListWidget::currentRowChanged, info,
                     [shown, information](int row) { shown->setText(information.value(row)); });
    list->setCurrentRow(0);
    return list;
}

} // namespace

TfrmExportPlainText::TfrmExportPlainText(const CollectionList& songs, const QString& programFolder,
                                         Prompts& prompts, QWidget* parent)
    : ExportWizard(QStringLiteral("frmExportPlainText"),
                   QStringLiteral("Export ASCII text file..."), prompts, parent)
    , songs_(songs) {
    QStringList groupings, groupingInfo, levels, levelInfo;
    for (int i = 0; i < kGroupingCount; ++i) {
        groupings << GroupingEntry(ReportGrouping(i));
        groupingInfo << GroupingInformation(ReportGrouping(i));
    }
    for (int i = 0; i < kDetailLevelCount; ++i) {
        levels << DetailEntry(DetailLevel(i));
        levelInfo << DetailInformation(DetailLevel(i));
    }
    auto* first = new QWidget(this);
    lbOptions_ = MakeChoicePage(first, QStringLiteral("&Select the type of export you wish to do:"),
                                QStringLiteral("lbOptions"), groupings, groupingInfo, info_[0]);
    addPage(first);
    auto* second = new QWidget(this);
    lbOptions2_ =
        MakeChoicePage(second, QStringLiteral("&Choose the information you want exported."),
                       QStringLiteral("lbOptions2"), levels, levelInfo, info_[1]);
    addPage(second);
    addPage(makeFilePage(programFolder + QStringLiteral("mp3collection.txt"),
                         QStringLiteral("Text files (*.txt);;All files (*)")));
    addPage(makeSummaryPage());
    lbOptions_->setFocus();
}

QString TfrmExportPlainText::InformationText(int page) const {
    return info_[page == 0 ? 0 : 1]->text();
}

ReportGrouping TfrmExportPlainText::grouping() const {
    return ReportGrouping(qBound(0, lbOptions_->currentRow(), kGroupingCount - 1));
}

DetailLevel TfrmExportPlainText::level() const {
    return DetailLevel(qBound(0, lbOptions2_->currentRow(), kDetailLevelCount - 1));
}

QStringList TfrmExportPlainText::summaryFor(const QString& file) const {
    return BuildExportSummary(GroupingEntry(grouping()), DetailEntry(level()), file);
}

bool TfrmExportPlainText::exportTo(const QString& file) {
    PlainTextExport result;
    {
        TfrmExporting exporting(this);
        result = WritePlainTextReport(file, songs_, grouping(), level(),
                                      dateText_.isEmpty() ? ExportDateText() : dateText_);
    }
    switch (result.outcome) {
    case ExportOutcome::Written:
        setSummary(result.summary);
        return true;
    case ExportOutcome::WriteFailed:
        prompts_.error(WriteFailedText(file, result.reason));
        return false;
    default:
        setSummary(result.summary);
        return false;
    }
}

} // namespace orvane
