// The random-playlist, new-playlist and add-to-playlist dialogs offscreen: their resets, their
// checks and messages, and what they return.

#include "playlists/TfrmAddToPlaylist.h"
#include "playlists/TfrmNewPlaylist.h"
#include "playlists/TfrmRandom.h"

#include "support/FileBytes.h"
#include "support/ModalDialog.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "support/WidgetTestApp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;
using test::ScriptedPrompts;
using test::WhenShown;

QStringList Lines(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines.append(list->item(i)->text());
    return lines;
}

class PlaylistDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        base = dir.path() + u"/music/"_s;
        for (const char* folder : {"b/inner", "a", ".hidden"})
            ASSERT_TRUE(QDir().mkpath(base + QString::fromLatin1(folder)));
    }
    test::TempDir dir;
    QString base;
    ScriptedPrompts prompts;
};

TEST_F(PlaylistDialogsTest, RandomDialogResetsNormalisesGeneratesAndPlays) {
    CollectionList songs;
    for (int i = 0; i < 40; ++i)
        songs.append({u"%1.mp3"_s.arg(i),
                      u"<b>T%1</b>"_s.arg(i),
                      u"A"_s,
                      {},
                      u"04:00"_s,
                      {},
                      i < 20 ? u"Blues"_s : u"Rock"_s,
                      {},
                      base,
                      kLocalCollection,
                      u"0"_s});
    QStringList played;
    TfrmRandom dialog(songs, dir.path(), prompts, [&](const QString& p) { played.append(p); });
    dialog.Draws().Random.seed(3);
    dialog.cbLength()->setCurrentText(u"8 hours"_s);
    dialog.cbAge()->setCurrentText(u"2 weeks"_s);
    dialog.cbSpecified()->setChecked(true);
    dialog.cbGenres()->setCurrentIndex(5);
    dialog.show();
    // Length, genre switch and genre start over; the age limit is kept.
    EXPECT_EQ(QStringList({dialog.cbLength()->currentText(), dialog.cbAge()->currentText(),
                           dialog.cbGenres()->currentText()}),
              (QStringList{u"1 hour"_s, u"2 weeks"_s, u"Blues"_s}));
    EXPECT_FALSE(dialog.cbSpecified()->isChecked() || dialog.cbGenres()->isEnabled());
    dialog.cbSpecified()->setChecked(true);

    // Leaving the age box with a bare number gives it its unit.
    dialog.cbAge()->lineEdit()->setText(u"3"_s);
    emit dialog.cbAge()->lineEdit()->editingFinished();
    EXPECT_EQ(dialog.cbAge()->currentText(), u"3 days");

    // A bad text is named and the list shown stays; then Generate normalises and fills it.
    dialog.lbSongs()->addItem(u"earlier"_s);
    dialog.cbAge()->setCurrentText(u"Any age"_s);
    dialog.cbLength()->setCurrentText(u"one hour"_s);
    dialog.btnCreate()->click();
    EXPECT_EQ(prompts.texts().size(), 1);
    EXPECT_EQ(Lines(dialog.lbSongs()), QStringList{u"earlier"_s});
    dialog.cbLength()->setCurrentText(u"20"_s);
    dialog.btnCreate()->click();
    EXPECT_EQ(dialog.cbLength()->currentText(), u"20 minutes");
    const QStringList lines = Lines(dialog.lbSongs());
    ASSERT_EQ(lines.size(), 5);
    for (const QString& line : lines) // Blues only, shown as written
        EXPECT_LT(line.mid(4).section(u'<', 0, 0).toInt(), 20) << line.toStdString();
    EXPECT_EQ(QString::fromUtf8(test::ReadFile(dir.file(u"temp.m3u"_s))).count(u"\r\n"_s), 5);

    dialog.btnPlay()->click();
    EXPECT_EQ(played, QStringList{dir.file(u"temp.m3u"_s)});
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(PlaylistDialogsTest, NewPlaylistNamesAndPlaces) {
    ASSERT_TRUE(test::WriteFile(base + u"a/taken.m3u"_s, ""));
    TfrmNewPlaylist dialog(base, prompts);
    QTreeWidget* tree = dialog.tvFiles();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), u"Orvane");
    EXPECT_TRUE(root->isExpanded() && root->isSelected());
    ASSERT_EQ(root->childCount(), 2); // the hidden folder is left out
    QTreeWidgetItem* a = root->child(0);
    QTreeWidgetItem* inner = root->child(1)->child(0);
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->text(0), u"inner");

    struct Case {
        QTreeWidgetItem* folder;
        QString typed;
        QString shown;   // the name box afterwards
        QString path;    // empty: refused, with message
        QString message; // the refusal
    };
    const QString badName = u"\" cannot be a playlist name.\nUse a name that does not begin with "
                            u"a full stop and holds none of / \\ : * ? \" < > |"_s;
    const Case cases[] = {
        {root, u""_s, u""_s, {}, u"You must select a name and location first"_s},
        {a, u"a/b"_s, u"a/b"_s, {}, u"\"a/b"_s + badName},
        {a, u".m3u"_s, u".m3u"_s, {}, u"\".m3u"_s + badName},
        {a,
         u"taken.list"_s,
         u"taken.m3u"_s,
         {},
         u"taken.m3u already exists in specified directory."_s},
        // Again after the message: the name box holds the name with ".m3u".
        {a,
         u"taken.m3u"_s,
         u"taken.m3u"_s,
         {},
         u"taken.m3u already exists in specified directory."_s},
        {inner, u"taken.m3u"_s, u"taken.m3u"_s, base + u"b/inner/taken.m3u"_s, {}},
        {inner, u"my.list.m3u"_s, u"my.m3u"_s, base + u"b/inner/my.m3u"_s, {}},
        {root, u"   "_s, u"   .m3u"_s, base + u"   .m3u"_s, {}},
    };
    for (const Case& c : cases) {
        const size_t shown = prompts.shown().size();
        tree->setCurrentItem(c.folder);
        dialog.edNAme()->setText(c.typed);
        dialog.show();
        dialog.btnOk()->click();
        EXPECT_EQ(dialog.edNAme()->text(), c.shown) << c.typed.toStdString();
        EXPECT_EQ(dialog.Path(), c.path) << c.typed.toStdString();
        EXPECT_EQ(dialog.isVisible(), c.path.isEmpty());
        EXPECT_EQ(prompts.texts().mid(qsizetype(shown)),
                  c.message.isEmpty() ? QStringList() : QStringList{c.message});
    }
    EXPECT_FALSE(QFile::exists(base + u"b/inner/my.m3u"_s)); // the dialog creates nothing
}

TEST_F(PlaylistDialogsTest, AddToPlaylistChoosesSortedEntriesOrANewOne) {
    for (const char* name : {"b/inner/rock.m3u", "a/Chill.m3u", "Party.m3u"})
        ASSERT_TRUE(test::WriteFile(base + QString::fromLatin1(name), ""));
    TfrmAddToPlaylist dialog(base, prompts);
    EXPECT_EQ(Lines(dialog.lvPlaylists()), (QStringList{u"Chill"_s, u"Party"_s, u"rock"_s}));

    dialog.show();
    dialog.btnOk()->click();
    EXPECT_EQ(prompts.texts(), QStringList{u"You must select a playlist first."_s});
    EXPECT_TRUE(dialog.isVisible());

    // "&New..." cancelled adds nothing; accepted it adds the entry, selected, and no file.
    WhenShown<TfrmNewPlaylist>([](TfrmNewPlaylist& made) {
        made.edNAme()->setText(u"Zed"_s);
        made.btnCancel()->click();
    });
    dialog.btnNew()->click();
    EXPECT_EQ(dialog.lvPlaylists()->count(), 3);
    WhenShown<TfrmNewPlaylist>([](TfrmNewPlaylist& made) {
        made.edNAme()->setText(u"Mellow"_s);
        made.btnOk()->click();
    });
    dialog.btnNew()->click();
    EXPECT_EQ(Lines(dialog.lvPlaylists()),
              (QStringList{u"Chill"_s, u"Mellow"_s, u"Party"_s, u"rock"_s}));
    EXPECT_FALSE(QFile::exists(base + u"Mellow.m3u"_s));
    dialog.btnOk()->click();
    EXPECT_EQ(dialog.Path(), base + u"Mellow.m3u"_s);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
} // namespace orvane
