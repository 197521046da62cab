#include "browser/MenuImages.h"

#include <QFile>
#include <array>

namespace orvane {

namespace {

struct ImageNames {
    const char* fallback;
    const char* theme;
};

// Theme names are the standard freedesktop icon names where one exists.
constexpr std::array<ImageNames, size_t(MenuImage::Count)> kNames = {{
    {"orvane", "audio-x-generic"},
    {"albums", "media-optical"},
    {"artists", "avatar-default"},
    {"favourites", "starred"},
    {"genres", "folder-music"},
    {"myfiles", "drive-harddisk"},
    {"new", "document-new"},
    {"playing", "audio-speakers"},
    {"playlist", "view-list"},
    {"removed", "user-trash"},
    {"folder", "folder"},
    {"move", "go-jump"},
    {"delete", "edit-delete"},
    {"find", "edit-find"},
    {"help", "help-browser"},
    {"previous", "media-skip-backward"},
    {"play", "media-playback-start"},
    {"pause", "media-playback-pause"},
    {"stop", "media-playback-stop"},
    {"next", "media-skip-forward"},
    {"newplaylist", "list-add"},
    {"refresh", "view-refresh"},
    {"properties", "document-properties"},
    {"filters", "view-filter"},
    {"random", "media-playlist-shuffle"},
    {"options", "preferences-system"},
    {"exit", "application-exit"},
}};

} // namespace

QString TdmMenuImg::FallbackName(MenuImage image) {
    return QString::fromLatin1(kNames[size_t(image)].fallback);
}

QString TdmMenuImg::ThemeName(MenuImage image) {
    return QString::fromLatin1(kNames[size_t(image)].theme);
}

QIcon TdmMenuImg::Icon(MenuImage image) {
    static std::array<QIcon, size_t(MenuImage::Count)> cache;
    QIcon& icon = cache[size_t(image)];
    if (icon.isNull()) {
        const QIcon shipped(QStringLiteral(":/icons/%1.png").arg(FallbackName(image)));
        icon = QIcon::fromTheme(ThemeName(image), shipped);
        // A theme entry that exists but cannot be drawn (a format without its image plugin)
        // gives no pixmap: take the shipped picture then.
        if (icon.pixmap(16, 16).isNull())
            icon = shipped;
    }
    return icon;
}

} // namespace orvane
