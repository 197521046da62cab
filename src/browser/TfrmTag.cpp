#include "browser/TfrmTag.h"

#include "platform/Prompts.h"
#include "store/SongStore.h"
#include "store/TagReading.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>

namespace orvane {

namespace {

// A read-only memo: file names and tag texts are shown as they are, never as markup.
QPlainTextEdit* Memo(QWidget* parent, const QString& name, int lines) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setFixedHeight(memo->fontMetrics().lineSpacing() * lines + 12);
    return memo;
}

QLineEdit* Field(QFormLayout* form, const QString& name, const QString& caption) {
    auto* edit = new QLineEdit(form->parentWidget());
    edit->setObjectName(name);
    form->addRow(caption, edit);
    return edit;
}

} // namespace

TfrmTag::TfrmTag(SongStore& store, Prompts& prompts, TagUndo& undo, QWidget* parent)
    : QDialog(parent)
    , store_(store)
    , prompts_(prompts)
    , undo_(undo) {
    setObjectName(QStringLiteral("frmTag"));
    setWindowTitle(QStringLiteral("Song properties"));
    pgTabs_ = new QTabWidget(this);
    pgTabs_->setObjectName(QStringLiteral("pgTabs"));

    auto* standard = new QWidget(pgTabs_);
    auto* form = new QFormLayout(standard);
    lblFilename_ = Memo(standard, QStringLiteral("lblFilename"), 2);
    form->addRow(lblFilename_);
    edTitle_ = Field(form, QStringLiteral("edTitle"), QStringLiteral("Title"));
    edArtist_ = Field(form, QStringLiteral("edArtist"), QStringLiteral("Artist"));
    edAlbum_ = Field(form, QStringLiteral("edAlbum"), QStringLiteral("Album"));
    edYear_ = Field(form, QStringLiteral("edYear"), QStringLiteral("Year"));
    edComment_ = Field(form, QStringLiteral("edComment"), QStringLiteral("Comment"));
    cbGenres_ = new QComboBox(standard);
    cbGenres_->setObjectName(QStringLiteral("cbGenres"));
    // Each entry carries its genre number: the entry's position says nothing.
    for (const GenreEntry& genre : GenresByName())
        cbGenres_->addItem(genre.Name, int(genre.Number));
    form->addRow(QStringLiteral("Genre"), cbGenres_);
    pgTabs_->addTab(standard, QStringLiteral("Standard"));

    auto* information = new QWidget(pgTabs_);
    auto* infoLayout = new QVBoxLayout(information);
    mmInfo_ = Memo(information, QStringLiteral("mmInfo"), 8);
    mmInfo_->setMinimumHeight(mmInfo_->height());
    mmInfo_->setMaximumHeight(QWIDGETSIZE_MAX);
    infoLayout->addWidget(mmInfo_);
    pgTabs_->addTab(information, QStringLiteral("Information"));

    auto* buttons = new QDialogButtonBox(this);
    btnSave_ = buttons->addButton(QStringLiteral("&Save"), QDialogButtonBox::AcceptRole);
    btnSave_->setObjectName(QStringLiteral("btnSave"));
    btnSave_->setDefault(true);
    btnCancel_ = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    connect(btnSave_, &QPushButton::clicked, this, &TfrmTag::save);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pgTabs_);
    layout->addWidget(buttons);
    resize(420, sizeHint().height());
}

void TfrmTag::ShowFor(std::vector<TagTarget> targets) {
    targets_ = std::move(targets);
    mmInfo_->clear();
    pgTabs_->setCurrentIndex(0);
    cbGenres_->setCurrentIndex(-1);
    if (IsBatch()) {
        lblFilename_->setPlainText(QStringLiteral("Multiple files are selected..."));
        edTitle_->setEnabled(false);
        edTitle_->setText(QStringLiteral("<no title in batch edit>"));
        for (QLineEdit* edit : {edArtist_, edAlbum_, edYear_, edComment_})
            edit->clear();
        mmInfo_->setPlainText(QStringLiteral("No information available in batch editing."));
        edArtist_->setFocus();
        return;
    }
    if (targets_.empty())
        return;
    TMPEGAudio& mpeg = store_.Mpeg;
    mpeg.SetFileName(targets_.front().Path());
    const TagFields shown = FieldsOfFile(mpeg);
    edTitle_->setEnabled(true);
    lblFilename_->setPlainText(mpeg.FileName());
    edTitle_->setText(shown.Title);
    edArtist_->setText(shown.Artist);
    edAlbum_->setText(shown.Album);
    edYear_->setText(shown.Year);
    edComment_->setText(shown.Comment);
    if (shown.Genre)
        cbGenres_->setCurrentIndex(cbGenres_->findData(int(*shown.Genre)));
    mmInfo_->setPlainText(InformationLines(mpeg).join(u'\n'));
    edTitle_->setFocus();
}

TagFields TfrmTag::fields() const {
    TagFields f{edTitle_->text(), edArtist_->text(),  edAlbum_->text(),
                edYear_->text(),  edComment_->text(), std::nullopt};
    if (cbGenres_->currentIndex() >= 0)
        f.Genre = uint8_t(cbGenres_->currentData().toInt());
    return f;
}

void TfrmTag::save() {
    const TagFields f = fields();
    if (const QStringList outside =
            CharactersOutsideLatin1(f, IsBatch(), CurrentTagReading().codePage);
        !outside.isEmpty()) {
        const QString text = QStringLiteral("An ID3v1 tag cannot hold these characters:\n") +
                             outside.join(u'\n') +
                             QStringLiteral("\n\nOK writes \"?\" in their place; Cancel goes "
                                            "back to the fields.");
        if (prompts_.ask(PromptKind::Warning, PromptButtons::OkCancel, text) != PromptAnswer::Ok)
            return;
    }

    std::function<bool(int, int)> proceed;
    std::unique_ptr<QProgressDialog> progress;
    if (IsBatch()) {
        progress = std::make_unique<QProgressDialog>(QStringLiteral("Saving tags..."),
                                                     QStringLiteral("&Cancel"), 0,
                                                     int(targets_.size()), this);
        progress->setWindowTitle(windowTitle());
        progress->setWindowModality(Qt::WindowModal);
        proceed = [bar = progress.get()](int done, int) {
            bar->setValue(done);
            return !bar->wasCanceled();
        };
    }
    outcome_ = SaveTags(store_, targets_, f, IsBatch(), undo_, proceed);
    progress.reset();

    if (outcome_.Cancelled)
        prompts_.information(QStringLiteral("Saving was cancelled: %1 of %2 files were updated.")
                                 .arg(outcome_.Saved.size())
                                 .arg(outcome_.Total));
    if (outcome_.Failed > 0)
        prompts_.information(TagFailureMessage(outcome_.Failed));
    accept();
}

} // namespace orvane
