#pragma once
// The main window's covers and lyrics: the picture under the left pane (imgAlbumCover in
// pnlAlbumBottom), the lyrics pane (htmlLyrics), the commands that link and unlink pictures and
// lyrics documents, and Extra > "Cover Browser". The links are kept by CoverLinks; pictures are
// read by TCoverPictures off the GUI thread. GUI thread only; a child of the main window.

#include "browser/CoverLinks.h"

#include <QObject>
#include <QSet>
#include <QString>

namespace orvane {

class Prompts;
class TCoverPictures;
class TfrmMain;
class TLyricsBrowser;
struct CoverPicture;
struct SongRow;

// The picture dialog's filters: the formats covers come in first, then the classic ones.
extern const QString kPictureFilters;
extern const QString kLyricsFilters;

class TCoversAndLyrics : public QObject {
    Q_OBJECT
public:
    // Sets the window's ShowCover and ShowLyrics hooks and the handlers of the cover and lyrics
    // commands; links live in the window's program folder, which must be set before.
    TCoversAndLyrics(TfrmMain& main, Prompts& prompts);

    // The picture linked to artist and album; without a link the one inside the song's file
    // (the album's first song for an album entry; song may be empty).
    void ShowCover(const QString& artist, const QString& album, const QString& song = {});
    void ShowLyrics(const SongRow& row);

    // The commands, by their handlers' names.
    void Lyrics1Click();
    void Loadcoverimage1Click();
    void Deletecoverimage1Click();
    void Loadcoverimage2Click();
    void Deletecoverimage2Click();
    void Lyricsfile1Click();
    void CoverBrowser1Click();

    CoverLinks& Links() { return links_; }
    TCoverPictures& Pictures() { return *pictures_; }
    // The picture file (or, for an embedded picture, the song file) the cover panel shows or
    // waits for; empty when it shows "No cover image".
    const QString& WantedCover() const { return wanted_; }
    bool WantedCoverIsEmbedded() const { return wantedEmbedded_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const SongRow* selectedRow() const;
    void loadCover(const QString& artist, const QString& album, const QString& startFolder);
    void deleteCover(const QString& artist, const QString& album);
    void showPicture(const CoverPicture& picture);
    void hidePicture();
    void reportWrite(ProfileFile::WriteStatus status, const QString& what, const QString& file);

    TfrmMain& main_;
    Prompts& prompts_;
    CoverLinks links_;
    TCoverPictures* pictures_;
    TLyricsBrowser* lyrics_;
    QString artist_, album_, song_; // of the last ShowCover, shown again when the panel comes back
    QString wanted_;
    bool wantedEmbedded_ = false;
    qint64 shownImage_ = 0;  // cacheKey of the picture the panel shows scaled, 0 for none
    QSet<QString> reported_; // unreadable pictures already told about in the status bar
    QString pictureFolder_;  // where the picture dialog was last left
};

} // namespace orvane
