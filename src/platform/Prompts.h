#pragma once
// Every question and message the program puts to the user goes through Prompts. The window
// layer implements it with message boxes and file dialogs; tests implement it with a script.
// Called on the GUI thread only. Texts are shown as plain text, never as rich text.

#include <QString>
#include <optional>

namespace orvane {

enum class PromptKind { Information, Warning, Error, Confirmation };
// YesAllNoCancel asks about one of several things: Yes, Yes to all, No or Cancel.
enum class PromptButtons { Ok, OkCancel, YesNo, YesAllNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No, YesToAll };

class Prompts {
public:
    virtual ~Prompts() = default;

    virtual PromptAnswer ask(PromptKind kind, PromptButtons buttons, const QString& text) = 0;
    // A folder picked by the user, or nothing when the dialog was cancelled.
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& start) = 0;
    // An existing file picked by the user, or nothing when the dialog was cancelled. filters
    // as Qt's file dialogs take them ("Images (*.png *.jpg);;All files (*)"), the first chosen.
    virtual std::optional<QString> chooseOpenFile(const QString& title, const QString& start,
                                                  const QString& filters) = 0;
    // A file name to write to, picked by the user (it may not exist yet), or nothing when the
    // dialog was cancelled. The caller asks before replacing an existing file.
    virtual std::optional<QString> chooseSaveFile(const QString& title, const QString& start,
                                                  const QString& filters) {
        return chooseOpenFile(title, start, filters);
    }

    void information(const QString& text) { ask(PromptKind::Information, PromptButtons::Ok, text); }
    void warning(const QString& text) { ask(PromptKind::Warning, PromptButtons::Ok, text); }
    void error(const QString& text) { ask(PromptKind::Error, PromptButtons::Ok, text); }
    bool confirm(const QString& text) {
        return ask(PromptKind::Confirmation, PromptButtons::YesNo, text) == PromptAnswer::Yes;
    }
};

} // namespace orvane
