#pragma once
// One song of the collection. Every value is text, as it is kept in a cache file.

#include <QString>

namespace orvane {

inline const QString kLocalCollection = QStringLiteral("Localcollection");
inline const QString kImportMarker = QStringLiteral("IMPORT:\\");

struct SongRecord {
    QString FileName; // name without folder, as found on disk
    QString Title;
    QString Artist;
    QString Album;
    QString Duration; // "nn:ss", minutes within the hour
    QString Year;
    QString Genre;
    QString Comment;
    QString Folder; // with trailing separator; "IMPORT:\..." for a song of an exported collection
    QString Collection; // "Localcollection", or the name of the cache file the record came from
    QString NewFlag;    // "1" when added by a scan in this run, else "0"

    // Folder, with a separator appended when missing, followed by FileName.
    QString Path() const;
    // A song of an exported collection: it lives elsewhere and may not be reachable.
    bool IsExternal() const;

    bool operator==(const SongRecord&) const = default;
};

// Whole seconds as "nn:ss"; hours are dropped, so 3725 s gives "02:05".
QString DurationText(uint32_t seconds);

} // namespace orvane
