#include "store/Id3v2Tags.h"
#include "store/MpegAudio.h"
#include "store/TagReading.h"
#include "support/Id3v2Fixture.h"
#include "support/MpegFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;
using test::Id3v2Frame;
using test::TextEncoding;
using test::TextFrame;

QByteArray Stream(const test::StreamOptions& options = {}) {
    return test::MakeMpegStream(options);
}

QByteArray V1(const QString& title) {
    return test::MakeId3v1(title, u"V1 Artist"_s, u"V1 Album"_s, u"1998"_s, u"v1"_s, 0, 17);
}

std::vector<Id3v2Frame> Frames(int version, TextEncoding e, const QString& title) {
    return {
        TextFrame("TIT2", e, title),      TextFrame("TPE1", e, u"Ärtist"_s),
        TextFrame("TALB", e, u"Album"_s), TextFrame(version == 4 ? "TDRC" : "TYER", e, u"2004"_s),
        test::CommentFrame(e, u"note"_s), TextFrame("TCON", e, u"(17)"_s)};
}

class Id3v2ReadingTest : public ::testing::Test {
protected:
    void SetUp() override { SetTagReading({}); }
    void TearDown() override { SetTagReading({}); }
    const TMPEGAudio& Read(const QByteArray& bytes, const QString& name = u"a.mp3"_s) {
        const QString path = dir.file(name);
        EXPECT_TRUE(test::WriteFile(path, bytes));
        mpeg.SetFileName(path);
        return mpeg;
    }
    QStringList Texts() const {
        return {mpeg.Title(), mpeg.Artist(),  mpeg.Album(),
                mpeg.Year(),  mpeg.Comment(), mpeg.GenreName()};
    }

    test::TempDir dir;
    TMPEGAudio mpeg;
};

TEST_F(Id3v2ReadingTest, TextsOfEveryVersionAndEncoding) {
    struct Case {
        int version;
        TextEncoding encoding;
        bool unsync;
    };
    const Case cases[] = {
        {2, TextEncoding::Latin1, false},  {2, TextEncoding::Utf16Bom, false},
        {3, TextEncoding::Latin1, false},  {3, TextEncoding::Utf16Bom, false},
        {3, TextEncoding::Utf16Bom, true}, {4, TextEncoding::Utf16BE, false},
        {4, TextEncoding::Utf8, false},    {4, TextEncoding::Latin1, false},
    };
    // ÿ is 0xFF in Latin-1 and begins the UTF-16 byte-order mark: both need unsynchronisation.
    const QString title = u"Title ÿà over thirty characters long"_s;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version << " " << int(c.encoding) << " " << c.unsync);
        Read(test::MakeId3v2Tag(c.version, Frames(c.version, c.encoding, title), c.unsync, 64) +
             Stream());
        ASSERT_TRUE(mpeg.IsValid());
        EXPECT_TRUE(mpeg.HasTag());
        EXPECT_EQ(Texts(),
                  (QStringList{title, u"Ärtist"_s, u"Album"_s, u"2004"_s, u"note"_s, u"Rock"_s}));
        EXPECT_EQ(mpeg.GenreNr(), 17);
    }
}

TEST_F(Id3v2ReadingTest, GenreReferencesAndFreeText) {
    struct Case {
        QString frame, name;
        int nr;
    };
    const Case cases[] = {{u"(17)"_s, u"Rock"_s, 17},      {u"17"_s, u"Rock"_s, 17},
                          {u"(9)Heavy"_s, u"Heavy"_s, -1}, {u"Indie Rock"_s, u"Indie Rock"_s, -1},
                          {u"techno"_s, u"techno"_s, 18},  {u"(200)"_s, u"Unknown"_s, 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame.toStdString());
        const Id3v2Genre genre = ResolveId3v2Genre(c.frame);
        EXPECT_EQ(genre.Name, c.name);
        EXPECT_EQ(genre.Nr, c.nr);
    }
    // A free-text genre is the record's genre; the tag editor then chooses none.
    Read(test::MakeId3v2Tag(4, {TextFrame("TCON", TextEncoding::Utf8, u"Indie Rock"_s)}) +
         Stream());
    EXPECT_EQ(mpeg.GenreName(), u"Indie Rock");
    EXPECT_EQ(mpeg.GenreNr(), 255);
    EXPECT_EQ(mpeg.Title(), u"a.mp3"); // no title frame: the file name, as without a tag
    EXPECT_EQ(mpeg.Artist(), u"");
}

TEST_F(Id3v2ReadingTest, TheThreeChoicesAndTheFastPath) {
    const QByteArray v2 =
        test::MakeId3v2Tag(3, {TextFrame("TIT2", TextEncoding::Latin1, u"V2 Title"_s),
                               TextFrame("TALB", TextEncoding::Latin1, u"V2 Album"_s)});
    const QByteArray both = v2 + Stream() + V1(u"V1 Title"_s);
    const QByteArray onlyV2 = v2 + Stream();

    // Default: a file with an ID3v1 tag never reaches TagLib.
    const uint64_t before = Id3v2ParseCount();
    Read(both);
    EXPECT_EQ(Texts(), (QStringList{u"V1 Title"_s, u"V1 Artist"_s, u"V1 Album"_s, u"1998"_s,
                                    u"v1"_s, u"Rock"_s}));
    Read(Stream() + V1(u"plain"_s));
    EXPECT_EQ(Id3v2ParseCount(), before);
    Read(onlyV2);
    EXPECT_EQ(Texts(),
              (QStringList{u"V2 Title"_s, u""_s, u"V2 Album"_s, u""_s, u""_s, u"Unknown"_s}));
    EXPECT_EQ(Id3v2ParseCount(), before + 1);

    // Prefer: what the ID3v2 tag has wins, the ID3v1 tag fills the rest.
    SetTagReading({Id3v2Use::Prefer, kLatin1CodePage});
    Read(both);
    EXPECT_EQ(Texts(), (QStringList{u"V2 Title"_s, u"V1 Artist"_s, u"V2 Album"_s, u"1998"_s,
                                    u"v1"_s, u"Rock"_s}));

    // Never: the ID3v2-only file reads as a file without a tag.
    SetTagReading({Id3v2Use::Never, kLatin1CodePage});
    Read(onlyV2);
    EXPECT_EQ(Texts(), (QStringList{u"a.mp3"_s, u"[notag]"_s, u"[notag]"_s, u"    "_s, u"[notag]"_s,
                                    u"Unknown"_s}));
    EXPECT_FALSE(mpeg.HasTag());
    EXPECT_TRUE(mpeg.HasId3v2Tag());
}

TEST_F(Id3v2ReadingTest, BrokenTagsLeaveTheFileReadable) {
    // A tag whose frames run past its end, and one whose size is all the file.
    QByteArray bad = test::MakeId3v2Tag(4, {TextFrame("TIT2", TextEncoding::Utf8, u"x"_s)});
    bad[13] = char(0x7F);
    Read(bad + Stream());
    EXPECT_TRUE(mpeg.IsValid());
    EXPECT_EQ(mpeg.Title(), u"a.mp3");
}

TEST_F(Id3v2ReadingTest, Id3v1TextInAWindowsCodePage) {
    // "Привет" and "Мир" in code page 1251.
    const QByteArray tag =
        test::MakeId3v1(QString::fromLatin1("\xCF\xF0\xE8\xE2\xE5\xF2"),
                        QString::fromLatin1("\xCC\xE8\xF0"), u""_s, u"2001"_s, u""_s, 0, 12);
    Read(Stream() + tag);
    EXPECT_EQ(mpeg.Title(), QString::fromLatin1("\xCF\xF0\xE8\xE2\xE5\xF2"));
    SetTagReading({Id3v2Use::WhenNoId3v1, 1251});
    Read(Stream() + tag);
    EXPECT_EQ(mpeg.Title(), u"Привет");
    EXPECT_EQ(mpeg.Artist(), u"Мир");

    // Written back in the same code page; what it cannot hold becomes "?".
    mpeg.SetAlbum(u"Ünïcode ж"_s);
    ASSERT_EQ(mpeg.WriteTag(), 0);
    EXPECT_EQ(mpeg.Album(), u"?n?code ж");
    SetTagReading({});
    mpeg.SetFileName(mpeg.FileName());
    EXPECT_EQ(mpeg.Album(), QString::fromLatin1("?n?code \xE6"));
}

} // namespace
} // namespace orvane
