#include "store/DisplayFilter.h"

#include "platform/AsciiCase.h"
#include "platform/FileDates.h"

#include <QDateTime>
#include <ctime>

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

qint64 DisplayFilter::oldestKept(int maxDays) const {
    const qint64 now = std::time(nullptr);
    if (oldest_.mode != time_ || oldest_.fixedToday != fixedToday_ || now < oldest_.dayStart ||
        now >= oldest_.dayEnd) {
        const QDate today = Today();
        const auto midnight = [](QDate date) {
            return QDateTime(date, QTime(0, 0)).toSecsSinceEpoch();
        };
        oldest_ = {time_, fixedToday_, midnight(today), midnight(today.addDays(1)),
                   midnight(today.addDays(-maxDays))};
    }
    return oldest_.limit;
}

bool DisplayFilter::Passes(const SongRow& row) const {
    // "More than N days old" is a file date before today - N, that is a last-write time before
    // that day's local midnight: one stat per row and no date conversion.
    if (const int maxDays = MaxDaysOld(time_); maxDays >= 0) {
        const std::optional<qint64> modified = FileModifiedSeconds(row.Path());
        if (modified && *modified < oldestKept(maxDays))
            return false;
    }
    return Passes(row, std::nullopt);
}

bool DisplayFilter::Passes(const SongRow& row, std::optional<qint64> ageInDays) const {
    if (const int maxDays = MaxDaysOld(time_); maxDays >= 0 && ageInDays && *ageInDays > maxDays)
        return false;
    if (!CollectionShown(row.Collection))
        return false;
    return !test_ || test_(row);
}

} // namespace orvane
