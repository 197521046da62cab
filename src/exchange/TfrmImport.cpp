#include "exchange/TfrmImport.h"

#include "exchange/ImportedCollections.h"
#include "platform/Prompts.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace orvane {

QStringList ImportPlaces() {
    QStringList places{QDir::homePath(), QDir::rootPath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        // The system's own pseudo file systems hold no music.
        if (!volume.isValid() || !volume.isReady() || root.startsWith(QStringLiteral("/proc")) ||
            root.startsWith(QStringLiteral("/sys")) || root.startsWith(QStringLiteral("/dev")) ||
            root.startsWith(QStringLiteral("/run/user")) || root == QStringLiteral("/boot"))
            continue;
        if (!places.contains(root))
            places.append(root);
    }
    for (const char* folder : {"/media", "/mnt"})
        if (const QString path = QString::fromLatin1(folder);
            QDir(path).exists() && !places.contains(path))
            places.append(path);
    return places;
}

TfrmImport::TfrmImport(Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , prompts_(prompts) {
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("Import collections"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* from = new QLabel(QStringLiteral("Import from location :"), this);
    layout->addWidget(from);
    cbPlaces_ = new QComboBox(this);
    cbPlaces_->setObjectName(QStringLiteral("cbPlaces"));
    cbPlaces_->addItems(ImportPlaces());
    layout->addWidget(cbPlaces_);

    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    folders_->setRootPath(QDir::rootPath());
    DirTree1_ = new QTreeView(this);
    DirTree1_->setObjectName(QStringLiteral("DirTree1"));
    DirTree1_->setModel(folders_);
    DirTree1_->setRootIndex(folders_->index(QDir::rootPath()));
    for (int column = 1; column < folders_->columnCount(); ++column)
        DirTree1_->hideColumn(column);
    DirTree1_->header()->hide();
    DirTree1_->setMinimumSize(360, 280);
    from->setBuddy(DirTree1_);
    layout->addWidget(DirTree1_);
    connect(cbPlaces_, &QComboBox::currentTextChanged, this, &TfrmImport::SelectFolder);

    auto* nameLabel = new QLabel(QStringLiteral("Location name :"), this);
    edName_ = new QLineEdit(this);
    edName_->setObjectName(QStringLiteral("edName"));
    nameLabel->setBuddy(edName_);
    layout->addWidget(nameLabel);
    layout->addWidget(edName_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOk_ = new QPushButton(QStringLiteral("&OK"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setDefault(true);
    btnOk_->setEnabled(false);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(btnOk_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(btnOk_, &QPushButton::clicked, this, &TfrmImport::accept);
    connect(cancel, &QPushButton::clicked, this, &TfrmImport::reject);
    connect(edName_, &QLineEdit::textChanged, this, &TfrmImport::edNameChange);

    SelectFolder(QDir::homePath());
    edName_->setFocus();
}

void TfrmImport::SelectFolder(const QString& folder) {
    const QModelIndex at = folders_->index(folder);
    if (!at.isValid())
        return;
    DirTree1_->setCurrentIndex(at);
    DirTree1_->expand(at);
    DirTree1_->scrollTo(at);
}

QString TfrmImport::SelectedFolder() const {
    const QModelIndex at = DirTree1_->currentIndex();
    return at.isValid() ? folders_->filePath(at) : QString();
}

QString TfrmImport::LocationName() const {
    return edName_->text();
}

void TfrmImport::edNameChange() {
    btnOk_->setEnabled(!edName_->text().trimmed().isEmpty());
}

void TfrmImport::accept() {
    if (!btnOk_->isEnabled())
        return;
    if (SelectedFolder().isEmpty()) {
        prompts_.warning(QStringLiteral("Please choose the folder to import."));
        return;
    }
    if (const QString problem = LocationNameProblem(LocationName()); !problem.isEmpty()) {
        prompts_.warning(problem);
        edName_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace orvane
