#pragma once
// The "Searching..." window: shown while the album or artist list is rebuilt, while a filter
// change is applied and while the options dialog's new MP3 base folder is walked. Always on
// top, centred on the screen, with "Reading MP3 information..." and a find-folder animation
// that runs while the window is shown. A walk reports its progress through ScanProgress; the
// count and folder lines appear with the first report. The user cannot close it: the work it
// stands for has no cancel, and the owner destroys it right after. GUI thread only.

#include "store/Scanner.h"

#include <QDialog>

class QLabel;

namespace orvane {

class SearchAnimation;

class TfrmSearch : public QDialog, public ScanProgress {
    Q_OBJECT
public:
    explicit TfrmSearch(QWidget* parent = nullptr);
    ~TfrmSearch() override;

    // Shows the window and the busy cursor, and lets it paint.
    void Open();
    void ScanReport(qsizetype filesRead, const QString& folder) override;

    QString MessageText() const;
    QString CountText() const;
    QString FolderText() const;
    SearchAnimation* Animate1() const { return animate_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override {} // Esc does not end the work

private:
    void centreOnScreen();

    QLabel* lblMessage_ = nullptr;
    QLabel* lblCount_ = nullptr;
    QLabel* lblFolder_ = nullptr;
    SearchAnimation* animate_ = nullptr;
    bool cursorSet_ = false;
};

} // namespace orvane
