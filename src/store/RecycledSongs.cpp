#include "store/RecycledSongs.h"

#include "platform/DirectoryWalk.h"
#include "store/Mp3FileNames.h"
#include "store/Scanner.h"

namespace orvane {

int AddRecycledSongs(SongStore& store, const QString& recycleFolder) {
    int handed = 0;
    WalkVisitor visitor;
    visitor.file = [&](const QString& folder, const QString& name) {
        if (!IsMp3FileName(name))
            return;
        AddScannedFile(store, folder + name);
        ++handed;
    };
    // An empty folder name would walk the file system's root: there is no recycle folder then.
    if (!recycleFolder.isEmpty())
        WalkFolders(ScanRoot(recycleFolder), WalkDepth::FolderOnly, visitor);
    return handed;
}

} // namespace orvane
