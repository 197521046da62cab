#include "playlists/QueueDuration.h"

namespace orvane {

namespace {
// The number written in characters [from, from + 2) of text, or 0.
qint64 TwoDigits(const QString& text, qsizetype from) {
    bool ok = false;
    const int value = text.mid(from, 2).trimmed().toInt(&ok);
    return ok && value > 0 ? value : 0;
}

QString Padded(qint64 value) {
    return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0'));
}
} // namespace

qint64 DurationSeconds(const QString& duration) {
    return TwoDigits(duration, 0) * 60 + TwoDigits(duration, 3);
}

QString QueueDurationText(std::span<const SongRow> rows) {
    QueueDuration total;
    for (const SongRow& row : rows)
        total.Add(row);
    return total.Text();
}

void QueueDuration::Add(const SongRow& row) {
    minutes_ += TwoDigits(row.Duration, 0);
    seconds_ += TwoDigits(row.Duration, 3);
}

void QueueDuration::Subtract(const SongRow& row) {
    minutes_ -= TwoDigits(row.Duration, 0);
    seconds_ -= TwoDigits(row.Duration, 3);
}

QString QueueDuration::Text() const {
    qint64 minutes = minutes_ + seconds_ / 60;
    const qint64 seconds = seconds_ % 60;
    const qint64 hours = minutes / 60;
    minutes %= 60;
    return Padded(hours) + u':' + Padded(minutes) + u':' + Padded(seconds);
}

} // namespace orvane
