#include "ScriptedPrompts.h"

#include <utility>

namespace orvane::test {

PromptAnswer ScriptedPrompts::ask(PromptKind kind, PromptButtons buttons, const QString& text) {
    shown_.push_back({kind, buttons, text});
    if (WhileAsked)
        std::exchange(WhileAsked, nullptr)();
    if (!answers_.empty()) {
        const PromptAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    const bool yes = buttons == PromptButtons::YesNo || buttons == PromptButtons::YesAllNoCancel;
    return yes ? PromptAnswer::Yes : PromptAnswer::Ok;
}

std::optional<QString> ScriptedPrompts::chooseFolder(const QString& title, const QString& start) {
    Q_UNUSED(start);
    shown_.push_back({PromptKind::Information, PromptButtons::OkCancel, title});
    if (folders_.empty())
        return std::nullopt;
    QString folder = folders_.front();
    folders_.pop_front();
    return folder;
}

std::optional<QString> ScriptedPrompts::chooseOpenFile(const QString& title, const QString& start,
                                                       const QString& filters) {
    Q_UNUSED(start);
    shown_.push_back({PromptKind::Information, PromptButtons::OkCancel, title});
    lastFilters_ = filters;
    if (files_.empty())
        return std::nullopt;
    QString file = files_.front();
    files_.pop_front();
    return file;
}

QStringList ScriptedPrompts::texts() const {
    QStringList result;
    for (const Shown& s : shown_)
        result << s.text;
    return result;
}

} // namespace orvane::test
