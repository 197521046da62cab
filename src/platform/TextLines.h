#pragma once
// Reading and writing the program's text files. Files are written as UTF-8 with CRLF line ends;
// on reading, LF and CRLF both end a line, and a line that is not valid UTF-8 is taken as
// Latin-1 (files written by older Windows installs of the program).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace orvane {

bool IsAscii(QByteArrayView bytes);
bool IsAscii(QStringView text);
QString DecodeLine(QByteArrayView bytes);

// Splits a whole file's bytes into lines: the last line is kept when it has no line end,
// a trailing line end does not make an extra empty line, and one CR before each LF is dropped.
template <typename Fn> void ForEachLine(QByteArrayView data, Fn&& fn) {
    qsizetype start = 0;
    const qsizetype n = data.size();
    while (start < n) {
        qsizetype end = data.indexOf('\n', start);
        const qsizetype next = end < 0 ? n : end + 1;
        if (end < 0)
            end = n;
        qsizetype len = end - start;
        if (len > 0 && data[start + len - 1] == '\r')
            --len;
        fn(data.sliced(start, len));
        start = next;
    }
}

struct TextFileRead {
    bool opened = false;    // false: the file could not be opened; nothing was read
    bool readError = false; // the file was opened but could not be read to its end
    QByteArray data;        // what was read, also when a read error stopped it
};
TextFileRead ReadWholeFile(const QString& path);

QStringList DecodeLines(QByteArrayView data);

// data without the UTF-8 byte order mark that some editors put at the start of a file.
QByteArrayView SkipByteOrderMark(QByteArrayView data);

// True when text holds a CR or an LF, which would split the line it is written into.
bool HasLineBreak(const QString& text);
// text with every CR and LF replaced by a blank, so that it stays on its one line.
QString LineBreaksToBlanks(QString text);

// Appends text + CRLF as UTF-8.
void AppendLine(QByteArray& out, const QString& text);

// Writes data to a temporary file beside path and renames it over path, so that a failure
// never leaves a half-written file: on any failure path is left as it was.
enum class WriteResult {
    Written,
    CannotCreate, // the temporary file could not be created
    CannotReplace // it could not be written out or renamed over path
};
// reason, when given, receives the system's reason for a failure.
WriteResult WriteFileAtomically(const QString& path, QByteArrayView data,
                                QString* reason = nullptr);

} // namespace orvane
