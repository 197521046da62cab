#pragma once
// Which song commands the main window offers, from the state of its panes. Pure data.

#include "browser/ViewTable.h"

namespace orvane {

struct CommandContext {
    SongPage songPage = SongPage::Selection;
    CategoryPage categoryPage = CategoryPage::Genres;
    bool currentListHasSelection = false; // false also when there is no current song list
    bool timeFilterOn = false;
    bool collectionFilterActive = false;
};

struct CommandStates {
    // Delete, move, properties, add to playlist, add lyrics file, show all from artist/album.
    bool selected = false;
    // Play song, add to playing songs, add to favourites, covers, delete, move, WAV export:
    // as selected, but not while the category pane shows its "Playing" page.
    bool selectedNotPlayingPage = false;
    bool filterLabelVisible = false;
};

CommandStates ComputeCommandStates(const CommandContext& context);

} // namespace orvane
