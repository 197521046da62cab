#pragma once
// The random-playlist dialog: a play length, a file age limit and optionally one genre;
// "&Generate" draws a playlist into temp.m3u and lists its songs, "&Play" plays temp.m3u (also
// one left by an earlier generation) and closes. Made for one opening, modal, on top.
//
// The length and age boxes get their unit when they are left holding a bare number, and again
// at the start of Generate. GUI thread only; the collection list must outlive the dialog.

#include "platform/Prompts.h"
#include "playlists/RandomPlaylist.h"
#include "store/CollectionList.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;

namespace orvane {

class TfrmRandom : public QDialog {
    Q_OBJECT
public:
    TfrmRandom(const CollectionList& songs, const QString& programFolder, Prompts& prompts,
               std::function<void(const QString& playlist)> playPlaylist,
               QWidget* parent = nullptr);

    // Seeded from the clock; tests fix the generator, today and the file dates.
    RandomDraws& Draws() { return draws_; }

    void btnCreateClick();
    void btnPlayClick();

    QComboBox* cbLength() const { return cbLength_; }
    QComboBox* cbAge() const { return cbAge_; }
    QCheckBox* cbSpecified() const { return cbSpecified_; }
    QComboBox* cbGenres() const { return cbGenres_; }
    QListWidget* lbSongs() const { return lbSongs_; }
    QPushButton* btnCreate() const { return btnCreate_; }
    QPushButton* btnPlay() const { return btnPlay_; }
    QPushButton* btnCancel() const { return btnCancel_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const CollectionList& songs_;
    QString playlistPath_;
    Prompts& prompts_;
    std::function<void(const QString&)> playPlaylist_;
    RandomDraws draws_;

    QComboBox* cbLength_ = nullptr;
    QComboBox* cbAge_ = nullptr;
    QCheckBox* cbSpecified_ = nullptr;
    QComboBox* cbGenres_ = nullptr;
    QListWidget* lbSongs_ = nullptr;
    QPushButton* btnCreate_ = nullptr;
    QPushButton* btnPlay_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace orvane
