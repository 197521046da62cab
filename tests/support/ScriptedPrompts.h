#pragma once
// Prompts answered from a script, recording every text that was shown.

#include "platform/Prompts.h"

#include <QStringList>
#include <deque>
#include <functional>

namespace orvane::test {

class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        PromptKind kind;
        PromptButtons buttons;
        QString text;
    };

    // Answers given in order; once they run out every question gets its first button
    // (Ok or Yes) and every folder dialog is cancelled.
    void Answer(PromptAnswer answer) { answers_.push_back(answer); }
    void AnswerFolder(const QString& folder) { folders_.push_back(folder); }
    // File dialogs take these in order, then are cancelled.
    void AnswerFile(const QString& file) { files_.push_back(file); }

    PromptAnswer ask(PromptKind kind, PromptButtons buttons, const QString& text) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& start) override;
    std::optional<QString> chooseOpenFile(const QString& title, const QString& start,
                                          const QString& filters) override;
    // The filters of the last file dialog.
    const QString& lastFilters() const { return lastFilters_; }

    // Runs once, while the next question is open: something that happens behind it.
    std::function<void()> WhileAsked;

    const std::vector<Shown>& shown() const { return shown_; }
    QStringList texts() const;

private:
    std::deque<PromptAnswer> answers_;
    std::deque<QString> folders_;
    std::deque<QString> files_;
    QString lastFilters_;
    std::vector<Shown> shown_;
};

} // namespace orvane::test
