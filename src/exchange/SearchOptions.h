#pragma once
// The settings of one power search, as the power-search window's controls hold them. The
// quick search of the main window uses the same record with QuickSearch set.

#include <QString>

namespace orvane {

struct SearchOptions {
    QString Keywords;      // as typed: not trimmed, not upper-cased
    bool Exact = false;    // a field must equal the whole keyword text
    bool FullWords = true; // words must match whole words of the field
    bool Title = true;     // the seven fields searched
    bool Artist = true;
    bool Comment = true;
    bool Genre = true;
    bool FileName = true; // the name without its folder: folders are never searched
    bool Year = true;
    bool Album = true;
    bool QuickSearch = false; // every field, whole words, whatever the switches say

    bool operator==(const SearchOptions&) const = default;
};

} // namespace orvane
