#pragma once
// The collection list: every SongRecord of the run, in insertion order, 0-based.
//
// A hash index kept in step with the list serves the per-song look-ups without scanning it:
// it maps a hash of (FileName, Folder with trailing separator) upper-cased, computed without
// copying the texts, to the index of every record with that hash (32-bit indexes, see RowIndex). A
// look-up compares the records of its bucket themselves (the first exact match for FindSong, the
// last for FindSongForRow), so a collision of hashes never gives a wrong answer. Appends and
// replacements update the index at once; removals shift the indexes and mark it stale, and the
// next look-up rebuilds it in one pass (removeAll takes many records out with one such pass).
// Owned by the GUI thread; not thread-safe.

#include "store/RowIndex.h"
#include "store/SongRecord.h"
#include "store/SongRow.h"

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
    // Removes the records at the given indexes (any order, duplicates allowed) in one pass.
    void removeAll(std::vector<qsizetype> indexes);
    void replace(qsizetype i, SongRecord record);
    void clear();
    void reserve(qsizetype n);
    // Renewed by every change of the records (append, removal, replacement, clear) with a value
    // no list had before: a caller that noted it can tell later whether the list changed since.
    uint64_t Revision() const { return revision_; }

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

    std::vector<SongRecord> records_;
    mutable RowIndex byKey_;
    mutable bool indexStale_ = false;
    uint64_t revision_ = 0;
};

} // namespace orvane
