#include "store/TagWriteThrough.h"

#include "platform/FileHandle.h"
#include "platform/Paths.h"
#include "store/Id3Tags.h"
#include "store/Id3v2Tags.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace orvane {

int EditThroughCopy(const QString& path, const std::function<int(const QString& copy)>& edit) {
    const QFileInfo info(path);
    if (!info.isFile())
        return ENOENT;
    const QString copy = WithTrailingSeparator(info.absolutePath()) + u'.' + info.fileName() +
                         QStringLiteral(".orvane-tag");
    QFile::remove(copy);
    // QFile::copy keeps the permissions of the song.
    if (!QFile::copy(path, copy)) {
        QFile::remove(copy);
        return EIO;
    }
    int error = edit(copy);
    // On disk before its name replaces the song's: after a power cut the song is its old or its
    // new self, never an empty file. A failed flush fails the save.
    if (error == 0)
        error = FlushFileToDisk(copy);
    if (error == 0 &&
        std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(path).constData()) != 0)
        error = errno != 0 ? errno : EIO;
    if (error != 0)
        QFile::remove(copy);
    return error;
}

namespace {

// The open file positioned after its leading ID3v2 tag; empty when it cannot be read.
UniqueFile OpenAfterId3v2(const QString& path) {
    UniqueFile file = OpenFile(path, "rb");
    if (!file)
        return {};
    uint8_t header[kId3v2HeaderSize];
    const size_t n = std::fread(header, 1, sizeof header, file.get());
    const uint64_t skip = n == sizeof header ? Id3v2TagSize(header) : 0;
    if (fseeko(file.get(), off_t(skip), SEEK_SET) != 0)
        return {};
    return file;
}

} // namespace

bool SameBytesAfterId3v2(const QString& a, const QString& b) {
    const UniqueFile fa = OpenAfterId3v2(a), fb = OpenAfterId3v2(b);
    if (!fa || !fb)
        return false;
    constexpr size_t kChunk = 65536;
    const auto ba = std::make_unique_for_overwrite<char[]>(kChunk);
    const auto bb = std::make_unique_for_overwrite<char[]>(kChunk);
    for (;;) {
        const size_t na = std::fread(ba.get(), 1, kChunk, fa.get());
        const size_t nb = std::fread(bb.get(), 1, kChunk, fb.get());
        if (na != nb || std::memcmp(ba.get(), bb.get(), na) != 0)
            return false;
        if (na < kChunk)
            return !std::ferror(fa.get()) && !std::ferror(fb.get());
    }
}

int WriteId3v2IntoCopy(const QString& original, const QString& copy, const Id3v2Texts& texts) {
    if (!WriteId3v2Texts(copy, texts) || !SameBytesAfterId3v2(original, copy))
        return EIO;
    return 0;
}

} // namespace orvane
