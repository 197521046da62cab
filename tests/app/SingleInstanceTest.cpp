#include "app/SingleInstance.h"

#include "support/EventLoop.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QCoreApplication::instance())
            app = std::make_unique<QCoreApplication>(argc, argv);
    }

    // A later start in a thread of its own (its hand-over blocks), while the running program
    // answers on this one.
    SingleInstance::Claim LaterStart(const QString& folder, const QStringList& files) {
        SingleInstance::Claim claim = SingleInstance::Claim::Running;
        std::atomic<bool> done = false;
        std::thread later([&] {
            SingleInstance instance(folder, runtime.path());
            claim = instance.ClaimOrHandOver(files);
            done = true;
        });
        test::ProcessUntil([&] { return done.load(); });
        later.join();
        return claim;
    }

    int argc = 1;
    char name[8] = "test";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    test::TempDir runtime, home;
};

TEST_F(SingleInstanceTest, ALaterStartHandsItsFilesToTheRunningOne) {
    // A first start, before its program folder has been made, in a folder reached by a link.
    ASSERT_TRUE(QDir().mkpath(home.file(u"data"_s)));
    ASSERT_TRUE(QFile::link(home.file(u"data"_s), home.file(u"link"_s)));
    const QString folder = home.file(u"link/orvane"_s);
    SingleInstance running(folder, runtime.path());
    ASSERT_EQ(running.ClaimOrHandOver({}), SingleInstance::Claim::Running);
    QList<QStringList> received;
    QObject::connect(&running, &SingleInstance::FilesReceived,
                     [&](const QStringList& files) { received.append(files); });

    // Later starts, once the folder is made, by the same path and by another.
    ASSERT_TRUE(QDir().mkpath(folder));
    const QStringList files = {u"/m/a b.mp3"_s, u"/m/\u00e4\nx.m3u"_s};
    EXPECT_EQ(LaterStart(folder, files), SingleInstance::Claim::HandedOver);
    EXPECT_EQ(LaterStart(home.file(u"data/orvane/."_s), {}), SingleInstance::Claim::HandedOver);
    EXPECT_EQ(received, (QList<QStringList>{files, {}}));

    // Another program folder is another program.
    test::TempDir other;
    SingleInstance second(other.path(), runtime.path());
    EXPECT_EQ(second.ClaimOrHandOver({}), SingleInstance::Claim::Running);
    EXPECT_NE(second.SocketPath(), running.SocketPath());
}

TEST_F(SingleInstanceTest, AReceiverMayShowADialogWhileTheLaterStartEnds) {
    SingleInstance running(home.path(), runtime.path());
    ASSERT_EQ(running.ClaimOrHandOver({}), SingleInstance::Claim::Running);
    // A later start that connects, and sends its files once the connection has been taken.
    QLocalSocket later;
    later.connectToServer(running.SocketPath());
    ASSERT_TRUE(later.waitForConnected(5000));
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    // A message about the files runs an event loop of its own, in which the later start ends.
    QStringList received;
    QObject::connect(&running, &SingleInstance::FilesReceived, [&](const QStringList& files) {
        later.abort();
        QEventLoop dialog;
        QTimer::singleShot(300, &dialog, &QEventLoop::quit);
        dialog.exec();
        received = files;
    });
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << quint32(0x4f52564e) << QStringList{u"/a.mp3"_s};
    later.write(message);
    test::ProcessUntil([&] { return !received.isEmpty(); });
    EXPECT_EQ(received, QStringList{u"/a.mp3"_s});
}

TEST_F(SingleInstanceTest, WhatACrashedProgramLeftDoesNotBlockTheNextStart) {
    const QString socket = SingleInstance(home.path(), runtime.path()).SocketPath();
    // A program that took the lock and the socket, then died without cleaning up.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstance crashed(home.path(), runtime.path());
        const bool running = crashed.ClaimOrHandOver({}) == SingleInstance::Claim::Running;
        _exit(running && QFileInfo::exists(socket) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(QFileInfo::exists(socket + u".lock"_s));

    SingleInstance next(home.path(), runtime.path());
    ASSERT_EQ(next.ClaimOrHandOver({}), SingleInstance::Claim::Running);
    QStringList received;
    QObject::connect(&next, &SingleInstance::FilesReceived,
                     [&](const QStringList& files) { received = files; });
    EXPECT_EQ(LaterStart(home.path(), {u"/a.mp3"_s}), SingleInstance::Claim::HandedOver);
    EXPECT_EQ(received, QStringList{u"/a.mp3"_s});
}

TEST_F(SingleInstanceTest, AProgramThatDoesNotAnswerIsReportedNotHandedTo) {
    SingleInstance running(home.path(), runtime.path());
    ASSERT_EQ(running.ClaimOrHandOver({}), SingleInstance::Claim::Running);
    // The running one holds the lock but its socket is gone (another program took the name).
    QLocalServer::removeServer(running.SocketPath());
    SingleInstance later(home.path(), runtime.path());
    later.SetAnswerWait(500);
    EXPECT_EQ(later.ClaimOrHandOver({u"/a.mp3"_s}), SingleInstance::Claim::NoAnswer);
}

TEST(FileArguments, RelativePathsAndFileUrlsBecomeAbsolutePaths) {
    EXPECT_EQ(AbsoluteFileArguments(
                  {u"a.mp3"_s, u"../b/c.m3u"_s, u"/x/y.mp3"_s, u"file:///m/n%20o.mp3"_s},
                  u"/home/u/music"_s),
              (QStringList{u"/home/u/music/a.mp3"_s, u"/home/u/b/c.m3u"_s, u"/x/y.mp3"_s,
                           u"/m/n o.mp3"_s}));
}

} // namespace
} // namespace orvane
