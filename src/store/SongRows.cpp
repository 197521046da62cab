#include "store/SongRows.h"

#include "platform/Paths.h"

namespace orvane {

namespace {
bool AddIfPasses(SongRow row, SongRows& view, const DisplayFilter& filter) {
    if (!filter.Passes(row))
        return false;
    view.push_back(std::move(row));
    return true;
}
} // namespace

bool MakeSongRow(const SongRecord& record, SongRows& view, const DisplayFilter& filter) {
    return AddIfPasses(SongRow::FromRecord(record), view, filter);
}

void SetRowOfSong(SongRow& row, const CollectionList& songs, qsizetype i) {
    // A copy swapped in: both are inline, where QString's assignment is a call into Qt.
    const auto set = [&](QString& field, SongField from) {
        QString copy(songs.Value(i, from));
        field.swap(copy);
    };
    set(row.Title, SongField::Title);
    set(row.Artist, SongField::Artist);
    set(row.Album, SongField::Album);
    set(row.Duration, SongField::Duration);
    set(row.Year, SongField::Year);
    set(row.Genre, SongField::Genre);
    set(row.Comment, SongField::Comment);
    set(row.FileName, SongField::FileName);
    set(row.Folder, SongField::Folder);
    set(row.Collection, SongField::Collection);
    set(row.NewFlag, SongField::NewFlag);
}

SongRow RowOfSong(const CollectionList& songs, qsizetype i) {
    SongRow row;
    SetRowOfSong(row, songs, i);
    return row;
}

bool MakeSongRow(const CollectionList& songs, qsizetype i, SongRows& view,
                 const DisplayFilter& filter) {
    return AddIfPasses(RowOfSong(songs, i), view, filter);
}

bool MakeSongRowFromFile(const TMPEGAudio& info, SongRows& view, const DisplayFilter& filter) {
    SongRow row{info.Title(),
                info.Artist(),
                info.Album(),
                DurationText(info.Duration()),
                info.Year(),
                info.GenreName(),
                info.Comment(),
                FileNamePart(info.FileName()),
                WithTrailingSeparator(FolderPart(info.FileName())),
                kLocalCollection,
                QStringLiteral("0")};
    return AddIfPasses(std::move(row), view, filter);
}

} // namespace orvane
