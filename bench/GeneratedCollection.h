#pragma once
// The generated collection that the benchmarks of whole-library work share: one record per song
// as local.orv holds it. The number of songs is the bench's own unless the environment variable
// ORVANE_BENCH_SONGS names another (for instance 1000000).

#include "store/SongRecord.h"

#include <cstdlib>
#include <vector>

namespace orvane::bench {

inline int BenchSongs(int fallback) {
    const char* songs = std::getenv("ORVANE_BENCH_SONGS");
    const int count = songs ? std::atoi(songs) : 0;
    return count > 0 ? count : fallback;
}

// Songs by the given numbers of artists and albums; each artist's songs in one folder.
inline std::vector<SongRecord> GeneratedRecords(int count, int artists, int albums) {
    std::vector<SongRecord> records;
    records.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString n = QString::number(i);
        records.push_back({QStringLiteral("track") + n + QStringLiteral(".mp3"),
                           QStringLiteral("Title number ") + n,
                           QStringLiteral("Artist ") + QString::number(i % artists),
                           QStringLiteral("Album ") + QString::number(i % albums),
                           QStringLiteral("03:41"), QStringLiteral("1998"), QStringLiteral("Rock"),
                           QStringLiteral("ripped"),
                           QStringLiteral("/home/user/Music/Artist ") +
                               QString::number(i % artists) + QStringLiteral("/"),
                           kLocalCollection, QStringLiteral("0")});
    }
    return records;
}

// 3,000 artists on 8,000 albums.
inline std::vector<SongRecord> GeneratedRecords(int count) {
    return GeneratedRecords(count, 3000, 8000);
}

} // namespace orvane::bench
