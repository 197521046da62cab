#pragma once
// The one test every row passes before it enters a song view: the time filter (files changed
// in the last 7, 14 or 31 days), then the collection filter (collections the user hid). Every
// view, search and playlist reader builds its rows through MakeSongRow, which applies it.
//
// GUI thread only (the filter is changed by the window's commands between rebuilds).

#include "store/SongRow.h"

#include <QDate>
#include <QSet>
#include <QStringList>
#include <functional>
#include <optional>

namespace orvane {

// The time filters of View > "Current view": none, 7 days, 14 days, a month (31 days).
enum class TimeFilter { None = 0, Days7 = 1, Days14 = 2, Month = 3 };

// The entry of the user's own collection in the collection filter list.
inline const QString kOwnCollectionEntry = QStringLiteral("Local.orv;1");

// A collection is hidden when an entry "name;0" names it (ASCII letters without regard to
// case); the flag is the character right after the first ";". Every other collection, songs a
// scan added in this run ("Localcollection") included, is shown.
bool IsCollectionShown(const QStringList& collectionFilter, const QString& collection);
// The name of an entry (the text before its first ";"), and whether its flag hides it.
QString CollectionEntryName(const QString& entry);
bool IsHiddenCollectionEntry(const QString& entry);

class DisplayFilter {
public:
    using Test = std::function<bool(const SongRow& row)>;

    // The time test reads the row's file date once: a file changed more than the filter's
    // number of days ago (calendar days, local time) fails; one changed exactly that many days
    // ago, one dated in the future and one whose date cannot be read (missing file) pass.
    // Then the collection test, then the extra test when one is set.
    bool Passes(const SongRow& row) const;
    // The same for a row whose file age (days) the caller has just read, so it is not read again.
    bool Passes(const SongRow& row, std::optional<qint64> ageInDays) const;

    void SetTimeFilter(TimeFilter filter) { time_ = filter; }
    TimeFilter Time() const { return time_; }
    // The collection filter list: "name;1" (shown) or "name;0" (hidden) per collection.
    void SetCollectionFilter(QStringList entries);
    const QStringList& CollectionFilter() const { return collections_; }
    bool CollectionShown(const QString& collection) const;

    // An extra test after the filters (an empty one lets every row pass).
    void SetTest(Test test) { test_ = std::move(test); }
    bool HasTest() const { return bool(test_); }

    // The day the time filter counts from; the current local date unless set (tests).
    QDate Today() const;
    void SetTodayForTests(QDate today) { fixedToday_ = today; }

private:
    TimeFilter time_ = TimeFilter::None;
    QStringList collections_;
    QSet<QString> hidden_; // upper-cased names of the hidden collections
    Test test_;
    QDate fixedToday_;

    // The earliest last-write time (seconds since the epoch) the time filter keeps: local
    // midnight of the oldest date kept. Worked out once per day and filter, not per row.
    qint64 oldestKept(int maxDays) const;
    struct OldestKept {
        TimeFilter mode = TimeFilter::None;
        QDate fixedToday;
        qint64 dayStart = 0; // today's local midnight
        qint64 dayEnd = 0;   // tomorrow's
        qint64 limit = 0;
    };
    mutable OldestKept oldest_;
};

// The most days old a file may be under the filter (-1: no limit).
int MaxDaysOld(TimeFilter filter);

} // namespace orvane
