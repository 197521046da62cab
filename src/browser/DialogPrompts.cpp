#include "browser/DialogPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace orvane {

QWidget* DialogPrompts::Owner() const {
    // A message raised while a dialog is open belongs in front of that dialog.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    // A window that stays on top (the WAV export's progress) would hide a message raised over
    // any other window: the message goes in front of it.
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->windowType() == Qt::Dialog &&
            top->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return top;
    QWidget* active = QApplication::activeWindow();
    if (active && active->windowType() != Qt::SplashScreen)
        return active;
    return parent_;
}

PromptAnswer DialogPrompts::ask(PromptKind kind, PromptButtons buttons, const QString& text) {
    // On the heap: the owner may close while the box is open, and takes the box with it.
    QWidget* owner = Owner();
    QPointer<QMessageBox> owned = new QMessageBox(owner);
    QMessageBox& box = *owned;
    if (owner && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
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
    case PromptButtons::YesAllNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No |
                               QMessageBox::Cancel);
        break;
    }
    const int answer = box.exec();
    delete owned.data();
    switch (answer) {
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::YesToAll:
        return PromptAnswer::YesToAll;
    default:
        // Closing the box with Esc or its title bar answers the negative button.
        return buttons == PromptButtons::YesNo ? PromptAnswer::No
               : buttons == PromptButtons::Ok  ? PromptAnswer::Ok
                                               : PromptAnswer::Cancel;
    }
}

std::optional<QString> DialogPrompts::chooseFolder(const QString& title, const QString& start) {
    const QString folder = QFileDialog::getExistingDirectory(Owner(), title, start);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

std::optional<QString> DialogPrompts::chooseOpenFile(const QString& title, const QString& start,
                                                     const QString& filters) {
    // The dialog itself insists on an existing file in an existing folder.
    const QString file = QFileDialog::getOpenFileName(Owner(), title, start, filters);
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

std::optional<QString> DialogPrompts::chooseSaveFile(const QString& title, const QString& start,
                                                     const QString& filters) {
    const QString file = QFileDialog::getSaveFileName(Owner(), title, start, filters, nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

} // namespace orvane
