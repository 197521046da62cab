#pragma once
// The playing-songs list as the playback controller sees it: rows in play order and the rows
// the user selected. The main window implements it over the model of lvPlayingSongs, so that
// the list view shows every change at once; SongRowsQueue is a plain one for tests.
// GUI thread only.

#include "store/SongRows.h"

#include <vector>

namespace orvane {

class SongQueue {
public:
    virtual ~SongQueue() = default;

    virtual int Count() const = 0;
    virtual const SongRow& At(int index) const = 0;
    virtual void Append(const SongRow& row) = 0;
    virtual void Assign(SongRows rows) = 0;
    // Removes the rows at the given indices, any order, duplicates allowed.
    virtual void Remove(const std::vector<int>& indices) = 0;
    // Indices of the selected rows in list order.
    virtual std::vector<int> Selected() const = 0;

    bool Empty() const { return Count() == 0; }
    void Clear() { Assign({}); }
};

class SongRowsQueue final : public SongQueue {
public:
    int Count() const override { return static_cast<int>(rows.size()); }
    const SongRow& At(int index) const override { return rows.at(static_cast<size_t>(index)); }
    void Append(const SongRow& row) override { rows.push_back(row); }
    void Assign(SongRows newRows) override {
        rows = std::move(newRows);
        selected.clear();
    }
    void Remove(const std::vector<int>& indices) override;
    std::vector<int> Selected() const override { return selected; }

    SongRows rows;
    std::vector<int> selected;
};

} // namespace orvane
