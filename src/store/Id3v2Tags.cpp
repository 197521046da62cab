#include "store/Id3v2Tags.h"

#include "platform/FileHandle.h"
#include "store/Id3Tags.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/textidentificationframe.h>

namespace orvane {

namespace {

std::atomic<uint64_t> parseCount{0};

// Tag text is shown and stored on one line, as ID3v1 text is.
QString OneLine(const TagLib::String& text) {
    QString s = QString::fromUtf8(text.toCString(true));
    s.replace(u'\r', u' ').replace(u'\n', u' ').replace(QChar(0), u' ');
    return s.trimmed();
}

TagLib::String ToTagLib(const QString& text) {
    return TagLib::String(text.toUtf8().constData(), TagLib::String::UTF8);
}

// A read-only view of the tag bytes as a file TagLib can open.
class TagInMemory {
public:
    explicit TagInMemory(const QByteArray& tag)
        : stream_(TagLib::ByteVector(tag.constData(), unsigned(tag.size())))
        , file_(&stream_, TagLib::ID3v2::FrameFactory::instance(), false) {}
    TagLib::ID3v2::Tag* Tag() { return file_.isValid() ? file_.ID3v2Tag(false) : nullptr; }

private:
    TagLib::ByteVectorStream stream_;
    TagLib::MPEG::File file_;
};

} // namespace

Id3v2Genre ResolveId3v2Genre(const QString& frameText) {
    // One per thread: the scanner reads tags while the GUI thread may read others.
    thread_local const QRegularExpression reference(QStringLiteral("^\\((\\d{1,3})\\)(.*)$"));
    const QString text = frameText.trimmed();
    QString number;
    if (const QRegularExpressionMatch m = reference.match(text); m.hasMatch()) {
        const QString after = m.captured(2).trimmed();
        if (!after.isEmpty())
            return {after, -1};
        number = m.captured(1);
    } else if (!text.isEmpty() && text.size() <= 3 &&
               std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); })) {
        number = text;
    }
    if (!number.isEmpty()) {
        const int nr = number.toInt();
        if (nr <= 255)
            return {GenreName(uint8_t(nr)), nr};
        return {text, -1};
    }
    for (int i = 0; i < kGenreCount; ++i)
        if (GenreName(uint8_t(i)).compare(text, Qt::CaseInsensitive) == 0)
            return {text, i};
    return {text, -1};
}

std::optional<Id3v2Texts> ParseId3v2Texts(const QByteArray& tag) {
    parseCount.fetch_add(1, std::memory_order_relaxed);
    TagInMemory file(tag);
    TagLib::ID3v2::Tag* t = file.Tag();
    if (!t)
        return std::nullopt;
    Id3v2Texts texts;
    texts.MajorVersion = int(t->header()->majorVersion());
    texts.Title = OneLine(t->title());
    texts.Artist = OneLine(t->artist());
    texts.Album = OneLine(t->album());
    if (const unsigned year = t->year(); year != 0)
        texts.Year = QString::number(year);
    texts.Comment = OneLine(t->comment());
    // The frame's first value only: a numeric reference is resolved through the ID3v1 list here,
    // not through TagLib's longer one.
    const TagLib::ID3v2::FrameList& genres = t->frameList("TCON");
    if (!genres.isEmpty())
        if (const auto* frame =
                dynamic_cast<const TagLib::ID3v2::TextIdentificationFrame*>(genres.front())) {
            const TagLib::StringList fields = frame->fieldList();
            texts.GenreFrame = OneLine(frame->toString());
            if (!fields.isEmpty()) {
                const Id3v2Genre genre = ResolveId3v2Genre(OneLine(fields.front()));
                texts.Genre = genre.Name;
                texts.GenreNr = genre.Nr;
            }
        }
    return texts;
}

uint64_t Id3v2ParseCount() {
    return parseCount.load(std::memory_order_relaxed);
}

QByteArray ReadLeadingId3v2(const QString& path, uint64_t maxBytes) {
    UniqueFile file = OpenFile(path, "rb");
    return file ? ReadLeadingId3v2(file.get(), maxBytes) : QByteArray();
}

QByteArray ReadLeadingId3v2(std::FILE* file, uint64_t maxBytes) {
    uint8_t header[kId3v2HeaderSize];
    if (std::fseek(file, 0, SEEK_SET) != 0 ||
        std::fread(header, 1, sizeof header, file) != sizeof header)
        return {};
    const uint64_t size = std::min(Id3v2TagSize(header), maxBytes);
    if (size < kId3v2HeaderSize)
        return {};
    QByteArray tag(qsizetype(size), Qt::Uninitialized);
    std::memcpy(tag.data(), header, sizeof header);
    const size_t rest = size_t(size) - sizeof header;
    tag.resize(qsizetype(sizeof header + std::fread(tag.data() + sizeof header, 1, rest, file)));
    return tag;
}

EmbeddedPicture ParseId3v2Picture(const QByteArray& tag) {
    TagInMemory file(tag);
    TagLib::ID3v2::Tag* t = file.Tag();
    if (!t)
        return {};
    const TagLib::ID3v2::AttachedPictureFrame* chosen = nullptr;
    for (const TagLib::ID3v2::Frame* f : t->frameList("APIC")) {
        const auto* picture = dynamic_cast<const TagLib::ID3v2::AttachedPictureFrame*>(f);
        if (!picture || picture->picture().isEmpty())
            continue;
        if (!chosen || (picture->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover &&
                        chosen->type() != TagLib::ID3v2::AttachedPictureFrame::FrontCover))
            chosen = picture;
    }
    if (!chosen)
        return {};
    const TagLib::ByteVector data = chosen->picture();
    return {QByteArray(data.data(), qsizetype(data.size())),
            QString::fromUtf8(chosen->mimeType().toCString(true))};
}

bool WriteId3v2Texts(const QString& path, const Id3v2Texts& texts) {
    const QByteArray name = QFile::encodeName(path);
    TagLib::MPEG::File file(name.constData(), false);
    if (!file.isValid() || !file.hasID3v2Tag())
        return false;
    TagLib::ID3v2::Tag* t = file.ID3v2Tag(false);
    const unsigned version = t->header()->majorVersion();
    // Only what differs is set, so a frame the save does not change keeps its form (a full
    // date in the year frame, a genre reference, a comment's language).
    const auto set = [t](TagLib::String (TagLib::Tag::*get)() const,
                         void (TagLib::Tag::*put)(const TagLib::String&), const QString& text) {
        if (OneLine((t->*get)()) != text)
            (t->*put)(ToTagLib(text));
    };
    set(&TagLib::Tag::title, &TagLib::Tag::setTitle, texts.Title);
    set(&TagLib::Tag::artist, &TagLib::Tag::setArtist, texts.Artist);
    set(&TagLib::Tag::album, &TagLib::Tag::setAlbum, texts.Album);
    set(&TagLib::Tag::comment, &TagLib::Tag::setComment, texts.Comment);
    const unsigned year = texts.Year.trimmed().toUInt();
    if (t->year() != year)
        t->setYear(year);
    const TagLib::ID3v2::FrameList& genres = t->frameList("TCON");
    const QString genre = genres.isEmpty() ? QString() : OneLine(genres.front()->toString());
    if (genre != texts.GenreFrame)
        t->setGenre(ToTagLib(texts.GenreFrame));
    return file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripNone,
                     version == 3 ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4,
                     TagLib::File::DoNotDuplicate);
}

} // namespace orvane
