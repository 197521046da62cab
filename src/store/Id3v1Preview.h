#pragma once
// The preview of ID3v1 text in another code page that the options dialog shows before the
// choice is applied: the tags of a few songs of the collection, read once, shown in each code
// page the user picks.
//
// Data logic: QtCore only, GUI thread (reads the collection).

#include "store/Id3Tags.h"

#include <QStringList>
#include <vector>

namespace orvane {

class CollectionList;

inline constexpr int kPreviewSongs = 5;
// Songs looked at at most: the preview never reads the whole collection.
inline constexpr qsizetype kPreviewLookAt = 200;

// The ID3v1 tags of up to kPreviewSongs songs among the first kPreviewLookAt records, those
// whose text is not plain ASCII first (they are the ones a code page changes).
std::vector<Id3v1Block> PreviewTags(const CollectionList& songs);
// One line per tag, "Title - Artist - Album", read in the code page.
QStringList PreviewLines(const std::vector<Id3v1Block>& tags, int codePage);

} // namespace orvane
