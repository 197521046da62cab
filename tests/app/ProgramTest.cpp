#include "app/Program.h"
#include "ProgramFixture.h"

#include "app/FirstRun.h"
#include "app/TfrmPreferences.h"
#include "app/TfrmSplash.h"
#include "browser/NetBrowser.h"
#include "browser/ScanProgressWindow.h"
#include "browser/TfrmAbout.h"
#include "store/CacheFile.h"
#include "store/Scanner.h"
#include "store/TagReading.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/Id3v2Fixture.h"
#include "support/audio/AudioFixtures.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QListWidget>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <cstdlib>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;
using test::ScriptedPrompts;

const QString kMainKey = u"software\\brimtove\\orvane"_s;
const QString kPosKey = kMainKey + u"\\posflags"_s;
const QString kVisKey = kMainKey + u"\\visflags"_s;

QApplication& App() {
    return test::WidgetApp();
}

SongRecord Song(const QString& file, const QString& collection) {
    return {file, u"T "_s + file, {}, {}, u"03:00"_s, {}, {}, {}, u"/music/"_s, collection, u"0"_s};
}

using test::ProcessUntil;

class ProgramTest : public test::ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        ASSERT_TRUE(SaveCacheFile(folder + u"local.orv"_s,
                                  std::vector{Song(u"a.mp3"_s, {}), Song(u"b.mp3"_s, {})}));
        original = test::ReadFile(folder + u"local.orv"_s);
    }

    QStringList SavedFileNames() {
        CollectionList reread;
        BrowseLists browse;
        LoadCacheFile(folder + u"local.orv"_s, reread, true, browse);
        QStringList names;
        for (const SongRecord& r : reread)
            names.append(r.FileName);
        return names;
    }

    // local.orv becomes a link to a disk that is not mounted: there, but it cannot be opened.
    QString LinkCacheToAnUnmountedDisk() {
        const QString cache = folder + u"local.orv"_s;
        QFile::remove(cache);
        EXPECT_TRUE(QFile::link(folder + u"unmounted/local.orv"_s, cache));
        return cache;
    }

    // A run that finds x.mp3 in the music folder; returns the notice shown at the start.
    QString RunFindingOneSong() {
        Mp3(u"x.mp3"_s);
        Program program(prompts, registry, folder);
        Start(program);
        const QString notice = program.MainWindow().StatusPanel(1)->text();
        ProcessUntil([&] { return !program.ScannerRunning(); });
        Stop(program);
        return notice;
    }

    QByteArray original;
};

TEST_F(ProgramTest, StartsInNineStepsAndWritesTheOwnCollectionBack) {
    Mp3(u"../recycle/gone.mp3"_s);

    Program program(prompts, registry, folder);
    std::vector<int> steps;
    QObject::connect(&program, &Program::StartupStepped, [&](int p) { steps.push_back(p); });
    Start(program);

    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(program.State().Started);
    EXPECT_EQ(program.Player().CurrentSong(), -1);
    EXPECT_TRUE(program.Player().Stopped());
    ASSERT_EQ(program.Store().Songs.size(), 3);
    const CollectionList& songs = program.Store().Songs;
    EXPECT_EQ((QStringList{songs[0].Collection, songs[2].FileName, songs[2].NewFlag}),
              (QStringList{u"local.orv"_s, u"gone.mp3"_s, u"1"_s}));
    EXPECT_TRUE(QDir(folder + u"logs"_s).exists());

    // An imported collection's songs are not written into local.orv.
    program.Store().Songs.append(Song(u"far.mp3"_s, u"friend.orv"_s));

    Stop(program);
    program.RequestShutdown(); // a second request does nothing

    EXPECT_EQ(SavedFileNames(), (QStringList{u"a.mp3"_s, u"b.mp3"_s, u"gone.mp3"_s}));
    EXPECT_FALSE(QFile::exists(folder + u"local.orv.bak"_s)); // read whole: no backup kept
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(ProgramTest, AnUnchangedCollectionIsLeftAsItWasAndAChangedOneIsWritten) {
    // Line ends and a Latin-1 line that a rewrite would turn into CRLF and UTF-8.
    const QByteArray lines = "[Orvane Cache File version1.4]\na.mp3[;]T[;][;][;]03:00[;][;][;][;]"
                             "/music/[;]\nb.mp3[;]Caf\xe9[;][;][;]03:00[;][;][;][;]/music/[;]\n";
    ASSERT_TRUE(test::WriteFile(folder + u"local.orv"_s, lines));
    ASSERT_TRUE(QDir().mkpath(folder + u"lib"_s));
    ASSERT_TRUE(SaveCacheFile(folder + u"lib/friend.orv"_s, std::vector{Song(u"far.mp3"_s, {})}));
    {
        Program program(prompts, registry, folder);
        Start(program, true);
        ASSERT_EQ(program.Store().Songs.size(), 3);
        Stop(program);
    }
    EXPECT_EQ(test::ReadFile(folder + u"local.orv"_s), lines);

    Program program(prompts, registry, folder);
    Start(program, true);
    SongRecord changed = program.Store().Songs[1];
    changed.Artist = u"Someone"_s;
    program.Store().Songs.replace(1, changed);
    Stop(program);
    CollectionList reread;
    BrowseLists browse;
    LoadCacheFile(folder + u"local.orv"_s, reread, true, browse);
    ASSERT_EQ(reread.size(), 2);
    EXPECT_EQ((QStringList{reread[1].Title, reread[1].Artist}),
              (QStringList{u"Caf\u00e9"_s, u"Someone"_s}));
}

TEST_F(ProgramTest, AnEndBeforeOrDuringTheSplashLeavesTheCollectionFileAlone) {
    {
        Program program(prompts, registry, folder);
        bool stopped = false;
        QObject::connect(&program, &Program::ShutdownFinished, [&] { stopped = true; });
        program.RequestShutdown();
        EXPECT_TRUE(stopped);
        program.Show(); // a late show must not start anything
        QCoreApplication::processEvents();
        EXPECT_EQ(program.Store().Songs.size(), 0);
    }
    Program program(prompts, registry, folder);
    bool stopped = false;
    QObject::connect(&program, &Program::StartupStepped, [&](int p) {
        if (p == 2)
            program.RequestShutdown();
    });
    QObject::connect(&program, &Program::ShutdownFinished, [&] { stopped = true; });
    program.Show();
    ProcessUntil([&] { return stopped; });
    EXPECT_EQ(program.Store().Songs.size(), 0);
    EXPECT_FALSE(program.State().Started);
    EXPECT_EQ(test::ReadFile(folder + u"local.orv"_s), original);
    // The settings were not loaded yet, so they were not written over either.
    EXPECT_TRUE(registry.ValueNames(kPosKey).isEmpty());
    EXPECT_EQ(program.Scanner(), nullptr);
}

TEST_F(ProgramTest, FirstStartAsksForTheFolderOnceAndTheNextStartDoesNot) {
    MemoryRegistry fresh;
    Mp3(u"found.mp3"_s);
    prompts.AnswerFolder(music);
    {
        Program program(prompts, fresh, folder);
        Start(program);
        ASSERT_EQ(prompts.shown().size(), 2u);
        EXPECT_EQ(program.CurrentSettings().Mp3Base, music);
        EXPECT_FALSE(fresh.KeyExists(kMainKey)); // written at shutdown
        ProcessUntil([&] { return !program.ScannerRunning(); });
        Stop(program);
    }
    EXPECT_EQ(fresh.ReadText(kMainKey, u"MP3Base"_s), music);
    EXPECT_TRUE(fresh.KeyExists(kPosKey));
    EXPECT_EQ(SavedFileNames(), (QStringList{u"a.mp3"_s, u"b.mp3"_s, u"found.mp3"_s}));

    ScriptedPrompts later;
    Program program(later, fresh, folder);
    Start(program);
    EXPECT_TRUE(later.shown().empty());
    EXPECT_EQ(program.CurrentSettings().Mp3Base, music);
    Stop(program);
}

TEST_F(ProgramTest, StoredViewFlagsAndPlacementReachTheWindow) {
    ASSERT_TRUE(registry.CreateKey(kVisKey));
    const std::tuple<QString, QString, int> stored[] = {{kVisKey, u"Statusbar"_s, 0},
                                                        {kVisKey, u"Folders"_s, 1},
                                                        {kPosKey, u"SelectWidth"_s, 777},
                                                        {kPosKey, u"SelectHeight"_s, 555},
                                                        {kPosKey, u"Folders"_s, 180}};
    for (const auto& [key, name, value] : stored)
        registry.WriteInteger(key, name, value);
    {
        Program program(prompts, registry, folder);
        Start(program);
        TfrmMain& window = program.MainWindow();
        // The status bar toggled once from checked; the browser page chosen, not the bar.
        EXPECT_EQ((std::vector<int>{
                      window.Showstatusbar()->isChecked(), window.statusBar()->isHidden(),
                      window.Showbrowser1()->isChecked(), window.ShowOrvanebar1()->isChecked(),
                      window.width(), window.height(), window.BrowserWidth()}),
                  (std::vector<int>{false, true, true, false, 777, 555, 180}));
        Stop(program);
    }
    // Written back as read, so the next start shows the same.
    for (const auto& [key, name, value] : stored)
        EXPECT_EQ(registry.ReadInteger(key, name), value) << name.toStdString();
    EXPECT_EQ(registry.ReadInteger(kVisKey, u"OrvaneBar"_s), 0);
}

TEST_F(ProgramTest, StartUpOpensTheFavouritesViewAndTheViewsShowTheCollection) {
    auto song = [](const QString& file, const QString& artist, const QString& album,
                   const QString& genre) {
        SongRecord r = Song(file, {});
        r.Artist = artist;
        r.Album = album;
        r.Genre = genre;
        return r;
    };
    ASSERT_TRUE(SaveCacheFile(folder + u"local.orv"_s,
                              std::vector{song(u"a.mp3"_s, u"Ann"_s, u"Blue"_s, u"Jazz"_s),
                                          song(u"b.mp3"_s, u"Bob"_s, u"Red"_s, u"Rock"_s),
                                          song(u"c.mp3"_s, u"Ann"_s, u"Green"_s, u"Jazz"_s)}));
    Program program(prompts, registry, folder);
    Start(program);
    TfrmMain& window = program.MainWindow();
    EXPECT_EQ(window.CurrentView(), ViewKind::Favourites);
    EXPECT_EQ(window.windowTitle(), u"Favourites - Orvane");
    EXPECT_TRUE(window.tvFolders()->topLevelItem(0)->isExpanded());
    QStringList genres;
    for (int i = 0; i < window.lbGenres()->count(); ++i)
        genres.append(window.lbGenres()->item(i)->text());
    EXPECT_EQ(genres, (QStringList{u"Jazz"_s, u"Rock"_s}));
    EXPECT_EQ(window.FilesModel()->filePath(window.tvFiles()->currentIndex()), music);
    // The start page waits for the net browser's first showing; the web engine is not started.
    EXPECT_TRUE(
        program.NetBrowser().RequestedUrl().toLocalFile().endsWith(u"html/orvane_startpage.htm"_s));
    EXPECT_EQ(program.NetBrowser().View(), nullptr);
    EXPECT_TRUE(program.NetBrowser().cbURL()->currentText().isEmpty());
    // The about window shows this build's version.
    QString version;
    QTimer::singleShot(0, [&] {
        if (auto* about = qobject_cast<TfrmAbout*>(QApplication::activeModalWidget())) {
            version = about->lblVersion()->text();
            about->close();
        }
    });
    window.Command(u"About2"_s)->trigger();
    EXPECT_EQ(version, QStringLiteral(ORVANE_VERSION));
    EXPECT_EQ(window.PlayingSongsCaption()->text(), u"Duration") << "no length known yet";

    // The genre view shows the songs of the genre clicked.
    window.SelectFolderNode(u"Genres"_s);
    window.lbGenres()->setCurrentRow(0);
    emit window.lbGenres()->itemClicked(window.lbGenres()->item(0));
    ASSERT_EQ(window.SelectionModel()->rowCount(), 2);
    EXPECT_EQ(window.CaptionBar()->text(), u"00:06:00");

    // "Show all from artist" on Ann's row of the album view.
    window.SelectFolderNode(u"Albums"_s);
    const QList<QListWidgetItem*> blue = window.lvAlbums()->findItems(u"Blue"_s, Qt::MatchExactly);
    ASSERT_EQ(blue.size(), 1);
    window.lvAlbums()->setCurrentItem(blue[0]);
    ASSERT_EQ(window.SelectionModel()->rowCount(), 1);
    EXPECT_EQ(window.TitleText(), u"Blue");
    EXPECT_FALSE(window.Command(u"Showallfromartist1"_s)->isEnabled()); // no row selected
    window.lvSelection()->selectRow(0);
    window.Command(u"Showallfromartist1"_s)->trigger();
    ASSERT_EQ(window.SelectionModel()->rowCount(), 2);
    EXPECT_EQ(window.SelectionModel()->Row(1).FileName, u"c.mp3");
    EXPECT_EQ(window.TitleText(), u"Blue"); // the view and its title stay
    EXPECT_TRUE(prompts.shown().empty());
    Stop(program);
}

TEST_F(ProgramTest, ClosingDuringABackgroundScanWaitsForTheScannerAndKeepsItsSongs) {
    constexpr int kSongs = 300;
    for (int i = 0; i < kSongs; ++i)
        Mp3(u"Artist %1/song%2.mp3"_s.arg(i % 4).arg(i, 3, 10, QChar(u'0')));
    Program program(prompts, registry, folder);
    qsizetype handed = 0;
    bool stopped = false, scannerRunningAtEnd = true, windowVisibleAtEnd = true;
    QObject::connect(&program, &Program::SongsHandedOver, [&](qsizetype files) {
        if (handed == 0)
            QMetaObject::invokeMethod(&program, &Program::RequestShutdown, Qt::QueuedConnection);
        handed += files;
    });
    QObject::connect(&program, &Program::ShutdownFinished, [&] {
        stopped = true;
        scannerRunningAtEnd = program.ScannerRunning();
        windowVisibleAtEnd = program.MainWindow().isVisible();
    });
    program.Show();
    ProcessUntil([&] { return stopped; });
    EXPECT_FALSE(scannerRunningAtEnd);
    EXPECT_TRUE(windowVisibleAtEnd); // the window closes only after the shutdown has run
    ProcessUntil([&] { return !program.MainWindow().isVisible(); });
    EXPECT_GE(handed, kScanBatch);
    // The batch handed over when the request came, those read or asked about meanwhile, no more.
    EXPECT_LE(handed, 3 * kScanBatch);
    // Every song the scanner read went in and was saved.
    const QStringList saved = SavedFileNames();
    EXPECT_EQ(saved.size(), 2 + handed);
    EXPECT_EQ(saved.size(), program.Store().Songs.size());
}

TEST_F(ProgramTest, RefreshDatabaseFromTheMenuRebuildsTheCollection) {
    Mp3(u"x.mp3"_s);
    Mp3(u"sub/y.mp3"_s);
    Program program(prompts, registry, folder);
    Start(program, true);
    bool rebuilt = false, windowShown = false;
    QObject::connect(&program, &Program::CollectionRebuilt, [&] { rebuilt = true; });
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (program.MainWindow().findChild<TfrmInitialise*>())
            windowShown = true;
    });
    probe.start(0);

    // The answer No is ScannerTest's; the toolbar button runs the same handler.
    program.MainWindow().btnAdvRefresh()->click();
    probe.stop();
    EXPECT_TRUE(rebuilt);
    EXPECT_TRUE(windowShown);
    EXPECT_FALSE(program.MainWindow().findChild<TfrmInitialise*>()); // closed again
    EXPECT_FALSE(program.State().ArtistListReady);
    EXPECT_EQ(prompts.shown().size(), 1u);
    Stop(program);
    EXPECT_EQ(SavedFileNames(), (QStringList{u"y.mp3"_s, u"x.mp3"_s}));
}

TEST_F(ProgramTest, AnEndAskedForDuringARefreshComesWhenTheRescanIsDone) {
    Mp3(u"x.mp3"_s);
    Program program(prompts, registry, folder);
    Start(program, true);
    bool stopped = false;
    QObject::connect(&program, &Program::ShutdownFinished, [&] { stopped = true; });
    // Arrives while the rescan lets events through, as a signal from outside would.
    QTimer::singleShot(0, &program, &Program::RequestShutdown);
    program.RefreshDatabase1Click();
    EXPECT_FALSE(stopped);
    ASSERT_EQ(program.Store().Songs.size(), 1);
    ProcessUntil([&] { return stopped; });
    EXPECT_EQ(SavedFileNames(), QStringList{u"x.mp3"_s});
}

TEST_F(ProgramTest, AnEndAskedForWhileTheOptionsDialogIsOpenClosesIt) {
    Program program(prompts, registry, folder);
    Start(program);
    bool stopped = false;
    QObject::connect(&program, &Program::ShutdownFinished, [&] { stopped = true; });
    QTimer::singleShot(0, &program, &Program::RequestShutdown);
    program.Preferences1Click(); // returns once the dialog was closed
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(QApplication::activeModalWidget());
}

// Runs work against the options dialog once it is open, then lets the test go on.
void WithPreferences(Program& program, std::function<void(TfrmPreferences&)> work) {
    QTimer::singleShot(0, [work] {
        auto* dialog = qobject_cast<TfrmPreferences*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "the options dialog is not open";
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        work(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the options dialog stayed open";
            dialog->reject();
        }
    });
    program.Preferences1Click();
}

TEST_F(ProgramTest, OptionsDialogShowsTheSettingsAndOkRescansTheNewFolder) {
    const QString other = folder + u"Other"_s;
    Mp3(u"../Other/deep/new.mp3"_s);
    Program program(prompts, registry, folder);
    Start(program, true);

    WithPreferences(program, [&](TfrmPreferences& d) {
        EXPECT_EQ(d.edMP3Base()->text(), music);
        EXPECT_TRUE(d.cbTrayicons()->isChecked());
        EXPECT_EQ(d.clIcons()->item(0)->text(), u"Previous");
        d.edMP3Base()->setText(u"/no/such/folder"_s);
        d.btnCancel()->click();
    });
    EXPECT_EQ(program.CurrentSettings().Mp3Base, music);
    EXPECT_EQ(program.Store().Songs.size(), 2);

    WithPreferences(program, [&](TfrmPreferences& d) {
        d.edMP3Base()->setText(other + u'/');
        d.clIcons()->item(0)->setCheckState(Qt::Unchecked);
        d.cbTrayicons()->setChecked(false);
        d.btnOk()->click();
    });
    EXPECT_EQ(program.CurrentSettings().Mp3Base, other);
    EXPECT_FALSE(program.CurrentSettings().Tray[TrayIconId::Previous]);
    EXPECT_FALSE(program.CurrentSettings().TrayControls);
    ASSERT_EQ(program.Store().Songs.size(), 1);
    EXPECT_EQ(program.Store().Songs[0].FileName, u"new.mp3");
    EXPECT_EQ(registry.ReadText(kMainKey, u"MP3Base"_s), other);
    EXPECT_EQ(registry.ReadInteger(kMainKey, u"TrayPrevious"_s), 0);
    EXPECT_TRUE(prompts.shown().empty());
    Stop(program);
}

// The page "Tags": the preview shows a song's ID3v1 text in the code page picked; after "&Ok"
// the changed choice offers "Refresh Database", whose rebuild reads the tags the new way.
TEST_F(ProgramTest, TagsPagePreviewsTheCodePageAndOffersARefresh) {
    const QString cyrillic = QString::fromLatin1("\xCF\xE5\xF1\xED\xFF"); // "Песня" in 1251
    Mp3(u"v1.mp3"_s, cyrillic, u"Artist"_s);
    ASSERT_TRUE(test::WriteFile(
        music + u"/v2.mp3"_s,
        test::MakeId3v2Tag(4, {test::TextFrame("TIT2", test::TextEncoding::Utf8, u"Modern"_s)}) +
            test::MakeMpegStream({})));
    registry.WriteInteger(kMainKey, u"ReadID3v2"_s, 2); // never
    Program program(prompts, registry, folder);
    Start(program, true);
    EXPECT_TRUE(program.Store().Songs.FindFile(u"v2.mp3"_s, music + u'/') >= 0);

    prompts.Answer(PromptAnswer::Yes);
    WithPreferences(program, [&](TfrmPreferences& d) {
        EXPECT_EQ(d.cbReadId3v2()->currentIndex(), 2);
        d.Pages()->setCurrentIndex(2);
        d.cbCodePage()->setCurrentIndex(d.cbCodePage()->findData(1251));
        EXPECT_EQ(d.lbPreview()->item(0)->text(), u"Песня - Artist - "_s);
        d.cbReadId3v2()->setCurrentIndex(0);
        d.btnOk()->click();
    });
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.texts()[0], kRefreshDatabaseQuestion);
    QStringList titles;
    for (const SongRecord& r : program.Store().Songs)
        titles.append(r.Title);
    titles.sort();
    EXPECT_EQ(titles, (QStringList{u"Modern"_s, u"Песня"_s}));
    EXPECT_EQ(registry.ReadInteger(kMainKey, u"ID3v1CodePage"_s), 1251);
    Stop(program);
    SetTagReading({});
}

// Prompts that let the test look around when a message is shown.
// Runs onAsk with the text of each question or folder browser while it is open.
class WatchingPrompts : public ScriptedPrompts {
public:
    std::function<void(const QString& text)> onAsk;
    PromptAnswer ask(PromptKind kind, PromptButtons buttons, const QString& text) override {
        if (onAsk)
            onAsk(text);
        return ScriptedPrompts::ask(kind, buttons, text);
    }
    std::optional<QString> chooseFolder(const QString& title, const QString& start) override {
        if (onAsk)
            onAsk(title);
        return ScriptedPrompts::chooseFolder(title, start);
    }
};

TEST_F(ProgramTest, ClosingWhilePlayingStopsThePlayerFirst) {
    ASSERT_EQ(setenv("SDL_AUDIODRIVER", "dummy", 1), 0);
    const QString song = music + u"/long.mp3"_s;
    ASSERT_TRUE(test::audio::WriteToneMp3(song.toStdString(), {.seconds = 20}));
    Program program(prompts, registry, folder);
    Start(program);
    program.Player().PlayFile(song);
    ProcessUntil([&] { return program.Player().Playing(); });
    Stop(program);
    EXPECT_TRUE(program.Player().Stopped()) << "the player was stopped before the end";
    EXPECT_EQ(program.Player().CurrentSong(), -1);
}

TEST_F(ProgramTest, SettingsThatCannotBeSavedAreReportedAfterTheCollectionIsWritten) {
    WatchingPrompts watching;
    Program program(watching, registry, folder);
    Start(program);
    program.Store().Songs.append(Song(u"late.mp3"_s, kLocalCollection));
    QStringList savedWhenWarned;
    watching.onAsk = [&](const QString&) {
        savedWhenWarned = SavedFileNames();
    };
    registry.SetReadOnly(true);
    Stop(program);
    ASSERT_EQ(watching.shown().size(), 1u);
    EXPECT_EQ(watching.shown()[0].kind, PromptKind::Warning);
    EXPECT_EQ(watching.texts()[0], u"Unable to write settings to registry");
    EXPECT_EQ(savedWhenWarned, (QStringList{u"a.mp3"_s, u"b.mp3"_s, u"late.mp3"_s}));
}

TEST_F(ProgramTest, ACollectionThatCannotBeSavedAtTheEndIsToldAndTheOldFileKept) {
    Program program(prompts, registry, folder);
    Start(program);
    program.Store().Songs.append(Song(u"late.mp3"_s, kLocalCollection));
    {
        const test::FileSizeLimit diskFull(40); // the new file cannot be written whole
        Stop(program);
    }
    EXPECT_EQ(test::ReadFile(folder + u"local.orv"_s), original);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Error);
    EXPECT_TRUE(prompts.texts()[0].contains(QDir::toNativeSeparators(folder + u"local.orv"_s)));
}

TEST_F(ProgramTest, ACollectionFileThatCannotBeOpenedIsKeptAsBackup) {
    const QString cache = LinkCacheToAnUnmountedDisk();
    EXPECT_EQ(RunFindingOneSong(), u"Could not read local.orv; it will be kept as local.orv.bak"_s);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(QFileInfo(cache + u".bak"_s).symLinkTarget(), folder + u"unmounted/local.orv"_s);
    EXPECT_EQ(SavedFileNames(), QStringList{u"x.mp3"_s});
}

TEST_F(ProgramTest, ACollectionThatCannotBeKeptAsBackupIsLeftAndTold) {
    const QString cache = LinkCacheToAnUnmountedDisk();
    // A folder with a file in it stands where the backup would go: no copy, no rename.
    ASSERT_TRUE(QDir().mkpath(cache + u".bak/kept"_s));
    RunFindingOneSong();
    EXPECT_EQ(QFileInfo(cache).symLinkTarget(), folder + u"unmounted/local.orv"_s);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Error);
    EXPECT_TRUE(prompts.texts()[0].contains(QDir::toNativeSeparators(cache)));
}

TEST_F(ProgramTest, ACollectionFileWithAnotherFirstLineIsKeptAsBackup) {
    const QByteArray foreign = "Some other list 2.0\r\nold.mp3[;]song\r\n";
    ASSERT_TRUE(test::WriteFile(folder + u"local.orv"_s, foreign));
    EXPECT_EQ(RunFindingOneSong(), u"Could not read local.orv; it will be kept as local.orv.bak"_s);
    EXPECT_EQ(test::ReadFile(folder + u"local.orv.bak"_s), foreign);
    EXPECT_EQ(SavedFileNames(), QStringList{u"x.mp3"_s});
}

TEST_F(ProgramTest, AMissingMusicFolderIsToldAndNeverEmptiesTheCollection) {
    const QString unmounted = folder + u"unmounted"_s;
    ASSERT_TRUE(registry.WriteText(kMainKey, u"MP3Base"_s, unmounted));
    Program program(prompts, registry, folder);
    Start(program);
    EXPECT_EQ(program.MainWindow().StatusPanel(1)->text(), u"MP3 folder not found: "_s + unmounted);
    ProcessUntil([&] { return !program.ScannerRunning(); });
    bool rebuilt = false;
    QObject::connect(&program, &Program::CollectionRebuilt, [&] { rebuilt = true; });
    program.RefreshDatabase1Click();
    EXPECT_FALSE(rebuilt);
    ASSERT_EQ(prompts.shown().size(), 1u); // said, not asked
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Warning);
    EXPECT_TRUE(prompts.texts()[0].contains(unmounted));
    EXPECT_EQ(program.Store().Songs.size(), 2);
    Stop(program);
    EXPECT_EQ(test::ReadFile(folder + u"local.orv"_s), original);
}

// The splash stays on top of everything, so it steps aside while the first-run message and the
// folder browser are open; an end asked for meanwhile opens no browser.
TEST_F(ProgramTest, FirstRunPromptsAreNotCoveredByTheSplashNorOutliveAnEnd) {
    MemoryRegistry fresh;
    WatchingPrompts watching;
    watching.AnswerFolder(music);
    Program program(watching, fresh, folder);
    QStringList splashShownDuring;
    bool splashBack = false;
    watching.onAsk = [&](const QString& text) {
        auto* splash = program.MainWindow().findChild<TfrmSplash*>();
        if (splash && splash->isVisible())
            splashShownDuring.append(text);
    };
    QObject::connect(&program, &Program::StartupStepped, [&](int step) {
        auto* splash = program.MainWindow().findChild<TfrmSplash*>();
        if (step == 2)
            splashBack = splash && splash->isVisible();
    });
    Start(program);
    EXPECT_EQ(watching.texts().size(), 2);
    EXPECT_TRUE(splashShownDuring.isEmpty());
    EXPECT_TRUE(splashBack);
    Stop(program);

    MemoryRegistry again;
    WatchingPrompts ending;
    ending.AnswerFolder(music);
    Program second(ending, again, folder);
    ending.onAsk = [&](const QString&) {
        second.RequestShutdown();
    };
    bool stopped = false;
    QObject::connect(&second, &Program::ShutdownFinished, [&] { stopped = true; });
    second.Show();
    ProcessUntil([&] { return stopped; });
    EXPECT_EQ(ending.texts(), QStringList{kFirstRunMessage});
    EXPECT_EQ(test::ReadFile(folder + u"local.orv"_s), original);
}

// An end asked for while the question of "Refresh Database" is open is carried out at once:
// the rescan is not yet running, so there is nothing to wait for.
TEST_F(ProgramTest, AnEndAskedForDuringTheRefreshQuestionEndsAtOnce) {
    WatchingPrompts watching;
    Program program(watching, registry, folder);
    Start(program, true);
    bool stopped = false, rebuilt = false;
    QObject::connect(&program, &Program::ShutdownFinished, [&] { stopped = true; });
    QObject::connect(&program, &Program::CollectionRebuilt, [&] { rebuilt = true; });
    watching.onAsk = [&](const QString&) {
        program.RequestShutdown();
    };
    program.RefreshDatabase1Click(); // the scripted answer is Yes
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(rebuilt);
    EXPECT_EQ(test::ReadFile(folder + u"local.orv"_s), original);
}

TEST(TfrmSplash, StepsAsideWhileAModalWindowIsShown) {
    App();
    TfrmSplash splash(u"v1"_s);
    splash.show();
    QWidget plain; // not modal: the splash stays
    plain.show();
    EXPECT_TRUE(splash.isVisible());
    QDialog first, second;
    first.setModal(true);
    second.setModal(true);
    first.show();
    EXPECT_FALSE(splash.isVisible());
    second.show();
    first.hide();
    EXPECT_FALSE(splash.isVisible());
    second.hide();
    EXPECT_TRUE(splash.isVisible());
    {
        QDialog deleted;
        deleted.setModal(true);
        deleted.show();
        EXPECT_FALSE(splash.isVisible());
    }
    EXPECT_TRUE(splash.isVisible());
}

} // namespace
} // namespace orvane
