#pragma once
// An MPEG audio file decoded by libmpg123 (MPEG 1, 2 and 2.5, layers I to III, constant and
// variable bit rates) into 16-bit PCM, with sample-accurate seeking and the codec's 32-band
// equalizer. Used by one thread at a time (the player thread).
//
// Only regular files are opened: a FIFO or a device could block the reader for ever, a folder
// holds no audio. Opening reads the start of the file only; the length comes from the VBR
// header (LAME, Xing or VBRI) when there is one. Otherwise it is a guess from the file size at
// first, and a scan on a thread of the decoder's own, with its own libmpg123 handle, makes it
// exact; that thread calls `scanned` when it is done and is stopped and waited for by the
// destructor (its reads fail at once once it was told to stop).

#include "engine/PcmFormat.h"
#include "engine/Xaudio.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

struct mpg123_handle_struct;

namespace orvane::engine {

struct Mpg123Deleter {
    void operator()(mpg123_handle_struct* handle) const;
};
using Mpg123Handle = std::unique_ptr<mpg123_handle_struct, Mpg123Deleter>;

// A file descriptor, closed by the destructor.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1)
        : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept
        : fd_(other.fd_) {
        other.fd_ = -1;
    }
    FileDescriptor& operator=(FileDescriptor&&) = delete;
    ~FileDescriptor();
    int get() const { return fd_; }

private:
    int fd_;
};

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
    // `scanned` is called on another thread once a scan made the length exact (never when the
    // header gave it).
    static std::unique_ptr<Mpg123Decoder> Open(const std::string& path, std::string& error,
                                               std::function<void()> scanned = {});
    // Takes an open file and a handle with a stream open on it; Open() is the way to get one.
    Mpg123Decoder(FileDescriptor file, Mpg123Handle handle)
        : fd_(std::move(file))
        , handle_(std::move(handle)) {}
    Mpg123Decoder(const Mpg123Decoder&) = delete;
    Mpg123Decoder& operator=(const Mpg123Decoder&) = delete;
    ~Mpg123Decoder();

    PcmFormat Format() const { return format_; }
    StreamInfo Info() const { return info_; }
    // Length in frames (samples per channel); 0 when unknown.
    int64_t Length() const;
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
    void StartScan(std::function<void()> scanned);

    FileDescriptor fd_; // shared by both handles; closed after them
    Mpg123Handle handle_;
    PcmFormat format_;
    StreamInfo info_;
    int64_t length_ = 0;              // from the header, or the guess
    std::atomic<int64_t> scanned_{0}; // the scan's exact length; 0 until it is known
    std::atomic<bool> stopScan_{false};
    std::thread scan_;
};

// Linear factor of a band value, XA_EQUALIZER_DB_PER_STEP dB per step, limited to -80..80.
double EqualizerFactor(int value);

} // namespace orvane::engine
