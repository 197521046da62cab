#include "app/Program.h"

#include "app/Lifecycle.h"
#include "app/TfrmSplash.h"
#include "platform/AsciiCase.h"
#include "store/CacheFile.h"
#include "store/RecycledSongs.h"

#include <QApplication>
#include <QFile>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcLifecycle, "orvane.lifecycle", QtWarningMsg)

namespace orvane {

Program::Program(Prompts& prompts, const QString& programFolder)
    : prompts_(prompts)
    , folders_(WorkingFolders::At(programFolder))
    , newSongsLog_(folders_.Logs, prompts)
    , main_(std::make_unique<TfrmMain>()) {
    state_.Mp3Base = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    store_.OnNewSong = [this](const SongRecord& r) {
        newSongsLog_.AppendToNewSongsLog(r);
    };
    main_->OnFirstShow = [this] {
        runStartup();
    };
    main_->OnClose = [this] {
        if (startupRunning_) {
            // Finish the start-up as an abort; the window closes from there.
            abortRequested_ = true;
            return false;
        }
        runShutdown();
        return true;
    };
}

Program::~Program() = default;

void Program::Show() {
    main_->show();
}

void Program::RequestShutdown() {
    if (shutdownDone_)
        return;
    if (!startupDone_) {
        abortRequested_ = true;
        // A question open during the start-up would keep it waiting: answer it by closing it.
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        if (!startupRunning_)
            finishAbortedStartup(); // not started yet: nothing was loaded
        return;
    }
    main_->close();
}

bool Program::startupStep() {
    if (splash_)
        splash_->Step();
    emit StartupStepped(splash_ ? splash_->Position() : 0);
    return !abortRequested_;
}

void Program::runStartup() {
    if (startupRunning_ || startupDone_ || abortRequested_) {
        if (abortRequested_)
            finishAbortedStartup();
        return;
    }
    startupRunning_ = true;
    versionInfo_ = std::make_unique<TVersionInfo>();
    state_.ViewKind = 4;
    splash_ = new TfrmSplash(versionInfo_->DisplayText(), main_.get());
    splash_->setAttribute(Qt::WA_DeleteOnClose);
    splash_->show();

    auto steps = [this] {
        PrepareWorkingFolders(folders_, prompts_);
        if (!startupStep())
            return false;
        state_.ArtistListReady = true;
        state_.AlbumListReady = true;
        state_.PlayingIndex = -1;
        if (!startupStep()) // first-run test
            return false;
        if (!startupStep()) // settings
            return false;
        if (!startupStep()) // tray icons
            return false;
        loadCollection();
        AddRecycledSongs(store_, folders_.Recycle);
        if (!startupStep())
            return false;
        if (!startupStep()) // imported collections
            return false;
        if (!startupStep()) // display filters off
            return false;
        main_->tvFolders()->expandAll();
        if (!startupStep()) // player reset, favourites view
            return false;
        state_.Started = true;
        return startupStep();
    };
    const bool completed = steps();
    if (splash_)
        splash_->close();
    startupRunning_ = false;
    if (!completed) {
        finishAbortedStartup();
        return;
    }
    startupDone_ = true;
    qCInfo(lcLifecycle) << "start-up finished:" << store_.Songs.size() << "songs";
    emit StartupFinished();
}

void Program::finishAbortedStartup() {
    if (splash_)
        splash_->close();
    runShutdown();
    main_->hide();
    QCoreApplication::quit();
}

void Program::loadCollection() {
    const QString path = folders_.LocalCache();
    main_->SetTitleText(path);
    const CacheLoadResult loaded = LoadCacheFile(path, store_.Songs, true, store_.Browse);
    collectionReadIncomplete_ = loaded.readError;
    if (loaded.readError)
        qCWarning(lcLifecycle) << "reading" << path << "stopped part-way; kept" << loaded.added
                               << "songs";
    collectionLoaded_ = true;
}

bool Program::isOwnSong(const SongRecord& record) const {
    // Records of imported collections come back from their own files at the next start.
    return record.Collection == kLocalCollection ||
           SameTextNoCase(record.Collection, QStringLiteral("local.orv"));
}

void Program::saveCollection() {
    if (!collectionLoaded_) {
        qCInfo(lcLifecycle) << "collection was not loaded; local.orv left as it was";
        return;
    }
    const QString path = folders_.LocalCache();
    if (collectionReadIncomplete_) {
        // What could not be read is still in the old file: keep it beside the new one.
        const QString backup = path + QStringLiteral(".bak");
        QFile::remove(backup);
        QFile::copy(path, backup);
    }
    if (!SaveCacheFile(path, store_.Songs.records(),
                       [this](const SongRecord& r) { return isOwnSong(r); }))
        qCWarning(lcLifecycle) << "could not write" << path;
}

void Program::runShutdown() {
    if (shutdownDone_)
        return;
    shutdownDone_ = true;
    versionInfo_.reset();
    saveCollection();
    qCInfo(lcLifecycle) << "shutdown finished";
    emit ShutdownFinished();
}

} // namespace orvane
