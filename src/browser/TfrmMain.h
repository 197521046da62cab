#pragma once
// The main window: the menus, the "Advanced" toolbar, the folder tree of views (tvFolders), the
// title bar, the main song list (lvSelection) and the status bar. It only shows things and
// passes the user's requests on; the program's start-up, shutdown and commands run through the
// hooks.

#include "browser/SongListModel.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
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
    // File > "Refresh Database" (F5) and the toolbar button btnAdvRefresh.
    std::function<void()> OnRefreshDatabase;
    // Extra > "&Options...".
    std::function<void()> OnPreferences;

    QTreeWidget* tvFolders() const { return tvFolders_; }
    QTableView* lvSelection() const { return lvSelection_; }
    SongListModel* SelectionModel() const { return selection_; }
    QLabel* StatusPanel(int i) const { return statusPanels_[size_t(i)]; }

    // The title bar over the song pane.
    void SetTitleText(const QString& text);
    QString TitleText() const;

    QAction* RefreshDatabase1() const { return refreshDatabase1_; }
    QAction* Quit1() const { return quit1_; }
    QAction* Preferences1() const { return preferences1_; }
    QToolButton* btnAdvRefresh() const { return btnAdvRefresh_; }

    // The View-menu toggles whose check marks the settings keep. Triggering one runs its
    // command: "Orvane-bar" and "Folders" check themselves and uncheck each other, "Status&bar"
    // flips its check mark and shows the status bar exactly when checked, the others flip their
    // check marks.
    QAction* ShowOrvanebar1() const { return showOrvanebar1_; }
    QAction* Showbrowser1() const { return showbrowser1_; }
    QAction* Showcomments1() const { return showcomments1_; }
    QAction* Albumcover1() const { return albumcover1_; }
    QAction* Lyrics2() const { return lyrics2_; }
    QAction* Showstatusbar() const { return showstatusbar_; }

    // Widths and heights of the resizable panels, in pixels.
    int BrowserWidth() const;
    void SetBrowserWidth(int width);
    int BottomHeight() const { return bottomHeight_; }
    void SetBottomHeight(int height) { bottomHeight_ = height; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFolderTree();
    void buildStatusBar();
    void buildMenus();
    void buildAdvancedToolbar();
    QAction* addToggle(QMenu* menu, const QString& text, const char* name, bool checked);

    QTreeWidget* tvFolders_ = nullptr;
    QLabel* lblTitle_ = nullptr;
    QLabel* pnlCaptionBar_ = nullptr;
    QTableView* lvSelection_ = nullptr;
    SongListModel* selection_ = nullptr;
    std::array<QLabel*, 4> statusPanels_{};
    QSplitter* splitter_ = nullptr;
    QAction* refreshDatabase1_ = nullptr;
    QAction* quit1_ = nullptr;
    QAction* preferences1_ = nullptr;
    QToolButton* btnAdvRefresh_ = nullptr;
    QAction* showOrvanebar1_ = nullptr;
    QAction* showbrowser1_ = nullptr;
    QAction* showcomments1_ = nullptr;
    QAction* albumcover1_ = nullptr;
    QAction* lyrics2_ = nullptr;
    QAction* showstatusbar_ = nullptr;
    int bottomHeight_ = 120; // the lyrics panel's height, kept for the settings
    bool shown_ = false;
};

} // namespace orvane
