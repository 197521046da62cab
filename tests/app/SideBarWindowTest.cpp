// The side bar of the running program, offscreen: its group menu and messages, playlist
// shortcuts made by drops from the playlist list, songs dropped on them, and the groups kept
// over a restart.

#include "ProgramFixture.h"
#include "app/Program.h"

#include "browser/SideBar.h"
#include "browser/TfrmGroupName.h"
#include "browser/TfrmMain.h"
#include "support/FileBytes.h"
#include "support/ListTexts.h"
#include "support/ModalDialog.h"
#include "support/SongTitles.h"

#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

using test::Captions;
using test::Lines;

class SideBarWindowTest : public test::ProgramFixture {
protected:
    void Start() {
        program = std::make_unique<Program>(prompts, registry, folder);
        ProgramFixture::Start(*program, true);
    }
    void TearDown() override {
        if (program)
            Stop(*program);
    }
    TfrmMain& window() { return program->MainWindow(); }
    TSideBar& bar() { return *window().obMain(); }
    // "caption/L" or "caption/S" per group, then its items.
    QStringList Groups() {
        QStringList groups;
        for (int g = 0; g < bar().GroupCount(); ++g)
            groups << bar().GroupCaption(g) +
                          (bar().Icons(g) == SideBarIcons::Large ? u"/L"_s : u"/S"_s)
                   << Captions(bar().Group(g)).join(u',');
        return groups;
    }
    void Run(const QString& command) {
        QAction* action = window().Command(command);
        ASSERT_TRUE(action && action->isEnabled()) << command.toStdString();
        action->trigger();
    }
    // "New group" answered with title.
    void NewGroup(const QString& title) {
        test::WhenShown<QInputDialog>([title](QInputDialog& ask) {
            EXPECT_EQ(ask.windowTitle(), u"New group");
            EXPECT_EQ(ask.labelText(), u"Title for group:");
            EXPECT_EQ(ask.textValue(), QString());
            ask.setTextValue(title);
            ask.accept();
        });
        Run(u"Newgroup1"_s);
    }
    // The item menu opened on item, and "Delete item" chosen.
    void DeleteItem(QListWidgetItem* item) {
        bar().OnContextMenu(item, QPoint(10, 10));
        QMenu* menu = window().Menu(u"pmOutlookItem"_s);
        EXPECT_TRUE(menu->isVisible());
        Run(u"Deleteitem1"_s);
        menu->hide();
    }
    // lvPlaylist's drag of the playlist in row, dropped on item of the bar.
    bool DropPlaylist(int row, QListWidgetItem* item) {
        QListWidget* list = window().lvPlaylist();
        const std::unique_ptr<QMimeData> dragged(
            list->model()->mimeData({list->model()->index(row, 0)}));
        return bar().obMainDragDrop(item, *dragged, list);
    }
    // The songs shown in lvSelection, selected and dragged.
    std::unique_ptr<QMimeData> DragAllSongs() {
        TSongListView* songs = window().lvSelection();
        songs->selectAll();
        return std::unique_ptr<QMimeData>(
            songs->Songs()->mimeData(songs->selectionModel()->selectedIndexes()));
    }
    QListWidgetItem* Item(int group, int row) { return bar().Group(group)->item(row); }

    std::unique_ptr<Program> program;
};

TEST_F(SideBarWindowTest, GroupMenuEditsTheUsersGroupsAndGuardsTheFixedOnes) {
    Start();
    const QString fixedMessage = u"This group can't be modified"_s;
    EXPECT_EQ(Groups(),
              (QStringList{u"Orvane/S"_s, u"Orvane,Albums,Artists,Genres,Playing,Removed songs"_s,
                           u"Personal/S"_s, u"Favourites,My files,Playlist,New"_s}));

    NewGroup(QString()); // an empty title makes nothing and says nothing
    NewGroup(u"   "_s);
    EXPECT_EQ(bar().GroupCount(), 2);
    EXPECT_TRUE(prompts.texts().isEmpty());

    // The fixed groups are neither deleted, renamed nor lose an item.
    bar().setCurrentIndex(1);
    Run(u"Deletegroup1"_s);
    Run(u"Renamegroup1"_s);
    DeleteItem(Item(1, 0));
    EXPECT_EQ(prompts.texts(), QStringList(3, fixedMessage));
    EXPECT_EQ(Captions(bar().Group(1)).size(), 4);

    NewGroup(u"Rock"_s);
    NewGroup(u"Jazz <b>"_s);
    EXPECT_EQ(bar().currentIndex(), 3) << "a new group is opened";
    bar().AddGroupItem(u"Rock"_s, u"Party"_s);

    // The menu checks the open group's icon size; the two sizes are a radio pair.
    bar().setCurrentIndex(0);
    Run(u"Bigicons1"_s);
    bar().OnContextMenu(nullptr, QPoint(10, 10));
    EXPECT_TRUE(window().Command(u"Bigicons1"_s)->isChecked());
    EXPECT_FALSE(window().Command(u"Smallicons1"_s)->isChecked());
    window().Menu(u"pmOutlook"_s)->hide();
    bar().setCurrentIndex(2);
    bar().OnContextMenu(nullptr, QPoint(10, 10));
    EXPECT_TRUE(window().Command(u"Smallicons1"_s)->isChecked());
    window().Menu(u"pmOutlook"_s)->hide();

    // Rename: the dialog holds the caption; Cancel keeps it, OK takes the new one.
    test::WhenShown<TfrmGroupName>([](TfrmGroupName& dialog) {
        EXPECT_EQ(dialog.edName()->text(), u"Rock");
        EXPECT_TRUE(dialog.btnHelp()->isEnabled());
        dialog.edName()->setText(u"Blues"_s);
        dialog.reject();
    });
    Run(u"Renamegroup1"_s);
    test::WhenShown<TfrmGroupName>([](TfrmGroupName& dialog) {
        dialog.edName()->clear();
        EXPECT_FALSE(dialog.btnOk()->isEnabled()) << "no group without a name";
        dialog.edName()->setText(u"Blues"_s);
        dialog.btnOk()->click();
    });
    Run(u"Renamegroup1"_s);
    EXPECT_EQ(bar().GroupCaption(2), u"Blues");

    // Deleting the second user group, asked about: No keeps it. Another group opened while the
    // question is open does not change which group goes.
    bar().setCurrentIndex(3);
    prompts.Answer(PromptAnswer::No);
    Run(u"Deletegroup1"_s);
    EXPECT_EQ(prompts.texts().back(), u"Are you sure you want to remove this group?");
    EXPECT_EQ(bar().GroupCount(), 4);
    prompts.WhileAsked = [this] {
        bar().setCurrentIndex(2);
    };
    Run(u"Deletegroup1"_s);
    EXPECT_EQ(Groups(),
              (QStringList{u"Orvane/L"_s, u"Orvane,Albums,Artists,Genres,Playing,Removed songs"_s,
                           u"Personal/S"_s, u"Favourites,My files,Playlist,New"_s, u"Blues/S"_s,
                           u"Party"_s}));

    // Delete item removes the shortcut the menu was opened on, without a question.
    const size_t asked = prompts.shown().size();
    DeleteItem(Item(2, 0));
    EXPECT_EQ(bar().Group(2)->count(), 0);
    EXPECT_EQ(prompts.shown().size(), asked);
}

TEST_F(SideBarWindowTest, PlaylistShortcutsTakeDropsAndOpenTheirPlaylist) {
    const QString one = Mp3(u"one.mp3"_s, u"One"_s);
    const QString two = Mp3(u"two.mp3"_s, u"Two"_s);
    const QString party = music + u"/Party.m3u"_s;
    ASSERT_TRUE(test::WriteFile(party, one.toUtf8() + "\r\n"));
    ASSERT_TRUE(test::WriteFile(music + u"/Chill.m3u"_s, two.toUtf8() + "\r\n"));
    ASSERT_TRUE(test::WriteFile(music + u"/New.m3u"_s, QByteArray()));
    Start();
    window().SelectFolderNode(u"Playlist"_s);
    ASSERT_EQ(Captions(window().lvPlaylist()), (QStringList{u"Chill"_s, u"New"_s, u"Party"_s}));

    // A playlist dropped anywhere lands in the open group, here the fixed "Personal", where it
    // stays; a second drop of it adds no second shortcut.
    bar().setCurrentIndex(1);
    for (int g = 0; g < bar().GroupCount(); ++g)
        EXPECT_TRUE(bar().Group(g)->viewport()->acceptDrops()) << "songs are dropped on items";
    EXPECT_TRUE(DropPlaylist(2, Item(0, 2)));
    EXPECT_TRUE(DropPlaylist(2, nullptr));
    EXPECT_TRUE(DropPlaylist(1, nullptr)); // named as a view's icon: a shortcut all the same
    EXPECT_EQ(Captions(bar().Group(1)), (QStringList{u"Favourites"_s, u"My files"_s, u"Playlist"_s,
                                                     u"New"_s, u"Party"_s, u"New"_s}));
    DeleteItem(Item(1, 4));
    EXPECT_EQ(prompts.texts(), QStringList{u"This group can't be modified"_s});
    EXPECT_EQ(bar().Group(1)->count(), 6);

    // A shortcut whose caption differs in letter case from its playlist's name: songs dropped
    // on it are added to that playlist, last row first; its click shows the playlist.
    ASSERT_TRUE(bar().AddGroup(u"Mine"_s));
    ASSERT_TRUE(bar().AddGroupItem(u"Mine"_s, u"PARTY"_s));
    ASSERT_TRUE(bar().AddGroupItem(u"Mine"_s, u"Gone"_s));
    window().lvPlaylist()->setCurrentRow(0); // Chill
    std::unique_ptr<QMimeData> dragged = DragAllSongs();
    QListWidgetItem* shortcut = Item(2, 0);
    ASSERT_TRUE(bar().obMainDragDrop(shortcut, *dragged, window().lvSelection()));
    EXPECT_EQ(Lines(party), (QStringList{one, two}));

    // Songs dragged from one list and dropped after the list was filled anew add nothing.
    dragged = DragAllSongs();
    window().lvPlaylist()->setCurrentRow(1);
    bar().obMainDragDrop(shortcut, *dragged, window().lvSelection());
    EXPECT_EQ(Lines(party), (QStringList{one, two}));
    EXPECT_EQ(prompts.texts().back(),
              u"The song list changed while the songs were dragged; nothing was added.");

    window().SelectFolderNode(u"Albums"_s);
    emit bar().Group(2)->itemClicked(shortcut);
    EXPECT_EQ(window().CurrentView(), ViewKind::Playlists);
    EXPECT_EQ(window().lvPlaylist()->currentItem()->text(), u"Party");
    EXPECT_EQ(test::Titles(window().SelectionModel()->Rows()), (QStringList{u"One"_s, u"Two"_s}));
    EXPECT_EQ(window().CaptionBar()->text(), u"Party [00:01:02]");
    EXPECT_FALSE(TSideBar::IsMarkedMissing(shortcut));
    EXPECT_TRUE(TSideBar::IsMarkedMissing(Item(2, 1)));

    // The playlist deleted: its shortcuts are greyed, tell why, open nothing and take nothing.
    window().lvPlaylist()->setCurrentRow(2);
    Run(u"Delete2"_s);
    ASSERT_FALSE(QFile::exists(party));
    EXPECT_TRUE(TSideBar::IsMarkedMissing(shortcut));
    EXPECT_TRUE(shortcut->toolTip().contains(u"PARTY"_s));
    EXPECT_TRUE(TSideBar::IsMarkedMissing(Item(1, 4)));
    EXPECT_FALSE(TSideBar::IsMarkedMissing(Item(1, 5)));
    window().SelectFolderNode(u"Albums"_s);
    emit bar().Group(2)->itemClicked(shortcut);
    EXPECT_EQ(window().CurrentView(), ViewKind::Albums);
    window().SelectFolderNode(u"Playlist"_s); // Chill is shown
    dragged = DragAllSongs();
    EXPECT_TRUE(bar().obMainDragDrop(shortcut, *dragged, window().lvSelection()));
    EXPECT_FALSE(QFile::exists(party));
    EXPECT_EQ(QDir(music).entryList({u"*.m3u"_s}), (QStringList{u"Chill.m3u"_s, u"New.m3u"_s}));
}

TEST_F(SideBarWindowTest, GroupsItemsAndIconSizesComeBackAfterARestart) {
    Start();
    NewGroup(u"Rock"_s);
    NewGroup(u"AC\\DC & 100%"_s);
    EXPECT_EQ(bar().itemText(3), u"AC\\DC && 100%") << "an '&' of the caption is shown";
    NewGroup(u"Rock"_s); // the same caption twice: each keeps its own items
    bar().AddShortcut(2, u"Zeta"_s);
    bar().AddShortcut(2, u"Alpha"_s);
    bar().AddShortcut(4, u"Mid"_s);
    bar().setCurrentIndex(1);
    Run(u"Bigicons1"_s);
    const QStringList before = Groups();
    ASSERT_EQ(before.size(), 10);
    Stop(*program);
    program.reset();

    Start();
    EXPECT_EQ(Groups(), before);
}

} // namespace
} // namespace orvane
