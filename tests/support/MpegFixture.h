#pragma once
// MPEG audio files made byte by byte for tests, fuzz seeds and benchmarks: consecutive frame
// headers at their standard distance with silent (zero) frame bodies, ID3v1 and ID3v2 tags.

#include "support/FileBytes.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace orvane::test {

enum class VbrFrame { None, Xing, Info, Vbri };

struct StreamOptions {
    int version = 1;        // 1 MPEG-1, 2 MPEG-2, 3 MPEG-2.5
    int layer = 3;          // 1..3
    int bitRate = 128;      // kbit/s, an entry of the table for version and layer
    int sampleRate = 44100; // Hz, one of the three rates of the version
    int mode = 0;           // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
    bool padding = false;   // every frame padded
    bool crc = false;       // protection bit 0; the checksum bytes are left zero
    bool copyright = false;
    bool original = false;
    int frames = 10;
    int junk = 0;                  // zero bytes before the first frame
    VbrFrame vbr = VbrFrame::None; // the first frame carries this header instead of audio
    uint32_t vbrFrames = 0;        // the frame count written into it
};

// The header word of the stream's frames, most significant byte first as in the file.
uint32_t HeaderWord(const StreamOptions& options);
// Length of one frame of the stream in bytes.
int FrameLength(const StreamOptions& options);
QByteArray MakeMpegStream(const StreamOptions& options);

// A 128-byte ID3v1 tag; a track other than 0 is stored as in ID3v1.1 (byte 125 zero, byte
// 126 the track), which shortens the comment to 28 characters.
QByteArray MakeId3v1(const QString& title, const QString& artist, const QString& album,
                     const QString& year, const QString& comment, uint8_t track, uint8_t genre);
// An ID3v2.4 tag with bodySize zero bytes of body, and a footer when asked for.
QByteArray MakeId3v2(int bodySize, bool footer);

} // namespace orvane::test
