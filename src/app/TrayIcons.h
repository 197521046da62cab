#pragma once
// The six icons in the desktop's notification area: the program's own (trayOrvane) and the
// playback controls controlPrev, controlPlay, controlPause, controlStop and controlNext. Which
// are shown follows the settings (ApplyTrayIcons); what a click does is wired by the playback
// controller through Icon(). Where the desktop has no notification area no icon is made and
// switching does nothing, without a message. GUI thread only.

#include "app/Settings.h"

#include <QObject>
#include <QSystemTrayIcon>
#include <array>

namespace orvane {

class TrayIcons : public QObject, public TrayIconSwitch {
    Q_OBJECT
public:
    // Tests make the icons where the desktop has no notification area (they cannot show there).
    enum class Where { NotificationAreaOnly, Always };
    explicit TrayIcons(QObject* parent = nullptr, Where where = Where::NotificationAreaOnly);

    void SetTrayIconShown(TrayIconId icon, bool shown) override;
    // Null where there is no notification area.
    QSystemTrayIcon* Icon(TrayIconId icon) const { return icons_[size_t(icon)]; }
    bool Available() const { return icons_[0] != nullptr; }

private:
    std::array<QSystemTrayIcon*, 6> icons_{};
};

} // namespace orvane
