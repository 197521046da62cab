#pragma once
// The small animation that shows a search is running: a magnifying glass circling over a
// sheet (searching files) or a folder (searching folders). It paints itself from a timer and
// needs no image files. GUI thread only.

#include <QTimer>
#include <QWidget>

namespace orvane {

class SearchAnimation : public QWidget {
    Q_OBJECT
public:
    enum class Subject { Files, Folders };

    explicit SearchAnimation(Subject subject, QWidget* parent = nullptr);

    void Start();
    void Stop();
    bool IsRunning() const { return timer_.isActive(); }
    int Frame() const { return frame_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Subject subject_;
    QTimer timer_;
    int frame_ = 0;
};

} // namespace orvane
