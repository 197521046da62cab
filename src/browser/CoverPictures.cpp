#include "browser/CoverPictures.h"

#include "store/Id3v2Tags.h"

#include <QFileInfo>
#include <QImageReader>
#include <QtConcurrent/QtConcurrentRun>

namespace orvane {

namespace {

QImage Fitted(QImage image) {
    if (image.width() > kMaxCoverSide || image.height() > kMaxCoverSide)
        image = image.scaled(kMaxCoverSide, kMaxCoverSide, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    return image;
}

} // namespace

CoverPicture ReadEmbeddedCover(const QString& songPath) {
    CoverPicture result{songPath, {}, {}, true};
    const EmbeddedPicture picture = ParseId3v2Picture(ReadLeadingId3v2(songPath));
    if (picture.Data.isEmpty())
        return result;
    QImage image = QImage::fromData(picture.Data);
    if (image.isNull()) {
        result.error =
            QStringLiteral("The picture inside %1 cannot be read as an image.").arg(songPath);
        return result;
    }
    result.image = Fitted(std::move(image));
    return result;
}

CoverPicture ReadCoverPicture(const QString& path) {
    CoverPicture result{path, {}, {}};
    if (!QFileInfo(path).isFile()) {
        result.error = QStringLiteral("The cover image %1 does not exist.").arg(path);
        return result;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) {
        result.error =
            QStringLiteral("The cover image %1 cannot be read: %2").arg(path, reader.errorString());
        return result;
    }
    result.image = Fitted(std::move(image));
    return result;
}

TCoverPictures::TCoverPictures(QObject* parent)
    : QObject(parent) {
    connect(&watcher_, &QFutureWatcher<CoverPicture>::finished, this, &TCoverPictures::finished);
}

TCoverPictures::~TCoverPictures() {
    // The reading in progress owns copies of what it needs; its result is simply dropped.
    watcher_.disconnect(this);
}

TCoverPictures::Stamp TCoverPictures::stampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified()};
}

const CoverPicture* TCoverPictures::Cached(const QString& path, bool embedded) const {
    for (const Entry& entry : cache_)
        if (entry.picture.path == path && entry.picture.embedded == embedded)
            return entry.stamp == stampOf(path) ? &entry.picture : nullptr;
    return nullptr;
}

void TCoverPictures::Request(const QString& path, bool embedded) {
    if (const CoverPicture* picture = Cached(path, embedded)) {
        pending_.clear(); // the newest request is answered: an older one waiting is not wanted
        emit Ready(*picture);
        return;
    }
    if (!reading_.isEmpty()) {
        pending_ = path;
        pendingEmbedded_ = embedded;
        return;
    }
    start(path, embedded);
}

void TCoverPictures::start(const QString& path, bool embedded) {
    reading_ = path;
    watcher_.setFuture(QtConcurrent::run(embedded ? ReadEmbeddedCover : ReadCoverPicture, path));
}

void TCoverPictures::finished() {
    const CoverPicture picture = watcher_.result();
    reading_.clear();
    std::erase_if(cache_, [&](const Entry& e) {
        return e.picture.path == picture.path && e.picture.embedded == picture.embedded;
    });
    cache_.push_front({stampOf(picture.path), picture});
    if (cache_.size() > kCoverCacheSize)
        cache_.pop_back();
    const QString next = std::exchange(pending_, QString());
    if (next.isEmpty() || (next == picture.path && pendingEmbedded_ == picture.embedded)) {
        emit Ready(picture);
        return;
    }
    // The user has moved on: the picture waits in the cache, the newest request is read.
    Request(next, pendingEmbedded_);
}

} // namespace orvane
