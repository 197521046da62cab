// The filters and the quick search in the running program, offscreen: the quick search with its
// history and the Delete key on its hits, the time filters rebuilding the view shown, and the
// imported collections with the collection filter.

#include "ProgramFixture.h"

#include "exchange/ImportedCollections.h"
#include "exchange/TfrmExportOrv.h"
#include "exchange/TfrmExportTypeSelection.h"
#include "exchange/TfrmFilterCollection.h"
#include "store/CacheFile.h"
#include "support/ModalDialog.h"
#include "support/SongTitles.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

class FilterWindowTest : public test::ProgramFixture {
protected:
    void TearDown() override {
        if (program)
            Stop(*program);
    }
    void Start() {
        program = std::make_unique<Program>(prompts, registry, folder);
        ProgramFixture::Start(*program, true);
    }
    TfrmMain& window() { return program->MainWindow(); }
    QStringList Titles() { return test::Titles(window().SelectionModel()->Rows()); }
    void Search(const QString& text, bool enter = false) {
        window().edSearchtxt()->setCurrentText(text);
        if (!enter) {
            window().Button(u"btnSearch"_s)->click();
            return;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(window().edSearchtxt(), &press);
    }
    QStringList History() {
        QStringList items;
        for (int i = 0; i < window().edSearchtxt()->count(); ++i)
            items << window().edSearchtxt()->itemText(i);
        return items;
    }
    bool FilterLabelShown() { return !window().FilterActiveLabel()->isHidden(); }
    // Runs the collection filter dialog, unchecking the given rows, and OK or Cancel.
    void FilterCollections(std::vector<int> unchecked, bool ok) {
        QTimer::singleShot(0, [unchecked, ok] {
            auto* dialog = qobject_cast<TfrmFilterCollection*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            for (int row : unchecked)
                dialog->cbList()->item(row)->setCheckState(Qt::Unchecked);
            ok ? dialog->accept() : dialog->reject();
        });
        window().Command(u"SelectedIMPORT1"_s)->trigger();
    }

    std::unique_ptr<Program> program;
};

TEST_F(FilterWindowTest, QuickSearchKeepsItsHistoryAndItsHitsNeverEditFavourites) {
    Mp3(u"a.mp3"_s, u"The Beat Goes On"_s);
    const QString medley = Mp3(u"b.mp3"_s, u"Beatles Medley"_s);
    const QString favourites = folder + u"favourites.orv"_s;
    ASSERT_TRUE(test::WriteFile(favourites, medley.toUtf8() + "\r\n"));
    Start();
    window().SelectFolderNode(u"Favourites"_s);
    ASSERT_EQ(Titles(), QStringList{u"Beatles Medley"_s});
    EXPECT_TRUE(window().Command(u"btnSearch"_s)->isEnabled());

    Search(u"beat"_s);
    EXPECT_EQ(Titles(), QStringList{u"The Beat Goes On"_s});
    EXPECT_TRUE(window().CategoryPane()->isHidden());
    EXPECT_EQ(window().SongPane()->currentIndex(), int(SongPage::Selection));
    EXPECT_TRUE(window().lvSelection()->SortingOn());
    Search(u"BEAT"_s, true); // Enter; the same text in other letter case is not kept again
    Search(u"goes"_s, true);
    EXPECT_EQ(History(), (QStringList{u"beat"_s, u"goes"_s}));
    EXPECT_EQ(window().edSearchtxt()->lineEdit()->text(), u"goes");
    EXPECT_EQ(window().edSearchtxt()->lineEdit()->selectedText(), u"goes");
    Search(u"   "_s); // blanks only: nothing happens
    EXPECT_EQ(Titles(), QStringList{u"The Beat Goes On"_s});
    EXPECT_EQ(History().size(), 2);

    // Delete on the hits, found from the favourites view, moves the songs to removed songs as in
    // the album view, and never touches the favourites.
    Search(u"medley"_s);
    ASSERT_EQ(Titles(), QStringList{u"Beatles Medley"_s});
    window().lvSelection()->selectRow(0);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    prompts.Answer(PromptAnswer::No);
    QCoreApplication::sendEvent(window().lvSelection(), &press);
    EXPECT_TRUE(prompts.texts().contains(u"Move selected files to \"removed songs\" folder?"_s));
    EXPECT_TRUE(QFile::exists(medley));
    prompts.Answer(PromptAnswer::Yes);
    QCoreApplication::sendEvent(window().lvSelection(), &press);
    EXPECT_FALSE(QFile::exists(medley));
    EXPECT_TRUE(QFile::exists(folder + u"recycle/b.mp3"_s));
    EXPECT_FALSE(prompts.texts().contains(u"Remove selected songs from favourites folder?"_s));
    EXPECT_EQ(test::ReadFile(favourites), medley.toUtf8() + "\r\n");
}

TEST_F(FilterWindowTest, TimeFiltersRebuildTheViewShown) {
    const QString old = Mp3(u"b.mp3"_s, u"Old Beat"_s, u"Ann"_s, u"Blue"_s);
    Mp3(u"a.mp3"_s, u"New Beat"_s, u"Ann"_s, u"Blue"_s);
    ASSERT_TRUE(test::SetModified(old, QDateTime::currentDateTime().addDays(-40)));
    Start();
    window().SelectFolderNode(u"Albums"_s);
    window().lvAlbums()->setCurrentItem(window().lvAlbums()->findItems(u"Blue"_s, {}).value(0));
    ASSERT_EQ(Titles(), (QStringList{u"New Beat"_s, u"Old Beat"_s}));
    EXPECT_FALSE(FilterLabelShown());

    window().Command(u"Displaytaggedinlastmonth1"_s)->trigger();
    EXPECT_EQ(Titles(), QStringList{u"New Beat"_s});
    EXPECT_TRUE(FilterLabelShown());
    EXPECT_FALSE(window().Command(u"Nofilters1"_s)->isChecked());
    // The quick search's hits are searched again when the filter changes.
    Search(u"beat"_s);
    EXPECT_EQ(Titles(), QStringList{u"New Beat"_s});
    window().Command(u"Nofilters1"_s)->trigger();
    EXPECT_EQ(Titles(), (QStringList{u"New Beat"_s, u"Old Beat"_s}));
    EXPECT_FALSE(FilterLabelShown());

    window().Command(u"Displaybydate1"_s)->trigger();
    EXPECT_EQ(Titles(), QStringList{u"New Beat"_s});
}

TEST_F(FilterWindowTest, ImportedCollectionsAndTheCollectionFilter) {
    const auto song = [](const QString& title, const QString& where) {
        return SongRecord{title + u".mp3"_s, title, u"Ann"_s, u"Blue"_s, u"03:00"_s, {},
                          u"Pop"_s,          {},    where,    {},        {}};
    };
    ASSERT_TRUE(
        SaveCacheFile(folder + u"local.orv"_s, std::vector{song(u"Beat Cached"_s, u"/gone/"_s)}));
    ASSERT_TRUE(EnsureLibFolder(LibFolder(folder)));
    ASSERT_TRUE(SaveCacheFile(LibFolder(folder) + u"friend.orv"_s,
                              std::vector{song(u"Beat Friend"_s, u"/cd/"_s)}));
    Mp3(u"s.mp3"_s, u"Beat Scanned"_s);
    Start();
    EXPECT_EQ(program->Filter().CollectionFilter(),
              (QStringList{u"Local.orv;1"_s, u"friend.orv;1"_s}));
    Search(u"beat"_s);
    EXPECT_EQ(Titles(), (QStringList{u"Beat Cached"_s, u"Beat Friend"_s, u"Beat Scanned"_s}));

    FilterCollections({0, 1}, false); // Cancel changes nothing
    EXPECT_EQ(Titles().size(), 3);
    EXPECT_FALSE(FilterLabelShown());
    // Unchecked: the songs read from the files go, the song this run's scan found stays.
    FilterCollections({0, 1}, true);
    EXPECT_EQ(Titles(), QStringList{u"Beat Scanned"_s});
    EXPECT_TRUE(FilterLabelShown());
    window().SelectFolderNode(u"Genres"_s);
    window().lbGenres()->setCurrentItem(window().lbGenres()->findItems(u"Pop"_s, {}).value(0));
    EXPECT_TRUE(Titles().isEmpty());
}

TEST_F(FilterWindowTest, ExportedCollectionIsBrowsedInAnotherInstallation) {
    SongRecord shared{u"s.mp3"_s, u"Beat Shared"_s, u"Ann"_s, u"Blue"_s, u"03:00"_s, {}, u"Pop"_s,
                      {},         u"/music/"_s,     {},       {}};
    ASSERT_TRUE(SaveCacheFile(folder + u"local.orv"_s, std::vector{shared}));
    Start();
    // File > "Export information...", the collection file, a contact text, Finish, Close.
    test::WhenShown<TfrmExportTypeSelection>([](TfrmExportTypeSelection& types) {
        types.lbTypes()->setCurrentRow(1);
        types.accept();
    });
    test::WhenShown<TfrmExportOrv>([](TfrmExportOrv& wizard) {
        wizard.edEmail()->setText(u"jo@example.org"_s);
        for (int click = 0; click < 4; ++click)
            wizard.btnNext()->click();
    });
    window().Command(u"Exportinformation1"_s)->trigger();
    const QString exported = folder + u"mycollection.orv"_s;
    ASSERT_TRUE(QFileInfo::exists(exported));
    Stop(*program);
    program.reset();

    // Another installation with the file in its lib folder.
    test::TempDir other;
    const QString otherFolder = other.path() + u'/';
    ASSERT_TRUE(EnsureLibFolder(LibFolder(otherFolder)));
    ASSERT_TRUE(QFile::copy(exported, LibFolder(otherFolder) + u"mycollection.orv"_s));
    program = std::make_unique<Program>(prompts, registry, otherFolder);
    ProgramFixture::Start(*program, true);
    EXPECT_EQ(program->Filter().CollectionFilter(),
              (QStringList{u"Local.orv;1"_s, u"mycollection.orv;1"_s}));
    Search(u"beat"_s);
    ASSERT_EQ(Titles(), QStringList{u"Beat Shared"_s});
    const SongRow row = window().SelectionModel()->Row(0);
    EXPECT_EQ(row.Folder, u"IMPORT:\\jo@example.org"_s);
    EXPECT_EQ(row.Collection, u"mycollection.orv"_s);
    program->Player().AddToPlayingSongs(row, false);
    EXPECT_EQ(prompts.texts().last(),
              u"This song is not in your collection\n\nContact info:\n\njo@example.org"_s);
}

} // namespace
} // namespace orvane
