#pragma once
// The registry of the current user on Windows (HKEY_CURRENT_USER). Every change is made at once;
// Flush has nothing left to do.

#include "platform/Registry.h"

namespace orvane {

class WindowsRegistry : public Registry {
public:
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
};

} // namespace orvane
