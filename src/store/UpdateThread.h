#pragma once
// TUpdateThread: the background scan. A thread of its own walks the MP3 base folder and reads
// the song files it finds with a reader of its own, handing the results to the thread that
// created the object (the GUI thread) in batches: the collection, the browse lists and the
// shared MPEG object are only ever touched on the GUI thread, and no locks exist.
//
// Per batch of at most kScanBatch files the scanner asks the GUI thread once, waiting, which of
// them the collection already holds (a hash look-up each); it reads the others, and hands the
// batch over without waiting, while it goes on with the next one. A batch is handed over early
// when reading it has taken kScanBatchInterval ms (a slow disk). The GUI thread never waits for
// the scanner, and its share of a batch is at most kScanBatch look-ups and additions.
//
// Threads: the object lives on the GUI thread; only run() and the flags are used by the
// scanner thread. Stop() and the destructor wait for the thread while delivering the question
// and the batches that may be pending, so that nothing read is lost.

#include "store/SongStore.h"
#include "store/TagReading.h"

#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace orvane {

inline constexpr int kScanBatch = 64;
inline constexpr int kScanBatchInterval = 250;

class TUpdateThread : public QObject {
    Q_OBJECT
public:
    // Called on the creating thread: true when the collection already holds the song file path
    // (it is then not read).
    using Known = std::function<bool(const QString& path)>;
    // Called on the creating thread with a batch of song files in the order of the walk, one
    // entry for each (a known file's entry carries neither record nor reason).
    using HandOver = std::function<void(std::vector<SongFileRead>& batch)>;

    // reading: how the scanner's reader reads tags, for the whole walk.
    TUpdateThread(QString folder, TagReading reading, Known known, HandOver handOver,
                  QObject* parent = nullptr);
    ~TUpdateThread() override;

    // Starts the walk; the running flag is set from here until the walk has ended and its last
    // batch has been handed over.
    void Start();
    // Asks the walk to end before its next entry, sub-folder or file read; what was read is
    // still handed over. Any thread.
    void RequestStop() { stop_ = true; }
    // The scanner-running flag.
    bool IsRunning() const { return running_ || pending_ > 0; }
    // RequestStop, then waits until the thread has ended, delivering what is pending. Called
    // from inside a hand-over it does not wait (the thread may be waiting for that hand-over to
    // return): it then only asks, and returns false.
    bool Stop();
    // True while a hand-over or the question runs on the GUI thread.
    bool InHandOver() const { return inHandOver_; }

    const QString& Folder() const { return folder_; }

signals:
    // The walk has ended (finished or stopped), after its last batch. Queued to the receivers'
    // threads.
    void Finished();
    // A folder the walk could not list. Queued to the receivers' threads, after the batch of the
    // files walked before it and before Finished.
    void UnreadableFolder(const QString& folder);

private:
    void run();
    // Scanner thread: which of paths the collection holds, asked on the GUI thread.
    std::vector<char> askKnown(const std::vector<QString>& paths);
    // Scanner thread: hands batch to the GUI thread without waiting.
    void post(std::vector<SongFileRead>& batch);

    QString folder_;
    TagReading reading_;
    Known known_;
    HandOver handOver_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
    std::atomic<int> pending_{0}; // batches posted and not yet handed over
    bool inHandOver_ = false;     // GUI thread only
    std::unique_ptr<QThread> thread_;
};

} // namespace orvane
