#pragma once
// The titles of a list of song rows, to compare a list with the expected one at once.
// Header-only: the support library does not link the store.

#include "store/SongRows.h"

#include <QStringList>

namespace orvane::test {

inline QStringList Titles(const SongRows& rows) {
    QStringList titles;
    for (const SongRow& r : rows)
        titles.append(r.Title);
    return titles;
}

} // namespace orvane::test
