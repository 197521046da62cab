#pragma once
// The new-playlist dialog: a name and a folder below the MP3 base folder (the root node
// "Orvane" is the base folder itself). OK refuses, with a message, a missing name or folder, a
// name no file can have and a file that exists already, and stays open so the user can correct
// it; the dialog never creates the file. GUI thread only.

#include "platform/Prompts.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace orvane {

class TfrmNewPlaylist : public QDialog {
    Q_OBJECT
public:
    TfrmNewPlaylist(const QString& mp3Base, Prompts& prompts, QWidget* parent = nullptr);

    // The accepted playlist's path; empty until OK succeeds.
    const QString& Path() const { return path_; }

    void btnOkClick();

    QLineEdit* edNAme() const { return edNAme_; }
    QTreeWidget* tvFiles() const { return tvFiles_; }
    QPushButton* btnOk() const { return btnOk_; }
    QPushButton* btnCancel() const { return btnCancel_; }

private:
    void fillFolders();

    QString mp3Base_;
    Prompts& prompts_;
    QString path_;
    QLineEdit* edNAme_ = nullptr;
    QTreeWidget* tvFiles_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

// Shows the dialog modally: the path of a playlist that does not exist yet, or an empty text
// when the user cancelled.
QString AskNewPlaylist(const QString& mp3Base, Prompts& prompts, QWidget* parent);

} // namespace orvane
