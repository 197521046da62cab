#include "app/ScanStatus.h"

#include "browser/TfrmMain.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvane {

ScanStatus::ScanStatus(TfrmMain& main)
    : QObject(&main)
    , main_(main) {
    button_ = new QToolButton(main.statusBar());
    button_->setObjectName(QStringLiteral("btnScanStatus"));
    button_->setAutoRaise(true);
    // Wide enough for the longest text, so that the panels beside it keep their places.
    button_->setFixedWidth(button_->fontMetrics().horizontalAdvance(
                               QStringLiteral("Scanning: 000000 files, 000000 new songs")) +
                           16);
    main.AddStatusWidget(button_);
    connect(button_, &QToolButton::clicked, this, &ScanStatus::showList);
}

int ScanStatus::Begin(qsizetype songsBefore) {
    tally_.Begin(songsBefore);
    button_->setText(tally_.ProgressText());
    button_->setToolTip({});
    return ++scan_;
}

void ScanStatus::FileRead(qsizetype songsNow) {
    tally_.FileRead(songsNow);
    if (tally_.ReportDue())
        button_->setText(tally_.ProgressText());
}

void ScanStatus::Unreadable(const QString& path, UnreadableKind kind) {
    tally_.Unreadable(path, kind);
}

void ScanStatus::Finish(int scan, qsizetype songsNow) {
    if (scan != scan_ || !tally_.Running())
        return;
    tally_.Finish(songsNow);
    button_->setText(tally_.SummaryText());
    button_->setToolTip(tally_.Entries().empty()
                            ? QString()
                            : QStringLiteral("Click for the files the scan could not read"));
}

void ScanStatus::showList() {
    if (tally_.Running() || tally_.Entries().empty())
        return;
    if (list_) {
        list_->raise();
        list_->activateWindow();
        return;
    }
    list_ = new QDialog(&main_);
    list_->setAttribute(Qt::WA_DeleteOnClose);
    list_->setObjectName(QStringLiteral("frmUnreadableFiles"));
    list_->setWindowTitle(QStringLiteral("Files the scan could not read"));
    auto* layout = new QVBoxLayout(list_);
    auto* table = new QTableWidget(int(tally_.Entries().size()), 2, list_);
    table->setObjectName(QStringLiteral("lvUnreadable"));
    table->setHorizontalHeaderLabels({QStringLiteral("File"), QStringLiteral("Reason")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    int row = 0;
    // Item texts are drawn as they stand: a file name is never read as markup.
    for (const UnreadableEntry& entry : tally_.Entries()) {
        table->setItem(row, 0, new QTableWidgetItem(entry.Path));
        table->setItem(row, 1, new QTableWidgetItem(UnreadableReason(entry.Kind)));
        ++row;
    }
    layout->addWidget(table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, list_);
    connect(buttons, &QDialogButtonBox::rejected, list_, &QDialog::close);
    layout->addWidget(buttons);
    list_->resize(640, 320);
    list_->show();
}

} // namespace orvane
