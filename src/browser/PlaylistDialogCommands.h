#pragma once
// The main window's playlist dialogs: File > "New Playlist" (Ctrl+N), the three "Add to
// playlist" commands (Actions menu, song pop-up, btnMove's menu) and Extra > "Random play"
// (Ctrl+R, btnAdvRandom).
//
// GUI thread only. The collection list and prompts must outlive the main window; playPlaylist
// plays a playlist file through the player.

#include "platform/Prompts.h"
#include "store/CollectionList.h"

#include <functional>

namespace orvane {

class TfrmMain;

void WirePlaylistDialogs(TfrmMain& main, const CollectionList& songs, Prompts& prompts,
                         std::function<void(const QString& playlist)> playPlaylist);

// Asks for a new playlist and creates it empty; an existing file is never touched.
void NewPlaylist1Click(TfrmMain& main, Prompts& prompts);
// Appends the current list's selected rows, in list order, to a playlist asked for. The rows
// are taken when the command is given: what the list shows after the dialog does not count.
void AddSelectionToPlaylist(TfrmMain& main, Prompts& prompts);

} // namespace orvane
