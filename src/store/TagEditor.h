#pragma once
// The tag editor's work on files and on the collection, without a window: what the "Song
// properties" dialog shows of a file, the check of its texts, the save of one or many files
// through the shared TMPEGAudio object, and the undo of the last save.
//
// A save writes each file's ID3v1 block in place and reads the file back; rows and records then
// get the texts the file now holds (cut to the tag's widths), and a file that could not be
// written leaves them as they were. A file that also carries an ID3v2 tag gets the same texts
// there (whole, not cut), both tags written into a copy that replaces the file. The blocks a
// save replaced, and the ID3v2 texts it changed, are kept, so that the save can be undone as
// long as none of its files changed on disk since: the ID3v1 block byte for byte, the ID3v2
// frames to their texts.
//
// Data logic: QtCore only, GUI thread (which owns the store).

#include "store/Id3Tags.h"
#include "store/Id3v2Tags.h"
#include "store/SongRecord.h"
#include "store/SongRows.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace orvane {

struct SongStore;
class TMPEGAudio;

// The fields of the dialog's "Standard" page. No genre: none is chosen.
struct TagFields {
    QString Title, Artist, Album, Year, Comment;
    std::optional<uint8_t> Genre;
};

// The fields as the dialog shows the file the object has read: the tag's texts, the title
// without its ".mp3" when it is the file name, and empty texts where the file has no tag (the
// object's "[notag]" marks are not the file's text and must not be written into it).
TagFields FieldsOfFile(const TMPEGAudio& mpeg);
// The lines of the "Information" page for that file.
QStringList InformationLines(const TMPEGAudio& mpeg);

// The ID3v1 genres in alphabetical order, each with its number.
struct GenreEntry {
    QString Name;
    uint8_t Number = 0;
};
const std::vector<GenreEntry>& GenresByName();

// The fields a save writes that hold characters an ID3v1 tag cannot store (outside Latin-1, or
// the code page chosen for ID3v1 text), one line each: "Artist: ł ő". Empty when everything
// fits. A batch save writes only the fields that are filled in and never the title.
QStringList CharactersOutsideLatin1(const TagFields& fields, bool batch, int codePage = 0);

// A file the editor works on, named as its row showed it when the dialog opened.
struct TagTarget {
    QString FileName;
    QString Folder;
    QString Path() const;
    static TagTarget OfRow(const SongRow& row) { return {row.FileName, row.Folder}; }
};

// Size and modification time of a file, to tell whether it changed; Size -1 when it is gone.
struct FileStamp {
    qint64 Size = -1;
    qint64 ModifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const QString& path);

// A song's texts as its file's tag now gives them.
struct TagTexts {
    QString Title, Artist, Album, Year, Comment, Genre;
};
void ApplyTagTexts(const TagTexts& texts, SongRow& row);
void ApplyTagTexts(const TagTexts& texts, SongRecord& record);

struct SavedFile {
    TagTarget Target;
    TagTexts Texts;
};

// What a save or an undo did: the files written, with their texts read back, and the count of
// files that could not be written. Cancelled: it stopped before the last file.
struct TagWriteOutcome {
    std::vector<SavedFile> Saved;
    int Failed = 0;
    int Total = 0;
    bool Cancelled = false;
};

// The rows of a list that show a file of saved, each with the texts it gets now. The rows are
// found by their path in one pass, whatever order they are in now.
std::vector<std::pair<int, SongRow>> RowsToUpdate(const SongRows& rows,
                                                  const std::vector<SavedFile>& saved);

// The last save's replaced blocks, in memory for the run.
class TagUndo {
public:
    bool Empty() const { return entries_.empty(); }
    void Clear() { entries_.clear(); }
    // A file of the last save that changed on disk since (or is gone); empty when none did.
    QString ChangedFile() const;
    // Writes every replaced block back (cuts every appended tag), reads the files back into the
    // records, and forgets the save. Does nothing when a file changed since (ChangedFile).
    TagWriteOutcome Undo(SongStore& store);

private:
    friend TagWriteOutcome SaveTags(SongStore&, const std::vector<TagTarget>&, const TagFields&,
                                    bool, TagUndo&, const std::function<bool(int, int)>&);
    struct Entry {
        TagTarget Target;
        std::optional<Id3v1Block> Replaced; // empty: the save appended the tag
        std::optional<Id3v2Texts> OldId3v2; // the ID3v2 texts before, when the save wrote them
        FileStamp After;
    };
    std::vector<Entry> entries_;
};

// Saves fields into each target's file in turn, through store.Mpeg: the file is read afresh
// right before its tag is written, so that what the tag keeps of the file (the genre when none
// is chosen, the fields a batch leaves empty, the track byte) is what the file holds then. One
// file: every text field is written, empty ones too. Batch: only the filled-in fields, never
// the title. A chosen genre is written as its number. The records of the written files
// (FindSongForRow) get the texts read back and are registered in the browse lists.
// proceed(done, total) is asked before each file; false stops there (files done stay done).
// undo then holds this save (a save that wrote nothing leaves it alone).
TagWriteOutcome SaveTags(SongStore& store, const std::vector<TagTarget>& targets,
                         const TagFields& fields, bool batch, TagUndo& undo,
                         const std::function<bool(int done, int total)>& proceed = {});

// The message for files that could not be written: "(2) could not be updated ...".
QString TagFailureMessage(int failed);

} // namespace orvane
