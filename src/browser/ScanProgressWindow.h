#pragma once
// The windows shown while a full rescan runs: TfrmInitialise ("Refresh Database") and TfrmSearch
// (a new MP3 base folder in the options dialog; see TfrmSearch.h). Both show how many song files
// were read and the folder being read; the busy cursor is shown from Open() until the window goes.
// They block the other windows while open and cannot be closed by the user: the walk has no cancel.

#include "store/Scanner.h"

#include <QDialog>
#include <QLabel>

namespace orvane {

class ScanProgressWindow : public QDialog, public ScanProgress {
    Q_OBJECT
public:
    ~ScanProgressWindow() override;

    // Shows the window and the busy cursor, and lets it paint.
    void Open();
    void ScanReport(qsizetype filesRead, const QString& folder) override;

    QString CountText() const { return lblCount_->text(); }
    QString FolderText() const { return lblFolder_->toolTip(); }

protected:
    ScanProgressWindow(const QString& caption, const QString& text, bool animation,
                       QWidget* parent);
    void reject() override {} // Esc does not end the walk
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* lblCount_ = nullptr;
    QLabel* lblFolder_ = nullptr;
    bool cursorSet_ = false;
};

// "Please wait while scanning MP3 collection" (caption "Orvane...").
class TfrmInitialise : public ScanProgressWindow {
    Q_OBJECT
public:
    explicit TfrmInitialise(QWidget* parent = nullptr);
};

} // namespace orvane

// The "Searching..." window, shown for the same walks, has its own file.
#include "browser/TfrmSearch.h" // IWYU pragma: export
