#include "browser/LibraryViews.h"

#include "exchange/KeywordMatch.h"
#include "platform/AsciiCase.h"
#include "platform/DirectoryWalk.h"
#include "platform/FileDates.h"
#include "platform/Paths.h"
#include "store/SongStore.h"

namespace orvane {

namespace {

// One pass over the collection: the songs whose value of a shared field is accepted, each
// distinct text asked once.
template <typename Accepts>
void ShowMatches(const CollectionList& songs, SongField field, Accepts accepts,
                 const DisplayFilter& filter, SongRows& target) {
    target.clear();
    TextAnswers answers(songs.TextCount());
    for (qsizetype i = 0; i < songs.size(); ++i) {
        const uint32_t text = songs.TextNumber(i, field);
        if (answers.Of(text, [&] { return accepts(songs.Text(text)); }))
            MakeSongRow(songs, i, target, filter);
    }
}

void ShowExactMatches(const CollectionList& songs, const QString& name, SongField field,
                      const DisplayFilter& filter, SongRows& target) {
    const KeywordMatcher matcher(AsciiUpper(name), MatchMode::Exact);
    ShowMatches(
        songs, field,
        [&](const QString& value) {
            int32_t score = 0;
            matcher.Match(value, score);
            return score > 0;
        },
        filter, target);
}

} // namespace

void ShowAlbumSongs(const CollectionList& songs, const QString& album, const DisplayFilter& filter,
                    SongRows& target) {
    ShowExactMatches(songs, album, SongField::Album, filter, target);
}

void ShowArtistSongs(const CollectionList& songs, const QString& artist,
                     const DisplayFilter& filter, SongRows& target) {
    ShowExactMatches(songs, artist, SongField::Artist, filter, target);
}

void ShowGenreSongs(const CollectionList& songs, const QString& genre, const DisplayFilter& filter,
                    SongRows& target) {
    const QString name = genre; // may be a value of a row of target
    ShowMatches(
        songs, SongField::Genre, [&](const QString& value) { return SameTextNoCase(value, name); },
        filter, target);
}

void ShowNewSongs(const CollectionList& songs, const DisplayFilter& filter, SongRows& target) {
    ShowMatches(
        songs, SongField::NewFlag, [](const QString& value) { return value == u"1"; }, filter,
        target);
}

void ShowRecentSongs(const CollectionList& songs, int days, const DisplayFilter& filter,
                     SongRows& target) {
    target.clear();
    const QDate today = filter.Today();
    for (qsizetype i = 0; i < songs.size(); ++i) {
        SongRow row = RowOfSong(songs, i);
        const std::optional<qint64> age = FileAgeInDays(row.Path(), today);
        if (!age || *age >= days)
            continue;
        if (filter.Passes(row, age))
            target.push_back(std::move(row));
    }
}

bool MatchesFolderPattern(const QString& name) {
    return AsciiUpper(name).contains(u".MP");
}

void ShowFolderSongs(const QString& folder, TMPEGAudio& mpeg, const DisplayFilter& filter,
                     SongRows& target) {
    const QString root = folder.isEmpty() ? QString() : WithTrailingSeparator(folder);
    target.clear();
    // An empty name would list the root of the file system.
    if (root.isEmpty())
        return;
    // Bounded as in the collection walks: a large file that is not MPEG audio (a video named
    // *.mpg) must not be read to its end in search of a frame.
    if (mpeg.SearchLimit() == 0)
        mpeg.SetSearchLimit(kScanSearchLimit);
    WalkVisitor visitor;
    visitor.file = [&](const QString& inFolder, const QString& name) {
        if (!MatchesFolderPattern(name))
            return;
        mpeg.SetFileName(inFolder + name);
        MakeSongRowFromFile(mpeg, target, filter);
    };
    WalkFolders(root, WalkDepth::FolderOnly, visitor);
}

QString RemovedSongsFolder(const QString& programFolder) {
    return WithTrailingSeparator(programFolder) + QStringLiteral("recycle");
}

} // namespace orvane
