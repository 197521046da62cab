#pragma once
// The add-to-playlist dialog: the playlists below the MP3 base folder, sorted by name; OK
// chooses the selected one, "&New..." adds a playlist made with the new-playlist dialog (its
// file comes into being with the first song appended to it). GUI thread only.

#include "platform/Prompts.h"
#include "playlists/PlaylistList.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace orvane {

class TfrmAddToPlaylist : public QDialog {
    Q_OBJECT
public:
    TfrmAddToPlaylist(const QString& mp3Base, Prompts& prompts, QWidget* parent = nullptr);

    // The chosen playlist's path; empty until OK succeeds.
    const QString& Path() const { return path_; }

    void btnOkClick();
    void btnNewClick();

    QListWidget* lvPlaylists() const { return lvPlaylists_; }
    QPushButton* btnOk() const { return btnOk_; }
    QPushButton* btnCancel() const { return btnCancel_; }
    QPushButton* btnNew() const { return btnNew_; }

private:
    // Puts the entry in its sorted place and returns its row.
    int insertSorted(const PlaylistEntry& entry);

    QString mp3Base_;
    Prompts& prompts_;
    QString path_;
    PlaylistView entries_; // in the list's order
    QListWidget* lvPlaylists_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    QPushButton* btnNew_ = nullptr;
};

// Shows the dialog modally: the path of the chosen playlist (which may not exist yet), or an
// empty text when the user cancelled.
QString AskPlaylist(const QString& mp3Base, Prompts& prompts, QWidget* parent);

} // namespace orvane
