#include "support/FileBytes.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>

namespace orvane::test {

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool SetModified(const QString& path, const QDateTime& when) {
    const qint64 seconds = when.toSecsSinceEpoch();
    const timespec times[2] = {{time_t(seconds), 0}, {time_t(seconds), 0}};
    return utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

} // namespace orvane::test
