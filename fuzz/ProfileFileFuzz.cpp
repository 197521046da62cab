// Feeds arbitrary bytes to the reader of covers.ini and lyrics.ini. The input's last byte
// chooses the check, so that a run reads the input once or twice rather than three times:
// even, what is read must be written so that reading the written file gives the same lines
// again, and every key of a section is found; odd, edits must keep that: a key written is read
// back with its value, a key removed is gone.

#include "platform/ProfileFile.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    orvane::ProfileDocument doc = orvane::ProfileDocument::Parse(bytes);
    const QString section = QStringLiteral("covers");
    if (size == 0 || data[size - 1] % 2 == 0) {
        const QByteArray written = doc.Write();
        if (orvane::ProfileDocument::Parse(written).Write() != written)
            __builtin_trap();
        for (const QString& key : doc.Keys(section))
            if (!doc.Value(section, key))
                __builtin_trap();
        return 0;
    }

    // A key made from the input's first bytes, as a tag could hold it.
    const QString key = QString::fromLatin1(bytes.left(30)).trimmed();
    if (!key.isEmpty() && orvane::ProfileDocument::KeyFits(key)) {
        doc.SetValue(section, key, QStringLiteral("/p/cover.jpg"));
        orvane::ProfileDocument again = orvane::ProfileDocument::Parse(doc.Write());
        if (again.Value(section, key) != QStringLiteral("/p/cover.jpg"))
            __builtin_trap();
        if (!again.Remove(section, key) || again.Value(section, key))
            __builtin_trap();
    }
    return 0;
}
