#include "ScriptedPrompts.h"

namespace orvane::test {

PromptAnswer ScriptedPrompts::ask(PromptKind kind, PromptButtons buttons, const QString& text) {
    shown_.push_back({kind, buttons, text});
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

QStringList ScriptedPrompts::texts() const {
    QStringList result;
    for (const Shown& s : shown_)
        result << s.text;
    return result;
}

} // namespace orvane::test
