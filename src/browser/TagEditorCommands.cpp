#include "browser/TagEditorCommands.h"

#include "browser/TfrmMain.h"
#include "browser/TfrmTag.h"
#include "platform/Prompts.h"

#include <QMenu>

namespace orvane {

namespace {
const QString kUndoHandler = QStringLiteral("Undotagchanges1Click");
}

TagEditorCommands::TagEditorCommands(TfrmMain& main, SongStore& store, Prompts& prompts)
    : QObject(&main)
    , main_(main)
    , store_(store)
    , prompts_(prompts) {
    for (const char* handler : {"TagEditor2Click", "Tageditor1Click"})
        main_.SetHandler(QString::fromLatin1(handler), [this] { OpenTagEditor(); });
    if (QMenu* edit = main_.Menu(QStringLiteral("Edit1")))
        connect(edit, &QMenu::aboutToShow, this, &TagEditorCommands::updateUndoCommand);
    updateUndoCommand();
}

void TagEditorCommands::OpenTagEditor() {
    TSongListView* list = main_.CurrentSongList();
    if (!list || !list->HasSelectedRow())
        return;
    // The files of the rows as shown now: the save writes these files, whatever happens to the
    // list while the dialog is open.
    std::vector<TagTarget> targets;
    for (int row : list->SelectedRows())
        targets.push_back(TagTarget::OfRow(list->Songs()->Row(row)));
    TfrmTag dialog(store_, prompts_, undo_, &main_);
    dialog.ShowFor(std::move(targets));
    dialog.exec();
    showOutcome(dialog.Outcome());
}

void TagEditorCommands::UndoTagChanges() {
    if (undo_.Empty())
        return;
    if (const QString changed = undo_.ChangedFile(); !changed.isEmpty()) {
        undo_.Clear();
        updateUndoCommand();
        prompts_.information(QStringLiteral("The tag changes cannot be undone: this file "
                                            "changed since they were saved:\n") +
                             changed);
        return;
    }
    const TagWriteOutcome outcome = undo_.Undo(store_);
    showOutcome(outcome);
    if (outcome.Failed > 0)
        prompts_.information(TagFailureMessage(outcome.Failed));
}

void TagEditorCommands::showOutcome(const TagWriteOutcome& outcome) {
    if (!outcome.Saved.empty()) {
        // Found by path in the rows as they stand now: the lists may have been refilled or
        // sorted while the dialog was open.
        for (TSongListView* list : {main_.lvSelection(), main_.lvPlayingSongs()})
            for (auto& [row, texts] : RowsToUpdate(list->Songs()->Rows(), outcome.Saved))
                list->Songs()->SetRow(row, std::move(texts));
        if (OnTagsChanged)
            OnTagsChanged();
    }
    updateUndoCommand();
}

void TagEditorCommands::updateUndoCommand() {
    const bool offered = !undo_.Empty() && undo_.ChangedFile().isEmpty();
    main_.SetHandler(kUndoHandler, offered ? std::function<void()>([this] { UndoTagChanges(); })
                                           : std::function<void()>());
}

} // namespace orvane
