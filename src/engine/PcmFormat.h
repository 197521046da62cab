#pragma once
// The one sample format between decoder and outputs: signed 16-bit samples in host byte order,
// channels interleaved.

namespace orvane::engine {

struct PcmFormat {
    long rate = 0; // frames per second
    int channels = 0;

    int FrameBytes() const { return channels * 2; }
    long BytesPerSecond() const { return rate * FrameBytes(); }
    bool operator==(const PcmFormat&) const = default;
};

} // namespace orvane::engine
