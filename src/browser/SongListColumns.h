#pragma once
// How the columns of a song list share its width: the "Song" column takes what the others
// leave, the others fit their texts the first time the list shows rows, and from the moment the
// user drags a column's edge (or stored widths are given) they keep the widths set. GUI thread
// only; owned by its list.

#include <QObject>
#include <vector>

namespace orvane {

class TSongListView;

class SongListColumns : public QObject {
    Q_OBJECT
public:
    explicit SongListColumns(TSongListView& list);

    // The widths of the columns after "Song", in pixels; empty while they still follow the
    // texts (nothing to remember then).
    std::vector<int> Widths() const;
    // Takes widths as Widths gives them; a list of another length or with a width that is not
    // positive is ignored.
    void SetWidths(const std::vector<int>& widths);

private:
    void fitToTexts();

    TSongListView& list_;
    bool fixed_ = false; // the widths are the user's (or stored), not fitted
    bool resizing_ = false;
};

} // namespace orvane
