#pragma once
// What the options dialog shows and what its "&Ok" does, apart from the widgets.

#include "app/Settings.h"
#include "platform/Prompts.h"
#include "store/Id3Tags.h"

#include <array>
#include <functional>
#include <optional>

namespace orvane {

// The entries of the dialog's tray-icon check list, in the dialog's order, with their captions.
inline constexpr std::array<TrayIconId, 6> kPreferencesIconOrder = {
    TrayIconId::Previous, TrayIconId::Play, TrayIconId::Pause,
    TrayIconId::Stop,     TrayIconId::Next, TrayIconId::Orvane};
QString PreferencesIconCaption(TrayIconId icon);

struct PreferencesChoice {
    QString Mp3BaseText;
    bool TrayControls = true;
    std::array<bool, 6> Icons{}; // in kPreferencesIconOrder
    TagReading Tags;             // page "Tags"
};

// The dialog's fields as shown when it opens.
PreferencesChoice PreferencesOnShow(const Settings& settings);

// The new MP3 base folder when text differs from the current one (exact comparison, letter case
// counts), with one trailing separator removed (a lone "/" stays); nothing when unchanged.
std::optional<QString> ChangedMp3Base(const QString& text, const QString& current);

// Why folder cannot become the MP3 base folder (the message for the user); empty when it can.
QString Mp3BaseProblem(const QString& folder);

struct PreferencesContext {
    Settings& settings;
    Registry& registry;
    const SettingsWindow& window;
    Prompts& prompts;
    // Empties the collection and walks the new base folder, then the recycle folder.
    std::function<void(const QString& newBase)> rescan;
    // Asked for when the way tags are read changed and no rescan followed: the program offers
    // "Refresh Database" once the dialog has closed.
    std::function<void()> offerRefresh = {};
    // The ID3v1 tags of a few songs of the collection, for the code-page preview.
    std::function<std::vector<Id3v1Block>()> previewTags = {};
};

// "&Ok": a changed base folder is checked (a folder that is not there is reported and keeps the
// dialog open: false), taken and rescanned; then the tray flags and the way tags are read are
// taken (in force at once) and the settings saved, a failure being reported. True when the
// dialog may close.
bool AcceptPreferences(const PreferencesChoice& choice, PreferencesContext& context);

} // namespace orvane
