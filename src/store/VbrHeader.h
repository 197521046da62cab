#pragma once
// The frame count that encoders of variable-bit-rate streams leave in the first frame, which
// holds no audio: a Xing (or, for constant bit rate, Info) header after the Layer III side
// information, or a VBRI header 32 bytes after the frame header.

#include "store/MpegFrameHeader.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace orvane {

enum class VbrKind : uint8_t { None, Xing, Info, Vbri };

struct VbrHeader {
    VbrKind kind = VbrKind::None;
    std::optional<uint32_t> frames; // absent when the header carries no frame count
    std::optional<uint32_t> bytes;  // the stream's length in bytes, when the header has it
};

// Offset of a Xing or Info header from the start of a Layer III frame: header, checksum when
// present, then side information of 32 / 17 bytes (MPEG-1 stereo / mono) or 17 / 9 bytes
// (MPEG-2 and 2.5 stereo / mono). Some encoders leave the checksum out of the count: in a
// protected frame the header is also looked for two bytes earlier.
size_t XingOffset(const FrameHeader& header);
inline constexpr size_t kVbriOffset = 36;

// Looks at the size bytes of the frame that starts at frame. Only Layer III frames are looked
// at, and a header must lie wholly within the bytes given.
VbrHeader FindVbrHeader(const FrameHeader& header, const uint8_t* frame, size_t size);

} // namespace orvane
