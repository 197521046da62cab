#include "store/BrowseLists.h"

#include "platform/AsciiCase.h"

#include <algorithm>

namespace orvane {

qsizetype BrowseList::find(const QString& name, size_t hash) const {
    qsizetype found = -1;
    keys_.forEach(hash, [&](qsizetype i) {
        if (found < 0 && SameTextNoCase(entries_[size_t(i)].Name, name))
            found = i;
    });
    return found;
}

bool BrowseList::Add(const QString& name, const QString& extra) {
    const size_t hash = HashNoCase(name);
    if (find(name, hash) >= 0)
        return false;
    keys_.insert(hash, qsizetype(entries_.size()));
    entries_.push_back({name, extra});
    sortedStale_ = true;
    return true;
}

bool BrowseList::Contains(const QString& name) const {
    return find(name, HashNoCase(name)) >= 0;
}

void BrowseList::Clear() {
    entries_.clear();
    keys_.clear();
    sorted_.clear();
    sortedStale_ = false;
    ++generation_;
}

const std::vector<BrowseEntry>& BrowseList::Sorted() const {
    if (sortedStale_) {
        sorted_ = entries_;
        std::stable_sort(sorted_.begin(), sorted_.end(),
                         [](const BrowseEntry& a, const BrowseEntry& b) {
                             return QString::localeAwareCompare(a.Name, b.Name) < 0;
                         });
        sortedStale_ = false;
    }
    return sorted_;
}

void BrowseLists::Clear() {
    Genres.Clear();
    Albums.Clear();
    Artists.Clear();
}

void RegisterBrowseKeys(BrowseLists& lists, const SongRecord& record) {
    RegisterBrowseKeys(lists, record.Genre, record.Album, record.Artist);
}

void RegisterBrowseKeys(BrowseLists& lists, const QString& genre, const QString& album,
                        const QString& artist) {
    lists.Genres.Add(genre);
    lists.Albums.Add(album, artist);
    lists.Artists.Add(artist);
}

} // namespace orvane
