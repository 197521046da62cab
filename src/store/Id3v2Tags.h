#pragma once
// The ID3v2 tag at the start of a song file, read and written through TagLib: its text frames
// (title, artist, album, year, comment, genre) and its pictures. Only files that carry such a
// tag come here; the ID3v1 reader (MpegAudio.h) never needs TagLib.
//
// Data logic: QtCore only. The functions keep no state but a counter and may run on any thread.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace orvane {

struct Id3v2Texts {
    QString Title, Artist, Album, Year, Comment; // empty where the tag has no such frame
    QString Genre;        // the genre as shown: a numeric reference resolved to its name
    int GenreNr = -1;     // the ID3v1 genre number it stands for, -1 for free text or none
    QString GenreFrame;   // the genre frame as it stands, to be written back unchanged
    int MajorVersion = 0; // 2, 3 or 4
};

// The texts of the ID3v2 tag held in tag (its header first; anything after the tag is ignored);
// nothing when the bytes hold no tag TagLib can read.
std::optional<Id3v2Texts> ParseId3v2Texts(const QByteArray& tag);
// How often ParseId3v2Texts has run in this process: the scanner's fast path for files with an
// ID3v1 tag must leave it alone.
uint64_t Id3v2ParseCount();

// The genre a genre frame's text stands for: "(17)", "17" and "(17)Rock" through the ID3v1 list
// (a text after the reference wins), anything else as it stands.
struct Id3v2Genre {
    QString Name;
    int Nr = -1;
};
Id3v2Genre ResolveId3v2Genre(const QString& frameText);

// The bytes of the first ID3v2 tag at the start of the file (at most maxBytes); empty when the
// file has none or cannot be read.
inline constexpr uint64_t kMaxId3v2Read = 64ull << 20;
QByteArray ReadLeadingId3v2(const QString& path, uint64_t maxBytes = kMaxId3v2Read);
// The same from an open file, read from its start.
QByteArray ReadLeadingId3v2(std::FILE* file, uint64_t maxBytes = kMaxId3v2Read);

// The front cover picture of tag (else its first picture), with its MIME type as the tag gives
// it; empty when it has none.
struct EmbeddedPicture {
    QByteArray Data;
    QString MimeType;
};
EmbeddedPicture ParseId3v2Picture(const QByteArray& tag);

// Sets the texts into the ID3v2 tag of the file at path in place, keeping every other frame and
// the tag's version (2.3 stays 2.3; 2.2 is written as 2.4); an empty text removes its frame.
// False when the file has no ID3v2 tag or TagLib could not save it. Callers write a copy of the
// song (TagWriteThrough.h), never the song itself.
bool WriteId3v2Texts(const QString& path, const Id3v2Texts& texts);

} // namespace orvane
