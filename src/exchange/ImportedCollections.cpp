#include "exchange/ImportedCollections.h"

#include "platform/DirectoryWalk.h"
#include "platform/Paths.h"
#include "platform/TextLines.h"
#include "store/CacheFile.h"
#include "store/DisplayFilter.h"
#include "store/Mp3FileNames.h"
#include "store/MpegAudio.h"
#include "store/SongStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace orvane {

namespace {

const QString kCollectionExtension = QStringLiteral(".orv");
// The longest file name most file systems take, in bytes of its encoded form.
constexpr qsizetype kMaxFileNameBytes = 255;

bool IsPlainFileName(const QString& name) {
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\') && name != u"." &&
           name != u"..";
}

} // namespace

QString LibFolder(const QString& programFolder) {
    return WithTrailingSeparator(programFolder) + QStringLiteral("lib") + kSeparator;
}

bool EnsureLibFolder(const QString& libFolder) {
    const QFileInfo info(libFolder);
    if (info.isDir())
        return true;
    return !info.exists() && QDir().mkpath(libFolder);
}

QStringList LoadImportedCollections(const QString& libFolder, CollectionList& songs,
                                    BrowseLists& browse) {
    QStringList filter{kOwnCollectionEntry};
    const QDir lib(libFolder);
    const QStringList files =
        lib.entryList({QStringLiteral("*") + kCollectionExtension},
                      QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : files) {
        LoadCacheFile(lib.filePath(name), songs, false, browse);
        filter.append(name + QStringLiteral(";1"));
    }
    return filter;
}

bool CollectionEntryShown(const QString& entry) {
    const qsizetype semicolon = entry.indexOf(u';');
    return semicolon >= 0 && semicolon + 1 < entry.size() && entry[semicolon + 1] == u'1';
}

bool CollectionFilterActive(const QStringList& collectionFilter) {
    return std::any_of(collectionFilter.begin(), collectionFilter.end(), IsHiddenCollectionEntry);
}

QStringList WithCollectionChecks(const QStringList& collectionFilter,
                                 const std::vector<bool>& checked) {
    QStringList result = collectionFilter;
    for (qsizetype i = 0; i < result.size() && size_t(i) < checked.size(); ++i)
        result[i] = CollectionEntryName(result[i]) +
                    (checked[size_t(i)] ? QStringLiteral(";1") : QStringLiteral(";0"));
    return result;
}

bool DeleteCollectionFile(const QString& libFolder, const QString& name) {
    if (!IsPlainFileName(name))
        return false;
    const QString path = WithTrailingSeparator(libFolder) + name;
    // Only a file is a collection: a folder or a link to one is never removed.
    const QFileInfo info(path);
    if (!info.isFile() && !info.isSymLink())
        return false;
    return QFile::remove(path);
}

QString LocationNameProblem(const QString& name) {
    if (name.trimmed().isEmpty())
        return QStringLiteral("Please type a location name.");
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(QStringLiteral("..")))
        return QStringLiteral("The location name may not hold \"/\", \"\\\" or \"..\": the "
                              "collection is stored as a file in the lib folder.");
    for (const QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.category() == QChar::Other_Control)
            return QStringLiteral("The location name may not hold control characters.");
    if (QFile::encodeName(name + kCollectionExtension).size() > kMaxFileNameBytes)
        return QStringLiteral("The location name is too long for a file name.");
    return {};
}

QString CollectionFilePath(const QString& libFolder, const QString& name) {
    return WithTrailingSeparator(libFolder) + name + kCollectionExtension;
}

ImportWalkResult ImportWalk(const QString& folder, const ImportWalkControl& control) {
    ImportWalkResult result;
    TMPEGAudio mpeg; // the walk's own reader: the shared one belongs to the GUI thread
    mpeg.SetSearchLimit(kScanSearchLimit);
    const QString root = WithTrailingSeparator(folder);
    WalkVisitor visitor;
    visitor.stopRequested = [&] {
        return control.stopRequested && control.stopRequested();
    };
    visitor.enteringFolder = [&](const QString& current) {
        if (control.progress)
            control.progress(qsizetype(result.songs.size()), current);
    };
    visitor.unreadableFolder = [&](const QString& current) {
        if (current == root)
            result.rootUnreadable = true;
    };
    visitor.file = [&](const QString& current, const QString& name) {
        if (!IsMp3FileName(name))
            return;
        const QString path = current + name;
        // No line of a cache file could name it faithfully.
        if (HasLineBreak(path))
            return;
        mpeg.SetFileName(path);
        if (mpeg.FileSize() == 0 && !QFileInfo(path).isFile())
            return; // gone since the folder was listed
        result.songs.push_back(SongRecord{
            name, mpeg.Title(), mpeg.Artist(), mpeg.Album(), DurationText(mpeg.Duration()),
            mpeg.Year(), mpeg.GenreName(), mpeg.Comment(), current, QString(), QString()});
        if (control.progress && result.songs.size() % 64 == 0)
            control.progress(qsizetype(result.songs.size()), current);
    };
    result.cancelled = !WalkFolders(root, WalkDepth::WholeTree, visitor);
    if (!CanListFolder(root))
        result.rootUnreadable = true;
    return result;
}

ImportReport ImportCollectionInto(const QString& libFolder, const QString& folder,
                                  const QString& name, const ImportWalkControl& control) {
    ImportReport report;
    report.file = CollectionFilePath(libFolder, name);
    if (!LocationNameProblem(name).isEmpty())
        return report;
    ImportWalkResult walked = ImportWalk(folder, control);
    report.songs = qsizetype(walked.songs.size());
    report.rootUnreadable = walked.rootUnreadable;
    if (walked.cancelled) {
        report.outcome = ImportOutcome::Cancelled;
        return report;
    }
    report.outcome = SaveCacheFile(report.file, walked.songs) ? ImportOutcome::Written
                                                              : ImportOutcome::WriteFailed;
    return report;
}

QString ImportReportText(const ImportReport& report, const QString& folder, const QString& name) {
    const QString place = QDir::toNativeSeparators(folder);
    switch (report.outcome) {
    case ImportOutcome::Cancelled:
        return {};
    case ImportOutcome::Refused:
        return LocationNameProblem(name);
    case ImportOutcome::WriteFailed:
        return QStringLiteral("Could not write the collection file\n%1\nNothing was imported.")
            .arg(QDir::toNativeSeparators(report.file));
    case ImportOutcome::Written:
        break;
    }
    const QString later =
        QStringLiteral("\nThe collection \"%1\" is shown from the next start.").arg(name);
    if (report.rootUnreadable)
        return QStringLiteral("The folder\n%1\ncould not be read: the collection was written "
                              "without songs.")
                   .arg(place) +
               later;
    if (report.songs == 0)
        return QStringLiteral("No MP3 files were found in\n%1\nThe collection was written "
                              "without songs.")
                   .arg(place) +
               later;
    return QStringLiteral("%1 song(s) were imported from\n%2").arg(report.songs).arg(place) + later;
}

} // namespace orvane
