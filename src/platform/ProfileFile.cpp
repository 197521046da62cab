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

// Narrows the range at, size of text to the part without blanks around it.
void Trim(QStringView text, qsizetype& at, qsizetype& size) {
    const QStringView part = text.sliced(at, size).trimmed();
    at = part.isEmpty() ? 0 : part.data() - text.data();
    size = part.size();
}

} // namespace

ProfileDocument::Line ProfileDocument::Line::Made(Kind kind, const QString& name,
                                                  const QString& value) {
    Line line;
    line.kind = kind;
    line.nameSize = name.size();
    if (kind == Kind::Section) {
        line.raw = u'[' + name + u']';
        line.nameAt = 1;
    } else {
        line.raw = name + u'=' + value;
        line.valueAt = name.size() + 1;
        line.valueSize = value.size();
    }
    return line;
}

bool ProfileDocument::KeyFits(const QString& key) {
    const QString k = Normalised(key);
    return !k.contains(u'=') && !k.startsWith(u'[') && !k.startsWith(u';');
}

ProfileDocument ProfileDocument::Parse(QByteArrayView data) {
    ProfileDocument doc;
    const QByteArrayView lines = SkipByteOrderMark(data);
    doc.byteOrderMark_ = lines.size() != data.size();
    doc.lines_.reserve(size_t(lines.count('\n')) + 1);
    ForEachLine(lines, [&doc](QByteArrayView bytes) {
        Line& line = doc.lines_.emplace_back();
        line.raw = DecodeLine(bytes);
        if (line.raw.contains(u'\r'))
            line.blanked = LineBreaksToBlanks(line.raw);
        const QStringView whole = line.text();
        const QStringView text = whole.trimmed();
        const qsizetype start = text.isEmpty() ? 0 : text.data() - whole.data();
        if (text.startsWith(u'[')) {
            line.kind = Kind::Section;
            const qsizetype close = text.indexOf(u']');
            line.nameAt = start + 1;
            line.nameSize = (close < 0 ? text.size() : close) - 1;
            Trim(whole, line.nameAt, line.nameSize);
        } else if (!text.startsWith(u';')) {
            const qsizetype eq = text.indexOf(u'=');
            if (eq > 0) {
                line.kind = Kind::Entry;
                line.nameAt = start;
                line.nameSize = eq;
                Trim(whole, line.nameAt, line.nameSize);
                line.valueAt = start + eq + 1;
                line.valueSize = text.size() - eq - 1;
                Trim(whole, line.valueAt, line.valueSize);
            }
        }
    });
    doc.reindex();
    return doc;
}

void ProfileDocument::reindex() {
    firstEntry_.clear();
    const Line* section = nullptr;
    for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
        const Line& line = lines_[size_t(i)];
        if (line.kind == Kind::Section)
            section = &line;
        else if (line.kind == Kind::Entry && section) {
            FirstLine& first = firstEntry_[EntryKey{section->name(), line.name()}];
            if (first.line < 0) // the first entry of a key counts
                first.line = i;
        }
    }
}

QByteArray ProfileDocument::Write() const {
    QByteArray out;
    if (byteOrderMark_)
        out.append("\xef\xbb\xbf");
    for (const Line& line : lines_)
        AppendLine(out, line.raw);
    return out;
}

std::optional<QString> ProfileDocument::Value(const QString& section, const QString& key) const {
    const QString s = Normalised(section);
    const QString k = Normalised(key);
    const auto it = firstEntry_.constFind(EntryKey{s, k});
    if (it == firstEntry_.cend())
        return std::nullopt;
    return lines_[size_t(it->line)].value().toString();
}

QStringList ProfileDocument::Keys(const QString& section) const {
    QStringList keys;
    const QString wanted = Normalised(section);
    bool inSection = false;
    for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
        const Line& line = lines_[size_t(i)];
        if (line.kind == Kind::Section)
            inSection = SameTextNoCase(line.name(), wanted);
        else if (line.kind == Kind::Entry && inSection &&
                 firstEntry_.value(EntryKey{wanted, line.name()}).line == i)
            keys.append(line.name().toString());
    }
    return keys;
}

void ProfileDocument::SetValue(const QString& section, const QString& key, const QString& value) {
    const QString s = Normalised(section);
    const QString k = Normalised(key);
    const QString v = Normalised(value);
    const auto found = firstEntry_.constFind(EntryKey{s, k});
    if (found != firstEntry_.cend()) {
        Line& line = lines_[size_t(found->line)];
        // The key keeps the spelling it was first written with.
        line = Line::Made(Kind::Entry, line.name().toString(), v);
        reindex();
        return;
    }
    // After the last entry of the section's first block, or in a new section at the end.
    qsizetype at = -1;
    for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
        const Line& line = lines_[size_t(i)];
        if (line.kind == Kind::Section) {
            if (at >= 0)
                break;
            if (SameTextNoCase(line.name(), s))
                at = i + 1;
        } else if (at >= 0 && line.kind == Kind::Entry) {
            at = i + 1;
        }
    }
    if (at < 0) {
        lines_.push_back(Line::Made(Kind::Section, s));
        at = qsizetype(lines_.size());
    }
    lines_.insert(lines_.begin() + at, Line::Made(Kind::Entry, k, v));
    reindex();
}

bool ProfileDocument::Remove(const QString& section, const QString& key) {
    const QString s = Normalised(section);
    const QString k = Normalised(key);
    bool inSection = false;
    bool removed = false;
    std::erase_if(lines_, [&](const Line& line) {
        if (line.kind == Kind::Section)
            inSection = SameTextNoCase(line.name(), s);
        const bool match = inSection && line.kind == Kind::Entry && SameTextNoCase(line.name(), k);
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
