// WAV export through the real engine, driven through its window offscreen: files, names and
// order, the samples against libmpg123's own decoding, songs that fail, Cancel, and WAV files
// that exist already.

#include "playback/TfrmWAVoutput.h"

#include "support/EventLoop.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedPrompts.h"
#include "support/WidgetTestApp.h"
#include "support/audio/AudioFixtures.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

class WavExportTest : public ::testing::Test {
protected:
    void SetUp() override { WidgetApp(); }

    // An audible song in the songs folder, as a row of a song list.
    SongRow Song(const std::string& name, double seconds = 0.4, double tone = 440.0) {
        fs::create_directories(songs_);
        std::string error;
        EXPECT_TRUE(
            audio::WriteToneMp3(songs_ / name, {.seconds = seconds, .frequencies = {tone}}, &error))
            << error;
        return Missing(name);
    }
    SongRow Missing(const std::string& name) const {
        SongRow row;
        row.Title = row.FileName = QString::fromStdString(name);
        row.Folder = QString::fromStdString(songs_.string()); // no trailing separator
        return row;
    }
    QString Out() const { return QString::fromStdString(out_.string()); }
    // Runs one export command into the output folder and waits for its end.
    void Export(const SongRows& rows) {
        fs::create_directories(out_);
        prompts.AnswerFolder(Out());
        window.ExportSongs(rows);
        ProcessUntil([&] { return !window.Export().Running(); });
    }
    std::vector<std::string> OutFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(out_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::string Content(const fs::path& file) {
        QFile f(QString::fromStdString(file.string()));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }
    static void Put(const fs::path& file, const char* text) {
        QFile f(QString::fromStdString(file.string()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    audio::ScratchDir dir;
    fs::path songs_ = dir.file("songs");
    fs::path out_ = dir.file("wav");
    ScriptedPrompts prompts;
    TfrmWAVoutput window{nullptr, prompts};
};

TEST_F(WavExportTest, SongsBecomeWavFilesInListOrderWithTheDecodersSamples) {
    const SongRows rows = {Song("Track.01.mp3", 0.4, 440.0), Song("b song.mp3", 0.6, 1000.0),
                           Song("noextension", 0.3, 2500.0)};
    // A cancelled folder dialog shows nothing and starts nothing.
    window.ExportSongs(rows);
    EXPECT_TRUE(window.Cancelled());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.Export().Running());

    QStringList started;
    QObject::connect(&window.Export(), &TWavExport::songStarted,
                     [&](const QString& name) { started << name; });
    bool shownWhileRunning = false;
    QObject::connect(&window.Export(), &TWavExport::songDone,
                     [&] { shownWhileRunning = shownWhileRunning || window.isVisible(); });
    Export(rows);
    EXPECT_EQ(started, (QStringList{QStringLiteral("Track.01.wav"), QStringLiteral("b song.wav"),
                                    QStringLiteral("noextension")}));
    EXPECT_EQ(OutFiles(), (std::vector<std::string>{"Track.01.wav", "b song.wav", "noextension"}));
    EXPECT_TRUE(shownWhileRunning);
    EXPECT_FALSE(window.isVisible()) << "the window closes after the last song";
    EXPECT_EQ(window.pbMain()->maximum(), 3);
    EXPECT_EQ(window.pbMain()->value(), 3);
    EXPECT_EQ(window.lblFNAme()->text(), QStringLiteral("noextension"));
    EXPECT_EQ(prompts.shown().size(), 2u) << prompts.texts().join(u'\n').toStdString();
    EXPECT_EQ(prompts.shown()[1].text, QStringLiteral("Select a directory for .WAV file output"));

    const char* names[] = {"Track.01", "b song", "noextension"};
    const char* wavs[] = {"Track.01.wav", "b song.wav", "noextension"};
    for (int i = 0; i < 3; ++i) {
        const audio::Pcm expected =
            audio::DecodeMp3(songs_ / (std::string(names[i]) + (i < 2 ? ".mp3" : "")));
        const audio::Pcm written = audio::ReadWav(out_ / wavs[i]);
        ASSERT_GT(expected.samples.size(), 0u) << names[i];
        EXPECT_EQ(written.rate, expected.rate) << names[i];
        EXPECT_EQ(written.channels, expected.channels) << names[i];
        EXPECT_TRUE(written.samples == expected.samples) << names[i];
    }
}

TEST_F(WavExportTest, FailedSongsAreListedSkippedAndLeaveNoFile) {
    // A missing song after one that ended and after one that failed (the writer stopped).
    const SongRows rows = {Song("first.mp3", 0.3), Missing("gone.mp3"), Song("too long.mp3", 3.0),
                           Missing("lost.mp3"), Song("last.mp3", 0.3)};
    {
        // Room for the short songs' WAV files (53 kB each), not for the long one's.
        FileSizeLimit limit(200 * 1024);
        Export(rows);
    }
    EXPECT_EQ(OutFiles(), (std::vector<std::string>{"first.wav", "last.wav"}));
    EXPECT_EQ(window.pbMain()->value(), 5);
    ASSERT_EQ(prompts.shown().size(), 2u) << prompts.texts().join(u'\n').toStdString();
    const QString report = prompts.shown()[1].text;
    EXPECT_EQ(prompts.shown()[1].kind, PromptKind::Warning);
    EXPECT_TRUE(report.contains(QStringLiteral("gone.mp3"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("too long.mp3"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("lost.mp3"))) << report.toStdString();
    EXPECT_FALSE(report.contains(QStringLiteral("first.mp3"))) << report.toStdString();

    // A song without an extension exported into its own folder would become its own WAV file.
    const SongRow bare = Song("bare", 0.3);
    const std::string before = Content(songs_ / "bare");
    prompts.AnswerFolder(QString::fromStdString(songs_.string()));
    prompts.Answer(PromptAnswer::YesToAll);
    window.ExportSongs({bare});
    ProcessUntil([&] { return !window.Export().Running(); });
    EXPECT_EQ(Content(songs_ / "bare"), before);
    EXPECT_TRUE(prompts.texts().last().contains(QStringLiteral("bare"))) << "listed as failed";
}

TEST_F(WavExportTest, CancelAskedNoGoesOnYesLeavesNoPartialFile) {
    const SongRows rows = {Song("long.mp3", 30.0), Song("short.mp3", 0.3)};
    fs::create_directories(out_);
    const fs::path part = out_ / "long.wav.part";
    const auto cancelWhenWriting = [&](PromptAnswer answer) {
        prompts.AnswerFolder(Out());
        window.ExportSongs(rows);
        ProcessUntil([&] { return fs::exists(part) && fs::file_size(part) > 100000; });
        prompts.Answer(answer);
        window.btnCancel()->click();
        EXPECT_EQ(prompts.shown().back().text,
                  QStringLiteral("You are about to cancel the exporting to WAV files\nContinue?"));
        EXPECT_EQ(prompts.shown().back().buttons, PromptButtons::YesNo);
        ProcessUntil([&] { return !window.Export().Running(); });
    };

    cancelWhenWriting(PromptAnswer::No);
    EXPECT_EQ(OutFiles(), (std::vector<std::string>{"long.wav", "short.wav"}));
    EXPECT_EQ(window.pbMain()->value(), 2);

    fs::remove_all(out_);
    fs::create_directories(out_);
    const size_t asked = prompts.shown().size();
    cancelWhenWriting(PromptAnswer::Yes);
    EXPECT_TRUE(OutFiles().empty());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(prompts.shown().size(), asked + 2) << "no report after a cancel";
}

TEST_F(WavExportTest, ExistingWavFilesAreReplacedOnlyWhenTheUserSaysSo) {
    const SongRows rows = {Song("a.mp3"), Song("b.mp3"), Song("c.mp3")};
    fs::create_directories(out_);
    Put(out_ / "a.wav", "old a");
    Put(out_ / "b.wav", "old b");
    // c.wav appears while c is being written: it is asked about before it is replaced.
    QObject::connect(&window.Export(), &TWavExport::songStarted, [&](const QString& name) {
        if (name == QStringLiteral("c.wav") && !fs::exists(out_ / "c.wav"))
            Put(out_ / "c.wav", "someone else's c");
    });
    prompts.Answer(PromptAnswer::No);  // a
    prompts.Answer(PromptAnswer::Yes); // b
    prompts.Answer(PromptAnswer::No);  // c, once written
    Export(rows);
    ASSERT_EQ(prompts.shown().size(), 4u) << prompts.texts().join(u'\n').toStdString();
    for (size_t i = 1; i < 4; ++i)
        EXPECT_EQ(prompts.shown()[i].buttons, PromptButtons::YesAllNoCancel);
    EXPECT_TRUE(prompts.shown()[1].text.contains(
        QDir::toNativeSeparators(Out() + QStringLiteral("/a.wav"))));
    EXPECT_EQ(Content(out_ / "a.wav"), "old a");
    EXPECT_EQ(audio::ReadWav(out_ / "b.wav").samples, audio::DecodeMp3(songs_ / "b.mp3").samples);
    EXPECT_EQ(Content(out_ / "c.wav"), "someone else's c");
    EXPECT_EQ(OutFiles(), (std::vector<std::string>{"a.wav", "b.wav", "c.wav"}));

    // Yes to all asks once; Cancel ends the export and touches nothing.
    prompts.Answer(PromptAnswer::YesToAll);
    Export(rows);
    EXPECT_EQ(prompts.shown().size(), 6u);
    EXPECT_EQ(audio::ReadWav(out_ / "a.wav").samples, audio::DecodeMp3(songs_ / "a.mp3").samples);
    Put(out_ / "a.wav", "old a");
    prompts.Answer(PromptAnswer::Cancel);
    Export(rows);
    EXPECT_EQ(prompts.shown().size(), 8u);
    EXPECT_EQ(Content(out_ / "a.wav"), "old a");
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace orvane::test
