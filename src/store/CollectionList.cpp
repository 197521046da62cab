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

void CollectionList::index(qsizetype i) const {
    const SongRecord& r = records_[size_t(i)];
    byKey_.insert(RowHash(r.FileName, r.Folder), i);
}

void CollectionList::ensureIndex() const {
    if (!indexStale_)
        return;
    byKey_.clear();
    byKey_.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        index(i);
    indexStale_ = false;
}

void CollectionList::reserve(qsizetype n) {
    records_.reserve(size_t(n));
    if (!indexStale_)
        byKey_.reserve(n);
}

void CollectionList::append(SongRecord record) {
    revision_ = NextRevision();
    records_.push_back(std::move(record));
    if (!indexStale_)
        index(size() - 1);
}

void CollectionList::removeAt(qsizetype i) {
    revision_ = NextRevision();
    records_.erase(records_.begin() + i);
    indexStale_ = true;
}

void CollectionList::removeAll(std::vector<qsizetype> indexes) {
    if (indexes.empty())
        return;
    revision_ = NextRevision();
    std::sort(indexes.begin(), indexes.end());
    size_t kept = 0;
    auto next = indexes.begin();
    for (size_t i = 0; i < records_.size(); ++i) {
        while (next != indexes.end() && *next < qsizetype(i))
            ++next;
        if (next != indexes.end() && *next == qsizetype(i))
            continue;
        if (kept != i)
            records_[kept] = std::move(records_[i]);
        ++kept;
    }
    records_.resize(kept);
    indexStale_ = true;
}

void CollectionList::replace(qsizetype i, SongRecord record) {
    revision_ = NextRevision();
    SongRecord& old = records_[size_t(i)];
    const bool sameKey = old.FileName == record.FileName && old.Folder == record.Folder;
    if (!sameKey && !indexStale_) {
        byKey_.remove(RowHash(old.FileName, old.Folder), i);
        byKey_.insert(RowHash(record.FileName, record.Folder), i);
    }
    old = std::move(record);
}

void CollectionList::clear() {
    revision_ = NextRevision();
    records_.clear();
    byKey_.clear();
    indexStale_ = false;
}

qsizetype CollectionList::FindSong(qsizetype index) const {
    if (index < 0 || index >= size())
        return -1;
    const SongRecord& r = records_[size_t(index)];
    return FindFile(r.FileName, r.Folder);
}

qsizetype CollectionList::FindFile(const QString& fileName, const QString& folder) const {
    ensureIndex();
    qsizetype first = -1;
    byKey_.forEach(RowHash(fileName, folder), [&](qsizetype row) {
        const SongRecord& other = records_[size_t(row)];
        if ((first < 0 || row < first) && SameTextNoCase(other.FileName, fileName) &&
            SameTextNoCase(other.Folder, folder))
            first = row;
    });
    return first;
}

qsizetype CollectionList::FindSongForRow(const SongRow& row) const {
    ensureIndex();
    qsizetype last = -1;
    byKey_.forEach(RowHash(row.FileName, row.Folder), [&](qsizetype i) {
        const SongRecord& other = records_[size_t(i)];
        if (i > last && SameTextNoCase(other.FileName, row.FileName) &&
            SameRowFolder(other.Folder, row.Folder))
            last = i;
    });
    return last;
}

} // namespace orvane
