#include "support/audio/AudioFixtures.h"

#include <lame/lame.h>
#include <mpg123.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <numbers>

namespace orvane::test::audio {

namespace {

struct LameCloser {
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};
struct Mpg123Closer {
    void operator()(mpg123_handle* handle) const {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};
struct SndFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

bool Fail(std::string* error, const std::string& text) {
    if (error)
        *error = text;
    return false;
}

} // namespace

bool WriteToneMp3(const std::filesystem::path& path, const ToneOptions& options,
                  std::string* error) {
    Pcm pcm;
    pcm.rate = options.sampleRate;
    pcm.channels = options.channels;
    const long frames = std::lround(options.seconds * options.sampleRate);
    pcm.samples.resize(static_cast<size_t>(frames * options.channels));
    for (long i = 0; i < frames; ++i) {
        double value = 0;
        for (double frequency : options.frequencies)
            value += options.amplitude * std::sin(2 * std::numbers::pi * frequency *
                                                  static_cast<double>(i) / options.sampleRate);
        const auto sample =
            static_cast<int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0));
        for (int channel = 0; channel < options.channels; ++channel)
            pcm.samples[static_cast<size_t>(i * options.channels + channel)] = sample;
    }
    return WritePcmMp3(path, pcm, options, error);
}

bool WritePcmMp3(const std::filesystem::path& path, const Pcm& pcm, const ToneOptions& encoding,
                 std::string* error) {
    std::unique_ptr<lame_global_flags, LameCloser> lame(lame_init());
    if (!lame)
        return Fail(error, "lame_init failed");
    const int rate = static_cast<int>(pcm.rate);
    lame_set_in_samplerate(lame.get(), rate);
    lame_set_out_samplerate(lame.get(), rate);
    lame_set_num_channels(lame.get(), pcm.channels);
    lame_set_mode(lame.get(), pcm.channels == 1 ? MONO : JOINT_STEREO);
    if (encoding.bitRate > 0) {
        lame_set_VBR(lame.get(), vbr_off);
        lame_set_brate(lame.get(), encoding.bitRate);
    } else {
        lame_set_VBR(lame.get(), vbr_default);
        lame_set_VBR_q(lame.get(), 4);
    }
    lame_set_quality(lame.get(), encoding.quality);
    lame_set_bWriteVbrTag(lame.get(), encoding.infoTag ? 1 : 0);
    if (lame_init_params(lame.get()) < 0)
        return Fail(error, "lame_init_params refused the options");

    const long frames = pcm.Frames();
    constexpr long kBlock = 4608;
    std::vector<int16_t> left(kBlock), right(kBlock);
    std::vector<unsigned char> mp3(kBlock * 5 / 4 + 7200);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return Fail(error, "cannot create " + path.string());

    for (long start = 0; start < frames; start += kBlock) {
        const long count = std::min(kBlock, frames - start);
        for (long i = 0; i < count; ++i) {
            const size_t at = static_cast<size_t>((start + i) * pcm.channels);
            left[i] = pcm.samples[at];
            right[i] = pcm.samples[at + (pcm.channels > 1 ? 1 : 0)];
        }
        const int bytes =
            lame_encode_buffer(lame.get(), left.data(), pcm.channels == 1 ? nullptr : right.data(),
                               static_cast<int>(count), mp3.data(), static_cast<int>(mp3.size()));
        if (bytes < 0)
            return Fail(error, "lame_encode_buffer failed");
        out.write(reinterpret_cast<const char*>(mp3.data()), bytes);
    }
    const int tail = lame_encode_flush(lame.get(), mp3.data(), static_cast<int>(mp3.size()));
    if (tail < 0)
        return Fail(error, "lame_encode_flush failed");
    out.write(reinterpret_cast<const char*>(mp3.data()), tail);

    // The first frame was reserved for the LAME tag, which is known only now.
    const size_t tagBytes =
        encoding.infoTag ? lame_get_lametag_frame(lame.get(), mp3.data(), mp3.size()) : 0;
    if (tagBytes > 0 && tagBytes <= mp3.size()) {
        out.seekp(0);
        out.write(reinterpret_cast<const char*>(mp3.data()), static_cast<long>(tagBytes));
    }
    out.close();
    if (!out)
        return Fail(error, "cannot write " + path.string());
    return true;
}

Pcm Sweep(long rate, int channels, double seconds, double from, double to, double amplitude) {
    Pcm pcm;
    pcm.rate = rate;
    pcm.channels = channels;
    const long frames = std::lround(seconds * static_cast<double>(rate));
    pcm.samples.resize(static_cast<size_t>(frames * channels));
    // The phase of a linear sweep: the integral of its frequency.
    const double slope = (to - from) / seconds;
    for (long i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(rate);
        const double phase = 2 * std::numbers::pi * (from * t + slope * t * t / 2);
        const auto sample = static_cast<int16_t>(std::lround(amplitude * std::sin(phase) * 32767));
        for (int channel = 0; channel < channels; ++channel)
            pcm.samples[static_cast<size_t>(i * channels + channel)] = sample;
    }
    return pcm;
}

Pcm DecodeMp3(const std::filesystem::path& path) {
    int status = MPG123_OK;
    std::unique_ptr<mpg123_handle, Mpg123Closer> handle(mpg123_new(nullptr, &status));
    if (!handle)
        return {};
    mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0);
    mpg123_format_none(handle.get());
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(handle.get(), rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open(handle.get(), path.c_str()) != MPG123_OK)
        return {};
    Pcm pcm;
    int encoding = 0;
    if (mpg123_getformat(handle.get(), &pcm.rate, &pcm.channels, &encoding) != MPG123_OK)
        return {};
    std::vector<unsigned char> buffer(65536);
    for (;;) {
        size_t bytes = 0;
        status = mpg123_read(handle.get(), buffer.data(), buffer.size(), &bytes);
        const auto* samples = reinterpret_cast<const int16_t*>(buffer.data());
        pcm.samples.insert(pcm.samples.end(), samples, samples + bytes / 2);
        if (status != MPG123_OK && status != MPG123_NEW_FORMAT)
            break;
    }
    return pcm;
}

Pcm ReadWav(const std::filesystem::path& path) {
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndFileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
        return {};
    Pcm pcm;
    pcm.rate = info.samplerate;
    pcm.channels = info.channels;
    pcm.format = info.format;
    pcm.samples.resize(static_cast<size_t>(info.frames * info.channels));
    const sf_count_t read = sf_readf_short(file.get(), pcm.samples.data(), info.frames);
    pcm.samples.resize(static_cast<size_t>(read * info.channels));
    return pcm;
}

std::vector<int16_t> ReadRawSamples(const std::filesystem::path& path, size_t from) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(from * 2));
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::copy_n(bytes.data(), samples.size() * 2, reinterpret_cast<char*>(samples.data()));
    return samples;
}

double ToneLevel(const Pcm& pcm, int channel, double frequency, long first, long count) {
    const long frames = pcm.Frames();
    if (count < 0 || first + count > frames)
        count = frames - first;
    if (count <= 0 || pcm.rate <= 0)
        return 0;
    // Goertzel's single-bin transform.
    const double omega = 2 * std::numbers::pi * frequency / pcm.rate;
    const double coefficient = 2 * std::cos(omega);
    double previous = 0, beforePrevious = 0;
    for (long i = first; i < first + count; ++i) {
        const double sample =
            pcm.samples[static_cast<size_t>(i * pcm.channels + channel)] / 32768.0;
        const double current = sample + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    const double power = previous * previous + beforePrevious * beforePrevious -
                         coefficient * previous * beforePrevious;
    return 2 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(count);
}

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-audio-XXXXXX").string();
    if (mkdtemp(pattern.data()))
        path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ignored);
}

} // namespace orvane::test::audio
