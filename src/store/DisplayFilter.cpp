#include "store/DisplayFilter.h"

namespace orvane {

bool DisplayFilter::Passes(const SongRow& /*row*/) const {
    return true;
}

} // namespace orvane
