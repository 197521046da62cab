#include "playlists/TfrmRandom.h"

#include "store/Id3Tags.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace orvane {

namespace {

QComboBox* EditableBox(QWidget* parent, const char* name, const QStringList& choices,
                       std::function<QString(const QString&)> normalise) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert); // Enter generates; it adds no choice
    box->addItems(choices);
    QLineEdit* edit = box->lineEdit();
    QObject::connect(edit, &QLineEdit::editingFinished, box, [edit, normalise] {
        const QString text = normalise(edit->text());
        if (text != edit->text())
            edit->setText(text);
    });
    return box;
}

} // namespace

TfrmRandom::TfrmRandom(const CollectionList& songs, const QString& programFolder, Prompts& prompts,
                       std::function<void(const QString& playlist)> playPlaylist, QWidget* parent)
    : QDialog(parent)
    , songs_(songs)
    , playlistPath_(RandomPlaylistPath(programFolder))
    , prompts_(prompts)
    , playPlaylist_(std::move(playPlaylist)) {
    setObjectName(QStringLiteral("frmRandom"));
    setWindowTitle(QStringLiteral("Orvane - Random Play..."));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);

    cbLength_ = EditableBox(this, "cbLength",
                            {QStringLiteral("15 minutes"), QStringLiteral("30 minutes"),
                             QStringLiteral("1 hour"), QStringLiteral("2 hours"),
                             QStringLiteral("3 hours"), QStringLiteral("4 hours"),
                             QStringLiteral("5 hours"), QStringLiteral("6 hours"),
                             QStringLiteral("7 hours"), QStringLiteral("8 hours")},
                            &NormalisedPlayLength);
    cbAge_ =
        EditableBox(this, "cbAge",
                    {QStringLiteral("Any age"), QStringLiteral("1 day"), QStringLiteral("2 days"),
                     QStringLiteral("5 days"), QStringLiteral("1 week"), QStringLiteral("2 weeks"),
                     QStringLiteral("4 weeks"), QString()},
                    &NormalisedFileAge);
    cbSpecified_ = new QCheckBox(QStringLiteral("&Specified genre"), this);
    cbSpecified_->setObjectName(QStringLiteral("cbSpecified"));
    cbGenres_ = new QComboBox(this);
    cbGenres_->setObjectName(QStringLiteral("cbGenres"));
    for (int g = 0; g < kGenreCount; ++g)
        cbGenres_->addItem(GenreName(uint8_t(g)));
    connect(cbSpecified_, &QCheckBox::toggled, cbGenres_, &QWidget::setEnabled);
    lbSongs_ = new QListWidget(this);
    lbSongs_->setObjectName(QStringLiteral("lbSongs"));
    lbSongs_->setMinimumSize(360, 220);

    auto* choices = new QGridLayout;
    auto addRow = [&](int row, const QString& caption, QComboBox* box) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        choices->addWidget(label, row, 0);
        choices->addWidget(box, row, 1);
    };
    addRow(0, QStringLiteral("&Play length :"), cbLength_);
    addRow(1, QStringLiteral("&File age :"), cbAge_);
    choices->addWidget(cbSpecified_, 2, 0);
    choices->addWidget(cbGenres_, 2, 1);
    choices->setColumnStretch(1, 1);

    btnCreate_ = new QPushButton(QStringLiteral("&Generate"), this);
    btnCreate_->setObjectName(QStringLiteral("btnCreate"));
    btnCreate_->setDefault(true);
    btnPlay_ = new QPushButton(QStringLiteral("&Play"), this);
    btnPlay_->setObjectName(QStringLiteral("btnPlay"));
    btnPlay_->setAutoDefault(false);
    btnCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnCancel_->setAutoDefault(false);
    connect(btnCreate_, &QPushButton::clicked, this, &TfrmRandom::btnCreateClick);
    connect(btnPlay_, &QPushButton::clicked, this, &TfrmRandom::btnPlayClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCreate_);
    buttons->addWidget(btnPlay_);
    buttons->addWidget(btnCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(lbSongs_, 1);
    layout->addLayout(buttons);
}

void TfrmRandom::showEvent(QShowEvent* event) {
    // Length, genre switch and genre start over at each showing; the age limit is kept.
    cbLength_->setCurrentText(QStringLiteral("1 hour"));
    cbSpecified_->setChecked(false);
    cbGenres_->setEnabled(false);
    cbGenres_->setCurrentIndex(0);
    QDialog::showEvent(event);
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
}

void TfrmRandom::btnCreateClick() {
    cbLength_->setCurrentText(NormalisedPlayLength(cbLength_->currentText()));
    cbAge_->setCurrentText(NormalisedFileAge(cbAge_->currentText()));
    RandomPlaylistRequest request{cbLength_->currentText(), cbAge_->currentText(), {}};
    if (cbSpecified_->isChecked())
        request.Genre = cbGenres_->currentText();
    const std::optional<QStringList> lines =
        GenerateRandomPlaylist(songs_, request, playlistPath_, prompts_, draws_);
    if (!lines)
        return;
    lbSongs_->clear();
    lbSongs_->addItems(*lines);
}

void TfrmRandom::btnPlayClick() {
    if (playPlaylist_)
        playPlaylist_(playlistPath_);
    accept();
}

} // namespace orvane
