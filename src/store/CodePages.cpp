#include "store/CodePages.h"

#include "store/TagReading.h"

#include <QHash>
#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <mutex>

namespace orvane {

namespace {

constexpr char16_t kUndefined = 0xFFFD;

struct IconvCloser {
    void operator()(iconv_t handle) const noexcept { iconv_close(handle); }
};
using UniqueIconv = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

// One code page's bytes 0x80 to 0xFF and the way back.
struct CodePageTable {
    std::array<char16_t, 128> upper{};
    QHash<char16_t, char> back;
};

CodePageTable MakeTable(int codePage) {
    CodePageTable table;
    table.upper.fill(kUndefined);
    const QByteArray name = "CP" + QByteArray::number(codePage);
    const iconv_t opened = iconv_open("UTF-16LE", name.constData());
    if (opened == reinterpret_cast<iconv_t>(-1))
        return table;
    const UniqueIconv handle(opened);
    for (int b = 0x80; b <= 0xFF; ++b) {
        char in = char(b);
        char out[8];
        char* inPtr = &in;
        char* outPtr = out;
        size_t inLeft = 1, outLeft = sizeof out;
        iconv(handle.get(), nullptr, nullptr, nullptr, nullptr);
        if (iconv(handle.get(), &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1) ||
            outLeft != sizeof out - 2)
            continue;
        const char16_t c = char16_t(uint8_t(out[0]) | uint8_t(out[1]) << 8);
        table.upper[size_t(b - 0x80)] = c;
        table.back.insert(c, char(b));
    }
    return table;
}

// nullptr for Latin-1.
const CodePageTable* TableOf(int codePage) {
    if (codePage == kLatin1CodePage)
        return nullptr;
    static std::once_flag once;
    static std::array<CodePageTable, 9> tables;
    std::call_once(once, [] {
        for (int i = 0; i < 9; ++i)
            tables[size_t(i)] = MakeTable(1250 + i);
    });
    if (codePage < 1250 || codePage > 1258)
        return nullptr;
    return &tables[size_t(codePage - 1250)];
}

} // namespace

QString DecodeCodePage(const QByteArray& bytes, int codePage) {
    const CodePageTable* table = TableOf(codePage);
    if (!table)
        return QString::fromLatin1(bytes);
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uint8_t b = uint8_t(bytes[i]);
        text[i] = QChar(b < 0x80 ? char16_t(b) : table->upper[b - 0x80]);
    }
    return text;
}

QByteArray EncodeCodePage(const QString& text, int codePage) {
    const CodePageTable* table = TableOf(codePage);
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            bytes += char(u);
        else if (!table)
            bytes += u <= 0xFF ? char(u) : '?';
        else
            bytes += table->back.value(u, '?');
    }
    return bytes;
}

QString CharactersOutsideCodePage(const QString& text, int codePage) {
    QString found;
    for (const QChar c : text)
        if (c.unicode() >= 0x80 && EncodeCodePage(QString(c), codePage) == "?" &&
            !found.contains(c))
            found += c;
    return found;
}

} // namespace orvane
