#include "store/UpdateThread.h"

#include "platform/DirectoryWalk.h"
#include "store/Mp3FileNames.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace orvane {

TUpdateThread::TUpdateThread(QString folder, HandOver handOver, QObject* parent)
    : QObject(parent)
    , folder_(std::move(folder))
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
    // The thread may be waiting in a hand-over to this thread: deliver it, then look again.
    while (running_) {
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        thread_->wait(QDeadlineTimer(5));
    }
    thread_->wait();
    return true;
}

void TUpdateThread::run() {
    WalkVisitor visitor;
    visitor.stopRequested = [this] {
        return stop_.load();
    };
    visitor.file = [this](const QString& folder, const QString& name) {
        if (!IsMp3FileName(name) || stop_)
            return;
        const QString path = folder + name;
        QMetaObject::invokeMethod(
            this,
            [this, &path] {
                inHandOver_ = true;
                handOver_(path);
                inHandOver_ = false;
            },
            Qt::BlockingQueuedConnection);
    };
    visitor.unreadableFolder = [this](const QString& folder) {
        emit UnreadableFolder(folder);
    };
    WalkFolders(folder_, WalkDepth::WholeTree, visitor);
    emit Finished();
    running_ = false;
}

} // namespace orvane
