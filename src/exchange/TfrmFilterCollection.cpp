#include "exchange/TfrmFilterCollection.h"

#include "exchange/ImportedCollections.h"
#include "platform/Prompts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

TfrmFilterCollection::TfrmFilterCollection(QStringList collectionFilter, QString libFolder,
                                           Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , entries_(std::move(collectionFilter))
    , libFolder_(std::move(libFolder))
    , prompts_(prompts) {
    setObjectName(QStringLiteral("frmFilterCollection"));
    setWindowTitle(QStringLiteral("Filter Collections"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Imported collections :"), this);
    cbList_ = new QListWidget(this);
    cbList_->setObjectName(QStringLiteral("cbList"));
    cbList_->setMinimumSize(280, 180);
    label->setBuddy(cbList_);
    layout->addWidget(label);
    layout->addWidget(cbList_);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    btnDelete_ = new QPushButton(QStringLiteral("&Delete"), this);
    btnDelete_->setObjectName(QStringLiteral("btnDelete"));
    buttons->addWidget(btnDelete_);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TfrmFilterCollection::accept);
    connect(cancel, &QPushButton::clicked, this, &TfrmFilterCollection::reject);
    connect(btnDelete_, &QPushButton::clicked, this, &TfrmFilterCollection::btnDeleteClick);
    fill();
}

void TfrmFilterCollection::fill() {
    cbList_->clear();
    for (const QString& entry : entries_) {
        // A list item shows its text as it stands: a file name is never read as markup.
        auto* item = new QListWidgetItem(CollectionEntryName(entry), cbList_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(CollectionEntryShown(entry) ? Qt::Checked : Qt::Unchecked);
    }
}

void TfrmFilterCollection::accept() {
    std::vector<bool> checked;
    for (int i = 0; i < cbList_->count(); ++i)
        checked.push_back(cbList_->item(i)->checkState() == Qt::Checked);
    entries_ = WithCollectionChecks(entries_, checked);
    QDialog::accept();
}

void TfrmFilterCollection::btnDeleteClick() {
    const int row = cbList_->currentRow();
    const QListWidgetItem* item = cbList_->currentItem();
    if (!item || !item->isSelected() || row < 0 || row >= entries_.size())
        return;
    // The file named by the entry the user selected, as the list showed it.
    const QString name = CollectionEntryName(entries_[row]);
    if (prompts_.ask(PromptKind::Warning, PromptButtons::YesNo, kDeleteCollectionQuestion) !=
        PromptAnswer::Yes)
        return;
    if (!DeleteCollectionFile(libFolder_, name)) {
        prompts_.information(kDeleteCollectionFailed);
        return;
    }
    entries_.removeAt(row);
    delete cbList_->takeItem(row);
}

} // namespace orvane
