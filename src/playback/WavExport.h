#pragma once
// The export of songs to WAV files through an engine player of its own (the disk writer): one
// song at a time, in queue order, each decoded as fast as the engine can into a scratch file
// "<name>.wav.part" beside its WAV file, which becomes "<name>.wav" only once the engine has
// finished it and flushed it to disk. A song that cannot be opened, decoded or written is
// listed and skipped; its scratch file is removed, so that the folder never holds a cut-short
// WAV file. An existing WAV file is only replaced when the user said so.
//
// GUI thread only. The writer's events belong to this object while it lives. Each song starts
// with a Ping whose Pong marks where that song's notifications begin: whatever the writer
// still reports about an earlier, cancelled song comes before it and is ignored.

#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>

namespace orvane {

class Prompts;
class TXaudioPlayer;

// The WAV file name of a song: its file name with the part from the last "." on replaced by
// ".wav" (Track.01.mp3 gives Track.01.wav); a name without "." is used as it stands.
QString WavFileName(const QString& songPath);

class TWavExport : public QObject {
    Q_OBJECT
public:
    // writer and prompts must outlive the export.
    TWavExport(TXaudioPlayer& writer, Prompts& prompts, QObject* parent = nullptr);
    // An export that runs when the program ends leaves no scratch file behind. The writer may
    // be gone already (it is not touched).
    ~TWavExport() override;

    // Queues the songs for the folder (a trailing separator is added when missing) and starts
    // the first unless an export runs, which then takes them after its own.
    void Start(const QString& folder, const QStringList& songPaths);
    // Stops the song being written, removes its scratch file and drops the queue. The export
    // has ended when finished() is emitted.
    void Cancel();
    bool Running() const { return phase_ != Phase::Idle; }
    // Songs queued in this export so far, and those done (written, skipped or failed).
    int Total() const { return total_; }
    int Done() const { return done_; }

signals:
    void songStarted(const QString& wavName);
    void songRange(int range);
    void songPosition(int offset);
    void songDone(int done, int total);
    // The export has ended; failed lists each song that was not exported, with the reason.
    void finished(const QStringList& failed);

private:
    enum class Phase { Idle, Syncing, Playing, Closing, Cancelling };
    struct Job {
        QString song;
        QString folder;
    };

    void exportNext();
    void closeSong();
    void completeSong();
    void finish();
    void fail(const QString& reason);

    TXaudioPlayer& writer_;
    Prompts& prompts_;
    std::deque<Job> queue_;
    Phase phase_ = Phase::Idle;
    uint32_t serial_ = 0;
    bool replaceAll_ = false;
    int total_ = 0;
    int done_ = 0;
    QStringList failed_;
    // The song being written.
    QString song_;
    QString target_;
    QString scratch_;
    bool existed_ = false; // the WAV file existed when the song started (and may be replaced)
    QString error_;        // the first error reported for it; empty while all is well
};

} // namespace orvane
