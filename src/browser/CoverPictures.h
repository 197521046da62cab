#pragma once
// Cover pictures read off the GUI thread and kept in a small cache, so that moving through a
// list with the arrow keys never waits for a picture file. One file is read at a time; while it
// is read, only the newest request waits (the ones in between are dropped, as their rows have
// been left already). A picture is kept fitted into kMaxCoverSide pixels, which is all a cover
// panel shows; it is read again when its file's size or date changes.
//
// QtGui only, no widgets. The object lives on the GUI thread and signals there; the reading
// runs on Qt's thread pool with nothing but its own copies of the path and the box.

#include <QDateTime>
#include <QFutureWatcher>
#include <QImage>
#include <QObject>
#include <QString>
#include <deque>

namespace orvane {

inline constexpr int kMaxCoverSide = 600;
inline constexpr size_t kCoverCacheSize = 24;

struct CoverPicture {
    QString path;
    QImage image;          // null when the file could not be read as a picture
    QString error;         // why, for the user; empty when a song simply carries no picture
    bool embedded = false; // path is a song whose ID3v2 tag holds the picture
};

// Reads a picture file, fitted into kMaxCoverSide pixels with smooth scaling. Any thread.
CoverPicture ReadCoverPicture(const QString& path);
// The front cover in the ID3v2 tag of the song at path (else its first picture), fitted the
// same way; a null image without an error when it has none. Any thread.
CoverPicture ReadEmbeddedCover(const QString& songPath);

class TCoverPictures : public QObject {
    Q_OBJECT
public:
    explicit TCoverPictures(QObject* parent = nullptr);
    ~TCoverPictures() override;

    // Asks for a picture (embedded: the one inside the song file at path): Ready comes at once
    // when the cache holds it, else after the file has been read, unless another request came
    // in between.
    void Request(const QString& path, bool embedded = false);
    // The picture in the cache, or nothing.
    const CoverPicture* Cached(const QString& path, bool embedded = false) const;
    // A picture is being read.
    bool Busy() const { return !reading_.isEmpty(); }

signals:
    void Ready(const CoverPicture& picture);

private:
    struct Stamp {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    struct Entry {
        Stamp stamp;
        CoverPicture picture;
    };
    static Stamp stampOf(const QString& path);
    void start(const QString& path, bool embedded);
    void finished();

    std::deque<Entry> cache_; // the newest first
    QFutureWatcher<CoverPicture> watcher_;
    QString reading_; // empty when idle
    QString pending_; // the newest request made while reading
    bool pendingEmbedded_ = false;
};

} // namespace orvane
