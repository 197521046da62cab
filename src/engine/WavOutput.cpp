// The WAV file writer: 16-bit PCM through libsndfile, which writes a correct RIFF header when
// the file is closed; the file is then flushed to disk, so that whoever renames it into place
// afterwards cannot leave an empty file under the new name after a power cut. It takes
// everything at once, so a player writing to it decodes as fast as it can.

#include "engine/AudioOutput.h"
#include "engine/Mpg123Decoder.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sndfile.h>
#include <unistd.h>

namespace orvane::engine {

namespace {

struct SndFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndFile = std::unique_ptr<SNDFILE, SndFileCloser>;

class WavOutput final : public AudioOutput {
public:
    explicit WavOutput(std::string path)
        : path_(std::move(path)) {}

    bool Open(const PcmFormat& format, std::string& error) override {
        std::string ignored;
        Close(ignored);
        SF_INFO info{};
        info.samplerate = static_cast<int>(format.rate);
        info.channels = format.channels;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        fd_.emplace(::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
        if (fd_->get() < 0) {
            error = "cannot write " + path_ + ": " + std::strerror(errno);
            fd_.reset();
            return false;
        }
        file_.reset(sf_open_fd(fd_->get(), SFM_WRITE, &info, SF_FALSE));
        if (!file_) {
            error = "cannot write " + path_ + ": " + sf_strerror(nullptr);
            fd_.reset();
            return false;
        }
        return true;
    }

    long Play(std::span<const uint8_t> bytes, std::chrono::milliseconds,
              std::string& error) override {
        if (!file_) {
            error = "the WAV file is not open";
            return -1;
        }
        const auto items = static_cast<sf_count_t>(bytes.size() / 2);
        // The decoder's buffer holds 16-bit samples, so its bytes are suitably aligned.
        const auto* samples = reinterpret_cast<const short*>(bytes.data());
        if (sf_write_short(file_.get(), samples, items) != items) {
            error = "cannot write " + path_ + ": " + sf_strerror(file_.get());
            return -1;
        }
        return static_cast<long>(items * 2);
    }

    bool Drain(std::chrono::milliseconds) override { return true; }
    void Cancel() override {}
    long Unheard() const override { return 0; }
    void Pause(bool) override {}

    bool Close(std::string& error) override {
        if (!file_)
            return true;
        const int status = sf_close(file_.release());
        const bool flushed = ::fsync(fd_->get()) == 0;
        const int flushError = errno;
        fd_.reset();
        if (status != 0) {
            error = "cannot finish " + path_ + ": " + sf_error_number(status);
            return false;
        }
        if (!flushed) {
            error = "cannot finish " + path_ + ": " + std::strerror(flushError);
            return false;
        }
        return true;
    }

    bool Reopenable() const override { return false; }

private:
    std::string path_;
    std::optional<FileDescriptor> fd_; // libsndfile writes through it and leaves it open
    SndFile file_;
};

} // namespace

std::unique_ptr<AudioOutput> MakeWavOutput(const std::string& path) {
    return std::make_unique<WavOutput>(path);
}

} // namespace orvane::engine
