#include "browser/CoversAndLyrics.h"

#include "browser/CoverPictures.h"
#include "browser/LyricsBrowser.h"
#include "browser/TfrmCoverBrowser.h"
#include "browser/TfrmMain.h"
#include "platform/Prompts.h"
#include "store/TagReading.h"

#include <QEvent>
#include <QFileInfo>
#include <QStatusBar>

namespace orvane {

const QString kPictureFilters =
    QStringLiteral("Images (*.jpg *.jpeg *.png *.gif *.bmp *.webp);;All (*.bmp *.ico *.emf *.wmf);;"
                   "Bitmaps (*.bmp);;Icons (*.ico);;Enhanced Metafiles (*.emf);;Metafiles (*.wmf)");
const QString kLyricsFilters =
    QStringLiteral("HTML (*.htm *.html);;Text files (*.txt);;All files (*)");

namespace {

const QString kNoCover = QStringLiteral("No cover image");

} // namespace

TCoversAndLyrics::TCoversAndLyrics(TfrmMain& main, Prompts& prompts)
    : QObject(&main)
    , main_(main)
    , prompts_(prompts)
    , links_(main.ProgramFolder())
    , pictures_(new TCoverPictures(this))
    , lyrics_(qobject_cast<TLyricsBrowser*>(main.htmlLyrics())) {
    Q_ASSERT(lyrics_);
    QLabel* cover = main_.imgAlbumCover();
    // The picture follows the panel's size, never the other way round.
    cover->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    cover->setTextFormat(Qt::PlainText);
    cover->installEventFilter(this);
    connect(pictures_, &TCoverPictures::Ready, this, &TCoversAndLyrics::showPicture);

    main_.Library.ShowCover = [this](const QString& artist, const QString& album,
                                     const QString& song) {
        ShowCover(artist, album, song);
    };
    main_.Library.ShowLyrics = [this](const SongRow& row) {
        ShowLyrics(row);
    };
    const std::pair<const char*, void (TCoversAndLyrics::*)()> handlers[] = {
        {"Lyrics1Click", &TCoversAndLyrics::Lyrics1Click},
        {"Loadcoverimage1Click", &TCoversAndLyrics::Loadcoverimage1Click},
        {"Deletecoverimage1Click", &TCoversAndLyrics::Deletecoverimage1Click},
        {"Loadcoverimage2Click", &TCoversAndLyrics::Loadcoverimage2Click},
        {"Deletecoverimage2Click", &TCoversAndLyrics::Deletecoverimage2Click},
        {"Lyricsfile1Click", &TCoversAndLyrics::Lyricsfile1Click},
        {"CoverBrowser1Click", &TCoversAndLyrics::CoverBrowser1Click}};
    for (const auto& [name, handler] : handlers)
        main_.SetHandler(QString::fromLatin1(name),
                         [this, method = handler] { (this->*method)(); });
    // A pane switched back on shows the selected song's cover and lyrics at once.
    connect(main_.Albumcover1(), &QAction::toggled, this, [this](bool on) {
        if (on)
            ShowCover(artist_, album_, song_);
    });
    connect(main_.Lyrics2(), &QAction::toggled, this, [this](bool on) {
        if (on)
            Lyrics1Click();
    });
    main_.UpdateCommands();
}

void TCoversAndLyrics::ShowCover(const QString& artist, const QString& album, const QString& song) {
    artist_ = artist;
    album_ = album;
    song_ = song;
    if (!main_.Albumcover1()->isChecked())
        return; // read again when the panel is switched on
    // A link always wins over the picture in the file, which is looked at only while ID3v2 tags
    // are read at all.
    const QString picture = links_.CoverOf(artist, album);
    if (picture.isEmpty() && (song.isEmpty() || CurrentTagReading().id3v2 == Id3v2Use::Never)) {
        hidePicture();
        return;
    }
    wanted_ = picture.isEmpty() ? song : picture;
    wantedEmbedded_ = picture.isEmpty();
    pictures_->Request(wanted_, wantedEmbedded_);
}

void TCoversAndLyrics::showPicture(const CoverPicture& picture) {
    if (picture.path != wanted_ || picture.embedded != wantedEmbedded_)
        return; // the user has moved on
    if (picture.image.isNull()) {
        hidePicture();
        if (!picture.error.isEmpty() && !reported_.contains(picture.path)) {
            reported_.insert(picture.path);
            main_.statusBar()->showMessage(picture.error, 10000);
        }
        return;
    }
    reported_.remove(picture.path); // told again should it break later
    QLabel* cover = main_.imgAlbumCover();
    const QSize box = cover->contentsRect().size();
    const qint64 key = picture.image.cacheKey() ^ (qint64(box.width()) << 40 ^ box.height());
    if (key == shownImage_)
        return; // the next song of the same album
    shownImage_ = key;
    cover->setPixmap(QPixmap::fromImage(
        picture.image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TCoversAndLyrics::hidePicture() {
    wanted_.clear();
    wantedEmbedded_ = false;
    shownImage_ = 0;
    QLabel* cover = main_.imgAlbumCover();
    cover->clear();
    cover->setText(kNoCover);
}

bool TCoversAndLyrics::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == main_.imgAlbumCover() && !wanted_.isEmpty())
        pictures_->Request(wanted_, wantedEmbedded_);
    return QObject::eventFilter(watched, event);
}

void TCoversAndLyrics::ShowLyrics(const SongRow& row) {
    const std::optional<QString> key = LyricsKeyOfFile(row.Path());
    lyrics_->ShowDocument(key ? links_.LyricsOf(*key) : QString());
}

const SongRow* TCoversAndLyrics::selectedRow() const {
    const TSongListView* list = main_.CurrentSongList();
    const int row = list ? list->FocusedSelectedRow() : -1;
    return row < 0 ? nullptr : &list->Songs()->Row(row);
}

void TCoversAndLyrics::Lyrics1Click() {
    if (const SongRow* row = selectedRow())
        ShowLyrics(*row);
}

void TCoversAndLyrics::reportWrite(ProfileFile::WriteStatus status, const QString& what,
                                   const QString& file) {
    switch (status) {
    case ProfileFile::WriteStatus::Written:
        return;
    case ProfileFile::WriteStatus::KeyDoesNotFit:
        prompts_.error(QStringLiteral("%1 cannot be kept: %2 cannot hold a name that begins with "
                                      "\"[\" or \";\" or holds \"=\".")
                           .arg(what, file));
        return;
    case ProfileFile::WriteStatus::CannotRead:
        prompts_.error(
            QStringLiteral("%1 has not been changed: %2 cannot be read.").arg(what, file));
        return;
    case ProfileFile::WriteStatus::CannotWrite:
        prompts_.error(
            QStringLiteral("%1 has not been changed: %2 cannot be written.").arg(what, file));
        return;
    }
}

void TCoversAndLyrics::loadCover(const QString& artist, const QString& album,
                                 const QString& startFolder) {
    // The key comes from the entry the command was given, before the dialog lets anything else
    // happen.
    const std::optional<QString> picture = prompts_.chooseOpenFile(
        QStringLiteral("Load cover image"), pictureFolder_.isEmpty() ? startFolder : pictureFolder_,
        kPictureFilters);
    if (!picture)
        return;
    pictureFolder_ = QFileInfo(*picture).absolutePath();
    const ProfileFile::WriteStatus status = links_.LinkCover(artist, album, *picture);
    reportWrite(status, QStringLiteral("The cover link of \"%1\"").arg(CoverKey(artist, album)),
                links_.CoversPath());
    if (status != ProfileFile::WriteStatus::Written || picture->isEmpty())
        return;
    artist_ = artist;
    album_ = album;
    wanted_ = *picture;
    wantedEmbedded_ = false;
    pictures_->Request(*picture);
}

void TCoversAndLyrics::deleteCover(const QString& artist, const QString& album) {
    hidePicture();
    reportWrite(links_.UnlinkCover(artist, album),
                QStringLiteral("The cover link of \"%1\"").arg(CoverKey(artist, album)),
                links_.CoversPath());
}

void TCoversAndLyrics::Loadcoverimage1Click() {
    if (const std::optional<TfrmMain::AlbumEntry> entry = main_.SelectedAlbum())
        loadCover(entry->Artist, entry->Album, {});
}

void TCoversAndLyrics::Deletecoverimage1Click() {
    if (const std::optional<TfrmMain::AlbumEntry> entry = main_.SelectedAlbum())
        deleteCover(entry->Artist, entry->Album);
}

void TCoversAndLyrics::Loadcoverimage2Click() {
    if (const SongRow* row = selectedRow()) {
        const SongRow song = *row; // the dialog may let the list change under it
        loadCover(song.Artist, song.Album, song.Folder);
    }
}

void TCoversAndLyrics::Deletecoverimage2Click() {
    if (const SongRow* row = selectedRow())
        deleteCover(row->Artist, row->Album);
}

void TCoversAndLyrics::Lyricsfile1Click() {
    const SongRow* row = selectedRow();
    if (!row)
        return;
    const QString song = row->Path();
    const std::optional<QString> key = LyricsKeyOfFile(song);
    if (!key) {
        prompts_.warning(
            QStringLiteral("%1 cannot be read, so no lyrics can be linked to its tag.").arg(song));
        return;
    }
    const std::optional<QString> document = prompts_.chooseOpenFile(
        QStringLiteral("Add lyrics file"), QFileInfo(song).absolutePath(), kLyricsFilters);
    if (!document)
        return;
    reportWrite(links_.LinkLyrics(*key, *document),
                QStringLiteral("The lyrics link of \"%1\"").arg(*key), links_.LyricsPath());
    if (main_.Lyrics2()->isChecked())
        Lyrics1Click();
}

void TCoversAndLyrics::CoverBrowser1Click() {
    TfrmCoverBrowser dialog(links_, *pictures_, prompts_, &main_);
    dialog.exec();
}

} // namespace orvane
