#include "playback/SongQueue.h"

#include <algorithm>

namespace orvane {

void SongRowsQueue::Remove(const std::vector<int>& indices) {
    std::vector<int> doomed = indices;
    std::sort(doomed.begin(), doomed.end(), std::greater<>());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    for (int index : doomed)
        if (index >= 0 && index < Count())
            rows.erase(rows.begin() + index);
    selected.clear();
}

} // namespace orvane
