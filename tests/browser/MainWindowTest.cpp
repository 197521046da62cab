// The main window offscreen: the view switch, command states, the Delete key, the folder tree's
// names and drops, the menus and the song lists' rows.

#include "browser/DialogPrompts.h"
#include "browser/ScanProgressWindow.h"
#include "browser/TfrmMain.h"
#include "platform/AsciiCase.h"
#include "platform/Paths.h"
#include "playlists/PlaylistFile.h"
#include "store/SongStore.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompts.h"
#include "support/SongTitles.h"
#include "support/TempDir.h"

#include "support/WidgetTestApp.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <QLabel>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;
using test::ScriptedPrompts;

SongRow Row(const QString& title, const QString& artist = u"A"_s, const QString& newFlag = u"0"_s,
            const QString& comment = {}) {
    return {title,  artist,  u"Album"_s,        u"03:00"_s,  u"2001"_s,
            {},     comment, title + u".mp3"_s, u"/music"_s, kLocalCollection,
            newFlag};
}

// What Qt shows of a text in a place that reads markup when the text looks like it (tooltips,
// labels in the automatic format).
QString ShownText(const QString& text, Qt::TextFormat format = Qt::AutoText) {
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text)))
        return text;
    QTextDocument doc;
    doc.setHtml(text);
    return doc.toPlainText();
}

// Tag text that would load a never-ending file if it were read as markup.
const QString kMarkup = u"<b>x</b><img src=/dev/zero>"_s;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = dir.path() + u'/';
        window.SetPrompts(&prompts);
        window.SetStore(&store);
        window.SetProgramFolder(folder);
        window.resize(1000, 700);
    }
    void SelectRows(TSongListView* list, std::initializer_list<int> rows) {
        list->clearSelection();
        for (int r : rows)
            list->selectionModel()->select(list->Songs()->index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void Fill(TSongListView* list, int n) {
        SongRows rows;
        for (int i = 0; i < n; ++i)
            rows.push_back(Row(u"Song %1"_s.arg(i)));
        list->Songs()->SetRows(std::move(rows));
    }
    bool Enabled(const char* name) {
        return window.Command(QString::fromLatin1(name))->isEnabled();
    }
    // Those of the named commands that are enabled.
    QStringList EnabledOf(const QStringList& names) {
        QStringList on;
        for (const QString& name : names)
            if (window.Command(name)->isEnabled())
                on.append(name);
        return on;
    }

    test::TempDir dir;
    QString folder;
    ScriptedPrompts prompts;
    SongStore store;
    TfrmMain window;
};

TEST_F(MainWindowTest, EveryViewSwitchesPanesPagesSortingAndTheCurrentList) {
    struct Case {
        QString node;
        ViewKind kind;
        bool categoryShown;
        int categoryPage;
        int songPage;
        bool sorting;
        TSongListView* current;
    };
    TSongListView* sel = window.lvSelection();
    TSongListView* playing = window.lvPlayingSongs();
    const Case cases[] = {
        {u"Albums"_s, ViewKind::Albums, true, 2, 0, true, sel},
        {u"Artists"_s, ViewKind::Artists, true, 3, 0, true, sel},
        {u"Favourites"_s, ViewKind::Favourites, false, -1, 0, true, sel},
        {u"Genres"_s, ViewKind::Genres, true, 0, 0, true, sel},
        {u"My files"_s, ViewKind::DiskFolder, true, 6, 0, true, sel},
        {u"Playing"_s, ViewKind::PlayingSongs, false, -1, 1, true, playing},
        {u"Playlist"_s, ViewKind::Playlists, true, 4, 0, false, sel},
        // The playlists view turned sorting off; the playing songs left it as it was.
        {u"Playing"_s, ViewKind::PlayingSongs, false, -1, 1, false, playing},
        {u"Removed songs"_s, ViewKind::RemovedSongs, false, -1, 0, true, sel},
        {u"NEW"_s, ViewKind::NewSongs, false, -1, 0, true, sel},
        {u"Orvane"_s, ViewKind::StartPage, false, -1, 2, true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node.toStdString());
        window.SelectFolderNode(c.node);
        EXPECT_EQ(window.CurrentView(), c.kind);
        EXPECT_EQ(window.CategoryPane()->isVisibleTo(&window), c.categoryShown);
        if (c.categoryShown) {
            EXPECT_EQ(window.CategoryPane()->currentIndex(), c.categoryPage);
        }
        EXPECT_EQ(window.SongPane()->currentIndex(), c.songPage);
        EXPECT_EQ(sel->SortingOn(), c.sorting);
        EXPECT_EQ(sel->horizontalHeader()->sectionsClickable(), c.sorting);
        EXPECT_EQ(window.CurrentSongList(), c.current);
        EXPECT_EQ(window.windowTitle(), c.node + u" - Orvane"_s);
    }
    EXPECT_TRUE(prompts.shown().empty());
    // Views without the category pane hide it but keep its page.
    EXPECT_EQ(window.CategoryPane()->currentIndex(), 4);
}

TEST_F(MainWindowTest, CommandsFollowTheSelectionThePlayingPageAndTheirHandlers) {
    window.SelectFolderNode(u"Albums"_s);
    Fill(window.lvSelection(), 3);
    const QStringList all{u"btnDelete"_s, u"Delete1"_s,          u"Movetorecyclebin1"_s,
                          u"Playsong1"_s, u"TagEditor2"_s,       u"brAdvProperties"_s,
                          u"Import1"_s,   u"RefreshDatabase1"_s, u"Albums1"_s};
    EXPECT_EQ(EnabledOf(all), (QStringList{u"RefreshDatabase1"_s, u"Albums1"_s}));
    EXPECT_FALSE(window.btnMove()->isEnabled());
    SelectRows(window.lvSelection(), {1});
    EXPECT_TRUE(window.btnMove()->isEnabled());
    // Commands of areas not built yet stay greyed out until their handler is set.
    EXPECT_EQ(EnabledOf(all), (QStringList{u"btnDelete"_s, u"Delete1"_s, u"Movetorecyclebin1"_s,
                                           u"RefreshDatabase1"_s, u"Albums1"_s}));
    int played = 0;
    window.SetHandler(u"Playsong1Click"_s, [&] { ++played; });
    window.SetHandler(u"TagEditor2Click"_s, [] {});
    window.SetHandler(u"Import1Click"_s, [] {});
    // The toolbar's brAdvProperties calls the same handler as TagEditor2.
    EXPECT_EQ(EnabledOf(all), all);
    window.Command(u"Playsong1"_s)->trigger();
    EXPECT_EQ(played, 1);

    // The category pane's "Playing" page turns off what must not act on the playing songs.
    window.CategoryPane()->setCurrentIndex(int(CategoryPage::Playing));
    window.UpdateCommands();
    EXPECT_EQ(EnabledOf({u"Playsong1"_s, u"Movetorecyclebin1"_s, u"TagEditor2"_s, u"btnDelete"_s}),
              (QStringList{u"TagEditor2"_s, u"btnDelete"_s}));

    // The start page: no current list, no song command.
    window.SelectFolderNode(u"Orvane"_s);
    EXPECT_EQ(EnabledOf({u"btnDelete"_s, u"TagEditor2"_s, u"Import1"_s}),
              QStringList{u"Import1"_s});

    // The playing songs: commands follow that list's selection.
    window.SelectFolderNode(u"Playing"_s);
    Fill(window.lvPlayingSongs(), 2);
    EXPECT_FALSE(Enabled("TagEditor2"));
    SelectRows(window.lvPlayingSongs(), {0});
    EXPECT_TRUE(Enabled("TagEditor2"));
}

TEST_F(MainWindowTest, FolderNodesAreFoundWithoutCaseAndTheLastOneWins) {
    QTreeWidgetItem* root = window.tvFolders()->topLevelItem(0);
    ASSERT_EQ(root->childCount(), 9);
    // A node under "Genres" with the text of another view comes later in tree order.
    QTreeWidgetItem* genres = root->child(3);
    ASSERT_EQ(genres->text(0), u"Genres");
    auto* late = new QTreeWidgetItem(genres, {u"albums"_s});
    window.SelectFolderNode(u"ALBUMS"_s);
    EXPECT_EQ(window.tvFolders()->currentItem(), late);
    EXPECT_EQ(window.CurrentView(), ViewKind::Genres); // the view of its top folder

    window.SelectFolderNode(u"removed SONGS"_s);
    EXPECT_EQ(window.CurrentView(), ViewKind::RemovedSongs);
    window.SelectFolderNode(u"Jazz"_s);
    EXPECT_EQ(window.CurrentView(), ViewKind::RemovedSongs);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Information);
    EXPECT_EQ(prompts.texts()[0], u"Unable finding Genres subfolder");

    // Captions: nodes named by their internal names get their captions; "NEW" stays.
    root->child(2)->setText(0, u"FAVOURITES"_s);
    root->child(4)->setText(0, u"myfiles"_s);
    window.SetFolderCaptions();
    EXPECT_EQ((QStringList{root->child(2)->text(0), root->child(4)->text(0),
                           root->child(5)->text(0), root->text(0)}),
              (QStringList{u"Favourites"_s, u"My files"_s, u"NEW"_s, u"Orvane"_s}));
}

TEST_F(MainWindowTest, TheTitleDoublesAnAmpersandAndIsCutToTheBar) {
    QTreeWidgetItem* root = window.tvFolders()->topLevelItem(0);
    root->child(0)->setText(0, u"Rock & Roll"_s);
    window.tvFolders()->setCurrentItem(root->child(0));
    EXPECT_EQ(window.TitleText(), u"Rock && Roll");
    root->child(1)->setText(0, QString(300, u'W'));
    window.tvFolders()->setCurrentItem(root->child(1));
    EXPECT_TRUE(window.TitleText().endsWith(u"..."));
    EXPECT_LT(window.TitleText().size(), 300);
}

TEST_F(MainWindowTest, DeleteAsksPerViewAndActsOnYes) {
    std::vector<int> removed{-1};
    int removals = 0;
    window.Library.RemoveSongs = [&](TSongListView*, const std::vector<int>& rows) {
        removed = rows;
        ++removals;
    };
    TSongListView* list = window.lvSelection();

    // Albums: asked even without a selected row; No does nothing.
    window.SelectFolderNode(u"Albums"_s);
    Fill(list, 3);
    prompts.Answer(PromptAnswer::No);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &del);
    ASSERT_EQ(prompts.texts(), QStringList{u"Move selected files to \"removed songs\" folder?"_s});
    EXPECT_EQ(removals, 0);
    SelectRows(list, {0, 2});
    prompts.Answer(PromptAnswer::Yes);
    window.Command(u"Movetorecyclebin1"_s)->trigger(); // acts as the Delete key
    EXPECT_EQ(removals, 1);
    EXPECT_EQ(removed, (std::vector<int>{0, 2}));
    EXPECT_EQ(window.CaptionBar()->text(), u"00:09:00"); // the list's duration after any key

    // Favourites: Delete edits the file the rows were read from. Only the chosen entry goes;
    // comments, extended information and an entry the display filter kept off the list stay.
    const QString favourites = folder + u"favourites.orv"_s;
    const QByteArray kept = "#EXTM3U\r\n#EXTINF:180,A - Song 0\r\n/music/Song 0.mp3\r\n"
                            "/music/Hidden.mp3\r\n";
    ASSERT_TRUE(test::WriteFile(favourites, kept + "/music/Song 1.mp3\r\nSong 2.mp3\r\n"));
    window.Library.LoadPlaylist = [&](const QString& file, const QString& base, SongRows& rows) {
        const PlaylistEntries read = ReadPlaylistEntries(file, base);
        rows.clear();
        for (const QString& path : read.paths) {
            if (path.endsWith(u"Hidden.mp3"_s)) // kept off the list, as by a display filter
                continue;
            rows.push_back(Row(QFileInfo(path).completeBaseName()));
            rows.back().Folder = QFileInfo(path).path();
        }
        return read.opened;
    };
    window.SelectFolderNode(u"Favourites"_s);
    ASSERT_EQ(list->Songs()->rowCount(), 3);
    const size_t asked = prompts.shown().size();
    QCoreApplication::sendEvent(list, &del);
    EXPECT_EQ(prompts.shown().size(), asked) << "nothing selected: nothing asked";
    SelectRows(list, {1, 2});
    prompts.Answer(PromptAnswer::No);
    QCoreApplication::sendEvent(list, &del);
    EXPECT_EQ(list->Songs()->rowCount(), 3);
    QCoreApplication::sendEvent(list, &del);
    EXPECT_EQ(prompts.texts().back(), u"Remove selected songs from favourites folder?");
    EXPECT_EQ(test::ReadFile(favourites), kept);
    EXPECT_EQ(list->Songs()->rowCount(), 1);
    EXPECT_EQ(window.CaptionBar()->text(), u"00:03:00");

    // A search or "Show all" refills the list while the view stays: its rows are no file's,
    // so Delete treats them as the other views do and the favourites stay as they are.
    window.ShowSongsIn(list, {Row(u"Hit"_s)});
    SelectRows(list, {0});
    QCoreApplication::sendEvent(list, &del);
    EXPECT_EQ(prompts.texts().back(), u"Move selected files to \"removed songs\" folder?");
    EXPECT_EQ(removals, 2);
    EXPECT_EQ(test::ReadFile(favourites), kept);
    window.SelectFolderNode(u"Favourites"_s);
    Fill(list, 3); // as the power search fills it
    SelectRows(list, {0});
    prompts.Answer(PromptAnswer::No);
    QCoreApplication::sendEvent(list, &del);
    EXPECT_EQ(prompts.texts().back(), u"Move selected files to \"removed songs\" folder?");
    EXPECT_EQ(test::ReadFile(favourites), kept);

    // The start page has no current list: the Delete commands do nothing.
    window.SelectFolderNode(u"Orvane"_s);
    const size_t before = prompts.shown().size();
    window.Command(u"Delete1"_s)->setEnabled(true);
    window.Command(u"Delete1"_s)->trigger();
    EXPECT_EQ(prompts.shown().size(), before);
    EXPECT_EQ(removals, 2);

    // The list is filled anew while the question is open: the rows chosen would name other
    // songs now, so nothing is moved.
    window.SelectFolderNode(u"Albums"_s);
    Fill(list, 3);
    SelectRows(list, {1});
    prompts.WhileAsked = [&] {
        Fill(list, 2);
    };
    QCoreApplication::sendEvent(list, &del);
    EXPECT_EQ(removals, 2);
    EXPECT_EQ(prompts.texts().back(),
              u"The song list changed while the question was open; nothing was moved.");
}

TEST_F(MainWindowTest, SongsDroppedOnFavouritesAreAddedLastRowFirst) {
    window.SelectFolderNode(u"Albums"_s);
    TSongListView* list = window.lvSelection();
    Fill(list, 3);
    SelectRows(list, {0, 2});
    EXPECT_TRUE(window.tvFolders()->AcceptsSource(list));
    EXPECT_FALSE(window.tvFolders()->AcceptsSource(window.lvPlayingSongs()));
    EXPECT_FALSE(window.tvFolders()->AcceptsSource(window.lvAlbums()));

    QTreeWidgetItem* root = window.tvFolders()->topLevelItem(0);
    // The question and its answer No are checked through Ctrl+F (LibraryWindowTest).
    window.tvFolders()->OnDropSongs(root->child(2), list);
    EXPECT_EQ(prompts.texts(), QStringList{u"Add shortcut to favourites folder?"_s});
    const PlaylistEntries saved = ReadPlaylistEntries(folder + u"favourites.orv"_s, folder);
    EXPECT_EQ(saved.paths, (QStringList{u"/music/Song 2.mp3"_s, u"/music/Song 0.mp3"_s}));

    // On the root or another view's node nothing happens and nothing is asked.
    window.tvFolders()->OnDropSongs(root, list);
    window.tvFolders()->OnDropSongs(root->child(0), list);
    EXPECT_EQ(prompts.shown().size(), 1u);

    // On "Playing": every selected row, last first, then the first queued song plays.
    QStringList queued;
    int plays = 0;
    window.Library.AddToPlayingSongs = [&](const SongRow& r, bool&) {
        queued.append(r.Title);
        window.PlayingSongsModel()->SetRows({r});
    };
    window.Library.CurrentSong = [] {
        return -1;
    };
    window.Library.PlayFirstPlayingSong = [&] {
        ++plays;
    };
    window.tvFolders()->OnDropSongs(root->child(6), list);
    EXPECT_EQ(queued, (QStringList{u"Song 2"_s, u"Song 0"_s}));
    EXPECT_EQ(plays, 1);
}

// Shortcuts, and the commands that run another command's handler; every other command runs
// its own name's handler.
TEST_F(MainWindowTest, MenusCarryTheirShortcutsAndHandlers) {
    // Pairs of a command and its shortcut, then of a command and its handler.
    const QStringList shortcuts = u"NewPlaylist1 Ctrl+N RefreshDatabase1 F5 Powersearch1 F2 "
                                  u"Randomplaylist1 Ctrl+R TagEditor2 Ctrl+E Showallfromartist1 "
                                  u"Ctrl+Q Showallfromalbum1 Ctrl+W Addtoplaylist2 Ctrl+A "
                                  u"Addtofavourites1 Ctrl+F Previous2 Ctrl+Z Play2 Ctrl+X Pause2 "
                                  u"Ctrl+C Stop2 Ctrl+V Next2 Ctrl+B Play1 Ctrl+P "
                                  u"ShowallfromArtist2 Ctrl+Q"_s.split(u' ');
    for (qsizetype i = 0; i < shortcuts.size(); i += 2)
        EXPECT_EQ(window.Command(shortcuts[i])->shortcut(), QKeySequence(shortcuts[i + 1]))
            << shortcuts[i].toStdString();
    for (const QString& name : {u"Quit1"_s, u"Movetorecyclebin1"_s})
        EXPECT_TRUE(window.Command(name)->shortcut().isEmpty()) << name.toStdString();
    const QStringList shared =
        u"ExporttoWAV2 ExporttoWAV1Click btnAdvRefresh "
        u"RefreshDatabase1Click brAdvNewPlaylist Playlist1Click btnAdvRandom "
        u"Randomplaylist1Click Quit1 Quit1Click Delete2 Delete2Click"_s.split(u' ');
    for (qsizetype i = 0; i < shared.size(); i += 2)
        EXPECT_EQ(window.HandlerOf(window.Command(shared[i])), shared[i + 1])
            << shared[i].toStdString();
    EXPECT_FALSE(window.Command(u"Lyrics1"_s)->isVisible());
    EXPECT_TRUE(window.Command(u"Nofilters1"_s)->isChecked());
    EXPECT_EQ(window.btnMove()->menu(), window.Menu(u"pmVerplaatsen"_s));
}

TEST_F(MainWindowTest, ShortcutsReachTheirMenuItemOnce) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.SelectFolderNode(u"Albums"_s);
    Fill(window.lvSelection(), 2);
    SelectRows(window.lvSelection(), {0});
    int fromMenu = 0, fromPopup = 0, refreshed = 0;
    window.SetHandler(u"Showallfromartist1Click"_s, [&] { ++fromMenu; });
    window.SetHandler(u"ShowallfromArtist2Click"_s, [&] { ++fromPopup; });
    window.OnRefreshDatabase = [&] {
        ++refreshed;
    };
    // The pop-up menu's items share shortcuts with the Actions menu; only the menu bar's count
    // while the pop-up is closed.
    QTest::keyClick(window.lvSelection(), Qt::Key_Q, Qt::ControlModifier);
    QTest::keyClick(window.lvSelection(), Qt::Key_F5);
    EXPECT_EQ(fromMenu, 1);
    EXPECT_EQ(fromPopup, 0);
    EXPECT_EQ(refreshed, 1);
}

TEST_F(MainWindowTest, ViewTogglesAndRowHeights) {
    TSongListView* list = window.lvSelection();
    const int line = list->TextLineHeight();
    ASSERT_GT(line, 0);
    EXPECT_TRUE(window.Showcomments1()->isChecked());
    EXPECT_EQ(list->RowHeight(), 2 * line);
    Fill(list, 2);
    EXPECT_EQ(list->rowHeight(1), 2 * line);
    window.Showcomments1()->trigger();
    EXPECT_FALSE(window.Showcomments1()->isChecked());
    EXPECT_EQ(list->rowHeight(0), line);
    EXPECT_EQ(list->rowHeight(1), line);
    window.Showcomments1()->trigger();
    EXPECT_EQ(list->rowHeight(1), 2 * line);
    Fill(window.lvPlayingSongs(), 1);
    EXPECT_EQ(window.lvPlayingSongs()->rowHeight(0), window.lvPlayingSongs()->TextLineHeight());

    // The browser pane's page and the check marks of its two toggles.
    const auto browser = [&] {
        return std::tuple(window.BrowserPane()->currentIndex(), window.Showbrowser1()->isChecked(),
                          window.ShowOrvanebar1()->isChecked());
    };
    EXPECT_EQ(browser(), std::tuple(1, false, true)); // "Orvane-bar" at start
    window.Showbrowser1()->trigger();
    EXPECT_EQ(browser(), std::tuple(0, true, false));
    window.Showbrowser1()->trigger(); // choosing the shown page again keeps it
    EXPECT_EQ(browser(), std::tuple(0, true, false));
    window.ShowOrvanebar1()->trigger();
    EXPECT_EQ(browser(), std::tuple(1, false, true));

    // The panel sizes the settings keep.
    window.show();
    window.SetBrowserWidth(230);
    window.SetBottomHeight(150);
    EXPECT_EQ(window.BrowserWidth(), 230);
    EXPECT_EQ(window.BottomHeight(), 150);

    // The status bar's toggle is checked from stored settings (ProgramTest).
    window.Lyrics2()->trigger();
    EXPECT_TRUE(window.pnlBottom()->isHidden());
    window.Albumcover1()->trigger();
    EXPECT_TRUE(window.pnlAlbumBottom()->isHidden());
}

TEST_F(MainWindowTest, RowsShowNewSongsInBoldAndTheirComments) {
    SongListModel* model = window.SelectionModel();
    model->SetRows({Row(u"old"_s), Row(u"fresh"_s, u"B"_s, u"1"_s, u"live & loud"_s)});
    EXPECT_FALSE(model->data(model->index(0, 0), Qt::FontRole).value<QFont>().bold());
    EXPECT_TRUE(model->data(model->index(1, 3), Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(model->data(model->index(1, 0), SongListModel::CommentRole).toString(),
              u"live & loud");
    EXPECT_EQ(model->data(model->index(1, 1), Qt::DisplayRole).toString(), u"B");
    EXPECT_EQ(model->data(model->index(1, 4), Qt::DisplayRole).toString(), u"2001");
    window.PlayingSongsModel()->SetRows({Row(u"fresh"_s, u"B"_s, u"1"_s)});
    EXPECT_TRUE(window.PlayingSongsModel()
                    ->data(window.PlayingSongsModel()->index(0, 0), Qt::FontRole)
                    .value<QFont>()
                    .bold());
}

TEST_F(MainWindowTest, CategoryListsFollowTheKeyboardAndTheStore) {
    // The genre list follows the keyboard as well as clicks.
    QStringList genresShown;
    window.Library.ShowGenreSongs = [&](const QString& genre, SongRows&) {
        genresShown.append(genre);
    };
    store.Browse.Genres.Add(u"Jazz"_s);
    store.Browse.Genres.Add(u"Rock"_s);
    window.RebuildGenreList();
    window.show();
    window.SelectFolderNode(u"Genres"_s);
    QListWidget* genres = window.lbGenres();
    genres->setFocus();
    QTest::keyClick(genres, Qt::Key_Down);
    QTest::keyClick(genres, Qt::Key_Down);
    EXPECT_EQ(genresShown, (QStringList{u"Jazz"_s, u"Rock"_s}));
    // A click shows its genre once, also the genre already chosen.
    for (int i : {0, 0})
        QTest::mouseClick(genres->viewport(), Qt::LeftButton, {},
                          genres->visualItemRect(genres->item(i)).center());
    EXPECT_EQ(genresShown, (QStringList{u"Jazz"_s, u"Rock"_s, u"Jazz"_s, u"Jazz"_s}));

    // The album list is refilled only when it was rebuilt; entries the store gains go to their
    // sorted places, the rest of the list and its choice stay.
    store.Browse.Albums.Add(u"Mango"_s);
    store.Browse.Albums.Add(u"Apple"_s);
    window.SelectFolderNode(u"Albums"_s);
    QListWidget* albums = window.lvAlbums();
    auto captions = [&] {
        QStringList c;
        for (int i = 0; i < albums->count(); ++i)
            c.append(albums->item(i)->text() +
                     (albums->item(i)->data(Qt::UserRole + 9).isValid() ? u"*"_s : QString()));
        return c;
    };
    EXPECT_EQ(captions(), (QStringList{u"Apple"_s, u"Mango"_s}));
    for (int i = 0; i < albums->count(); ++i)
        albums->item(i)->setData(Qt::UserRole + 9, true); // marks the items shown now
    albums->setCurrentRow(1);
    window.SelectFolderNode(u"Genres"_s);
    window.SelectFolderNode(u"Albums"_s);
    EXPECT_EQ(captions(), (QStringList{u"Apple*"_s, u"Mango*"_s}));
    store.Browse.Albums.Add(u"Kiwi"_s);
    store.Browse.Albums.Add(u"Zucchini"_s);
    store.Browse.Albums.Add(u"apple"_s); // already there
    window.FollowBrowseLists();
    EXPECT_EQ(captions(), (QStringList{u"Apple*"_s, u"Kiwi"_s, u"Mango*"_s, u"Zucchini"_s}));
    EXPECT_EQ(albums->currentItem()->text(), u"Mango");
    store.Browse.Albums.Clear();
    store.Browse.Albums.Add(u"Fig"_s);
    window.SelectFolderNode(u"Albums"_s);
    EXPECT_EQ(captions(), QStringList{u"Fig"_s});
}

TEST_F(MainWindowTest, HeaderClicksSortAndReverseKeepingTheSelection) {
    window.SelectFolderNode(u"Genres"_s);
    TSongListView* list = window.lvSelection();
    list->Songs()->SetRows({Row(u"b"_s, u"Zed"_s), Row(u"C"_s, u"amy"_s), Row(u"a"_s, u"Bob"_s)});
    SelectRows(list, {1}); // "C"
    QHeaderView* header = list->horizontalHeader();
    header->setSortIndicator(0, Qt::AscendingOrder); // as a first click on "Song"
    auto titles = [&] {
        return test::Titles(list->Songs()->Rows());
    };
    EXPECT_EQ(titles(), (QStringList{u"a"_s, u"b"_s, u"C"_s}));
    EXPECT_EQ(list->SelectedRows(), std::vector<int>{2});
    header->setSortIndicator(0, Qt::DescendingOrder);
    EXPECT_EQ(titles(), (QStringList{u"C"_s, u"b"_s, u"a"_s}));
    EXPECT_EQ(list->SelectedRows(), std::vector<int>{0});
    header->setSortIndicator(1, Qt::AscendingOrder);
    EXPECT_EQ(titles(), (QStringList{u"C"_s, u"a"_s, u"b"_s}));

    // A new fill is sorted by the last choice; in the playlists view rows keep their order.
    list->Songs()->SetRows({Row(u"x"_s, u"Y"_s), Row(u"y"_s, u"X"_s)});
    list->Resort();
    EXPECT_EQ(titles(), (QStringList{u"y"_s, u"x"_s}));
    window.SelectFolderNode(u"Playlist"_s);
    list->Songs()->SetRows({Row(u"x"_s, u"Y"_s), Row(u"y"_s, u"X"_s)});
    list->Resort();
    EXPECT_EQ(titles(), (QStringList{u"x"_s, u"y"_s}));
    EXPECT_FALSE(header->isSortIndicatorShown());

    // The playing-songs list keeps the play order, which the player's current row points into.
    TSongListView* queue = window.lvPlayingSongs();
    queue->Songs()->SetRows({Row(u"b"_s), Row(u"a"_s)});
    queue->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    EXPECT_EQ(queue->Songs()->Row(0).Title, u"b");
    EXPECT_FALSE(queue->horizontalHeader()->sectionsClickable());
}

TEST_F(MainWindowTest, TextFromFilesIsShownLiterally) {
    window.SelectFolderNode(u"Genres"_s);
    SongRow song = Row(kMarkup, kMarkup, u"0"_s, kMarkup);
    song.Album = kMarkup;
    song.Year = u"<i>1</i>"_s;
    song.FileName = u"<b>x</b>.mp3"_s;
    for (TSongListView* list : {window.lvSelection(), window.lvPlayingSongs()}) {
        list->Songs()->SetRows({song});
        for (int c = 0; c < SongListModel::ColumnCount; ++c)
            EXPECT_EQ(ShownText(list->Songs()->index(0, c).data(Qt::ToolTipRole).toString()),
                      ColumnText(song, c))
                << c;
    }
    SelectRows(window.lvSelection(), {0});
    EXPECT_EQ(window.StatusPanel(1)->text(), song.Path());
    window.SetTitleText(kMarkup);
    window.SetCaption(kMarkup);
    window.SetPlayingSongsCaption(kMarkup);
    QList<QLabel*> labels{window.findChild<QLabel*>(u"lblTitle"_s), window.CaptionBar(),
                          window.PlayingSongsCaption()};
    for (int i = 0; i < 4; ++i)
        labels.append(window.StatusPanel(i));
    for (QLabel* label : labels)
        EXPECT_EQ(ShownText(label->text(), label->textFormat()), label->text())
            << label->objectName().toStdString();

    {
        TfrmInitialise progress(&window);
        progress.ScanReport(1, u"/music/"_s + kMarkup);
        const QLabel* folderLabel = progress.findChild<QLabel*>(u"lblFolder"_s);
        EXPECT_EQ(ShownText(folderLabel->toolTip()), u"/music/"_s + kMarkup);
        EXPECT_EQ(folderLabel->textFormat(), Qt::PlainText);
    }

    // A message box shows its text as it is, in front of the dialog that is open.
    DialogPrompts dialogs(&window);
    QDialog options(&window);
    options.setModal(true);
    options.show();
    const QWidget* owner = nullptr;
    QString shown;
    QTimer::singleShot(0, &window, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                owner = box->parentWidget();
                shown = ShownText(box->text(), box->textFormat());
                box->accept();
            }
    });
    dialogs.warning(kMarkup);
    EXPECT_EQ(owner, &options);
    EXPECT_EQ(shown, kMarkup);

    // ... and in front of a window that stays on top, as the WAV export's progress does.
    options.hide();
    QDialog progress(&window, Qt::Dialog | Qt::WindowStaysOnTopHint);
    progress.show();
    bool onTop = false;
    QTimer::singleShot(0, &window, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                owner = box->parentWidget();
                onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                box->accept();
            }
    });
    dialogs.warning(u"Replace?"_s);
    EXPECT_EQ(owner, &progress);
    EXPECT_TRUE(onTop);
}

TEST_F(MainWindowTest, StatusBarAndStartPage) {
    window.SelectFolderNode(u"Albums"_s);
    Fill(window.lvSelection(), 4);
    EXPECT_EQ(window.StatusPanel(0)->text(), u"4 Item(s).");
    SelectRows(window.lvSelection(), {2});
    EXPECT_EQ(window.StatusPanel(1)->text(), u"/music/Song 2.mp3");
    window.lvSelection()->clearSelection();
    EXPECT_TRUE(window.StatusPanel(1)->text().isEmpty());
    window.show();
    window.resize(900, 600);
    QCoreApplication::processEvents();
    // Each panel holds its longest text; the file panel takes the rest of the width.
    const std::pair<int, QString> longest[] = {
        {0, u"100000 Item(s)."_s}, {2, u"Stopped"_s}, {3, u"Remain:00:00:00"_s}};
    int others = 0;
    for (const auto& [panel, text] : longest) {
        QLabel* label = window.StatusPanel(panel);
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(text) +
                                      label->frameWidth() * 2 + label->margin() * 2)
            << text.toStdString();
        others += label->width();
    }
    EXPECT_EQ(window.StatusPanel(1)->width(), 900 - others - 8);

    // The count is the list shown: the queue emptied and refilled behind the main list does
    // not change it.
    window.lvPlayingSongs()->Songs()->SetRows({});
    window.lvPlayingSongs()->Songs()->AppendRow(Row(u"q"_s));
    EXPECT_EQ(window.StatusPanel(0)->text(), u"4 Item(s).");
    window.SelectFolderNode(u"Playing"_s);
    EXPECT_EQ(window.StatusPanel(0)->text(), u"1 Item(s).");
    window.lvPlayingSongs()->Songs()->AppendRow(Row(u"r"_s));
    EXPECT_EQ(window.StatusPanel(0)->text(), u"2 Item(s).");
    window.SelectFolderNode(u"Albums"_s);
    EXPECT_EQ(window.StatusPanel(0)->text(),
              u"%1 Item(s)."_s.arg(window.lvSelection()->Songs()->rowCount()));

    auto* browser = new QLabel(u"net browser"_s);
    window.SetNetBrowser(browser);
    window.SelectFolderNode(u"Orvane"_s);
    EXPECT_EQ(window.SongPane()->currentIndex(), int(SongPage::NetBrowser));
    EXPECT_TRUE(browser->isVisible());
}

TEST_F(MainWindowTest, TheDiskFolderTreeFillsTheSongListOnlyInItsOwnView) {
    ASSERT_TRUE(QDir(folder).mkpath(u"music/a"_s) && QDir(folder).mkpath(u"music/b"_s));
    QStringList shown;
    window.Library.ShowFolderSongs = [&](const QString& path, SongRows& target) {
        shown.append(QDir(path).dirName());
        target = {Row(QDir(path).dirName())};
    };
    window.SetMp3Base(folder + u"music"_s);
    window.SetStarted(true);
    window.SelectFolderNode(u"Favourites"_s);
    window.ShowSongsIn(window.lvSelection(), {Row(u"Kept"_s)});
    // The current folder moves while another view is shown (as when a folder goes away).
    window.tvFiles()->setCurrentIndex(window.FilesModel()->index(folder + u"music/a"_s));
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(window.SelectionModel()->Row(0).Title, u"Kept"_s);
    EXPECT_EQ(window.windowTitle(), u"Favourites - Orvane"_s);

    window.SelectFolderNode(u"My files"_s);
    window.tvFiles()->setCurrentIndex(window.FilesModel()->index(folder + u"music/b"_s));
    EXPECT_EQ(shown, (QStringList{u"a"_s, u"b"_s}));
    EXPECT_EQ(window.SelectionModel()->Row(0).Title, u"b"_s);

    // The tree starts with home, the MP3 base folder (open at its sub-folders) and the root;
    // the system's pseudo file systems are not in it.
    FolderRootsModel& tree = *window.FilesModel();
    QStringList top;
    for (int row = 0; row < tree.rowCount(); ++row)
        top.append(tree.filePath(tree.index(row, 0)));
    ASSERT_GE(top.size(), 3);
    EXPECT_EQ(top.mid(0, 3), (QStringList{QDir::homePath(), folder + u"music"_s, u"/"_s}));
    EXPECT_EQ(window.FilesModel()->index(folder + u"music/b"_s).parent().parent(), QModelIndex());
    const QModelIndex root = tree.index(2, 0);
    tree.fetchMore(root);
    for (int row = 0; row < tree.rowCount(root); ++row)
        EXPECT_FALSE(IsPseudoFileSystemFolder(tree.filePath(tree.index(row, 0, root))))
            << tree.filePath(tree.index(row, 0, root)).toStdString();
    EXPECT_FALSE(tree.index(u"/proc/self"_s).isValid());
}

} // namespace
} // namespace orvane
