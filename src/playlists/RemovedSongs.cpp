#include "playlists/RemovedSongs.h"

#include "platform/FileMoves.h"
#include "platform/Paths.h"

#include <QDir>

namespace orvane {

namespace {

// Points the record of row (if there is one) at folder; false when there is none.
bool Retarget(CollectionList& songs, const SongRow& row, const QString& folder) {
    const qsizetype i = songs.FindSongForRow(row);
    if (i < 0)
        return false;
    SongRecord record = songs.at(i);
    record.Folder = folder;
    songs.replace(i, std::move(record));
    return true;
}

} // namespace

FileBatchReport RemoveSelectedSongs(SongStore& store, const QString& recycleFolder,
                                    const SongRows& rows, FileBatchProgress* progress) {
    FileBatchReport report;
    FileBatch batch(progress, int(rows.size()));
    const QString recycle = WithTrailingSeparator(recycleFolder);
    // Records leave the collection after the batch, in one pass; until then every index found
    // stays valid (songs handed over meanwhile are appended).
    std::vector<qsizetype> dropped;
    for (const SongRow& row : rows) {
        if (batch.Cancelled()) {
            report.cancelled = true;
            break;
        }
        const QString source = row.Path();
        QString error;
        // Only the folder itself counts as removed; on a file system that tells letter case
        // apart, "RECYCLE" beside "recycle" is another folder, whose songs are moved.
        if (SameFolderOnDisk(row.Folder, recycleFolder)) {
            if (DeleteSongFile(source, &error)) {
                report.gone.insert(source);
                if (const qsizetype i = store.Songs.FindSongForRow(row); i >= 0)
                    dropped.push_back(i);
            } else {
                report.notDeleted.push_back({source, error});
            }
        } else if (batch.Move(source, recycle + row.FileName, &error)) {
            report.gone.insert(source);
            Retarget(store.Songs, row, recycle);
        } else {
            report.notMoved.push_back({source, error});
        }
        batch.Next();
    }
    store.Songs.removeAll(std::move(dropped));
    return report;
}

bool ClearRemovedSongs(SongStore& store, const QString& recycleFolder, Prompts& prompts) {
    const QFileInfoList files =
        QDir(recycleFolder)
            .entryInfoList({QStringLiteral("*.mp*")}, QDir::Files | QDir::Hidden | QDir::System);
    if (recycleFolder.isEmpty() || files.isEmpty()) {
        prompts.information(QStringLiteral("There are no files in your removed folder."));
        return false;
    }
    if (prompts.ask(PromptKind::Warning, PromptButtons::YesNo,
                    QStringLiteral("Are you sure you want to delete the files in the removed "
                                   "songs folder?")) != PromptAnswer::Yes)
        return false;
    FileBatchReport report;
    std::vector<qsizetype> dropped;
    SongRow key;
    key.Folder = WithTrailingSeparator(recycleFolder);
    for (const QFileInfo& file : files) {
        key.FileName = file.fileName();
        const QString path = key.Folder + key.FileName;
        QString error;
        if (!DeleteSongFile(path, &error)) {
            report.notDeleted.push_back({path, error});
            continue;
        }
        report.gone.insert(path);
        if (const qsizetype i = store.Songs.FindSongForRow(key); i >= 0)
            dropped.push_back(i);
    }
    store.Songs.removeAll(std::move(dropped));
    ReportFileBatch(report, prompts);
    return !report.gone.isEmpty();
}

FileBatchReport MoveSongsToFolder(SongStore& store, const SongRows& rows, const QString& folder,
                                  bool addUnknown, FileBatchProgress* progress) {
    FileBatchReport report;
    FileBatch batch(progress, int(rows.size()));
    const QString target = WithTrailingSeparator(folder);
    for (const SongRow& row : rows) {
        if (batch.Cancelled()) {
            report.cancelled = true;
            break;
        }
        const QString source = row.Path();
        QString error;
        if (batch.Move(source, target + row.FileName, &error)) {
            report.gone.insert(source);
            if (!Retarget(store.Songs, row, target) && addUnknown)
                AddSongFile(store, target + row.FileName);
        } else {
            report.notMoved.push_back({source, error});
        }
        batch.Next();
    }
    return report;
}

} // namespace orvane
