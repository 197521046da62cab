#include "platform/Registry.h"

#include "platform/RegistryFile.h"

#include <QStandardPaths>
#include <algorithm>

#ifdef _WIN32
#include "platform/WindowsRegistry.h"
#endif

namespace orvane {

namespace {
// Control characters would break the line of a name in the file, and a lone surrogate could
// not be written as UTF-8 without becoming another name.
bool HasControlCharacter(const QString& text) {
    return !text.isValidUtf16() ||
           std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; });
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
