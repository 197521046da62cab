#pragma once
// The 4-byte header that starts every MPEG audio frame (MPEG-1, MPEG-2 and the MPEG-2.5
// extension, layers I to III), decoded into plain values. Pure functions, no I/O.

#include <cstddef>
#include <cstdint>

namespace orvane {

struct FrameHeader {
    uint8_t version = 0;          // 0 reserved or no sync, 1 MPEG-1, 2 MPEG-2, 3 MPEG-2.5
    uint8_t layer = 0;            // 0 reserved, 1..3
    uint16_t bitRate = 0;         // kbit/s; 0 for the free-format index 0 and the bad index 15
    uint32_t sampleRate = 0;      // Hz; 0 for the reserved index 3
    uint8_t mode = 0;             // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
    bool errorProtection = false; // protection bit 0: a 16-bit checksum follows the header
    bool padding = false;
    bool copyright = false;
    bool original = false;

    // True when every value needed to size the frame is known: a version, a layer, a bit rate
    // from the table and a sample rate. Free-format streams do not count.
    bool IsHeader() const;
    // PCM samples one frame decodes to (384, 1152, or 576 for Layer III below 32 kHz).
    uint32_t SamplesPerFrame() const;
    // Length of the whole frame in bytes, header, checksum and padding included; 0 unless
    // IsHeader().
    uint32_t FrameLength() const;
    bool IsMono() const { return mode == 3; }
};

// Decodes a header word, most significant byte first as it stands in the file. A word without
// the 11 sync bits, or with the reserved version, gives an all-zero header.
FrameHeader DecodeFrameHeader(uint32_t word);

inline uint32_t BigEndian32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// Cheap test for the sync bits at p[0], p[1], before a full decode.
inline bool HasFrameSync(const uint8_t* p) {
    return p[0] == 0xFF && (p[1] & 0xE0) == 0xE0;
}

} // namespace orvane
