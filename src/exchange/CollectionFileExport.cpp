#include "exchange/CollectionFileExport.h"

#include "platform/TextLines.h"
#include "store/SongRecord.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <optional>

namespace orvane {

namespace {

constexpr QByteArrayView kSeparator("[;]");
constexpr int kFolderField = 8; // FileName ... Comment come before it

bool IsUtf8(QByteArrayView bytes) {
    if (IsAscii(bytes))
        return true;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(bytes); // the decoder works when its result is taken
    return !decoded.isNull() && !utf8.hasError();
}

// The marker in the encoding of the line it goes into, or nothing when it cannot be written
// in that encoding.
std::optional<QByteArray> MarkerFor(QByteArrayView line, const QString& marker) {
    if (IsUtf8(line))
        return marker.toUtf8();
    QStringEncoder latin1(QStringEncoder::Latin1);
    const QByteArray bytes = latin1(marker);
    if (latin1.hasError())
        return std::nullopt;
    return bytes;
}

void AppendExportedLine(QByteArray& out, QByteArrayView line, const QString& marker) {
    qsizetype start = 0;
    for (int i = 0; i < kFolderField && start >= 0; ++i) {
        const qsizetype at = line.indexOf(kSeparator, start);
        start = at < 0 ? -1 : at + kSeparator.size();
    }
    const qsizetype end = start < 0 ? -1 : line.indexOf(kSeparator, start);
    if (end <= start) { // fewer than nine values, or an empty folder
        out.append(line.data(), line.size());
        out.append("\r\n", 2);
        return;
    }
    if (const std::optional<QByteArray> bytes = MarkerFor(line, marker)) {
        out.append(line.first(start).data(), start);
        out.append(*bytes);
        out.append(line.sliced(end).data(), line.size() - end);
        out.append("\r\n", 2);
        return;
    }
    // An older Latin-1 line and a contact text beyond Latin-1: the line moves to UTF-8 whole,
    // so that both read back as they are.
    const QString text = QString::fromLatin1(line);
    const qsizetype textEnd = text.indexOf(u"[;]", start);
    AppendLine(out, text.first(start) + marker + text.sliced(textEnd));
}

} // namespace

QString ContactTextProblem(const QString& contact) {
    if (contact.contains(u"[;]"))
        return QStringLiteral("The contact text may not contain \"[;]\": it separates the "
                              "values of every line of the collection file.");
    if (HasLineBreak(contact))
        return QStringLiteral("The contact text must stay on one line: a line break would "
                              "split every song of the collection file in two.");
    return {};
}

QByteArray ExportedCollectionData(QByteArrayView cacheFile, const QString& contact) {
    const QString marker = kImportMarker + contact;
    QByteArray out;
    out.reserve(cacheFile.size() + cacheFile.size() / 4 + 64);
    bool header = true;
    ForEachLine(cacheFile, [&](QByteArrayView line) {
        if (header) {
            header = false;
            out.append(line.data(), line.size());
            out.append("\r\n", 2);
            return;
        }
        AppendExportedLine(out, line, marker);
    });
    return out;
}

CollectionFileExport WriteCollectionFile(const QString& cacheFile, const QString& target,
                                         const QString& contact) {
    CollectionFileExport result;
    result.report = {QStringLiteral("Report :"), QString()};
    if (const QString problem = ContactTextProblem(contact); !problem.isEmpty()) {
        result.reason = problem;
        result.report << QStringLiteral("  Nothing was exported.")
                      << QStringLiteral("     ") + problem;
        return result;
    }
    const QFileInfo source(cacheFile);
    if (source.exists() && source.canonicalFilePath() == QFileInfo(target).canonicalFilePath()) {
        result.reason = QStringLiteral("The export would replace the collection's own file.");
        result.report << QStringLiteral("  Nothing was exported.")
                      << QStringLiteral("     ") + result.reason
                      << QStringLiteral("     Choose another target filename.");
        return result;
    }
    const TextFileRead read = ReadWholeFile(cacheFile);
    if (!read.opened || read.readError) {
        result.outcome = ExportOutcome::CannotRead;
        result.reason = read.opened ? QStringLiteral("The file could not be read to its end.")
                                    : QStringLiteral("The file could not be opened.");
        result.report << QStringLiteral("  Error reading local file.")
                      << QStringLiteral("     Orvane was unable to read the local database file")
                      << QStringLiteral("     Make sure Orvane is being run from a writeable "
                                        "media")
                      << QString() << QStringLiteral("     ") + cacheFile
                      << QStringLiteral("     ") + result.reason;
        return result;
    }
    const QByteArray data = ExportedCollectionData(read.data, contact);
    switch (WriteFileAtomically(target, data, &result.reason)) {
    case WriteResult::CannotCreate:
        result.outcome = ExportOutcome::CannotCreate;
        result.report = CannotCreateLines(target, result.reason);
        return result;
    case WriteResult::CannotReplace:
        result.outcome = ExportOutcome::WriteFailed;
        result.report << QStringLiteral("  Error writing output file.")
                      << QStringLiteral("     ") + target << QStringLiteral("     ") + result.reason
                      << QStringLiteral("     The file was not changed.");
        return result;
    case WriteResult::Written:
        break;
    }
    result.outcome = ExportOutcome::Written;
    result.report << QStringLiteral("  File generated.") << QString();
    return result;
}

} // namespace orvane
