#include "store/DisplayFilter.h"

namespace orvane {

bool DisplayFilter::Passes(const SongRow& row) const {
    return !test_ || test_(row);
}

} // namespace orvane
