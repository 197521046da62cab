#include "browser/DialogPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace orvane {

PromptAnswer DialogPrompts::ask(PromptKind kind, PromptButtons buttons, const QString& text) {
    QMessageBox box(parent_);
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setTextFormat(Qt::PlainText); // texts may come from files: never read as markup
    box.setText(text);
    switch (kind) {
    case PromptKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case PromptKind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case PromptKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case PromptKind::Confirmation:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case PromptButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case PromptButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case PromptButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    default:
        // Closing the box with Esc or its title bar answers the negative button.
        return buttons == PromptButtons::YesNo ? PromptAnswer::No
               : buttons == PromptButtons::Ok  ? PromptAnswer::Ok
                                               : PromptAnswer::Cancel;
    }
}

std::optional<QString> DialogPrompts::chooseFolder(const QString& title, const QString& start) {
    const QString folder = QFileDialog::getExistingDirectory(parent_, title, start);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

} // namespace orvane
