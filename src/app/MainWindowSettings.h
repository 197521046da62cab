#pragma once
// The main window as the settings see it: its rectangle, the widths of its panels and the View
// menu's toggles.

#include "app/DesktopSettings.h"
#include "app/Settings.h"
#include "browser/TfrmMain.h"

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

// The desktop settings as the window shows them, and applied to it.
DesktopSettings DesktopSettingsOf(const TfrmMain& window);
void ApplyDesktopSettings(TfrmMain& window, const DesktopSettings& settings);

} // namespace orvane
