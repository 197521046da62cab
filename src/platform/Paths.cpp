#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace orvane {

namespace {
qsizetype LastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
}
} // namespace

QString ProgramFolderFor(const QString& home, const QString& executableFolder,
                         const QString& dataHome) {
    if (!home.isEmpty())
        return WithTrailingSeparator(QDir(home).absolutePath());
    if (QFileInfo(WithTrailingSeparator(executableFolder) + QStringLiteral("portable")).isFile())
        return WithTrailingSeparator(executableFolder);
    return WithTrailingSeparator(dataHome) + QStringLiteral("brimtove/orvane/");
}

QString ProgramFolder() {
    return ProgramFolderFor(qEnvironmentVariable("ORVANE_HOME"),
                            QCoreApplication::applicationDirPath(),
                            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

QString ShippedDataIn(const QString& executableFolder, const QString& relative) {
    const QString executable = WithTrailingSeparator(executableFolder);
    for (const QString& folder : {executable, executable + QStringLiteral("../share/orvane/")})
        if (QFileInfo::exists(folder + relative))
            return QDir::cleanPath(folder + relative);
    return {};
}

QString ShippedData(const QString& programFolder, const QString& relative) {
    const QString found = ShippedDataIn(QCoreApplication::applicationDirPath(), relative);
    return found.isEmpty() ? WithTrailingSeparator(programFolder) + relative : found;
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
