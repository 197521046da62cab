#pragma once
// The import dialog "Import collections": a folder chooser over every mounted file system (the
// root, the home folder, removable media and network mounts), starting at the home folder, and
// the location name the collection is stored under. "&OK" is enabled exactly while the name,
// trimmed, is not empty; a name that cannot name a file in the lib folder is refused with a
// message and the dialog stays open. GUI thread only.

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace orvane {

class Prompts;

class TfrmImport : public QDialog {
    Q_OBJECT
public:
    explicit TfrmImport(Prompts& prompts, QWidget* parent = nullptr);

    // The folder chosen in the tree (empty when none), and the name exactly as typed.
    QString SelectedFolder() const;
    QString LocationName() const;
    void SelectFolder(const QString& folder);

    QLineEdit* edName() const { return edName_; }
    QPushButton* btnOk() const { return btnOk_; }
    QComboBox* cbPlaces() const { return cbPlaces_; }

    void accept() override;

private:
    void edNameChange();

    Prompts& prompts_;
    QComboBox* cbPlaces_ = nullptr;
    QTreeView* DirTree1_ = nullptr;
    QFileSystemModel* folders_ = nullptr;
    QLineEdit* edName_ = nullptr;
    QPushButton* btnOk_ = nullptr;
};

// The places the chooser offers: the home folder, the root, and every mounted file system that
// is not the system's own (removable media, network shares, other disks), each once.
QStringList ImportPlaces();

} // namespace orvane
