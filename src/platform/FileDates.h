#pragma once
// The date of a file's last change, in local time, as the time filters count days by it.
// Any thread.

#include <QDate>
#include <QString>
#include <optional>

namespace orvane {

// The file's last-write time in whole seconds since the epoch; nothing when the file cannot be
// examined (missing, a folder on the way that is not one, a broken link).
std::optional<qint64> FileModifiedSeconds(const QString& path);

// The local calendar date of the file's last-write time; nothing when the file cannot be
// examined (missing, a folder on the way that is not one, a broken link).
std::optional<QDate> FileLocalDate(const QString& path);

// Whole calendar days from the file's date to today (negative for a date in the future);
// nothing when the date cannot be read.
std::optional<qint64> FileAgeInDays(const QString& path, QDate today);

} // namespace orvane
