#pragma once
// The program's settings: what is held in memory for the run, and how it is stored in the
// registry under software\brimtove\orvane (the main key and its sub-keys visflags, posflags,
// orvanebar and orvanebar\groups\<group>). Loaded once at start-up, saved at shutdown and after
// the options dialog's OK. The settings of an earlier version, kept under brimtove\orvane, are
// taken over once by MigrateSettings.
//
// Data logic: no widgets. The main window is reached through SettingsWindow, the tray icons
// through TrayIconSwitch. GUI thread only.

#include "platform/Registry.h"
#include "store/TagReading.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace orvane {

inline const QString kSettingsKey = QStringLiteral("software\\brimtove\\orvane");
inline const QString kOldSettingsKey = QStringLiteral("brimtove\\orvane");
inline const QString kSettingsWriteFailed = QStringLiteral("Unable to write settings to registry");

// The six tray icons, in the order ApplyTrayIcons switches them on.
enum class TrayIconId { Orvane, Previous, Play, Pause, Stop, Next };
inline constexpr std::array<TrayIconId, 6> kTrayIcons = {TrayIconId::Orvane, TrayIconId::Previous,
                                                         TrayIconId::Play,   TrayIconId::Pause,
                                                         TrayIconId::Stop,   TrayIconId::Next};

struct TrayIconFlags {
    std::array<bool, 6> shown{true, true, true, true, true, true};
    bool& operator[](TrayIconId id) { return shown[size_t(id)]; }
    bool operator[](TrayIconId id) const { return shown[size_t(id)]; }
};

// Icon kinds of the side bar's groups, as stored.
inline constexpr int kLargeIcons = 0;
inline constexpr int kSmallIcons = 1;

struct SideBarGroup {
    QString Caption;
    int IconKind = kSmallIcons;
    QStringList Items; // captions of the items (for user groups: the playlist names)
};

// Group 0 "Orvane" and group 1 "Personal" with their view shortcuts; user groups follow.
std::vector<SideBarGroup> DefaultSideBarGroups();
inline constexpr size_t kFixedSideBarGroups = 2;

// The MP3 base folder when none is set: the user's music folder (the home folder when the
// system names none).
QString DefaultMp3Base();

struct Settings {
    QString Mp3Base = DefaultMp3Base();
    QString Mp3Player = QStringLiteral("c:\\program files\\winamp\\winamp.exe");
    bool Cache = true;
    bool TrayControls = true; // "Use tray controls"; shown and stored, no other effect
    TrayIconFlags Tray;
    std::vector<SideBarGroup> Groups = DefaultSideBarGroups();
    TagReading Tags; // "ReadID3v2" and "ID3v1CodePage"; in force for the whole program once loaded
};

// The View-menu commands whose check marks are stored in visflags, in their stored order.
enum class ViewToggle { OrvaneBar, Folders, Statusbar, Lyrics, Cover, ShowXtraInfo };

// Position and size of the main window and of its two resizable panels, in pixels.
struct WindowPlacement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int BrowserWidth = 0; // the browse panel at the left
    int BottomHeight = 0; // the lyrics panel at the bottom
};

// What the settings read from and apply to the main window.
class SettingsWindow {
public:
    virtual ~SettingsWindow() = default;
    virtual WindowPlacement Placement() const = 0;
    virtual void SetPlacement(const WindowPlacement& placement) = 0;
    virtual bool IsChecked(ViewToggle toggle) const = 0;
    // Runs the View-menu command, as a click on it does.
    virtual void Perform(ViewToggle toggle) = 0;
};

// Neither the old nor the new settings key exists.
bool IsFirstRun(const Registry& registry);

// Reads the settings into memory and applies them to the window. Without the posflags key it
// runs MigrateSettings instead and returns false. An integer value that is missing or not an
// integer leaves its setting as it was; a missing MP3Base reads as empty text.
bool LoadSettings(Registry& registry, Settings& settings, SettingsWindow& window);
// Writes the whole layout and flushes the store; false when any step fails.
bool SaveSettings(Registry& registry, const Settings& settings, const SettingsWindow& window);
// Takes over MP3Base, MP3Player, Cache and the window rectangle from the old key and writes the
// new layout at once (the old key is left in place). False when there is no old key.
bool MigrateSettings(Registry& registry, Settings& settings, SettingsWindow& window);

// Group captions are key names in the store. Characters a key name cannot hold ('\', control
// characters) and '%' are written as %XX; a name that would be empty or equal (without regard
// to case) to one already taken gets "%#n" appended. Decoding gives the caption back whole; a
// name written by an earlier version (no encoding) decodes to itself unless it holds "%XX".
QString EncodeGroupKeyName(const QString& caption, const QStringList& taken);
QString DecodeGroupKeyName(const QString& keyName);

// Switches the tray icons.
class TrayIconSwitch {
public:
    virtual ~TrayIconSwitch() = default;
    virtual void SetTrayIconShown(TrayIconId icon, bool shown) = 0;
};
// All six off, pending events processed once, then each whose flag is set on, in kTrayIcons
// order.
void ApplyTrayIcons(TrayIconSwitch& icons, const TrayIconFlags& flags);

} // namespace orvane
