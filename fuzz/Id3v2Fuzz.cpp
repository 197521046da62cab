// Feeds arbitrary bytes to the ID3v2 reader: as a tag held in memory (texts, genre, picture),
// then as the start of a song read whole from memory under each way of reading tags.

#include "store/Id3v2Tags.h"
#include "store/MpegAudio.h"
#include "store/TagReading.h"
#include "support/MpegFixture.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray tag(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<orvane::Id3v2Texts> texts = orvane::ParseId3v2Texts(tag)) {
        const orvane::Id3v2Genre genre = orvane::ResolveId3v2Genre(texts->GenreFrame);
        if (genre.Nr > 255 || texts->Title.contains(u'\n'))
            __builtin_trap();
    }
    orvane::ParseId3v2Picture(tag);

    static const QByteArray audio = orvane::test::MakeMpegStream({.frames = 4});
    const QByteArray song = tag + audio;
    orvane::TMPEGAudio mpeg;
    for (const orvane::Id3v2Use use :
         {orvane::Id3v2Use::WhenNoId3v1, orvane::Id3v2Use::Prefer, orvane::Id3v2Use::Never}) {
        orvane::SetTagReading({use, orvane::kLatin1CodePage});
        mpeg.SetFileContents(QStringLiteral("fuzz.mp3"), song);
        if (mpeg.IsValid() &&
            mpeg.HeaderPosition() + mpeg.FrameLength() + 4 > uint64_t(song.size()))
            __builtin_trap();
    }
    return 0;
}
