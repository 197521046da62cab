#pragma once
// A hash index of row numbers: for the hash of a key of each row, the rows whose key has it.
// One array of 64-bit slots, open addressing with linear probing: a slot holds 32 bits of the
// hash and the row + 1 (0: empty). A million rows cost 16 to 32 MB, and a look-up reads one or
// two cache lines. Rows are below 2^32 - 1. A look-up may also name rows of another key whose
// hash shares the bits kept: callers compare the rows themselves.
// Not thread-safe.

#include <QtGlobal>
#include <cstdint>
#include <vector>

namespace orvane {

class RowIndex {
public:
    void clear();
    void reserve(qsizetype rows);
    void insert(size_t hash, qsizetype row);
    // Takes out the entry of that row under that hash, if there is one.
    void remove(size_t hash, qsizetype row);

    // Asks for the memory of the hash's first slot, for an insert a few steps later: inserts in
    // a row then overlap their cache misses instead of waiting for each.
    void prefetch(size_t hash) const {
        if (!slots_.empty())
            __builtin_prefetch(&slots_[Tag(hash) & mask_]);
    }

    // Calls fn(row) for each row inserted under the hash, in no particular order.
    template <typename Fn> void forEach(size_t hash, Fn&& fn) const {
        if (slots_.empty())
            return;
        const uint32_t tag = Tag(hash);
        for (size_t i = tag & mask_; slots_[i] != 0; i = (i + 1) & mask_)
            if (uint32_t(slots_[i] >> 32) == tag)
                fn(qsizetype(uint32_t(slots_[i]) - 1));
    }

private:
    static uint32_t Tag(size_t hash) {
        return uint32_t((uint64_t(hash) * 0x9e3779b97f4a7c15ull) >> 32);
    }
    void grow(size_t capacity);

    std::vector<uint64_t> slots_;
    size_t mask_ = 0;
    size_t used_ = 0;
};

} // namespace orvane
