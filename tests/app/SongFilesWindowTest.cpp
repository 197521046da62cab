// Removing, deleting and moving song files from the running program's window, over real files:
// the Delete key and commands in the albums and removed-songs views, Extra > "Clear removed
// songs", the menus' move with its folder dialog and songs dropped on the disk-folder tree.

#include "ProgramFixture.h"

#include "browser/FilesTree.h"
#include "store/CacheFile.h"
#include "support/SongTitles.h"

#include <QFileSystemModel>
#include <QKeyEvent>
#include <QListWidget>
#include <sys/stat.h>

// PrintTo(QString) comes with LibraryWindowTest.cpp, in the same binary.
void PrintTo(const QString& text, std::ostream* os);

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

class SongFilesWindowTest : public test::ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        recycle = folder + u"recycle"_s;
        ASSERT_TRUE(SaveCacheFile(folder + u"local.orv"_s, std::vector<SongRecord>{}));
    }
    void Start() {
        program = std::make_unique<Program>(prompts, registry, folder);
        ProgramFixture::Start(*program, true);
    }
    void TearDown() override {
        if (program)
            Stop(*program);
    }
    TfrmMain& window() { return program->MainWindow(); }
    TSongListView* songs() { return window().lvSelection(); }
    QStringList Titles() { return test::Titles(window().SelectionModel()->Rows()); }
    void SelectAll() { songs()->selectAll(); }
    void PressDelete() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QCoreApplication::sendEvent(songs(), &press);
    }
    // The folder (relative to the program folder) of the song with that file name; "none".
    QString FolderOf(const QString& fileName) {
        for (const SongRecord& r : program->Store().Songs)
            if (r.FileName == fileName)
                return r.Folder.mid(folder.size());
        return u"none"_s;
    }
    void ShowDiskFolder(const QString& path) {
        window().SelectFolderNode(u"My files"_s);
        window().tvFiles()->setCurrentIndex(window().FilesModel()->index(path));
    }

    QString recycle;
    std::unique_ptr<Program> program;
};

TEST_F(SongFilesWindowTest, DeletedToRemovedSongsThenForGood) {
    for (const char* name : {"a", "b", "c"})
        Mp3(QString::fromLatin1(name) + u".mp3"_s, QString::fromLatin1(name).toUpper(), u"Ann"_s,
            u"Blue"_s);
    Start();
    window().SelectFolderNode(u"Albums"_s);
    window().lvAlbums()->setCurrentRow(0);
    ASSERT_EQ(Titles(), (QStringList{u"A"_s, u"B"_s, u"C"_s}));

    SelectAll();
    PressDelete();
    EXPECT_EQ(Titles(), QStringList{});
    EXPECT_EQ(QDir(music).entryList(QDir::Files), QStringList{});
    EXPECT_EQ((QStringList{FolderOf(u"a.mp3"_s), FolderOf(u"b.mp3"_s), FolderOf(u"c.mp3"_s)}),
              (QStringList(3, u"recycle/"_s)));
    window().SelectFolderNode(u"Removed songs"_s);
    EXPECT_EQ(Titles(), (QStringList{u"A"_s, u"B"_s, u"C"_s}));

    // Again from the removed songs, through the pop-up's Delete: deleted for good with their
    // records; a write-protected file stays listed and is reported.
    ASSERT_EQ(::chmod(QFile::encodeName(recycle + u"/b.mp3"_s).constData(), 0444), 0);
    SelectAll();
    window().Command(u"Delete1"_s)->trigger();
    EXPECT_EQ(Titles(), QStringList{u"B"_s});
    EXPECT_EQ(QDir(recycle).entryList(QDir::Files), QStringList{u"b.mp3"_s});
    EXPECT_EQ((QStringList{FolderOf(u"a.mp3"_s), FolderOf(u"b.mp3"_s)}),
              (QStringList{u"none"_s, u"recycle/"_s}));
    const QString question = u"Move selected files to \"removed songs\" folder?"_s;
    EXPECT_EQ(prompts.texts(), (QStringList{question, question,
                                            u"1 file could not be deleted.\nFile : "_s + recycle +
                                                u"/b.mp3 (The file is write-protected)"_s}));
}

TEST_F(SongFilesWindowTest, MovedByTheMenusAndByADropOnTheDiskTree) {
    const QString elsewhere = folder + u"elsewhere"_s;
    const QString target = music + u"/target"_s;
    ASSERT_TRUE(QDir().mkpath(elsewhere) && QDir().mkpath(target));
    Mp3(u"../elsewhere/y.mp3"_s, u"Why"_s); // not under the music folder: not in the collection
    const QString known = Mp3(u"x.mp3"_s, u"Ex"_s);
    Start();

    ShowDiskFolder(elsewhere);
    ASSERT_EQ(Titles(), QStringList{u"Why"_s});
    SelectAll();
    window().Command(u"Movetodirectory2"_s)->trigger(); // the folder dialog is cancelled
    EXPECT_EQ(Titles(), QStringList{u"Why"_s});
    prompts.AnswerFolder(target);
    window().Command(u"Movetodirectory1"_s)->trigger();
    EXPECT_EQ(Titles(), QStringList{});
    EXPECT_TRUE(QFile::exists(target + u"/y.mp3"_s));
    EXPECT_EQ(FolderOf(u"y.mp3"_s), u"none"); // the menus' move adds nothing

    // Dropped back: the song enters the collection as new; a known song's record follows it.
    ShowDiskFolder(target);
    SelectAll();
    auto* tree = qobject_cast<TFilesTree*>(window().tvFiles());
    ASSERT_TRUE(tree);
    tree->OnDropSongs(elsewhere, songs());
    EXPECT_EQ(Titles(), QStringList{});
    EXPECT_EQ(FolderOf(u"y.mp3"_s), u"elsewhere/");
    ShowDiskFolder(music);
    SelectAll();
    tree->OnDropSongs(target, songs());
    EXPECT_EQ(FolderOf(u"x.mp3"_s), u"music/target/");
    EXPECT_FALSE(QFile::exists(known));
    const CollectionList& all = program->Store().Songs;
    EXPECT_EQ(all.at(all.FindFile(u"y.mp3"_s, elsewhere + u'/')).NewFlag, u"1");
    EXPECT_EQ(prompts.texts(), QStringList(2, u"Move to directory"_s)); // nothing failed
}

TEST_F(SongFilesWindowTest, ClearRemovedSongsDropsTheRecordsAndRefreshesTheView) {
    Start();
    window().Command(u"Clearremovedsongs1"_s)->trigger();
    ASSERT_EQ(prompts.texts(), QStringList{u"There are no files in your removed folder."_s});
    program->RequestShutdown();
    program.reset();

    Mp3(u"../recycle/gone.mp3"_s, u"Gone"_s);
    Start();
    window().SelectFolderNode(u"Removed songs"_s);
    ASSERT_EQ(Titles(), QStringList{u"Gone"_s});
    window().Command(u"Clearremovedsongs1"_s)->trigger();
    EXPECT_EQ(Titles(), QStringList{});
    EXPECT_EQ(FolderOf(u"gone.mp3"_s), u"none");
    EXPECT_EQ(prompts.texts().back(),
              u"Are you sure you want to delete the files in the removed songs folder?");
}

} // namespace
} // namespace orvane
