#include "store/TagWriteThrough.h"

#include "platform/Paths.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>

namespace orvane {

int EditThroughCopy(const QString& path, const std::function<int(const QString& copy)>& edit) {
    const QFileInfo info(path);
    if (!info.isFile())
        return ENOENT;
    const QString copy = WithTrailingSeparator(info.absolutePath()) + u'.' + info.fileName() +
                         QStringLiteral(".orvane-tag");
    QFile::remove(copy);
    // QFile::copy keeps the permissions of the song.
    if (!QFile::copy(path, copy)) {
        QFile::remove(copy);
        return EIO;
    }
    int error = edit(copy);
    if (error == 0 &&
        std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(path).constData()) != 0)
        error = errno != 0 ? errno : EIO;
    if (error != 0)
        QFile::remove(copy);
    return error;
}

} // namespace orvane
