// Feeds arbitrary bytes to the VBR header reader as a first frame: the first four bytes are
// the frame header, the rest is what follows it in the file.

#include "store/VbrHeader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    const orvane::FrameHeader header = orvane::DecodeFrameHeader(orvane::BigEndian32(data));
    // Exactly the bytes given, so that the sanitizer sees any read past them.
    const orvane::VbrHeader vbr = orvane::FindVbrHeader(header, data, size);
    if (vbr.kind == orvane::VbrKind::None && vbr.frames)
        __builtin_trap();
    return 0;
}
