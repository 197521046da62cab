#pragma once
// The packed date-time of FAT directory entries, which the program keeps as a file's date:
// date in the high word (years since 1980, month, day), time in the low word (hours, minutes,
// seconds / 2), local time.

#include <QDateTime>
#include <cstdint>

namespace orvane {

// Times before 1980 are stored as 1980-01-01 00:00 and times after 2107 as the last
// representable second, so that a known date never packs to 0 ("unknown").
uint32_t PackDosDateTime(const QDateTime& local);
QDateTime UnpackDosDateTime(uint32_t packed);

} // namespace orvane
