#include "playlists/OpenedFileRows.h"

#include "platform/Paths.h"
#include "playlists/PlaylistFile.h"

#include <QFileInfo>

namespace orvane {

OpenedFileRows RowsForOpenedFiles(const QStringList& paths, TMPEGAudio& info) {
    OpenedFileRows opened;
    const DisplayFilter noFilter;
    for (const QString& path : paths) {
        const QFileInfo file(path);
        QString refusal;
        if (!file.exists())
            refusal = QStringLiteral("not found");
        else if (!file.isFile())
            refusal = QStringLiteral("not a file");
        else if (file.suffix().compare(QStringLiteral("m3u"), Qt::CaseInsensitive) == 0) {
            SongRows entries;
            if (LoadPlaylist(path, FolderPart(path), entries, info, noFilter))
                refusal = QStringLiteral("the playlist cannot be read");
            else if (entries.empty())
                refusal = QStringLiteral("the playlist holds no songs");
            opened.Rows.insert(opened.Rows.end(), entries.begin(), entries.end());
        } else {
            info.SetFileName(path);
            if (!info.IsValid() || !MakeSongRowFromFile(info, opened.Rows, noFilter))
                refusal = QStringLiteral("not an MP3 file");
        }
        if (!refusal.isEmpty())
            opened.Refused.append(path + QStringLiteral(": ") + refusal);
    }
    return opened;
}

} // namespace orvane
