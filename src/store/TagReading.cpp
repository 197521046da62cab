#include "store/TagReading.h"

#include <algorithm>
#include <atomic>
#include <iterator>

namespace orvane {

namespace {

std::atomic<uint32_t> current{0}; // id3v2 in the low byte, code page above it

uint32_t Pack(const TagReading& r) {
    return uint32_t(r.id3v2) | uint32_t(r.codePage) << 8;
}

} // namespace

TagReading CurrentTagReading() {
    const uint32_t packed = current.load(std::memory_order_relaxed);
    return {Id3v2Use(packed & 0xFF), int(packed >> 8)};
}

void SetTagReading(const TagReading& reading) {
    current.store(Pack({Id3v2UseFromInt(int(reading.id3v2)), CodePageFromInt(reading.codePage)}),
                  std::memory_order_relaxed);
}

Id3v2Use Id3v2UseFromInt(int value) {
    return value >= 0 && value <= int(Id3v2Use::Never) ? Id3v2Use(value) : Id3v2Use::WhenNoId3v1;
}

int CodePageFromInt(int value) {
    return std::find(std::begin(kCodePages), std::end(kCodePages), value) != std::end(kCodePages)
               ? value
               : kLatin1CodePage;
}

QStringList Id3v2UseCaptions() {
    return {QStringLiteral("Only when a file has no ID3v1 tag"),
            QStringLiteral("Prefer ID3v2 tags"), QStringLiteral("Never (ID3v1 only)")};
}

QString CodePageCaption(int codePage) {
    switch (codePage) {
    case 1250:
        return QStringLiteral("Windows-1250 (Central European)");
    case 1251:
        return QStringLiteral("Windows-1251 (Cyrillic)");
    case 1252:
        return QStringLiteral("Windows-1252 (Western European)");
    case 1253:
        return QStringLiteral("Windows-1253 (Greek)");
    case 1254:
        return QStringLiteral("Windows-1254 (Turkish)");
    case 1255:
        return QStringLiteral("Windows-1255 (Hebrew)");
    case 1256:
        return QStringLiteral("Windows-1256 (Arabic)");
    case 1257:
        return QStringLiteral("Windows-1257 (Baltic)");
    case 1258:
        return QStringLiteral("Windows-1258 (Vietnamese)");
    default:
        return QStringLiteral("Latin-1 (ISO 8859-1)");
    }
}

} // namespace orvane
