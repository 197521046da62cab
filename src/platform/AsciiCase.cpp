#include "platform/AsciiCase.h"

namespace orvane {

namespace {
inline char16_t UpperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}
} // namespace

QString AsciiUpper(const QString& text) {
    QString result = text;
    // Only touch the copy when something changes, so the common upper-case text stays shared.
    const qsizetype n = text.size();
    const char16_t* src = reinterpret_cast<const char16_t*>(text.constData());
    for (qsizetype i = 0; i < n; ++i) {
        if (src[i] >= u'a' && src[i] <= u'z') {
            char16_t* dst = reinterpret_cast<char16_t*>(result.data());
            for (qsizetype j = i; j < n; ++j)
                dst[j] = UpperAscii(dst[j]);
            break;
        }
    }
    return result;
}

bool SameTextNoCase(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    const char16_t* pa = a.utf16();
    const char16_t* pb = b.utf16();
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (UpperAscii(pa[i]) != UpperAscii(pb[i]))
            return false;
    }
    return true;
}

size_t HashNoCase(QStringView text, size_t seed) {
    // FNV-1a over the upper-cased code units.
    uint64_t h = seed ? uint64_t(seed) : 0xcbf29ce484222325ull;
    for (QChar c : text) {
        h ^= UpperAscii(c.unicode());
        h *= 0x100000001b3ull;
    }
    return size_t(h);
}

bool ContainsNoCase(const QString& text, const QString& upperNeedle) {
    return AsciiUpper(text).contains(upperNeedle);
}

} // namespace orvane
