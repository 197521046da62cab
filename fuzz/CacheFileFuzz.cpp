// Feeds arbitrary bytes to the cache file reader, both as one line and as a whole file.

#include "store/CacheFile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("fuzz.orv"));
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const orvane::SongRecord record = orvane::ParseCacheLine(bytes);
    (void)orvane::BuildCacheLine(record);

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write("[Orvane Cache File version1.4]\r\n");
    file.write(bytes);
    file.close();

    orvane::CollectionList list;
    orvane::BrowseLists browse;
    orvane::LoadCacheFile(path, list, true, browse);
    for (qsizetype i = 0; i < list.size(); ++i)
        if (list.FindSong(i) > i)
            __builtin_trap();
    return 0;
}
