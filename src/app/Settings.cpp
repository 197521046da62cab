#include "app/Settings.h"

#include "platform/AsciiCase.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace orvane {

namespace {

const QString kVisFlagsKey = kSettingsKey + QStringLiteral("\\visflags");
const QString kPosFlagsKey = kSettingsKey + QStringLiteral("\\posflags");
const QString kBarKey = kSettingsKey + QStringLiteral("\\orvanebar");
const QString kGroupsKey = kBarKey + QStringLiteral("\\groups");

// Value names of the tray flags, in the order they are stored.
struct TrayValue {
    const char16_t* name;
    TrayIconId icon;
};
constexpr TrayValue kTrayValues[] = {
    {u"TrayOrvane", TrayIconId::Orvane}, {u"TrayPrevious", TrayIconId::Previous},
    {u"TrayPlay", TrayIconId::Play},     {u"TrayPause", TrayIconId::Pause},
    {u"TrayStop", TrayIconId::Stop},     {u"TrayNext", TrayIconId::Next}};

struct ToggleValue {
    const char16_t* name;
    ViewToggle toggle;
    bool performWhenSet; // true: run the command when the stored value is non-zero
};
constexpr ToggleValue kToggleValues[] = {{u"OrvaneBar", ViewToggle::OrvaneBar, true},
                                         {u"Folders", ViewToggle::Folders, true},
                                         {u"Statusbar", ViewToggle::Statusbar, false},
                                         {u"Lyrics", ViewToggle::Lyrics, false},
                                         {u"Cover", ViewToggle::Cover, false},
                                         {u"ShowXtraInfo", ViewToggle::ShowXtraInfo, false}};

struct PlacementValue {
    const char16_t* name;
    int WindowPlacement::*field;
};
constexpr PlacementValue kPlacementValues[] = {
    {u"SelectX", &WindowPlacement::Left},         {u"SelectY", &WindowPlacement::Top},
    {u"SelectWidth", &WindowPlacement::Width},    {u"SelectHeight", &WindowPlacement::Height},
    {u"Folders", &WindowPlacement::BrowserWidth}, {u"Lyrics", &WindowPlacement::BottomHeight}};

const QString kOrvaneIconSize = QStringLiteral("Orvane_iconsize");
const QString kPersonalIconSize = QStringLiteral("Personal_iconsize");

QString Name(const char16_t* name) {
    return QString::fromUtf16(name);
}

void ReadFlag(const Registry& registry, const QString& key, const QString& name, bool& flag) {
    if (const std::optional<int32_t> value = registry.ReadInteger(key, name))
        flag = *value != 0;
}

void ReadInt(const Registry& registry, const QString& key, const QString& name, int& number) {
    if (const std::optional<int32_t> value = registry.ReadInteger(key, name))
        number = *value;
}

void ReadIconKind(const Registry& registry, const QString& name, int& kind) {
    const std::optional<int32_t> value = registry.ReadInteger(kBarKey, name);
    if (value && (*value == kLargeIcons || *value == kSmallIcons))
        kind = *value;
}

// Placement values of key (all six, or the four of the window rectangle).
void ReadPlacement(const Registry& registry, const QString& key, size_t count,
                   SettingsWindow& window) {
    WindowPlacement placement = window.Placement();
    for (size_t i = 0; i < count; ++i)
        ReadInt(registry, key, Name(kPlacementValues[i].name),
                placement.*kPlacementValues[i].field);
    window.SetPlacement(placement);
}

bool IsHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

} // namespace

std::vector<SideBarGroup> DefaultSideBarGroups() {
    return {
        {QStringLiteral("Orvane"),
         kSmallIcons,
         {QStringLiteral("Orvane"), QStringLiteral("Albums"), QStringLiteral("Artists"),
          QStringLiteral("Genres"), QStringLiteral("Playing"), QStringLiteral("Removed songs")}},
        {QStringLiteral("Personal"),
         kSmallIcons,
         {QStringLiteral("Favourites"), QStringLiteral("My files"), QStringLiteral("Playlist"),
          QStringLiteral("New")}}};
}

QString DefaultMp3Base() {
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    return music.isEmpty() ? QDir::homePath() : music;
}

namespace {

const QString kReadId3v2Value = QStringLiteral("ReadID3v2");
const QString kCodePageValue = QStringLiteral("ID3v1CodePage");

// An empty or missing value would make every walk start at the root of the file system.
void ReadMp3Base(const Registry& registry, const QString& key, Settings& settings) {
    const QString stored = registry.ReadText(key, QStringLiteral("MP3Base")).value_or(QString());
    settings.Mp3Base = stored.isEmpty() ? DefaultMp3Base() : stored;
}

void ReadTagReading(const Registry& registry, TagReading& tags) {
    if (const std::optional<int32_t> v = registry.ReadInteger(kSettingsKey, kReadId3v2Value))
        tags.id3v2 = Id3v2UseFromInt(*v);
    if (const std::optional<int32_t> v = registry.ReadInteger(kSettingsKey, kCodePageValue))
        tags.codePage = CodePageFromInt(*v);
    SetTagReading(tags);
}

} // namespace

bool IsFirstRun(const Registry& registry) {
    return !registry.KeyExists(kOldSettingsKey) && !registry.KeyExists(kSettingsKey);
}

bool LoadSettings(Registry& registry, Settings& settings, SettingsWindow& window) {
    if (!registry.KeyExists(kPosFlagsKey)) {
        MigrateSettings(registry, settings, window);
        return false;
    }
    ReadPlacement(registry, kPosFlagsKey, std::size(kPlacementValues), window);

    if (!registry.CreateKey(kSettingsKey))
        return false;
    ReadMp3Base(registry, kSettingsKey, settings);
    ReadFlag(registry, kSettingsKey, QStringLiteral("Cache"), settings.Cache);
    ReadFlag(registry, kSettingsKey, QStringLiteral("TrayIcons"), settings.TrayControls);
    for (const TrayValue& v : kTrayValues)
        ReadFlag(registry, kSettingsKey, Name(v.name), settings.Tray[v.icon]);
    ReadTagReading(registry, settings.Tags);

    if (!registry.CreateKey(kVisFlagsKey))
        return false;
    for (const ToggleValue& v : kToggleValues) {
        const std::optional<int32_t> value = registry.ReadInteger(kVisFlagsKey, Name(v.name));
        if (value && (*value != 0) == v.performWhenSet)
            window.Perform(v.toggle);
    }

    if (!registry.CreateKey(kBarKey))
        return false;
    settings.Groups.resize(std::max(settings.Groups.size(), kFixedSideBarGroups));
    ReadIconKind(registry, kOrvaneIconSize, settings.Groups[0].IconKind);
    ReadIconKind(registry, kPersonalIconSize, settings.Groups[1].IconKind);

    if (!registry.CreateKey(kGroupsKey))
        return false;
    settings.Groups.resize(kFixedSideBarGroups);
    for (const QString& keyName : registry.SubKeys(kGroupsKey)) {
        const QString key = kGroupsKey + u'\\' + keyName;
        if (!registry.CreateKey(key))
            return false;
        SideBarGroup group{DecodeGroupKeyName(keyName), kSmallIcons, {}};
        for (const QString& valueName : registry.ValueNames(key))
            if (const std::optional<QString> caption = registry.ReadText(key, valueName))
                group.Items.append(*caption);
        settings.Groups.push_back(std::move(group));
    }
    return true;
}

bool SaveSettings(Registry& registry, const Settings& settings, const SettingsWindow& window) {
    const auto flag = [](bool on) {
        return on ? 1 : 0;
    };
    if (!registry.CreateKey(kSettingsKey) ||
        !registry.WriteText(kSettingsKey, QStringLiteral("MP3Base"), settings.Mp3Base) ||
        !registry.WriteText(kSettingsKey, QStringLiteral("MP3Player"), settings.Mp3Player) ||
        !registry.WriteInteger(kSettingsKey, QStringLiteral("Cache"), flag(settings.Cache)) ||
        !registry.WriteInteger(kSettingsKey, QStringLiteral("TrayIcons"),
                               flag(settings.TrayControls)) ||
        !registry.WriteInteger(kSettingsKey, kReadId3v2Value, int(settings.Tags.id3v2)) ||
        !registry.WriteInteger(kSettingsKey, kCodePageValue, settings.Tags.codePage))
        return false;
    for (const TrayValue& v : kTrayValues)
        if (!registry.WriteInteger(kSettingsKey, Name(v.name), flag(settings.Tray[v.icon])))
            return false;

    if (!registry.CreateKey(kVisFlagsKey))
        return false;
    for (const ToggleValue& v : kToggleValues)
        if (!registry.WriteInteger(kVisFlagsKey, Name(v.name), flag(window.IsChecked(v.toggle))))
            return false;

    if (!registry.CreateKey(kPosFlagsKey))
        return false;
    const WindowPlacement placement = window.Placement();
    for (const PlacementValue& v : kPlacementValues)
        if (!registry.WriteInteger(kPosFlagsKey, Name(v.name), placement.*v.field))
            return false;

    const int orvaneIcons = settings.Groups.size() > 0 ? settings.Groups[0].IconKind : kSmallIcons;
    const int personalIcons =
        settings.Groups.size() > 1 ? settings.Groups[1].IconKind : kSmallIcons;
    if (!registry.CreateKey(kBarKey) ||
        !registry.WriteInteger(kBarKey, kOrvaneIconSize, orvaneIcons) ||
        !registry.WriteInteger(kBarKey, kPersonalIconSize, personalIcons))
        return false;

    if (!registry.CreateKey(kGroupsKey))
        return false;
    for (const QString& old : registry.SubKeys(kGroupsKey))
        if (!registry.DeleteKey(kGroupsKey + u'\\' + old))
            return false;
    QStringList taken;
    for (size_t g = kFixedSideBarGroups; g < settings.Groups.size(); ++g) {
        const SideBarGroup& group = settings.Groups[g];
        const QString keyName = EncodeGroupKeyName(group.Caption, taken);
        taken.append(keyName);
        const QString key = kGroupsKey + u'\\' + keyName;
        if (!registry.CreateKey(key))
            return false;
        for (qsizetype i = 0; i < group.Items.size(); ++i)
            if (!registry.WriteText(key, QStringLiteral("Item") + QString::number(i),
                                    group.Items[i]))
                return false;
    }
    return registry.Flush();
}

bool MigrateSettings(Registry& registry, Settings& settings, SettingsWindow& window) {
    if (!registry.KeyExists(kOldSettingsKey))
        return false;
    ReadMp3Base(registry, kOldSettingsKey, settings);
    settings.Mp3Player =
        registry.ReadText(kOldSettingsKey, QStringLiteral("MP3Player")).value_or(QString());
    ReadFlag(registry, kOldSettingsKey, QStringLiteral("Cache"), settings.Cache);
    ReadPlacement(registry, kOldSettingsKey, 4, window); // SelectX .. SelectHeight
    SaveSettings(registry, settings, window);
    return true;
}

QString EncodeGroupKeyName(const QString& caption, const QStringList& taken) {
    QString name;
    name.reserve(caption.size());
    for (QChar c : caption) {
        if (c == u'%' || c == u'\\' || c.unicode() < 0x20)
            name += u'%' + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
            name += c;
    }
    const auto isTaken = [&](const QString& candidate) {
        return std::any_of(taken.begin(), taken.end(),
                           [&](const QString& t) { return SameTextNoCase(t, candidate); });
    };
    if (!name.isEmpty() && !isTaken(name))
        return name;
    for (int n = 2;; ++n) {
        const QString candidate = name + QStringLiteral("%#") + QString::number(n);
        if (!isTaken(candidate))
            return candidate;
    }
}

QString DecodeGroupKeyName(const QString& keyName) {
    QString name = keyName;
    const qsizetype mark = name.lastIndexOf(QStringLiteral("%#"));
    if (mark >= 0) {
        const QStringView number = QStringView(name).sliced(mark + 2);
        if (!number.isEmpty() && std::all_of(number.begin(), number.end(),
                                             [](QChar c) { return c >= u'0' && c <= u'9'; }))
            name.truncate(mark);
    }
    QString caption;
    caption.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] == u'%' && i + 2 < name.size() && IsHexDigit(name[i + 1]) &&
            IsHexDigit(name[i + 2])) {
            caption += QChar(char16_t(QStringView(name).sliced(i + 1, 2).toUInt(nullptr, 16)));
            i += 2;
        } else {
            caption += name[i];
        }
    }
    return caption;
}

void ApplyTrayIcons(TrayIconSwitch& icons, const TrayIconFlags& flags) {
    for (TrayIconId id : kTrayIcons)
        icons.SetTrayIconShown(id, false);
    QCoreApplication::processEvents();
    for (TrayIconId id : kTrayIcons)
        if (flags[id])
            icons.SetTrayIconShown(id, true);
}

} // namespace orvane
