#include "platform/FileDates.h"

#include <QFile>
#include <ctime>
#include <sys/stat.h>

namespace orvane {

std::optional<qint64> FileModifiedSeconds(const QString& path) {
    // One stat: the time filter asks for every row it tests.
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return qint64(info.st_mtime);
}

std::optional<QDate> FileLocalDate(const QString& path) {
    const std::optional<qint64> modified = FileModifiedSeconds(path);
    if (!modified)
        return std::nullopt;
    const time_t seconds = time_t(*modified);
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &seconds) != 0)
        return std::nullopt;
#else
    if (!localtime_r(&seconds, &local))
        return std::nullopt;
#endif
    return QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::optional<qint64> FileAgeInDays(const QString& path, QDate today) {
    const std::optional<QDate> date = FileLocalDate(path);
    if (!date)
        return std::nullopt;
    return date->daysTo(today);
}

} // namespace orvane
