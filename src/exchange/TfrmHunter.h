#pragma once
// The power-search window: the keywords, the match switches and the fields to search. It is
// made once and lives for the run; it stays on top of the main window without being modal, and
// keeps its settings between searches (they are not saved when the program ends).
//
// The window only collects the options: "&Search..." hands them to OnSearch, which runs the
// search into the main window's current song list, and then the window closes. Enter starts
// the search (btnSearch is the default button); Esc closes the window. GUI thread only.

#include "exchange/SearchOptions.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace orvane {

class SearchAnimation;

class TfrmHunter : public QDialog {
    Q_OBJECT
public:
    explicit TfrmHunter(QWidget* parent = nullptr);

    // Runs the search with the window's options. Unset: "&Search..." only closes the window.
    std::function<void(const SearchOptions&)> OnSearch;

    // The options as the controls hold them now (QuickSearch is never set by the window).
    SearchOptions Options() const;
    void SetOptions(const SearchOptions& options);
    // The keyword box, which the quick search also fills with its text.
    void SetKeywords(const QString& text);
    // The Exact switch, which the quick search turns off for its search and restores after.
    bool Exact() const;
    void SetExact(bool on);
    // The hidden, read-only box that receives the full path of a song being examined.
    void SetExaminedPath(const QString& path);

    // The search button's action: the search, then the window closes.
    void btnSearchClick();

    QLineEdit* edKeywords() const { return edKeywords_; }
    QLineEdit* edFileName() const { return edFileName_; }
    QPushButton* btnSearch() const { return btnSearch_; }
    QPushButton* btnCancel() const { return btnCancel_; }
    SearchAnimation* Animate1() const { return Animate1_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QCheckBox* addCheck(QWidget* parent, const char* name, const QString& caption, bool checked);

    QLineEdit* edKeywords_ = nullptr;
    QCheckBox* cbExact_ = nullptr;
    QCheckBox* cbFullWords_ = nullptr;
    QCheckBox* cbTitle_ = nullptr;
    QCheckBox* cbArtist_ = nullptr;
    QCheckBox* cbComment_ = nullptr;
    QCheckBox* cbGenre_ = nullptr;
    QCheckBox* cbFilename_ = nullptr;
    QCheckBox* cbYear_ = nullptr;
    QCheckBox* cbAlbum_ = nullptr;
    QLineEdit* edFileName_ = nullptr;
    QPushButton* btnSearch_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    SearchAnimation* Animate1_ = nullptr;
};

} // namespace orvane
