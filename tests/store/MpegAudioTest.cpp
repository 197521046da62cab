#include "store/MpegAudio.h"

#include "platform/DosDateTime.h"
#include "store/Id3Tags.h"
#include "store/MpegFrameHeader.h"
#include "support/FileSizeLimit.h"
#include "support/MpegFixture.h"
#include "support/OrdinaryUser.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

using test::StreamOptions;
using test::TempDir;
using test::VbrFrame;

QByteArray Stream(const StreamOptions& options = {}) {
    return test::MakeMpegStream(options);
}

QByteArray Tag(const QString& title, uint8_t genre = 17, uint8_t track = 0) {
    return test::MakeId3v1(title, u"Artist"_s, u"Album"_s, u"1998"_s, u"comment"_s, track, genre);
}

// Values of mixed integer types, to be compared at once.
template <typename... T> std::vector<int64_t> Numbers(T... values) {
    return {int64_t(values)...};
}

class MpegAudioTest : public ::testing::Test {
protected:
    QString Put(const QString& name, const QByteArray& bytes) {
        const QString path = dir.file(name);
        EXPECT_TRUE(test::WriteFile(path, bytes));
        return path;
    }
    // Reads bytes as a file, and from memory as the fuzzer does, which must find the same.
    const TMPEGAudio& Read(const QByteArray& bytes, const QString& name = u"a.mp3"_s) {
        mpeg.SetFileName(Put(name, bytes));
        TMPEGAudio memory;
        memory.SetSearchLimit(mpeg.SearchLimit());
        memory.SetFileContents(name, bytes);
        EXPECT_EQ(Facts(memory), Facts(mpeg));
        return mpeg;
    }
    static QStringList Facts(const TMPEGAudio& m) {
        QStringList facts = {m.Title(), m.Artist(),  m.Album(),
                             m.Year(),  m.Comment(), m.GenreName()};
        for (uint64_t n : {uint64_t(m.IsValid()), m.HeaderPosition(), uint64_t(m.FrameLength()),
                           uint64_t(m.Duration()), uint64_t(m.BitRate()), m.FileSize()})
            facts.append(QString::number(n));
        return facts;
    }

    // The tag's text fields, track and genre, in the order of an ID3v1 tag.
    QStringList TagText() const {
        return {mpeg.Title(),    mpeg.Artist(),  mpeg.Album(),
                mpeg.Year(),     mpeg.Comment(), QString::number(mpeg.Track()),
                mpeg.GenreName()};
    }

    TempDir dir;
    TMPEGAudio mpeg;
};

struct FrameCase {
    StreamOptions stream;
    int samples;
    int frameLength;
};

// Standard frame lengths; MPEG-2/2.5 Layer III frames are half as long as 144000 x rate / Hz.
const FrameCase kFrames[] = {
    {{.version = 1, .layer = 1, .bitRate = 448, .sampleRate = 48000, .padding = true}, 384, 452},
    {{.version = 1, .layer = 1, .bitRate = 32, .sampleRate = 32000}, 384, 48},
    {{.version = 1, .layer = 2, .bitRate = 384, .sampleRate = 48000}, 1152, 1152},
    {{.version = 1, .layer = 3, .bitRate = 128, .sampleRate = 44100}, 1152, 417},
    {{.version = 1, .layer = 3, .bitRate = 128, .sampleRate = 44100, .padding = true}, 1152, 418},
    {{.version = 1, .layer = 3, .bitRate = 320, .sampleRate = 32000}, 1152, 1440},
    {{.version = 2, .layer = 1, .bitRate = 256, .sampleRate = 24000}, 384, 512},
    {{.version = 2, .layer = 2, .bitRate = 160, .sampleRate = 16000}, 1152, 1440},
    {{.version = 2, .layer = 3, .bitRate = 64, .sampleRate = 22050}, 576, 208},
    {{.version = 2, .layer = 3, .bitRate = 144, .sampleRate = 24000, .padding = true}, 576, 433},
    {{.version = 3, .layer = 1, .bitRate = 48, .sampleRate = 12000}, 384, 192},
    {{.version = 3, .layer = 2, .bitRate = 32, .sampleRate = 11025}, 1152, 417},
    {{.version = 3, .layer = 3, .bitRate = 8, .sampleRate = 8000}, 576, 72},
};

TEST_F(MpegAudioTest, EveryVersionAndLayerIsDecodedAndConfirmedAtItsStandardLength) {
    for (const FrameCase& c : kFrames) {
        SCOPED_TRACE(testing::Message()
                     << "MPEG " << c.stream.version << " layer " << c.stream.layer << " "
                     << c.stream.bitRate << " kbit/s " << c.stream.sampleRate << " Hz");
        const FrameHeader h = DecodeFrameHeader(test::HeaderWord(c.stream));
        ASSERT_TRUE(h.IsHeader());
        EXPECT_EQ(h.SamplesPerFrame(), uint32_t(c.samples));
        EXPECT_EQ(h.FrameLength(), uint32_t(c.frameLength));

        StreamOptions s = c.stream;
        s.frames = 3;
        Read(Stream(s));
        EXPECT_EQ(Numbers(mpeg.IsValid(), mpeg.Version(), mpeg.Layer(), mpeg.BitRate(),
                          mpeg.SampleRate(), mpeg.FrameLength(), mpeg.Padding(),
                          mpeg.HeaderPosition()),
                  Numbers(true, s.version, s.layer, s.bitRate, s.sampleRate, c.frameLength,
                          s.padding, 0));
    }
}

TEST(MpegFrameHeader, FlagsModeAndRejectedWords) {
    // 0xFFFB9064: MPEG-1 Layer III, no checksum, 128 kbit/s, 44100 Hz, joint stereo, original.
    // Bit rate, mode, padding, checksum, copyright and original of each header.
    const auto flags = [](const FrameHeader& h) {
        return Numbers(h.bitRate, h.mode, h.padding, h.errorProtection, h.copyright, h.original);
    };
    EXPECT_EQ(flags(DecodeFrameHeader(0xFFFB9064)), Numbers(128, 1, 0, 0, 0, 1));
    EXPECT_EQ(
        flags(DecodeFrameHeader(test::HeaderWord(
            {.mode = 3, .padding = true, .crc = true, .copyright = true, .original = false}))),
        Numbers(128, 3, 1, 1, 1, 0));

    // Reserved and free values are no headers: see HostileHeadersAreNoFrames.
    EXPECT_FALSE(DecodeFrameHeader(0xFFDB9064).IsHeader()); // only 10 sync bits
}

TEST_F(MpegAudioTest, NewObjectAndUntaggedFile) {
    EXPECT_FALSE(mpeg.IsValid());
    EXPECT_EQ(mpeg.SearchLimit(), 0u); // the whole file is searched unless told otherwise

    const QString name = u"An untagged song with a long name.mp3"_s;
    const QString path = Put(name, Stream({.mode = 2, .copyright = true, .frames = 20}));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2003, 4, 5), QTime(6, 7, 9)),
                                  QFileDevice::FileModificationTime));
    }
    mpeg.SetFileName(path);
    ASSERT_TRUE(mpeg.IsValid());
    EXPECT_EQ(TagText(), (QStringList{name.left(30), u"[notag]"_s, u"[notag]"_s, u"    "_s,
                                      u"[notag]"_s, u"0"_s, u"Unknown"_s}));
    EXPECT_EQ(mpeg.ModeName(), u"Dual-Channel");
    EXPECT_EQ(Numbers(mpeg.BitRate(), mpeg.SampleRate(), mpeg.Copyright(), mpeg.FileSize()),
              Numbers(128, 44100, true, 20 * 417));
    EXPECT_EQ(mpeg.FileDateTime(), QDateTime(QDate(2003, 4, 5), QTime(6, 7, 8)));
    EXPECT_EQ(mpeg.FileDate(), PackDosDateTime(QDateTime(QDate(2003, 4, 5), QTime(6, 7, 8))));
    EXPECT_EQ(mpeg.FileAttributes(), 0x20u);
    EXPECT_TRUE(mpeg.VolumeLabel().isEmpty());
}

TEST_F(MpegAudioTest, SearchSkipsJunkAndUnconfirmedHeaders) {
    Read(Stream({.junk = 1000}));
    EXPECT_TRUE(mpeg.IsValid());
    EXPECT_EQ(mpeg.HeaderPosition(), 1000u);

    // A header-like word at 0 whose frame is not followed by a header: the search goes on from
    // offset 1 and finds the stream at 10.
    QByteArray bytes = Stream({.junk = 10});
    bytes.replace(0, 4, QByteArray::fromHex("FFFB9000"));
    Read(bytes);
    EXPECT_TRUE(mpeg.IsValid());
    EXPECT_EQ(mpeg.HeaderPosition(), 10u);

    // A false sync whose frame would end past the end of the file does not end the search.
    bytes = Stream({.frames = 2, .junk = 400});
    bytes.replace(100, 4, QByteArray::fromHex("FFFDE000")); // Layer II, 384 kbit/s: 1253 bytes
    Read(bytes);
    EXPECT_TRUE(mpeg.IsValid());
    EXPECT_EQ(mpeg.HeaderPosition(), 400u);

    // One frame alone, a cut second header, a tiny file: nothing is confirmed.
    Read(Stream({.frames = 1}) + QByteArray(200, '\0'));
    EXPECT_FALSE(mpeg.IsValid());
    EXPECT_EQ(mpeg.Version(), 0);
    EXPECT_EQ(mpeg.FileSize(), 617u);
    EXPECT_NE(mpeg.FileDate(), 0u);
    Read(Stream({.frames = 2}).left(417 + 3));
    EXPECT_FALSE(mpeg.IsValid());
    Read(Stream().left(5));
    EXPECT_EQ(mpeg.FileSize(), 0u);
    EXPECT_EQ(mpeg.FileDate(), 0u);
}

TEST_F(MpegAudioTest, HostileHeadersAreNoFrames) {
    // Words repeated at 417 bytes that a careless reader would size by division.
    for (const char* word : {"FFFB0000", "FFFBF000", "FFFB9C00", "FFEB9000", "FFF99000"}) {
        SCOPED_TRACE(word);
        QByteArray bytes(417 * 4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes.replace(417 * i, 4, QByteArray::fromHex(word));
        Read(bytes);
        EXPECT_FALSE(mpeg.IsValid());
        EXPECT_EQ(mpeg.Duration(), 0u);
    }
}

TEST_F(MpegAudioTest, SearchLimitCountsFromTheEndOfAnId3v2Tag) {
    mpeg.SetSearchLimit(128000);
    Read(Stream({.junk = 127000}));
    EXPECT_TRUE(mpeg.IsValid());
    Read(Stream({.junk = 128000}));
    EXPECT_FALSE(mpeg.IsValid());
    EXPECT_EQ(mpeg.SearchLimit(), 128000u);

    // Behind an ID3v2 tag the limit counts from the tag's end: Id3v2TagIsSkippedAsDeclared.

    mpeg.SetSearchLimit(0);
    Read(Stream({.junk = 300000}));
    EXPECT_TRUE(mpeg.IsValid());
}

TEST_F(MpegAudioTest, Id3v2TagIsSkippedAsDeclared) {
    // Frames inside the tag's body are not audio: the MPEG-2 stream in there is passed over.
    QByteArray tag = test::MakeId3v2(5000, true);
    const QByteArray inside = Stream({.version = 2, .sampleRate = 22050, .frames = 10});
    tag.replace(10, inside.size(), inside);
    Read(tag + Stream());
    ASSERT_TRUE(mpeg.IsValid());
    EXPECT_EQ(mpeg.HeaderPosition(), 5020u); // header, body and footer
    EXPECT_EQ(mpeg.Version(), 1);

    // The limit counts from behind the footer: the last word looked at ends at offset 100.
    mpeg.SetSearchLimit(100);
    Read(tag + Stream({.junk = 97}));
    EXPECT_EQ(mpeg.HeaderPosition(), 5117u);
    Read(tag + Stream({.junk = 98}));
    EXPECT_FALSE(mpeg.IsValid());
    mpeg.SetSearchLimit(0);

    EXPECT_EQ(Id3v2TagSize(reinterpret_cast<const uint8_t*>(test::MakeId3v2(300, false).data())),
              310u);
    QByteArray notSyncsafe = test::MakeId3v2(0, false);
    notSyncsafe[9] = char(0x80);
    EXPECT_EQ(Id3v2TagSize(reinterpret_cast<const uint8_t*>(notSyncsafe.data())), 0u);

    // A declared size far beyond the end of the file, and a tag cut short.
    QByteArray huge = test::MakeId3v2(0, true);
    huge.replace(6, 4, QByteArray::fromHex("7F7F7F7F"));
    Read(huge + Stream());
    EXPECT_FALSE(mpeg.IsValid());
    EXPECT_EQ(mpeg.FileSize(), 20u + 10 * 417);
    Read(test::MakeId3v2(5000, false).left(10) + QByteArray(100, '\0'));
    EXPECT_FALSE(mpeg.IsValid());
}

TEST_F(MpegAudioTest, StackedId3v2TagsAreAllSkipped) {
    // Two tags of 200 KB and a small one, each right after the other: the limit counts from the
    // end of the last.
    mpeg.SetSearchLimit(128000);
    const QByteArray stacked =
        test::MakeId3v2(200000, false) + test::MakeId3v2(200000, true) + test::MakeId3v2(50, false);
    Read(stacked + Stream({.junk = 1000}));
    ASSERT_TRUE(mpeg.IsValid());
    EXPECT_EQ(mpeg.HeaderPosition(), 200010u + 200020 + 60 + 1000);
    EXPECT_TRUE(mpeg.HasId3v2Tag());
    // A tag that does not follow directly is not skipped by that rule.
    Read(test::MakeId3v2(200000, false) + QByteArray(130000, '\0') + test::MakeId3v2(10, false) +
         Stream());
    EXPECT_FALSE(mpeg.IsValid());
}

TEST_F(MpegAudioTest, VbrHeaderAfterAChecksumAndByteCountsThatCannotBeTrue) {
    // Written where the checksum is not counted, two bytes before where it would be.
    QByteArray early =
        Stream({.crc = true, .frames = 40, .vbr = VbrFrame::Xing, .vbrFrames = 10000});
    const qsizetype at = 4 + 2 + 32;
    early.replace(at - 2, 14, early.mid(at, 12) + QByteArray(2, '\0'));
    Read(early);
    EXPECT_EQ(mpeg.Duration(), 261u);

    // A byte count far beyond the file: the length comes from the file size (16680 bytes).
    QByteArray bytes = Stream({.frames = 40, .vbr = VbrFrame::Xing, .vbrFrames = 100000});
    bytes[4 + 32 + 7] = 3; // frame count and byte count
    bytes.replace(4 + 32 + 12, 4, QByteArray::fromHex("10000000"));
    Read(bytes);
    EXPECT_EQ(mpeg.Duration(), 1u);
    bytes.replace(4 + 32 + 12, 4, QByteArray::fromHex("00004000"));
    Read(bytes);
    EXPECT_EQ(mpeg.Duration(), 2612u); // a byte count that fits: the frame count holds
}

TEST_F(MpegAudioTest, DurationFromSizeWithoutTagsOrFromTheVbrFrameCount) {
    const QByteArray audio = Stream({.frames = 9600}).left(4000000);
    Read(audio);
    EXPECT_EQ(mpeg.Duration(), 250u);
    Read(audio + Tag(u"x"_s));
    EXPECT_EQ(mpeg.Duration(), 250u);
    EXPECT_EQ(mpeg.FileSize(), 4000128u);
    Read(audio.left(3999999) + Tag(u"x"_s));
    EXPECT_EQ(mpeg.Duration(), 249u);
    Read(test::MakeId3v2(100000, false) + audio + Tag(u"x"_s));
    EXPECT_EQ(mpeg.Duration(), 250u);
    EXPECT_EQ(mpeg.FileSize(), 4100138u);

    struct VbrCase {
        StreamOptions stream;
        uint32_t duration;
    };
    const VbrCase cases[] = {
        {{.vbr = VbrFrame::Xing, .vbrFrames = 10000}, 261},              // 10000 x 1152 / 44100
        {{.mode = 3, .vbr = VbrFrame::Info, .vbrFrames = 10000}, 261},   // mono side information
        {{.crc = true, .vbr = VbrFrame::Xing, .vbrFrames = 10000}, 261}, // after the checksum
        {{.version = 2, .sampleRate = 22050, .vbr = VbrFrame::Xing, .vbrFrames = 5000}, 130},
        {{.version = 3,
          .bitRate = 8,
          .sampleRate = 8000,
          .mode = 3,
          .vbr = VbrFrame::Xing,
          .vbrFrames = 5000},
         360},
        {{.vbr = VbrFrame::Vbri, .vbrFrames = 20000}, 522},
        {{.frames = 40, .vbr = VbrFrame::Xing, .vbrFrames = 0}, 1}, // no count: 16680 bytes
    };
    for (const VbrCase& c : cases) {
        SCOPED_TRACE(c.duration);
        Read(Stream(c.stream));
        ASSERT_TRUE(mpeg.IsValid());
        EXPECT_EQ(mpeg.Duration(), c.duration);
    }

    // "Xing" where a mono frame would have it, in a stereo frame: not a VBR header.
    QByteArray bytes = Stream({.frames = 2000});
    bytes.replace(21, 12, QByteArray::fromHex("58696E67000000010000FFFF"));
    Read(bytes);
    EXPECT_EQ(mpeg.Duration(), 52u); // 834000 bytes at 128 kbit/s

    // Frame counts for 3725 s and for 25 h, which a time of day shows as 1 h.
    Read(Stream({.vbr = VbrFrame::Xing, .vbrFrames = 142598}));
    EXPECT_EQ(mpeg.DurationTime(), QTime(1, 2, 5));
    Read(Stream({.vbr = VbrFrame::Xing, .vbrFrames = 3445313}));
    EXPECT_EQ(mpeg.Duration(), 90000u);
    EXPECT_EQ(mpeg.DurationTime(), QTime(1, 0, 0));
}

TEST_F(MpegAudioTest, TagFieldsAreTrimmedAtZerosAndBlanks) {
    QByteArray tag =
        test::MakeId3v1(u"Song"_s, u"Caf\u00e9 Band  "_s, QString::fromLatin1("Album\0Rest", 10),
                        QString::fromLatin1("98\0\0", 4), u"comment"_s, 7, 80);
    Read(Stream() + tag);
    ASSERT_TRUE(mpeg.IsValid());
    // The year ends at a zero byte but keeps its blanks.
    EXPECT_EQ(TagText(), (QStringList{u"Song"_s, u"Caf\u00e9 Band"_s, u"Album"_s, u"98"_s,
                                      u"comment"_s, u"7"_s, u"Unknown"_s}));
    EXPECT_EQ(mpeg.GenreNr(), 80);

    tag.replace(3, 30, QByteArray("Song") + QByteArray(26, ' '));
    Read(Stream() + tag);
    EXPECT_EQ(mpeg.Title(), u"Song");

    // A read starts from scratch: nothing of the tagged file is left.
    Read(Stream(), u"b.mp3"_s);
    EXPECT_EQ(TagText(), (QStringList{u"b.mp3"_s, u"[notag]"_s, u"[notag]"_s, u"    "_s,
                                      u"[notag]"_s, u"0"_s, u"Unknown"_s}));
}

TEST_F(MpegAudioTest, FileNamesMissingRelativeAndLong) {
    mpeg.SetFileName(dir.file(u"a missing song with a long name.mp3"_s));
    EXPECT_EQ(mpeg.Title(), u"[not found: a missing song wit");
    EXPECT_FALSE(mpeg.IsValid());
    EXPECT_EQ(mpeg.WriteTag(), -1);
    EXPECT_EQ(mpeg.RemoveTag(), -1);
    mpeg.SetFileName(dir.path());
    EXPECT_TRUE(mpeg.Title().startsWith(u"[not found: "));

    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    Put(u"rel.mp3"_s, Stream());
    mpeg.SetFileName(u"./x/../rel.mp3"_s);
    QDir::setCurrent(old);
    EXPECT_EQ(mpeg.FileName(), QDir(dir.path()).absoluteFilePath(u"rel.mp3"_s));
    EXPECT_TRUE(mpeg.IsValid());

    // Paths are not cut at 255 characters.
    const QString folder = QString(120, u'f') + u'/' + QString(120, u'g');
    ASSERT_TRUE(QDir(dir.path()).mkpath(folder));
    const QString path = Put(folder + u"/song.mp3"_s, Stream());
    mpeg.SetFileName(path);
    EXPECT_EQ(mpeg.FileName(), path);
    EXPECT_TRUE(mpeg.IsValid());
}

TEST_F(MpegAudioTest, WriteTagAppendsOrOverwritesInPlaceAndRemoveTagCuts) {
    const QByteArray audio = Stream();
    const QString path = Put(u"w.mp3"_s, audio);
    mpeg.SetFileName(path);
    mpeg.SetTitle(QString(40, u't'));
    mpeg.SetArtist(u"Caf\u00e9"_s);
    mpeg.SetAlbum(u"Album"_s);
    mpeg.SetYear(u"199812"_s);
    mpeg.SetComment(QString(30, u'c'));
    mpeg.SetGenreNr(17);
    EXPECT_EQ(mpeg.Title(), QString(30, u't'));
    EXPECT_EQ(mpeg.Year(), u"1998");
    EXPECT_EQ(test::ReadFile(path), audio); // setters do not touch the file

    ASSERT_EQ(mpeg.WriteTag(), 0);
    QByteArray written = test::ReadFile(path);
    ASSERT_EQ(written.size(), audio.size() + 128);
    EXPECT_EQ(written.left(audio.size()), audio);
    // The comment's 30th character gave way to the track byte.
    EXPECT_EQ(TagText(), (QStringList{QString(30, u't'), u"Caf\u00e9"_s, u"Album"_s, u"1998"_s,
                                      QString(29, u'c'), u"0"_s, u"Rock"_s}));

    mpeg.SetArtist(QString());
    mpeg.SetGenreNr(0);
    ASSERT_EQ(mpeg.WriteTag(), 0);
    EXPECT_EQ(test::ReadFile(path).size(), written.size());
    EXPECT_EQ(mpeg.Artist(), u"");
    EXPECT_EQ(mpeg.GenreName(), u"Blues");

    ASSERT_EQ(mpeg.RemoveTag(), 0);
    EXPECT_EQ(test::ReadFile(path), audio);
    EXPECT_EQ(mpeg.Title(), u"w.mp3");
    ASSERT_EQ(mpeg.RemoveTag(), 0);
    EXPECT_EQ(test::ReadFile(path), audio);
}

TEST_F(MpegAudioTest, FailedWritesReportTheErrorAndLeaveTheFileAlone) {
    const QByteArray tagged = Stream() + Tag(u"Old"_s);
    const QString path = Put(u"ro.mp3"_s, tagged);
    constexpr auto kRead = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(path, kRead));
    // Anyone may pass through the folder: only the file's own permissions stop the writes.
    ASSERT_TRUE(QFile::setPermissions(
        dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                        QFileDevice::ExeGroup | QFileDevice::ExeOther));
    test::AsOrdinaryUser user;
    ASSERT_TRUE(user.Bound());
    mpeg.SetFileName(path);
    EXPECT_EQ(mpeg.FileAttributes(), 0x21u);
    ASSERT_FALSE(QFile(path).open(QIODevice::ReadWrite));
    mpeg.SetTitle(u"New"_s);
    EXPECT_EQ(mpeg.WriteTag(), EACCES);
    EXPECT_EQ(mpeg.RemoveTag(), EACCES);
    EXPECT_EQ(test::ReadFile(path), tagged);
    EXPECT_EQ(mpeg.Title(), u"Old");
}

#ifdef __linux__
// A file that may not grow: appending a tag fails and says so; a tag already there can still be
// rewritten because it is overwritten where it stands.
TEST_F(MpegAudioTest, WriteTagThatCannotGrowTheFile) {
    const QByteArray plain = Stream();
    const QString untagged = Put(u"u.mp3"_s, plain);
    const QString tagged = Put(u"t.mp3"_s, plain + Tag(u"Old"_s));

    for (const QString& path : {tagged, untagged}) {
        const test::FileSizeLimit full(rlim_t(plain.size() + (path == tagged ? 128 : 0)));
        mpeg.SetFileName(path);
        mpeg.SetTitle(u"New"_s);
        EXPECT_EQ(mpeg.WriteTag(), path == tagged ? 0 : EFBIG);
    }
    EXPECT_EQ(test::ReadFile(tagged), plain + Tag(u"New"_s));
    EXPECT_EQ(test::ReadFile(untagged), plain);
}
#endif

} // namespace
} // namespace orvane
