#pragma once
// TUpdateThread: the background scan. A thread of its own walks the MP3 base folder and hands
// every song file it finds to the thread that created the object (the GUI thread), waiting
// there until the hand-over has run: the collection, the browse lists and the shared MPEG
// object are only ever touched on the GUI thread, and no locks exist.
//
// Threads: the object lives on the GUI thread; only run() and the flags are used by the
// scanner thread. The hand-over runs between two GUI events, so the GUI thread never waits for
// more than one file. Stop() and the destructor wait for the thread while delivering the one
// hand-over that may be pending, and nothing else.

#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

namespace orvane {

class TUpdateThread : public QObject {
    Q_OBJECT
public:
    using HandOver = std::function<void(const QString& path)>;

    // handOver is called on the creating thread with the full path of each song file.
    TUpdateThread(QString folder, HandOver handOver, QObject* parent = nullptr);
    ~TUpdateThread() override;

    // Starts the walk; the running flag is set from here until the walk has ended.
    void Start();
    // Asks the walk to end before its next entry, sub-folder or hand-over. Any thread.
    void RequestStop() { stop_ = true; }
    // The scanner-running flag.
    bool IsRunning() const { return running_; }
    // RequestStop, then waits until the thread has ended, running the pending hand-over. Called
    // from inside a hand-over it cannot wait (the thread waits for that hand-over to return):
    // it then only asks, and returns false.
    bool Stop();
    // True while a hand-over runs on the GUI thread.
    bool InHandOver() const { return inHandOver_; }

    const QString& Folder() const { return folder_; }

signals:
    // The walk has ended (finished or stopped). Queued to the receivers' threads.
    void Finished();
    // A folder the walk could not list. Queued to the receivers' threads, before Finished.
    void UnreadableFolder(const QString& folder);

private:
    void run();

    QString folder_;
    HandOver handOver_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
    bool inHandOver_ = false; // GUI thread only
    std::unique_ptr<QThread> thread_;
};

} // namespace orvane
