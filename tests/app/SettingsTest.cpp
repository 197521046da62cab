#include "app/Settings.h"
#include "app/FirstRun.h"
#include "app/Preferences.h"

#include "platform/DirectoryWalk.h"
#include "platform/MemoryRegistry.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

const QString kMain = u"software\\brimtove\\orvane"_s;
const QString kPos = kMain + u"\\posflags"_s;
const QString kVis = kMain + u"\\visflags"_s;
const QString kBar = kMain + u"\\orvanebar"_s;
const QString kGroups = kBar + u"\\groups"_s;

// The main window as the settings see it, recording the commands run on it. Its commands work
// as the window's do: the two browse pages check themselves and uncheck each other, the others
// flip their check marks.
class FakeWindow : public SettingsWindow {
public:
    WindowPlacement placement{100, 50, 900, 600, 200, 120};
    std::array<bool, 6> checked{true, false, true, true, true, true};
    std::vector<ViewToggle> performed;

    WindowPlacement Placement() const override { return placement; }
    void SetPlacement(const WindowPlacement& p) override { placement = p; }
    bool IsChecked(ViewToggle t) const override { return checked[size_t(t)]; }
    void Perform(ViewToggle t) override {
        performed.push_back(t);
        if (t == ViewToggle::OrvaneBar || t == ViewToggle::Folders) {
            checked[size_t(ViewToggle::OrvaneBar)] = t == ViewToggle::OrvaneBar;
            checked[size_t(ViewToggle::Folders)] = t == ViewToggle::Folders;
        } else {
            checked[size_t(t)] = !checked[size_t(t)];
        }
    }
};

bool SamePlacement(const WindowPlacement& a, const WindowPlacement& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height &&
           a.BrowserWidth == b.BrowserWidth && a.BottomHeight == b.BottomHeight;
}

// Each group as its caption, icon kind and items.
QStringList Describe(const std::vector<SideBarGroup>& groups) {
    QStringList text;
    for (const auto& g : groups)
        text << g.Caption + u'|' + QString::number(g.IconKind) + u'|' + g.Items.join(u'|');
    return text;
}

Settings SampleSettings() {
    Settings s;
    s.Mp3Base = u"/home/me/Music \"mine\""_s;
    s.Mp3Player = u"c:\\players\\play.exe"_s;
    s.Cache = false;
    s.TrayControls = false;
    s.Tray[TrayIconId::Play] = false;
    s.Tray[TrayIconId::Next] = false;
    s.Groups[0].IconKind = kLargeIcons;
    s.Groups.push_back({u"Road trip"_s, kSmallIcons, {u"Drive"_s, u"Coast \\ hills"_s}});
    s.Groups.push_back({u"Empty"_s, kSmallIcons, {}});
    s.Groups.push_back({u"AC\\DC 100%"_s, kSmallIcons, {u"Live"_s}});
    s.Groups.push_back({u"road TRIP"_s, kSmallIcons, {u"Other"_s}});
    s.Groups.push_back({QString(), kSmallIcons, {u"Nameless"_s}});
    return s;
}

TEST(Settings, LayoutIsWrittenAndReadBackWhole) {
    MemoryRegistry registry;
    FakeWindow window;
    window.placement = {-20, 30, 1024, 700, 250, 90};
    window.checked = {false, true, false, true, false, true};
    const Settings saved = SampleSettings();
    ASSERT_TRUE(SaveSettings(registry, saved, window));

    EXPECT_EQ(registry.ReadText(kMain, u"MP3Player"_s), saved.Mp3Player);
    EXPECT_EQ(registry.ReadInteger(kMain, u"Cache"_s), 0);
    EXPECT_EQ(registry.ReadInteger(kMain, u"TrayPrevious"_s), 1);
    EXPECT_EQ(registry.ReadInteger(kVis, u"Statusbar"_s), 0);
    EXPECT_EQ(registry.ReadInteger(kPos, u"SelectX"_s), -20);
    EXPECT_EQ(registry.ReadInteger(kBar, u"Orvane_iconsize"_s), kLargeIcons);
    EXPECT_EQ(registry.ReadInteger(kBar, u"Personal_iconsize"_s), kSmallIcons);
    // Every user group is one key; none of them was split by the backslash or merged by case.
    ASSERT_EQ(registry.SubKeys(kGroups).size(), 5);
    EXPECT_EQ(registry.ValueNames(kGroups + u"\\Road trip"_s),
              (QStringList{u"Item0"_s, u"Item1"_s}));
    EXPECT_TRUE(registry.KeyExists(kGroups + u"\\Empty"_s));
    EXPECT_TRUE(registry.ValueNames(kGroups + u"\\Empty"_s).isEmpty());

    Settings loaded;
    loaded.Mp3Player = u"unchanged: not read by a load"_s;
    FakeWindow fresh;
    ASSERT_TRUE(LoadSettings(registry, loaded, fresh));
    EXPECT_EQ((QStringList{loaded.Mp3Base, loaded.Mp3Player}),
              (QStringList{saved.Mp3Base, u"unchanged: not read by a load"_s}));
    EXPECT_EQ(std::pair(loaded.Cache, loaded.TrayControls),
              std::pair(saved.Cache, saved.TrayControls));
    EXPECT_EQ(loaded.Tray.shown, saved.Tray.shown);
    EXPECT_TRUE(SamePlacement(fresh.placement, window.placement));
    EXPECT_EQ(fresh.checked, window.checked);
    EXPECT_EQ(Describe(loaded.Groups), Describe(saved.Groups));

    // Saving again replaces the groups instead of adding to them.
    loaded.Groups.resize(3);
    ASSERT_TRUE(SaveSettings(registry, loaded, fresh));
    EXPECT_EQ(registry.SubKeys(kGroups), QStringList{u"Road trip"_s});
}

TEST(Settings, ViewFlagsRunTheirCommandsOnceAndInTableOrder) {
    MemoryRegistry registry;
    ASSERT_TRUE(registry.CreateKey(kPos));
    ASSERT_TRUE(registry.CreateKey(kVis));
    const std::pair<const char16_t*, int> values[] = {{u"OrvaneBar", 1}, {u"Folders", 0},
                                                      {u"Statusbar", 0}, {u"Lyrics", 1},
                                                      {u"Cover", 0},     {u"ShowXtraInfo", 1}};
    for (const auto& [name, value] : values)
        registry.WriteInteger(kVis, QString::fromUtf16(name), value);
    Settings settings;
    FakeWindow window;
    ASSERT_TRUE(LoadSettings(registry, settings, window));
    EXPECT_EQ(
        window.performed,
        (std::vector<ViewToggle>{ViewToggle::OrvaneBar, ViewToggle::Statusbar, ViewToggle::Cover}));

    // Statusbar 1 and a missing OrvaneBar run nothing.
    registry.WriteInteger(kVis, u"Statusbar"_s, 1);
    registry.WriteText(kVis, u"OrvaneBar"_s, u"1"_s);
    window.performed.clear();
    LoadSettings(registry, settings, window);
    EXPECT_EQ(window.performed, std::vector<ViewToggle>{ViewToggle::Cover});
}

TEST(Settings, MissingOrWrongValuesLeaveSettingsAsTheyWere) {
    MemoryRegistry registry;
    ASSERT_TRUE(registry.CreateKey(kPos));
    registry.WriteInteger(kPos, u"SelectWidth"_s, 640);
    registry.WriteText(kPos, u"SelectX"_s, u"12"_s); // a text, not an integer
    registry.CreateKey(kMain);
    registry.WriteText(kMain, u"Cache"_s, u"0"_s);
    registry.WriteInteger(kMain, u"TrayStop"_s, 0);
    registry.CreateKey(kBar);
    registry.WriteInteger(kBar, u"Personal_iconsize"_s, 7); // no icon kind

    Settings settings;
    settings.Mp3Base = u"/before"_s;
    FakeWindow window;
    const WindowPlacement before = window.placement;
    EXPECT_TRUE(LoadSettings(registry, settings, window));
    WindowPlacement expected = before;
    expected.Width = 640;
    EXPECT_TRUE(SamePlacement(window.placement, expected));
    EXPECT_EQ(std::tuple(settings.Cache, settings.Tray[TrayIconId::Stop],
                         settings.Tray[TrayIconId::Pause]),
              std::tuple(true, false, true));
    EXPECT_EQ(settings.Groups[1].IconKind, kSmallIcons);
    // No MP3Base, or an empty one, is the user's music folder, never the file system's root.
    EXPECT_EQ(settings.Mp3Base, DefaultMp3Base());
    EXPECT_FALSE(settings.Mp3Base.isEmpty());
    registry.WriteText(kMain, u"MP3Base"_s, {});
    settings.Mp3Base = u"/before"_s;
    EXPECT_TRUE(LoadSettings(registry, settings, window));
    EXPECT_EQ(settings.Mp3Base, DefaultMp3Base());
    EXPECT_EQ(settings.Groups.size(), kFixedSideBarGroups);
    EXPECT_TRUE(window.performed.empty());
}

TEST(Settings, OldLayoutIsTakenOverAndTheNewOneWrittenAtOnce) {
    MemoryRegistry registry;
    const QString old = u"brimtove\\orvane"_s;
    ASSERT_TRUE(registry.CreateKey(old));
    registry.WriteText(old, u"MP3Base"_s, u"d:\\mp3"_s);
    registry.WriteText(old, u"MP3Player"_s, u"c:\\old\\player.exe"_s);
    // TrayStop is not one of the values taken over.
    for (const auto& [name, value] : {std::pair{u"Cache"_s, 0},
                                      {u"SelectX"_s, 11},
                                      {u"SelectY"_s, 22},
                                      {u"SelectWidth"_s, 733},
                                      {u"SelectHeight"_s, 544},
                                      {u"TrayStop"_s, 0}})
        registry.WriteInteger(old, name, value);

    Settings settings;
    FakeWindow window;
    EXPECT_FALSE(LoadSettings(registry, settings, window)); // the migration ran instead
    EXPECT_EQ(settings.Mp3Base, u"d:\\mp3");
    EXPECT_EQ(settings.Mp3Player, u"c:\\old\\player.exe");
    EXPECT_FALSE(settings.Cache);
    EXPECT_TRUE(settings.Tray[TrayIconId::Stop]);
    EXPECT_TRUE(SamePlacement(window.placement, {11, 22, 733, 544, 200, 120}));

    EXPECT_EQ(registry.ReadText(kMain, u"MP3Base"_s), u"d:\\mp3");
    EXPECT_EQ(registry.ReadText(kMain, u"MP3Player"_s), u"c:\\old\\player.exe");
    EXPECT_EQ(registry.ReadInteger(kPos, u"SelectHeight"_s), 544);
    for (const QString& key : {kVis, kGroups, old})
        EXPECT_TRUE(registry.KeyExists(key)) << key.toStdString();

    // The next load reads the new layout.
    Settings next;
    FakeWindow nextWindow;
    EXPECT_TRUE(LoadSettings(registry, next, nextWindow));
    EXPECT_EQ(next.Mp3Base, u"d:\\mp3");
}

TEST(Settings, FirstRunIsTestedOnBothLayoutsAndNoLayoutWritesNothing) {
    MemoryRegistry none, old, current;
    old.CreateKey(u"BRIMTOVE\\Orvane"_s);
    current.CreateKey(u"software\\brimtove\\orvane"_s);
    EXPECT_TRUE(IsFirstRun(none));
    EXPECT_FALSE(IsFirstRun(old));
    EXPECT_FALSE(IsFirstRun(current));
    // No layout at all: the defaults stay and nothing is written.
    Settings kept;
    kept.Mp3Base = u"/chosen"_s;
    FakeWindow window;
    EXPECT_FALSE(LoadSettings(none, kept, window));
    EXPECT_EQ(kept.Mp3Base, u"/chosen");
    EXPECT_TRUE(none.SubKeys(QString()).isEmpty());

    test::ScriptedPrompts prompts;
    Settings settings;
    settings.Mp3Base = u"/default"_s;
    EXPECT_FALSE(RunFirstRunPrompt(old, prompts, settings));
    EXPECT_TRUE(prompts.shown().empty());

    EXPECT_TRUE(RunFirstRunPrompt(none, prompts, settings)); // browser cancelled
    EXPECT_EQ(settings.Mp3Base, u"/default");
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Information);
    EXPECT_EQ(prompts.texts()[0], u"This seems to be your firs time running Orvane.\nYou need to "
                                  u"specify the path to your MP3 collection.");
    EXPECT_EQ(prompts.texts()[1], u"Select mp3 path");

    prompts.AnswerFolder(u"/picked"_s);
    RunFirstRunPrompt(none, prompts, settings);
    EXPECT_EQ(settings.Mp3Base, u"/picked");
}

TEST(Settings, GroupKeyNamesComeBackWhole) {
    const QString captions[] = {u"Plain"_s, u"a\\b"_s,        u"100%"_s, u"%41"_s,
                                u"x%#3"_s,  u"line\nbreak"_s, QString(), u"\\"_s};
    QStringList taken;
    for (const QString& caption : captions) {
        const QString name = EncodeGroupKeyName(caption, taken);
        EXPECT_TRUE(IsValidKeyName(name)) << name.toStdString();
        EXPECT_EQ(DecodeGroupKeyName(name), caption) << name.toStdString();
        taken.append(name);
    }
    EXPECT_EQ(EncodeGroupKeyName(u"Plain"_s, {}), u"Plain");
    EXPECT_EQ(EncodeGroupKeyName(u"PLAIN"_s, {u"plain"_s}), u"PLAIN%#2");
    EXPECT_EQ(DecodeGroupKeyName(u"Made by 50% of us"_s), u"Made by 50% of us");
}

class RecordingSwitch : public TrayIconSwitch {
public:
    std::vector<std::pair<TrayIconId, bool>> calls;
    void SetTrayIconShown(TrayIconId icon, bool shown) override { calls.emplace_back(icon, shown); }
};

TEST(Settings, TrayIconsGoOffThenOnInTheirOrder) {
    RecordingSwitch icons;
    TrayIconFlags flags;
    flags[TrayIconId::Previous] = false;
    flags[TrayIconId::Stop] = false;
    ApplyTrayIcons(icons, flags);
    // All go off first, in their order; then those shown come back, in the same order.
    ASSERT_EQ(icons.calls.size(), 10u);
    using enum TrayIconId;
    const TrayIconId order[] = {Orvane, Previous, Play, Pause, Stop, Next};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(icons.calls[i], std::pair(order[i], false)) << i;
    EXPECT_EQ(std::vector(icons.calls.begin() + 6, icons.calls.end()),
              (std::vector<std::pair<TrayIconId, bool>>{
                  {Orvane, true}, {Play, true}, {Pause, true}, {Next, true}}));
}

TEST(Preferences, BaseFolderChangeRules) {
    struct Case {
        const char16_t* text;
        const char16_t* current;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {u"/music", u"/music", std::nullopt},
        // One trailing separator going and letter case counting: OkTakesTheFieldsRescansAndSaves.
        {u"/music//", u"/music", u"/music/"_s}, // only one separator goes
        {u"/music", u"/music/", u"/music"_s},   // exact comparison
        {u"/", u"/music", u"/"_s},              // the root stays the root
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChangedMp3Base(QString::fromUtf16(c.text), QString::fromUtf16(c.current)),
                  c.expected)
            << QString::fromUtf16(c.text).toStdString();
}

TEST(Preferences, OkTakesTheFieldsRescansAndSaves) {
    test::TempDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.file(u"Songs"_s)));
    MemoryRegistry registry;
    FakeWindow window;
    test::ScriptedPrompts prompts;
    Settings settings;
    settings.Mp3Base = dir.file(u"songs"_s);
    QStringList rescans;
    PreferencesContext context{settings, registry, window, prompts, [&](const QString& base) {
                                   rescans.append(base);
                               }};

    PreferencesChoice choice = PreferencesOnShow(settings);
    EXPECT_EQ(choice.Mp3BaseText, settings.Mp3Base);
    EXPECT_EQ(choice.Icons, (std::array<bool, 6>{true, true, true, true, true, true}));

    // A folder that is not there keeps the dialog open and changes nothing.
    choice.Mp3BaseText = dir.file(u"missing/"_s);
    EXPECT_FALSE(AcceptPreferences(choice, context));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Warning);
    EXPECT_TRUE(prompts.texts()[0].contains(dir.file(u"missing"_s)));
    EXPECT_TRUE(rescans.isEmpty());
    EXPECT_FALSE(registry.KeyExists(kMain));

    // Nor does a folder that is there but cannot be read: a rescan would find nothing in it.
    const QString closed = dir.file(u"closed"_s);
    ASSERT_TRUE(QDir().mkpath(closed));
    SetFolderListingFailureForTests([&](const QString& f) { return f == closed + u'/'; });
    choice.Mp3BaseText = closed;
    EXPECT_FALSE(AcceptPreferences(choice, context));
    SetFolderListingFailureForTests({});
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_TRUE(prompts.texts()[1].startsWith(u"The folder \"%1\" cannot be read"_s.arg(closed)));
    EXPECT_TRUE(rescans.isEmpty());

    // Another letter case is another folder: taken without its trailing separator, rescanned.
    choice.Mp3BaseText = dir.file(u"Songs/"_s);
    choice.TrayControls = false;
    choice.Icons = {false, true, true, true, true, false}; // Previous and Orvane off
    EXPECT_TRUE(AcceptPreferences(choice, context));
    EXPECT_EQ(rescans, QStringList{dir.file(u"Songs"_s)});
    EXPECT_EQ(settings.Mp3Base, dir.file(u"Songs"_s));
    EXPECT_EQ(std::tuple(settings.TrayControls, settings.Tray[TrayIconId::Previous],
                         settings.Tray[TrayIconId::Orvane], settings.Tray[TrayIconId::Next]),
              std::tuple(false, false, false, true));
    EXPECT_EQ(registry.ReadText(kMain, u"MP3Base"_s), dir.file(u"Songs"_s));
    EXPECT_EQ(registry.ReadInteger(kMain, u"TrayOrvane"_s), 0);

    // Unchanged folder: no rescan; a store that refuses writes is reported.
    registry.SetReadOnly(true);
    choice = PreferencesOnShow(settings);
    EXPECT_TRUE(AcceptPreferences(choice, context));
    EXPECT_EQ(rescans.size(), 1);
    EXPECT_EQ(prompts.texts().last(), u"Unable to write settings to registry");
}

TEST(Preferences, TagReadingIsInForceStoredAndOffersARefresh) {
    test::TempDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.file(u"other"_s)));
    MemoryRegistry registry;
    FakeWindow window;
    test::ScriptedPrompts prompts;
    Settings settings;
    settings.Mp3Base = dir.path();
    int rescans = 0, offers = 0;
    PreferencesContext context{settings,
                               registry,
                               window,
                               prompts,
                               [&](const QString&) {
                                   ++rescans;
                                   EXPECT_EQ(CurrentTagReading().id3v2, Id3v2Use::Never);
                               },
                               [&] {
                                   ++offers;
                               }};
    PreferencesChoice choice = PreferencesOnShow(settings);
    EXPECT_TRUE(AcceptPreferences(choice, context));
    EXPECT_EQ(offers, 0);

    choice.Tags = {Id3v2Use::Prefer, 1251};
    EXPECT_TRUE(AcceptPreferences(choice, context));
    EXPECT_EQ(offers, 1);
    EXPECT_EQ(CurrentTagReading(), (TagReading{Id3v2Use::Prefer, 1251}));
    EXPECT_EQ(registry.ReadInteger(kMain, u"ReadID3v2"_s), 1);
    EXPECT_EQ(registry.ReadInteger(kMain, u"ID3v1CodePage"_s), 1251);

    // With a new base folder the rescan reads the new way already: nothing more to offer.
    choice.Tags.id3v2 = Id3v2Use::Never;
    choice.Mp3BaseText = dir.file(u"other"_s);
    EXPECT_TRUE(AcceptPreferences(choice, context));
    EXPECT_EQ(std::pair(rescans, offers), std::pair(1, 1));

    // Read back at the next start, and put in force; values out of range give the defaults.
    SetTagReading({});
    Settings loaded;
    ASSERT_TRUE(LoadSettings(registry, loaded, window));
    EXPECT_EQ(CurrentTagReading(), (TagReading{Id3v2Use::Never, 1251}));
    registry.WriteInteger(kMain, u"ReadID3v2"_s, 7);
    registry.WriteInteger(kMain, u"ID3v1CodePage"_s, 437);
    ASSERT_TRUE(LoadSettings(registry, loaded, window));
    EXPECT_EQ(loaded.Tags, TagReading{});
    SetTagReading({});
}

} // namespace
} // namespace orvane
