#pragma once
// Walking a folder tree the way the collection walks do.
//
// Each folder is listed whole, its entries are taken in name order (without regard to case),
// and a sub-folder is walked where its entry comes (depth first). A folder is entered when it
// is a directory, or a symbolic link to one, whose name does not begin with "." (such names are
// hidden here); a folder already entered in this walk (same device and inode) is not entered
// again, so a link back up the tree is followed once at most. A folder that cannot be listed is
// skipped (and reported). The system's own trees /proc, /sys and /dev are never entered, also
// not through a link. Only regular files (or links to them) are reported as files: pipes,
// sockets and devices never are, since opening them could block. Names that are not valid in
// the file system's encoding (UTF-8) are skipped: no text could name them again.
//
// Runs on whatever thread calls it; the visitor's functions are called on that thread.

#include <QString>
#include <functional>

namespace orvane {

// A name that the walks treat as hidden: it begins with ".".
bool IsHiddenName(const QString& name);

enum class WalkDepth { WholeTree, FolderOnly };

struct WalkVisitor {
    // Asked before each entry and after each sub-folder; true ends the whole walk.
    std::function<bool()> stopRequested;
    // A folder is about to be listed (its path with trailing separator).
    std::function<void(const QString& folder)> enteringFolder;
    // A file entry: its folder (with trailing separator) and its name.
    std::function<void(const QString& folder, const QString& name)> file;
    // A folder that is there but could not be listed (permissions, I/O error), with trailing
    // separator. A folder that vanished while the walk ran is not reported.
    std::function<void(const QString& folder)> unreadableFolder;
};

// Walks root (an empty root is the root of the file system). False when the visitor stopped it.
bool WalkFolders(const QString& root, WalkDepth depth, const WalkVisitor& visitor);

// The folder is there and its entries can be listed.
bool CanListFolder(const QString& folder);

// For tests: while set, listing a folder (path with trailing separator) for which fails returns
// true fails as an unreadable folder does, also for a user whom permissions do not stop.
void SetFolderListingFailureForTests(std::function<bool(const QString& folder)> fails);

} // namespace orvane
