#include "store/CacheFile.h"

#include "platform/AsciiCase.h"
#include "platform/Paths.h"
#include "platform/TextLines.h"

#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <type_traits>

namespace orvane {

namespace {

constexpr QByteArrayView kSeparatorBytes("[;]");
constexpr QStringView kSeparatorText(u"[;]");

template <typename Record> auto StoredValues(Record& r) {
    using Value = std::conditional_t<std::is_const_v<Record>, const QString*, QString*>;
    return std::array<Value, 9>{&r.FileName, &r.Title, &r.Artist,  &r.Album, &r.Duration,
                                &r.Year,     &r.Genre, &r.Comment, &r.Folder};
}

// A value is taken only when a separator follows it; values after the last one stay empty.
template <typename View, typename Sep, typename Make>
void SplitValues(View line, Sep separator, SongRecord& record, Make make) {
    qsizetype start = 0;
    int i = 0;
    for (QString* value : StoredValues(record)) {
        const qsizetype at = line.indexOf(separator, start);
        if (at < 0)
            break;
        *value = make(i++, line.sliced(start, at - start));
        start = at + separator.size();
    }
}

// The distinct texts of one value: open addressing over (hash, text number) slots, so that a
// look-up reads one slot and, when the hashes agree, the text itself, and never the bytes of
// other lines.
class TextTable {
public:
    // The text of those (Latin-1) bytes, made and kept when it is new (added set).
    QString intern(QByteArrayView bytes, bool& added) {
        if ((texts_.size() + 1) * 2 > slots_.size())
            grow(std::max<size_t>(64, slots_.size() * 2));
        const size_t hash = qHash(bytes);
        for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
            Slot& slot = slots_[i];
            if (slot.text == 0) {
                texts_.push_back(QString::fromLatin1(bytes));
                slot = {hash, uint32_t(texts_.size())};
                added = true;
                return texts_.back();
            }
            if (slot.hash == hash && texts_[slot.text - 1] == QLatin1StringView(bytes))
                return texts_[slot.text - 1];
        }
    }

private:
    struct Slot {
        size_t hash = 0;
        uint32_t text = 0; // number in texts_ + 1; 0: empty
    };
    void grow(size_t capacity) {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(capacity, Slot{});
        mask_ = capacity - 1;
        for (const Slot& slot : old) {
            if (slot.text == 0)
                continue;
            size_t i = slot.hash & mask_;
            while (slots_[i].text != 0)
                i = (i + 1) & mask_;
            slots_[i] = slot;
        }
    }

    std::vector<Slot> slots_;
    size_t mask_ = 0;
    std::vector<QString> texts_;
};

// Most values of a collection repeat from song to song: the artist, album, duration, year,
// genre, comment and folder. A load makes each distinct text of those once and every record that
// holds it shares it, so a large collection costs one allocation per distinct value instead of
// one per song. The file name and the title are nearly always the song's own.
// Only values of ASCII lines are shared: their bytes are their text whatever the line's encoding.
class SharedValues {
public:
    QString make(int i, QByteArrayView bytes) {
        if (i < 2)
            return QString::fromLatin1(bytes);
        Slot& last = last_[size_t(i)];
        // Songs of one album lie side by side: most values are those of the line before.
        if (!last.valid || last.bytes != bytes) {
            bool added = false;
            last = {true, bytes, tables_[size_t(i)].intern(bytes, added)};
            if (added && IsBrowseKey(i))
                browseKeysSeen_ = false;
        }
        if (IsBrowseKey(i))
            ++browseKeysFound_;
        return last.text;
    }
    void startLine() {
        browseKeysSeen_ = true;
        browseKeysFound_ = 0;
    }
    // Whether this load had met the artist, album and genre of the line just split before it:
    // they are in the browse lists already.
    bool browseKeysSeen() const { return browseKeysSeen_ && browseKeysFound_ == 3; }

private:
    static bool IsBrowseKey(int i) { return i == 2 || i == 3 || i == 6; } // artist, album, genre

    struct Slot {
        bool valid = false;
        QByteArrayView bytes; // points into the file's data, alive for the whole load
        QString text;
    };
    std::array<Slot, 9> last_;
    std::array<TextTable, 9> tables_;
    bool browseKeysSeen_ = false;
    int browseKeysFound_ = 0;
};

SongRecord ParseLine(QByteArrayView line, SharedValues* sharing) {
    SongRecord record;
    if (IsAscii(line)) {
        if (sharing)
            SplitValues(line, kSeparatorBytes, record,
                        [sharing](int i, QByteArrayView v) { return sharing->make(i, v); });
        else
            SplitValues(line, kSeparatorBytes, record,
                        [](int, QByteArrayView v) { return QString::fromLatin1(v); });
        return record;
    }
    const QString text = DecodeLine(line);
    SplitValues(QStringView(text), kSeparatorText, record,
                [](int, QStringView v) { return v.toString(); });
    return record;
}

// Appends the record's line when all its values are ASCII, byte for byte what AppendLine of
// BuildCacheLine would give, without making the line's text first; false (out unchanged)
// otherwise.
bool AppendAsciiLine(QByteArray& out, const SongRecord& record) {
    const qsizetype start = out.size();
    for (const QString* value : StoredValues(record)) {
        for (const QChar c : *value) {
            const char16_t u = c.unicode();
            if (u >= 0x80) {
                out.truncate(start);
                return false;
            }
            out.append(u == u'\r' || u == u'\n' ? ' ' : char(u));
        }
        out.append(kSeparatorBytes.data(), kSeparatorBytes.size());
    }
    out.append("\r\n", 2);
    return true;
}

} // namespace

QString BuildCacheLine(const SongRecord& record) {
    QString line;
    for (const QString* value : StoredValues(record)) {
        // No escaping exists: a line break inside a value would start a new record.
        line += LineBreaksToBlanks(*value);
        line += kSeparatorText;
    }
    return line;
}

SongRecord ParseCacheLine(QByteArrayView line) {
    return ParseLine(line, nullptr);
}

bool SaveCacheFile(const QString& path, std::span<const SongRecord> records,
                   const RecordFilter& keep) {
    QByteArray out;
    out.reserve(qsizetype(records.size()) * 160 + 64);
    out.append(kCacheHeader);
    out.append("\r\n");
    for (const SongRecord& r : records) {
        if (keep && !keep(r))
            continue;
        if (!AppendAsciiLine(out, r))
            AppendLine(out, BuildCacheLine(r));
    }
    return WriteFileAtomically(path, out) == WriteResult::Written;
}

CacheDataResult AppendCacheData(QByteArrayView data, const QString& collection,
                                CollectionList& list, BrowseLists& browse) {
    CacheDataResult result;
    data = SkipByteOrderMark(data);
    const qsizetype headerEnd = data.indexOf('\n');
    QByteArrayView header = data.first(headerEnd < 0 ? data.size() : headerEnd);
    if (header.endsWith('\r'))
        header.chop(1);
    if (AsciiUpper(DecodeLine(header)) != AsciiUpper(QString::fromLatin1(kCacheHeader)))
        return result;
    result.headerMatched = true;
    if (headerEnd < 0)
        return result;

    const QString notNew = QStringLiteral("0");
    list.reserve(list.size() + data.count('\n'));
    SharedValues sharing;
    ForEachLine(data.sliced(headerEnd + 1), [&](QByteArrayView line) {
        sharing.startLine();
        SongRecord record = ParseLine(line, &sharing);
        record.Collection = collection;
        record.NewFlag = notNew;
        if (!sharing.browseKeysSeen())
            RegisterBrowseKeys(browse, record);
        list.append(std::move(record));
        ++result.added;
    });
    return result;
}

CacheLoadResult LoadCacheFile(const QString& path, CollectionList& list, bool clearFirst,
                              BrowseLists& browse) {
    CacheLoadResult result;
    TextFileRead file = ReadWholeFile(path);
    if (!file.opened)
        return result;
    result.opened = true;
    result.readError = file.readError;
    if (clearFirst)
        list.clear();

    QByteArrayView data(file.data);
    if (file.readError) {
        // The line that was being read when the error came is incomplete: drop it.
        const qsizetype lastEnd = data.lastIndexOf('\n');
        data = data.first(lastEnd + 1);
    }
    const CacheDataResult read = AppendCacheData(data, FileNamePart(path), list, browse);
    result.headerMatched = read.headerMatched;
    result.added = read.added;
    return result;
}

} // namespace orvane
