#include "store/UpdateThread.h"

#include "platform/DirectoryWalk.h"
#include "store/Mp3FileNames.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>

namespace orvane {

TUpdateThread::TUpdateThread(QString folder, TagReading reading, Known known, HandOver handOver,
                             QObject* parent)
    : QObject(parent)
    , folder_(std::move(folder))
    , reading_(reading)
    , known_(std::move(known))
    , handOver_(std::move(handOver)) {}

TUpdateThread::~TUpdateThread() {
    // The owner never destroys the scanner from inside a hand-over (see Stop).
    Stop();
}

void TUpdateThread::Start() {
    if (thread_)
        return; // started once per object
    running_ = true;
    thread_.reset(QThread::create([this] { run(); }));
    thread_->setObjectName(QStringLiteral("collection scanner"));
    thread_->start(QThread::LowPriority);
}

bool TUpdateThread::Stop() {
    RequestStop();
    if (!thread_)
        return true;
    if (inHandOver_)
        return false;
    // The thread may be waiting for its question to this thread, and batches may be queued:
    // deliver them, then look again.
    while (IsRunning()) {
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        thread_->wait(QDeadlineTimer(5));
    }
    thread_->wait();
    return true;
}

std::vector<char> TUpdateThread::askKnown(const std::vector<QString>& paths) {
    std::vector<char> known(paths.size(), 0);
    QMetaObject::invokeMethod(
        this,
        [this, &paths, &known] {
            inHandOver_ = true;
            for (size_t i = 0; i < paths.size(); ++i)
                known[i] = known_(paths[i]);
            inHandOver_ = false;
        },
        Qt::BlockingQueuedConnection);
    return known;
}

void TUpdateThread::post(std::vector<SongFileRead>& batch) {
    if (batch.empty())
        return;
    ++pending_;
    QMetaObject::invokeMethod(
        this,
        [this, handed = std::move(batch)]() mutable {
            inHandOver_ = true;
            handOver_(handed);
            inHandOver_ = false;
            --pending_;
        },
        Qt::QueuedConnection);
    batch.clear();
}

void TUpdateThread::run() {
    TMPEGAudio reader;
    reader.FixTagReading(reading_);
    std::vector<QString> paths;      // walked, not yet asked about
    std::vector<SongFileRead> ready; // read, not yet handed over
    QElapsedTimer sinceHandOver;
    sinceHandOver.start();

    // The batch of paths is asked about first, then the batch read before is handed over, so
    // that the GUI thread adds it while this thread reads the next one.
    const auto readBatch = [&] {
        if (paths.empty() || stop_)
            return;
        const std::vector<char> known = askKnown(paths);
        post(ready);
        sinceHandOver.restart();
        for (size_t i = 0; i < paths.size() && !stop_; ++i) {
            ready.push_back(known[i] ? SongFileRead{std::move(paths[i]), {}, {}}
                                     : ReadSongFile(reader, paths[i]));
            if (sinceHandOver.elapsed() >= kScanBatchInterval) {
                post(ready);
                sinceHandOver.restart();
            }
        }
        paths.clear();
    };

    WalkVisitor visitor;
    visitor.stopRequested = [this] {
        return stop_.load();
    };
    visitor.file = [&](const QString& folder, const QString& name) {
        if (!IsMp3FileName(name) || stop_)
            return;
        paths.push_back(folder + name);
        if (paths.size() >= size_t(kScanBatch))
            readBatch();
    };
    visitor.unreadableFolder = [&](const QString& folder) {
        // Told in the order of the walk: after the files walked before it.
        readBatch();
        post(ready);
        emit UnreadableFolder(folder);
    };
    WalkFolders(folder_, WalkDepth::WholeTree, visitor);
    readBatch();
    post(ready);
    // Cleared before the notice, which is queued after the last batch: a receiver of Finished
    // finds the scanner no longer running.
    running_ = false;
    emit Finished();
}

} // namespace orvane
