#include "engine/Mpg123Decoder.h"

#include <mpg123.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <system_error>

namespace orvane::engine {

namespace {

std::string HandleError(mpg123_handle* handle) {
    const char* text = mpg123_strerror(handle);
    return text ? text : "unknown decoder error";
}

} // namespace

void Mpg123Deleter::operator()(mpg123_handle_struct* handle) const {
    mpg123_close(handle);
    mpg123_delete(handle);
}

double EqualizerFactor(int value) {
    const int limited = std::clamp(value, -80, 80);
    return std::pow(10.0, limited * XA_EQUALIZER_DB_PER_STEP / 20.0);
}

namespace {

// A handle set up as every handle of ours: quiet, gapless, exact seeks, signed 16-bit samples
// at every rate the decoder knows, mono or stereo. Null with a reason in error.
Mpg123Handle NewHandle(std::string& error) {
    // Only needed by libraries older than 1.27, harmless with newer ones.
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });

    int status = MPG123_OK;
    Mpg123Handle handle(mpg123_new(nullptr, &status));
    if (!handle) {
        error = mpg123_plain_strerror(status);
        return nullptr;
    }
    mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0);
    mpg123_param(handle.get(), MPG123_REMOVE_FLAGS, MPG123_FUZZY, 0.0);
    mpg123_format_none(handle.get());
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(handle.get(), rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    return handle;
}

// The file opened for reading if it is a regular file; an empty descriptor with a reason
// otherwise. Opened without blocking, so that a FIFO without a writer cannot hold us.
FileDescriptor OpenRegularFile(const std::string& path, std::string& error) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (file.get() < 0 || fstat(file.get(), &info) != 0) {
        error = std::strerror(errno);
        return FileDescriptor();
    }
    if (S_ISDIR(info.st_mode)) {
        error = "it is a folder";
        return FileDescriptor();
    }
    if (!S_ISREG(info.st_mode)) {
        error = "it is not a regular file";
        return FileDescriptor();
    }
    fcntl(file.get(), F_SETFL, fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
    return file;
}

// Whether the first MPEG frame is a VBR header that counts the stream's frames: "Xing" or
// "Info" (LAME) with the frames flag, or "VBRI". Looks at the first frame after an ID3v2 tag.
bool HasLengthHeader(int fd) {
    uint8_t tag[10] = {};
    off_t start = 0;
    if (pread(fd, tag, sizeof tag, 0) == sizeof tag && std::memcmp(tag, "ID3", 3) == 0)
        start =
            10 + (tag[6] << 21 | tag[7] << 14 | tag[8] << 7 | tag[9]) + ((tag[5] & 0x10) ? 10 : 0);
    std::array<uint8_t, 4096> bytes{};
    const ssize_t got = pread(fd, bytes.data(), bytes.size(), start);
    for (ssize_t i = 0; i + 4 <= got; ++i) {
        const uint8_t* header = bytes.data() + i;
        if (header[0] != 0xFF || (header[1] & 0xE0) != 0xE0)
            continue;
        const int version = (header[1] >> 3) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
        if (version == 1 || ((header[1] >> 1) & 3) == 0 || (header[2] >> 4) == 15 ||
            ((header[2] >> 2) & 3) == 3)
            continue; // not a frame header
        const bool mono = (header[3] >> 6) == 3;
        const ssize_t sideInfo = version == 3 ? (mono ? 17 : 32) : (mono ? 9 : 17);
        const auto holds = [&](ssize_t offset, const char* name) {
            return i + offset + 8 <= got && std::memcmp(header + offset, name, 4) == 0;
        };
        if (holds(4 + sideInfo, "Xing") || holds(4 + sideInfo, "Info"))
            return (header[4 + sideInfo + 7] & 1) != 0; // the flags word, big-endian
        return holds(36, "VBRI");
    }
    return false;
}

// The scan's reads: at its own offset in the shared descriptor, failing once told to stop.
struct ScanSource {
    int fd;
    off_t offset;
    const std::atomic<bool>* stop;
};

mpg123_ssize_t ScanRead(void* source, void* buffer, size_t count) {
    auto* scan = static_cast<ScanSource*>(source);
    if (scan->stop->load())
        return -1;
    const ssize_t got = pread(scan->fd, buffer, count, scan->offset);
    if (got > 0)
        scan->offset += got;
    return got;
}

off_t ScanSeek(void* source, off_t offset, int whence) {
    auto* scan = static_cast<ScanSource*>(source);
    off_t base = 0;
    if (whence == SEEK_CUR) {
        base = scan->offset;
    } else if (whence == SEEK_END) {
        struct stat info {};
        if (fstat(scan->fd, &info) != 0)
            return -1;
        base = info.st_size;
    }
    if (base + offset < 0)
        return -1;
    scan->offset = base + offset;
    return scan->offset;
}

} // namespace

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::unique_ptr<Mpg123Decoder> Mpg123Decoder::Open(const std::string& path, std::string& error,
                                                   std::function<void()> scanned) {
    FileDescriptor file = OpenRegularFile(path, error);
    if (file.get() < 0)
        return nullptr;
    Mpg123Handle handle = NewHandle(error);
    if (!handle)
        return nullptr;
    if (mpg123_open_fd(handle.get(), file.get()) != MPG123_OK) {
        error = HandleError(handle.get());
        return nullptr;
    }
    const bool header = HasLengthHeader(file.get());
    auto decoder = std::make_unique<Mpg123Decoder>(std::move(file), std::move(handle));
    if (!decoder->ReadFormat(error))
        return nullptr;
    const off_t length = mpg123_length(decoder->handle_.get());
    decoder->length_ = length > 0 ? static_cast<int64_t>(length) : 0;
    if (!header)
        decoder->StartScan(std::move(scanned));
    return decoder;
}

Mpg123Decoder::~Mpg123Decoder() {
    stopScan_ = true;
    if (scan_.joinable())
        scan_.join();
}

// A scan on a handle of its own: decoding on a handle after a scan can differ from a plain
// decoding in the last bit of a sample now and then.
void Mpg123Decoder::StartScan(std::function<void()> scanned) {
    try {
        scan_ = std::thread([this, scanned = std::move(scanned)] {
            ScanSource source{fd_.get(), 0, &stopScan_};
            std::string ignored;
            Mpg123Handle handle = NewHandle(ignored);
            if (!handle ||
                mpg123_replace_reader_handle(handle.get(), ScanRead, ScanSeek, nullptr) !=
                    MPG123_OK ||
                mpg123_open_handle(handle.get(), &source) != MPG123_OK ||
                mpg123_scan(handle.get()) != MPG123_OK)
                return;
            const off_t length = mpg123_length(handle.get());
            if (length <= 0 || stopScan_)
                return;
            scanned_ = static_cast<int64_t>(length);
            if (scanned)
                scanned();
        });
    } catch (const std::system_error&) {
        // Without a thread the guessed length stays.
    }
}

int64_t Mpg123Decoder::Length() const {
    const int64_t exact = scanned_.load();
    return exact > 0 ? exact : length_;
}

bool Mpg123Decoder::ReadFormat(std::string& error) {
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(handle_.get(), &rate, &channels, &encoding) != MPG123_OK) {
        error = "no MPEG audio found (" + HandleError(handle_.get()) + ")";
        return false;
    }
    format_ = {rate, channels};

    mpg123_frameinfo2 frame{};
    if (mpg123_info(handle_.get(), &frame) == MPG123_OK) {
        info_.level = frame.version == MPG123_1_0 ? 1 : frame.version == MPG123_2_0 ? 2 : 3;
        info_.layer = frame.layer;
        info_.bitRate = frame.bitrate;
        info_.rate = frame.rate;
        info_.mode = frame.mode;
    }
    return true;
}

int64_t Mpg123Decoder::Tell() const {
    const off_t position = mpg123_tell(handle_.get());
    return position > 0 ? static_cast<int64_t>(position) : 0;
}

bool Mpg123Decoder::Seek(int64_t frame, std::string& error) {
    if (mpg123_seek(handle_.get(), static_cast<off_t>(std::max<int64_t>(frame, 0)), SEEK_SET) < 0) {
        error = HandleError(handle_.get());
        return false;
    }
    return true;
}

Mpg123Decoder::ReadResult Mpg123Decoder::Read(uint8_t* buffer, size_t size, size_t& bytes,
                                              std::string& error) {
    bytes = 0;
    const int status = mpg123_read(handle_.get(), buffer, size, &bytes);
    switch (status) {
    case MPG123_OK:
        return ReadResult::Data;
    case MPG123_NEW_FORMAT: {
        long rate = 0;
        int channels = 0;
        int encoding = 0;
        if (mpg123_getformat(handle_.get(), &rate, &channels, &encoding) == MPG123_OK)
            format_ = {rate, channels};
        return ReadResult::Data;
    }
    case MPG123_DONE:
        return ReadResult::Done;
    default:
        error = HandleError(handle_.get());
        return ReadResult::Error;
    }
}

void Mpg123Decoder::SetEqualizer(const XA_EqualizerInfo* equalizer) {
    if (!equalizer) {
        mpg123_reset_eq(handle_.get());
        return;
    }
    for (int band = 0; band < 32; ++band) {
        mpg123_eq(handle_.get(), MPG123_LEFT, band, EqualizerFactor(equalizer->left[band]));
        mpg123_eq(handle_.get(), MPG123_RIGHT, band, EqualizerFactor(equalizer->right[band]));
    }
}

} // namespace orvane::engine
