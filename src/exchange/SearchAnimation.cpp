#include "exchange/SearchAnimation.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace orvane {

namespace {
constexpr int kFrames = 16;
constexpr int kFrameMs = 80;
} // namespace

SearchAnimation::SearchAnimation(Subject subject, QWidget* parent)
    : QWidget(parent)
    , subject_(subject) {
    timer_.setInterval(kFrameMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kFrames;
        update();
    });
}

void SearchAnimation::Start() {
    if (!timer_.isActive())
        timer_.start();
}

void SearchAnimation::Stop() {
    timer_.stop();
    frame_ = 0;
    update();
}

QSize SearchAnimation::sizeHint() const {
    return {64, 48};
}

void SearchAnimation::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);
    const QRectF item(area.left() + area.width() * 0.15, area.top() + area.height() * 0.15,
                      area.width() * 0.6, area.height() * 0.7);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1));
    if (subject_ == Subject::Folders) {
        QPainterPath folder;
        folder.moveTo(item.bottomLeft());
        folder.lineTo(item.left(), item.top() + item.height() * 0.15);
        folder.lineTo(item.left() + item.width() * 0.35, item.top() + item.height() * 0.15);
        folder.lineTo(item.left() + item.width() * 0.45, item.top());
        folder.lineTo(item.right(), item.top());
        folder.lineTo(item.bottomRight());
        folder.closeSubpath();
        p.setBrush(QColor(240, 200, 80));
        p.drawPath(folder);
    } else {
        p.setBrush(Qt::white);
        p.drawRect(item);
        for (int line = 1; line <= 4; ++line) {
            const qreal y = item.top() + item.height() * line / 5.0;
            p.drawLine(QPointF(item.left() + 4, y), QPointF(item.right() - 4, y));
        }
    }
    // The glass circles over the item, one turn per kFrames frames.
    const qreal angle = 2 * M_PI * frame_ / kFrames;
    const qreal radius = qMin(area.width(), area.height()) * 0.18;
    const QPointF centre(item.center().x() + qCos(angle) * item.width() * 0.25,
                         item.center().y() + qSin(angle) * item.height() * 0.2);
    p.setBrush(QColor(180, 220, 255, 160));
    p.setPen(QPen(palette().color(QPalette::WindowText), 2));
    p.drawEllipse(centre, radius, radius);
    p.drawLine(centre + QPointF(radius * 0.7, radius * 0.7),
               centre + QPointF(radius * 1.6, radius * 1.6));
}

} // namespace orvane
