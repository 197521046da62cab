#pragma once
// The splash window shown while the program starts: its version and a bar of nine steps.
//
// It stays on top of the program's windows, so it must never cover a dialog: while a modal
// window of the program is shown it steps aside (hides) by itself, and comes back when the
// last one has gone. Callers step it aside the same way around dialogs that are not Qt
// windows (a folder browser of the desktop).

#include <QLabel>
#include <QProgressBar>
#include <QSet>
#include <QWidget>

namespace orvane {

class TfrmSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSteps = 9;

    explicit TfrmSplash(const QString& versionText, QWidget* parent = nullptr);

    // Advances the bar by one and lets the window paint.
    void Step();
    int Position() const { return pgBar_->value(); }

    // Hides the splash until ComeBack has been called as often; shown again only when it was
    // shown before.
    void StepAside();
    void ComeBack();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int aside_ = 0;
    bool shownBeforeAside_ = false;
    QSet<QObject*> modals_; // modal windows now shown, each counted once in aside_
    QLabel* lblVersion_ = nullptr;
    QProgressBar* pgBar_ = nullptr;
};

} // namespace orvane
