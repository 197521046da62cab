#include "exchange/ExportCommand.h"

#include "exchange/TfrmExportOrv.h"
#include "exchange/TfrmExportPlainText.h"
#include "exchange/TfrmExportTypeSelection.h"

namespace orvane {

void ExportInformation(QWidget* parent, const QString& programFolder, const QString& cacheFile,
                       const CollectionList& songs, Prompts& prompts) {
    TfrmExportTypeSelection::Choice choice;
    {
        TfrmExportTypeSelection types(parent);
        if (types.exec() != QDialog::Accepted)
            return;
        choice = types.Selected();
    }
    if (choice == TfrmExportTypeSelection::Choice::PlainText) {
        TfrmExportPlainText wizard(songs, programFolder, prompts, parent);
        wizard.exec();
    } else {
        TfrmExportOrv wizard(cacheFile, programFolder, prompts, parent);
        wizard.exec();
    }
}

} // namespace orvane
