#pragma once
// The "Song properties" dialog: the ID3v1 tag of one song with the facts of its file, or a batch
// editor for several songs that changes only the fields filled in. "&Save" checks the texts,
// writes the files (with progress and Cancel between files for a batch) and reports the files
// that could not be written; what it did is left in Outcome() for the caller to show in its
// lists. The work itself is TagEditor's. GUI thread only; made for one use.

#include "store/TagEditor.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace orvane {

class Prompts;
struct SongStore;

class TfrmTag : public QDialog {
    Q_OBJECT
public:
    // store, prompts and undo must outlive the dialog; undo gets the save.
    TfrmTag(SongStore& store, Prompts& prompts, TagUndo& undo, QWidget* parent = nullptr);

    // The files of the selected rows, in list order. One file is read through the store's
    // shared object and shown whole; several are edited as a batch.
    void ShowFor(std::vector<TagTarget> targets);
    bool IsBatch() const { return targets_.size() > 1; }
    // What "&Save" wrote; empty until then (and after "&Cancel").
    const TagWriteOutcome& Outcome() const { return outcome_; }

    QTabWidget* pgTabs() const { return pgTabs_; }
    QPlainTextEdit* lblFilename() const { return lblFilename_; }
    QLineEdit* edTitle() const { return edTitle_; }
    QLineEdit* edArtist() const { return edArtist_; }
    QLineEdit* edAlbum() const { return edAlbum_; }
    QLineEdit* edYear() const { return edYear_; }
    QLineEdit* edComment() const { return edComment_; }
    QComboBox* cbGenres() const { return cbGenres_; }
    QPlainTextEdit* mmInfo() const { return mmInfo_; }
    QPushButton* btnSave() const { return btnSave_; }
    QPushButton* btnCancel() const { return btnCancel_; }

private:
    void save();
    TagFields fields() const;

    SongStore& store_;
    Prompts& prompts_;
    TagUndo& undo_;
    std::vector<TagTarget> targets_;
    TagWriteOutcome outcome_;

    QTabWidget* pgTabs_ = nullptr;
    QPlainTextEdit* lblFilename_ = nullptr;
    QLineEdit* edTitle_ = nullptr;
    QLineEdit* edArtist_ = nullptr;
    QLineEdit* edAlbum_ = nullptr;
    QLineEdit* edYear_ = nullptr;
    QLineEdit* edComment_ = nullptr;
    QComboBox* cbGenres_ = nullptr;
    QPlainTextEdit* mmInfo_ = nullptr;
    QPushButton* btnSave_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace orvane
