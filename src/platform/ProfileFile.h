#pragma once
// Small settings files in the initialisation-file format (covers.ini, lyrics.ini):
//
//   [covers]
//   Artist | Album=/home/me/Pictures/cover.jpg
//
// Section names and keys are compared without regard to ASCII case, and blanks around them and
// around a value are not part of them. Lines that are neither sections nor entries (comments,
// blank lines) are kept, and an edit rewrites only the line it touches, so a file written by
// hand keeps its layout. Files are read with LF or CRLF and as UTF-8 or Latin-1, and written as
// UTF-8 with CRLF.
//
// Data logic, QtCore only; a ProfileFile is used from one thread.

#include "platform/AsciiCase.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace orvane {

// The parsed lines of one file.
class ProfileDocument {
public:
    ProfileDocument() = default;
    // The index refers into the lines: a document is moved, never copied.
    ProfileDocument(ProfileDocument&&) = default;
    ProfileDocument& operator=(ProfileDocument&&) = default;

    static ProfileDocument Parse(QByteArrayView data);
    QByteArray Write() const;

    // The first entry of key in section, or nothing.
    std::optional<QString> Value(const QString& section, const QString& key) const;
    // The keys of a section in file order, each once (as first written).
    QStringList Keys(const QString& section) const;
    // Replaces the first entry of key (appending it to the section, or a new section at the
    // end, when there is none). The key must be one that KeyFits accepts.
    void SetValue(const QString& section, const QString& key, const QString& value);
    // Removes every entry of key in section; false when there was none.
    bool Remove(const QString& section, const QString& key);

    // A key that would be read back as something else cannot be stored: one that begins with
    // "[" or ";" or holds "=" (it would be read as a section, a comment or a shorter key).
    static bool KeyFits(const QString& key);

private:
    enum class Kind { Other, Section, Entry };
    struct Line {
        Kind kind = Kind::Other;
        QString raw;     // as read, or as made here: what is written
        QString blanked; // raw with its carriage returns made blanks, only when it holds one
        // The section name or key, and the value, trimmed: ranges of the text.
        qsizetype nameAt = 0, nameSize = 0, valueAt = 0, valueSize = 0;

        QStringView text() const { return blanked.isNull() ? QStringView(raw) : blanked; }
        QStringView name() const { return text().sliced(nameAt, nameSize); }
        QStringView value() const { return text().sliced(valueAt, valueSize); }
        static Line Made(Kind kind, const QString& name, const QString& value = {});
    };
    // A section and key compared without regard to ASCII case. In the index the views are
    // into the texts of lines_: the index is made again after every change of them.
    struct EntryKey {
        QStringView section;
        QStringView key;
        friend bool operator==(EntryKey a, EntryKey b) {
            return SameTextNoCase(a.key, b.key) && SameTextNoCase(a.section, b.section);
        }
        friend size_t qHash(EntryKey k, size_t seed) {
            return HashNoCase(k.key, HashNoCase(k.section, seed));
        }
    };
    void reindex();

    bool byteOrderMark_ = false; // the file began with one: it is written back
    std::vector<Line> lines_;
    struct FirstLine {
        qsizetype line = -1;
    };
    QHash<EntryKey, FirstLine> firstEntry_; // the first entry of each key -> its line
};

class ProfileFile {
public:
    explicit ProfileFile(QString path);

    // Reads go through the lines last read, which are read again whenever the file's size or
    // modification time differs from what they were read at. A missing or unreadable file
    // reads as empty.
    QString ReadString(const QString& section, const QString& key);
    QStringList Keys(const QString& section);

    enum class WriteStatus {
        Written,
        KeyDoesNotFit, // see ProfileDocument::KeyFits; nothing was written
        CannotRead,    // the file is there but could not be read: it is not replaced
        CannotWrite    // the new file could not be written or put in place
    };
    // Both read the file afresh, change it and write it whole to a temporary file renamed over
    // it (the file is created on the first write). Removing a key that is not there writes
    // nothing. Line breaks in keys and values are written as blanks.
    WriteStatus WriteString(const QString& section, const QString& key, const QString& value);
    WriteStatus DeleteKey(const QString& section, const QString& key);

    const QString& Path() const { return path_; }

private:
    struct Stamp {
        bool exists = false;
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    Stamp currentStamp() const;
    // Reads the file when its stamp changed (always when force); false when it exists but
    // could not be read.
    bool refresh(bool force);
    WriteStatus save();

    QString path_;
    ProfileDocument doc_;
    Stamp stamp_;
    bool read_ = false;
    bool readable_ = true;
};

} // namespace orvane
