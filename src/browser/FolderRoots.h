#pragma once
// The top-level folders of the disk-folder tree ("My files"): the home folder, the MP3 base
// folder, the root of the file system and every mounted removable or network medium; and the
// pseudo file systems the tree never shows. Data logic: no widgets.

#include <QString>
#include <vector>

namespace orvane {

struct FolderRoot {
    QString Path;
    QString Caption;
    bool operator==(const FolderRoot&) const = default;
};

// mountsText is the mount table as /proc/self/mounts gives it ("device point type options
// ..." per line, blanks in names written \040). A medium is a mount under /media, /mnt or
// /run/media, or of a network file system. Folders named twice are listed once, first place.
std::vector<FolderRoot> FolderRootsFor(const QString& home, const QString& mp3Base,
                                       const QString& mountsText);
// The roots of this system now.
std::vector<FolderRoot> SystemFolderRoots(const QString& mp3Base);

// /proc, /sys, /dev and /run: folders of the system's own, not of files.
bool IsPseudoFileSystemFolder(const QString& path);

} // namespace orvane
