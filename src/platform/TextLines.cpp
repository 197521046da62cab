#include "platform/TextLines.h"

#include "platform/FileHandle.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>
#include <type_traits>

namespace orvane {

namespace {

// True when no code unit from p to end is 0x80 or above; eight bytes at a time, as every line
// of a collection file passes through here. highBits has the top bits of each unit in a word.
template <typename Unit> bool AllBelow0x80(const Unit* p, const Unit* end, uint64_t highBits) {
    constexpr size_t perWord = 8 / sizeof(Unit);
    for (; size_t(end - p) >= perWord; p += perWord) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & highBits)
            return false;
    }
    for (; p < end; ++p) {
        if (std::make_unsigned_t<Unit>(*p) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

bool IsAscii(QByteArrayView bytes) {
    return AllBelow0x80(bytes.data(), bytes.data() + bytes.size(), 0x8080808080808080ull);
}

bool IsAscii(QStringView text) {
    return AllBelow0x80(text.utf16(), text.utf16() + text.size(), 0xff80ff80ff80ff80ull);
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
    const qsizetype n = text.size();
    const char16_t* src = reinterpret_cast<const char16_t*>(text.constData());
    if (!IsAscii(QStringView(text))) {
        out.append(text.toUtf8());
        out.append("\r\n", 2);
        return;
    }
    // Most lines are ASCII: they are copied straight in, without a converted copy of each.
    const qsizetype at = out.size();
    if (out.capacity() < at + n + 2)
        out.reserve(std::max(at + n + 2, 2 * out.capacity()));
    out.resize(at + n + 2);
    char* dst = out.data() + at;
    std::transform(src, src + n, dst, [](char16_t c) { return char(c); });
    dst[n] = '\r';
    dst[n + 1] = '\n';
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
    // QSaveFile flushes the file before the rename too, but puts it in place even when that
    // flush fails, and a disk that lost the bytes would be reported as a success.
    if (const int error = FlushDescriptorToDisk(file.handle()); error != 0) {
        if (reason)
            *reason = QString::fromLocal8Bit(std::strerror(error));
        file.cancelWriting();
        return WriteResult::CannotReplace;
    }
    return file.commit() ? WriteResult::Written : failed(WriteResult::CannotReplace);
}

} // namespace orvane
