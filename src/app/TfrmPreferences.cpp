#include "app/TfrmPreferences.h"

#include "app/FirstRun.h"
#include "store/Id3v1Preview.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace orvane {

TfrmPreferences::TfrmPreferences(PreferencesContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , context_(context) {
    setObjectName(QStringLiteral("frmPreferences"));
    setWindowTitle(QStringLiteral("Preferences"));
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->addTab(buildLocations(), QStringLiteral("Locations"));
    pages_->addTab(buildPreferences(), QStringLiteral("Preferences"));
    pages_->addTab(buildTags(), QStringLiteral("Tags"));
    pages_->setCurrentIndex(0);
    connect(pages_, &QTabWidget::currentChanged, this, [this] {
        if (pages_->currentIndex() == 2)
            showPreview();
    });
    layout->addWidget(pages_);

    auto* buttons = new QDialogButtonBox(this);
    btnOk_ = buttons->addButton(QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole);
    btnCancel_ = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    btnOk_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmPreferences::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrmPreferences::reject);
    layout->addWidget(buttons);

    const PreferencesChoice shown = PreferencesOnShow(context_.settings);
    edMP3Base_->setText(shown.Mp3BaseText);
    cbTrayicons_->setChecked(shown.TrayControls);
    for (size_t i = 0; i < shown.Icons.size(); ++i)
        clIcons_->item(int(i))->setCheckState(shown.Icons[i] ? Qt::Checked : Qt::Unchecked);
    cbReadId3v2_->setCurrentIndex(int(shown.Tags.id3v2));
    cbCodePage_->setCurrentIndex(cbCodePage_->findData(shown.Tags.codePage));
    setMinimumWidth(420);
}

QWidget* TfrmPreferences::buildLocations() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("MP3 base location"), page));
    auto* row = new QHBoxLayout;
    edMP3Base_ = new QLineEdit(page);
    edMP3Base_->setObjectName(QStringLiteral("edMP3Base"));
    btnBrowse_ = new QPushButton(QStringLiteral("&Browse..."), page);
    btnBrowse_->setAutoDefault(false);
    connect(btnBrowse_, &QPushButton::clicked, this, &TfrmPreferences::browse);
    row->addWidget(edMP3Base_, 1);
    row->addWidget(btnBrowse_);
    layout->addLayout(row);
    layout->addStretch();
    return page;
}

QWidget* TfrmPreferences::buildPreferences() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* heading = new QLabel(QStringLiteral("System tray"), page);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    cbTrayicons_ = new QCheckBox(QStringLiteral("Use tray controls"), page);
    cbTrayicons_->setObjectName(QStringLiteral("cbTrayicons"));
    layout->addWidget(cbTrayicons_);
    layout->addWidget(new QLabel(QStringLiteral("Show following tray icons :"), page));
    clIcons_ = new QListWidget(page);
    clIcons_->setObjectName(QStringLiteral("clIcons"));
    for (TrayIconId icon : kPreferencesIconOrder) {
        auto* item = new QListWidgetItem(PreferencesIconCaption(icon), clIcons_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    }
    layout->addWidget(clIcons_);
    return page;
}

QWidget* TfrmPreferences::buildTags() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* readLabel = new QLabel(QStringLiteral("Read ID3v2 tags"), page);
    layout->addWidget(readLabel);
    cbReadId3v2_ = new QComboBox(page);
    cbReadId3v2_->setObjectName(QStringLiteral("cbReadId3v2"));
    cbReadId3v2_->addItems(Id3v2UseCaptions());
    readLabel->setBuddy(cbReadId3v2_);
    layout->addWidget(cbReadId3v2_);
    auto* codeLabel = new QLabel(QStringLiteral("ID3v1 text encoding"), page);
    layout->addWidget(codeLabel);
    cbCodePage_ = new QComboBox(page);
    cbCodePage_->setObjectName(QStringLiteral("cbCodePage"));
    for (const int codePage : kCodePages)
        cbCodePage_->addItem(CodePageCaption(codePage), codePage);
    codeLabel->setBuddy(cbCodePage_);
    layout->addWidget(cbCodePage_);
    layout->addWidget(
        new QLabel(QStringLiteral("Songs of your collection in this encoding:"), page));
    lbPreview_ = new QListWidget(page);
    lbPreview_->setObjectName(QStringLiteral("lbPreview"));
    lbPreview_->setSelectionMode(QAbstractItemView::NoSelection);
    layout->addWidget(lbPreview_);
    layout->addWidget(new QLabel(QStringLiteral("The collection shows a changed choice after "
                                                "\"Refresh Database\"."),
                                 page));
    connect(cbCodePage_, &QComboBox::currentIndexChanged, this, [this] {
        if (previewRead_)
            showPreview();
    });
    return page;
}

void TfrmPreferences::showPreview() {
    if (!previewRead_) {
        previewRead_ = true;
        if (context_.previewTags)
            previewTags_ = context_.previewTags();
    }
    lbPreview_->clear();
    // List items show plain text: the tags' text is never read as markup.
    const QStringList lines = PreviewLines(previewTags_, cbCodePage_->currentData().toInt());
    if (lines.isEmpty())
        lbPreview_->addItem(QStringLiteral("(no song of the collection has an ID3v1 tag)"));
    else
        lbPreview_->addItems(lines);
}

void TfrmPreferences::browse() {
    if (const std::optional<QString> folder =
            context_.prompts.chooseFolder(kSelectMp3PathTitle, edMP3Base_->text()))
        edMP3Base_->setText(*folder);
}

PreferencesChoice TfrmPreferences::Choice() const {
    PreferencesChoice choice;
    choice.Mp3BaseText = edMP3Base_->text();
    choice.TrayControls = cbTrayicons_->isChecked();
    for (size_t i = 0; i < choice.Icons.size(); ++i)
        choice.Icons[i] = clIcons_->item(int(i))->checkState() == Qt::Checked;
    choice.Tags = {Id3v2UseFromInt(cbReadId3v2_->currentIndex()),
                   CodePageFromInt(cbCodePage_->currentData().toInt())};
    return choice;
}

void TfrmPreferences::accept() {
    if (!AcceptPreferences(Choice(), context_)) {
        pages_->setCurrentIndex(0);
        edMP3Base_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace orvane
