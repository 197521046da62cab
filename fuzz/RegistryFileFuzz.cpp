// Feeds arbitrary bytes to the reader of the settings file. The input's last byte chooses the
// check, so that a run reads the input once or twice rather than always twice: even, whatever
// the reader makes of the input must be written so that reading the written file gives the same
// tree again (the second write is the same bytes as the first); odd, the interface over what was
// read answers without failing.

#include "platform/RegistryFile.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    orvane::MemoryRegistry first;
    orvane::ParseRegistryExport(bytes, first.Root());
    if (size == 0 || data[size - 1] % 2 == 0) {
        const QByteArray written = orvane::WriteRegistryExport(first.Root());
        orvane::MemoryRegistry second;
        const orvane::RegistryParse parse = orvane::ParseRegistryExport(written, second.Root());
        if (!parse.recognised || parse.badLines != 0)
            __builtin_trap();
        if (orvane::WriteRegistryExport(second.Root()) != written)
            __builtin_trap();
        return 0;
    }

    const QString key = QStringLiteral("software\\brimtove\\orvane");
    for (const QString& name : first.ValueNames(key)) {
        (void)first.ReadText(key, name);
        (void)first.ReadInteger(key, name);
    }
    for (const QString& sub : first.SubKeys(key))
        (void)first.ValueNames(key + u'\\' + sub);
    return 0;
}
