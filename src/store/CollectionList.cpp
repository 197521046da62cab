#include "store/CollectionList.h"

#include "platform/AsciiCase.h"
#include "platform/Paths.h"

#include <algorithm>
#include <atomic>

namespace orvane {

namespace {

// The folder hashed as WithTrailingSeparator would give it, so that both look-ups find their
// records in one bucket (an exact folder match is also a match with separators added).
size_t RowHash(const QString& fileName, const QString& folder) {
    const size_t h = HashNoCase(folder, HashNoCase(fileName) ^ 0x9e3779b97f4a7c15ull);
    return HasTrailingSeparator(folder) ? h : HashNoCase(QStringView(&kSeparator, 1), h);
}

// Folders compared upper-cased after a separator was added to each one that lacks it.
bool SameRowFolder(const QString& a, const QString& b) {
    const bool addA = !HasTrailingSeparator(a);
    const bool addB = !HasTrailingSeparator(b);
    if (a.size() + addA != b.size() + addB)
        return false;
    const qsizetype n = a.size() + addA;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ca = i < a.size() ? a[i] : kSeparator;
        const QChar cb = i < b.size() ? b[i] : kSeparator;
        if (AsciiUpperChar(ca.unicode()) != AsciiUpperChar(cb.unicode()))
            return false;
    }
    return true;
}

// Revisions are unique across all lists, so that a list given another's records by assignment
// also takes a revision that no other state of either list had.
uint64_t NextRevision() {
    static std::atomic<uint64_t> last{0};
    return ++last;
}

} // namespace

CollectionList::CollectionList(std::span<const SongRecord> records) {
    reserve(qsizetype(records.size()));
    for (const SongRecord& record : records)
        append(record);
}

CollectionList::Song CollectionList::make(const SongRecord& r) {
    return {r.FileName,
            r.Title,
            {texts_.Share(r.Artist), texts_.Share(r.Album), texts_.Share(r.Duration),
             texts_.Share(r.Year), texts_.Share(r.Genre), texts_.Share(r.Comment),
             texts_.Share(r.Folder), texts_.Share(r.Collection), texts_.Share(r.NewFlag)}};
}

SongRecord CollectionList::at(qsizetype i) const {
    const Song& song = songs_[size_t(i)];
    const auto text = [&](SongField field) -> const QString& {
        return texts_.Text(song.shared[SharedSlot(field)]);
    };
    return {song.fileName,
            song.title,
            text(SongField::Artist),
            text(SongField::Album),
            text(SongField::Duration),
            text(SongField::Year),
            text(SongField::Genre),
            text(SongField::Comment),
            text(SongField::Folder),
            text(SongField::Collection),
            text(SongField::NewFlag)};
}

std::vector<SongRecord> CollectionList::Records(qsizetype from, qsizetype to) const {
    std::vector<SongRecord> records;
    records.reserve(size_t(std::max<qsizetype>(0, to - from)));
    for (qsizetype i = from; i < to; ++i)
        records.push_back(at(i));
    return records;
}

void CollectionList::ensureIndex() const {
    if (indexStale_) {
        byKey_.clear();
        indexed_ = 0;
        indexStale_ = false;
    }
    if (indexed_ == size())
        return;
    // The hashes first, reading the songs in order; then the inserts, each asking ahead for the
    // slot of a later one.
    std::vector<size_t> hashes;
    hashes.reserve(size_t(size() - indexed_));
    for (qsizetype i = indexed_; i < size(); ++i) {
        const Song& song = songs_[size_t(i)];
        hashes.push_back(RowHash(song.fileName, folderOf(song)));
    }
    byKey_.reserve(size());
    constexpr size_t kAhead = 16;
    for (size_t k = 0; k < hashes.size(); ++k) {
        if (k + kAhead < hashes.size())
            byKey_.prefetch(hashes[k + kAhead]);
        byKey_.insert(hashes[k], indexed_ + qsizetype(k));
    }
    indexed_ = size();
}

void CollectionList::reserve(qsizetype n) {
    songs_.reserve(size_t(n));
}

void CollectionList::append(const SongRecord& record) {
    revision_ = NextRevision();
    songs_.push_back(make(record));
}

void CollectionList::appendShared(QString fileName, QString title,
                                  const std::array<uint32_t, kSharedFieldCount>& shared) {
    revision_ = NextRevision();
    songs_.push_back({std::move(fileName), std::move(title), shared});
}

void CollectionList::removeAt(qsizetype i) {
    revision_ = NextRevision();
    songs_.erase(songs_.begin() + i);
    indexStale_ = true;
}

void CollectionList::removeAll(std::vector<qsizetype> indexes) {
    if (indexes.empty())
        return;
    revision_ = NextRevision();
    std::sort(indexes.begin(), indexes.end());
    size_t kept = 0;
    auto next = indexes.begin();
    for (size_t i = 0; i < songs_.size(); ++i) {
        while (next != indexes.end() && *next < qsizetype(i))
            ++next;
        if (next != indexes.end() && *next == qsizetype(i))
            continue;
        if (kept != i)
            songs_[kept] = std::move(songs_[i]);
        ++kept;
    }
    songs_.resize(kept);
    indexStale_ = true;
}

void CollectionList::replace(qsizetype i, const SongRecord& record) {
    revision_ = NextRevision();
    Song& old = songs_[size_t(i)];
    const bool sameKey = old.fileName == record.FileName && folderOf(old) == record.Folder;
    if (!sameKey && !indexStale_ && i < indexed_) {
        byKey_.remove(RowHash(old.fileName, folderOf(old)), i);
        byKey_.insert(RowHash(record.FileName, record.Folder), i);
    }
    old = make(record);
}

void CollectionList::clear() {
    revision_ = NextRevision();
    songs_.clear();
    texts_.clear();
    byKey_.clear();
    indexed_ = 0;
    indexStale_ = false;
}

qsizetype CollectionList::FindSong(qsizetype index) const {
    if (index < 0 || index >= size())
        return -1;
    const Song& song = songs_[size_t(index)];
    return FindFile(song.fileName, folderOf(song));
}

qsizetype CollectionList::FindFile(const QString& fileName, const QString& folder) const {
    ensureIndex();
    qsizetype first = -1;
    byKey_.forEach(RowHash(fileName, folder), [&](qsizetype row) {
        const Song& other = songs_[size_t(row)];
        if ((first < 0 || row < first) && SameTextNoCase(other.fileName, fileName) &&
            SameTextNoCase(folderOf(other), folder))
            first = row;
    });
    return first;
}

qsizetype CollectionList::FindSongForRow(const SongRow& row) const {
    ensureIndex();
    qsizetype last = -1;
    byKey_.forEach(RowHash(row.FileName, row.Folder), [&](qsizetype i) {
        const Song& other = songs_[size_t(i)];
        if (i > last && SameTextNoCase(other.fileName, row.FileName) &&
            SameRowFolder(folderOf(other), row.Folder))
            last = i;
    });
    return last;
}

} // namespace orvane
