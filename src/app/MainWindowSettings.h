#pragma once
// The main window as the settings see it: its rectangle, the widths of its panels and the View
// menu's toggles.

#include "app/DesktopSettings.h"
#include "app/Settings.h"
#include "browser/TfrmMain.h"
#include "playback/TdmXAudio.h"

namespace orvane {

class MainWindowSettings : public SettingsWindow {
public:
    explicit MainWindowSettings(TfrmMain& window)
        : window_(window) {}

    WindowPlacement Placement() const override;
    // Sizes that are not positive are ignored, and a position on no screen (a display that is
    // gone) leaves the window where it is.
    void SetPlacement(const WindowPlacement& placement) override;
    bool IsChecked(ViewToggle toggle) const override;
    void Perform(ViewToggle toggle) override;

private:
    QAction* action(ViewToggle toggle) const;

    TfrmMain& window_;
};

// The desktop settings as the window and the player have them, and applied to them.
DesktopSettings DesktopSettingsOf(const TfrmMain& window, const TdmXAudio& player);
void ApplyDesktopSettings(TfrmMain& window, TdmXAudio& player, const DesktopSettings& settings);

} // namespace orvane
