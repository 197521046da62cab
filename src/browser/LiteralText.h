#pragma once
// Text read from files (tags, file names, playlists, caches) in places where Qt decides by
// itself whether a text is markup: tooltips of widgets, item views and tray icons. Labels and
// message boxes that show such text are set to Qt::PlainText instead.

#include <QString>
#include <QTextDocument>

namespace orvane {

// A tooltip that shows `text` exactly as it is. Qt renders a tooltip as rich text when
// Qt::mightBeRichText says it looks like markup (a title such as "<img src=...>" would load
// the file); such a text is escaped and kept on its lines. Any other text is shown plainly by
// Qt already and is returned unchanged.
inline QString LiteralToolTip(const QString& text) {
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

} // namespace orvane
