#include "store/Scanner.h"

#include "platform/DirectoryWalk.h"
#include "platform/Paths.h"
#include "store/Mp3FileNames.h"
#include "store/RecycledSongs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

namespace orvane {

QString ScanRoot(const QString& folder) {
    if (folder.isEmpty())
        return folder;
    return QDir::cleanPath(QDir(folder).absolutePath());
}

void AddScannedFile(SongStore& store, const QString& path) {
    if (store.Songs.FindFile(FileNamePart(path), FolderPart(path)) >= 0)
        return;
    AddSongFile(store, path);
}

void ClearCollection(SongStore& store) {
    store.Songs.clear();
    store.Browse.Clear();
}

qsizetype FullRescan(SongStore& store, const QString& folder, ScanProgress* progress) {
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
    WalkFolders(ScanRoot(folder), WalkDepth::WholeTree, visitor);
    if (progress)
        progress->ScanReport(files, current);
    return files;
}

std::unique_ptr<TUpdateThread> StartBackgroundScan(SongStore& store, const QString& folder,
                                                   QObject* parent) {
    auto scanner = std::make_unique<TUpdateThread>(
        ScanRoot(folder), [&store](const QString& path) { AddScannedFile(store, path); }, parent);
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
                     const OpenScanProgress& openProgress) {
    if (prompts.ask(PromptKind::Information, PromptButtons::YesNo, kRefreshDatabaseQuestion) !=
        PromptAnswer::Yes)
        return false;
    StopBackgroundScan(scanner);
    ClearCollection(store);
    const std::unique_ptr<ScanProgress> progress = openProgress ? openProgress() : nullptr;
    FullRescan(store, mp3Base, progress.get());
    AddRecycledSongs(store, recycleFolder);
    return true;
}

} // namespace orvane
