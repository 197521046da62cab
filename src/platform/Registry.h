#pragma once
// The settings store of the current user, shaped like the Windows registry under
// HKEY_CURRENT_USER: a tree of keys, each holding named values that are texts or 32-bit
// integers. Key paths are relative to that root and separate their names with '\'
// ("software\brimtove\orvane\posflags"); key and value names compare without regard to case
// (ASCII letters), and keys and values keep the order in which they were created.
//
// Three stores implement it: the real registry on Windows, the file registry.reg elsewhere
// (RegistryFile.h), and MemoryRegistry for tests. Changes may be held in memory until Flush();
// every store answers reads from what was written before, flushed or not.
// Used on the GUI thread only; no store is thread-safe.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>

namespace orvane {

class Registry {
public:
    virtual ~Registry() = default;

    // Opening without creating: true when the key is there.
    virtual bool KeyExists(const QString& key) const = 0;
    // Opening with creating: makes the key and any missing parent. False when a name of the path
    // is not a valid key name (IsValidKeyName) or the store refuses.
    virtual bool CreateKey(const QString& key) = 0;
    // Removes the key with everything under it; true also when it was not there.
    virtual bool DeleteKey(const QString& key) = 0;

    // Nothing when the key or the value is missing or the value is of another kind. Texts
    // include expandable texts; integers are the 32 bits of a DWORD value, read as signed.
    virtual std::optional<QString> ReadText(const QString& key, const QString& name) const = 0;
    virtual std::optional<int32_t> ReadInteger(const QString& key, const QString& name) const = 0;
    // Writing needs the key to exist (create it first), as with a key opened in the registry.
    // An existing value of that name is replaced in place, keeping its position.
    virtual bool WriteText(const QString& key, const QString& name, const QString& value) = 0;
    virtual bool WriteInteger(const QString& key, const QString& name, int32_t value) = 0;

    // Names of the sub-keys and of the values of a key, in the store's order; empty for a key
    // that is not there.
    virtual QStringList SubKeys(const QString& key) const = 0;
    virtual QStringList ValueNames(const QString& key) const = 0;

    // Makes what was written lasting. False when it could not be stored; what is in memory is
    // kept, so a later Flush may still succeed.
    virtual bool Flush() = 0;
};

// A name that can stand for one key: not empty, no '\', no control character and no lone
// surrogate.
bool IsValidKeyName(const QString& name);
// A value name holds no control character or lone surrogate (the empty name is the key's
// default value).
bool IsValidValueName(const QString& name);
// Splits "a\b\c" into its names; nothing when one is not a valid key name.
std::optional<QStringList> SplitKeyPath(const QString& path);

// The store of this system: the registry on Windows, otherwise the file at
// RegistryFilePath().
std::unique_ptr<Registry> OpenUserRegistry();
// $XDG_CONFIG_HOME/brimtove/registry.reg (~/.config/brimtove/registry.reg by default).
QString RegistryFilePath();

} // namespace orvane
