#pragma once
// The collection list: every SongRecord of the run, in insertion order, 0-based.
//
// Two hash indexes are kept in step with the list so that the per-song look-ups never scan it:
// one by (FileName, Folder) upper-cased, holding the first index of each key (FindSong), and
// one by (FileName, Folder with trailing separator) upper-cased, holding the last index
// (FindSongForRow). They map a hash of the key, computed without copying the texts, to the
// indexes with that hash; a look-up compares the records themselves, so a collision of hashes
// never gives a wrong answer. Appends update them at once; removals and replacements that
// change a key mark them stale, and the next look-up rebuilds them in one pass.
// Owned by the GUI thread; not thread-safe.

#include "store/SongRecord.h"
#include "store/SongRow.h"

#include <QHash>
#include <span>
#include <vector>

namespace orvane {

class CollectionList {
public:
    qsizetype size() const { return qsizetype(records_.size()); }
    bool empty() const { return records_.empty(); }
    const SongRecord& at(qsizetype i) const { return records_[size_t(i)]; }
    const SongRecord& operator[](qsizetype i) const { return at(i); }
    std::span<const SongRecord> records() const { return records_; }
    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }

    void append(SongRecord record);
    void removeAt(qsizetype i);
    void replace(qsizetype i, SongRecord record);
    void clear();
    void reserve(qsizetype n) { records_.reserve(size_t(n)); }

    // Index of the first record with the same FileName and Folder (upper-cased) as the record at
    // index; never greater than index. -1 when the list is empty or index is out of range.
    qsizetype FindSong(qsizetype index) const;
    // The first record of that file, as FindSong would answer for a record not yet appended.
    qsizetype FindFile(const QString& fileName, const QString& folder) const;
    // Index of the last record whose FileName and Folder equal the row's, upper-cased and with a
    // trailing separator added to either folder where it lacks one; -1 if none.
    qsizetype FindSongForRow(const SongRow& row) const;

private:
    void index(qsizetype i) const;
    void ensureIndex() const;
    qsizetype findFirst(const QString& fileName, const QString& folder, size_t hash) const;
    qsizetype findLastForRow(const QString& fileName, const QString& folder, size_t hash) const;

    std::vector<SongRecord> records_;
    mutable QMultiHash<size_t, qsizetype> firstByKey_;
    mutable QMultiHash<size_t, qsizetype> lastByRowKey_;
    mutable bool indexStale_ = false;
};

} // namespace orvane
