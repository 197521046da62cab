#include "exchange/TfrmExportTypeSelection.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

TfrmExportTypeSelection::TfrmExportTypeSelection(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmExportTypeSelection"));
    setWindowTitle(QStringLiteral("Export..."));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Select the type of export you wish to do:"), this);
    lbTypes_ = new QListWidget(this);
    lbTypes_->setObjectName(QStringLiteral("lbTypes"));
    lbTypes_->addItems({QStringLiteral("Plain ASCII text file (*.txt)"),
                        QStringLiteral("Orvane export file (*.orv)")});
    label->setBuddy(lbTypes_);
    auto* box = new QGroupBox(QStringLiteral(" Information "), this);
    auto* boxLayout = new QVBoxLayout(box);
    info_ = new QLabel(box);
    info_->setTextFormat(Qt::PlainText);
    info_->setWordWrap(true);
    info_->setMinimumHeight(info_->fontMetrics().lineSpacing() * 3);
    boxLayout->addWidget(info_);
    const QStringList information = {
        QStringLiteral("Export song information sorted on album, artist, or genre to a plain "
                       "ASCII text file."),
        QStringLiteral("Write the current \"Local\" database of your mp3 collection into a ORV "
                       "file, so other people can browse and search your collection.")};
    connect(lbTypes_, &QListWidget::currentRowChanged, info_,
            [this, information](int row) { info_->setText(information.value(row)); });
    lbTypes_->setCurrentRow(0);
    // A double click chooses the entry, as "&Next" does.
    connect(lbTypes_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* next = new QPushButton(QStringLiteral("&Next"), this);
    next->setObjectName(QStringLiteral("btnNext"));
    next->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(next);
    buttons->addWidget(cancel);
    connect(next, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(lbTypes_, 1);
    layout->addWidget(box);
    layout->addLayout(buttons);
    setMinimumWidth(420);
    lbTypes_->setFocus();
}

TfrmExportTypeSelection::Choice TfrmExportTypeSelection::Selected() const {
    return lbTypes_->currentRow() == 1 ? Choice::CollectionFile : Choice::PlainText;
}

QString TfrmExportTypeSelection::InformationText() const {
    return info_->text();
}

} // namespace orvane
