#pragma once
// The collection list: every song of the run, in insertion order, 0-based.
//
// Kept compact for collections of a million songs: a song holds its file name and title (nearly
// always its own) and, for each other value, the number of a text that the list holds once
// (SharedTexts). A SongRecord is made on demand (at, iteration); loops over the whole list read
// single values with Value, or the numbers of the shared texts with TextNumber, which lets them
// answer each distinct text once.
//
// A hash index serves the per-song look-ups without scanning the list: it maps a hash of
// (FileName, Folder with trailing separator) upper-cased, computed without copying the texts, to
// the index of every record with that hash (32-bit indexes, see RowIndex). A look-up compares the
// records of its bucket themselves (the first exact match for FindSong, the last for
// FindSongForRow), so a collision of hashes never gives a wrong answer. The index is brought up
// to date by the look-ups: songs appended since the last one are indexed then, all together (a
// load of a million songs is indexed in one pass that overlaps its cache misses); replacements
// of indexed songs update it at once; removals shift the indexes and mark it stale, and the next
// look-up rebuilds it in one pass (removeAll takes many records out with one such pass).
// Owned by the GUI thread; not thread-safe. Const members may be called from several threads
// at once while nothing changes the list, except the look-ups (which may rebuild the index).

#include "platform/PrefetchText.h"
#include "store/RowIndex.h"
#include "store/SharedTexts.h"
#include "store/SongRecord.h"
#include "store/SongRow.h"

#include <array>
#include <iterator>
#include <span>
#include <vector>

namespace orvane {

enum class SongField : uint8_t {
    FileName,
    Title,
    // The shared values, from here on.
    Artist,
    Album,
    Duration,
    Year,
    Genre,
    Comment,
    Folder,
    Collection,
    NewFlag,
};
inline constexpr int kSharedFieldCount = 9;

class CollectionList {
public:
    CollectionList() = default;
    // A list of those records, in order (for tests and tools).
    explicit CollectionList(std::span<const SongRecord> records);

    qsizetype size() const { return qsizetype(songs_.size()); }
    bool empty() const { return songs_.empty(); }
    SongRecord at(qsizetype i) const;
    SongRecord operator[](qsizetype i) const { return at(i); }
    // The records from..to-1, made as at() makes them.
    std::vector<SongRecord> Records(qsizetype from, qsizetype to) const;

    const QString& Value(qsizetype i, SongField field) const {
        const Song& song = songs_[size_t(i)];
        if (field == SongField::FileName)
            return song.fileName;
        if (field == SongField::Title)
            return song.title;
        return texts_.Text(song.shared[SharedSlot(field)]);
    }
    // The number of the text of a shared field (not FileName or Title): equal numbers are
    // equal texts, and the numbers of a list run below TextCount().
    uint32_t TextNumber(qsizetype i, SongField field) const {
        return songs_[size_t(i)].shared[SharedSlot(field)];
    }
    uint32_t TextCount() const { return texts_.size(); }
    const QString& Text(uint32_t number) const { return texts_.Text(number); }

    // Hints for loops that visit scattered songs (the hits of a search): asking for the song
    // some steps ahead, and for its own texts a few steps later, hides the memory latency that
    // otherwise dominates making their rows. Nothing is read; any index below size() may be given.
    void PrefetchSong(qsizetype i) const { __builtin_prefetch(&songs_[size_t(i)]); }
    void PrefetchOwnTexts(qsizetype i) const {
        const Song& song = songs_[size_t(i)];
        PrefetchText(song.fileName);
        PrefetchText(song.title);
    }

    class const_iterator {
    public:
        // Records are made on demand, so a dereference gives a value: an input iterator to
        // the standard library before C++20, a forward one to C++20's ranges.
        using iterator_category = std::input_iterator_tag;
        using iterator_concept = std::forward_iterator_tag;
        using value_type = SongRecord;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = SongRecord;
        const_iterator() = default;
        const_iterator(const CollectionList* list, qsizetype i)
            : list_(list)
            , i_(i) {}
        SongRecord operator*() const { return list_->at(i_); }
        const_iterator& operator++() {
            ++i_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++i_;
            return before;
        }
        bool operator==(const const_iterator&) const = default;

    private:
        const CollectionList* list_ = nullptr;
        qsizetype i_ = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    void append(const SongRecord& record);
    // Appends a song whose shared values were numbered by ShareText / ShareLatin1Text of this
    // list (the order of SongField from Artist on); the fast way of a load.
    void appendShared(QString fileName, QString title,
                      const std::array<uint32_t, kSharedFieldCount>& shared);
    uint32_t ShareText(QStringView text) { return texts_.Share(text); }
    uint32_t ShareLatin1Text(QByteArrayView bytes) { return texts_.ShareLatin1(bytes); }

    void removeAt(qsizetype i);
    // Removes the records at the given indexes (any order, duplicates allowed) in one pass.
    void removeAll(std::vector<qsizetype> indexes);
    void replace(qsizetype i, const SongRecord& record);
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
    struct Song {
        QString fileName;
        QString title;
        std::array<uint32_t, kSharedFieldCount> shared{};
    };
    static size_t SharedSlot(SongField field) { return size_t(field) - 2; }
    const QString& folderOf(const Song& song) const {
        return texts_.Text(song.shared[SharedSlot(SongField::Folder)]);
    }
    Song make(const SongRecord& record);
    void ensureIndex() const;

    std::vector<Song> songs_;
    SharedTexts texts_;
    mutable RowIndex byKey_;
    mutable qsizetype indexed_ = 0; // songs 0..indexed_-1 are in byKey_ unless it is stale
    mutable bool indexStale_ = false;
    uint64_t revision_ = 0;
};

} // namespace orvane
