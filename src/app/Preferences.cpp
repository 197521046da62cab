#include "app/Preferences.h"

#include "platform/DirectoryWalk.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace orvane {

QString PreferencesIconCaption(TrayIconId icon) {
    switch (icon) {
    case TrayIconId::Orvane:
        return QStringLiteral("Orvane");
    case TrayIconId::Previous:
        return QStringLiteral("Previous");
    case TrayIconId::Play:
        return QStringLiteral("Play");
    case TrayIconId::Pause:
        return QStringLiteral("Pause");
    case TrayIconId::Stop:
        return QStringLiteral("Stop");
    case TrayIconId::Next:
        return QStringLiteral("Next");
    }
    return {};
}

PreferencesChoice PreferencesOnShow(const Settings& settings) {
    PreferencesChoice choice;
    choice.Mp3BaseText = settings.Mp3Base;
    choice.TrayControls = settings.TrayControls;
    for (size_t i = 0; i < kPreferencesIconOrder.size(); ++i)
        choice.Icons[i] = settings.Tray[kPreferencesIconOrder[i]];
    choice.Tags = settings.Tags;
    return choice;
}

std::optional<QString> ChangedMp3Base(const QString& text, const QString& current) {
    if (text == current)
        return std::nullopt;
    QString folder = text;
    if (HasTrailingSeparator(folder) && folder.size() > 1)
        folder.chop(1);
    return folder;
}

QString Mp3BaseProblem(const QString& folder) {
    const QString hint = QStringLiteral("Enter the full path of the folder that holds your MP3 "
                                        "collection, or pick it with the browse button.");
    if (folder.trimmed().isEmpty())
        return hint;
    if (!QDir::isAbsolutePath(folder) || !QFileInfo(folder).isDir())
        return QStringLiteral("The folder \"%1\" does not exist.\n").arg(folder) + hint;
    if (!CanListFolder(folder))
        return QStringLiteral("The folder \"%1\" cannot be read.\n").arg(folder) + hint;
    return {};
}

bool AcceptPreferences(const PreferencesChoice& choice, PreferencesContext& context) {
    const std::optional<QString> base =
        ChangedMp3Base(choice.Mp3BaseText, context.settings.Mp3Base);
    if (base) {
        const QString problem = Mp3BaseProblem(*base);
        if (!problem.isEmpty()) {
            context.prompts.warning(problem);
            return false;
        }
    }
    // In force before a rescan of a new base folder, which then reads the tags the new way.
    const bool tagsChanged = choice.Tags != context.settings.Tags;
    context.settings.Tags = choice.Tags;
    SetTagReading(choice.Tags);
    if (base) {
        context.settings.Mp3Base = *base;
        if (context.rescan)
            context.rescan(*base);
    }
    context.settings.TrayControls = choice.TrayControls;
    for (size_t i = 0; i < kPreferencesIconOrder.size(); ++i)
        context.settings.Tray[kPreferencesIconOrder[i]] = choice.Icons[i];
    if (!SaveSettings(context.registry, context.settings, context.window))
        context.prompts.warning(kSettingsWriteFailed);
    if (tagsChanged && !base && context.offerRefresh)
        context.offerRefresh();
    return true;
}

} // namespace orvane
