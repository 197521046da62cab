#include "store/RecycledSongs.h"

#include "platform/Paths.h"
#include "store/Mp3FileNames.h"

#include <QDir>

namespace orvane {

int AddRecycledSongs(SongStore& store, const QString& recycleFolder) {
    const QDir dir(recycleFolder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    int handed = 0;
    for (const QString& name : names) {
        if (!IsMp3FileName(name))
            continue;
        AddSongFile(store, WithTrailingSeparator(recycleFolder) + name);
        ++handed;
    }
    return handed;
}

} // namespace orvane
