#include "store/SongRow.h"

#include "platform/Paths.h"

namespace orvane {

SongRow SongRow::FromRecord(const SongRecord& r) {
    return SongRow{r.Title,   r.Artist,   r.Album,  r.Duration,   r.Year,   r.Genre,
                   r.Comment, r.FileName, r.Folder, r.Collection, r.NewFlag};
}

QString SongRow::Path() const {
    return WithTrailingSeparator(Folder) + FileName;
}

const QString& SongRow::SubValue(int i) const {
    static const QString empty;
    switch (i) {
    case 0:
        return Artist;
    case 1:
        return Album;
    case 2:
        return Duration;
    case 3:
        return Year;
    case 4:
        return Genre;
    case 5:
        return Comment;
    case 6:
        return FileName;
    case 7:
        return Folder;
    case 8:
        return Collection;
    case 9:
        return NewFlag;
    default:
        return empty;
    }
}

QString ShownYear(const QString& year) {
    if (!year.contains(QChar(0)))
        return year;
    QString shown = year;
    return shown.remove(QChar(0));
}

} // namespace orvane
