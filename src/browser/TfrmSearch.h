#pragma once
// The "Searching..." window: shown while the album or artist list is rebuilt, while a filter
// change is applied and while the options dialog's new MP3 base folder is walked, with "Reading
// MP3 information..." and a find-folder animation that runs while the window is shown. A walk
// reports its progress as in every ScanProgressWindow; the count and folder lines appear with
// the first report. GUI thread only.

#include "browser/ScanProgressWindow.h"

namespace orvane {

class SearchAnimation;

class TfrmSearch : public ScanProgressWindow {
    Q_OBJECT
public:
    explicit TfrmSearch(QWidget* parent = nullptr);

    QString MessageText() const;
    SearchAnimation* Animate1() const { return animate_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QLabel* lblMessage_ = nullptr;
    SearchAnimation* animate_ = nullptr;
};

} // namespace orvane
