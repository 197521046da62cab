#pragma once
// The main window's commands that move and delete song files: the Delete key's move into the
// removed songs (and deletion for good from there), Extra > "Clear removed songs", the three
// "Move to directory..." items and songs dropped on a folder of the disk-folder tree.
//
// Each batch works on copies of the rows chosen, runs behind the "Moving files" window, takes
// the rows whose files went out of the list and then reports what failed. The playing-songs
// list belongs to the player: its rows are never taken out here. GUI thread only; the store
// and the prompts must outlive the window.

#include "platform/Prompts.h"
#include "store/SongStore.h"

#include <functional>

namespace orvane {

class TfrmMain;

struct SongFileContext {
    SongStore& store;
    Prompts& prompts;
    QString recycleFolder;
    // Told when a batch starts (true) and when it has ended (false).
    std::function<void(bool running)> batchRunning;
};

// Sets main's hooks RemoveSongs and MoveSongsToFolder and the handlers of the commands.
void WireSongFileCommands(TfrmMain& main, SongFileContext context);

} // namespace orvane
