#include "engine/Mpg123Decoder.h"

#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>

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
// at every rate the decoder knows, mono or stereo. Null with a reason when the file cannot be
// opened.
Mpg123Handle OpenHandle(const std::string& path, std::string& error) {
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
    if (mpg123_open(handle.get(), path.c_str()) != MPG123_OK) {
        error = HandleError(handle.get());
        return nullptr;
    }
    return handle;
}

// The exact length in frames from a scan of every frame header; 0 when unknown. The scan runs
// on a handle of its own: decoding on a handle after a scan can differ from a plain decoding in
// the last bit of a sample now and then.
int64_t ScanLength(const std::string& path) {
    std::string ignored;
    Mpg123Handle handle = OpenHandle(path, ignored);
    if (!handle || mpg123_scan(handle.get()) != MPG123_OK)
        return 0;
    const off_t length = mpg123_length(handle.get());
    return length > 0 ? static_cast<int64_t>(length) : 0;
}

} // namespace

std::unique_ptr<Mpg123Decoder> Mpg123Decoder::Open(const std::string& path, std::string& error) {
    Mpg123Handle handle = OpenHandle(path, error);
    if (!handle)
        return nullptr;
    auto decoder = std::make_unique<Mpg123Decoder>(std::move(handle));
    if (!decoder->ReadFormat(error))
        return nullptr;
    decoder->length_ = ScanLength(path);
    return decoder;
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
