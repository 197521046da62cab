#pragma once
// The test every row passes before it enters a song view. It holds the state of the view
// filters (time filter, shown collections); with none set, every row passes.

#include "store/SongRow.h"

namespace orvane {

class DisplayFilter {
public:
    bool Passes(const SongRow& row) const;
};

} // namespace orvane
