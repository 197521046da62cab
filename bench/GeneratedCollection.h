#pragma once
// The generated collection that the benchmarks of whole-library work share: songs by 3,000
// artists on 8,000 albums, one record per song as local.orv holds it.

#include "store/SongRecord.h"

#include <vector>

namespace orvane::bench {

inline std::vector<SongRecord> GeneratedRecords(int count) {
    std::vector<SongRecord> records;
    records.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString n = QString::number(i);
        records.push_back({QStringLiteral("track") + n + QStringLiteral(".mp3"),
                           QStringLiteral("Title number ") + n,
                           QStringLiteral("Artist ") + QString::number(i % 3000),
                           QStringLiteral("Album ") + QString::number(i % 8000),
                           QStringLiteral("03:41"), QStringLiteral("1998"), QStringLiteral("Rock"),
                           QStringLiteral("ripped"),
                           QStringLiteral("/home/user/Music/Artist ") + QString::number(i % 3000) +
                               QStringLiteral("/"),
                           kLocalCollection, QStringLiteral("0")});
    }
    return records;
}

} // namespace orvane::bench
