#include "platform/MemoryRegistry.h"

#include "platform/AsciiCase.h"

#include <algorithm>

namespace orvane {

QString TextUpToNul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

RegistryKeyNode* RegistryKeyNode::Child(const QString& name) const {
    for (const auto& child : Children)
        if (SameTextNoCase(child->Name, name))
            return child.get();
    return nullptr;
}

RegistryKeyNode& RegistryKeyNode::AddChild(const QString& name) {
    if (RegistryKeyNode* existing = Child(name))
        return *existing;
    Children.push_back(std::make_unique<RegistryKeyNode>());
    Children.back()->Name = name;
    return *Children.back();
}

void RegistryKeyNode::RemoveChild(const QString& name) {
    std::erase_if(Children, [&](const auto& child) { return SameTextNoCase(child->Name, name); });
}

const RegistryValue* RegistryKeyNode::Value(const QString& name) const {
    for (const RegistryValue& value : Values)
        if (SameTextNoCase(value.Name, name))
            return &value;
    return nullptr;
}

RegistryValue& RegistryKeyNode::SetValue(RegistryValue value) {
    for (RegistryValue& existing : Values) {
        if (SameTextNoCase(existing.Name, value.Name)) {
            value.Name = existing.Name; // the registry keeps the first spelling of a name
            existing = std::move(value);
            return existing;
        }
    }
    Values.push_back(std::move(value));
    return Values.back();
}

void RegistryKeyNode::RemoveValue(const QString& name) {
    std::erase_if(Values, [&](const RegistryValue& v) { return SameTextNoCase(v.Name, name); });
}

MemoryRegistry::MemoryRegistry() {
    root_.AddChild(kCurrentUserHive);
}

RegistryKeyNode* MemoryRegistry::find(const QString& key) const {
    const std::optional<QStringList> names = SplitKeyPath(key);
    if (!names)
        return nullptr;
    RegistryKeyNode* node = root_.Child(kCurrentUserHive);
    for (const QString& name : *names) {
        if (!node)
            return nullptr;
        node = node->Child(name);
    }
    return node;
}

bool MemoryRegistry::KeyExists(const QString& key) const {
    return find(key) != nullptr;
}

bool MemoryRegistry::CreateKey(const QString& key) {
    const std::optional<QStringList> names = SplitKeyPath(key);
    if (!names)
        return false;
    if (readOnly_)
        return KeyExists(key);
    RegistryKeyNode* node = &root_.AddChild(kCurrentUserHive);
    for (const QString& name : *names)
        node = &node->AddChild(name);
    return true;
}

bool MemoryRegistry::DeleteKey(const QString& key) {
    const qsizetype cut = key.lastIndexOf(u'\\');
    RegistryKeyNode* parent = cut < 0 ? root_.Child(kCurrentUserHive) : find(key.left(cut));
    const QString name = key.mid(cut + 1);
    if (!parent || !IsValidKeyName(name) || !parent->Child(name))
        return true;
    if (readOnly_)
        return false;
    parent->RemoveChild(name);
    return true;
}

std::optional<QString> MemoryRegistry::ReadText(const QString& key, const QString& name) const {
    const RegistryKeyNode* node = find(key);
    const RegistryValue* value = node ? node->Value(name) : nullptr;
    if (!value ||
        (value->Kind != RegistryValueKind::Text && value->Kind != RegistryValueKind::ExpandText))
        return std::nullopt;
    return value->Text;
}

std::optional<int32_t> MemoryRegistry::ReadInteger(const QString& key, const QString& name) const {
    const RegistryKeyNode* node = find(key);
    const RegistryValue* value = node ? node->Value(name) : nullptr;
    if (!value || value->Kind != RegistryValueKind::Integer)
        return std::nullopt;
    return static_cast<int32_t>(value->Integer);
}

bool MemoryRegistry::WriteText(const QString& key, const QString& name, const QString& text) {
    RegistryKeyNode* node = find(key);
    if (!node || readOnly_ || !IsValidValueName(name))
        return false;
    RegistryValue value;
    value.Name = name;
    value.Kind = RegistryValueKind::Text;
    value.Text = TextUpToNul(text);
    node->SetValue(std::move(value));
    return true;
}

bool MemoryRegistry::WriteInteger(const QString& key, const QString& name, int32_t number) {
    RegistryKeyNode* node = find(key);
    if (!node || readOnly_ || !IsValidValueName(name))
        return false;
    RegistryValue value;
    value.Name = name;
    value.Kind = RegistryValueKind::Integer;
    value.Integer = static_cast<uint32_t>(number);
    node->SetValue(std::move(value));
    return true;
}

QStringList MemoryRegistry::SubKeys(const QString& key) const {
    QStringList names;
    if (const RegistryKeyNode* node = find(key))
        for (const auto& child : node->Children)
            names.append(child->Name);
    return names;
}

QStringList MemoryRegistry::ValueNames(const QString& key) const {
    QStringList names;
    if (const RegistryKeyNode* node = find(key))
        for (const RegistryValue& value : node->Values)
            names.append(value.Name);
    return names;
}

} // namespace orvane
