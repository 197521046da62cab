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

SongRow RowOfSong(const CollectionList& songs, qsizetype i) {
    const auto value = [&](SongField field) -> const QString& {
        return songs.Value(i, field);
    };
    return SongRow{
        value(SongField::Title),      value(SongField::Artist),   value(SongField::Album),
        value(SongField::Duration),   value(SongField::Year),     value(SongField::Genre),
        value(SongField::Comment),    value(SongField::FileName), value(SongField::Folder),
        value(SongField::Collection), value(SongField::NewFlag)};
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
