#pragma once
// Prompts shown as modal message boxes and the folder dialog, parented to the main window.

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

private:
    QPointer<QWidget> parent_;
};

} // namespace orvane
