#pragma once
// The test every row passes before it enters a song view. The time filter and the collection
// filter live with the browser and the imported collections; they install their test here, so
// the store, which builds every row, needs to know neither. With no test set, every row passes.

#include "store/SongRow.h"

#include <functional>

namespace orvane {

class DisplayFilter {
public:
    using Test = std::function<bool(const SongRow& row)>;

    bool Passes(const SongRow& row) const;
    // Replaces the test (an empty one lets every row pass).
    void SetTest(Test test) { test_ = std::move(test); }
    bool HasTest() const { return bool(test_); }

private:
    Test test_;
};

} // namespace orvane
