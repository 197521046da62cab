// Feeds arbitrary bytes to the ID3v2 reader. The first byte chooses the reading: the tag held in
// memory for its texts and genre, or for its picture, or the start of a song read whole from
// memory under one of the ways of reading tags. One reading per input keeps each run to one
// pass of the tag library, which costs most of a run.

#include "store/Id3v2Tags.h"
#include "store/MpegAudio.h"
#include "store/TagReading.h"
#include "support/MpegFixture.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArray tag(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    switch (data[0] % 5) {
    case 0:
        if (const std::optional<orvane::Id3v2Texts> texts = orvane::ParseId3v2Texts(tag)) {
            const orvane::Id3v2Genre genre = orvane::ResolveId3v2Genre(texts->GenreFrame);
            if (genre.Nr > 255 || texts->Title.contains(u'\n'))
                __builtin_trap();
        }
        return 0;
    case 1:
        orvane::ParseId3v2Picture(tag);
        return 0;
    default:
        break;
    }
    static const QByteArray audio = orvane::test::MakeMpegStream({.frames = 4});
    const QByteArray song = tag + audio;
    const orvane::Id3v2Use uses[] = {orvane::Id3v2Use::WhenNoId3v1, orvane::Id3v2Use::Prefer,
                                     orvane::Id3v2Use::Never};
    orvane::SetTagReading({uses[data[0] % 5 - 2], orvane::kLatin1CodePage});
    orvane::TMPEGAudio mpeg;
    mpeg.SetFileContents(QStringLiteral("fuzz.mp3"), song);
    if (mpeg.IsValid() && mpeg.HeaderPosition() + mpeg.FrameLength() + 4 > uint64_t(song.size()))
        __builtin_trap();
    return 0;
}
