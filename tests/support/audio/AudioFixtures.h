#pragma once
// Audible MPEG fixtures for the engine's tests and benchmarks: tones encoded to MP3 with
// libmp3lame, the reference decoding of a file by libmpg123 itself, WAV files read back with
// libsndfile, and the level of one frequency in decoded audio. No Qt, no GoogleTest.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orvane::test::audio {

struct ToneOptions {
    int sampleRate = 44100; // 32000-48000 make MPEG-1, 16000-24000 MPEG-2, 8000-12000 MPEG-2.5
    int channels = 2;
    double seconds = 1.0;
    std::vector<double> frequencies = {440.0}; // summed sine tones, same in every channel
    double amplitude = 0.25;                   // of each tone; 1 is full scale
    int bitRate = 128;                         // kbit/s, constant; 0 encodes with VBR
    int quality = 7;                           // lame's algorithm quality, 0 best to 9 fastest
    bool infoTag = true;                       // the LAME/Xing header frame with the exact length
};

// Encodes the tones, by default with a LAME/Xing header (exact length and encoder delay), so
// that a gapless decoder returns exactly sampleRate * seconds frames. False with a reason in error.
bool WriteToneMp3(const std::filesystem::path& path, const ToneOptions& options,
                  std::string* error = nullptr);

struct Pcm {
    long rate = 0;
    int channels = 0;
    std::vector<int16_t> samples; // interleaved
    int format = 0;               // libsndfile's format word, for files read by ReadWav

    long Frames() const { return channels ? static_cast<long>(samples.size()) / channels : 0; }
};

// Encodes given audio the same way (the tone options give bit rate and quality only).
bool WritePcmMp3(const std::filesystem::path& path, const Pcm& pcm, const ToneOptions& encoding,
                 std::string* error = nullptr);
// A sine sweeping from `from` to `to` Hz over the given time, the same in every channel.
Pcm Sweep(long rate, int channels, double seconds, double from, double to, double amplitude);

// The whole file as libmpg123 decodes it: gapless, signed 16-bit, its own rate and channels.
// Empty (rate 0) when the file cannot be decoded.
Pcm DecodeMp3(const std::filesystem::path& path);
// Empty (rate 0) when the file cannot be read.
Pcm ReadWav(const std::filesystem::path& path);
// The 16-bit samples of a raw file (what SDL's "disk" sound card wrote), from a sample on.
std::vector<int16_t> ReadRawSamples(const std::filesystem::path& path, size_t from = 0);

// Amplitude (0..1 of full scale) of one frequency in a channel of frames [first, first+count).
double ToneLevel(const Pcm& pcm, int channel, double frequency, long first = 0, long count = -1);

// A fresh temporary folder, removed with its content by the destructor.
class ScratchDir {
public:
    ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir();

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

} // namespace orvane::test::audio
