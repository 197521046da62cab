#include "browser/TitleFit.h"

namespace orvane {

QString EscapeFirstAmpersand(const QString& text) {
    const qsizetype at = text.indexOf(u'&');
    if (at < 0)
        return text;
    QString escaped = text;
    escaped.insert(at, u'&');
    return escaped;
}

QString FitTitleText(const QString& original, const TextWidth& width, int available) {
    const QString text = EscapeFirstAmpersand(original);
    const qsizetype length = text.size();
    QString result = text;
    // Titles are short, so trying every cut from the longest is cheap and exact.
    for (qsizetype k = 1; k <= length; ++k) {
        if (width(result) <= available)
            break;
        result = text.left(qMax<qsizetype>(0, length - (k + 1))) + QStringLiteral("...");
    }
    return result;
}

} // namespace orvane
