#pragma once
// File > "Export information...": the type dialog, then the plain-text wizard or the
// collection-file wizard, each modal and destroyed when it closes. GUI thread only.

#include <QString>

class QWidget;

namespace orvane {

class CollectionList;
class Prompts;

// programFolder with trailing separator: the default folder of the targets and the folder of
// the own cache file local.orv.
void ExportInformation(QWidget* parent, const QString& programFolder, const CollectionList& songs,
                       Prompts& prompts);

} // namespace orvane
