#pragma once
// An MPEG audio file decoded by libmpg123 (MPEG 1, 2 and 2.5, layers I to III, constant and
// variable bit rates) into 16-bit PCM, with sample-accurate seeking and the codec's 32-band
// equalizer. Used by one thread at a time (the player thread).

#include "engine/PcmFormat.h"
#include "engine/Xaudio.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct mpg123_handle_struct;

namespace orvane::engine {

struct Mpg123Deleter {
    void operator()(mpg123_handle_struct* handle) const;
};
using Mpg123Handle = std::unique_ptr<mpg123_handle_struct, Mpg123Deleter>;

struct StreamInfo {
    int level = 0; // 1 MPEG-1, 2 MPEG-2, 3 MPEG-2.5
    int layer = 0;
    int bitRate = 0; // kbit/s of the first frame
    long rate = 0;
    int mode = 0; // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
};

class Mpg123Decoder {
public:
    // Null with a reason in error when the file cannot be opened or holds no MPEG audio.
    static std::unique_ptr<Mpg123Decoder> Open(const std::string& path, std::string& error);
    // Takes a handle with an open stream; Open() is the way to get one.
    explicit Mpg123Decoder(Mpg123Handle handle)
        : handle_(std::move(handle)) {}

    PcmFormat Format() const { return format_; }
    StreamInfo Info() const { return info_; }
    // Length in frames (samples per channel); 0 when unknown.
    int64_t Length() const { return length_; }
    // The frame that the next Read returns first.
    int64_t Tell() const;
    bool Seek(int64_t frame, std::string& error);

    enum class ReadResult { Data, Done, Error };
    // Decodes up to size bytes into buffer (a multiple of the frame size). Data may come with
    // 0 bytes when the stream changed its format; Format() then tells the new one. Done may
    // still carry the last bytes.
    ReadResult Read(uint8_t* buffer, size_t size, size_t& bytes, std::string& error);

    // Band values -80..80 (XA_EqualizerInfo); null makes the codec flat again.
    void SetEqualizer(const XA_EqualizerInfo* equalizer);

private:
    bool ReadFormat(std::string& error);

    Mpg123Handle handle_;
    PcmFormat format_;
    StreamInfo info_;
    int64_t length_ = 0;
};

// Linear factor of a band value, XA_EQUALIZER_DB_PER_STEP dB per step, limited to -80..80.
double EqualizerFactor(int value);

} // namespace orvane::engine
