#pragma once
// Case rules of the program: "without regard to case" upper-cases the ASCII letters a-z only,
// so names compare the same on every system and locale, whatever else they contain.

#include <QString>

namespace orvane {

inline char16_t AsciiUpperChar(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

QString AsciiUpper(const QString& text);
bool SameTextNoCase(QStringView a, QStringView b);
bool ContainsNoCase(const QString& text, const QString& upperNeedle);

// A hash of the text as AsciiUpper would give it, without making that copy. Continue a hash
// by passing the previous result as seed.
size_t HashNoCase(QStringView text, size_t seed = 0);

} // namespace orvane
