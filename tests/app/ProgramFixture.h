#pragma once
// The running program over a temporary program folder: the settings of an earlier run (not a
// first run, MP3Base the folder "music"), MP3 files made in it, and a start and an end awaited.

#include "app/Program.h"
#include "platform/MemoryRegistry.h"
#include "support/EventLoop.h"
#include "support/FileBytes.h"
#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "support/WidgetTestApp.h"

#include <QDir>
#include <gtest/gtest.h>

namespace orvane::test {

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override {
        WidgetApp();
        folder = dir.path() + u'/';
        music = folder + QStringLiteral("music");
        ASSERT_TRUE(QDir().mkpath(music));
        ASSERT_TRUE(registry.CreateKey(kMainKey + QStringLiteral("\\posflags")));
        ASSERT_TRUE(registry.WriteText(kMainKey, QStringLiteral("MP3Base"), music));
    }

    // A file under the music folder: ten silent frames, or with a title about 31 seconds with
    // an ID3v1 tag.
    QString Mp3(const QString& relative, const QString& title = {}, const QString& artist = {},
                const QString& album = {}) {
        const QString path = music + u'/' + relative;
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        const QByteArray tag =
            title.isEmpty() ? QByteArray()
                            : MakeId3v1(title, artist, album, QStringLiteral("2004"), {}, 0, 17);
        EXPECT_TRUE(WriteFile(path, MakeMpegStream({.frames = title.isEmpty() ? 10 : 1200}) + tag));
        return path;
    }

    // Starts the program and waits for the end of its start-up, and of its scan when asked.
    void Start(Program& program, bool scanned = false) {
        bool started = false;
        QObject::connect(&program, &Program::StartupFinished, [&] { started = true; });
        program.Show();
        ProcessUntil([&] { return started; });
        if (scanned)
            ProcessUntil([&] { return !program.ScannerRunning(); });
    }
    void Stop(Program& program) {
        bool stopped = false;
        QObject::connect(&program, &Program::ShutdownFinished, [&] { stopped = true; });
        program.RequestShutdown();
        ProcessUntil([&] { return stopped; });
    }

    const QString kMainKey = QStringLiteral("software\\brimtove\\orvane");
    TempDir dir;
    QString folder, music;
    ScriptedPrompts prompts;
    MemoryRegistry registry;
};

} // namespace orvane::test
