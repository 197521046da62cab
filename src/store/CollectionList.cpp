#include "store/CollectionList.h"

#include "platform/AsciiCase.h"
#include "platform/Paths.h"

namespace orvane {

CollectionList::Key CollectionList::SongKey(const QString& fileName, const QString& folder) {
    return {AsciiUpper(fileName), AsciiUpper(folder)};
}

CollectionList::Key CollectionList::RowKey(const QString& fileName, const QString& folder) {
    return {AsciiUpper(fileName), AsciiUpper(WithTrailingSeparator(folder))};
}

void CollectionList::index(qsizetype i) const {
    const SongRecord& r = records_[size_t(i)];
    Key key = SongKey(r.FileName, r.Folder);
    if (!firstByKey_.contains(key))
        firstByKey_.insert(std::move(key), i);
    lastByRowKey_.insert(RowKey(r.FileName, r.Folder), i);
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
    return firstByKey_.value(SongKey(fileName, folder), -1);
}

qsizetype CollectionList::FindSongForRow(const SongRow& row) const {
    ensureIndex();
    return lastByRowKey_.value(RowKey(row.FileName, row.Folder), -1);
}

} // namespace orvane
