#include "playlists/PlaylistFile.h"

#include "platform/AsciiCase.h"
#include "platform/Paths.h"
#include "platform/TextLines.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace orvane {

namespace {
bool IsAbsoluteEntry(const QString& line) {
    return line.startsWith(u'/') || (line.size() >= 2 && line[1] == u':');
}
} // namespace

QString PlaylistEntryPath(const QString& line, const QString& baseFolder) {
    if (IsAbsoluteEntry(line))
        return line;
    QString relative = line;
    relative.replace(u'\\', u'/');
    return WithTrailingSeparator(baseFolder) + relative;
}

PlaylistEntries ParsePlaylistEntries(QByteArrayView data, const QString& baseFolder) {
    PlaylistEntries result;
    result.endsOpen = !data.isEmpty() && !data.endsWith('\n');
    ForEachLine(SkipByteOrderMark(data), [&](QByteArrayView bytes) {
        if (bytes.isEmpty() || bytes.front() == '#')
            return;
        result.paths.append(PlaylistEntryPath(DecodeLine(bytes), baseFolder));
    });
    return result;
}

PlaylistEntries ReadPlaylistEntries(const QString& playlistPath, const QString& baseFolder) {
    const TextFileRead file = ReadWholeFile(playlistPath);
    PlaylistEntries result = ParsePlaylistEntries(file.data, baseFolder);
    result.opened = file.opened;
    result.readError = file.readError;
    return result;
}

bool LoadPlaylist(const QString& playlistPath, const QString& baseFolder, SongRows& view,
                  TMPEGAudio& info, const DisplayFilter& filter) {
    const PlaylistEntries entries = ReadPlaylistEntries(playlistPath, baseFolder);
    if (!entries.opened)
        return true;
    view.clear();
    view.reserve(size_t(entries.paths.size()));
    for (const QString& path : entries.paths) {
        info.SetFileName(path);
        MakeSongRowFromFile(info, view, filter);
    }
    return false;
}

bool PlaylistContains(const QString& playlistPath, const QString& songPath) {
    const PlaylistEntries entries = ReadPlaylistEntries(playlistPath, FolderPart(playlistPath));
    const QString wanted = AsciiUpper(songPath);
    for (const QString& path : entries.paths) {
        if (AsciiUpper(path) == wanted)
            return true;
    }
    return false;
}

bool RemovePlaylistEntries(const QString& playlistPath, const QString& baseFolder,
                           const QStringList& songPaths, Prompts& prompts) {
    const QString failed = QStringLiteral("Error updating playlist - ") + playlistPath;
    const TextFileRead file = ReadWholeFile(playlistPath);
    if (!file.opened || file.readError) {
        // Rewriting what was read of it would lose the rest.
        prompts.warning(failed);
        return false;
    }
    QSet<QString> doomed;
    for (const QString& path : songPaths)
        doomed.insert(AsciiUpper(path));
    QByteArray content;
    content.reserve(file.data.size());
    const QByteArrayView lines = SkipByteOrderMark(file.data);
    content.append(file.data.first(file.data.size() - lines.size())); // the mark stays
    ForEachLine(lines, [&](QByteArrayView bytes) {
        const bool entry = !bytes.isEmpty() && bytes.front() != '#';
        if (entry && doomed.contains(AsciiUpper(PlaylistEntryPath(DecodeLine(bytes), baseFolder))))
            return;
        content.append(bytes.data(), bytes.size()); // kept byte for byte
        content.append("\r\n", 2);
    });
    if (WriteFileAtomically(playlistPath, content) != WriteResult::Written) {
        prompts.warning(failed);
        return false;
    }
    return true;
}

void AppendToPlaylist(const QString& playlistPath, const SongRow& row, Prompts& prompts) {
    const QString songPath = row.Path();
    if (PlaylistContains(playlistPath, songPath))
        return;

    const bool existed = QFileInfo::exists(playlistPath);
    QByteArray content;
    if (existed) {
        const TextFileRead old = ReadWholeFile(playlistPath);
        if (!old.opened || old.readError) {
            prompts.warning(QStringLiteral("Error updating playlist.\nCould not read ") +
                            playlistPath);
            return;
        }
        content = old.data;
        if (!content.isEmpty() && !content.endsWith('\n'))
            content.append("\r\n");
    }
    AppendLine(content, songPath);
    switch (WriteFileAtomically(playlistPath, content)) {
    case WriteResult::Written:
        break;
    case WriteResult::CannotCreate:
        prompts.warning(existed ? QStringLiteral("Error updating playlist.\nCould not write "
                                                 "temporary file.")
                                : QStringLiteral("Error updating favourites.\nCould not write "
                                                 "temporary file."));
        break;
    case WriteResult::CannotReplace:
        prompts.information(QStringLiteral("Unable to create updated file"));
        break;
    }
}

} // namespace orvane
