// Feeds arbitrary bytes to the playlist reader.

#include "playlists/PlaylistFile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("fuzz.m3u"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    const orvane::PlaylistEntries entries = orvane::ReadPlaylistEntries(path, dir.path());
    for (const QString& entry : entries.paths)
        if (entry.isEmpty())
            __builtin_trap();
    (void)orvane::PlaylistContains(path, QStringLiteral("/x/y.mp3"));
    return 0;
}
