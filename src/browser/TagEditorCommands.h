#pragma once
// The tag editor reached from the main window: Actions > "Song properties..." (Ctrl+E), the
// song lists' "Properties..." and the tool button brAdvProperties open TfrmTag on the selected
// rows of the current song list; Edit > "Undo tag changes" (Alt+Backspace, which a focused text
// field keeps for itself) puts back what the last save replaced. After either, the rows of both
// song lists that show a written file get the texts the file now holds.
//
// GUI thread only. A child of the main window; the store and the prompts must outlive it.

#include "store/TagEditor.h"

#include <QObject>
#include <functional>

namespace orvane {

class Prompts;
class TfrmMain;
struct SongStore;

class TagEditorCommands : public QObject {
    Q_OBJECT
public:
    // Sets the handlers of the three opening commands and of the undo command.
    TagEditorCommands(TfrmMain& main, SongStore& store, Prompts& prompts);

    // After a save or an undo wrote files: the browse lists built from the records are stale.
    std::function<void()> OnTagsChanged;

    // Opens the dialog on the current song list's selected rows; nothing without one.
    void OpenTagEditor();
    // Undoes the last save, unless one of its files changed since (the user is told).
    void UndoTagChanges();
    const TagUndo& LastSave() const { return undo_; }

private:
    void showOutcome(const TagWriteOutcome& outcome);
    // The undo command is offered while there is a save whose files are as it left them.
    void updateUndoCommand();

    TfrmMain& main_;
    SongStore& store_;
    Prompts& prompts_;
    TagUndo undo_;
};

} // namespace orvane
