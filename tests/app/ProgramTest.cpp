#include "app/Program.h"

#include "store/CacheFile.h"
#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::ScriptedPrompts;
using test::TempDir;

QApplication& App() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

SongRecord Song(const QString& file, const QString& collection) {
    SongRecord r;
    r.FileName = file;
    r.Title = QStringLiteral("T ") + file;
    r.Folder = QStringLiteral("/music/");
    r.Duration = QStringLiteral("03:00");
    r.Collection = collection;
    r.NewFlag = QStringLiteral("0");
    return r;
}

// Lets events through until done() holds; fails the test when it never does.
template <typename Done> void ProcessUntil(Done done) {
    QDeadlineTimer deadline(30000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(done());
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        folder = dir.path() + QStringLiteral("/");
        ASSERT_TRUE(SaveCacheFile(
            folder + QStringLiteral("local.orv"),
            std::vector{Song(QStringLiteral("a.mp3"), {}), Song(QStringLiteral("b.mp3"), {})}));
        original = ReadBytes(folder + QStringLiteral("local.orv"));
    }

    TempDir dir;
    QString folder;
    QByteArray original;
    ScriptedPrompts prompts;
};

TEST_F(ProgramTest, StartsInNineStepsAndWritesTheOwnCollectionBack) {
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("recycle")));
    ASSERT_TRUE(test::WriteFile(folder + QStringLiteral("recycle/gone.mp3"),
                                test::MakeMpegStream(test::StreamOptions{})));

    Program program(prompts, folder);
    std::vector<int> steps;
    bool started = false, stopped = false;
    QObject::connect(&program, &Program::StartupStepped, [&](int p) { steps.push_back(p); });
    QObject::connect(&program, &Program::StartupFinished, [&] { started = true; });
    QObject::connect(&program, &Program::ShutdownFinished, [&] { stopped = true; });
    program.Show();
    ProcessUntil([&] { return started; });

    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(program.State().Started);
    EXPECT_EQ(program.State().PlayingIndex, -1);
    ASSERT_EQ(program.Store().Songs.size(), 3);
    EXPECT_EQ(program.Store().Songs[0].Collection, u"local.orv");
    EXPECT_EQ(program.Store().Songs[2].FileName, u"gone.mp3");
    EXPECT_EQ(program.Store().Songs[2].NewFlag, u"1");
    EXPECT_TRUE(QDir(folder + QStringLiteral("logs")).exists());

    // An imported collection's songs are not written into local.orv.
    program.Store().Songs.append(Song(QStringLiteral("far.mp3"), QStringLiteral("friend.orv")));

    program.RequestShutdown();
    ProcessUntil([&] { return stopped; });
    program.RequestShutdown(); // a second request does nothing

    CollectionList reread;
    BrowseLists browse;
    LoadCacheFile(folder + QStringLiteral("local.orv"), reread, true, browse);
    ASSERT_EQ(reread.size(), 3);
    EXPECT_EQ(reread[0].FileName, u"a.mp3");
    EXPECT_EQ(reread[1].FileName, u"b.mp3");
    EXPECT_EQ(reread[2].FileName, u"gone.mp3");
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(ProgramTest, ShutdownDuringTheSplashLeavesTheCollectionFileAlone) {
    Program program(prompts, folder);
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
    EXPECT_EQ(ReadBytes(folder + QStringLiteral("local.orv")), original);
}

TEST_F(ProgramTest, ShutdownBeforeShowingWritesNothing) {
    Program program(prompts, folder);
    bool stopped = false;
    QObject::connect(&program, &Program::ShutdownFinished, [&] { stopped = true; });
    program.RequestShutdown();
    EXPECT_TRUE(stopped);
    program.Show(); // a late show must not start anything
    QCoreApplication::processEvents();
    EXPECT_EQ(program.Store().Songs.size(), 0);
    EXPECT_EQ(ReadBytes(folder + QStringLiteral("local.orv")), original);
}

TEST_F(ProgramTest, CollectionReadWholeIsWrittenBackByteForByteWithoutBackup) {
    Program program(prompts, folder);
    bool started = false, stopped = false;
    QObject::connect(&program, &Program::StartupFinished, [&] { started = true; });
    QObject::connect(&program, &Program::ShutdownFinished, [&] { stopped = true; });
    program.Show();
    ProcessUntil([&] { return started; });
    program.RequestShutdown();
    ProcessUntil([&] { return stopped; });
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("local.orv.bak")));
    EXPECT_EQ(ReadBytes(folder + QStringLiteral("local.orv")), original);
}

} // namespace
} // namespace orvane
