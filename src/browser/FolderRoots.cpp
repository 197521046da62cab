#include "browser/FolderRoots.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace orvane {

namespace {

const QStringList kNetworkTypes = {
    QStringLiteral("nfs"),        QStringLiteral("nfs4"),        QStringLiteral("cifs"),
    QStringLiteral("smb3"),       QStringLiteral("smbfs"),       QStringLiteral("fuse.sshfs"),
    QStringLiteral("fuse.davfs"), QStringLiteral("fuse.davfs2"), QStringLiteral("afs")};
const QStringList kMediaFolders = {QStringLiteral("/media/"), QStringLiteral("/mnt/"),
                                   QStringLiteral("/run/media/")};

// "\040" and the other octal escapes of the mount table.
QString Unescape(const QString& field) {
    QByteArray out;
    const QByteArray in = field.toUtf8();
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size()) {
            bool ok = false;
            const int code = in.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && code < 256) {
                out.append(char(code));
                i += 3;
                continue;
            }
        }
        out.append(in[i]);
    }
    return QString::fromUtf8(out);
}

QString Clean(const QString& path) {
    return path.isEmpty() ? path : QDir::cleanPath(path);
}

} // namespace

bool IsPseudoFileSystemFolder(const QString& path) {
    static const QStringList pseudo = {QStringLiteral("/proc"), QStringLiteral("/sys"),
                                       QStringLiteral("/dev"), QStringLiteral("/run")};
    return pseudo.contains(Clean(path));
}

std::vector<FolderRoot> FolderRootsFor(const QString& home, const QString& mp3Base,
                                       const QString& mountsText) {
    std::vector<FolderRoot> roots;
    const auto add = [&roots](const QString& path, const QString& caption) {
        const QString clean = Clean(path);
        if (clean.isEmpty())
            return;
        for (const FolderRoot& root : roots)
            if (root.Path == clean)
                return;
        roots.push_back({clean, caption});
    };
    add(home, QStringLiteral("Home"));
    add(mp3Base, QStringLiteral("MP3 folder"));
    add(QStringLiteral("/"), QStringLiteral("File system"));
    for (const QString& line : mountsText.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
        if (fields.size() < 3)
            continue;
        const QString point = Clean(Unescape(fields[1]));
        const bool network = kNetworkTypes.contains(fields[2]);
        bool medium = false;
        for (const QString& folder : kMediaFolders)
            medium = medium || point.startsWith(folder);
        if ((network || medium) && !IsPseudoFileSystemFolder(point))
            add(point, QFileInfo(point).fileName());
    }
    return roots;
}

std::vector<FolderRoot> SystemFolderRoots(const QString& mp3Base) {
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    QString text;
    // The table is a pseudo file: its size reads as 0, so it is read to its end.
    if (mounts.open(QIODevice::ReadOnly))
        text = QString::fromUtf8(mounts.readAll());
    return FolderRootsFor(QDir::homePath(), mp3Base, text);
}

} // namespace orvane
