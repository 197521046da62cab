#include "platform/ProfileFile.h"

#include "platform/AsciiCase.h"
#include "platform/TextLines.h"

#include <QFileInfo>

namespace orvane {

namespace {

// What a key or value is once written and read back: no line breaks, no blanks around it.
QString Normalised(const QString& text) {
    return LineBreaksToBlanks(text).trimmed();
}

} // namespace

QString ProfileDocument::indexKey(const QString& section, const QString& key) {
    return AsciiUpper(section) + u'\n' + AsciiUpper(key);
}

bool ProfileDocument::KeyFits(const QString& key) {
    const QString k = Normalised(key);
    return !k.contains(u'=') && !k.startsWith(u'[') && !k.startsWith(u';');
}

ProfileDocument ProfileDocument::Parse(QByteArrayView data) {
    ProfileDocument doc;
    const QByteArrayView lines = SkipByteOrderMark(data);
    doc.byteOrderMark_ = lines.size() != data.size();
    ForEachLine(lines, [&doc](QByteArrayView bytes) {
        Line line;
        line.raw = DecodeLine(bytes);
        const QString text = line.raw.trimmed();
        if (text.startsWith(u'[')) {
            line.kind = Kind::Section;
            const qsizetype close = text.indexOf(u']');
            line.name = Normalised(text.mid(1, close < 0 ? -1 : close - 1));
        } else if (!text.startsWith(u';')) {
            const qsizetype eq = text.indexOf(u'=');
            if (eq > 0) {
                line.kind = Kind::Entry;
                line.name = Normalised(text.left(eq));
                line.value = Normalised(text.mid(eq + 1));
            }
        }
        doc.lines_.push_back(std::move(line));
    });
    doc.reindex();
    return doc;
}

void ProfileDocument::reindex() {
    firstEntry_.clear();
    QString section;
    bool inSection = false;
    for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
        const Line& line = lines_[size_t(i)];
        if (line.kind == Kind::Section) {
            section = line.name;
            inSection = true;
        } else if (line.kind == Kind::Entry && inSection) {
            const QString key = indexKey(section, line.name);
            if (!firstEntry_.contains(key)) // the first entry of a key counts
                firstEntry_.insert(key, i);
        }
    }
}

QByteArray ProfileDocument::Write() const {
    QByteArray out;
    if (byteOrderMark_)
        out.append("\xef\xbb\xbf");
    for (const Line& line : lines_)
        AppendLine(out, line.edited ? line.name + u'=' + line.value : line.raw);
    return out;
}

std::optional<QString> ProfileDocument::Value(const QString& section, const QString& key) const {
    const auto it = firstEntry_.constFind(indexKey(Normalised(section), Normalised(key)));
    if (it == firstEntry_.cend())
        return std::nullopt;
    return lines_[size_t(*it)].value;
}

QStringList ProfileDocument::Keys(const QString& section) const {
    QStringList keys;
    const QString wanted = AsciiUpper(Normalised(section));
    bool inSection = false;
    for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
        const Line& line = lines_[size_t(i)];
        if (line.kind == Kind::Section)
            inSection = AsciiUpper(line.name) == wanted;
        else if (line.kind == Kind::Entry && inSection &&
                 firstEntry_.value(indexKey(wanted, line.name), -1) == i)
            keys.append(line.name);
    }
    return keys;
}

void ProfileDocument::SetValue(const QString& section, const QString& key, const QString& value) {
    const QString s = Normalised(section);
    Line entry;
    entry.kind = Kind::Entry;
    entry.name = Normalised(key);
    entry.value = Normalised(value);
    entry.edited = true;
    const auto found = firstEntry_.constFind(indexKey(s, entry.name));
    if (found != firstEntry_.cend()) {
        Line& line = lines_[size_t(*found)];
        entry.name = line.name; // the key keeps the spelling it was first written with
        line = std::move(entry);
        return;
    }
    // After the last entry of the section's first block, or in a new section at the end.
    qsizetype at = -1;
    const QString upper = AsciiUpper(s);
    for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
        const Line& line = lines_[size_t(i)];
        if (line.kind == Kind::Section) {
            if (at >= 0)
                break;
            if (AsciiUpper(line.name) == upper)
                at = i + 1;
        } else if (at >= 0 && line.kind == Kind::Entry) {
            at = i + 1;
        }
    }
    if (at < 0) {
        Line header;
        header.kind = Kind::Section;
        header.name = s;
        header.raw = u'[' + s + u']';
        lines_.push_back(std::move(header));
        at = qsizetype(lines_.size());
    }
    lines_.insert(lines_.begin() + at, std::move(entry));
    reindex();
}

bool ProfileDocument::Remove(const QString& section, const QString& key) {
    const QString s = AsciiUpper(Normalised(section));
    const QString k = AsciiUpper(Normalised(key));
    bool inSection = false;
    bool removed = false;
    std::erase_if(lines_, [&](const Line& line) {
        if (line.kind == Kind::Section)
            inSection = AsciiUpper(line.name) == s;
        const bool match = inSection && line.kind == Kind::Entry && AsciiUpper(line.name) == k;
        removed = removed || match;
        return match;
    });
    if (removed)
        reindex();
    return removed;
}

ProfileFile::ProfileFile(QString path)
    : path_(std::move(path)) {}

ProfileFile::Stamp ProfileFile::currentStamp() const {
    const QFileInfo info(path_);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified()};
}

bool ProfileFile::refresh(bool force) {
    const Stamp now = currentStamp();
    if (!force && read_ && now == stamp_)
        return readable_;
    read_ = true;
    stamp_ = now;
    doc_ = {};
    readable_ = true;
    if (!now.exists)
        return true;
    const TextFileRead file = ReadWholeFile(path_);
    readable_ = file.opened && !file.readError;
    if (readable_)
        doc_ = ProfileDocument::Parse(file.data);
    return readable_;
}

QString ProfileFile::ReadString(const QString& section, const QString& key) {
    refresh(false);
    return doc_.Value(section, key).value_or(QString());
}

QStringList ProfileFile::Keys(const QString& section) {
    refresh(false);
    return doc_.Keys(section);
}

ProfileFile::WriteStatus ProfileFile::save() {
    const WriteResult result = WriteFileAtomically(path_, doc_.Write());
    // Whatever happened, the next read looks at the file again.
    read_ = false;
    return result == WriteResult::Written ? WriteStatus::Written : WriteStatus::CannotWrite;
}

ProfileFile::WriteStatus ProfileFile::WriteString(const QString& section, const QString& key,
                                                  const QString& value) {
    if (!ProfileDocument::KeyFits(key))
        return WriteStatus::KeyDoesNotFit;
    if (!refresh(true))
        return WriteStatus::CannotRead;
    if (doc_.Value(section, key) == Normalised(value))
        return WriteStatus::Written;
    doc_.SetValue(section, key, value);
    return save();
}

ProfileFile::WriteStatus ProfileFile::DeleteKey(const QString& section, const QString& key) {
    if (!refresh(true))
        return WriteStatus::CannotRead;
    if (!doc_.Remove(section, key))
        return WriteStatus::Written;
    return save();
}

} // namespace orvane
