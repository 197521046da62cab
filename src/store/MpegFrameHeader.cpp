#include "store/MpegFrameHeader.h"

namespace orvane {

namespace {

// kbit/s by bit-rate index 0..14 (index 15 is not allowed). MPEG-2 and MPEG-2.5 share the
// low-sampling-frequency tables, where Layer II and Layer III are alike.
constexpr uint16_t kMpeg1Layer1[15] = {0,   32,  64,  96,  128, 160, 192, 224,
                                       256, 288, 320, 352, 384, 416, 448};
constexpr uint16_t kMpeg1Layer2[15] = {0,   32,  48,  56,  64,  80,  96, 112,
                                       128, 160, 192, 224, 256, 320, 384};
constexpr uint16_t kMpeg1Layer3[15] = {0,   32,  40,  48,  56,  64,  80, 96,
                                       112, 128, 160, 192, 224, 256, 320};
constexpr uint16_t kLsfLayer1[15] = {0,   32,  48,  56,  64,  80,  96, 112,
                                     128, 144, 160, 176, 192, 224, 256};
constexpr uint16_t kLsfLayer23[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};

// Hz by sample-rate index 0..2, for MPEG-1, MPEG-2, MPEG-2.5.
constexpr uint32_t kSampleRates[3][3] = {
    {44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};

uint16_t BitRate(uint8_t version, uint8_t layer, uint32_t index) {
    if (index == 0 || index >= 15 || layer == 0)
        return 0;
    if (version == 1) {
        const uint16_t* table[3] = {kMpeg1Layer1, kMpeg1Layer2, kMpeg1Layer3};
        return table[layer - 1][index];
    }
    return layer == 1 ? kLsfLayer1[index] : kLsfLayer23[index];
}

} // namespace

FrameHeader DecodeFrameHeader(uint32_t word) {
    FrameHeader h;
    if ((word & 0xFFE00000u) != 0xFFE00000u)
        return h;
    constexpr uint8_t kVersions[4] = {3, 0, 2, 1};
    h.version = kVersions[word >> 19 & 3];
    if (h.version == 0)
        return h;
    constexpr uint8_t kLayers[4] = {0, 3, 2, 1};
    h.layer = kLayers[word >> 17 & 3];
    const uint32_t rateIndex = word >> 10 & 3;
    h.sampleRate = rateIndex < 3 ? kSampleRates[h.version - 1][rateIndex] : 0;
    h.errorProtection = (word >> 16 & 1) == 0;
    h.padding = (word >> 9 & 1) != 0;
    h.copyright = (word >> 3 & 1) != 0;
    h.original = (word >> 2 & 1) != 0;
    h.mode = uint8_t(word >> 6 & 3);
    h.bitRate = BitRate(h.version, h.layer, word >> 12 & 15);
    return h;
}

bool FrameHeader::IsHeader() const {
    return version != 0 && layer != 0 && bitRate != 0 && sampleRate != 0;
}

uint32_t FrameHeader::SamplesPerFrame() const {
    switch (layer) {
    case 1:
        return 384;
    case 2:
        return 1152;
    case 3:
        return version == 1 ? 1152 : 576;
    default:
        return 0;
    }
}

uint32_t FrameHeader::FrameLength() const {
    if (!IsHeader())
        return 0;
    const uint32_t pad = padding ? 1 : 0;
    const uint32_t bitsPerSecond = uint32_t(bitRate) * 1000;
    if (layer == 1) // Layer I counts in slots of 4 bytes
        return (12 * bitsPerSecond / sampleRate + pad) * 4;
    // bytes = samples x bit/s / 8 / Hz, i.e. 144000 x kbit/s / Hz for 1152 samples and
    // 72000 x kbit/s / Hz for the 576 of Layer III below 32 kHz.
    return SamplesPerFrame() / 8 * bitsPerSecond / sampleRate + pad;
}

} // namespace orvane
