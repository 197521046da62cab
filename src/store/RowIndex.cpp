#include "store/RowIndex.h"

#include <bit>

namespace orvane {

void RowIndex::clear() {
    slots_.clear();
    slots_.shrink_to_fit();
    mask_ = 0;
    used_ = 0;
}

void RowIndex::reserve(qsizetype rows) {
    // At most half full, so that probe runs stay short.
    const size_t capacity = std::bit_ceil(std::max<size_t>(16, size_t(rows) * 2));
    if (capacity > slots_.size())
        grow(capacity);
}

void RowIndex::grow(size_t capacity) {
    std::vector<uint64_t> old = std::move(slots_);
    slots_.assign(capacity, 0);
    mask_ = capacity - 1;
    for (const uint64_t slot : old) {
        if (slot == 0)
            continue;
        size_t i = uint32_t(slot >> 32) & mask_;
        while (slots_[i] != 0)
            i = (i + 1) & mask_;
        slots_[i] = slot;
    }
}

void RowIndex::insert(size_t hash, qsizetype row) {
    if ((used_ + 1) * 2 > slots_.size())
        grow(std::max<size_t>(16, slots_.size() * 2));
    const uint32_t tag = Tag(hash);
    size_t i = tag & mask_;
    while (slots_[i] != 0)
        i = (i + 1) & mask_;
    slots_[i] = (uint64_t(tag) << 32) | (uint32_t(row) + 1u);
    ++used_;
}

void RowIndex::remove(size_t hash, qsizetype row) {
    if (slots_.empty())
        return;
    const uint32_t tag = Tag(hash);
    const uint64_t wanted = (uint64_t(tag) << 32) | (uint32_t(row) + 1u);
    size_t i = tag & mask_;
    while (slots_[i] != wanted) {
        if (slots_[i] == 0)
            return;
        i = (i + 1) & mask_;
    }
    // Backward shift: each later entry of the run that may move into the hole does, so that no
    // probe run is broken by it.
    for (size_t j = (i + 1) & mask_; slots_[j] != 0; j = (j + 1) & mask_) {
        const size_t home = uint32_t(slots_[j] >> 32) & mask_;
        // The entry stays when its home lies cyclically after the hole and up to j.
        const bool stays = i <= j ? (home > i && home <= j) : (home > i || home <= j);
        if (!stays) {
            slots_[i] = slots_[j];
            i = j;
        }
    }
    slots_[i] = 0;
    --used_;
}

} // namespace orvane
