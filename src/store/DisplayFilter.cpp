#include "store/DisplayFilter.h"

#include "platform/AsciiCase.h"
#include "platform/FileDates.h"

namespace orvane {

QString CollectionEntryName(const QString& entry) {
    const qsizetype semicolon = entry.indexOf(u';');
    return semicolon < 0 ? entry : entry.left(semicolon);
}

bool IsHiddenCollectionEntry(const QString& entry) {
    const qsizetype semicolon = entry.indexOf(u';');
    return semicolon >= 0 && semicolon + 1 < entry.size() && entry[semicolon + 1] == u'0';
}

bool IsCollectionShown(const QStringList& collectionFilter, const QString& collection) {
    DisplayFilter filter;
    filter.SetCollectionFilter(collectionFilter);
    return filter.CollectionShown(collection);
}

int MaxDaysOld(TimeFilter filter) {
    switch (filter) {
    case TimeFilter::Days7:
        return 7;
    case TimeFilter::Days14:
        return 14;
    case TimeFilter::Month:
        return 31;
    case TimeFilter::None:
        break;
    }
    return -1;
}

void DisplayFilter::SetCollectionFilter(QStringList entries) {
    collections_ = std::move(entries);
    hidden_.clear();
    for (const QString& entry : collections_)
        if (IsHiddenCollectionEntry(entry))
            hidden_.insert(AsciiUpper(CollectionEntryName(entry)));
}

bool DisplayFilter::CollectionShown(const QString& collection) const {
    return hidden_.isEmpty() || !hidden_.contains(AsciiUpper(collection));
}

QDate DisplayFilter::Today() const {
    return fixedToday_.isValid() ? fixedToday_ : QDate::currentDate();
}

bool DisplayFilter::Passes(const SongRow& row) const {
    if (MaxDaysOld(time_) < 0)
        return Passes(row, std::nullopt);
    return Passes(row, FileAgeInDays(row.Path(), Today()));
}

bool DisplayFilter::Passes(const SongRow& row, std::optional<qint64> ageInDays) const {
    if (const int maxDays = MaxDaysOld(time_); maxDays >= 0 && ageInDays && *ageInDays > maxDays)
        return false;
    if (!CollectionShown(row.Collection))
        return false;
    return !test_ || test_(row);
}

} // namespace orvane
