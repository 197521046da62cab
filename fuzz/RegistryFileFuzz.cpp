// Feeds arbitrary bytes to the reader of the settings file. Whatever it makes of them must be
// written so that reading the written file gives the same tree again: the second write is the
// same bytes as the first.

#include "platform/RegistryFile.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    orvane::MemoryRegistry first;
    orvane::ParseRegistryExport(bytes, first.Root());
    const QByteArray written = orvane::WriteRegistryExport(first.Root());

    orvane::MemoryRegistry second;
    const orvane::RegistryParse parse = orvane::ParseRegistryExport(written, second.Root());
    if (!parse.recognised || parse.badLines != 0)
        __builtin_trap();
    if (orvane::WriteRegistryExport(second.Root()) != written)
        __builtin_trap();

    // The interface over what was read answers without failing.
    const QString key = QStringLiteral("software\\brimtove\\orvane");
    for (const QString& name : second.ValueNames(key)) {
        (void)second.ReadText(key, name);
        (void)second.ReadInteger(key, name);
    }
    for (const QString& sub : second.SubKeys(key))
        (void)second.ValueNames(key + u'\\' + sub);
    return 0;
}
