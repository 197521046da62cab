#include "support/Id3v2Fixture.h"

namespace orvane::test {

namespace {

QByteArray SyncSafe(uint32_t n) {
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char(n >> (21 - 7 * i) & 0x7F);
    return b;
}

QByteArray Plain(uint32_t n, int bytes) {
    QByteArray b(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        b[i] = char(n >> (8 * (bytes - 1 - i)) & 0xFF);
    return b;
}

QByteArray Terminator(TextEncoding encoding) {
    return encoding == TextEncoding::Utf16Bom || encoding == TextEncoding::Utf16BE
               ? QByteArray(2, '\0')
               : QByteArray(1, '\0');
}

// The three-letter names of version 2.2; the others are the first three letters.
QByteArray V22Id(const QByteArray& id) {
    if (id == "TIT2")
        return "TT2";
    if (id == "TPE1")
        return "TP1";
    return id.left(3);
}

QByteArray Unsynchronised(const QByteArray& body) {
    QByteArray out;
    for (qsizetype i = 0; i < body.size(); ++i) {
        out += body[i];
        const bool next = i + 1 < body.size();
        if (uint8_t(body[i]) == 0xFF && (!next || uint8_t(body[i + 1]) >= 0xE0 || body[i + 1] == 0))
            out += '\0';
    }
    return out;
}

} // namespace

QByteArray EncodedText(TextEncoding encoding, const QString& text) {
    switch (encoding) {
    case TextEncoding::Latin1:
        return text.toLatin1();
    case TextEncoding::Utf16Bom: {
        QByteArray b("\xFF\xFE", 2);
        for (const QChar c : text)
            b += char(c.unicode() & 0xFF), b += char(c.unicode() >> 8);
        return b;
    }
    case TextEncoding::Utf16BE: {
        QByteArray b;
        for (const QChar c : text)
            b += char(c.unicode() >> 8), b += char(c.unicode() & 0xFF);
        return b;
    }
    case TextEncoding::Utf8:
        return text.toUtf8();
    }
    return {};
}

Id3v2Frame TextFrame(const QByteArray& id, TextEncoding encoding, const QString& text) {
    return {id, char(encoding) + EncodedText(encoding, text)};
}

Id3v2Frame CommentFrame(TextEncoding encoding, const QString& text) {
    return {"COMM", char(encoding) + QByteArray("eng") + Terminator(encoding) +
                        EncodedText(encoding, text)};
}

Id3v2Frame PictureFrame(int version, const QByteArray& jpeg, uint8_t type) {
    if (version == 2)
        return {"PIC ", QByteArray(1, '\0') + "JPG" + char(type) + QByteArray(1, '\0') + jpeg};
    return {"APIC", QByteArray(1, '\0') + "image/jpeg" + QByteArray(1, '\0') + char(type) +
                        QByteArray(1, '\0') + jpeg};
}

QByteArray MakeId3v2Tag(int version, const std::vector<Id3v2Frame>& frames, bool unsync,
                        int padding) {
    QByteArray body;
    for (const Id3v2Frame& f : frames) {
        if (version == 2)
            body += V22Id(f.Id) + Plain(uint32_t(f.Body.size()), 3);
        else
            body += f.Id.left(4) +
                    (version == 4 ? SyncSafe(uint32_t(f.Body.size()))
                                  : Plain(uint32_t(f.Body.size()), 4)) +
                    QByteArray(2, '\0');
        body += f.Body;
    }
    if (unsync)
        body = Unsynchronised(body);
    body += QByteArray(padding, '\0');
    QByteArray header("ID3");
    header += char(version);
    header += '\0';
    header += char(unsync ? 0x80 : 0);
    return header + SyncSafe(uint32_t(body.size())) + body;
}

QByteArray TinyJpeg() {
    // A 2x2 grey picture.
    return QByteArray::fromHex(
        "ffd8ffe000104a46494600010100000100010000ffdb004300100b0c0e0c0a100e0d0e1211101318281a181616"
        "183123251d283a333d3c3933383740485c4e404457453738506d51575f626768673e4d71797064785c656763ff"
        "c0000b080002000201011100ffc40014000100000000000000000000000000000001ffc4001410010000000000"
        "0000000000000000000000ffda0008010100003f001fffd9");
}

} // namespace orvane::test
