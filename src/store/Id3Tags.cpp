#include "store/Id3Tags.h"

#include "store/CodePages.h"

#include <cstring>

namespace orvane {

namespace {

// The genre list of ID3v1 in its own order and spelling.
// clang-format off
constexpr const char* kGenres[kGenreCount] = {
    "Blues", "Classic Rock", "Country", "Dance",
    "Disco", "Funk", "Grunge", "Hip-Hop",
    "Jazz", "Metal", "New Age", "Oldies",
    "Other", "Pop", "R&B", "Rap",
    "Reggae", "Rock", "Techno", "Industrial",
    "Alternative", "Ska", "Death Metal", "Pranks",
    "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop",
    "Vocal", "Jazz+Funk", "Fusion", "Trance",
    "Classical", "Instrumental", "Acid", "House",
    "Game", "Sound Clip", "Gospel", "Noise",
    "AlternRock", "Bass", "Soul", "Punk",
    "Space", "Meditative", "Instrumental Pop", "Instrumental Rock",
    "Ethnic", "Gothic", "Darkwave", "Techno-Industrial",
    "Electronic", "Pop-Folk", "Eurodance", "Dream",
    "Southern Rock", "Comedy", "Cult", "Gangsta",
    "Top 40", "Christian Rap", "Pop/Funk", "Jungle",
    "Native American", "Cabaret", "New Wave", "Psychadelic",
    "Rave", "Showtunes", "Trailer", "Lo-Fi",
    "Tribal", "Acid Punk", "Acid Jazz", "Polka",
    "Retro", "Musical", "Rock & Roll", "Hard Rock"};
// clang-format on

// Field offsets and widths inside the block.
constexpr size_t kTitleAt = 3, kArtistAt = 33, kAlbumAt = 63, kYearAt = 93, kCommentAt = 97;
constexpr size_t kTextWidth = 30, kYearWidth = 4;
constexpr size_t kTrackAt = 126, kGenreAt = 127;

// CR and LF become blanks: tag text is shown and stored on one line.
QString OneLine(const uint8_t* field, size_t n, int codePage) {
    QByteArray bytes(reinterpret_cast<const char*>(field), qsizetype(n));
    bytes.replace('\r', ' ').replace('\n', ' ');
    return DecodeCodePage(bytes, codePage);
}

QString TrimmedText(const uint8_t* field, size_t width, int codePage) {
    const void* zero = std::memchr(field, 0, width);
    size_t n = zero ? size_t(static_cast<const uint8_t*>(zero) - field) : width;
    while (n > 0 && (field[n - 1] == ' ' || field[n - 1] == '\r' || field[n - 1] == '\n'))
        --n;
    return OneLine(field, n, codePage);
}

void PutText(Id3v1Block& block, size_t at, size_t width, const QString& text, int codePage) {
    const QByteArray bytes = EncodeCodePage(text.left(qsizetype(width)), codePage);
    std::memcpy(block.data() + at, bytes.constData(), size_t(bytes.size()));
}

} // namespace

bool IsId3v1(const uint8_t* block) {
    return std::memcmp(block, "TAG", 3) == 0;
}

Id3v1Tag DecodeId3v1(const uint8_t* block, int codePage) {
    Id3v1Tag tag;
    tag.title = TrimmedText(block + kTitleAt, kTextWidth, codePage);
    tag.artist = TrimmedText(block + kArtistAt, kTextWidth, codePage);
    tag.album = TrimmedText(block + kAlbumAt, kTextWidth, codePage);
    // The year keeps its blanks; a zero byte ends it (an empty year is four zero bytes, which
    // are no text).
    const void* yearEnd = std::memchr(block + kYearAt, 0, kYearWidth);
    tag.year = OneLine(block + kYearAt,
                       yearEnd ? size_t(static_cast<const uint8_t*>(yearEnd) - (block + kYearAt))
                               : kYearWidth,
                       codePage);
    tag.comment = TrimmedText(block + kCommentAt, kTextWidth, codePage);
    tag.track = block[kTrackAt];
    tag.genre = block[kGenreAt];
    return tag;
}

Id3v1Block EncodeId3v1(const Id3v1Tag& tag, int codePage) {
    Id3v1Block block{};
    std::memcpy(block.data(), "TAG", 3);
    PutText(block, kTitleAt, kTextWidth, tag.title, codePage);
    PutText(block, kArtistAt, kTextWidth, tag.artist, codePage);
    PutText(block, kAlbumAt, kTextWidth, tag.album, codePage);
    PutText(block, kYearAt, kYearWidth, tag.year, codePage);
    PutText(block, kCommentAt, kTextWidth, tag.comment, codePage);
    block[kGenreAt] = tag.genre;
    block[kTrackAt] = tag.track;
    return block;
}

QString GenreName(uint8_t genreNr) {
    if (genreNr >= kGenreCount)
        return QStringLiteral("Unknown");
    return QString::fromLatin1(kGenres[genreNr]);
}

uint64_t Id3v2TagSize(const uint8_t* header) {
    // "ID3", major and minor version (never 0xFF), flags, then the body size in four bytes of
    // seven bits each, which keeps a sync pattern out of the header.
    if (std::memcmp(header, "ID3", 3) != 0 || header[3] == 0xFF || header[4] == 0xFF)
        return 0;
    uint64_t body = 0;
    for (size_t i = 6; i < kId3v2HeaderSize; ++i) {
        if (header[i] & 0x80)
            return 0;
        body = body << 7 | header[i];
    }
    constexpr uint8_t kFooterFlag = 0x10;
    const uint64_t footer = (header[5] & kFooterFlag) ? kId3v2HeaderSize : 0;
    return kId3v2HeaderSize + body + footer;
}

} // namespace orvane
