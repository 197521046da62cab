#include "store/CollectionList.h"

#include "platform/AsciiCase.h"
#include "platform/Paths.h"

namespace orvane {

namespace {

size_t SongHash(const QString& fileName, const QString& folder) {
    return HashNoCase(folder, HashNoCase(fileName) ^ 0x9e3779b97f4a7c15ull);
}

// The folder hashed as WithTrailingSeparator would give it.
size_t RowHash(const QString& fileName, const QString& folder) {
    const size_t h = SongHash(fileName, folder);
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

} // namespace

void CollectionList::index(qsizetype i) const {
    const SongRecord& r = records_[size_t(i)];
    const size_t songHash = SongHash(r.FileName, r.Folder);
    if (findFirst(r.FileName, r.Folder, songHash) < 0)
        firstByKey_.insert(songHash, i);
    const size_t rowHash = RowHash(r.FileName, r.Folder);
    // Keep one entry per key: the latest record replaces the earlier one of the same file.
    auto [it, end] = lastByRowKey_.equal_range(rowHash);
    for (; it != end; ++it) {
        const SongRecord& other = records_[size_t(it.value())];
        if (SameTextNoCase(other.FileName, r.FileName) && SameRowFolder(other.Folder, r.Folder)) {
            it.value() = i;
            return;
        }
    }
    lastByRowKey_.insert(rowHash, i);
}

void CollectionList::ensureIndex() const {
    if (!indexStale_)
        return;
    firstByKey_.clear();
    lastByRowKey_.clear();
    firstByKey_.reserve(size());
    lastByRowKey_.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        index(i);
    indexStale_ = false;
}

qsizetype CollectionList::findFirst(const QString& fileName, const QString& folder,
                                    size_t hash) const {
    for (auto [it, end] = firstByKey_.equal_range(hash); it != end; ++it) {
        const SongRecord& other = records_[size_t(it.value())];
        if (SameTextNoCase(other.FileName, fileName) && SameTextNoCase(other.Folder, folder))
            return it.value();
    }
    return -1;
}

qsizetype CollectionList::findLastForRow(const QString& fileName, const QString& folder,
                                         size_t hash) const {
    for (auto [it, end] = lastByRowKey_.equal_range(hash); it != end; ++it) {
        const SongRecord& other = records_[size_t(it.value())];
        if (SameTextNoCase(other.FileName, fileName) && SameRowFolder(other.Folder, folder))
            return it.value();
    }
    return -1;
}

void CollectionList::append(SongRecord record) {
    records_.push_back(std::move(record));
    if (!indexStale_)
        index(size() - 1);
}

void CollectionList::removeAt(qsizetype i) {
    records_.erase(records_.begin() + i);
    indexStale_ = true;
}

void CollectionList::replace(qsizetype i, SongRecord record) {
    SongRecord& old = records_[size_t(i)];
    const bool sameKey = old.FileName == record.FileName && old.Folder == record.Folder;
    old = std::move(record);
    if (!sameKey)
        indexStale_ = true;
}

void CollectionList::clear() {
    records_.clear();
    firstByKey_.clear();
    lastByRowKey_.clear();
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
    return findFirst(fileName, folder, SongHash(fileName, folder));
}

qsizetype CollectionList::FindSongForRow(const SongRow& row) const {
    ensureIndex();
    return findLastForRow(row.FileName, row.Folder, RowHash(row.FileName, row.Folder));
}

} // namespace orvane
