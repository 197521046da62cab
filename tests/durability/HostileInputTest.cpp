// Hostile and broken input for every reader of the program's text files, and hostile file
// systems for the collection walks: nothing crashes, hangs or loses a record.

#include "exchange/ImportedCollections.h"
#include "platform/DirectoryWalk.h"
#include "platform/ProfileFile.h"
#include "platform/RegistryFile.h"
#include "playlists/PlaylistFile.h"
#include "store/CacheFile.h"
#include "store/MpegAudio.h"
#include "support/FileBytes.h"
#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::test {
namespace {

using namespace Qt::StringLiterals;

// Lines no writer of the program makes, each a record of its own: Latin-1 in a UTF-8 file, a
// NUL byte, a CR that ends no line, a line of only separators.
const QByteArray kStrangeLines[] = {
    "caf\xe9 \xc3\xa9t\xc3\xa9 \xff\xfe",
    QByteArray("nul\0inside", 10),
    "cr\ronly\rline",
    "[;][;][;][;][;][;][;][;][;][;][;]",
};

// Makes a file at path, given as the bytes the file system keeps.
bool WriteBytesAt(const QByteArray& path, const QByteArray& data) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, data.constData(), size_t(data.size())) == data.size();
    return ::close(fd) == 0 && written;
}

TEST(HostileText, EveryLineOfStrangeTextIsOneRecordAndABomIsNoPartOfTheFirst) {
    TempDir dir;
    QByteArray body;
    for (const QByteArray& line : kStrangeLines)
        body += line + "\r\n";
    const qsizetype lines = std::size(kStrangeLines);

    const QString cache = dir.file(u"local.orv"_s);
    ASSERT_TRUE(WriteFile(cache, "\xef\xbb\xbf" + QByteArray(kCacheHeader) + "\r\n" + body));
    CollectionList songs;
    BrowseLists browse;
    EXPECT_EQ(LoadCacheFile(cache, songs, true, browse).added, lines);

    const QString playlist = dir.file(u"list.m3u"_s);
    // The mark, then a first line in Latin-1 (the mark is no part of its text either).
    ASSERT_TRUE(WriteFile(playlist, "\xef\xbb\xbf/music/caf\xe9.mp3\r\n" + body));
    const QString first = u"/music/caf\u00e9.mp3"_s;
    const PlaylistEntries entries = ReadPlaylistEntries(playlist, dir.path());
    ASSERT_EQ(entries.paths.size(), lines + 1);
    EXPECT_EQ(entries.paths[0], first);
    EXPECT_TRUE(PlaylistContains(playlist, first));
    test::ScriptedPrompts prompts;
    ASSERT_TRUE(RemovePlaylistEntries(playlist, dir.path(), {first}, prompts));
    EXPECT_EQ(ReadFile(playlist), "\xef\xbb\xbf" + body);

    const QString ini = dir.file(u"covers.ini"_s);
    // The line of only separators reads as a section of its own: the strange lines come last.
    // A U+FEFF that begins a later line is part of its text.
    ASSERT_TRUE(WriteFile(ini, "\xef\xbb\xbf[covers]\r\nA - B=/p/b.jpg\r\n"
                               "\xef\xbb\xbf"
                               "A - C=/p/c.jpg\r\n" +
                                   body));
    ProfileFile covers(ini);
    EXPECT_EQ(covers.ReadString(u"covers"_s, u"A - B"_s), u"/p/b.jpg"_s);
    EXPECT_EQ(covers.ReadString(u"covers"_s, u"\ufeffA - C"_s), u"/p/c.jpg"_s);

    const QString reg = dir.file(u"registry.reg"_s);
    ASSERT_TRUE(WriteFile(reg, "\xef\xbb\xbfWindows Registry Editor Version 5.00\r\n\r\n"
                               "[HKEY_CURRENT_USER\\software\\brimtove\\orvane]\r\n"
                               "\"MP3Base\"=\"/music\"\r\n" +
                                   body));
    RegistryFile settings(reg); // read, and the strange lines kept beside it at the next save
    EXPECT_EQ(settings.ReadText(u"software\\brimtove\\orvane"_s, u"MP3Base"_s), u"/music"_s);
}

TEST(HostileText, AHundredMegabyteLineAndAMillionLinesAreReadWhole) {
    TempDir dir;
    const QString cache = dir.file(u"local.orv"_s);
    QByteArray big = QByteArray(kCacheHeader) + "\r\n";
    big += QByteArray(100 << 20, 'x') + "[;]T[;]\r\n";
    big += "last.mp3[;]\r\n";
    ASSERT_TRUE(WriteFile(cache, big));
    big = {};
    CollectionList songs;
    BrowseLists browse;
    ASSERT_EQ(LoadCacheFile(cache, songs, true, browse).added, 2);
    EXPECT_EQ(songs[0].FileName.size(), 100 << 20);
    EXPECT_EQ(songs[1].FileName, u"last.mp3"_s);

    const QString playlist = dir.file(u"list.m3u"_s);
    QByteArray many;
    many.reserve(12 << 20);
    for (int i = 0; i < 1000000; ++i)
        many += "/m/" + QByteArray::number(i) + "\n";
    ASSERT_TRUE(WriteFile(playlist, many));
    const PlaylistEntries entries = ReadPlaylistEntries(playlist, dir.path());
    ASSERT_EQ(entries.paths.size(), 1000000);
    EXPECT_EQ(entries.paths.back(), u"/m/999999"_s);
}

TEST(HostileFiles, StrangeNamesDevicesPipesAndVanishingFilesInAWalk) {
    TempDir dir;
    const QString root = dir.file(u"cd"_s);
    ASSERT_TRUE(QDir().mkpath(root));
    ASSERT_TRUE(WriteFile(root + u"/a.mp3"_s, MakeMpegStream({})));
    ASSERT_TRUE(WriteFile(root + u"/b.mp3"_s, MakeMpegStream({})));
    // A device and a pipe with a song's name: opening them to read would never end.
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, root + u"/zero.mp3"_s));
    ASSERT_EQ(::mkfifo(QFile::encodeName(root + u"/pipe.mp3"_s).constData(), 0600), 0);
    // A name that is not UTF-8 cannot be written into the collection as it is on disk.
    ASSERT_TRUE(WriteBytesAt(QFile::encodeName(root) + "/bad\xff\xfe.mp3", MakeMpegStream({})));
    // A path of about 4,000 bytes.
    QString deep = root;
    while (deep.size() < 3900)
        deep += u'/' + QString(200, u'd');
    ASSERT_TRUE(QDir().mkpath(deep));
    ASSERT_TRUE(WriteFile(deep + u"/deep.mp3"_s, MakeMpegStream({})));

    TMPEGAudio device;
    device.SetFileName(root + u"/zero.mp3"_s);
    EXPECT_FALSE(device.IsValid());

    ImportWalkControl control;
    bool removed = false;
    control.stopRequested = [&] {
        if (!removed) // asked once the folder is listed: b.mp3 goes before it is read
            removed = QFile::remove(root + u"/b.mp3"_s);
        return false;
    };
    const ImportWalkResult walked = ImportWalk(root, control);
    QStringList names;
    for (const SongRecord& song : walked.songs)
        names.append(song.FileName);
    names.sort();
    EXPECT_TRUE(removed);
    EXPECT_EQ(names, (QStringList{u"a.mp3"_s, u"deep.mp3"_s}));
}

TEST(HostileFiles, AFolderOfAHundredThousandFilesIsWalkedWhole) {
    // On a memory file system where there is one: making the files on a disk takes long.
    const QString base = QFileInfo(u"/dev/shm"_s).isWritable() ? u"/dev/shm"_s : QDir::tempPath();
    QTemporaryDir dir(base + u"/orvane-walk-XXXXXX"_s);
    ASSERT_TRUE(dir.isValid());
    const QByteArray folder = QFile::encodeName(dir.path());
    for (int i = 0; i < 100000; ++i)
        ASSERT_TRUE(WriteBytesAt(folder + '/' + QByteArray::number(i) + ".mp3", {}));
    qsizetype files = 0;
    WalkVisitor visitor;
    visitor.file = [&](const QString&, const QString&) {
        ++files;
    };
    EXPECT_TRUE(WalkFolders(dir.path(), WalkDepth::WholeTree, visitor));
    EXPECT_EQ(files, 100000);
}

} // namespace
} // namespace orvane::test
