#include "platform/TextLines.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace orvane {

bool IsAscii(QByteArrayView bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

QString DecodeLine(QByteArrayView bytes) {
    // Plain ASCII is by far the most common line and needs no validation pass.
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    // A U+FEFF that begins a line is text: only the start of a file can hold a byte order mark
    // (SkipByteOrderMark).
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

TextFileRead ReadWholeFile(const QString& path) {
    TextFileRead result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    result.opened = true;
    const qint64 expected = file.size();
    if (expected > 0)
        result.data.reserve(expected);
    char buffer[1 << 16];
    for (;;) {
        const qint64 got = file.read(buffer, sizeof buffer);
        if (got < 0) {
            result.readError = true;
            break;
        }
        if (got == 0)
            break;
        result.data.append(buffer, got);
    }
    return result;
}

QStringList DecodeLines(QByteArrayView data) {
    QStringList lines;
    ForEachLine(data, [&](QByteArrayView line) { lines.append(DecodeLine(line)); });
    return lines;
}

QByteArrayView SkipByteOrderMark(QByteArrayView data) {
    return data.startsWith("\xef\xbb\xbf") ? data.sliced(3) : data;
}

bool HasLineBreak(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r');
}

QString LineBreaksToBlanks(QString text) {
    if (HasLineBreak(text))
        text.replace(u'\r', u' ').replace(u'\n', u' ');
    return text;
}

void AppendLine(QByteArray& out, const QString& text) {
    out.append(text.toUtf8());
    out.append("\r\n", 2);
}

WriteResult WriteFileAtomically(const QString& path, QByteArrayView data, QString* reason) {
    QSaveFile file(path);
    const auto failed = [&](WriteResult result) {
        if (reason)
            *reason = file.errorString();
        return result;
    };
    // Unbuffered: a write cut short (a full disk, a file size limit) is seen here. Through
    // the buffer it went unnoticed and commit() put the truncated file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(WriteResult::CannotCreate);
    if (file.write(data.data(), data.size()) != data.size()) {
        const WriteResult result = failed(WriteResult::CannotReplace);
        file.cancelWriting();
        return result;
    }
    return file.commit() ? WriteResult::Written : failed(WriteResult::CannotReplace);
}

} // namespace orvane
