#include "store/CacheFile.h"

#include "platform/AsciiCase.h"
#include "platform/Paths.h"
#include "platform/TextLines.h"

#include <QStringDecoder>
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

// Songs of one album lie side by side in a cache file, so most of a line's folder, artist,
// album, genre and year repeat the line before. Such a value shares the earlier text instead
// of being made again: loading a large collection then costs far fewer allocations and less
// memory.
class RepeatSharing {
public:
    QString make(int i, QByteArrayView bytes) {
        Slot& slot = slots_[size_t(i)];
        if (slot.valid && slot.bytes == bytes)
            return slot.text;
        slot = {true, bytes, QString::fromLatin1(bytes)};
        return slot.text;
    }
    void forget() {
        for (Slot& slot : slots_)
            slot.valid = false;
    }

private:
    struct Slot {
        bool valid = false;
        QByteArrayView bytes; // points into the file's data, alive for the whole load
        QString text;
    };
    std::array<Slot, 9> slots_;
};

SongRecord ParseLine(QByteArrayView line, RepeatSharing* sharing) {
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
    if (sharing)
        sharing->forget();
    const QString text = DecodeLine(line);
    SplitValues(QStringView(text), kSeparatorText, record,
                [](int, QStringView v) { return v.toString(); });
    return record;
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
        AppendLine(out, BuildCacheLine(r));
    }
    return WriteFileAtomically(path, out) == WriteResult::Written;
}

qsizetype AppendCacheRecords(QByteArrayView data, const QString& collection, CollectionList& list,
                             BrowseLists& browse) {
    data = SkipByteOrderMark(data);
    const qsizetype headerEnd = data.indexOf('\n');
    QByteArrayView header = data.first(headerEnd < 0 ? data.size() : headerEnd);
    if (header.endsWith('\r'))
        header.chop(1);
    if (AsciiUpper(DecodeLine(header)) != AsciiUpper(QString::fromLatin1(kCacheHeader)))
        return 0;
    if (headerEnd < 0)
        return 0;

    const QString notNew = QStringLiteral("0");
    qsizetype added = 0;
    list.reserve(list.size() + data.count('\n'));
    RepeatSharing sharing;
    ForEachLine(data.sliced(headerEnd + 1), [&](QByteArrayView line) {
        SongRecord record = ParseLine(line, &sharing);
        record.Collection = collection;
        record.NewFlag = notNew;
        RegisterBrowseKeys(browse, record);
        list.append(std::move(record));
        ++added;
    });
    return added;
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
    result.added = AppendCacheRecords(data, FileNamePart(path), list, browse);
    return result;
}

} // namespace orvane
