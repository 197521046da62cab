#include "store/TagEditor.h"

#include "platform/Paths.h"
#include "store/BrowseLists.h"
#include "store/CodePages.h"
#include "store/MpegAudio.h"
#include "store/SongStore.h"
#include "store/TagWriteThrough.h"

#include <QCollator>
#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace orvane {

namespace {

constexpr qsizetype kTextWidth = 30, kYearWidth = 4;
// A comment this long reaches byte 125 of the tag: byte 126 is then its last character, not an
// ID3v1.1 track number.
constexpr qsizetype kCommentBeforeTrack = 28;

QString YesNo(bool value) {
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

// The distinct characters of text the ID3v1 code page cannot hold, separated by blanks.
QString OutsideCodePage(const QString& text, int codePage) {
    const QString found = CharactersOutsideCodePage(text, codePage);
    QStringList shown;
    for (const char32_t c : found.toUcs4())
        shown.append(QString::fromUcs4(&c, 1));
    return shown.join(u' ');
}

TagTexts TextsOf(const TMPEGAudio& mpeg) {
    return {mpeg.Title(), mpeg.Artist(),  mpeg.Album(),
            mpeg.Year(),  mpeg.Comment(), mpeg.GenreName()};
}

// The record of the file gets the texts its tag now gives, found through the collection's index.
void UpdateRecord(SongStore& store, const TagTarget& target, const TagTexts& texts) {
    SongRow key;
    key.FileName = target.FileName;
    key.Folder = target.Folder;
    const qsizetype i = store.Songs.FindSongForRow(key);
    if (i < 0)
        return;
    SongRecord record = store.Songs.at(i);
    ApplyTagTexts(texts, record);
    RegisterBrowseKeys(store.Browse, record);
    store.Songs.replace(i, std::move(record));
}

// Puts the fields into the object that has just read the file.
void PutFields(TMPEGAudio& mpeg, const TagFields& f, bool batch) {
    if (!mpeg.HasTag()) {
        // Nothing of the file's own is in the texts: start from an empty tag, never from the
        // object's marks for "no tag". The title stays the file name.
        for (auto set : {&TMPEGAudio::SetArtist, &TMPEGAudio::SetAlbum, &TMPEGAudio::SetYear,
                         &TMPEGAudio::SetComment})
            (mpeg.*set)(QString());
    }
    const bool oldCommentReachesTrack = mpeg.Comment().size() > kCommentBeforeTrack;
    auto put = [&](void (TMPEGAudio::*set)(const QString&), const QString& text) {
        if (!batch || !text.isEmpty())
            (mpeg.*set)(text);
    };
    if (!batch)
        mpeg.SetTitle(f.Title);
    put(&TMPEGAudio::SetArtist, f.Artist);
    put(&TMPEGAudio::SetYear, f.Year);
    put(&TMPEGAudio::SetComment, f.Comment);
    put(&TMPEGAudio::SetAlbum, f.Album);
    // The old comment's last character is no track number: written back over a new comment it
    // would mix the old text into the new one.
    if ((!batch || !f.Comment.isEmpty()) && oldCommentReachesTrack)
        mpeg.SetTrack(0);
    if (f.Genre)
        mpeg.SetGenreNr(*f.Genre);
}

// The ID3v2 texts a save writes: what the user typed, in full; a field a batch leaves empty, or
// one a single edit did not change from what the dialog showed, keeps the tag's own text (which
// may be longer than the ID3v1 text the dialog showed).
Id3v2Texts Id3v2TextsToWrite(Id3v2Texts texts, const TagFields& f, const TagFields& shown,
                             bool batch) {
    const auto put = [batch](QString& field, const QString& typed, const QString& was) {
        if (batch ? !typed.isEmpty() : typed != was)
            field = typed;
    };
    if (!batch)
        put(texts.Title, f.Title, shown.Title);
    put(texts.Artist, f.Artist, shown.Artist);
    put(texts.Album, f.Album, shown.Album);
    put(texts.Year, f.Year, shown.Year);
    put(texts.Comment, f.Comment, shown.Comment);
    if (f.Genre && (batch || f.Genre != shown.Genre))
        texts.GenreFrame = GenreName(*f.Genre);
    return texts;
}

int RestoreTags(const QString& path, const std::optional<Id3v1Block>& replaced,
                const std::optional<Id3v2Texts>& oldId3v2) {
    if (!oldId3v2)
        return RestoreId3v1Tag(path, replaced);
    return EditThroughCopy(path, [&](const QString& copy) {
        if (const int error = WriteId3v2IntoCopy(path, copy, *oldId3v2))
            return error;
        return RestoreId3v1Tag(copy, replaced);
    });
}

} // namespace

TagFields FieldsOfFile(const TMPEGAudio& mpeg) {
    TagFields f;
    f.Title = mpeg.Title();
    if (f.Title.endsWith(QStringLiteral(".mp3"), Qt::CaseInsensitive))
        f.Title.chop(4);
    if (!mpeg.HasTag())
        return f;
    f.Artist = mpeg.Artist();
    f.Album = mpeg.Album();
    f.Year = mpeg.Year();
    f.Comment = mpeg.Comment();
    if (mpeg.GenreNr() < kGenreCount)
        f.Genre = mpeg.GenreNr();
    return f;
}

QStringList InformationLines(const TMPEGAudio& mpeg) {
    return {QStringLiteral("Size: %1 bytes").arg(mpeg.FileSize()),
            QStringLiteral("Length: %1 seconds").arg(mpeg.Duration()),
            QStringLiteral("MPEG %1.0 layer %2").arg(mpeg.Version()).arg(mpeg.Layer()),
            QStringLiteral("%1kbit, %2hz").arg(mpeg.BitRate()).arg(mpeg.SampleRate()),
            QStringLiteral("Mode : ") + mpeg.ModeName(),
            QStringLiteral("Copyright : ") + YesNo(mpeg.Copyright()),
            QStringLiteral("Original : ") + YesNo(mpeg.Original()),
            QStringLiteral("Error protected : ") + YesNo(mpeg.ErrorProtection())};
}

const std::vector<GenreEntry>& GenresByName() {
    static const std::vector<GenreEntry> genres = [] {
        std::vector<GenreEntry> list;
        for (int i = 0; i < kGenreCount; ++i)
            list.push_back({GenreName(uint8_t(i)), uint8_t(i)});
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(list.begin(), list.end(), [&](const GenreEntry& a, const GenreEntry& b) {
            return collator.compare(a.Name, b.Name) < 0;
        });
        return list;
    }();
    return genres;
}

QStringList CharactersOutsideLatin1(const TagFields& f, bool batch, int codePage) {
    const std::pair<const char*, QString> fields[] = {
        {"Title", batch ? QString() : f.Title.left(kTextWidth)},
        {"Artist", f.Artist.left(kTextWidth)},
        {"Album", f.Album.left(kTextWidth)},
        {"Year", f.Year.left(kYearWidth)},
        {"Comment", f.Comment.left(kTextWidth)}};
    QStringList lines;
    for (const auto& [name, text] : fields)
        if (const QString chars = OutsideCodePage(text, codePage); !chars.isEmpty())
            lines.append(QString::fromLatin1(name) + QStringLiteral(": ") + chars);
    return lines;
}

QString TagTarget::Path() const {
    return WithTrailingSeparator(Folder) + FileName;
}

FileStamp StampOf(const QString& path) {
    namespace fs = std::filesystem;
    const fs::path p(QFile::encodeName(path).toStdString());
    std::error_code error;
    if (!fs::is_regular_file(p, error))
        return {};
    const auto size = fs::file_size(p, error);
    if (error)
        return {};
    const auto time = fs::last_write_time(p, error);
    if (error)
        return {};
    return {
        qint64(size),
        qint64(
            std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count())};
}

void ApplyTagTexts(const TagTexts& t, SongRow& row) {
    row.Title = t.Title;
    row.Artist = t.Artist;
    row.Album = t.Album;
    row.Year = t.Year;
    row.Comment = t.Comment;
    row.Genre = t.Genre;
}

void ApplyTagTexts(const TagTexts& t, SongRecord& record) {
    record.Title = t.Title;
    record.Artist = t.Artist;
    record.Album = t.Album;
    record.Year = t.Year;
    record.Comment = t.Comment;
    record.Genre = t.Genre;
}

std::vector<std::pair<int, SongRow>> RowsToUpdate(const SongRows& rows,
                                                  const std::vector<SavedFile>& saved) {
    QHash<QString, const TagTexts*> byPath;
    for (const SavedFile& file : saved)
        byPath.insert(file.Target.Path(), &file.Texts);
    std::vector<std::pair<int, SongRow>> changed;
    if (byPath.isEmpty())
        return changed;
    for (size_t i = 0; i < rows.size(); ++i) {
        const TagTexts* texts = byPath.value(rows[i].Path());
        if (!texts)
            continue;
        SongRow row = rows[i];
        ApplyTagTexts(*texts, row);
        if (!(row == rows[i]))
            changed.emplace_back(int(i), std::move(row));
    }
    return changed;
}

QString TagUndo::ChangedFile() const {
    for (const Entry& e : entries_)
        if (StampOf(e.Target.Path()) != e.After)
            return e.Target.Path();
    return {};
}

TagWriteOutcome TagUndo::Undo(SongStore& store) {
    TagWriteOutcome out;
    if (entries_.empty() || !ChangedFile().isEmpty())
        return out;
    out.Total = int(entries_.size());
    for (auto e = entries_.rbegin(); e != entries_.rend(); ++e) {
        const QString path = e->Target.Path();
        if (RestoreTags(path, e->Replaced, e->OldId3v2) != 0) {
            ++out.Failed;
            continue;
        }
        store.Mpeg.SetFileName(path);
        const TagTexts texts = TextsOf(store.Mpeg);
        UpdateRecord(store, e->Target, texts);
        out.Saved.push_back({e->Target, texts});
    }
    entries_.clear();
    return out;
}

TagWriteOutcome SaveTags(SongStore& store, const std::vector<TagTarget>& targets,
                         const TagFields& fields, bool batch, TagUndo& undo,
                         const std::function<bool(int, int)>& proceed) {
    // Each file once, even when a list shows it twice: a second write would replace the first.
    std::vector<const TagTarget*> files;
    QSet<QString> seen;
    for (const TagTarget& t : targets)
        if (!seen.contains(t.Path())) {
            seen.insert(t.Path());
            files.push_back(&t);
        }

    TagWriteOutcome out;
    out.Total = int(files.size());
    std::vector<TagUndo::Entry> entries;
    TMPEGAudio& mpeg = store.Mpeg;
    for (size_t i = 0; i < files.size(); ++i) {
        if (proceed && !proceed(int(i), out.Total)) {
            out.Cancelled = true;
            break;
        }
        const TagTarget& target = *files[i];
        const QString path = target.Path();
        mpeg.SetFileName(path);
        // A file that no longer reads as MPEG audio is not the song the row showed: no tag is
        // put into it.
        if (!mpeg.IsValid()) {
            ++out.Failed;
            continue;
        }
        // The ID3v2 tag is written too when TagLib can read it; else the ID3v1 tag alone.
        std::optional<Id3v2Texts> oldId3v2, newId3v2;
        if (mpeg.HasId3v2Tag())
            oldId3v2 = ParseId3v2Texts(ReadLeadingId3v2(path));
        if (oldId3v2)
            newId3v2 = Id3v2TextsToWrite(*oldId3v2, fields, FieldsOfFile(mpeg), batch);
        PutFields(mpeg, fields, batch);
        TagReplacement written = mpeg.WriteTagReplacing(newId3v2 ? &*newId3v2 : nullptr);
        if (written.Error != 0) {
            ++out.Failed;
            continue;
        }
        const TagTexts texts = TextsOf(mpeg);
        UpdateRecord(store, target, texts);
        out.Saved.push_back({target, texts});
        entries.push_back({target, written.Replaced, oldId3v2, StampOf(path)});
    }
    if (!entries.empty())
        undo.entries_ = std::move(entries);
    return out;
}

QString TagFailureMessage(int failed) {
    return QStringLiteral("(%1) could not be updated \npossible causes: file is corrupted, or "
                          "read only")
        .arg(failed);
}

} // namespace orvane
