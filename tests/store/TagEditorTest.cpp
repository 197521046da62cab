#include "store/TagEditor.h"

#include "store/Id3v2Tags.h"
#include "store/MpegAudio.h"
#include "store/SongStore.h"
#include "support/FileSizeLimit.h"
#include "support/Id3v2Fixture.h"
#include "support/MpegFixture.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

class TagEditorTest : public ::testing::Test {
protected:
    // A song file in the collection; tagged files carry title, artist "Artist", genre Blues.
    TagTarget Add(const QString& name, const QString& title = {}) {
        QByteArray bytes = test::MakeMpegStream({});
        if (!title.isEmpty())
            bytes += test::MakeId3v1(title, u"Artist"_s, u"Album"_s, u"1998"_s, u"Note"_s, 0, 0);
        EXPECT_TRUE(test::WriteFile(dir.file(name), bytes));
        AddSongFile(store, dir.file(name));
        return {name, dir.path() + u'/'};
    }
    SongRecord Record(const TagTarget& t) {
        SongRow key;
        key.FileName = t.FileName;
        key.Folder = t.Folder;
        return store.Songs.at(store.Songs.FindSongForRow(key));
    }
    // Title, artist, album, year, comment and genre of the record, then of the file.
    QStringList Texts(const TagTarget& t) {
        const SongRecord& r = Record(t);
        TMPEGAudio file;
        file.SetFileName(t.Path());
        return {r.Title,      r.Artist,    r.Album,        r.Year,
                r.Comment,    r.Genre,     file.Title(),   file.Artist(),
                file.Album(), file.Year(), file.Comment(), file.GenreName()};
    }
    static QStringList Twice(const QStringList& texts) { return texts + texts; }

    test::TempDir dir;
    SongStore store;
    TagUndo undo;
};

// Saving a file without a tag writes its title and no "[notag]" marks. Records and file then
// agree, also where a text was cut.
TEST_F(TagEditorTest, SingleSaveWritesEveryFieldAndTheCollectionShowsWhatTheFileHolds) {
    const TagTarget live = Add(u"Live.mp3"_s);
    store.Mpeg.SetFileName(live.Path());
    TagFields fields = FieldsOfFile(store.Mpeg);
    fields.Artist = u"Band"_s;
    fields.Genre = 17;
    SaveTags(store, {live}, fields, false, undo);
    EXPECT_EQ(Texts(live), Twice({u"Live"_s, u"Band"_s, {}, {}, {}, u"Rock"_s}));

    // Over 30 characters the file keeps 30; a 30-character comment gives way to track byte 0.
    fields = {QString(35, u't'), {}, u"Album"_s, u"199812"_s, QString(30, u'c'), std::nullopt};
    SaveTags(store, {live}, fields, false, undo);
    EXPECT_EQ(Texts(live),
              Twice({QString(30, u't'), {}, u"Album"_s, u"1998"_s, QString(29, u'c'), u"Rock"_s}));

    // A full comment's last byte is no track: a new comment does not take it over.
    const QByteArray audio = test::ReadFile(live.Path()).chopped(128);
    ASSERT_TRUE(test::WriteFile(
        live.Path(), audio + test::MakeId3v1(u"T"_s, {}, {}, {}, QString(30, u'c'), 0, 0)));
    fields.Comment = QString(30, u'd');
    SaveTags(store, {live}, fields, false, undo);
    EXPECT_EQ(Record(live).Comment, QString(29, u'd'));
}

TEST_F(TagEditorTest, BatchSaveWritesOnlyFilledInFieldsAndNeverTheTitle) {
    const TagTarget a = Add(u"a.mp3"_s, u"One"_s), b = Add(u"b.mp3"_s);
    TagFields fields;
    fields.Album = u"Best of"_s;
    const TagWriteOutcome out = SaveTags(store, {a, b, a}, fields, true, undo);
    EXPECT_EQ(out.Total, 2); // a file shown twice is written once
    EXPECT_EQ(Texts(a),
              Twice({u"One"_s, u"Artist"_s, u"Best of"_s, u"1998"_s, u"Note"_s, u"Blues"_s}));
    // The untagged file's title stays its name; its other fields start empty.
    EXPECT_EQ(Texts(b), Twice({u"b.mp3"_s, {}, u"Best of"_s, {}, {}, u"Unknown"_s}));

    // Where a single save writes an empty artist, a batch leaves it.
    fields = {u"One"_s, {}, u"Best of"_s, u"1998"_s, u"Note"_s, std::nullopt};
    SaveTags(store, {a}, fields, false, undo);
    EXPECT_EQ(Record(a).Artist, u"");
}

// A file replaced by a folder is no song any more: nothing is written into it, it is counted,
// and its record stays. Cancelling stops between files; files done stay done.
TEST_F(TagEditorTest, FailedAndCancelledFilesKeepTheirRecords) {
    const TagTarget a = Add(u"a.mp3"_s, u"A"_s), last = Add(u"last.mp3"_s),
                    c = Add(u"c.mp3"_s, u"C"_s);
    const QByteArray lastBytes = test::ReadFile(last.Path());
    const SongRecord aRecord = Record(a);
    ASSERT_TRUE(QFile::remove(a.Path()) && QDir().mkdir(a.Path()));
    TagFields fields;
    fields.Artist = u"Newer"_s;
    std::vector<int> asked;
    const TagWriteOutcome out =
        SaveTags(store, {a, c, last}, fields, true, undo, [&](int done, int total) {
            asked.push_back(done);
            EXPECT_EQ(total, 3);
            return done < 2;
        });
    EXPECT_TRUE(out.Cancelled);
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(out.Failed, 1);
    EXPECT_EQ(Record(a), aRecord);
    EXPECT_EQ(Record(c).Artist, u"Newer");
    EXPECT_EQ(test::ReadFile(last.Path()), lastBytes);
}

// Undo puts back every replaced block and cuts every appended one, byte for byte.
TEST_F(TagEditorTest, UndoRestoresTheExactBytesAndRecords) {
    const TagTarget a = Add(u"a.mp3"_s, u"A"_s), b = Add(u"b.mp3"_s);
    const QByteArray aBytes = test::ReadFile(a.Path()), bBytes = test::ReadFile(b.Path());
    const SongRecord aRecord = Record(a), bRecord = Record(b);
    TagFields fields;
    fields.Comment = u"Changed"_s;
    fields.Genre = 17;
    SaveTags(store, {a, b}, fields, true, undo);
    ASSERT_NE(test::ReadFile(a.Path()), aBytes);
    EXPECT_TRUE(undo.ChangedFile().isEmpty());

    const TagWriteOutcome out = undo.Undo(store);
    EXPECT_EQ(out.Saved.size(), 2u);
    EXPECT_EQ(test::ReadFile(a.Path()), aBytes);
    EXPECT_EQ(test::ReadFile(b.Path()), bBytes);
    EXPECT_EQ(Record(a), aRecord);
    EXPECT_EQ(Record(b), bRecord);
    EXPECT_TRUE(undo.Empty());
}

// A file with both tags: the texts go into the ID3v2 tag too, whole, and its other frames stay;
// TagLib and the ID3v1 reader both read them back. Undo puts both tags back. A write that fails
// half way leaves the file as it was.
TEST_F(TagEditorTest, BothTagsAreWrittenKeptWholeAndUndone) {
    using test::TextEncoding;
    const QString longTitle = u"A title that runs well over thirty characters"_s;
    const QByteArray v2 =
        test::MakeId3v2Tag(3,
                           {test::TextFrame("TIT2", TextEncoding::Latin1, longTitle),
                            test::TextFrame("TPE1", TextEncoding::Utf16Bom, u"Old Artist"_s),
                            test::TextFrame("TYER", TextEncoding::Latin1, u"2001"_s),
                            test::PictureFrame(3, test::TinyJpeg())},
                           false, 16);
    const QByteArray v1 = test::MakeId3v1(longTitle, u"Old Artist"_s, {}, u"2001"_s, {}, 0, 0);
    const QByteArray original = v2 + test::MakeMpegStream({}) + v1;
    ASSERT_TRUE(test::WriteFile(dir.file(u"both.mp3"_s), original));
    AddSongFile(store, dir.file(u"both.mp3"_s));
    const TagTarget both{u"both.mp3"_s, dir.path() + u'/'};
    const QString artist = u"The New Artist With A Long Name"_s;

    // The ID3v2 copy cannot grow: nothing changes, the failure is counted.
    store.Mpeg.SetFileName(both.Path());
    TagFields fields = FieldsOfFile(store.Mpeg);
    fields.Artist = artist;
    {
        test::FileSizeLimit limit(original.size());
        EXPECT_EQ(SaveTags(store, {both}, fields, false, undo).Failed, 1);
    }
    EXPECT_EQ(test::ReadFile(both.Path()), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    EXPECT_EQ(SaveTags(store, {both}, fields, false, undo).Failed, 0);
    const std::optional<Id3v2Texts> written = ParseId3v2Texts(ReadLeadingId3v2(both.Path()));
    ASSERT_TRUE(written);
    EXPECT_EQ((QStringList{written->Title, written->Artist, written->Year}),
              (QStringList{longTitle, artist, u"2001"_s}));
    EXPECT_EQ(ParseId3v2Picture(ReadLeadingId3v2(both.Path())).Data, test::TinyJpeg());
    EXPECT_EQ(Texts(both).mid(6, 2), (QStringList{longTitle.left(30), artist.left(30)}));
    EXPECT_EQ(Record(both).Artist, artist.left(30));
    EXPECT_TRUE(test::ReadFile(both.Path()).contains(test::MakeMpegStream({})));

    const TagWriteOutcome out = undo.Undo(store);
    EXPECT_EQ(out.Failed, 0);
    const QByteArray restored = test::ReadFile(both.Path());
    EXPECT_TRUE(restored.endsWith(test::MakeMpegStream({}) + v1));
    EXPECT_EQ(ParseId3v2Texts(ReadLeadingId3v2(both.Path()))->Artist, u"Old Artist");
    EXPECT_EQ(Record(both).Artist, u"Old Artist");
}

// Between the dialog's reading and the save another program gave the file a tag: the save reads
// the file again, replaces that tag in place and keeps its genre.
TEST_F(TagEditorTest, AFileChangedWhileTheDialogWasOpenIsReadAgain) {
    const TagTarget t = Add(u"t.mp3"_s);
    store.Mpeg.SetFileName(t.Path());
    TagFields fields = FieldsOfFile(store.Mpeg);
    const QByteArray audio = test::ReadFile(t.Path());
    ASSERT_TRUE(test::WriteFile(
        t.Path(), audio + test::MakeId3v1(u"X"_s, u"Y"_s, u"Z"_s, u"2000"_s, {}, 0, 9)));
    fields.Title = u"Mine"_s;
    SaveTags(store, {t}, fields, false, undo);
    const QByteArray now = test::ReadFile(t.Path());
    EXPECT_EQ(now.size(), audio.size() + 128);
    EXPECT_EQ(Record(t).Genre, u"Metal");
    EXPECT_EQ(Record(t).Title, u"Mine");
}

// Surrogate pairs count as one character; a batch never writes the title.
TEST_F(TagEditorTest, CharactersOutsideLatin1AreNamedPerFieldWritten) {
    const TagFields fields{u"Gr\u00fc\u00dfe \u0141\u00f3d\u017a \u0141"_s,
                           u"\U0001F3B5"_s,
                           {},
                           {},
                           u"fine \u00e9"_s,
                           std::nullopt};
    EXPECT_EQ(CharactersOutsideLatin1(fields, false),
              (QStringList{u"Title: \u0141 \u017a"_s, u"Artist: \U0001F3B5"_s}));
    EXPECT_EQ(CharactersOutsideLatin1(fields, true), QStringList{u"Artist: \U0001F3B5"_s});
}

} // namespace
} // namespace orvane
