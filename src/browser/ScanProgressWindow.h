#pragma once
// The small windows shown while long work runs: TfrmInitialise ("Refresh Database") and
// TfrmSearch (see TfrmSearch.h). Both are centred on the screen, stay on top, block the other
// windows and cannot be closed by the user (the work has no cancel; the owner destroys them right
// after). A walk reports how many song files were read and the folder being read; the busy
// cursor is shown from Open() until the window goes. GUI thread only.

#include "store/Scanner.h"

#include <QDialog>

class QLabel;
class QVBoxLayout;

namespace orvane {

class ScanProgressWindow : public QDialog, public ScanProgress {
    Q_OBJECT
public:
    ~ScanProgressWindow() override;

    // Shows the window and the busy cursor, and lets it paint.
    void Open();
    void ScanReport(qsizetype filesRead, const QString& folder) override;

    QString CountText() const;
    QString FolderText() const;

protected:
    // The count and folder lines are shown from the start, or from the first report.
    enum class CountLines { Always, FromFirstReport };
    ScanProgressWindow(const QString& caption, CountLines countLines, QWidget* parent);
    // The panel's layout; what a window shows above the count lines goes in at index 0.
    QVBoxLayout* Panel() const { return panelLayout_; }

    void showEvent(QShowEvent* event) override;
    void reject() override {} // Esc does not end the work
    void closeEvent(QCloseEvent* event) override;

private:
    void centreOnScreen();

    QVBoxLayout* panelLayout_ = nullptr;
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
