#pragma once
// The options dialog: page "Locations" with the MP3 base folder, page "Preferences" with the
// tray icons, page "Tags" with the way tags are read and a preview of the ID3v1 code page. "&Ok"
// runs AcceptPreferences (Preferences.h) and closes only when that allows it;
// "&Cancel" and Esc close without changing anything.

#include "app/Preferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace orvane {

class TfrmPreferences : public QDialog {
    Q_OBJECT
public:
    TfrmPreferences(PreferencesContext& context, QWidget* parent = nullptr);

    // What the fields hold now.
    PreferencesChoice Choice() const;

    QTabWidget* Pages() const { return pages_; }
    QLineEdit* edMP3Base() const { return edMP3Base_; }
    QCheckBox* cbTrayicons() const { return cbTrayicons_; }
    QListWidget* clIcons() const { return clIcons_; }
    QPushButton* btnOk() const { return btnOk_; }
    QPushButton* btnCancel() const { return btnCancel_; }
    QPushButton* btnBrowse() const { return btnBrowse_; }
    QComboBox* cbReadId3v2() const { return cbReadId3v2_; }
    QComboBox* cbCodePage() const { return cbCodePage_; }
    QListWidget* lbPreview() const { return lbPreview_; }

    void accept() override;

private:
    QWidget* buildLocations();
    QWidget* buildPreferences();
    QWidget* buildTags();
    void showPreview();
    void browse();

    PreferencesContext& context_;
    QTabWidget* pages_ = nullptr;
    QLineEdit* edMP3Base_ = nullptr;
    QPushButton* btnBrowse_ = nullptr;
    QCheckBox* cbTrayicons_ = nullptr;
    QListWidget* clIcons_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    QComboBox* cbReadId3v2_ = nullptr;
    QComboBox* cbCodePage_ = nullptr;
    QListWidget* lbPreview_ = nullptr;
    std::vector<Id3v1Block> previewTags_; // read when the page is first shown
    bool previewRead_ = false;
};

} // namespace orvane
