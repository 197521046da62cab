#include "app/OpenedFiles.h"

#include "ProgramFixture.h"

#include <cstdlib>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;
using test::ProcessUntil;

class OpenedFilesTest : public test::ProgramFixture {};

TEST_F(OpenedFilesTest, SongsAndPlaylistsJoinThePlayingSongsAfterTheStartUp) {
    ASSERT_EQ(setenv("SDL_AUDIODRIVER", "dummy", 1), 0);
    const QString a = Mp3(u"a.mp3"_s, u"Song A"_s), b = Mp3(u"sub/b.mp3"_s, u"Song B"_s);
    const QString list = music + u"/list.m3u"_s, notes = music + u"/notes.mp3"_s;
    ASSERT_TRUE(test::WriteFile(list, "#EXTM3U\r\nsub/b.mp3\r\na.mp3\r\n"));
    ASSERT_TRUE(test::WriteFile(notes, "not a song"));
    const QString missing = music + u"/gone.mp3"_s;

    Program program(prompts, registry, folder);
    OpenedFiles opened(program, prompts);
    // Handed over before the start-up has finished: they wait for it.
    opened.Open({a, missing, list, notes, music + u"/sub"_s});
    EXPECT_EQ(program.Player().PlayingSongs().Count(), 0);
    Start(program);

    const SongQueue& queue = program.Player().PlayingSongs();
    QStringList titles;
    for (int i = 0; i < queue.Count(); ++i)
        titles.append(queue.At(i).Title);
    EXPECT_EQ(titles, (QStringList{u"Song A"_s, u"Song B"_s, u"Song A"_s}));
    ProcessUntil([&] { return program.Player().SongsOpened() > 0; });
    ASSERT_EQ(prompts.texts(),
              QStringList{u"Orvane cannot play these files:\n"_s + missing + u": not found\n"_s +
                          notes + u": not an MP3 file\n"_s + music + u"/sub: not a file"_s});

    // Later ones are added behind them.
    opened.Open({b});
    ASSERT_EQ(queue.Count(), 4);
    EXPECT_EQ(queue.At(3).Title, u"Song B");
    Stop(program);
}

} // namespace
} // namespace orvane
