#include "support/MpegFixture.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace orvane::test {

namespace {

// The tables of ISO/IEC 11172-3 and 13818-3, written out here independently of the reader.
constexpr int kBitRates[5][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG-1 Layer I
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG-1 Layer II
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG-1 Layer III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // MPEG-2 Layer I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}};        // MPEG-2 II, III
constexpr int kRates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};

int IndexOf(const int* table, int count, int value) {
    const int* found = std::find(table, table + count, value);
    if (found == table + count)
        throw std::invalid_argument("value not in the table of the MPEG version and layer");
    return int(found - table);
}

void PutBigEndian(QByteArray& bytes, qsizetype at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char(value >> (24 - 8 * i) & 0xFF);
}

void PutLatin1(QByteArray& bytes, qsizetype at, const QString& text, qsizetype width) {
    const QByteArray latin1 = text.left(width).toLatin1();
    std::memcpy(bytes.data() + at, latin1.constData(), size_t(latin1.size()));
}

} // namespace

uint32_t HeaderWord(const StreamOptions& o) {
    const int versionBits = o.version == 1 ? 3 : o.version == 2 ? 2 : 0;
    const int layerBits = 4 - o.layer;
    const int table = o.version == 1 ? o.layer - 1 : o.layer == 1 ? 3 : 4;
    const int rateIndex = IndexOf(kBitRates[table], 15, o.bitRate);
    const int sampleIndex = IndexOf(kRates[o.version - 1], 3, o.sampleRate);
    return 0xFFE00000u | uint32_t(versionBits) << 19 | uint32_t(layerBits) << 17 |
           uint32_t(o.crc ? 0 : 1) << 16 | uint32_t(rateIndex) << 12 | uint32_t(sampleIndex) << 10 |
           uint32_t(o.padding) << 9 | uint32_t(o.mode) << 6 | uint32_t(o.copyright) << 3 |
           uint32_t(o.original) << 2;
}

int FrameLength(const StreamOptions& o) {
    const int pad = o.padding ? 1 : 0;
    if (o.layer == 1)
        return (12 * o.bitRate * 1000 / o.sampleRate + pad) * 4;
    const int perKbit = o.layer == 3 && o.version != 1 ? 72000 : 144000;
    return int(int64_t(perKbit) * o.bitRate / o.sampleRate) + pad;
}

QByteArray MakeMpegStream(const StreamOptions& o) {
    const int length = FrameLength(o);
    QByteArray bytes(o.junk + qsizetype(length) * o.frames, '\0');
    for (int i = 0; i < o.frames; ++i)
        PutBigEndian(bytes, o.junk + qsizetype(i) * length, HeaderWord(o));
    if (o.vbr == VbrFrame::None || o.frames == 0)
        return bytes;

    const qsizetype frame = o.junk;
    if (o.vbr == VbrFrame::Vbri) {
        bytes.replace(frame + 36, 4, "VBRI");
        bytes[frame + 36 + 5] = 1; // version 1
        PutBigEndian(bytes, frame + 36 + 10, uint32_t(length) * o.frames);
        PutBigEndian(bytes, frame + 36 + 14, o.vbrFrames);
        return bytes;
    }
    const bool mono = o.mode == 3;
    const int sideInfo = o.version == 1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
    const qsizetype at = frame + 4 + (o.crc ? 2 : 0) + sideInfo;
    bytes.replace(at, 4, o.vbr == VbrFrame::Xing ? "Xing" : "Info");
    PutBigEndian(bytes, at + 4, 1); // flags: frame count present
    PutBigEndian(bytes, at + 8, o.vbrFrames);
    return bytes;
}

QByteArray MakeId3v1(const QString& title, const QString& artist, const QString& album,
                     const QString& year, const QString& comment, uint8_t track, uint8_t genre) {
    QByteArray tag(128, '\0');
    tag.replace(0, 3, "TAG");
    PutLatin1(tag, 3, title, 30);
    PutLatin1(tag, 33, artist, 30);
    PutLatin1(tag, 63, album, 30);
    PutLatin1(tag, 93, year, 4);
    PutLatin1(tag, 97, comment, track != 0 ? 28 : 30);
    if (track != 0)
        tag[126] = char(track);
    tag[127] = char(genre);
    return tag;
}

QByteArray MakeId3v2(int bodySize, bool footer) {
    QByteArray header(10, '\0');
    header.replace(0, 3, "ID3");
    header[3] = 4;
    header[5] = char(footer ? 0x10 : 0);
    for (int i = 0; i < 4; ++i)
        header[6 + i] = char(bodySize >> (21 - 7 * i) & 0x7F);
    QByteArray tag = header + QByteArray(bodySize, '\0');
    if (footer) {
        header.replace(0, 3, "3DI");
        tag += header;
    }
    return tag;
}

} // namespace orvane::test
