#pragma once
// The main window: the folder tree of views (tvFolders), the title bar, the main song list
// (lvSelection) and the status bar. It only shows things and passes the user's requests on;
// the program's start-up and shutdown run through the two hooks.

#include "browser/SongListModel.h"

#include <QLabel>
#include <QMainWindow>
#include <QTableView>
#include <QTreeWidget>
#include <array>
#include <functional>

namespace orvane {

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);

    // Runs once, right after the window is first shown (the start-up sequence).
    std::function<void()> OnFirstShow;
    // Asked when the window is about to close; false keeps it open.
    std::function<bool()> OnClose;

    QTreeWidget* tvFolders() const { return tvFolders_; }
    QTableView* lvSelection() const { return lvSelection_; }
    SongListModel* SelectionModel() const { return selection_; }
    QLabel* StatusPanel(int i) const { return statusPanels_[size_t(i)]; }

    // The title bar over the song pane.
    void SetTitleText(const QString& text);
    QString TitleText() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFolderTree();
    void buildStatusBar();

    QTreeWidget* tvFolders_ = nullptr;
    QLabel* lblTitle_ = nullptr;
    QLabel* pnlCaptionBar_ = nullptr;
    QTableView* lvSelection_ = nullptr;
    SongListModel* selection_ = nullptr;
    std::array<QLabel*, 4> statusPanels_{};
    bool shown_ = false;
};

} // namespace orvane
