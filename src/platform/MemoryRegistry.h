#pragma once
// A registry held in memory: the tree behind the file store and the store that tests use.
//
// The tree's top level holds the hives ("HKEY_CURRENT_USER", and whatever other root a file
// names); the Registry interface works below HKEY_CURRENT_USER. Values of kinds this program
// does not use (binary, multi-text, ...) are kept as their exported text, so that they are
// written back unchanged.

#include "platform/Registry.h"

#include <memory>
#include <vector>

namespace orvane {

inline const QString kCurrentUserHive = QStringLiteral("HKEY_CURRENT_USER");

enum class RegistryValueKind { Text, ExpandText, Integer, Other };

struct RegistryValue {
    QString Name;
    RegistryValueKind Kind = RegistryValueKind::Text;
    QString Text;         // Text and ExpandText
    uint32_t Integer = 0; // Integer
    QString Raw;          // Other: the exported data after "=", e.g. "hex:01,02"
};

struct RegistryKeyNode {
    QString Name;
    std::vector<RegistryValue> Values;
    std::vector<std::unique_ptr<RegistryKeyNode>> Children;

    RegistryKeyNode* Child(const QString& name) const;
    RegistryKeyNode& AddChild(const QString& name); // the existing child when there is one
    void RemoveChild(const QString& name);
    const RegistryValue* Value(const QString& name) const;
    RegistryValue& SetValue(RegistryValue value); // replaces in place or appends
    void RemoveValue(const QString& name);
};

// A registry text ends at its first NUL character, as the registry reads it.
QString TextUpToNul(const QString& text);

class MemoryRegistry : public Registry {
public:
    MemoryRegistry();

    bool KeyExists(const QString& key) const override;
    bool CreateKey(const QString& key) override;
    bool DeleteKey(const QString& key) override;
    std::optional<QString> ReadText(const QString& key, const QString& name) const override;
    std::optional<int32_t> ReadInteger(const QString& key, const QString& name) const override;
    bool WriteText(const QString& key, const QString& name, const QString& value) override;
    bool WriteInteger(const QString& key, const QString& name, int32_t value) override;
    QStringList SubKeys(const QString& key) const override;
    QStringList ValueNames(const QString& key) const override;
    bool Flush() override { return true; }

    // The whole tree: its children are the hives.
    RegistryKeyNode& Root() { return root_; }
    const RegistryKeyNode& Root() const { return root_; }

    // Tests: a store that refuses every change (as a registry without write access does).
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

private:
    RegistryKeyNode* find(const QString& key) const;

    RegistryKeyNode root_;
    bool readOnly_ = false;
};

} // namespace orvane
