#include "browser/CommandRules.h"
#include "browser/TitleFit.h"
#include "browser/ViewTable.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(ViewTable, EveryViewLaysOutTheWindow) {
    struct Row {
        ViewKind kind;
        bool categoryShown;
        CategoryPage page;
        SongPage songPage;
        ColumnSorting sorting;
        SongListId current;
    };
    using enum ColumnSorting;
    const Row rows[] = {
        {ViewKind::StartPage, false, CategoryPage::Genres, SongPage::NetBrowser, Unchanged,
         SongListId::None},
        {ViewKind::Albums, true, CategoryPage::Albums, SongPage::Selection, HeaderClickToggles,
         SongListId::Selection},
        {ViewKind::Artists, true, CategoryPage::Artists, SongPage::Selection, HeaderClickToggles,
         SongListId::Selection},
        {ViewKind::Favourites, false, CategoryPage::Genres, SongPage::Selection, HeaderClickToggles,
         SongListId::Selection},
        {ViewKind::Genres, true, CategoryPage::Genres, SongPage::Selection, HeaderClickToggles,
         SongListId::Selection},
        {ViewKind::DiskFolder, true, CategoryPage::MyFiles, SongPage::Selection, HeaderClickToggles,
         SongListId::Selection},
        {ViewKind::PlayingSongs, false, CategoryPage::Genres, SongPage::PlayingSongs, Unchanged,
         SongListId::PlayingSongs},
        {ViewKind::Playlists, true, CategoryPage::Playlist, SongPage::Selection, Off,
         SongListId::Selection},
        {ViewKind::RemovedSongs, false, CategoryPage::Genres, SongPage::Selection,
         HeaderClickToggles, SongListId::Selection},
        {ViewKind::NewSongs, false, CategoryPage::Genres, SongPage::Selection, HeaderClickToggles,
         SongListId::Selection},
    };
    for (const Row& r : rows) {
        const ViewLayout& l = LayoutOf(r.kind);
        SCOPED_TRACE(int(r.kind));
        EXPECT_EQ(l.kind, r.kind);
        EXPECT_EQ(l.categoryShown, r.categoryShown);
        if (r.categoryShown) {
            EXPECT_EQ(l.categoryPage, r.page);
        }
        EXPECT_EQ(l.songPage, r.songPage);
        EXPECT_EQ(l.sorting, r.sorting);
        EXPECT_EQ(CurrentSongListOf(r.kind), r.current);
    }
}

TEST(ViewTable, TopFoldersAreMatchedWithoutCaseInTheirOrder) {
    EXPECT_EQ(ViewOfTopFolder(QStringLiteral("albums")), ViewKind::Albums);
    EXPECT_EQ(ViewOfTopFolder(QStringLiteral("MY FILES")), ViewKind::DiskFolder);
    EXPECT_EQ(ViewOfTopFolder(QStringLiteral("new")), ViewKind::NewSongs);
    EXPECT_EQ(ViewOfTopFolder(QStringLiteral("Removed songs")), ViewKind::RemovedSongs);
    EXPECT_FALSE(ViewOfTopFolder(QStringLiteral("Orvane")).has_value());
    EXPECT_FALSE(ViewOfTopFolder(QStringLiteral("Album")).has_value());

    const QStringList names = FolderNodeNames();
    EXPECT_EQ(names.size(), 9);
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(names, sorted);
    for (const QString& n : names)
        EXPECT_TRUE(ViewOfTopFolder(n).has_value()) << n.toStdString();
}

TEST(CommandRules, SelectionPagesAndFilters) {
    CommandContext c;
    EXPECT_FALSE(ComputeCommandStates(c).selected);

    c.currentListHasSelection = true;
    CommandStates s = ComputeCommandStates(c);
    EXPECT_TRUE(s.selected);
    EXPECT_TRUE(s.selectedNotPlayingPage);

    c.categoryPage = CategoryPage::Playing;
    s = ComputeCommandStates(c);
    EXPECT_TRUE(s.selected);
    EXPECT_FALSE(s.selectedNotPlayingPage);

    // The start page disables everything, whatever the list behind it holds.
    c.categoryPage = CategoryPage::Albums;
    c.songPage = SongPage::NetBrowser;
    s = ComputeCommandStates(c);
    EXPECT_FALSE(s.selected);
    EXPECT_FALSE(s.selectedNotPlayingPage);

    EXPECT_FALSE(s.filterLabelVisible);
    c.timeFilterOn = true;
    EXPECT_TRUE(ComputeCommandStates(c).filterLabelVisible);
    c.timeFilterOn = false;
    c.collectionFilterActive = true;
    EXPECT_TRUE(ComputeCommandStates(c).filterLabelVisible);
}

int TenPerChar(const QString& s) {
    return int(s.size()) * 10;
}

// Dots are narrow, as in most fonts, so that every cut can be told apart.
int NarrowDots(const QString& s) {
    return int(s.size() - s.count(u'.')) * 10 + int(s.count(u'.'));
}

TEST(TitleFit, CutsStepByStepDownToDots) {
    const QString title = QStringLiteral("Albums of mine"); // 14 characters, 140 wide
    EXPECT_EQ(FitTitleText(title, NarrowDots, 140), title);
    // The first cut drops two characters, each further one a character more.
    EXPECT_EQ(FitTitleText(title, NarrowDots, 139), QStringLiteral("Albums of mi..."));
    EXPECT_EQ(FitTitleText(title, NarrowDots, 122), QStringLiteral("Albums of m..."));
    EXPECT_EQ(FitTitleText(title, NarrowDots, 40), QStringLiteral("Alb..."));
    EXPECT_EQ(FitTitleText(title, NarrowDots, 3), QStringLiteral("..."));
    // When nothing fits, the shortest form is taken anyway.
    EXPECT_EQ(FitTitleText(title, NarrowDots, 2), QStringLiteral("..."));
    EXPECT_EQ(FitTitleText(title, TenPerChar, 139), QStringLiteral("Albums of ..."));
    EXPECT_EQ(FitTitleText(QString(), TenPerChar, 0), QString());
}

TEST(TitleFit, OnlyTheFirstAmpersandIsDoubled) {
    EXPECT_EQ(FitTitleText(QStringLiteral("Rock & Roll & Co"), TenPerChar, 1000),
              QStringLiteral("Rock && Roll & Co"));
    EXPECT_EQ(EscapeFirstAmpersand(QStringLiteral("&")), QStringLiteral("&&"));
    EXPECT_EQ(EscapeFirstAmpersand(QStringLiteral("none")), QStringLiteral("none"));
    // The doubled text is what gets measured and cut.
    EXPECT_EQ(FitTitleText(QStringLiteral("A&BCD"), TenPerChar, 50), QStringLiteral("A&..."));
}

TEST(CommandRules, DeleteKeyPerView) {
    for (ViewKind v : {ViewKind::Albums, ViewKind::Artists, ViewKind::Genres, ViewKind::DiskFolder,
                       ViewKind::RemovedSongs, ViewKind::NewSongs}) {
        EXPECT_EQ(DeleteKeyActionFor(v, false), DeleteKeyAction::MoveToRemovedSongs) << int(v);
        EXPECT_EQ(DeleteKeyActionFor(v, true), DeleteKeyAction::MoveToRemovedSongs) << int(v);
    }
    EXPECT_EQ(DeleteKeyActionFor(ViewKind::Favourites, false), DeleteKeyAction::Nothing);
    EXPECT_EQ(DeleteKeyActionFor(ViewKind::Favourites, true),
              DeleteKeyAction::RemoveFromFavourites);
    EXPECT_EQ(DeleteKeyActionFor(ViewKind::Playlists, false), DeleteKeyAction::Nothing);
    EXPECT_EQ(DeleteKeyActionFor(ViewKind::Playlists, true), DeleteKeyAction::RemoveFromPlaylist);
    EXPECT_EQ(DeleteKeyActionFor(ViewKind::StartPage, true), DeleteKeyAction::Nothing);
    EXPECT_EQ(DeleteKeyActionFor(ViewKind::PlayingSongs, true), DeleteKeyAction::Nothing);
    EXPECT_TRUE(DeleteKeyQuestion(DeleteKeyAction::Nothing).isEmpty());
    EXPECT_EQ(DeleteKeyQuestion(DeleteKeyAction::MoveToRemovedSongs),
              QStringLiteral("Move selected files to \"removed songs\" folder?"));
}

TEST(ViewTable, TheLastEqualTextWinsWithoutRegardToAsciiCase) {
    const QStringList texts = {QStringLiteral("Orvane"), QStringLiteral("Albums"),
                               QStringLiteral("Genres"), QStringLiteral("ALBUMS"),
                               QStringLiteral("Removed songs")};
    EXPECT_EQ(FindLastNoCase(texts, QStringLiteral("albums")), 3);
    EXPECT_EQ(FindLastNoCase(texts, QStringLiteral("orvane")), 0);
    EXPECT_EQ(FindLastNoCase(texts, QStringLiteral("removed  songs")), -1); // blanks count
    EXPECT_EQ(FindLastNoCase(texts, QStringLiteral("Album")), -1);
    EXPECT_EQ(FindLastNoCase({}, QStringLiteral("Albums")), -1);
    // Only a-z are folded: "É" and "é" differ.
    EXPECT_EQ(FindLastNoCase({QStringLiteral("Caf\u00e9")}, QStringLiteral("CAF\u00c9")), -1);
}

TEST(CommandRules, EachSongCommandHasItsRule) {
    for (const char* name :
         {"btnDelete", "btnMove", "Delete1", "Movetodirectory1", "TagEditor2", "brAdvProperties",
          "Tageditor1", "Addtoplaylist2", "Addtoplaylist1", "Lyricsfile1", "Showallfromartist1",
          "Showallfromalbum1", "ShowallfromArtist2", "ShowallfromAlbum2"})
        EXPECT_EQ(RuleOfCommand(QString::fromLatin1(name)), CommandRule::Selected) << name;
    for (const char* name :
         {"Playsong1", "Addtoplayingsongs2", "Loadcoverimage2", "Deletecoverimage2",
          "Addtofavourites1", "Addtoplayingsongs1", "Movetorecyclebin1", "Movetodirectory2",
          "ExporttoWAV1", "ExporttoWAV2"})
        EXPECT_EQ(RuleOfCommand(QString::fromLatin1(name)), CommandRule::SelectedNotPlayingPage)
            << name;
    for (const char* name :
         {"RefreshDatabase1", "Import1", "Albums1", "btnPlay", "btnDelete2", "delete1", "Playing1"})
        EXPECT_EQ(RuleOfCommand(QString::fromLatin1(name)), CommandRule::Always) << name;

    CommandStates none;
    CommandStates selectedOnly{true, false, false};
    CommandStates both{true, true, false};
    EXPECT_TRUE(IsCommandEnabled(CommandRule::Always, none));
    EXPECT_FALSE(IsCommandEnabled(CommandRule::Selected, none));
    EXPECT_TRUE(IsCommandEnabled(CommandRule::Selected, selectedOnly));
    EXPECT_FALSE(IsCommandEnabled(CommandRule::SelectedNotPlayingPage, selectedOnly));
    EXPECT_TRUE(IsCommandEnabled(CommandRule::SelectedNotPlayingPage, both));
}

TEST(CommandRules, DropsOnTheFolderTree) {
    EXPECT_EQ(FolderDropActionFor(QStringLiteral("favourites")), FolderDropAction::AddToFavourites);
    EXPECT_EQ(FolderDropActionFor(QStringLiteral("PLAYING")), FolderDropAction::AddToPlayingSongs);
    EXPECT_EQ(FolderDropActionFor(QStringLiteral("Albums")), FolderDropAction::Nothing);
    EXPECT_EQ(FolderDropActionFor(QString()), FolderDropAction::Nothing);
}

} // namespace
} // namespace orvane
