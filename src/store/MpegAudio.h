#pragma once
// TMPEGAudio: what the program knows of one MP3 file, read from its first confirmed MPEG audio
// frame header and its ID3v1 tag. Setting the file name reads the file at once; the fields then
// describe that file until the next file name is set or a tag is written.
//
// Data logic: QtCore only, no GUI events are processed while reading. One object is used from
// one thread at a time (the program's shared object lives on the GUI thread).

#include "store/Id3Tags.h"
#include "store/Id3v2Tags.h"
#include "store/TagReading.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace orvane {

// What writing a tag block replaced: the file's old block, or nothing when the block was
// appended to a file without one. Error as WriteTag answers it (0 on success).
struct TagReplacement {
    int Error = 0;
    std::optional<Id3v1Block> Replaced;
};

// Writes block as the file's ID3v1 tag in place: over the tag that is there, else appended.
TagReplacement ReplaceId3v1Tag(const QString& path, const Id3v1Block& block);
// Undoes a replacement: puts the old block back in place, or cuts the appended tag.
int RestoreId3v1Tag(const QString& path, const std::optional<Id3v1Block>& replaced);

class TMPEGAudio {
public:
    TMPEGAudio();

    // Stores the path, expanded to an absolute one, and reads the file. Never fails: the outcome
    // shows in the fields and in IsValid().
    void SetFileName(const QString& path);
    const QString& FileName() const { return fileName_; }
    // Reads data as the contents of a file of that name (dated 1 January 2000), without
    // touching the disk: the same reading as SetFileName's, from memory.
    void SetFileContents(const QString& name, QByteArrayView data);

    // ID3v1 fields. Title is the file name (cut to 30 characters) for a file without a tag.
    const QString& Header() const { return header_; }
    const QString& Title() const { return title_; }
    const QString& Artist() const { return artist_; }
    const QString& Album() const { return album_; }
    const QString& Year() const { return year_; }
    const QString& Comment() const { return comment_; }
    uint8_t GenreNr() const { return genreNr_; } // 255 when no tag was read
    uint8_t Track() const { return track_; }     // byte 126 of the tag
    bool HasTag() const { return hasTag_; }      // the fields above were read from a tag
    // The file begins with an ID3v2 tag (whether or not its texts were read).
    bool HasId3v2Tag() const { return hasId3v2_; }

    // Setters keep at most 30 characters (Year: 4). They do not touch the file.
    void SetTitle(const QString& text);
    void SetArtist(const QString& text);
    void SetAlbum(const QString& text);
    void SetYear(const QString& text);
    void SetComment(const QString& text);
    void SetGenreNr(uint8_t genre) {
        genreNr_ = genre;
        genreText_.clear();
    }
    void SetTrack(uint8_t track) { track_ = track; }

    // Facts of the frame header found at HeaderPosition.
    uint32_t Duration() const { return duration_; }     // whole seconds
    uint64_t FileSize() const { return fileSize_; }     // bytes of the whole file
    uint8_t Version() const { return version_; }        // 0 unknown, 1 MPEG-1, 2 MPEG-2, 3 MPEG-2.5
    uint8_t Layer() const { return layer_; }            // 0 unknown, 1..3
    uint32_t SampleRate() const { return sampleRate_; } // Hz
    uint16_t BitRate() const { return bitRate_; }       // kbit/s, 0 for free format and index 15
    uint8_t Mode() const { return mode_; } // 0 stereo, 1 joint, 2 dual channel, 3 single channel
    bool Copyright() const { return copyright_; }
    bool Original() const { return original_; }
    bool ErrorProtection() const { return errorProtection_; }
    bool Padding() const { return padding_; }
    uint16_t FrameLength() const { return frameLength_; }
    uint64_t HeaderPosition() const { return headerPosition_; }

    uint32_t FileDate() const { return fileDate_; } // packed DOS date-time, 0 when unknown
    QDateTime FileDateTime() const;
    uint32_t FileAttributes() const { return fileAttributes_; }
    const QString& VolumeLabel() const { return volumeLabel_; }

    // File position, counted from the end of a leading ID3v2 tag, beyond which the frame search
    // gives up; 0 means no limit. Kept across reads.
    uint32_t SearchLimit() const { return searchLimit_; }
    void SetSearchLimit(uint32_t limit) { searchLimit_ = limit; }

    // Reads go by this choice from now on, and no longer by the program's current one
    // (TagReading.h): a reader of another thread is given the choice as a value. Kept across
    // reads.
    void FixTagReading(const TagReading& reading) { fixedReading_ = reading; }

    bool IsValid() const;
    QString GenreName() const;
    QString ModeName() const;
    QTime DurationTime() const;

    // 0 on success, the system error number when the file cannot be opened or written, -1 when
    // the file does not exist. Both read the file again afterwards.
    int WriteTag();
    int RemoveTag();
    // WriteTag, telling also what the new tag replaced. With id3v2, those texts go into the
    // file's ID3v2 tag as well, both tags written into a copy that replaces the file
    // (TagWriteThrough.h).
    TagReplacement WriteTagReplacing(const Id3v2Texts* id3v2 = nullptr);

private:
    // Every field but SearchLimit and a fixed tag reading back to the state of a new object.
    void Reset();
    // Reads the file named by fileName_ into the fields, which Reset() has cleared.
    void Read();
    // Reads the frame header, the tags and the play time from file, whose size is fileSize_.
    void readStream(std::FILE* file, const QString& shortName);
    // Takes the texts of the file's ID3v2 tag: over the ID3v1 tag's where it has them, or as the
    // file's tag when it has no ID3v1 tag.
    void ReadId3v2Texts(bool hasId3v1, std::FILE* file);

    QString fileName_;
    QString header_, title_, artist_, album_, year_, comment_;
    uint8_t genreNr_ = 255, track_ = 0;
    QString genreText_; // the ID3v2 tag's genre when it is read; else the name of genreNr_
    bool hasTag_ = false, hasId3v2_ = false;
    uint32_t duration_ = 0;
    uint64_t fileSize_ = 0;
    uint8_t version_ = 0, layer_ = 0;
    uint32_t sampleRate_ = 0;
    uint16_t bitRate_ = 0;
    uint8_t mode_ = 0;
    bool copyright_ = false, original_ = false, errorProtection_ = false, padding_ = false;
    uint16_t frameLength_ = 0;
    uint64_t headerPosition_ = 0;
    uint32_t fileDate_ = 0, fileAttributes_ = 0;
    QString volumeLabel_;
    uint32_t searchLimit_ = 0;
    std::optional<TagReading> fixedReading_;
};

// Entry nr of the 80 ID3v1 genres, "Unknown" above 79.
QString GenreName(uint8_t genreNr);

} // namespace orvane
