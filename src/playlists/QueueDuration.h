#pragma once
// The summed length of a song list, as the caption bars above the song lists show it.

#include "store/SongRow.h"

#include <QString>
#include <span>

namespace orvane {

// A Duration ("mm:ss") in seconds: minutes from its first two characters, seconds from the
// fourth and fifth. A part that is not digits counts as nothing.
qint64 DurationSeconds(const QString& duration);

// Every row's Duration ("mm:ss") added up and written "hh:mm:ss", each part at least two
// digits; hours are not limited. An empty list gives "00:00:00". A duration whose minutes or
// seconds are not digits counts as nothing in that part.
QString QueueDurationText(std::span<const SongRow> rows);

// The same sum kept up to date row by row, for a list that grows and shrinks one row at a time
// (the playing-songs list), so that its caption costs nothing per change.
class QueueDuration {
public:
    void Add(const SongRow& row);
    void Subtract(const SongRow& row);
    void Reset() { minutes_ = seconds_ = 0; }
    QString Text() const;

private:
    qint64 minutes_ = 0; // the sums of the two parts, as they were read
    qint64 seconds_ = 0;
};

} // namespace orvane
