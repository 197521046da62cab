// Starts the real program with a program folder of its own and stops it from outside.

#include "support/FileBytes.h"
#include "support/MpegFixture.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        original = "[Orvane Cache File version1.4]\r\n"
                   "a.mp3[;]T[;]A[;]B[;]03:00[;]1999[;]Rock[;]note[;]/x/[;]\r\n"
                   "K\xc3\xb6ln.mp3[;]Caf\xc3\xa9[;]A[;]C[;]04:00[;]2001[;]Pop[;][;]/x/y/[;]\r\n";
        ASSERT_TRUE(test::WriteFile(home.file(u"local.orv"_s), original));

        // Settings of an earlier run, so that no first-run question waits for an answer and
        // the background scan walks an empty folder.
        ASSERT_TRUE(QDir().mkpath(music.path()));
        ASSERT_TRUE(QDir().mkpath(config.file(u"brimtove"_s)));
        ASSERT_TRUE(test::WriteFile(
            RegistryPath(),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\software\\brimtove\\orvane]\r\n\"MP3Base\"=\"" +
                music.path().toUtf8() +
                "\"\r\n\r\n[HKEY_CURRENT_USER\\software\\brimtove\\orvane\\posflags]\r\n\r\n"));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"ORVANE_HOME"_s, home.path());
        env.insert(u"XDG_CONFIG_HOME"_s, config.path());
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"QT_LOGGING_RULES"_s, u"orvane.lifecycle.info=true"_s);
        env.insert(u"SDL_AUDIODRIVER"_s, u"dummy"_s);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::SeparateChannels);
    }

    QString RegistryPath() const { return config.file(u"brimtove/registry.reg"_s); }

    // Reads the program's log until the line appears; false when it ends or time runs out.
    bool WaitForLog(const QByteArray& text) {
        for (int i = 0; i < 600 && !log.contains(text); ++i) {
            if (process.state() == QProcess::NotRunning)
                break;
            process.waitForReadyRead(100);
            log += process.readAllStandardError();
        }
        log += process.readAllStandardError();
        return log.contains(text);
    }

    void StopWith(int signalNumber) {
        process.start(QStringLiteral(ORVANE_BINARY), {});
        ASSERT_TRUE(process.waitForStarted(10000));
        // Taken once: a process that has ended has id 0, and kill(0) would stop the test's group.
        const pid_t pid = pid_t(process.processId());
        ASSERT_GT(pid, 0);
        ASSERT_TRUE(WaitForLog("start-up finished: 2 songs")) << log.toStdString();
        ::kill(pid, signalNumber);
        ASSERT_TRUE(process.waitForFinished(30000));
        log += process.readAllStandardError();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << log.toStdString();
        EXPECT_EQ(process.exitCode(), 0);
        EXPECT_TRUE(log.contains("shutdown finished")) << log.toStdString();
        // The settings were written back whole at shutdown.
        const QByteArray settings = test::ReadFile(RegistryPath());
        EXPECT_TRUE(settings.contains("\"MP3Base\"=\"" + music.path().toUtf8() + "\""));
        EXPECT_TRUE(settings.contains("\"SelectWidth\"=dword:"));
        EXPECT_TRUE(settings.contains("[HKEY_CURRENT_USER\\software\\brimtove\\orvane\\visflags]"));
    }

    test::TempDir home, config, music;
    QByteArray original, log;
    QProcess process;
};

TEST_F(EndToEnd, TermAndInterruptSignalsEndThroughTheSavingShutdown) {
    const QString cache = home.file(u"local.orv"_s);
    for (int signalNumber : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signalNumber);
        // Dated, so that a rewrite would show.
        {
            QFile f(cache);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)),
                                      QFileDevice::FileModificationTime));
        }
        log.clear();
        StopWith(signalNumber);
        // The shutdown's save ran and found the collection as it was read.
        EXPECT_TRUE(log.contains("collection unchanged; local.orv left as it was"));
        EXPECT_EQ(QFileInfo(cache).lastModified().date().year(), 2001);
        EXPECT_EQ(test::ReadFile(cache), original);
    }
    EXPECT_TRUE(QFileInfo(home.file(u"recycle"_s)).isDir());
}

TEST_F(EndToEnd, ALaterStartHandsItsFilesToTheRunningProgram) {
    ASSERT_TRUE(test::WriteFile(music.file(u"song.mp3"_s), test::MakeMpegStream({})));
    process.start(QStringLiteral(ORVANE_BINARY), {});
    ASSERT_TRUE(process.waitForStarted(10000));
    const pid_t pid = pid_t(process.processId());
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(WaitForLog("start-up finished")) << log.toStdString();

    // Opened from the music folder by a relative name, as a file manager or a terminal does.
    QProcess later;
    later.setProcessEnvironment(process.processEnvironment());
    later.setWorkingDirectory(music.path());
    later.start(QStringLiteral(ORVANE_BINARY), {u"song.mp3"_s});
    ASSERT_TRUE(later.waitForFinished(30000));
    EXPECT_EQ(later.exitCode(), 0) << later.readAllStandardError().toStdString();
    EXPECT_TRUE(WaitForLog("opened files: 1 songs queued")) << log.toStdString();

    ::kill(pid, SIGTERM);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
}

TEST_F(EndToEnd, ASecondTermSignalDuringTheShutdownDoesNotCutTheSaveShort) {
    // Enough songs that the save takes a while; the second signal follows the first at once,
    // so it comes while the shutdown and its save run.
    QByteArray many = original;
    for (int i = 0; i < 20000; ++i)
        many += "song " + QByteArray::number(i) +
                ".mp3[;]T[;]A[;]B[;]03:00[;]1999[;]Rock[;][;]/x/[;]\r\n";
    ASSERT_TRUE(test::WriteFile(home.file(u"local.orv"_s), many));
    // A song the scan adds, so that there is something to save.
    ASSERT_TRUE(test::WriteFile(music.file(u"new.mp3"_s), test::MakeMpegStream({})));
    process.start(QStringLiteral(ORVANE_BINARY), {});
    ASSERT_TRUE(process.waitForStarted(10000));
    const pid_t pid = pid_t(process.processId());
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(WaitForLog("background scan finished: 20003 songs")) << log.toStdString();
    ASSERT_EQ(process.state(), QProcess::Running);
    ::kill(pid, SIGTERM);
    ::kill(pid, SIGTERM);
    ASSERT_TRUE(process.waitForFinished(60000));
    log += process.readAllStandardError();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << log.toStdString();
    EXPECT_EQ(log.count("saving the collection"), 1) << log.toStdString();
    EXPECT_TRUE(log.contains("shutdown finished"));
    const QByteArray saved = test::ReadFile(home.file(u"local.orv"_s));
    EXPECT_EQ(saved.count("\r\n"), 1 + 20003);
    EXPECT_TRUE(saved.endsWith("\r\n"));
    EXPECT_TRUE(saved.contains("\r\nnew.mp3[;]"));
}

} // namespace
} // namespace orvane
