#include "browser/LibraryViews.h"

#include "exchange/KeywordMatch.h"
#include "platform/AsciiCase.h"
#include "platform/DirectoryWalk.h"
#include "platform/FileDates.h"
#include "platform/Paths.h"
#include "store/SongStore.h"

namespace orvane {

namespace {

// One pass over the collection: the records whose field the exact matcher accepts.
void ShowExactMatches(const CollectionList& songs, const QString& name, QString SongRecord::*field,
                      const DisplayFilter& filter, SongRows& target) {
    const KeywordMatcher matcher(AsciiUpper(name), MatchMode::Exact);
    target.clear();
    for (const SongRecord& record : songs) {
        int32_t score = 0;
        matcher.Match(record.*field, score);
        if (score > 0)
            MakeSongRow(record, target, filter);
    }
}

} // namespace

void ShowAlbumSongs(const CollectionList& songs, const QString& album, const DisplayFilter& filter,
                    SongRows& target) {
    ShowExactMatches(songs, album, &SongRecord::Album, filter, target);
}

void ShowArtistSongs(const CollectionList& songs, const QString& artist,
                     const DisplayFilter& filter, SongRows& target) {
    ShowExactMatches(songs, artist, &SongRecord::Artist, filter, target);
}

void ShowGenreSongs(const CollectionList& songs, const QString& genre, const DisplayFilter& filter,
                    SongRows& target) {
    const QString name = genre; // may be a value of a row of target
    target.clear();
    for (const SongRecord& record : songs) {
        if (SameTextNoCase(record.Genre, name))
            MakeSongRow(record, target, filter);
    }
}

void ShowNewSongs(const CollectionList& songs, const DisplayFilter& filter, SongRows& target) {
    target.clear();
    for (const SongRecord& record : songs) {
        if (record.NewFlag == u"1")
            MakeSongRow(record, target, filter);
    }
}

void ShowRecentSongs(const CollectionList& songs, int days, const DisplayFilter& filter,
                     SongRows& target) {
    target.clear();
    const QDate today = filter.Today();
    for (const SongRecord& record : songs) {
        const std::optional<qint64> age = FileAgeInDays(record.Path(), today);
        if (!age || *age >= days)
            continue;
        SongRow row = SongRow::FromRecord(record);
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
