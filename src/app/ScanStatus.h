#pragma once
// The scan's part of the status bar: a button at its right end that shows the progress of the
// background scan or of "Refresh Database" (at most ten times a second) and, when the scan is
// over, how many songs it added and how many files it could not read; a click then lists those
// files with the reason. GUI thread only; the widgets belong to the main window.

#include "store/ScanTally.h"

#include <QObject>

class QDialog;
class QToolButton;
class QWidget;

namespace orvane {

class TfrmMain;

class ScanStatus : public QObject {
    Q_OBJECT
public:
    explicit ScanStatus(TfrmMain& main);

    // A scan starts; returns its number, for Finish.
    int Begin(qsizetype songsBefore);
    void FileRead(qsizetype songsNow);
    void Unreadable(const QString& path, UnreadableKind kind);
    // The end of scan number scan; the end of an earlier one (its notice may come late) is
    // ignored.
    void Finish(int scan, qsizetype songsNow);

    const ScanTally& Tally() const { return tally_; }
    QToolButton* Button() const { return button_; }
    // The list of unreadable files, while it is open.
    QDialog* ListWindow() const { return list_; }

private:
    void showList();

    TfrmMain& main_;
    ScanTally tally_;
    QToolButton* button_ = nullptr;
    QDialog* list_ = nullptr;
    int scan_ = 0;
};

} // namespace orvane
