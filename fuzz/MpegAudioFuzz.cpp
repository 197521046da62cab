// Feeds arbitrary bytes to the MP3 file reader as a whole file, from memory, with and without
// a search limit, and checks that whatever was found lies inside the file.

#include "store/MpegAudio.h"

#include <QByteArrayView>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static orvane::TMPEGAudio mpeg;
    const QByteArrayView bytes(data, qsizetype(size));
    for (uint32_t limit : {0u, 128u}) {
        mpeg.SetSearchLimit(limit);
        mpeg.SetFileContents(QStringLiteral("/fuzz/song.mp3"), bytes);
        if (mpeg.IsValid() &&
            (mpeg.HeaderPosition() + mpeg.FrameLength() + 4 > size || mpeg.FrameLength() == 0))
            __builtin_trap();
        // Texts of an ID3v2 tag are not cut to the widths of ID3v1.
        if (!mpeg.HasId3v2Tag() && (mpeg.Title().size() > 30 || mpeg.Year().size() > 4))
            __builtin_trap();
    }
    return 0;
}
