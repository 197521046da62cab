#include "platform/Registry.h"

#include "platform/RegistryFile.h"

#include <QStandardPaths>

#ifdef _WIN32
#include "platform/WindowsRegistry.h"
#endif

namespace orvane {

namespace {
// Control characters would break the line of a name in the file, and a lone surrogate could
// not be written as UTF-8 without becoming another name.
bool HasControlCharacter(QStringView text) {
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] < 0x20 || QChar::isLowSurrogate(p[i]))
            return true;
        if (QChar::isHighSurrogate(p[i])) {
            if (i + 1 == n || !QChar::isLowSurrogate(p[i + 1]))
                return true;
            ++i;
        }
    }
    return false;
}
} // namespace

bool IsValidKeyName(const QString& name) {
    return !name.isEmpty() && !name.contains(u'\\') && !HasControlCharacter(name);
}

bool IsValidValueName(const QString& name) {
    return !HasControlCharacter(name);
}

std::optional<QStringList> SplitKeyPath(const QString& path) {
    QStringList names = path.split(u'\\');
    for (const QString& name : names)
        if (!IsValidKeyName(name))
            return std::nullopt;
    return names;
}

QString RegistryFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/brimtove/registry.reg");
}

std::unique_ptr<Registry> OpenUserRegistry() {
#ifdef _WIN32
    return std::make_unique<WindowsRegistry>();
#else
    return std::make_unique<RegistryFile>(RegistryFilePath());
#endif
}

} // namespace orvane
