#include "exchange/TfrmHunter.h"

#include "exchange/SearchAnimation.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

TfrmHunter::TfrmHunter(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmHunter"));
    setWindowTitle(QStringLiteral("Power search"));
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    auto* searchFor = new QLabel(QStringLiteral("Search for"), this);
    edKeywords_ = new QLineEdit(this);
    edKeywords_->setObjectName(QStringLiteral("edKeywords"));
    searchFor->setBuddy(edKeywords_);
    layout->addWidget(searchFor);
    layout->addWidget(edKeywords_);

    auto* switches = new QHBoxLayout;
    cbExact_ = addCheck(this, "cbExact", QStringLiteral("&Exact match only"), false);
    cbFullWords_ = addCheck(this, "cbFullWords", QStringLiteral("&Full words"), true);
    switches->addWidget(cbExact_);
    switches->addWidget(cbFullWords_);
    switches->addStretch();
    layout->addLayout(switches);

    auto* searchIn = new QGroupBox(QStringLiteral("Search In"), this);
    auto* fields = new QGridLayout(searchIn);
    cbTitle_ = addCheck(searchIn, "cbTitle", QStringLiteral("Title"), true);
    cbArtist_ = addCheck(searchIn, "cbArtist", QStringLiteral("Artist"), true);
    cbComment_ = addCheck(searchIn, "cbComment", QStringLiteral("Comments"), true);
    cbGenre_ = addCheck(searchIn, "cbGenre", QStringLiteral("Genre"), true);
    cbFilename_ = addCheck(searchIn, "cbFilename", QStringLiteral("Filename"), true);
    cbYear_ = addCheck(searchIn, "cbYear", QStringLiteral("Year"), true);
    cbAlbum_ = addCheck(searchIn, "cbAlbum", QStringLiteral("Album"), true);
    QCheckBox* const order[] = {cbTitle_, cbArtist_,  cbAlbum_,   cbYear_,
                                cbGenre_, cbComment_, cbFilename_};
    int i = 0;
    for (QCheckBox* box : order) {
        fields->addWidget(box, i / 2, i % 2);
        ++i;
    }
    layout->addWidget(searchIn);

    // Receives the path of each song examined; never shown.
    edFileName_ = new QLineEdit(this);
    edFileName_->setObjectName(QStringLiteral("edFileName"));
    edFileName_->setReadOnly(true);
    edFileName_->setVisible(false);

    auto* bottom = new QHBoxLayout;
    Animate1_ = new SearchAnimation(SearchAnimation::Subject::Files, this);
    Animate1_->setObjectName(QStringLiteral("Animate1"));
    btnSearch_ = new QPushButton(QStringLiteral("&Search..."), this);
    btnSearch_->setObjectName(QStringLiteral("btnSearch"));
    btnSearch_->setDefault(true);
    btnSearch_->setAutoDefault(true);
    // Esc is the dialog's own cancel key; the button is kept for its object name only.
    btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnCancel_->setAutoDefault(false);
    btnCancel_->setVisible(false);
    bottom->addWidget(Animate1_);
    bottom->addStretch();
    bottom->addWidget(btnSearch_);
    layout->addLayout(bottom);

    connect(btnSearch_, &QPushButton::clicked, this, &TfrmHunter::btnSearchClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

QCheckBox* TfrmHunter::addCheck(QWidget* parent, const char* name, const QString& caption,
                                bool checked) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

SearchOptions TfrmHunter::Options() const {
    SearchOptions o;
    o.Keywords = edKeywords_->text();
    o.Exact = cbExact_->isChecked();
    o.FullWords = cbFullWords_->isChecked();
    o.Title = cbTitle_->isChecked();
    o.Artist = cbArtist_->isChecked();
    o.Comment = cbComment_->isChecked();
    o.Genre = cbGenre_->isChecked();
    o.FileName = cbFilename_->isChecked();
    o.Year = cbYear_->isChecked();
    o.Album = cbAlbum_->isChecked();
    return o;
}

void TfrmHunter::SetOptions(const SearchOptions& o) {
    edKeywords_->setText(o.Keywords);
    cbExact_->setChecked(o.Exact);
    cbFullWords_->setChecked(o.FullWords);
    cbTitle_->setChecked(o.Title);
    cbArtist_->setChecked(o.Artist);
    cbComment_->setChecked(o.Comment);
    cbGenre_->setChecked(o.Genre);
    cbFilename_->setChecked(o.FileName);
    cbYear_->setChecked(o.Year);
    cbAlbum_->setChecked(o.Album);
}

void TfrmHunter::SetKeywords(const QString& text) {
    edKeywords_->setText(text);
}

bool TfrmHunter::Exact() const {
    return cbExact_->isChecked();
}

void TfrmHunter::SetExact(bool on) {
    cbExact_->setChecked(on);
}

void TfrmHunter::SetExaminedPath(const QString& path) {
    edFileName_->setText(path);
}

void TfrmHunter::btnSearchClick() {
    Animate1_->Start();
    // Let the animation show before the search takes the GUI thread.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (OnSearch)
        OnSearch(Options());
    Animate1_->Stop();
    close();
}

void TfrmHunter::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Animate1_->Stop();
    edKeywords_->setFocus(Qt::OtherFocusReason);
    if (!edKeywords_->text().isEmpty())
        edKeywords_->selectAll();
}

} // namespace orvane
