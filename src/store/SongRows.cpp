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
    const auto value = [&](SongField field) -> const QString& {
        return songs.Value(i, field);
    };
    row.Title = value(SongField::Title);
    row.Artist = value(SongField::Artist);
    row.Album = value(SongField::Album);
    row.Duration = value(SongField::Duration);
    row.Year = value(SongField::Year);
    row.Genre = value(SongField::Genre);
    row.Comment = value(SongField::Comment);
    row.FileName = value(SongField::FileName);
    row.Folder = value(SongField::Folder);
    row.Collection = value(SongField::Collection);
    row.NewFlag = value(SongField::NewFlag);
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
