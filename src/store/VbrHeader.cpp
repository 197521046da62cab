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

    // "Xing"/"Info", 32-bit flags, then the fields the flags announce in the order of their
    // bits: bit 0 the frame count, bit 1 the byte count.
    const size_t after = XingOffset(header);
    for (const size_t xing : {after, header.errorProtection ? after - 2 : after}) {
        if (xing + 8 > size)
            continue;
        const uint8_t* p = frame + xing;
        const bool isXing = std::memcmp(p, "Xing", 4) == 0;
        if (!isXing && std::memcmp(p, "Info", 4) != 0)
            continue;
        found.kind = isXing ? VbrKind::Xing : VbrKind::Info;
        const uint32_t flags = BigEndian32(p + 4);
        size_t field = xing + 8;
        if ((flags & 1) && field + 4 <= size) {
            found.frames = BigEndian32(frame + field);
            field += 4;
        }
        if ((flags & 2) && field + 4 <= size)
            found.bytes = BigEndian32(frame + field);
        return found;
    }

    // "VBRI", 16-bit version, delay and quality, 32-bit byte count, then the frame count.
    if (kVbriOffset + 18 <= size && std::memcmp(frame + kVbriOffset, "VBRI", 4) == 0) {
        found.kind = VbrKind::Vbri;
        found.bytes = BigEndian32(frame + kVbriOffset + 10);
        found.frames = BigEndian32(frame + kVbriOffset + 14);
    }
    return found;
}

} // namespace orvane
