#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace orvane {

namespace {
qsizetype LastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
}
} // namespace

QString ProgramFolder() {
    const QString home = qEnvironmentVariable("ORVANE_HOME");
    if (!home.isEmpty())
        return WithTrailingSeparator(QDir(home).absolutePath());
    return WithTrailingSeparator(QCoreApplication::applicationDirPath());
}

QString ShippedData(const QString& programFolder, const QString& relative) {
    const QString executable = WithTrailingSeparator(QCoreApplication::applicationDirPath());
    for (const QString& folder : {WithTrailingSeparator(programFolder), executable,
                                  executable + QStringLiteral("../share/orvane/")})
        if (QFileInfo::exists(folder + relative))
            return QDir::cleanPath(folder + relative);
    return WithTrailingSeparator(programFolder) + relative;
}

bool HasTrailingSeparator(const QString& folder) {
    return folder.endsWith(u'/') || folder.endsWith(u'\\');
}

QString WithTrailingSeparator(const QString& folder) {
    return HasTrailingSeparator(folder) ? folder : folder + kSeparator;
}

QString FileNamePart(const QString& path) {
    return path.mid(LastSeparator(path) + 1);
}

QString FolderPart(const QString& path) {
    return path.left(LastSeparator(path) + 1);
}

} // namespace orvane
