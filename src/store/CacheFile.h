#pragma once
// Cache files (.orv): the header line "[Orvane Cache File version1.4]", then one line per
// record holding FileName, Title, Artist, Album, Duration, Year, Genre, Comment and Folder, each
// followed by "[;]". There is no escaping: a value holding "[;]" splits into wrong fields, and
// CR and LF inside a value are written as blanks.
// Written as UTF-8 with CRLF, always to a temporary file renamed over the old one; read with
// LF or CRLF, a line that is not UTF-8 being taken as Latin-1.

#include "store/BrowseLists.h"
#include "store/CollectionList.h"
#include "store/SongRecord.h"

#include <QString>
#include <functional>
#include <span>

namespace orvane {

inline constexpr char kCacheHeader[] = "[Orvane Cache File version1.4]";

QString BuildCacheLine(const SongRecord& record);

using RecordFilter = std::function<bool(const SongRecord&)>;
// Writes the header and one line per record (only those keep accepts, when given). False when
// the file cannot be written; the old file is then left as it was.
bool SaveCacheFile(const QString& path, std::span<const SongRecord> records,
                   const RecordFilter& keep = {});
// The same for the songs of a list, those of the collections keep accepts (by the name in
// their Collection value), when given.
using CollectionFilter = std::function<bool(const QString& collection)>;
bool SaveCacheFile(const QString& path, const CollectionList& songs,
                   const CollectionFilter& keep = {});

struct CacheLoadResult {
    bool opened = false;        // false: the file could not be opened, the list is unchanged
    bool readError = false;     // reading stopped part-way; the records read so far were kept
    bool headerMatched = false; // the header was this format's, so the lines were read
    qsizetype added = 0;
    explicit operator bool() const { return opened; }
};
// Appends the file's records to list (emptied first when clearFirst), each with Collection set
// to the file's name and NewFlag "0", and registers their browse keys. A header other than the
// one above (compared upper-cased, nothing trimmed) reads nothing but still counts as opened.
CacheLoadResult LoadCacheFile(const QString& path, CollectionList& list, bool clearFirst,
                              BrowseLists& browse);

struct CacheDataResult {
    bool headerMatched = false;
    qsizetype added = 0;
};
// What LoadCacheFile does with the bytes of a whole file, header line first: appends its records
// with Collection set to collection and NewFlag "0", and registers their browse keys.
CacheDataResult AppendCacheData(QByteArrayView data, const QString& collection,
                                CollectionList& list, BrowseLists& browse);

// Splits one line into a record's nine stored values (Collection and NewFlag left empty).
SongRecord ParseCacheLine(QByteArrayView line);

} // namespace orvane
