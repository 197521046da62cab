#include "app/WorkingFolders.h"

#include "platform/Paths.h"

#include <QDir>

namespace orvane {

WorkingFolders WorkingFolders::At(const QString& programFolder) {
    WorkingFolders f;
    f.Program = WithTrailingSeparator(programFolder);
    f.Recycle = f.Program + QStringLiteral("recycle");
    f.Logs = f.Program + QStringLiteral("logs");
    f.Lib = f.Program + QStringLiteral("lib");
    return f;
}

namespace {
void EnsureFolder(const QString& path, const QString& failure, Prompts& prompts) {
    if (QDir(path).exists() || QDir().mkpath(path))
        return;
    prompts.warning(failure);
}
} // namespace

void PrepareWorkingFolders(const WorkingFolders& folders, Prompts& prompts) {
    EnsureFolder(folders.Recycle,
                 QStringLiteral("Unable to create Recycle bin directory\nMake sure Orvane can "
                                "write into it's base dir."),
                 prompts);
    EnsureFolder(folders.Logs,
                 QStringLiteral("Unable to create Log directory\nMake sure Orvane can write "
                                "into it's base dir."),
                 prompts);
}

} // namespace orvane
