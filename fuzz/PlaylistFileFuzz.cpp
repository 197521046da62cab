// Feeds arbitrary bytes to the playlist reader (m3u, m3u8, favourites, new-songs logs), from
// memory through the same entry the program's reading goes through.

#include "playlists/PlaylistFile.h"

#include <QByteArrayView>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const orvane::PlaylistEntries entries = orvane::ParsePlaylistEntries(
        QByteArrayView(data, qsizetype(size)), QStringLiteral("/base"));
    for (const QString& entry : entries.paths)
        if (entry.isEmpty())
            __builtin_trap();
    return 0;
}
