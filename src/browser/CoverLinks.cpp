#include "browser/CoverLinks.h"

#include "store/MpegAudio.h"

#include <QFileInfo>
#include <algorithm>

namespace orvane {

namespace {

const QString kCovers = QStringLiteral("covers");
const QString kLyrics = QStringLiteral("lyrics");

} // namespace

QString CoverKey(const QString& artist, const QString& album) {
    return artist + QStringLiteral(" | ") + album;
}

QString LyricsKey(const QString& title, const QString& artist) {
    return title + u'|' + artist;
}

std::optional<QString> LyricsKeyOfFile(const QString& songPath) {
    if (!QFileInfo(songPath).isFile())
        return std::nullopt;
    // An object of its own: the shared one may hold a song the tag editor works on.
    TMPEGAudio mpeg;
    mpeg.SetFileName(songPath);
    return LyricsKey(mpeg.Title(), mpeg.Artist());
}

CoverLinks::CoverLinks(const QString& programFolder)
    : covers_(programFolder + QLatin1String(kCoversFile))
    , lyrics_(programFolder + QLatin1String(kLyricsFile)) {}

QString CoverLinks::CoverOf(const QString& artist, const QString& album) {
    return covers_.ReadString(kCovers, CoverKey(artist, album));
}

ProfileFile::WriteStatus CoverLinks::LinkCover(const QString& artist, const QString& album,
                                               const QString& picture) {
    return covers_.WriteString(kCovers, CoverKey(artist, album), picture);
}

ProfileFile::WriteStatus CoverLinks::UnlinkCover(const QString& artist, const QString& album) {
    return covers_.DeleteKey(kCovers, CoverKey(artist, album));
}

QStringList CoverLinks::CoverKeys() {
    QStringList keys = covers_.Keys(kCovers);
    std::stable_sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return keys;
}

QString CoverLinks::CoverOfKey(const QString& key) {
    return covers_.ReadString(kCovers, key);
}

CoverLinks::Removal CoverLinks::RemoveCoverKey(const QString& key, const QString& shownPicture) {
    if (covers_.ReadString(kCovers, key) != shownPicture)
        return Removal::Changed;
    return covers_.DeleteKey(kCovers, key) == ProfileFile::WriteStatus::Written ? Removal::Removed
                                                                                : Removal::Failed;
}

QString CoverLinks::LyricsOf(const QString& lyricsKey) {
    return lyrics_.ReadString(kLyrics, lyricsKey);
}

ProfileFile::WriteStatus CoverLinks::LinkLyrics(const QString& lyricsKey, const QString& document) {
    return lyrics_.WriteString(kLyrics, lyricsKey, document);
}

} // namespace orvane
