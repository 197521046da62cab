// Feeds arbitrary bytes to the cache file reader from memory through the same entry the
// program's reading of local.orv goes through. The input's last byte chooses how, so that a run
// reads it once: as one line, as a whole file after the header, or as a whole file as it stands
// (a header of its own or none). After the header, the records read must be those that the
// line-by-line parser gives.

#include "platform/TextLines.h"
#include "store/CacheFile.h"

#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QByteArray header = QByteArray(orvane::kCacheHeader) + "\r\n";
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const int how = size == 0 ? 0 : data[size - 1] % 3;
    if (how == 0) {
        const orvane::SongRecord record = orvane::ParseCacheLine(bytes);
        (void)orvane::BuildCacheLine(record);
        return 0;
    }

    orvane::CollectionList list;
    orvane::BrowseLists browse;
    orvane::AppendCacheData(how == 1 ? header + bytes : bytes, QStringLiteral("fuzz.orv"), list,
                            browse);
    if (how == 1) {
        qsizetype k = 0;
        orvane::ForEachLine(bytes, [&](QByteArrayView line) {
            orvane::SongRecord expected = orvane::ParseCacheLine(line);
            expected.Collection = QStringLiteral("fuzz.orv");
            expected.NewFlag = QStringLiteral("0");
            if (k >= list.size() || !(list.at(k++) == expected))
                __builtin_trap();
        });
        if (k != list.size())
            __builtin_trap();
    }
    // The first records are enough to prove the index (every one would take quadratic time
    // on inputs of many equal lines).
    for (qsizetype i = 0; i < std::min<qsizetype>(list.size(), 16); ++i)
        if (list.FindSong(i) > i)
            __builtin_trap();
    return 0;
}
