#include "app/TrayIcons.h"

#include <QApplication>
#include <QStyle>

namespace orvane {

namespace {
struct IconLook {
    const char* name;
    const char* hint;
    QStyle::StandardPixmap pixmap;
};
// Indexed by TrayIconId.
constexpr IconLook kLooks[] = {{"trayOrvane", "Orvane", QStyle::SP_DriveCDIcon},
                               {"controlPrev", "Previous", QStyle::SP_MediaSkipBackward},
                               {"controlPlay", "Play", QStyle::SP_MediaPlay},
                               {"controlPause", "Pause", QStyle::SP_MediaPause},
                               {"controlStop", "Stop", QStyle::SP_MediaStop},
                               {"controlNext", "Next", QStyle::SP_MediaSkipForward}};
} // namespace

TrayIcons::TrayIcons(QObject* parent, Where where)
    : QObject(parent) {
    if (where == Where::NotificationAreaOnly && !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    for (size_t i = 0; i < icons_.size(); ++i) {
        auto* icon = new QSystemTrayIcon(this);
        icon->setObjectName(QString::fromLatin1(kLooks[i].name));
        icon->setToolTip(QString::fromLatin1(kLooks[i].hint));
        QIcon look = QApplication::style()->standardIcon(kLooks[i].pixmap);
        if (i == size_t(TrayIconId::Orvane) && !QApplication::windowIcon().isNull())
            look = QApplication::windowIcon();
        icon->setIcon(look);
        icons_[i] = icon;
    }
}

void TrayIcons::SetTrayIconShown(TrayIconId id, bool shown) {
    if (QSystemTrayIcon* icon = Icon(id))
        icon->setVisible(shown);
}

} // namespace orvane
