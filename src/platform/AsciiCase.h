#pragma once
// Case rules of the program: "without regard to case" upper-cases the ASCII letters a-z only,
// so names compare the same on every system and locale, whatever else they contain.

#include <QString>

namespace orvane {

QString AsciiUpper(const QString& text);
bool SameTextNoCase(const QString& a, const QString& b);
bool ContainsNoCase(const QString& text, const QString& upperNeedle);

} // namespace orvane
