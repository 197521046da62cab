#pragma once
// Prompts shown as modal message boxes and the folder dialog, in front of the dialog or window
// that is active (the main window when none is).

#include "platform/Prompts.h"

#include <QPointer>
#include <QWidget>

namespace orvane {

class DialogPrompts : public Prompts {
public:
    explicit DialogPrompts(QWidget* parent = nullptr)
        : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    PromptAnswer ask(PromptKind kind, PromptButtons buttons, const QString& text) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& start) override;
    std::optional<QString> chooseOpenFile(const QString& title, const QString& start,
                                          const QString& filters) override;
    std::optional<QString> chooseSaveFile(const QString& title, const QString& start,
                                          const QString& filters) override;
    // The window a message is shown over: the open modal dialog, else the active window (never
    // the splash), else the main window.
    QWidget* Owner() const;

private:
    QPointer<QWidget> parent_;
};

} // namespace orvane
