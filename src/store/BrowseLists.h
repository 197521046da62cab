#pragma once
// The genre, album and artist lists that the main window browses by. Each name is held once
// (compared upper-cased, whole text, blanks included) in the order first seen, with the first
// spelling kept. A hash of the upper-cased name (computed without copying it) answers "already
// there?", so registering a record costs O(1); the sorted order is computed once when asked
// for and kept until the next change.
// Owned by the GUI thread.

#include "store/RowIndex.h"
#include "store/SongRecord.h"

#include <QString>
#include <vector>

namespace orvane {

struct BrowseEntry {
    QString Name;
    QString Extra; // the album list keeps the artist of the album's first song here
};

class BrowseList {
public:
    // Adds the name unless it is already there; true when added.
    bool Add(const QString& name, const QString& extra = {});
    bool Contains(const QString& name) const;
    void Clear();

    qsizetype size() const { return qsizetype(entries_.size()); }
    // Counts the clears: while it stays the same, entries are only ever added at the end of
    // Entries(), so a view that showed the first n entries needs only the ones after them.
    quint64 Generation() const { return generation_; }
    const std::vector<BrowseEntry>& Entries() const { return entries_; }
    // Entries in locale-aware order of their names.
    const std::vector<BrowseEntry>& Sorted() const;

private:
    qsizetype find(const QString& name, size_t hash) const;

    std::vector<BrowseEntry> entries_;
    RowIndex keys_; // hash of the upper-cased name -> entry
    mutable std::vector<BrowseEntry> sorted_;
    mutable bool sortedStale_ = false;
    quint64 generation_ = 0;
};

struct BrowseLists {
    BrowseList Genres;
    BrowseList Albums;
    BrowseList Artists;
    void Clear();
};

// Adds the record's genre, album (with its artist) and artist where the lists lack them.
void RegisterBrowseKeys(BrowseLists& lists, const SongRecord& record);
void RegisterBrowseKeys(BrowseLists& lists, const QString& genre, const QString& album,
                        const QString& artist);

} // namespace orvane
