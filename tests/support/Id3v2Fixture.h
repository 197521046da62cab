#pragma once
// ID3v2 tags made byte by byte for tests, fuzz seeds and benchmarks: versions 2.2, 2.3 and 2.4,
// the four text encodings, pictures, unsynchronisation.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace orvane::test {

enum class TextEncoding : uint8_t { Latin1 = 0, Utf16Bom = 1, Utf16BE = 2, Utf8 = 3 };

struct Id3v2Frame {
    QByteArray Id; // the name of version 2.3 and 2.4; version 2.2 writes its own
    QByteArray Body;
};

QByteArray EncodedText(TextEncoding encoding, const QString& text);
// A text frame (TIT2, TPE1, TALB, TCON, TYER, TDRC) and a comment frame.
Id3v2Frame TextFrame(const QByteArray& id, TextEncoding encoding, const QString& text);
Id3v2Frame CommentFrame(TextEncoding encoding, const QString& text);
// A front cover (picture type 3); version 2.2 writes the three-letter format "JPG".
Id3v2Frame PictureFrame(int version, const QByteArray& jpeg, uint8_t type = 3);

// The whole tag. unsync: the tag-level unsynchronisation of version 2.3 (the flag in the header,
// a zero byte after every 0xFF that a sync pattern or a zero follows).
QByteArray MakeId3v2Tag(int version, const std::vector<Id3v2Frame>& frames, bool unsync = false,
                        int padding = 0);

// A small valid JPEG picture.
QByteArray TinyJpeg();

} // namespace orvane::test
