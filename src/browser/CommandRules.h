#pragma once
// Which song commands the main window offers, from the state of its panes. Pure data.

#include "browser/ViewTable.h"

#include <QString>

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

// When a command of the window may be used. Song commands need a selected row of the current
// song list; the rest are always available (once their handler exists).
enum class CommandRule { Always, Selected, SelectedNotPlayingPage };

// The rule of a menu item or toolbar button, by its component name ("btnDelete", "Delete1").
CommandRule RuleOfCommand(QStringView name);
bool IsCommandEnabled(CommandRule rule, const CommandStates& states);

// What the Delete key does in the main song list of a view.
enum class DeleteKeyAction {
    Nothing,
    MoveToRemovedSongs,   // asked even without a selected row
    RemoveFromFavourites, // only with a selected row
    RemoveFromPlaylist,   // only with a selected row
};

DeleteKeyAction DeleteKeyActionFor(ViewKind view, bool hasSelectedRow);

// The question asked before the action; empty for Nothing.
QString DeleteKeyQuestion(DeleteKeyAction action);

// Where songs dragged from the current song list onto a node of the folder tree go, by the
// text of the node's top folder (empty for the root).
enum class FolderDropAction { Nothing, AddToFavourites, AddToPlayingSongs };
FolderDropAction FolderDropActionFor(const QString& topFolderText);

} // namespace orvane
