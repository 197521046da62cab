#pragma once
// The WAV export window: it owns the disk writer xaDiskWriter (an engine player of its own,
// apart from the listening player) and the export over it, and shows the file being written,
// the progress of that song and of the whole export, and Cancel. Shown, not modally and on
// top, while an export runs. GUI thread only.

#include "playback/TXaudioPlayer.h"
#include "playback/WavExport.h"
#include "store/SongRows.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace orvane {

class Prompts;

class TfrmWAVoutput : public QDialog {
    Q_OBJECT
public:
    // prompts (and library) must outlive the window.
    TfrmWAVoutput(QWidget* parent, Prompts& prompts,
                  const XaudioLibrary& library = XaudioEngineLibrary());

    // The export command: asks for a folder and exports the rows (the selected rows of the
    // current song list, in list order) into it. Nothing happens without rows, and nothing
    // is shown when the folder dialog is cancelled.
    void ExportSongs(const SongRows& rows);

    QLabel* lblFNAme() const { return lblFNAme_; }
    QProgressBar* pgSong() const { return pgSong_; }
    QProgressBar* pbMain() const { return pbMain_; }
    QPushButton* btnCancel() const { return btnCancel_; }
    TXaudioPlayer& xaDiskWriter() { return *xaDiskWriter_; }
    TWavExport& Export() { return *export_; }
    // The folder dialog was cancelled at the last export command.
    bool Cancelled() const { return cancelled_; }

    // Asks whether to cancel the export and cancels it on Yes.
    void btnCancelClick();

protected:
    // Esc and the title bar's close button (which QDialog turns into reject) ask as Cancel does.
    void reject() override;

private:
    Prompts& prompts_;
    TXaudioPlayer* xaDiskWriter_ = nullptr;
    TWavExport* export_ = nullptr;
    QLabel* lblFNAme_ = nullptr;
    QProgressBar* pgSong_ = nullptr;
    QProgressBar* pbMain_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    bool cancelled_ = false;
};

} // namespace orvane
