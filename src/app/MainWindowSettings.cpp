#include "app/MainWindowSettings.h"

#include <QGuiApplication>
#include <QScreen>

namespace orvane {

WindowPlacement MainWindowSettings::Placement() const {
    return {window_.x(),
            window_.y(),
            window_.width(),
            window_.height(),
            window_.BrowserWidth(),
            window_.BottomHeight()};
}

void MainWindowSettings::SetPlacement(const WindowPlacement& p) {
    // The title bar's middle must lie on a screen, or the user could not reach the window.
    const QPoint grip(p.Left + std::max(p.Width, 0) / 2, p.Top + 10);
    if (QGuiApplication::screenAt(grip))
        window_.move(p.Left, p.Top);
    if (p.Width > 0 && p.Height > 0)
        window_.resize(p.Width, p.Height);
    if (p.BrowserWidth > 0)
        window_.SetBrowserWidth(p.BrowserWidth);
    if (p.BottomHeight > 0)
        window_.SetBottomHeight(p.BottomHeight);
}

QAction* MainWindowSettings::action(ViewToggle toggle) const {
    switch (toggle) {
    case ViewToggle::OrvaneBar:
        return window_.ShowOrvanebar1();
    case ViewToggle::Folders:
        return window_.Showbrowser1();
    case ViewToggle::Statusbar:
        return window_.Showstatusbar();
    case ViewToggle::Lyrics:
        return window_.Lyrics2();
    case ViewToggle::Cover:
        return window_.Albumcover1();
    case ViewToggle::ShowXtraInfo:
        return window_.Showcomments1();
    }
    return nullptr;
}

bool MainWindowSettings::IsChecked(ViewToggle toggle) const {
    return action(toggle)->isChecked();
}

void MainWindowSettings::Perform(ViewToggle toggle) {
    action(toggle)->trigger();
}

DesktopSettings DesktopSettingsOf(const TfrmMain& window, const TdmXAudio& player) {
    return {window.lvSelection()->Columns().Widths(), window.lvPlayingSongs()->Columns().Widths(),
            player.Volume(), player.Muted()};
}

void ApplyDesktopSettings(TfrmMain& window, TdmXAudio& player, const DesktopSettings& settings) {
    player.SetVolume(settings.Volume);
    player.SetMuted(settings.Muted);
    window.lvSelection()->Columns().SetWidths(settings.SelectionColumns);
    window.lvPlayingSongs()->Columns().SetWidths(settings.PlayingColumns);
}

} // namespace orvane
