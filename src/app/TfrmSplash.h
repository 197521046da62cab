#pragma once
// The splash window shown while the program starts: its version and a bar of nine steps.

#include <QLabel>
#include <QProgressBar>
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

private:
    QLabel* lblVersion_ = nullptr;
    QProgressBar* pgBar_ = nullptr;
};

} // namespace orvane
