// Feeds arbitrary bytes to the MP3 file reader as a whole file, with and without a search limit,
// and checks that whatever was found lies inside the file.

#include "store/MpegAudio.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("fuzz.mp3"));
    static orvane::TMPEGAudio mpeg;

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    for (uint32_t limit : {0u, 128u}) {
        mpeg.SetSearchLimit(limit);
        mpeg.SetFileName(path);
        if (mpeg.IsValid() &&
            (mpeg.HeaderPosition() + mpeg.FrameLength() + 4 > size || mpeg.FrameLength() == 0))
            __builtin_trap();
        // Texts of an ID3v2 tag are not cut to the widths of ID3v1.
        if (!mpeg.HasId3v2Tag() && (mpeg.Title().size() > 30 || mpeg.Year().size() > 4))
            __builtin_trap();
    }
    return 0;
}
