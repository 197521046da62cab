#include "store/MpegAudio.h"

#include "platform/DosDateTime.h"
#include "platform/FileHandle.h"
#include "store/Id3Tags.h"
#include "store/MpegFrameHeader.h"
#include "store/TagReading.h"
#include "store/TagWriteThrough.h"
#include "store/VbrHeader.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/types.h>
#include <unistd.h>
#endif

namespace orvane {

namespace {

constexpr qsizetype kTextMax = 30;
constexpr qsizetype kYearMax = 4;
// The attribute bits of FAT directory entries, which is what the program keeps.
constexpr uint32_t kAttrReadOnly = 0x01;
constexpr uint32_t kAttrArchive = 0x20;

QString NoTag() {
    return QStringLiteral("[notag]");
}

// The error of the last failed call; never 0, so that a failure is never taken for success.
int LastError() {
    return errno != 0 ? errno : EIO;
}

bool SeekTo(std::FILE* file, uint64_t pos) {
#ifdef _WIN32
    return _fseeki64(file, static_cast<__int64>(pos), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(pos), SEEK_SET) == 0;
#endif
}

std::optional<uint64_t> SizeOf(std::FILE* file) {
#ifdef _WIN32
    if (_fseeki64(file, 0, SEEK_END) != 0)
        return std::nullopt;
    const __int64 size = _ftelli64(file);
#else
    if (fseeko(file, 0, SEEK_END) != 0)
        return std::nullopt;
    const off_t size = ftello(file);
#endif
    if (size < 0)
        return std::nullopt;
    return uint64_t(size);
}

int Truncate(std::FILE* file, uint64_t size) {
#ifdef _WIN32
    return _chsize_s(_fileno(file), static_cast<__int64>(size)) == 0 ? 0 : LastError();
#else
    return ftruncate(fileno(file), static_cast<off_t>(size)) == 0 ? 0 : LastError();
#endif
}

// Writes block at pos with one call (a kill cannot split it but at a page boundary). When the
// disk is full part-way the file is put back: an appended block is cut off again, a replaced
// one gets its old bytes back. 0 or the system error.
int WriteBlockAt(std::FILE* file, const Id3v1Block& block, uint64_t pos,
                 const std::optional<Id3v1Block>& old) {
#ifdef _WIN32
    if (!SeekTo(file, pos) || std::fwrite(block.data(), 1, block.size(), file) != block.size() ||
        std::fflush(file) != 0)
        return LastError();
    (void)old;
    return 0;
#else
    const int fd = fileno(file);
    const ssize_t written = ::pwrite(fd, block.data(), block.size(), off_t(pos));
    if (written == ssize_t(block.size()))
        return 0;
    const int error = written < 0 ? LastError() : ENOSPC;
    if (written > 0) {
        if (old) [[maybe_unused]]
            const ssize_t back = ::pwrite(fd, old->data(), old->size(), off_t(pos));
        else [[maybe_unused]]
            const int cut = ::ftruncate(fd, off_t(pos));
    }
    return error;
#endif
}

// Reads a file in blocks and hands out views of it. The frame search looks one frame ahead and
// then goes on one byte after where it looked from, so a refill keeps some bytes before the
// position asked for; a frame is far shorter than that.
class BlockReader {
public:
    explicit BlockReader(std::FILE* file)
        : file_(file)
        , buffer_(std::make_unique_for_overwrite<uint8_t[]>(kBlock)) {}

    // The n bytes at pos (n at most kMaxView), or nullptr when the file ends before them.
    const uint8_t* Bytes(uint64_t pos, size_t n) {
        if (n > kMaxView)
            return nullptr;
        if (pos >= start_ && pos - start_ + n <= size_)
            return buffer_.get() + (pos - start_);
        if (atEnd_ && pos >= start_)
            return nullptr;
        start_ = pos > kBehind ? pos - kBehind : 0;
        size_ = SeekTo(file_, start_) ? std::fread(buffer_.get(), 1, kBlock, file_) : 0;
        atEnd_ = size_ < kBlock;
        if (pos - start_ + n <= size_)
            return buffer_.get() + (pos - start_);
        return nullptr;
    }

    static constexpr size_t kMaxView = 16384;

private:
    static constexpr size_t kBlock = 32768;
    static constexpr size_t kBehind = 4096;
    static_assert(kBehind + kMaxView <= kBlock);

    std::FILE* file_;
    std::unique_ptr<uint8_t[]> buffer_;
    uint64_t start_ = 0;
    size_t size_ = 0;
    bool atEnd_ = false; // the buffer holds the last byte of the file
};

struct FoundFrame {
    FrameHeader header;
    uint64_t position = 0;
};

// The first frame header from start on that another header follows at the frame's length.
// limit counts from start: the search gives up once the four bytes looked at end past offset
// start + limit (0: no limit).
std::optional<FoundFrame> FindFirstFrame(BlockReader& in, uint64_t start, uint64_t fileSize,
                                         uint32_t limit) {
    for (uint64_t pos = start; pos + 4 <= fileSize; ++pos) {
        if (limit != 0 && pos > start && pos - start + 3 > limit)
            break;
        const uint8_t* word = in.Bytes(pos, 4);
        if (!word)
            break;
        if (!HasFrameSync(word))
            continue;
        const FrameHeader header = DecodeFrameHeader(BigEndian32(word));
        if (!header.IsHeader())
            continue;
        const uint8_t* next = in.Bytes(pos + header.FrameLength(), 4);
        if (next && HasFrameSync(next) && DecodeFrameHeader(BigEndian32(next)).IsHeader())
            return FoundFrame{header, pos};
    }
    return std::nullopt;
}

uint32_t Saturated(uint64_t value) {
    return uint32_t(std::min<uint64_t>(value, std::numeric_limits<uint32_t>::max()));
}

// Where the file's ID3v1 tag begins (or its size when it has none), read from an open file.
// The error of the failed call otherwise.
struct TagPlace {
    uint64_t size = 0;
    uint64_t tagAt = 0;
    int error = 0;
};
TagPlace FindTagBlock(std::FILE* file) {
    TagPlace place;
    const std::optional<uint64_t> size = SizeOf(file);
    if (!size) {
        place.error = LastError();
        return place;
    }
    place.size = place.tagAt = *size;
    if (*size > kId3v1Size) {
        uint8_t head[3];
        if (!SeekTo(file, *size - kId3v1Size) || std::fread(head, 1, 3, file) != 3)
            place.error = LastError();
        else if (IsId3v1(head))
            place.tagAt = *size - kId3v1Size;
    }
    return place;
}

int RemoveTagBlock(const QString& path) {
    errno = 0;
    UniqueFile file = OpenFile(path, "r+b");
    if (!file)
        return LastError();
    const TagPlace place = FindTagBlock(file.get());
    if (place.error)
        return place.error;
    if (place.tagAt < place.size)
        if (const int error = Truncate(file.get(), place.tagAt))
            return error;
    return std::fclose(file.release()) == 0 ? 0 : LastError();
}

} // namespace

TagReplacement ReplaceId3v1Tag(const QString& path, const Id3v1Block& block) {
    TagReplacement result;
    errno = 0;
    UniqueFile file = OpenFile(path, "r+b");
    if (!file) {
        result.Error = LastError();
        return result;
    }
    // Overwrite the tag that is there, else append: the old tag stays whole until the new one
    // is written over it. The old block is read through the same handle that writes.
    const TagPlace place = FindTagBlock(file.get());
    if (place.error) {
        result.Error = place.error;
        return result;
    }
    if (place.tagAt < place.size) {
        Id3v1Block old{};
        if (!SeekTo(file.get(), place.tagAt) ||
            std::fread(old.data(), 1, old.size(), file.get()) != old.size()) {
            result.Error = LastError();
            return result;
        }
        result.Replaced = old;
    }
    // One system call at the tag's place: the block reaches the file whole or, when the disk is
    // full, the part written is taken back.
    if (const int error = WriteBlockAt(file.get(), block, place.tagAt, result.Replaced)) {
        result.Error = error;
        return result;
    }
    result.Error = std::fclose(file.release()) == 0 ? 0 : LastError();
    return result;
}

int RestoreId3v1Tag(const QString& path, const std::optional<Id3v1Block>& replaced) {
    if (replaced)
        return ReplaceId3v1Tag(path, *replaced).Error;
    return RemoveTagBlock(path);
}

TMPEGAudio::TMPEGAudio() {
    Reset();
}

void TMPEGAudio::Reset() {
    fileName_.clear();
    header_ = QStringLiteral("TAG");
    title_ = artist_ = album_ = comment_ = NoTag();
    year_ = QStringLiteral("    ");
    genreNr_ = 255;
    track_ = 0;
    genreText_.clear();
    hasTag_ = hasId3v2_ = false;
    duration_ = 0;
    fileSize_ = 0;
    version_ = layer_ = 0;
    sampleRate_ = 0;
    bitRate_ = 0;
    mode_ = 0;
    copyright_ = original_ = errorProtection_ = padding_ = false;
    frameLength_ = 0;
    headerPosition_ = 0;
    fileDate_ = fileAttributes_ = 0;
    volumeLabel_.clear();
}

void TMPEGAudio::SetFileName(const QString& path) {
    // path may be fileName_ itself (a re-read), so it is taken before the reset clears it.
    QString absolute =
        path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    Reset();
    fileName_ = std::move(absolute);
    Read();
}

void TMPEGAudio::Read() {
    const QFileInfo info(fileName_);
    // Only a regular file counts: a folder is no song, and opening a pipe would block.
    if (fileName_.isEmpty() || !info.isFile()) {
        title_ = (QStringLiteral("[not found: ") + info.fileName() + u']').left(kTextMax);
        return;
    }
    UniqueFile file = OpenFile(fileName_, "rb");
    if (!file || info.size() <= 5)
        return;
    std::setvbuf(file.get(), nullptr, _IONBF, 0); // BlockReader does the buffering

    fileSize_ = uint64_t(info.size());
    fileDate_ = PackDosDateTime(info.lastModified());
    fileAttributes_ = kAttrArchive | (info.permission(QFileDevice::WriteOwner) ? 0 : kAttrReadOnly);
    readStream(file.get(), info.fileName());
}

void TMPEGAudio::SetFileContents(const QString& name, QByteArrayView data) {
    Reset();
    fileName_ = name;
    if (data.size() <= 5)
        return;
#ifdef _WIN32
    return; // no reading from memory there
#else
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
        fmemopen(const_cast<char*>(data.data()), size_t(data.size()), "rb"), &std::fclose);
    if (!file)
        return;
    fileSize_ = uint64_t(data.size());
    fileDate_ = PackDosDateTime(QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
    fileAttributes_ = kAttrArchive;
    readStream(file.get(), QFileInfo(name).fileName());
#endif
}

void TMPEGAudio::readStream(std::FILE* file, const QString& shortName) {
    BlockReader in(file);
    // A leading ID3v2 tag is skipped as declared, and so is every tag right after it (a tagger
    // that put a new tag in front of the old one); when one claims to run past the end of the
    // file, nothing is left to search.
    uint64_t audioStart = 0;
    while (audioStart < fileSize_) {
        const uint8_t* id3v2 = in.Bytes(audioStart, kId3v2HeaderSize);
        const uint64_t size = id3v2 ? Id3v2TagSize(id3v2) : 0;
        if (size == 0)
            break;
        audioStart += size;
    }
    hasId3v2_ = audioStart > 0;
    const std::optional<FoundFrame> found = FindFirstFrame(in, audioStart, fileSize_, searchLimit_);
    if (!found)
        return;

    const FrameHeader& h = found->header;
    version_ = h.version;
    layer_ = h.layer;
    sampleRate_ = h.sampleRate;
    bitRate_ = h.bitRate;
    mode_ = h.mode;
    copyright_ = h.copyright;
    original_ = h.original;
    errorProtection_ = h.errorProtection;
    padding_ = h.padding;
    frameLength_ = uint16_t(h.FrameLength());
    headerPosition_ = found->position;

    const TagReading reading = fixedReading_.value_or(CurrentTagReading());
    bool hasId3v1 = false;
    title_ = shortName.left(kTextMax);
    if (fileSize_ > kId3v1Size) {
        const uint8_t* block = in.Bytes(fileSize_ - kId3v1Size, kId3v1Size);
        if (block && IsId3v1(block)) {
            hasId3v1 = hasTag_ = true;
            const Id3v1Tag tag = DecodeId3v1(block, reading.codePage);
            title_ = tag.title;
            artist_ = tag.artist;
            album_ = tag.album;
            year_ = tag.year;
            comment_ = tag.comment;
            track_ = tag.track;
            genreNr_ = tag.genre;
        }
    }
    if (hasId3v2_) {
        const Id3v2Use use = reading.id3v2;
        if (use == Id3v2Use::Prefer || (use == Id3v2Use::WhenNoId3v1 && !hasId3v1))
            ReadId3v2Texts(hasId3v1, file);
    }

    // A VBR header's frame count gives the play time; without one it follows from the bytes of
    // audio at the bit rate of the first frame, the tags left out.
    VbrHeader vbr;
    if (const uint8_t* frame = in.Bytes(headerPosition_, frameLength_))
        vbr = FindVbrHeader(h, frame, frameLength_);
    // A header that counts more bytes than the file could hold by far is not this file's (a
    // cut-off download, a header copied from elsewhere): its frame count is not trusted either.
    const bool vbrFits = !vbr.bytes || *vbr.bytes <= fileSize_ + fileSize_ / 2;
    if (vbr.frames && *vbr.frames > 0 && vbrFits) {
        duration_ = Saturated(uint64_t(*vbr.frames) * h.SamplesPerFrame() / h.sampleRate);
    } else {
        uint64_t audio = fileSize_ - std::min(fileSize_, audioStart);
        if (hasId3v1)
            audio -= std::min<uint64_t>(audio, kId3v1Size);
        duration_ = Saturated(audio / (uint64_t(h.bitRate) * 125)); // bytes * 8 / bit/s
    }
}

void TMPEGAudio::ReadId3v2Texts(bool hasId3v1, std::FILE* file) {
    const std::optional<Id3v2Texts> tag = ParseId3v2Texts(ReadLeadingId3v2(file));
    if (!tag)
        return;
    if (!hasId3v1) {
        // The ID3v2 tag is the file's tag: what it lacks is empty, not "[notag]". The title stays
        // the file name unless the tag has one.
        artist_.clear();
        album_.clear();
        comment_.clear();
        year_.clear();
        hasTag_ = true;
    }
    const auto take = [](QString& field, const QString& text) {
        if (!text.isEmpty())
            field = text;
    };
    take(title_, tag->Title);
    take(artist_, tag->Artist);
    take(album_, tag->Album);
    take(year_, tag->Year);
    take(comment_, tag->Comment);
    if (!tag->Genre.isEmpty()) {
        genreText_ = tag->Genre;
        // A free-text genre leaves the ID3v1 byte alone, so a save does not change it.
        if (tag->GenreNr >= 0)
            genreNr_ = uint8_t(tag->GenreNr);
    }
}

QDateTime TMPEGAudio::FileDateTime() const {
    return UnpackDosDateTime(fileDate_);
}

void TMPEGAudio::SetTitle(const QString& text) {
    title_ = text.left(kTextMax);
}

void TMPEGAudio::SetArtist(const QString& text) {
    artist_ = text.left(kTextMax);
}

void TMPEGAudio::SetAlbum(const QString& text) {
    album_ = text.left(kTextMax);
}

void TMPEGAudio::SetYear(const QString& text) {
    year_ = text.left(kYearMax);
}

void TMPEGAudio::SetComment(const QString& text) {
    comment_ = text.left(kTextMax);
}

bool TMPEGAudio::IsValid() const {
    return fileSize_ > 5 && version_ != 0 && layer_ != 0 && fileDate_ != 0 && bitRate_ >= 1 &&
           sampleRate_ > 0;
}

QString TMPEGAudio::GenreName() const {
    return genreText_.isEmpty() ? orvane::GenreName(genreNr_) : genreText_;
}

QString TMPEGAudio::ModeName() const {
    switch (mode_) {
    case 0:
        return QStringLiteral("Stereo");
    case 1:
        return QStringLiteral("Joint-Stereo");
    case 2:
        return QStringLiteral("Dual-Channel");
    case 3:
        return QStringLiteral("Single-Channel");
    default:
        return {};
    }
}

QTime TMPEGAudio::DurationTime() const {
    // A time of day cannot hold a day or more; such lengths wrap, keeping minutes and seconds.
    return QTime(int(duration_ / 3600 % 24), int(duration_ / 60 % 60), int(duration_ % 60));
}

int TMPEGAudio::WriteTag() {
    if (!QFileInfo(fileName_).isFile())
        return -1;
    return WriteTagReplacing().Error;
}

TagReplacement TMPEGAudio::WriteTagReplacing(const Id3v2Texts* id3v2) {
    if (!QFileInfo(fileName_).isFile())
        return {-1, std::nullopt};
    const Id3v1Tag tag{title_, artist_, album_, year_, comment_, track_, genreNr_};
    const Id3v1Block block = EncodeId3v1(tag, CurrentTagReading().codePage);
    TagReplacement result;
    if (id3v2)
        result.Error = EditThroughCopy(fileName_, [&](const QString& copy) {
            if (const int error = WriteId3v2IntoCopy(fileName_, copy, *id3v2))
                return error;
            result = ReplaceId3v1Tag(copy, block);
            return result.Error;
        });
    else
        result = ReplaceId3v1Tag(fileName_, block);
    SetFileName(fileName_);
    return result;
}

int TMPEGAudio::RemoveTag() {
    if (!QFileInfo(fileName_).isFile())
        return -1;
    const int result = RemoveTagBlock(fileName_);
    SetFileName(fileName_);
    return result;
}

} // namespace orvane
