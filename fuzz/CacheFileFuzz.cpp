// Feeds arbitrary bytes to the cache file reader, both as one line and as a whole file, from
// memory through the same entry the program's reading of local.orv goes through.

#include "store/CacheFile.h"

#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QByteArray header = QByteArray(orvane::kCacheHeader) + "\r\n";
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const orvane::SongRecord record = orvane::ParseCacheLine(bytes);
    (void)orvane::BuildCacheLine(record);

    orvane::CollectionList list;
    orvane::BrowseLists browse;
    // With the header, and as the input stands (a header of its own or none).
    orvane::AppendCacheData(header + bytes, QStringLiteral("fuzz.orv"), list, browse);
    orvane::AppendCacheData(bytes, QStringLiteral("fuzz.orv"), list, browse);
    // The first records are enough to prove the index (every one would take quadratic time
    // on inputs of many equal lines).
    for (qsizetype i = 0; i < std::min<qsizetype>(list.size(), 16); ++i)
        if (list.FindSong(i) > i)
            __builtin_trap();
    return 0;
}
