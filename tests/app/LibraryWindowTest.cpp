// The library views of the running program, offscreen: the power search through its window,
// albums and artists with their songs (also after a rescan), the new, removed and disk-folder
// songs, playlists and favourites over real files with their questions and Delete keys.

#include "ProgramFixture.h"
#include "app/Program.h"

#include "browser/TfrmSearch.h"
#include "exchange/TfrmHunter.h"
#include "playlists/TfrmAddToPlaylist.h"
#include "playlists/TfrmNewPlaylist.h"
#include "playlists/TfrmRandom.h"
#include "store/CacheFile.h"
#include "support/FileBytes.h"
#include "support/ListTexts.h"
#include "support/ModalDialog.h"
#include "support/SongTitles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

// Readable texts in failure messages.
void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace orvane {
namespace {

using namespace Qt::StringLiterals;
using test::ScriptedPrompts;

using test::ProcessUntil;
using test::WhenShown;

SongRecord Song(const QString& file, const QString& title, const QString& artist,
                const QString& album, const QString& genre) {
    return {file, title,        artist,           album, u"03:00"_s, {}, genre,
            {},   u"/music/"_s, kLocalCollection, u"0"_s};
}

using test::Captions;
using test::Lines;

void PressDelete(QWidget* widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

class LibraryWindowTest : public test::ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        ASSERT_TRUE(QDir().mkpath(music + u"/lists"_s));
    }
    void Cache(const std::vector<SongRecord>& songs) {
        ASSERT_TRUE(SaveCacheFile(folder + u"local.orv"_s, songs));
    }
    // Starts the program (made here unless the test made it) and waits for its scan's end.
    void Start() {
        if (!program)
            program = std::make_unique<Program>(prompts, registry, folder);
        ProgramFixture::Start(*program, true);
    }
    void TearDown() override {
        if (program)
            Stop(*program);
    }
    void SelectRows(TSongListView* list, std::initializer_list<int> rows) {
        list->clearSelection();
        for (int r : rows)
            list->selectionModel()->select(list->Songs()->index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        list->selectionModel()->setCurrentIndex(list->Songs()->index(*rows.begin(), 0),
                                                QItemSelectionModel::NoUpdate);
    }
    bool Enabled(const QString& name) { return window().Command(name)->isEnabled(); }
    // The titles of the main song list, and the titles with the caption over it.
    QStringList Titles() { return test::Titles(window().SelectionModel()->Rows()); }
    QStringList Shown() { return Titles() << window().CaptionBar()->text(); }
    TfrmMain& window() { return program->MainWindow(); }

    std::unique_ptr<Program> program;
};

TEST_F(LibraryWindowTest, PowerSearchFromTheMenuPutsItsHitsIntoTheSongList) {
    Cache({Song(u"a.mp3"_s, u"Hard Rock Cafe"_s, u"Ann"_s, u"Blue"_s, u"Jazz"_s),
           Song(u"b.mp3"_s, u"Rockabilly"_s, u"Bob"_s, u"Red"_s, u"Pop"_s),
           Song(u"c.mp3"_s, u"Quiet"_s, u"Cid"_s, u"Green"_s, u"Rock"_s)});
    Start();
    TfrmHunter& hunter = program->Hunter();
    EXPECT_EQ(hunter.parentWidget(), &window());
    EXPECT_FALSE(hunter.isVisible());
    QAction* powerSearch = window().Command(u"Powersearch1"_s);
    EXPECT_EQ(powerSearch->shortcut(), QKeySequence(Qt::Key_F2));
    ASSERT_TRUE(powerSearch->isEnabled());

    // From the start page: the search opens the genres view and fills its song list.
    window().SelectFolderNode(u"Orvane"_s);
    window().CategoryPane()->setCurrentIndex(int(CategoryPage::Albums));
    powerSearch->trigger();
    EXPECT_TRUE(hunter.isVisible());
    EXPECT_FALSE(hunter.isModal());
    EXPECT_EQ(window().CategoryPane()->currentIndex(), int(CategoryPage::Genres));
    EXPECT_EQ(window().CurrentView(), ViewKind::StartPage); // nothing switched before the search
    hunter.edKeywords()->setText(u"rock"_s);
    hunter.btnSearch()->click();
    EXPECT_FALSE(hunter.isVisible());
    EXPECT_EQ(window().CurrentView(), ViewKind::Genres);
    EXPECT_EQ(window().windowTitle(), u"Genres - Orvane");
    // Whole words by default: Rockabilly is no hit; the hits keep the collection's order.
    EXPECT_EQ(Shown(), (QStringList{u"Hard Rock Cafe"_s, u"Quiet"_s, u"00:06:00"_s}));
    EXPECT_EQ(window().StatusPanel(0)->text(), u"2 Item(s).");

    // Shown again, the window keeps the last search's settings; part words find Rockabilly,
    // and the selection the list had is gone with its rows, so are the commands that need it.
    SelectRows(window().lvSelection(), {0});
    EXPECT_TRUE(Enabled(u"Showallfromartist1"_s));
    powerSearch->trigger();
    EXPECT_EQ(hunter.edKeywords()->text(), u"rock");
    EXPECT_EQ(hunter.edKeywords()->selectedText(), u"rock");
    SearchOptions options = hunter.Options();
    options.FullWords = false;
    hunter.SetOptions(options);
    hunter.btnSearch()->click();
    EXPECT_EQ(Titles(), (QStringList{u"Hard Rock Cafe"_s, u"Rockabilly"_s, u"Quiet"_s}));
    EXPECT_FALSE(Enabled(u"Showallfromartist1"_s));
    EXPECT_EQ(window().CaptionBar()->text(), u"00:09:00");

    // From the playing-songs view the hits and "Show all from artist" go to the genres view's
    // list: the queue changes only through the player.
    SongRow queued = window().SelectionModel()->Row(0); // Ann's
    queued.Folder = folder;
    ASSERT_TRUE(test::WriteFile(queued.Path(), "mp3"));
    program->Player().AddToPlayingSongs(queued, false);
    window().SelectFolderNode(u"Playing"_s);
    hunter.btnSearch()->click();
    EXPECT_EQ(window().CurrentView(), ViewKind::Genres);
    EXPECT_EQ(Titles(), (QStringList{u"Hard Rock Cafe"_s, u"Rockabilly"_s, u"Quiet"_s}));
    window().SelectFolderNode(u"Playing"_s);
    SelectRows(window().lvPlayingSongs(), {0});
    window().Command(u"Showallfromartist1"_s)->trigger();
    EXPECT_EQ(window().CurrentView(), ViewKind::Genres);
    EXPECT_EQ(Titles(), QStringList{u"Hard Rock Cafe"_s});
    EXPECT_EQ(test::Titles(window().PlayingSongsModel()->Rows()), QStringList{u"Hard Rock Cafe"_s});
    EXPECT_EQ(window().PlayingSongsCaption()->text(), u"00:03:00");

    // No hits leave the list empty; nothing is ever asked.
    hunter.SetKeywords(u"nothing like it"_s);
    options = hunter.Options();
    options.Exact = true;
    hunter.SetOptions(options);
    hunter.btnSearch()->click();
    EXPECT_EQ(window().SelectionModel()->rowCount(), 0);
    EXPECT_EQ(window().CaptionBar()->text(), u"00:00:00");
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(LibraryWindowTest, WithoutTheGenresNodeTheSearchTouchesNoList) {
    Cache({Song(u"a.mp3"_s, u"Rock"_s, u"Ann"_s, u"Blue"_s, u"Jazz"_s)});
    Start();
    const QList<QTreeWidgetItem*> genres =
        window().tvFolders()->findItems(u"Genres"_s, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(genres.size(), 1);
    genres[0]->setText(0, u"Styles"_s);
    window().SelectFolderNode(u"Favourites"_s);
    SongRows shown;
    ASSERT_TRUE(MakeSongRow(program->Store().Songs[0], shown, DisplayFilter{}));
    window().SelectionModel()->SetRows(shown);
    window().SelectFolderNode(u"Orvane"_s);
    window().CaptionBar()->setText(u"kept"_s);

    window().Command(u"Powersearch1"_s)->trigger();
    program->Hunter().SetKeywords(u"nomatch"_s);
    program->Hunter().btnSearch()->click();
    EXPECT_EQ(prompts.texts(), QStringList{u"Unable finding Genres subfolder"_s});
    EXPECT_EQ(window().CurrentView(), ViewKind::StartPage);
    EXPECT_EQ(window().SelectionModel()->rowCount(), 1);
    EXPECT_EQ(window().CaptionBar()->text(), u"kept");
    EXPECT_FALSE(program->Hunter().isVisible());
}

TEST_F(LibraryWindowTest, AlbumsAndArtistsShowTheirSongsAlsoAfterARescan) {
    Cache({Song(u"a.mp3"_s, u"One"_s, u"Ann"_s, u"Best Of"_s, u"Jazz"_s),
           Song(u"b.mp3"_s, u"Two"_s, u"Bob"_s, u"Red"_s, u"Rock"_s),
           Song(u"c.mp3"_s, u"Three"_s, u"ANN"_s, u"BEST OF"_s, u"Jazz"_s),
           Song(u"d.mp3"_s, u"Four"_s, u"Ann"_s, {}, u"Jazz"_s)});
    Start();

    window().SelectFolderNode(u"Albums"_s);
    QListWidget* albums = window().lvAlbums();
    EXPECT_EQ(Captions(albums), (QStringList{QString(), u"Best Of"_s, u"Red"_s}));
    albums->setCurrentRow(1);
    EXPECT_EQ(Titles(), (QStringList{u"One"_s, u"Three"_s}));
    EXPECT_EQ(window().TitleText(), u"Best Of");
    EXPECT_EQ(window().CaptionBar()->text(), u"00:06:00");
    albums->setCurrentRow(0); // the blank entry: the songs without an album
    EXPECT_EQ(Titles(), QStringList{u"Four"_s});

    window().SelectFolderNode(u"Artists"_s);
    QListWidget* artists = window().lvArtists();
    // As the cache filled it: no song lacks an artist, so there is no blank entry.
    EXPECT_EQ(Captions(artists), (QStringList{u"Ann"_s, u"Bob"_s}));
    artists->setCurrentRow(0);
    EXPECT_EQ(Titles(), (QStringList{u"One"_s, u"Three"_s, u"Four"_s}));
    EXPECT_EQ(window().TitleText(), u"Ann");
    EXPECT_EQ(window().CaptionBar()->text(), u"00:09:00");

    // The pop-up's "Show all from Album" on Four (no album) shows the songs without an album,
    // the Actions item on One the songs of its album; the view and title stay.
    SelectRows(window().lvSelection(), {2});
    window().Command(u"ShowallfromAlbum2"_s)->trigger();
    EXPECT_EQ(Titles(), QStringList{u"Four"_s});
    artists->setCurrentRow(1);
    SelectRows(window().lvSelection(), {0});
    window().Command(u"Showallfromalbum1"_s)->trigger();
    EXPECT_EQ(Titles(), QStringList{u"Two"_s});
    SelectRows(window().lvSelection(), {0});
    window().Command(u"ShowallfromArtist2"_s)->trigger();
    EXPECT_EQ(Titles(), QStringList{u"Two"_s});
    EXPECT_EQ(window().CurrentView(), ViewKind::Artists);
    EXPECT_EQ(window().TitleText(), u"Bob");

    // A rescan replaces the collection. The view shown is filled again at once, as if its node
    // had just been chosen: its list is rebuilt behind "Searching..." and the artist still
    // chosen shows its songs. The album list is rebuilt when next shown.
    Mp3(u"x.mp3"_s, u"Ex"_s, u"Zed"_s, u"Yellow"_s);
    Mp3(u"y.mp3"_s, u"Why"_s, u"Bob"_s, u"Red"_s);
    bool searching = false;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (window().findChild<TfrmSearch*>())
            searching = true;
    });
    probe.start(0);
    window().RefreshDatabase1()->trigger();
    EXPECT_TRUE(searching);
    EXPECT_EQ(Captions(artists), (QStringList{QString(), u"Bob"_s, u"Zed"_s}));
    EXPECT_EQ(Titles(), QStringList{u"Why"_s});
    EXPECT_FALSE(program->State().AlbumListReady);
    searching = false;
    window().SelectFolderNode(u"Albums"_s);
    EXPECT_TRUE(searching);
    EXPECT_EQ(Captions(albums), (QStringList{QString(), u"Red"_s, u"Yellow"_s}));
    EXPECT_TRUE(program->State().AlbumListReady);
    searching = false;
    window().SelectFolderNode(u"Albums"_s);
    window().SelectFolderNode(u"Artists"_s);
    probe.stop();
    EXPECT_FALSE(searching);
    EXPECT_FALSE(window().findChild<TfrmSearch*>());
    artists->setCurrentRow(2);
    EXPECT_EQ(Shown(), (QStringList{u"Ex"_s, u"00:00:31"_s}));
}

TEST_F(LibraryWindowTest, SongsOfTheBackgroundScanJoinTheAlbumListShown) {
    Cache({Song(u"a.mp3"_s, u"One"_s, u"Ann"_s, u"Mango"_s, u"Jazz"_s)});
    for (const QString& album : {u"Apple"_s, u"Kiwi"_s, u"Zucchini"_s})
        Mp3(album + u".mp3"_s, album, u"Zed"_s, album);
    program = std::make_unique<Program>(prompts, registry, folder);
    QListWidget* albums = window().lvAlbums();
    QListWidgetItem* mango = nullptr;
    QObject::connect(program.get(), &Program::SongsHandedOver, [&] {
        if (mango)
            return;
        window().SelectFolderNode(u"Albums"_s); // shown while the scan goes on
        const QList<QListWidgetItem*> found = albums->findItems(u"Mango"_s, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        mango = found[0];
        albums->setCurrentItem(mango);
    });
    Start();
    EXPECT_EQ(Captions(albums), (QStringList{u"Apple"_s, u"Kiwi"_s, u"Mango"_s, u"Zucchini"_s}));
    EXPECT_EQ(albums->currentItem(), mango) << "the list was not filled anew";
}

TEST_F(LibraryWindowTest, NewRemovedAndDiskFolderSongs) {
    Cache({Song(u"old.mp3"_s, u"Old"_s, u"Ann"_s, u"Blue"_s, u"Jazz"_s)});
    Mp3(u"x.mp3"_s, u"Ex"_s, u"Zed"_s, u"Yellow"_s);
    Mp3(u"sub/y.mp3"_s, u"Why"_s, u"Zed"_s, u"Yellow"_s);
    Mp3(u"../recycle/gone.mp3"_s, u"Gone"_s, {}, {});
    Start();

    // The songs added in this run: those the background scan found and those lying in the
    // recycle folder, which the start-up adds the same way.
    window().SelectFolderNode(u"NEW"_s);
    QStringList found = Titles();
    found.sort();
    EXPECT_EQ(found, (QStringList{u"Ex"_s, u"Gone"_s, u"Why"_s}));
    EXPECT_EQ(window().TitleText(), u"NEW");
    EXPECT_EQ(window().CaptionBar()->text(), u"00:01:33");

    window().SelectFolderNode(u"Removed songs"_s);
    EXPECT_EQ(Shown(), (QStringList{u"Gone"_s, u"00:00:31"_s}));

    // A disk folder shows the files lying in it, not those of its sub-folders.
    window().SelectFolderNode(u"My files"_s);
    EXPECT_EQ(window().TitleText(), u"My files");
    window().tvFiles()->setCurrentIndex(window().FilesModel()->index(music + u"/sub"_s));
    EXPECT_EQ(Titles(), QStringList{u"Why"_s});
    window().tvFiles()->setCurrentIndex(window().FilesModel()->index(music));
    EXPECT_EQ(Shown(), (QStringList{u"Ex"_s, u"00:00:31"_s}));
    EXPECT_EQ(window().TitleText(), u"My files");
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(LibraryWindowTest, PlaylistsAndFavouritesOverRealFiles) {
    Cache({});
    const QString one = Mp3(u"lists/one.mp3"_s, u"One"_s, u"Ann"_s, u"Blue"_s);
    const QString two = Mp3(u"two.mp3"_s, u"Two"_s, u"Bob"_s, u"Red"_s);
    const QString party = music + u"/lists/Party.m3u"_s;
    ASSERT_TRUE(test::WriteFile(party, "#EXTM3U\r\none.mp3\r\n" + two.toUtf8() + "\r\n"));
    const QString chill = music + u"/Chill.m3u"_s;
    ASSERT_TRUE(test::WriteFile(chill, two.toUtf8() + "\r\n"));
    Start();
    TSongListView* songs = window().lvSelection();
    QListWidget* playlists = window().lvPlaylist();

    window().SelectFolderNode(u"Playlist"_s);
    EXPECT_EQ(Captions(playlists), (QStringList{u"Chill"_s, u"Party"_s}));
    EXPECT_FALSE(songs->SortingOn());
    playlists->setCurrentRow(1);
    EXPECT_EQ(Titles(), (QStringList{u"One"_s, u"Two"_s}));
    EXPECT_EQ(window().SelectionModel()->Row(0).Path(), one);
    EXPECT_EQ(window().CaptionBar()->text(), u"Party [00:01:02]");
    SelectRows(songs, {0, 1});

    // Ctrl+F: both songs into the favourites, last row first, after the question.
    QAction* addToFavourites = window().Command(u"Addtofavourites1"_s);
    EXPECT_EQ(addToFavourites->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_TRUE(window().Command(u"Favourites1"_s)->isEnabled());
    prompts.Answer(PromptAnswer::No);
    addToFavourites->trigger();
    EXPECT_FALSE(QFile::exists(folder + u"favourites.orv"_s));
    addToFavourites->trigger();
    EXPECT_EQ(prompts.texts(), (QStringList{u"Add shortcut to favourites folder?"_s,
                                            u"Add shortcut to favourites folder?"_s}));
    EXPECT_EQ(Lines(folder + u"favourites.orv"_s), (QStringList{two, one}));

    // Delete in the shown playlist takes the song's line out of its file; the rest stays.
    SelectRows(songs, {0});
    PressDelete(songs);
    EXPECT_EQ(prompts.texts().back(), u"Remove selected songs from playlist?");
    EXPECT_EQ(Lines(party), (QStringList{u"#EXTM3U"_s, two}));
    EXPECT_EQ(Shown(), (QStringList{u"Two"_s, u"00:00:31"_s}));

    // The favourites view reads the file again; Delete there rewrites it.
    window().SelectFolderNode(u"Favourites"_s);
    EXPECT_EQ(Shown(), (QStringList{u"Two"_s, u"One"_s, u"00:01:02"_s}));
    // "Show all from album" refills the list in the same view: Delete then treats its rows as
    // the other views do (it offers to move the files away) and the favourites stay.
    const QString moveAway = u"Move selected files to \"removed songs\" folder?"_s;
    SelectRows(songs, {0});
    window().Command(u"Showallfromalbum1"_s)->trigger();
    EXPECT_EQ(Titles(), QStringList{u"Two"_s});
    SelectRows(songs, {0});
    prompts.Answer(PromptAnswer::No);
    PressDelete(songs);
    EXPECT_EQ(prompts.texts().back(), moveAway);
    EXPECT_EQ(Lines(folder + u"favourites.orv"_s), (QStringList{two, one}));
    window().SelectFolderNode(u"Favourites"_s);
    SelectRows(songs, {0});
    PressDelete(songs);
    EXPECT_EQ(prompts.texts().back(), u"Remove selected songs from favourites folder?");
    EXPECT_EQ(Lines(folder + u"favourites.orv"_s), QStringList{one});
    EXPECT_EQ(Titles(), QStringList{u"One"_s});

    // Delete in the playlist list: No keeps the file; Yes deletes it and shows the first
    // playlist left.
    window().SelectFolderNode(u"Playlist"_s);
    playlists->setCurrentRow(1);
    const size_t asked = prompts.shown().size();
    prompts.Answer(PromptAnswer::No);
    PressDelete(playlists);
    EXPECT_EQ(prompts.texts().back(), u"Delete selected playlist?");
    EXPECT_TRUE(QFile::exists(party));
    PressDelete(playlists);
    EXPECT_EQ(prompts.shown().size(), asked + 2);
    EXPECT_FALSE(QFile::exists(party));
    EXPECT_EQ(Captions(playlists), QStringList{u"Chill"_s});
    EXPECT_EQ(playlists->currentRow(), 0);
    EXPECT_EQ(Shown(), (QStringList{u"Two"_s, u"Chill [00:00:31]"_s}));

    // The pop-up's "Delete playlist" on the last one: the list empties, the songs stay.
    QAction* deletePlaylist = window().Command(u"Delete2"_s);
    ASSERT_TRUE(deletePlaylist->isEnabled());
    deletePlaylist->trigger();
    EXPECT_FALSE(QFile::exists(chill));
    EXPECT_EQ(playlists->count(), 0);
    EXPECT_EQ(Titles(), QStringList{u"Two"_s});
    // No file stands behind the songs left: Delete asks nothing about a playlist.
    SelectRows(songs, {0});
    prompts.Answer(PromptAnswer::No);
    PressDelete(songs);
    EXPECT_EQ(prompts.texts().back(), moveAway);
    EXPECT_FALSE(QFile::exists(chill));
    // With no entry selected nothing is asked.
    const size_t before = prompts.shown().size();
    deletePlaylist->trigger();
    PressDelete(playlists);
    EXPECT_EQ(prompts.shown().size(), before);
    EXPECT_TRUE(QFile::exists(one) && QFile::exists(two)); // songs are never deleted with a list
}

TEST_F(LibraryWindowTest, PlaylistDialogsFromTheMenus) {
    Cache({});
    for (const char* title : {"One", "Three", "Two"})
        Mp3(QString::fromLatin1(title).toLower() + u".mp3"_s, QString::fromLatin1(title), u"A"_s);
    const QString chill = music + u"/lists/Chill.m3u"_s;
    ASSERT_TRUE(test::WriteFile(chill, "") && QDir().mkpath(music + u"/gone"_s));
    Start();

    // Ctrl+N: made empty in the folder chosen, and listed at once on the playlist page; a
    // folder gone meanwhile is told.
    window().SelectFolderNode(u"Playlist"_s);
    QAction* newPlaylist = window().Command(u"NewPlaylist1"_s);
    for (const QString& name : {u"gone"_s, u"lists"_s}) {
        WhenShown<TfrmNewPlaylist>([this, name](TfrmNewPlaylist& dialog) {
            dialog.edNAme()->setText(u"Fresh"_s);
            const auto nodes = dialog.tvFiles()->findItems(name, Qt::MatchRecursive);
            dialog.tvFiles()->setCurrentItem(nodes.value(0));
            QDir(music + u"/gone"_s).removeRecursively();
            dialog.btnOk()->click();
        });
        newPlaylist->trigger();
    }
    EXPECT_EQ(prompts.texts(), QStringList{u"Orvane was unable to create the new playlist file"_s});
    EXPECT_EQ(test::ReadFile(music + u"/lists/Fresh.m3u"_s), "");
    EXPECT_TRUE(QFile::exists(music + u"/lists/Fresh.m3u"_s));
    EXPECT_EQ(Captions(window().lvPlaylist()), (QStringList{u"Chill"_s, u"Fresh"_s}));

    // Ctrl+A: the rows selected when it was given land in the chosen file in list order, also
    // when the list changed while the dialog was open.
    window().SelectFolderNode(u"NEW"_s);
    ASSERT_EQ(Titles(), (QStringList{u"One"_s, u"Three"_s, u"Two"_s}));
    const QStringList chosen{window().SelectionModel()->Row(0).Path(),
                             window().SelectionModel()->Row(2).Path()};
    SelectRows(window().lvSelection(), {2, 0});
    for (const char* command : {"Addtoplaylist2", "Addtoplaylist1", "Movetoplaylist1"})
        EXPECT_TRUE(Enabled(QString::fromLatin1(command))) << command;
    WhenShown<TfrmAddToPlaylist>([this](TfrmAddToPlaylist& dialog) {
        window().SelectionModel()->SetRows({});
        dialog.lvPlaylists()->setCurrentRow(0); // Chill
        dialog.btnOk()->click();
    });
    window().Command(u"Addtoplaylist2"_s)->trigger();
    EXPECT_EQ(Lines(chill), chosen);

    // Random play from the toolbar: Generate writes temp.m3u, Play queues it.
    WhenShown<TfrmRandom>([](TfrmRandom& dialog) {
        dialog.btnCreate()->click();
        dialog.btnPlay()->click();
    });
    window().Button(u"btnAdvRandom"_s)->click();
    const QStringList drawn = Lines(folder + u"temp.m3u"_s);
    EXPECT_GE(drawn.size(), 1);
    EXPECT_EQ(program->Player().PlayingSongs().Count(), drawn.size());
}

} // namespace
} // namespace orvane
