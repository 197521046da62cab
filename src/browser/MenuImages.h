#pragma once
// TdmMenuImg: the images of the main window's menus, toolbars and folder tree. Each image is
// taken from the desktop's icon theme when it has one of that name, else from the small
// pictures that ship with the program (data/icons, compiled in), so the window looks complete
// on any desktop. GUI thread only.

#include <QIcon>
#include <QString>

namespace orvane {

enum class MenuImage {
    Orvane, // the program and the start page
    Albums,
    Artists,
    Favourites,
    Genres,
    MyFiles,
    NewSongs,
    Playing,
    Playlist,
    RemovedSongs,
    Folder,
    Move,
    Delete,
    Find,
    Help,
    Previous,
    Play,
    Pause,
    Stop,
    Next,
    NewPlaylist,
    Refresh,
    Properties,
    Filters,
    Random,
    Options,
    Exit,
    Count
};

class TdmMenuImg {
public:
    static QIcon Icon(MenuImage image);
    // The file name of the shipped picture ("albums" for :/icons/albums.png) and the theme's
    // name for the image.
    static QString FallbackName(MenuImage image);
    static QString ThemeName(MenuImage image);
};

} // namespace orvane
