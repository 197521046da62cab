#pragma once
// The title bar's text: a lone "&" is shown as itself, and a text too wide for the bar is cut
// and ends in "...". The width is measured by a function the caller passes (the label's font
// metrics in the window, a fixed width per character in tests).

#include <QString>
#include <functional>

namespace orvane {

using TextWidth = std::function<int(const QString&)>;

// Doubles the first "&" of text.
QString EscapeFirstAmpersand(const QString& text);

// The text after EscapeFirstAmpersand, unchanged when it fits in width; otherwise its first
// length - 2 characters followed by "...", then one character fewer at a time, down to "...".
QString FitTitleText(const QString& text, const TextWidth& width, int available);

} // namespace orvane
