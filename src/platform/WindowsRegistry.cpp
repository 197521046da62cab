#include "platform/WindowsRegistry.h"

#include <windows.h>

#include <vector>

namespace orvane {

namespace {

// One open key, closed when the owner goes.
class KeyHandle {
public:
    KeyHandle() = default;
    ~KeyHandle() {
        if (key_)
            RegCloseKey(key_);
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

const wchar_t* Wide(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

bool Open(const QString& key, REGSAM access, KeyHandle& handle) {
    return RegOpenKeyExW(HKEY_CURRENT_USER, Wide(key), 0, access, handle.out()) == ERROR_SUCCESS;
}

QStringList Enumerate(const QString& key, bool values) {
    QStringList names;
    KeyHandle handle;
    if (!Open(key, KEY_READ, handle))
        return names;
    std::vector<wchar_t> buffer(16384);
    for (DWORD i = 0;; ++i) {
        DWORD length = DWORD(buffer.size());
        const LONG status = values ? RegEnumValueW(handle.get(), i, buffer.data(), &length, nullptr,
                                                   nullptr, nullptr, nullptr)
                                   : RegEnumKeyExW(handle.get(), i, buffer.data(), &length, nullptr,
                                                   nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            break;
        names.append(QString::fromWCharArray(buffer.data(), qsizetype(length)));
    }
    return names;
}

} // namespace

bool WindowsRegistry::KeyExists(const QString& key) const {
    KeyHandle handle;
    return Open(key, KEY_READ, handle);
}

bool WindowsRegistry::CreateKey(const QString& key) {
    if (!SplitKeyPath(key))
        return false;
    KeyHandle handle;
    return RegCreateKeyExW(HKEY_CURRENT_USER, Wide(key), 0, nullptr, 0, KEY_WRITE, nullptr,
                           handle.out(), nullptr) == ERROR_SUCCESS;
}

bool WindowsRegistry::DeleteKey(const QString& key) {
    const LONG status = RegDeleteTreeW(HKEY_CURRENT_USER, Wide(key));
    if (status == ERROR_FILE_NOT_FOUND)
        return true;
    return status == ERROR_SUCCESS && RegDeleteKeyW(HKEY_CURRENT_USER, Wide(key)) == ERROR_SUCCESS;
}

std::optional<QString> WindowsRegistry::ReadText(const QString& key, const QString& name) const {
    KeyHandle handle;
    if (!Open(key, KEY_READ, handle))
        return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(handle.get(), Wide(name), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(handle.get(), Wide(name), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    return QString::fromWCharArray(buffer.data()); // up to the first terminating zero
}

std::optional<int32_t> WindowsRegistry::ReadInteger(const QString& key, const QString& name) const {
    KeyHandle handle;
    if (!Open(key, KEY_READ, handle))
        return std::nullopt;
    DWORD type = 0, value = 0, size = sizeof value;
    if (RegQueryValueExW(handle.get(), Wide(name), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

bool WindowsRegistry::WriteText(const QString& key, const QString& name, const QString& value) {
    KeyHandle handle;
    if (!Open(key, KEY_WRITE, handle))
        return false;
    const DWORD size = DWORD((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(handle.get(), Wide(name), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.utf16()), size) == ERROR_SUCCESS;
}

bool WindowsRegistry::WriteInteger(const QString& key, const QString& name, int32_t value) {
    KeyHandle handle;
    if (!Open(key, KEY_WRITE, handle))
        return false;
    const DWORD dword = static_cast<DWORD>(value);
    return RegSetValueExW(handle.get(), Wide(name), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&dword), sizeof dword) == ERROR_SUCCESS;
}

QStringList WindowsRegistry::SubKeys(const QString& key) const {
    return Enumerate(key, false);
}

QStringList WindowsRegistry::ValueNames(const QString& key) const {
    return Enumerate(key, true);
}

} // namespace orvane
