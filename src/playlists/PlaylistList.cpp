#include "playlists/PlaylistList.h"

#include "platform/AsciiCase.h"
#include "platform/DirectoryWalk.h"

namespace orvane {

namespace {
const QString kPlaylistMark = QStringLiteral(".m3u");
} // namespace

void ListPlaylists(const QString& folder, PlaylistView& view) {
    WalkVisitor visitor;
    visitor.file = [&view](const QString& inFolder, const QString& name) {
        const qsizetype mark = name.indexOf(kPlaylistMark, 0, Qt::CaseInsensitive);
        // A name that only begins with the mark (".m3u") would have no name to show.
        if (mark > 0)
            view.push_back({name.left(mark), inFolder + name, inFolder});
    };
    WalkFolders(folder, WalkDepth::WholeTree, visitor);
}

int FindPlaylist(const QString& name, const QString& baseFolder, PlaylistView& view) {
    view.clear();
    ListPlaylists(baseFolder, view);
    for (size_t i = 0; i < view.size(); ++i)
        if (SameTextNoCase(view[i].Caption, name))
            return static_cast<int>(i);
    return -1;
}

} // namespace orvane
