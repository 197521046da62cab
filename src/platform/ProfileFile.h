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
        QString raw;         // as read
        bool edited = false; // made or changed here: written from name and value
        QString name;        // section name or key, trimmed
        QString value;       // trimmed
    };
    void reindex();
    static QString indexKey(const QString& section, const QString& key);

    bool byteOrderMark_ = false; // the file began with one: it is written back
    std::vector<Line> lines_;
    QHash<QString, qsizetype> firstEntry_; // upper section + "\n" + upper key -> line
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
