#pragma once
// File > "Export information...": the type dialog, then the plain-text wizard or the
// collection-file wizard, each modal and destroyed when it closes. GUI thread only.

#include <QString>

class QWidget;

namespace orvane {

class CollectionList;
class Prompts;

// programFolder with trailing separator: the default folder of the targets. cacheFile: the own
// collection's cache file, the source of the collection file.
void ExportInformation(QWidget* parent, const QString& programFolder, const QString& cacheFile,
                       const CollectionList& songs, Prompts& prompts);

} // namespace orvane
