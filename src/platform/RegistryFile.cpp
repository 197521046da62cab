#include "platform/RegistryFile.h"

#include "platform/AsciiCase.h"
#include "platform/TextLines.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

namespace orvane {

namespace {

constexpr QLatin1StringView kRegedit4("REGEDIT4");
constexpr QLatin1StringView kDword("dword:");
constexpr QLatin1StringView kHexText("hex(1):");
constexpr QLatin1StringView kHexExpandText("hex(2):");

QStringList SplitText(QByteArrayView data) {
    if (data.startsWith("\xFF\xFE")) {
        QStringDecoder utf16(QStringDecoder::Utf16LE);
        const QString text = utf16(data.sliced(2));
        QStringList lines = text.split(u'\n');
        for (QString& line : lines)
            if (line.endsWith(u'\r'))
                line.chop(1);
        return lines;
    }
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    return DecodeLines(data);
}

// Reads a quoted text starting at text[at] == '"'; on success at is moved past the closing quote.
std::optional<QString> ReadQuoted(const QString& text, qsizetype& at) {
    if (at >= text.size() || text[at] != u'"')
        return std::nullopt;
    QString result;
    for (qsizetype i = at + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            at = i + 1;
            return result;
        }
        if (c == u'\\') {
            if (++i == text.size())
                break;
            result.append(text[i]);
        } else {
            result.append(c);
        }
    }
    return std::nullopt;
}

QString Quote(const QString& text) {
    QString result;
    result.reserve(text.size() + 2);
    result.append(u'"');
    for (QChar c : text) {
        if (c == u'\\' || c == u'"')
            result.append(u'\\');
        result.append(c);
    }
    result.append(u'"');
    return result;
}

std::optional<QByteArray> ParseHexBytes(QStringView text) {
    QByteArray bytes;
    if (text.trimmed().isEmpty())
        return bytes;
    for (QStringView part : text.split(u',')) {
        part = part.trimmed();
        bool ok = false;
        const uint byte = part.toUInt(&ok, 16);
        if (!ok || part.size() > 2)
            return std::nullopt;
        bytes.append(char(byte));
    }
    return bytes;
}

// Texts of hex(1) and hex(2): UTF-16LE up to the first terminating zero.
QString DecodeUtf16Text(const QByteArray& bytes) {
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = char16_t(uchar(bytes[i]) | uchar(bytes[i + 1]) << 8);
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}

QString EncodeUtf16Text(const QString& text, QLatin1StringView prefix, qsizetype nameLength) {
    QByteArray bytes;
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    bytes.append("\0\0", 2);
    QString out = prefix;
    qsizetype column = nameLength + prefix.size();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            out.append(u',');
            if (column > 76) {
                out.append(QLatin1StringView("\\\r\n  "));
                column = 2;
            }
        }
        out.append(QString::number(uchar(bytes[i]), 16).rightJustified(2, u'0'));
        column += 3;
    }
    return out;
}

bool NeedsHexForm(const QString& text) {
    if (!text.isValidUtf16())
        return true;
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; });
}

// Interprets the data of a value line; false when it is not a form this reader knows.
bool ReadValueData(const QString& data, RegistryKeyNode& key, const QString& name) {
    RegistryValue value;
    value.Name = name;
    if (data == u"-") {
        key.RemoveValue(name);
        return true;
    }
    if (data.startsWith(u'"')) {
        qsizetype at = 0;
        std::optional<QString> text = ReadQuoted(data, at);
        if (!text || !data.sliced(at).trimmed().isEmpty())
            return false;
        value.Kind = RegistryValueKind::Text;
        value.Text = TextUpToNul(*text);
    } else if (data.startsWith(kDword, Qt::CaseInsensitive)) {
        const QStringView digits = QStringView(data).sliced(kDword.size());
        bool ok = false;
        const uint number = digits.toUInt(&ok, 16);
        if (!ok || digits.isEmpty() || digits.size() > 8 || digits.startsWith(u'+') ||
            digits.startsWith(u'-'))
            return false;
        value.Kind = RegistryValueKind::Integer;
        value.Integer = number;
    } else if (data.startsWith(kHexText, Qt::CaseInsensitive) ||
               data.startsWith(kHexExpandText, Qt::CaseInsensitive)) {
        const std::optional<QByteArray> bytes = ParseHexBytes(QStringView(data).sliced(7));
        if (!bytes)
            return false;
        value.Kind = data.startsWith(kHexText, Qt::CaseInsensitive) ? RegistryValueKind::Text
                                                                    : RegistryValueKind::ExpandText;
        value.Text = DecodeUtf16Text(*bytes);
    } else if (data.startsWith(u"hex", Qt::CaseInsensitive)) {
        const qsizetype colon = data.indexOf(u':');
        if (colon < 0 || !ParseHexBytes(QStringView(data).sliced(colon + 1)))
            return false;
        value.Kind = RegistryValueKind::Other;
        value.Raw = data;
    } else {
        return false;
    }
    key.SetValue(std::move(value));
    return true;
}

// The node of a section's path, created when create is set; the first name is the hive.
RegistryKeyNode* SectionNode(RegistryKeyNode& root, const QStringList& names) {
    RegistryKeyNode* node = &root;
    for (const QString& name : names)
        node = &node->AddChild(name);
    return node;
}

void RemoveSection(RegistryKeyNode& root, const QStringList& names) {
    if (names.size() == 1) {
        // A hive is emptied where it stands: removing it would let its later sections make it
        // again at the end, and the file would be written with the hives in another order.
        if (RegistryKeyNode* hive = root.Child(names.first())) {
            hive->Values.clear();
            hive->Children.clear();
        }
        return;
    }
    RegistryKeyNode* parent = &root;
    for (qsizetype i = 0; i + 1 < names.size() && parent; ++i)
        parent = parent->Child(names[i]);
    if (parent)
        parent->RemoveChild(names.last());
}

void WriteKey(const RegistryKeyNode& node, const QString& path, bool isHive, QString& out) {
    if (!isHive || !node.Values.empty()) {
        out += u'[' + path + QLatin1StringView("]\r\n");
        for (const RegistryValue& value : node.Values) {
            const QString name = value.Name.isEmpty() ? QStringLiteral("@") : Quote(value.Name);
            out += name + u'=';
            switch (value.Kind) {
            case RegistryValueKind::Text:
                out += NeedsHexForm(value.Text)
                           ? EncodeUtf16Text(value.Text, kHexText, name.size() + 1)
                           : Quote(value.Text);
                break;
            case RegistryValueKind::ExpandText:
                out += EncodeUtf16Text(value.Text, kHexExpandText, name.size() + 1);
                break;
            case RegistryValueKind::Integer:
                out += kDword + QString::number(value.Integer, 16).rightJustified(8, u'0');
                break;
            case RegistryValueKind::Other:
                out += value.Raw;
                break;
            }
            out += QLatin1StringView("\r\n");
        }
        out += QLatin1StringView("\r\n");
    }
    for (const auto& child : node.Children)
        WriteKey(*child, path + u'\\' + child->Name, false, out);
}

} // namespace

RegistryParse ParseRegistryExport(QByteArrayView data, RegistryKeyNode& root) {
    RegistryParse result;
    const QStringList lines = SplitText(SkipByteOrderMark(data));
    qsizetype i = 0;
    while (i < lines.size() && lines[i].trimmed().isEmpty())
        ++i;
    if (i == lines.size())
        return result;
    const QString header = lines[i].trimmed();
    if (header != QLatin1StringView(kRegistryHeader) && header != kRegedit4)
        return result;
    result.recognised = true;

    RegistryKeyNode* current = nullptr;
    bool inBadSection = false;
    for (++i; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            current = nullptr;
            inBadSection = false;
            if (!line.endsWith(u']') || line.size() < 3) {
                ++result.badLines;
                inBadSection = true;
                continue;
            }
            QString inner = line.sliced(1, line.size() - 2);
            const bool remove = inner.startsWith(u'-');
            if (remove)
                inner.remove(0, 1);
            const std::optional<QStringList> names = SplitKeyPath(inner);
            if (!names) {
                ++result.badLines;
                inBadSection = true;
                continue;
            }
            if (remove)
                RemoveSection(root, *names);
            else
                current = SectionNode(root, *names);
            continue;
        }

        // A value line, possibly continued on the following lines by a trailing backslash.
        QString text = line;
        while (text.endsWith(u'\\') && i + 1 < lines.size()) {
            text.chop(1);
            text += lines[++i].trimmed();
        }
        if (!current) {
            // Values of a deleted or unreadable section go with it; others are stray lines.
            if (!inBadSection)
                ++result.badLines;
            continue;
        }
        QString name;
        qsizetype at = 0;
        if (text.startsWith(u'@')) {
            at = 1;
        } else if (std::optional<QString> quoted = ReadQuoted(text, at)) {
            name = *quoted;
        } else {
            ++result.badLines;
            continue;
        }
        while (at < text.size() && text[at].isSpace())
            ++at;
        if (at >= text.size() || text[at] != u'=' || !IsValidValueName(name) ||
            !ReadValueData(text.sliced(at + 1).trimmed(), *current, name))
            ++result.badLines;
    }
    return result;
}

QByteArray WriteRegistryExport(const RegistryKeyNode& root) {
    QString out = QLatin1StringView(kRegistryHeader) + QLatin1StringView("\r\n\r\n");
    for (const auto& hive : root.Children)
        WriteKey(*hive, hive->Name, true, out);
    return out.toUtf8();
}

RegistryFile::RegistryFile(QString path)
    : path_(std::move(path)) {
    const TextFileRead file = ReadWholeFile(path_);
    if (!file.opened) {
        unreadable_ = QFileInfo::exists(path_);
        return;
    }
    onDisk_ = file.data;
    const RegistryParse parse = ParseRegistryExport(file.data, Root());
    const bool empty = file.data.trimmed().isEmpty();
    damaged_ = file.readError || (!parse.recognised && !empty) || parse.badLines > 0;
}

bool RegistryFile::Flush() {
    if (unreadable_)
        return false;
    const QByteArray bytes = WriteRegistryExport(Root());
    if (bytes == onDisk_ && QFileInfo::exists(path_))
        return true;
    if (!QDir().mkpath(QFileInfo(path_).absolutePath()))
        return false;
    if (damaged_) {
        // What could not be read stays beside the new file.
        if (WriteFileAtomically(path_ + QStringLiteral(".bak"), onDisk_) != WriteResult::Written)
            return false;
        damaged_ = false;
    }
    if (WriteFileAtomically(path_, bytes) != WriteResult::Written)
        return false;
    onDisk_ = bytes;
    return true;
}

} // namespace orvane
