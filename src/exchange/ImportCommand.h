#pragma once
// File > "Import...": makes sure the lib folder exists, lets the user choose a folder and a
// location name (TfrmImport), walks the folder on a worker thread while a progress window shows
// the files read and the folder being read, with Cancel, and writes the collection file. A
// cancelled import writes nothing; a finished one tells how many songs it found. The new
// collection is loaded at the next start, with the other imported ones.
//
// GUI thread; only the walk runs on the thread "ImportWalk", which touches nothing shared.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace orvane {

class Prompts;
struct ImportReport;

struct ImportChoice {
    QString folder;
    QString name; // as typed
};
// Asks the user what to import; nothing when cancelled. Unset: the import dialog.
using ChooseImport = std::function<std::optional<ImportChoice>()>;

// The report of the import that ran, or nothing when none ran (no lib folder, cancelled choice).
std::optional<ImportReport> ImportCollection(QWidget* parent, const QString& programFolder,
                                             Prompts& prompts, const ChooseImport& choose = {});

} // namespace orvane
