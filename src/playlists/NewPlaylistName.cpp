#include "playlists/NewPlaylistName.h"

#include "platform/Paths.h"

#include <QFileInfo>

namespace orvane {

namespace {
bool CanNameFile(const QString& name) {
    for (QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || QStringView(u"/\\:*?\"<>|").contains(c))
            return false;
    return !name.isEmpty();
}
} // namespace

NewPlaylistChoice ChooseNewPlaylist(const QString& mp3Base, const QStringList& folders,
                                    bool folderChosen, const QString& typedName) {
    NewPlaylistChoice choice{typedName, {}, {}};
    if (typedName.isEmpty() || !folderChosen) {
        choice.Message = QStringLiteral("You must select a name and location first");
        return choice;
    }
    const QString stem = typedName.left(typedName.indexOf(u'.'));
    if (!CanNameFile(stem)) {
        choice.Message = QStringLiteral("\"%1\" cannot be a playlist name.\nUse a name that "
                                        "does not begin with a full stop and holds none of "
                                        "/ \\ : * ? \" < > |")
                             .arg(typedName);
        return choice;
    }
    choice.Name = stem + QStringLiteral(".m3u");
    QString path = WithTrailingSeparator(mp3Base);
    for (const QString& folder : folders)
        path += folder + kSeparator;
    path += choice.Name;
    const QFileInfo file(path);
    if (file.exists() || file.isSymLink())
        choice.Message = choice.Name + QStringLiteral(" already exists in specified directory.");
    else
        choice.Path = path;
    return choice;
}

} // namespace orvane
