#pragma once
// ID3 tags as far as the program uses them: the 128-byte ID3v1 tag at the end of a file (read
// and written, its text in Latin-1 or the code page chosen, CodePages.h), the genre names of ID3v1,
// and the size of an ID3v2 tag at the start of a file, which is skipped unread.

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>

namespace orvane {

inline constexpr size_t kId3v1Size = 128;
inline constexpr size_t kId3v2HeaderSize = 10;
inline constexpr int kGenreCount = 80;

using Id3v1Block = std::array<uint8_t, kId3v1Size>;

struct Id3v1Tag {
    QString title, artist, album, year, comment; // at most 30 characters, year 4
    uint8_t track = 0;                           // byte 126, the last comment byte
    uint8_t genre = 255;
};

// The block begins with "TAG".
bool IsId3v1(const uint8_t* block);
// Title, artist, album and comment end at their first zero byte and lose trailing blanks and
// zeros; the year is its four bytes up to the first zero byte, blanks kept. CR and LF are read
// as blanks. codePage: as in TagReading.h, 0 for Latin-1.
Id3v1Tag DecodeId3v1(const uint8_t* block, int codePage = 0);
// Each text is written only as long as it is (at most its field), the rest stays zero; the
// track byte goes last, over a 30th comment character.
// A character the code page cannot hold is written as '?'.
Id3v1Block EncodeId3v1(const Id3v1Tag& tag, int codePage = 0);

// Name of entry genreNr of the 80 ID3v1 genres; "Unknown" above 79.
QString GenreName(uint8_t genreNr);

// Bytes taken by the ID3v2 tag whose 10-byte header is at header (header, body and, when the
// footer flag is set, the 10-byte footer); 0 when the bytes are no ID3v2 header.
uint64_t Id3v2TagSize(const uint8_t* header);

} // namespace orvane
