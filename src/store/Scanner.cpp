#include "store/Scanner.h"

#include "platform/DirectoryWalk.h"
#include "platform/Paths.h"
#include "store/Mp3FileNames.h"
#include "store/RecycledSongs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>
#include <optional>

namespace orvane {

QString ScanRoot(const QString& folder) {
    if (folder.isEmpty())
        return folder;
    return QDir::cleanPath(QDir(folder).absolutePath());
}

bool HoldsSongFile(const SongStore& store, const QString& path) {
    return store.Songs.FindFile(FileNamePart(path), FolderPart(path)) >= 0;
}

void AddScannedFile(SongStore& store, const QString& path) {
    if (HoldsSongFile(store, path))
        return;
    AddSongFile(store, path);
}

void ClearCollection(SongStore& store) {
    store.Songs.clear();
    store.Browse.Clear();
}

qsizetype FullRescan(SongStore& store, const QString& folder, ScanProgress* progress,
                     QStringList* unreadable) {
    qsizetype files = 0;
    QString current = WithTrailingSeparator(folder);
    QElapsedTimer clock;
    clock.start();
    const auto report = [&] {
        if (progress)
            progress->ScanReport(files, current);
        QCoreApplication::processEvents();
        clock.restart();
    };
    report();

    WalkVisitor visitor;
    visitor.enteringFolder = [&](const QString& f) {
        current = f;
        if (clock.elapsed() >= kScanReportInterval)
            report();
    };
    visitor.file = [&](const QString& f, const QString& name) {
        if (!IsMp3FileName(name))
            return;
        AddScannedFile(store, f + name);
        ++files;
        if (clock.elapsed() >= kScanReportInterval)
            report();
    };
    if (unreadable)
        visitor.unreadableFolder = [unreadable, &store](const QString& f) {
            unreadable->append(f);
            if (store.OnUnreadable)
                store.OnUnreadable(f, UnreadableKind::FolderNotReadable);
        };
    WalkFolders(ScanRoot(folder), WalkDepth::WholeTree, visitor);
    if (progress)
        progress->ScanReport(files, current);
    return files;
}

namespace {

struct UnusableBase {
    QString folder; // as the walk would start from it
    bool missing;   // not there at all, or not a folder
};

std::optional<UnusableBase> FindUnusableBase(const QString& mp3Base) {
    const QString root = ScanRoot(mp3Base);
    if (CanListFolder(root))
        return std::nullopt;
    const QString shown = root.isEmpty() ? QDir::rootPath() : root;
    return UnusableBase{shown, !QFileInfo(shown).isDir()};
}

// True when folder (with trailing separator) or one of the folders above it is in lost.
bool LiesUnder(QString folder, const QSet<QString>& lost) {
    while (!folder.isEmpty()) {
        if (lost.contains(folder))
            return true;
        folder.chop(1);
        folder = FolderPart(folder);
    }
    return false;
}

} // namespace

QString Mp3BaseUnusableText(const QString& mp3Base) {
    const std::optional<UnusableBase> base = FindUnusableBase(mp3Base);
    if (!base)
        return {};
    if (base->missing)
        return QStringLiteral("The MP3 folder \"%1\" was not found (a disk that is not mounted, or "
                              "a folder that was renamed or moved).\nThe collection was left as "
                              "it was.")
            .arg(base->folder);
    return QStringLiteral("The MP3 folder \"%1\" cannot be read.\nThe collection was left as it "
                          "was.")
        .arg(base->folder);
}

QString Mp3BaseUnusableStatus(const QString& mp3Base) {
    const std::optional<UnusableBase> base = FindUnusableBase(mp3Base);
    if (!base)
        return {};
    return (base->missing ? QStringLiteral("MP3 folder not found: ")
                          : QStringLiteral("MP3 folder cannot be read: ")) +
           base->folder;
}

bool RescanCollection(SongStore& store, const QString& mp3Base, const QString& recycleFolder,
                      ScanProgress* progress) {
    if (!CanListFolder(ScanRoot(mp3Base)))
        return false;
    // What an unreadable folder held is taken back from here.
    const CollectionList before = store.Songs;
    ClearCollection(store);
    QStringList unreadable;
    FullRescan(store, mp3Base, progress, &unreadable);
    if (!unreadable.isEmpty()) {
        const QSet<QString> lost(unreadable.begin(), unreadable.end());
        for (qsizetype i = 0; i < before.size(); ++i) {
            if (!LiesUnder(before.Value(i, SongField::Folder), lost))
                continue;
            const SongRecord r = before.at(i);
            if (store.Songs.FindFile(r.FileName, r.Folder) >= 0)
                continue;
            RegisterBrowseKeys(store.Browse, r);
            store.Songs.append(r);
        }
    }
    AddRecycledSongs(store, recycleFolder);
    return true;
}

std::unique_ptr<TUpdateThread> StartBackgroundScan(SongStore& store, const QString& folder,
                                                   const TagReading& reading, QObject* parent) {
    auto scanner = std::make_unique<TUpdateThread>(
        ScanRoot(folder), reading,
        [&store](const QString& path) { return HoldsSongFile(store, path); },
        [&store](std::vector<SongFileRead>& batch) { AddReadSongs(store, batch); }, parent);
    scanner->Start();
    return scanner;
}

bool StopBackgroundScan(TUpdateThread* scanner) {
    if (scanner && scanner->IsRunning())
        return scanner->Stop();
    return true;
}

bool RefreshDatabase(SongStore& store, Prompts& prompts, TUpdateThread* scanner,
                     const QString& mp3Base, const QString& recycleFolder,
                     const OpenScanProgress& openProgress, const std::function<bool()>& mayStart) {
    if (const QString problem = Mp3BaseUnusableText(mp3Base); !problem.isEmpty()) {
        prompts.warning(problem);
        return false;
    }
    if (prompts.ask(PromptKind::Information, PromptButtons::YesNo, kRefreshDatabaseQuestion) !=
            PromptAnswer::Yes ||
        (mayStart && !mayStart()))
        return false;
    StopBackgroundScan(scanner);
    bool rebuilt = false;
    {
        const std::unique_ptr<ScanProgress> progress = openProgress ? openProgress() : nullptr;
        rebuilt = RescanCollection(store, mp3Base, recycleFolder, progress.get());
    }
    // The folder went away while the question was open.
    if (!rebuilt)
        if (const QString problem = Mp3BaseUnusableText(mp3Base); !problem.isEmpty())
            prompts.warning(problem);
    return rebuilt;
}

} // namespace orvane
