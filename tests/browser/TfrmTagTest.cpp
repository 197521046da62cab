// The tag editor from the main window offscreen: the dialog on the current list's selection, its
// save into the files, rows and records, its messages, and the undo command.

#include "browser/TfrmTag.h"
#include "browser/SongListModel.h"
#include "browser/TagEditorCommands.h"
#include "browser/TfrmMain.h"
#include "store/SongStore.h"
#include "support/FileSizeLimit.h"
#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "support/WidgetTestApp.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

class TfrmTagTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.SetPrompts(&prompts);
        window.SetStore(&store);
        window.SelectFolderNode(u"Genres"_s);
    }
    // Songs in the collection and in lvSelection, in the order given; names without ".mp3" get
    // a tag titled with the name, the others none ("big.mp3" is twice as long).
    void Show(const QStringList& names) {
        SongRows rows;
        for (const QString& name : names) {
            QByteArray bytes = test::MakeMpegStream({.frames = name == u"big.mp3" ? 20 : 10});
            QString file = name;
            if (!name.endsWith(u".mp3"_s)) {
                bytes += test::MakeId3v1(name, u"Artist"_s, u"Album"_s, u"1998"_s, {}, 0, 0);
                file += u".mp3"_s;
            }
            EXPECT_TRUE(test::WriteFile(dir.file(file), bytes));
            AddSongFile(store, dir.file(file));
            rows.push_back(SongRow::FromRecord(store.Songs.at(store.Songs.size() - 1)));
        }
        window.lvSelection()->Songs()->SetRows(std::move(rows));
    }
    void Select(std::initializer_list<int> rows) {
        TSongListView* list = window.lvSelection();
        list->clearSelection();
        for (int r : rows)
            list->selectionModel()->select(list->Songs()->index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // Runs the command with the dialog answered by act (which clicks a button of the dialog).
    void Edit(const std::function<void(TfrmTag&)>& act) {
        bool reached = false;
        QTimer::singleShot(0, &window, [&] {
            auto* dialog = qobject_cast<TfrmTag*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            reached = true;
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        window.Command(u"TagEditor2"_s)->trigger();
        EXPECT_TRUE(reached);
    }
    QStringList Titles() const {
        QStringList titles;
        for (const SongRow& r : window.lvSelection()->Songs()->Rows())
            titles.append(r.Title + u'/' + r.Artist + u'/' + r.Genre);
        return titles;
    }

    test::TempDir dir;
    test::ScriptedPrompts prompts;
    SongStore store;
    TfrmMain window;
    TagEditorCommands* commands = new TagEditorCommands(window, store, prompts);
};

// One file: its fields and facts; a character that no tag can hold is reported before anything
// is written and the user may go back; the saved title shows cut as the file holds it.
TEST_F(TfrmTagTest, SingleSongShowsItsFileAndSavesWhatTheTagCanHold) {
    Show({u"Live.mp3"_s});
    Select({0});
    const QByteArray before = test::ReadFile(dir.file(u"Live.mp3"_s));
    prompts.Answer(PromptAnswer::Cancel);
    Edit([&](TfrmTag& d) {
        EXPECT_EQ(d.lblFilename()->toPlainText(), dir.file(u"Live.mp3"_s));
        EXPECT_EQ((QStringList{d.edTitle()->text(), d.edArtist()->text(), d.edYear()->text()}),
                  (QStringList{u"Live"_s, {}, {}}));
        EXPECT_EQ(d.cbGenres()->currentIndex(), -1);
        EXPECT_EQ(d.mmInfo()->toPlainText().split(u'\n').mid(2, 2),
                  (QStringList{u"MPEG 1.0 layer 3"_s, u"128kbit, 44100hz"_s}));
        d.edTitle()->setText(u"A title that is longer than thirty"_s);
        d.edArtist()->setText(u"Dvo\u0159\u00e1k"_s);
        d.btnSave()->click();
        ASSERT_TRUE(d.isVisible()); // went back to the fields
        EXPECT_EQ(test::ReadFile(dir.file(u"Live.mp3"_s)), before);
        d.edArtist()->setText(u"Dvor\u00e1k"_s);
        d.cbGenres()->setCurrentIndex(d.cbGenres()->findText(u"Rock"_s));
        d.btnSave()->click();
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].buttons, PromptButtons::OkCancel);
    EXPECT_TRUE(prompts.shown()[0].text.contains(u"Artist: \u0159"_s));
    EXPECT_EQ(Titles(), QStringList{u"A title that is longer than th/Dvor\u00e1k/Rock"_s});
    EXPECT_EQ(store.Songs.at(0).Genre, u"Rock");
    EXPECT_EQ(uint8_t(test::ReadFile(dir.file(u"Live.mp3"_s)).back()), 17);
}

// Three rows of which one file cannot take a tag; while the dialog is open the list is sorted
// anew. The two written files' rows change where they stand now; the third row and record stay.
// Undo then restores every file's bytes and the rows.
TEST_F(TfrmTagTest, BatchSaveCountsFailuresFollowsTheRowsAndUndoes) {
    Show({u"b"_s, u"big.mp3"_s, u"a"_s});
    Select({0, 1, 2});
    QByteArray bytes[3];
    for (int i = 0; i < 3; ++i)
        bytes[i] = test::ReadFile(window.lvSelection()->Songs()->Row(i).Path());
    const SongRecord bigRecord = store.Songs.at(1);
    Edit([&](TfrmTag& d) {
        EXPECT_TRUE(d.IsBatch());
        EXPECT_FALSE(d.edTitle()->isEnabled());
        EXPECT_EQ(d.mmInfo()->toPlainText(), u"No information available in batch editing.");
        window.lvSelection()->SortByColumn(0, Qt::AscendingOrder);
        d.edAlbum()->setText(u"Best"_s);
        const test::FileSizeLimit limit(rlim_t(QFileInfo(dir.file(u"a.mp3"_s)).size()));
        d.btnSave()->click();
    });
    EXPECT_EQ(prompts.texts(),
              QStringList{u"(1) could not be updated \npossible causes: file is corrupted, or read "
                          u"only"_s});
    QStringList albums;
    for (const SongRow& r : window.lvSelection()->Songs()->Rows())
        albums.append(r.Title + u'/' + r.Album);
    EXPECT_EQ(albums, (QStringList{u"a/Best"_s, u"b/Best"_s, u"big.mp3/[notag]"_s}));
    EXPECT_EQ(store.Songs.at(1), bigRecord);
    EXPECT_EQ(store.Songs.at(2).Album, u"Best");

    ASSERT_TRUE(window.Command(u"Undotagchanges1"_s)->isEnabled());
    window.Command(u"Undotagchanges1"_s)->trigger();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(test::ReadFile(store.Songs.at(i).Path()), bytes[i]) << i;
    EXPECT_EQ(window.lvSelection()->Songs()->Row(0).Album, u"Album");
    EXPECT_EQ(store.Songs.at(0).Album, u"Album");
    EXPECT_FALSE(window.Command(u"Undotagchanges1"_s)->isEnabled());
}

// Cancel writes nothing; no selection opens nothing; the undo key is not taken from the search
// box; a file changed after the save keeps its bytes and the undo is refused with a message.
TEST_F(TfrmTagTest, CancelNoSelectionAndAChangedFileLeaveFilesAlone) {
    Show({u"a"_s});
    commands->OpenTagEditor(); // nothing selected: no dialog to wait for
    Select({0});
    const QString path = dir.file(u"a.mp3"_s);
    const QByteArray before = test::ReadFile(path);
    Edit([](TfrmTag& d) {
        d.edArtist()->setText(u"X"_s);
        d.btnCancel()->click();
    });
    EXPECT_EQ(test::ReadFile(path), before);
    EXPECT_FALSE(window.Command(u"Undotagchanges1"_s)->isEnabled());

    Edit([](TfrmTag& d) {
        d.edArtist()->setText(u"X"_s);
        d.btnSave()->click();
    });
    ASSERT_TRUE(window.Command(u"Undotagchanges1"_s)->isEnabled());
    // The undo key does nothing in the search box; in the song list it undoes.
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QByteArray saved = test::ReadFile(path);
    QTest::keyClick(window.edSearchtxt(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(test::ReadFile(path), saved);
    QTest::keyClick(window.lvSelection(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(test::ReadFile(path), before);

    Edit([](TfrmTag& d) {
        d.edArtist()->setText(u"X"_s);
        d.btnSave()->click();
    });
    const QByteArray changed = test::ReadFile(path) + "more";
    ASSERT_TRUE(test::WriteFile(path, changed));
    commands->UndoTagChanges();
    EXPECT_EQ(test::ReadFile(path), changed);
    ASSERT_EQ(prompts.texts().size(), 1);
    EXPECT_TRUE(prompts.texts()[0].endsWith(path));
    EXPECT_FALSE(window.Command(u"Undotagchanges1"_s)->isEnabled());
}

// An empty year that an old cache file holds as zero bytes shows blank; the row keeps it.
TEST(SongListYear, ZeroBytesShowBlank) {
    SongListModel model;
    SongRow row;
    row.Year = QString(4, QChar(0));
    model.SetRows({row, row});
    model.SetRow(1, [&] {
        SongRow dated = row;
        dated.Year = u"98"_s + QString(2, QChar(0));
        return dated;
    }());
    EXPECT_EQ(model.data(model.index(0, SongListModel::YearColumn), Qt::DisplayRole), u""_s);
    EXPECT_EQ(model.data(model.index(1, SongListModel::YearColumn), Qt::DisplayRole), u"98"_s);
    EXPECT_EQ(model.Rows()[0].Year, row.Year);
}

} // namespace
} // namespace orvane
