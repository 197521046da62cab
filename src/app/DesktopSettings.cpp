#include "app/DesktopSettings.h"

#include "app/Settings.h"

#include <QStringList>

namespace orvane {

namespace {

const QString kPosFlagsKey = kSettingsKey + QStringLiteral("\\posflags");
const QString kSelectionColumns = QStringLiteral("SongColumns");
const QString kPlayingColumns = QStringLiteral("PlayingColumns");
const QString kVolume = QStringLiteral("Volume");
const QString kMute = QStringLiteral("Mute");

std::vector<int> ReadWidths(const Registry& registry, const QString& name) {
    const std::optional<QString> text = registry.ReadText(kPosFlagsKey, name);
    if (!text)
        return {};
    std::vector<int> widths;
    for (const QString& part : text->split(u',')) {
        bool ok = false;
        const int width = part.trimmed().toInt(&ok);
        if (!ok || width <= 0)
            return {};
        widths.push_back(width);
    }
    return widths;
}

bool WriteWidths(Registry& registry, const QString& name, const std::vector<int>& widths) {
    if (widths.empty())
        return true;
    QStringList parts;
    for (int width : widths)
        parts.append(QString::number(width));
    return registry.WriteText(kPosFlagsKey, name, parts.join(u','));
}

} // namespace

DesktopSettings ReadDesktopSettings(const Registry& registry) {
    DesktopSettings settings;
    settings.SelectionColumns = ReadWidths(registry, kSelectionColumns);
    settings.PlayingColumns = ReadWidths(registry, kPlayingColumns);
    if (const std::optional<int32_t> volume = registry.ReadInteger(kSettingsKey, kVolume);
        volume && *volume >= 0 && *volume <= 100)
        settings.Volume = *volume;
    if (const std::optional<int32_t> muted = registry.ReadInteger(kSettingsKey, kMute))
        settings.Muted = *muted != 0;
    return settings;
}

bool WriteDesktopSettings(Registry& registry, const DesktopSettings& settings) {
    return registry.CreateKey(kSettingsKey) &&
           registry.WriteInteger(kSettingsKey, kVolume, settings.Volume) &&
           registry.WriteInteger(kSettingsKey, kMute, settings.Muted ? 1 : 0) &&
           registry.CreateKey(kPosFlagsKey) &&
           WriteWidths(registry, kSelectionColumns, settings.SelectionColumns) &&
           WriteWidths(registry, kPlayingColumns, settings.PlayingColumns);
}

} // namespace orvane
