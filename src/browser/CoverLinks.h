#pragma once
// The links of album covers and lyrics documents, kept in covers.ini and lyrics.ini in the
// program folder. A cover is linked to an artist and album as the collection (or the album
// entry) names them; lyrics are linked to a song's title and artist as its file's ID3v1 tag
// holds them at the moment, so a song retagged outside the program loses its lyrics until it
// is linked again. Links are never removed by themselves.
//
// Data logic, no widgets. GUI thread only. Both files are read through ProfileFile's cache, so a
// selection change costs a look at each file's size and date.

#include "platform/ProfileFile.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace orvane {

inline constexpr char kCoversFile[] = "covers.ini";
inline constexpr char kLyricsFile[] = "lyrics.ini";

// "Artist | Album" and "Title|Artist".
QString CoverKey(const QString& artist, const QString& album);
QString LyricsKey(const QString& title, const QString& artist);

// The lyrics key of a song file from its tag as it is now, or nothing when the file cannot be
// read (it is gone, or is not a file).
std::optional<QString> LyricsKeyOfFile(const QString& songPath);

class CoverLinks {
public:
    explicit CoverLinks(const QString& programFolder);

    // Empty when no picture is linked.
    QString CoverOf(const QString& artist, const QString& album);
    ProfileFile::WriteStatus LinkCover(const QString& artist, const QString& album,
                                       const QString& picture);
    ProfileFile::WriteStatus UnlinkCover(const QString& artist, const QString& album);

    // The cover browser: every cover key, sorted without regard to case, and one key's picture.
    QStringList CoverKeys();
    QString CoverOfKey(const QString& key);
    enum class Removal { Removed, Changed, Failed };
    // Removes key only while it still links the picture the user was shown; Changed (nothing
    // written) when another program linked another picture or removed it meanwhile.
    Removal RemoveCoverKey(const QString& key, const QString& shownPicture);

    QString LyricsOf(const QString& lyricsKey);
    ProfileFile::WriteStatus LinkLyrics(const QString& lyricsKey, const QString& document);

    const QString& CoversPath() const { return covers_.Path(); }
    const QString& LyricsPath() const { return lyrics_.Path(); }

private:
    ProfileFile covers_;
    ProfileFile lyrics_;
};

} // namespace orvane
