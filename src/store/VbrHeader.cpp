#include "store/VbrHeader.h"

#include <cstring>

namespace orvane {

size_t XingOffset(const FrameHeader& header) {
    size_t sideInfo;
    if (header.version == 1)
        sideInfo = header.IsMono() ? 17 : 32;
    else
        sideInfo = header.IsMono() ? 9 : 17;
    return 4 + (header.errorProtection ? 2 : 0) + sideInfo;
}

VbrHeader FindVbrHeader(const FrameHeader& header, const uint8_t* frame, size_t size) {
    VbrHeader found;
    if (header.layer != 3)
        return found;

    // "Xing"/"Info", 32-bit flags, then the fields the flags announce; bit 0 is the frame count,
    // which comes first.
    const size_t xing = XingOffset(header);
    if (xing + 8 <= size) {
        const uint8_t* p = frame + xing;
        const bool isXing = std::memcmp(p, "Xing", 4) == 0;
        if (isXing || std::memcmp(p, "Info", 4) == 0) {
            found.kind = isXing ? VbrKind::Xing : VbrKind::Info;
            if ((BigEndian32(p + 4) & 1) && xing + 12 <= size)
                found.frames = BigEndian32(p + 8);
            return found;
        }
    }

    // "VBRI", 16-bit version, delay and quality, 32-bit byte count, then the frame count.
    if (kVbriOffset + 18 <= size && std::memcmp(frame + kVbriOffset, "VBRI", 4) == 0) {
        found.kind = VbrKind::Vbri;
        found.frames = BigEndian32(frame + kVbriOffset + 14);
    }
    return found;
}

} // namespace orvane
