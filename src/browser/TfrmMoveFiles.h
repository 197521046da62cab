#pragma once
// The "Moving files" window: shown while song files are moved or deleted, above every other
// window and blocking them, with a file-copy animation that runs while it is shown, the
// progress bar pbMain (0..100) and a Cancel button. Cancel, Esc and closing the window ask the
// batch to stop; the file being copied then stays where it was. GUI thread only.

#include "playlists/FileBatch.h"

#include <QDialog>

class QProgressBar;
class QPushButton;

namespace orvane {

class FileCopyAnimation;

class TfrmMoveFiles : public QDialog, public FileBatchProgress {
    Q_OBJECT
public:
    explicit TfrmMoveFiles(QWidget* parent = nullptr);

    // Shows the window and lets it paint.
    void Open();

    void SetPercent(int percent) override;
    bool CancelRequested() const override { return cancelRequested_; }

    QProgressBar* pbMain() const { return pbMain_; }
    QPushButton* btnCancel() const { return btnCancel_; }
    FileCopyAnimation* Animation() const { return animation_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void requestCancel();

    QProgressBar* pbMain_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    FileCopyAnimation* animation_ = nullptr;
    bool cancelRequested_ = false;
};

// A sheet flying from one folder to another, painted from a timer.
class FileCopyAnimation : public QWidget {
    Q_OBJECT
public:
    explicit FileCopyAnimation(QWidget* parent = nullptr);
    void Start();
    void Stop();
    bool IsRunning() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    class QTimer* timer_;
    int frame_ = 0;
};

} // namespace orvane
