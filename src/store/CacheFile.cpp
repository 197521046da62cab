#include "store/CacheFile.h"

#include "platform/AsciiCase.h"
#include "platform/Paths.h"
#include "platform/TextLines.h"

#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cstring>
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

// Calls take(i, value) for the stored values 0..8 in order; a value is taken only when a
// separator follows it, so the values after the last one are left out.
template <typename View, typename Sep, typename Take>
void ForEachValue(View line, Sep separator, Take take) {
    qsizetype start = 0;
    for (int i = 0; i < 9; ++i) {
        const qsizetype at = line.indexOf(separator, start);
        if (at < 0)
            break;
        take(i, line.sliced(start, at - start));
        start = at + separator.size();
    }
}

SongRecord ParseLine(QByteArrayView line) {
    SongRecord record;
    const auto values = StoredValues(record);
    if (IsAscii(line)) {
        ForEachValue(line, kSeparatorBytes,
                     [&](int i, QByteArrayView v) { *values[size_t(i)] = QString::fromLatin1(v); });
        return record;
    }
    const QString text = DecodeLine(line);
    ForEachValue(QStringView(text), kSeparatorText,
                 [&](int i, QStringView v) { *values[size_t(i)] = v.toString(); });
    return record;
}

// Most values of a collection repeat from song to song: the artist, album, duration, year,
// genre, comment and folder. A load numbers them as texts of the list (held once however far
// apart their songs lie), and the file name and title, nearly always the song's own, become
// strings. Songs of one album lie side by side: most values are those of the line before, which
// are taken without a look-up. Only ASCII lines go this way: their bytes are their text
// whatever the line's encoding.
class LineLoader {
public:
    LineLoader(CollectionList& list, BrowseLists& browse, const QString& collection)
        : list_(list)
        , browse_(browse) {
        constant_ = {list.ShareText(collection), list.ShareText(u"0")};
    }

    void loadAscii(QByteArrayView line) {
        std::array<QByteArrayView, 9> bytes;
        ForEachValue(line, kSeparatorBytes, [&](int i, QByteArrayView v) { bytes[size_t(i)] = v; });
        std::array<uint32_t, kSharedFieldCount> shared{};
        for (size_t k = 0; k < 7; ++k) {
            Last& last = last_[k];
            const QByteArrayView value = bytes[k + 2];
            if (!last.valid || last.bytes != value)
                last = {true, value, list_.ShareLatin1Text(value)};
            shared[k] = last.number;
        }
        shared[7] = constant_[0];
        shared[8] = constant_[1];
        register_(shared);
        list_.appendShared(QString::fromLatin1(bytes[0]), QString::fromLatin1(bytes[1]), shared);
    }

    void loadDecoded(QByteArrayView line) {
        SongRecord record = ParseLine(line);
        record.Collection = list_.Text(constant_[0]);
        record.NewFlag = list_.Text(constant_[1]);
        RegisterBrowseKeys(browse_, record);
        list_.append(record);
    }

private:
    // The browse lists get the genre, album and artist of a song unless this load met all
    // three before (they are in the lists already).
    void register_(const std::array<uint32_t, kSharedFieldCount>& shared) {
        constexpr uint8_t kArtist = 1, kAlbum = 2, kGenre = 4;
        const uint32_t artist = shared[0], album = shared[1], genre = shared[4];
        if (met_.size() < list_.TextCount())
            met_.resize(std::max<size_t>(list_.TextCount(), met_.size() * 2), 0);
        if ((met_[artist] & kArtist) && (met_[album] & kAlbum) && (met_[genre] & kGenre))
            return;
        met_[artist] |= kArtist;
        met_[album] |= kAlbum;
        met_[genre] |= kGenre;
        RegisterBrowseKeys(browse_, list_.Text(genre), list_.Text(album), list_.Text(artist));
    }

    struct Last {
        bool valid = false;
        QByteArrayView bytes; // points into the file's data, alive for the whole load
        uint32_t number = 0;
    };
    CollectionList& list_;
    BrowseLists& browse_;
    std::array<uint32_t, 2> constant_{}; // the collection and the new flag "0"
    std::array<Last, 7> last_;
    std::vector<uint8_t> met_; // by text number: met as artist, album, genre
};

using StoredTexts = std::array<const QString*, 9>;

qsizetype CountLineEnds(QByteArrayView data) {
    qsizetype count = 0;
    if (data.isEmpty())
        return 0;
    for (const char *at = data.data(), *end = at + data.size();
         (at = static_cast<const char*>(std::memchr(at, '\n', size_t(end - at)))); ++at)
        ++count;
    return count;
}

// Appends the record's line when all its values are ASCII, byte for byte what AppendLine of
// BuildCacheLine would give, without making the line's text first; false (out unchanged)
// otherwise.
bool AppendAsciiLine(QByteArray& out, const StoredTexts& values) {
    const qsizetype start = out.size();
    qsizetype length = 2;
    for (const QString* value : values)
        length += value->size() + kSeparatorBytes.size();
    out.resize(start + length); // grows the capacity geometrically
    char* at = out.data() + start;
    for (const QString* value : values) {
        const char16_t* units = QStringView(*value).utf16();
        for (qsizetype i = 0, n = value->size(); i < n; ++i) {
            const char16_t u = units[i];
            if (u >= 0x80) {
                out.truncate(start);
                return false;
            }
            *at++ = u == u'\r' || u == u'\n' ? ' ' : char(u);
        }
        at = std::copy_n(kSeparatorBytes.data(), kSeparatorBytes.size(), at);
    }
    *at++ = '\r';
    *at = '\n';
    return true;
}

QString BuildLine(const StoredTexts& values) {
    QString line;
    for (const QString* value : values) {
        // No escaping exists: a line break inside a value would start a new record.
        line += LineBreaksToBlanks(*value);
        line += kSeparatorText;
    }
    return line;
}

// Writes the header and the line of each song i below count that keep(i) accepts; values(i)
// gives the song's stored values.
template <typename Values, typename Keep>
bool WriteCacheFile(const QString& path, qsizetype count, Values values, Keep keep) {
    QByteArray out;
    out.reserve(count * 160 + 64);
    out.append(kCacheHeader);
    out.append("\r\n");
    for (qsizetype i = 0; i < count; ++i) {
        if (!keep(i))
            continue;
        const StoredTexts texts = values(i);
        if (!AppendAsciiLine(out, texts))
            AppendLine(out, BuildLine(texts));
    }
    return WriteFileAtomically(path, out) == WriteResult::Written;
}

} // namespace

QString BuildCacheLine(const SongRecord& record) {
    return BuildLine(StoredValues(record));
}

SongRecord ParseCacheLine(QByteArrayView line) {
    return ParseLine(line);
}

bool SaveCacheFile(const QString& path, std::span<const SongRecord> records,
                   const RecordFilter& keep) {
    return WriteCacheFile(
        path, qsizetype(records.size()),
        [&](qsizetype i) { return StoredValues(records[size_t(i)]); },
        [&](qsizetype i) { return !keep || keep(records[size_t(i)]); });
}

bool SaveCacheFile(const QString& path, const CollectionList& songs, const CollectionFilter& keep) {
    // Asked once per collection, not once per song.
    TextAnswers kept(keep ? songs.TextCount() : 0);
    return WriteCacheFile(
        path, songs.size(),
        [&](qsizetype i) {
            StoredTexts texts;
            for (size_t k = 0; k < texts.size(); ++k)
                texts[k] = &songs.Value(i, SongField(k));
            return texts;
        },
        [&](qsizetype i) {
            if (!keep)
                return true;
            const uint32_t collection = songs.TextNumber(i, SongField::Collection);
            return kept.Of(collection, [&] { return keep(songs.Text(collection)); });
        });
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

    list.reserve(list.size() + CountLineEnds(data));
    LineLoader loader(list, browse, collection);
    ForEachLine(data.sliced(headerEnd + 1), [&](QByteArrayView line) {
        if (IsAscii(line))
            loader.loadAscii(line);
        else
            loader.loadDecoded(line);
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
